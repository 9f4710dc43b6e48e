// tavlo check, run as a user would run it: the manual's worked example, exit
// statuses, and the JSON and JUnit reports read back by a JSON and an XML parser.
#include <nlohmann/json.hpp>

#include <algorithm>

#include "ToolSupport.h"
#include "xmltree/XML.h"

namespace {

using namespace tooltest;

// The fenced block of `language` that starts at or after `from`.
std::string fencedBlock(const std::string& text, const std::string& language, std::size_t from = 0) {
  const std::size_t open = text.find("```" + language + "\n", from);
  if (open == std::string::npos) return {};
  const std::size_t start = open + language.size() + 4;
  return text.substr(start, text.find("```", start) - start);
}

const std::string& manual() {
  static const std::string text = slurp(fs::path(TAVLO_SOURCE_DIR) / "docs" / "contrast.md");
  return text;
}

const std::string& exampleDocument() {
  static const std::string document = fencedBlock(manual(), "xml");
  return document;
}

// The example with a dark variant added to the translucent overlay.
std::string exampleWithDarkOverlay(const std::string& rgba) {
  std::string document = exampleDocument();
  const std::string overlay = "<variant><rgba>0 0 0 0.6</rgba></variant>";
  document.replace(document.find(overlay), overlay.size(),
                   overlay + "<variant type=\"dark\"><rgba>" + rgba + "</rgba></variant>");
  return document;
}

TEST(CheckCommand, TheManualsWorkedExample) {
  ScratchFolder scratch;
  ASSERT_FALSE(exampleDocument().empty());
  spit(scratch / "buttons.tavlo", exampleDocument());
  const std::string console = fencedBlock(manual(), "console");
  const std::string command = "$ tavlo check buttons.tavlo\n";
  ASSERT_TRUE(console.starts_with(command)) << console;
  const ToolRun run = tavlo({"check", "buttons.tavlo"}, scratch.path());
  EXPECT_EQ(run.status, 1) << run.err;
  EXPECT_EQ(run.out, console.substr(command.size()));

  // The fixes the manual reads off the example.
  struct Fix {
    std::string rgba, wcag, apca;
  } fixes[] = {{"1 1 1 0.6", "6.14:1", "Lc 47.72"}, {"1 1 1 0.8", "10.89:1", "Lc 74.80"}};
  for (const Fix& fix : fixes) {
    spit(scratch / "fixed.tavlo", exampleWithDarkOverlay(fix.rgba));
    const ToolRun fixed = tavlo({"check", "fixed.tavlo", "--format", "text"}, scratch.path());
    EXPECT_NE(fixed.out.find("Pressed     dark        " + fix.wcag), std::string::npos) << fixed.out;
    EXPECT_NE(fixed.out.find("Pressed     dark        " + fix.apca), std::string::npos) << fixed.out;
  }
}

TEST(CheckCommand, ExitStatuses) {
  ScratchFolder scratch;
  spit(scratch / "buttons.tavlo", exampleDocument());
  spit(scratch / "passing.tavlo", exampleWithDarkOverlay("1 1 1 0.8"));
  spit(scratch / "broken.tavlo", exampleDocument().substr(0, 300));
  spit(scratch / "empty.tavlo", "<tavlo><project/></tavlo>");
  struct Case {
    Args args;
    int status;
    bool message;  // one line on standard error
  } cases[] = {
      {{"check", "passing.tavlo"}, 0, false},
      {{"check", "empty.tavlo"}, 0, false},
      {{"check", "buttons.tavlo", "--group", "Buttons", "--group", "Buttons"}, 1, false},
      {{"check", "missing.tavlo"}, 1, true},
      {{"check", "broken.tavlo"}, 1, true},
      {{"check", "buttons.tavlo", "--group", "Links"}, 2, true},
      {{"check", "buttons.tavlo", "--format", "xml"}, 2, true},
      {{"check"}, 2, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args.back());
    const ToolRun run = tavlo(c.args, scratch.path());
    EXPECT_EQ(run.status, c.status) << run.err;
    if (c.message) {
      EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
      EXPECT_TRUE(run.err.starts_with("tavlo: ")) << run.err;
      EXPECT_EQ(run.out, "");
    } else {
      EXPECT_EQ(run.err, "");
    }
  }
}

// Two groups, one selected; names that JSON and XML must escape.
std::string twoGroups() {
  std::string document = exampleDocument();
  const std::string groupEnd = "</testGroup>";
  document.insert(document.find(groupEnd) + groupEnd.size(),
                  "<testGroup><id>other</id><name>Other</name><tests><test><name>t</name><id>t3</id>"
                  "<type>wcagContrast</type></test></tests></testGroup>");
  const std::string name = "<name>Buttons</name>";
  document.replace(document.find(name), name.size(), "<name>A &amp; &lt;B&gt; \"C\"</name>");
  return document;
}

TEST(CheckCommand, JsonReport) {
  ScratchFolder scratch;
  spit(scratch / "groups.tavlo", twoGroups());
  const ToolRun run =
      tavlo({"check", "groups.tavlo", "--format", "json", "--group", "A & <B> \"C\""}, scratch.path());
  EXPECT_EQ(run.status, 1) << run.err;
  const auto json = nlohmann::json::parse(run.out);
  ASSERT_EQ(json["groups"].size(), 1u);
  EXPECT_EQ(json["groups"][0]["name"], "A & <B> \"C\"");
  EXPECT_EQ(json["passed"], 6);
  EXPECT_EQ(json["failed"], 2);
  // Each test with its method and requirement, each result as foreground on
  // background in an appearance, "!" marking a failure.
  std::string results;
  for (const auto& test : json["groups"][0]["tests"]) {
    results += test["method"].get<std::string>() + " " + test["required"].dump() + ":";
    for (const auto& r : test["results"])
      results += " " + r["foreground"].get<std::string>() + "/" + r["background"].get<std::string>() + "/" +
                 r["appearance"].get<std::string>() + (r["pass"] ? "" : "!");
    results += "\n";
  }
  EXPECT_EQ(results,
            "wcag 4.5: Label/Fill/light Label/Fill/dark Label/Pressed/light Label/Pressed/dark!\n"
            "apca 60.0: Label/Fill/light Label/Fill/dark Label/Pressed/light Label/Pressed/dark!\n");
  // Unrounded: more than the two decimals of the table.
  const double value = json["groups"][0]["tests"][0]["results"][0]["value"];
  EXPECT_GT(value, 4.52);
  EXPECT_LT(value, 4.53);
}

TEST(CheckCommand, JUnitReport) {
  ScratchFolder scratch;
  spit(scratch / "groups.tavlo", twoGroups());
  const ToolRun run = tavlo({"check", "groups.tavlo", "--format", "junit"}, scratch.path());
  EXPECT_EQ(run.status, 1) << run.err;
  const auto root = xmltree::XML::fromData(run.out);
  ASSERT_TRUE(root) << run.out;
  const auto& suites = root->xmlChildren();
  ASSERT_FALSE(suites.empty());
  EXPECT_EQ(root->xmlName(), "testsuites");
  EXPECT_EQ(root->xmlAttributes().at("failures"), "2");
  EXPECT_EQ(root->xmlAttributes().at("tests"), "8");
  ASSERT_EQ(suites.size(), 2u);
  EXPECT_EQ(suites[0]->xmlAttributes().at("name"), "A & <B> \"C\"");
  EXPECT_EQ(suites[1]->xmlAttributes().at("tests"), "0");
  std::size_t cases = 0;
  std::size_t failures = 0;
  for (const auto& testCase : suites[0]->xmlChildren()) {
    EXPECT_EQ(testCase->xmlName(), "testcase");
    ++cases;
    failures += testCase->xmlChildren().size();
    for (const auto& failure : testCase->xmlChildren()) {
      EXPECT_EQ(failure->xmlName(), "failure");
      EXPECT_NE(failure->xmlAttributes().at("message").find(" is below "), std::string::npos);
    }
  }
  EXPECT_EQ(cases, 8u);
  EXPECT_EQ(failures, 2u);
}

}  // namespace
