// Every style-sheet and design-token file of the example document is read
// by the program its users read it with: sassc, lessc, and a schema
// validator with the official design-token schemas. A missing program skips
// its test; CI installs them all.
#include <map>
#include <regex>
#include <string>

#include "ExportTestSupport.h"

namespace exporttest {
namespace {

// Declarations "NAME: VALUE;" of a variables file, by name.
std::map<std::string, std::string> declarations(const std::string& text, char sigil) {
  std::map<std::string, std::string> found;
  const std::regex line(std::string("^\\") + sigil + R"(([^:]+): (.*);$)");
  std::istringstream lines(text);
  for (std::string l; std::getline(lines, l);) {
    std::smatch m;
    if (std::regex_match(l, m, line)) found[m[1]] = m[2];
  }
  return found;
}

// VALUE with every colour (#RRGGBB[AA], rgb(), rgba()) in one form, since
// the compilers print colours their own way.
std::string canonicalColors(std::string value) {
  const std::regex color(
      R"(#([0-9a-fA-F]{2})([0-9a-fA-F]{2})([0-9a-fA-F]{2})([0-9a-fA-F]{2})?\b|rgba?\(([0-9.]+),? ([0-9.]+),? ([0-9.]+)(?:(?:,| /) ?([0-9.]+))?\))");
  std::string out;
  auto last = value.cbegin();
  for (std::sregex_iterator it(value.begin(), value.end(), color), end; it != end; ++it) {
    const std::smatch& m = *it;
    out.append(last, m[0].first);
    double channel[4];
    if (m[1].matched) {
      for (int i = 0; i < 3; ++i) channel[i] = std::stoi(m[i + 1].str(), nullptr, 16);
      channel[3] = m[4].matched ? std::stoi(m[4].str(), nullptr, 16) / 255.0 : 1;
    } else {
      for (int i = 0; i < 3; ++i) channel[i] = std::stod(m[i + 5].str());
      channel[3] = m[8].matched ? std::stod(m[8].str()) : 1;
    }
    char text[64];
    std::snprintf(text, sizeof text, "C(%.0f,%.0f,%.0f,%.2f)", channel[0], channel[1], channel[2],
                  channel[3]);
    out += text;
    last = m[0].second;
  }
  out.append(last, value.cend());
  return out;
}

// Compiles FILE with a probe rule per variable and returns each variable's
// compiled value; a variable that refers to another must compile to that
// one's value, every other to the text written.
struct StyleSheetCase {
  const char* task;
  char sigil;
  const char* program;
  const char* command;  // %s: the probe file
};

class StyleSheetConsumer : public ::testing::TestWithParam<StyleSheetCase> {};

TEST_P(StyleSheetConsumer, CompilesAndEveryReferenceResolvesToItsTarget) {
  const StyleSheetCase& c = GetParam();
  if (!haveProgram(c.program))
    GTEST_SKIP() << c.program << " is not installed: " << c.task << " is not compiled";
  auto project = readDocument(slurp(showcasePath()));
  TaskRun run = runTask(*project, c.task);
  ASSERT_EQ(run.files.size(), 1u);
  EXPECT_EQ(run.errors(), "");
  const auto written = declarations(run.files[0].bytes, c.sigil);
  ASSERT_GT(written.size(), 60u);

  Scratch scratch;
  std::string probe = run.files[0].bytes + "\n";
  for (const auto& [name, value] : written) probe += ".p-" + name + " { probe: " + c.sigil + name + "; }\n";
  const fs::path file = scratch / (c.sigil == '$' ? "probe.scss" : "probe.less");
  spit(file, probe);
  char command[512];
  std::snprintf(command, sizeof command, c.command, file.c_str());
  const auto result = runCommand(command);
  ASSERT_EQ(result.status, 0) << result.out;

  std::map<std::string, std::string> compiled;
  const std::regex rule(R"(\.p-(\S+) \{\s*probe: ([^;]*);)");
  for (std::sregex_iterator it(result.out.begin(), result.out.end(), rule), end; it != end; ++it)
    compiled[(*it)[1]] = (*it)[2];
  ASSERT_EQ(compiled.size(), written.size()) << result.out;
  for (const auto& [name, value] : written) {
    SCOPED_TRACE(name);
    const std::string got = compiled[name];
    if (value[0] == c.sigil) {
      EXPECT_EQ(got, compiled[value.substr(1)]) << "refers to " << value;
    } else {
      EXPECT_EQ(canonicalColors(got), canonicalColors(value));
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Example, StyleSheetConsumer,
                         ::testing::Values(StyleSheetCase{"SCSS", '$', "sassc", "sassc --style expanded %s"},
                                           StyleSheetCase{"LESS", '@', "lessc",
                                                          "NODE_PATH=/usr/share/nodejs lessc %s"}),
                         [](const auto& info) { return std::string(info.param.task); });

TEST(DesignTokenConsumer, FilesPassTheSchemasAndEveryAliasResolvesUnderEveryAppearance) {
  if (runCommand("python3 -c 'import jsonschema'").status != 0)
    GTEST_SKIP() << "python3 with jsonschema is not installed: design-token files are not validated";
  auto project = readDocument(slurp(showcasePath()));
  TaskRun run = runTask(*project, "Design tokens");
  ASSERT_EQ(run.files.size(), 5u);
  EXPECT_EQ(run.errors(), "");
  Scratch scratch;
  for (const auto& file : run.files) spit(scratch / file.path, file.bytes);
  const fs::path folder = scratch / fs::path(run.files[0].path).parent_path();
  const auto result = runCommand(
      "python3 " + (fs::path(TAVLO_SOURCE_DIR) / "tests/TavloExport/check_design_tokens.py").string() + " " +
      (fs::path(TAVLO_TEST_DATA) / "dtcg-2025.10/schemas").string() + " " + folder.string() + " tokens");
  EXPECT_EQ(result.status, 0) << result.out;
  EXPECT_NE(result.out.find("checked 60 tokens"), std::string::npos) << result.out;
}

}  // namespace
}  // namespace exporttest
