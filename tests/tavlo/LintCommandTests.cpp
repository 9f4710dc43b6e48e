// `tavlo lint` as a user runs it: the line form editors jump from, the JSON
// form, and the exit status for errors, warnings and bad usage.
#include <nlohmann/json.hpp>

#include "ToolSupport.h"

namespace {

using namespace tooltest;

// Line 4: an alias whose reference matches nothing (an error); line 5: an
// element among the items that is none (a warning). The reference holds a
// tab, which the line form must not pass through.
constexpr std::string_view kDocument =
    "<tavlo>\n<project>\n<colorItems>\n"
    "  <alias><id>a</id><name>Brand</name><type>1</type><referencedItemId>go\tne</referencedItemId></alias>\n"
    "  <note/>\n"
    "</colorItems>\n</project>\n</tavlo>\n";

struct LintRun {
  ToolRun run;
  std::string path;
};

LintRun lint(std::string_view document, const Args& extra = {}) {
  ScratchFolder scratch;
  const fs::path input = scratch / "doc.tavlo";
  spit(input, std::string(document));
  Args args = {"lint", input.string()};
  args.insert(args.end(), extra.begin(), extra.end());
  return {tavlo(args), input.string()};
}

// The line form editors jump from, and the JSON form with the same findings.
TEST(LintCommand, PrintsEachFindingAsALineOrInJson) {
  const auto [run, path] = lint(kDocument);
  EXPECT_EQ(run.status, 1) << run.err;
  EXPECT_EQ(run.out, path +
                         ":4:52: error: Light reference 'go\\x09ne' matches no item [dangling-reference]\n" +
                         path + ":5:3: warning: 'note' is no item element; skipped [unknown-element]\n");
  EXPECT_EQ(run.err, path + ": 1 error, 1 warning\n");

  const auto json = nlohmann::json::parse(lint(kDocument, {"--format", "json"}).run.out);
  EXPECT_EQ(json["errors"], 1);
  EXPECT_EQ(json["warnings"], 1);
  ASSERT_EQ(json["findings"].size(), 2u);
  EXPECT_EQ(json["findings"][0], (nlohmann::json{{"line", 4},
                                                 {"column", 52},
                                                 {"severity", "error"},
                                                 {"code", "dangling-reference"},
                                                 {"message", "Light reference 'go\tne' matches no item"},
                                                 {"item", "Brand"}}));
  EXPECT_EQ(json["findings"][1]["item"], nullptr);
}

TEST(LintCommand, ExitStatusFollowsTheWorstFinding) {
  struct Case {
    const char* name;
    std::string document;
    Args extra;
    int status;
  };
  const Case cases[] = {
      {"no finding", "<tavlo><project><colorItems/></project></tavlo>", {}, 0},
      {"warnings only", "<tavlo><project><colorItems><note/></colorItems></project></tavlo>", {}, 0},
      {"not well-formed", "<tavlo><project>", {}, 1},
      {"unknown format", "<tavlo/>", {"--format", "xml"}, 2},
      {"unknown option", "<tavlo/>", {"--fix"}, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const ToolRun run = lint(c.document, c.extra).run;
    EXPECT_EQ(run.status, c.status) << run.err;
  }
}

}  // namespace
