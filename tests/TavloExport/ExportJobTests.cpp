// The resolution every exporter shares: which items a task exports and in
// what order, their names, and when an alias may be written as a reference.
#include <charconv>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "MerrinColorUtils/Numeric.h"
#include "TavloExport/ColorTexts.h"

#include "ExportTestSupport.h"

namespace exporttest {
namespace {

using tavlo::ColorSource;

const std::string kItems =
    color("A", "Ink", variant("0 0 0 1") + variant("1 1 1 1", "dark")) +
    "<group><id>N</id><name>Brand Core</name><namespace>1</namespace><buildGroupId>G</buildGroupId>"
    "<colorItem><id>B</id><name>primary blue</name><profile>sRGB</profile><color><variants>" +
    variant("0 0 1 1") +
    "</variants></color></colorItem>"
    "<group><id>P</id><name>Plain</name>"
    "<numberItem><id>C</id><name>Gap</name><number><variants><variant><value>4</value></variant></variants>"
    "</number></numberItem></group>"
    "<alias><id>D</id><name>Link</name><appearance>lightanddark</appearance><type>1</type>"
    "<referencedItemId>A</referencedItemId></alias>"
    "<alias><id>E</id><name>Swap</name><appearance>lightanddark</appearance><type>1</type>"
    "<referencedItemId>A</referencedItemId><typeDark>1</typeDark><referencedItemIdDark>B</"
    "referencedItemIdDark>"
    "</alias></group>"
    "<colorItem><id>F</id><name>Not linked</name><profile>sRGB</profile><color><variants>" +
    variant("1 0 0 1") + "</variants></color></colorItem>";

TEST(ExportJob, AVariantsNameIsCasedLikeTheItems) {
  const std::pair<int, std::string> cases[] = {{1, "darkInk"}, {3, "dark_ink"}, {4, "dark-ink"}};
  for (const auto& [transform, darkName] : cases) {
    auto project = readDocument(document(kItems, task("T", 1, transform, "x")));
    const auto& group = *project->buildGroups()[0];
    ExportJob job(*project, group, *group.tasks()[0], "d.tavlo");
    EXPECT_EQ(job.variantName(job.tokens()[0], ColorSource::dark), darkName);
  }
}

TEST(ExportJob, AnAliasIsAReferenceOnlyWhereItsTargetShowsTheSameValue) {
  auto project = readDocument(document(kItems, task("T", 1, 1, "x")));
  const auto& group = *project->buildGroups()[0];
  ExportJob job(*project, group, *group.tasks()[0], "d.tavlo");
  const auto& link = job.tokens()[3];  // light reference to Ink only
  const auto& swap = job.tokens()[4];  // Ink in light, Brand primary in dark
  auto target = [](const tavlo::exports::Token& token, ColorSource source) {
    return token.aliasTarget[static_cast<std::size_t>(source)];
  };
  // Link has no dark reference, so under dark it shows Ink's light value,
  // while Ink itself turns white: no reference there.
  EXPECT_EQ(target(link, ColorSource::light), 0u);
  EXPECT_EQ(target(link, ColorSource::dark), std::nullopt);
  EXPECT_EQ(target(link, ColorSource::lightHighContrast), 0u);
  EXPECT_EQ(target(swap, ColorSource::light), 0u);
  EXPECT_EQ(target(swap, ColorSource::dark), 1u);
}

// Files write numbers rounded to four places in their shortest form, plain
// or with an exponent, whichever is shorter: the same text as the general
// shortest conversion of the rounded double, for every size and sign.
TEST(NumberText, IsTheShortestFormOfTheRoundedValue) {
  auto reference = [](double value) {
    value = mcu::roundTo(value, 4);
    if (value == 0) value = 0;
    char buffer[64];
    return std::string(buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr);
  };
  std::vector<double> values{0,       -0.0,           1,      -1,          0.5,  0.0001, -0.0002, 0.001,
                             0.00005, 0.00004,        0.1234, 0.12345,     12.5, 100000, 120000,  1e10,
                             -2.5e9,  123456789.1234, 9.9999, 99999.99999, 1e14, 1e15,   1.5e16,  1e300,
                             -1e300};
  std::mt19937_64 random(7);
  for (int i = 0; i < 20000; ++i) {
    const double scale = std::pow(10.0, std::uniform_int_distribution<int>(-6, 16)(random));
    values.push_back(std::uniform_real_distribution<double>(-1, 1)(random) * scale);
  }
  for (double value : values) EXPECT_EQ(tavlo::exports::numberText(value), reference(value)) << value;
  EXPECT_EQ(tavlo::exports::numberText(NAN), "0");
}

// Linked items and the descendants of linked groups, in tree order, under
// their namespaced names; an item of no linked group is left out.
TEST(TextExport, WritesEachItemsLinesUnderItsExportedName) {
  auto project = readDocument(document(kItems, task("T", 0, 1, "x", "<format>cssRGBA</format>")));
  TaskRun run = runTask(*project, "T");
  ASSERT_EQ(run.files.size(), 1u);
  EXPECT_EQ(run.files[0].path, "out/x.txt");
  EXPECT_EQ(run.files[0].bytes,
            "ink (light): rgb(0, 0, 0)\n"
            "ink (dark): rgb(255, 255, 255)\n"
            "brandCorePrimaryBlue: rgb(0, 0, 255)\n"
            "brandCoreGap: 4\n"
            "brandCoreLink: rgb(0, 0, 0)\n"
            "brandCoreSwap (light): rgb(0, 0, 0)\n"
            "brandCoreSwap (dark): rgb(0, 0, 255)\n");
}

TEST(TemplateExport, RendersTokensAndIsBoundedInWhereItReadsAndWhatItWrites) {
  Scratch scratch;
  spit(scratch / "doc/t/list.mustache", "{{#tokens}}{{name}}={{light}}/{{dark}};{{/tokens}}");
  spit(scratch / "doc/t/self.mustache", "x{{> self.mustache}}");
  spit(scratch / "outside.mustache", "secret");
  // 60 tokens nested five deep would write 60^5 lines.
  std::string nested =
      "{{#tokens}}{{#tokens}}{{#tokens}}{{#tokens}}{{#tokens}}{{name}}{{/tokens}}{{/tokens}}"
      "{{/tokens}}{{/tokens}}{{/tokens}}";
  spit(scratch / "doc/t/huge.mustache", nested);
  struct Case {
    std::string location;
    std::string output;  // empty: refused
    std::string error;
  };
  const Case cases[] = {
      {"t/list.mustache", "ink=#000000/#FFFFFF;brandCorePrimaryBlue=#0000FF/#0000FF;", ""},
      {scratch.path().string() + "/outside.mustache", "", "outside the document's folder"},
      {"t/self.mustache", "", "could not be rendered"},
      // Stopped by the output or the time limit, whichever it meets first.
      {"t/huge.mustache", "", "t/huge.mustache': the template "},
  };
  std::string items = color("A", "Ink", variant("0 0 0 1") + variant("1 1 1 1", "dark"));
  items += color("B", "Brand Core Primary Blue", variant("0 0 1 1"));
  for (int i = 0; i < 60; ++i)
    items += color("X" + std::to_string(i), "x" + std::to_string(i), variant("0 0 0 1"));
  for (const auto& c : cases) {
    SCOPED_TRACE(c.location);
    const std::string configuration =
        "<configuration><customTemplateLocation>" + c.location + "</customTemplateLocation></configuration>";
    auto project = readDocument(document(items, task("T", 12, 1, "x", configuration)));
    TaskRun run = runTask(*project, "T", scratch / "doc/document.tavlo");
    if (c.output.empty()) {
      EXPECT_TRUE(run.files.empty());
      EXPECT_NE(run.errors().find(c.error), std::string::npos) << run.errors();
    } else {
      ASSERT_EQ(run.files.size(), 1u) << run.errors();
      EXPECT_EQ(run.files[0].bytes.substr(0, c.output.size()), c.output);
    }
  }
}

}  // namespace
}  // namespace exporttest
