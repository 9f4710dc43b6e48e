// The test groups' sections of the preview: what they show with contrast
// results asked for, and that nothing changes without them.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "PreviewTestSupport.h"
#include "TavloPreviewer/ContrastTableView.h"
#include "TavloPreviewer/PreviewDrawing.h"
#include "hostkit/Layout.h"

namespace tavlo::previewer {
namespace {

// A colour linked to the "g" test group.
std::string memberXml(const std::string& name, const std::string& rgba, const std::string& position) {
  return "<colorItem><name>" + name + "</name><profile>sRGB</profile><color><variants><variant><rgba>" +
         rgba + "</rgba></variant></variants></color><testGroupId>g</testGroupId><testPosition>" + position +
         "</testPosition></colorItem>";
}

// The items and one WCAG 4.5:1 test group named "Text".
std::shared_ptr<MerrinColorProject> readWithTestGroup(const std::string& items) {
  std::string xml = testing::documentXml(items);
  xml.insert(xml.find("</project>"),
             "<testGroups><testGroup><id>g</id><name>Text</name><tests><test><name>Body</name><id>t</id>"
             "<type>wcagContrast</type><threshold>45</threshold></test></tests></testGroup></testGroups>");
  return MerrinColorFileReader().parse(xml);
}

std::vector<std::string> textsShown(const std::shared_ptr<MerrinColorProject>& project, bool contrast) {
  PreviewViewController controller;
  controller.setShowsContrast(contrast);
  controller.showPreview(project, "doc.tavlo");
  return previewDrawing(controller, 900).layout().texts();
}

std::size_t count(const std::vector<std::string>& texts, const std::string& text) {
  return static_cast<std::size_t>(std::ranges::count(texts, text));
}

std::string backgrounds(int n, const std::string& rgba) {
  std::string items;
  for (int i = 1; i <= n; ++i) items += memberXml("Bg" + std::to_string(i), rgba, "background");
  return items;
}

TEST(ContrastSections, ShowFailingPairsOnlyWhenAsked) {
  const std::string ink = memberXml("Ink", "0.5 0.5 0.5 1", "foreground");
  const struct {
    const char* what;
    std::string items;
    bool contrast;
    std::vector<std::string> shown, notShown;
    std::size_t failingRows;
  } cases[] = {
      {"a failing pair",
       ink + backgrounds(1, "0.55 0.55 0.55 1"),
       true,
       {"Text", "Body", "WCAG", "Ink on Bg1", "light", "1.18:1", "needs 4.5:1"},
       {"All pairs pass"},
       1},
      {"a passing pair", ink + backgrounds(1, "0 0 0 1"), true, {"Text", "All pairs pass"}, {"Body"}, 0},
      {"no pairs",
       memberXml("Ink", "0 0 0 1", "foreground"),
       true,
       {"Text", "No pairs to test"},
       {"All pairs pass"},
       0},
      {"more failures than a card lists",
       ink + backgrounds(25, "0.5 0.5 0.5 1"),
       true,
       {"Ink on Bg20", "and 5 more"},
       {"Ink on Bg21"},
       maxContrastRows},
  };
  for (const auto& c : cases) {
    const std::vector<std::string> texts = textsShown(readWithTestGroup(c.items), c.contrast);
    for (const std::string& text : c.shown) EXPECT_EQ(count(texts, text), 1u) << c.what << ": " << text;
    for (const std::string& text : c.notShown) EXPECT_EQ(count(texts, text), 0u) << c.what << ": " << text;
    EXPECT_EQ(count(texts, "needs 4.5:1"), c.failingRows) << c.what;
  }
}

TEST(ContrastSections, WithoutTheFlagThePreviewIsTheSameAsWithoutTestGroups) {
  const std::string items = memberXml("Ink", "0.5 0.5 0.5 1", "foreground") + backgrounds(2, "0.5 0.5 0.5 1");
  PreviewViewController withGroups, plain;
  withGroups.showPreview(readWithTestGroup(items), "a.tavlo");
  plain.showPreview(testing::readDocument(items), "b.tavlo");
  const hostkit::Drawing a = previewDrawing(withGroups, 900), b = previewDrawing(plain, 900);
  EXPECT_EQ(a.size(), b.size());
  EXPECT_EQ(a.layout().texts(), b.layout().texts());
}

}  // namespace
}  // namespace tavlo::previewer
