#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <optional>
#include <string>

#include "Orvik/Orvik.h"
#include "PreviewTestSupport.h"
#include "TavloPreviewer/MainPreviewView.h"
#include "TavloPreviewer/PreviewDrawing.h"
#include "TavloPreviewer/PreviewViewController.h"
#include "hostkit/Layout.h"
#include "shared/ProcessSupport.h"

namespace tavlo::previewer {
namespace {

namespace fs = std::filesystem;
using namespace testing;

class PreviewControllerTest : public ::testing::Test {
 protected:
  fs::path write(const std::string& name, const std::string& bytes) {
    testprocess::spit(dir_ / name, bytes);
    return dir_ / name;
  }

  // Runs a request, counting the handler's calls.
  std::optional<hostkit::PreviewError> request(PreviewViewController& controller, const fs::path& path) {
    int calls = 0;
    std::optional<hostkit::PreviewError> result;
    controller.preparePreviewOfFile(path, [&](std::optional<hostkit::PreviewError> error) {
      ++calls;
      result = std::move(error);
    });
    EXPECT_EQ(calls, 1) << path;
    return result;
  }

  // Every text the controller's view shows at a width.
  static std::vector<std::string> textsShown(PreviewViewController& controller, double width = 800) {
    return previewDrawing(controller, width).layout().texts();
  }

  static bool shows(PreviewViewController& controller, std::string_view text) {
    return std::ranges::count(textsShown(controller), text) > 0;
  }

  testprocess::ScratchFolder dir_;
};

TEST_F(PreviewControllerTest, AMissingFileReportsTheReadingErrorAndShowsNothing) {
  auto controller = std::make_shared<PreviewViewController>();
  auto error = request(*controller, dir_ / "missing.tavlo");
  ASSERT_TRUE(error);
  EXPECT_EQ(error->code, std::error_code(ENOENT, std::generic_category()));
  EXPECT_NE(error->message.find("missing.tavlo"), std::string::npos);
  EXPECT_EQ(error->message.find('\n'), std::string::npos);
  EXPECT_TRUE(controller->view()->subviews().empty());

  EXPECT_TRUE(request(*controller, dir_.path()));  // a directory cannot be read either
}

TEST_F(PreviewControllerTest, DocumentsWithoutTopLevelItemsShowTheNotice) {
  const struct {
    const char* what;
    std::string bytes;
    bool notice;
  } cases[] = {
      {"zero bytes", "", true},
      {"not XML", "this is not a document", true},
      {"no items", documentXml(""), true},
      {"only empty groups", documentXml(groupXml("Empty")), false},
      {"ungrouped items", documentXml(colorXml("Ink")), false},
  };
  for (const auto& c : cases) {
    auto controller = std::make_shared<PreviewViewController>();
    EXPECT_FALSE(request(*controller, write("doc.tavlo", c.bytes))) << c.what;
    EXPECT_EQ(shows(*controller, emptyDocumentMessage), c.notice) << c.what;
  }
}

TEST_F(PreviewControllerTest, ASecondRequestReplacesTheFirstDocument) {
  auto controller = std::make_shared<PreviewViewController>();
  ASSERT_FALSE(request(*controller, write("a.tavlo", documentXml(groupXml("First group")))));
  ASSERT_FALSE(request(*controller, write("b.tavlo", documentXml(groupXml("Second group")))));

  // One hosting view, filling the preview.
  auto root = controller->view();
  ASSERT_EQ(root->subviews().size(), 1u);
  EXPECT_TRUE(root->subviews().front()->isPinnedTo(*root));
  EXPECT_TRUE(shows(*controller, "Second group"));
  EXPECT_FALSE(shows(*controller, "First group"));

  // A request that fails leaves the shown document alone.
  EXPECT_TRUE(request(*controller, dir_ / "gone.tavlo"));
  EXPECT_TRUE(shows(*controller, "Second group"));
}

TEST_F(PreviewControllerTest, TheVariantShownFollowsTheController) {
  const std::string themed =
      "<stringItem><name>Word</name><appearance>lightanddark</appearance><string><variants><variant><value>"
      "Day</value></variant><variant type=\"dark\"><value>Night</value></variant></variants></string>"
      "</stringItem>";
  auto controller = std::make_shared<PreviewViewController>();
  ASSERT_FALSE(request(*controller, write("a.tavlo", documentXml(themed))));
  EXPECT_TRUE(shows(*controller, "Day"));
  // The preview shown now is rebuilt, and later requests keep the variant.
  controller->setColorSource(ColorSource::dark);
  EXPECT_TRUE(shows(*controller, "Night"));
  ASSERT_FALSE(request(*controller, write("a.tavlo", documentXml(themed))));
  EXPECT_TRUE(shows(*controller, "Night"));
}

}  // namespace
}  // namespace tavlo::previewer
