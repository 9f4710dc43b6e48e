// tavlo check FILE [--format text|json|junit] [--group NAME]...: evaluates the
// document's contrast tests, so that a build can fail when a colour pair stops
// being readable. Exit 0 when every pair passes, 1 when one fails or the
// document cannot be read, 2 for bad usage (an unknown --group name too).
#include <nlohmann/json.hpp>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "Command.h"
#include "ProjectInput.h"
#include "TavloContrast/ContrastEvaluation.h"
#include "xmltree/XML.h"

namespace tavlo::cli {

namespace {

using namespace tavlo::contrast;

bool isWcag(const ContrastRequirement& requirement) {
  return requirement.method == TestTaskType::wcagContrastTest;
}

std::string pairName(const GroupEvaluation& group, const ContrastResult& result) {
  return group.members[result.foreground].name + " on " + group.members[result.background].name;
}

std::string summary(const ContrastReport& report) {
  return std::to_string(report.passed + report.failed) + " results: " + std::to_string(report.passed) +
         " passed, " + std::to_string(report.failed) + " failed";
}

// Names come from documents: a control character would break the table's lines.
std::string printable(std::string text) {
  for (char& c : text)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) c = '?';
  return text;
}

// Characters, not bytes, so that names in any script line up.
std::size_t displayWidth(const std::string& text) {
  std::size_t width = 0;
  for (char c : text) width += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  return width;
}

void printText(const ContrastReport& report) {
  std::vector<std::vector<std::string>> rows{
      {"GROUP", "TEST", "FOREGROUND", "BACKGROUND", "APPEARANCE", "VALUE", "REQUIRED", "RESULT"}};
  for (const GroupEvaluation& group : report.groups)
    for (const TestEvaluation& test : group.tests)
      for (const ContrastResult& result : test.results)
        rows.push_back({printable(group.name), printable(test.name),
                        printable(group.members[result.foreground].name),
                        printable(group.members[result.background].name),
                        std::string(caseName(result.appearance)), shownValue(test.requirement, result.value),
                        shownRequirement(test.requirement), result.pass ? "PASS" : "FAIL"});
  if (rows.size() > 1) {
    std::vector<std::size_t> widths(rows.front().size(), 0);
    for (const auto& row : rows)
      for (std::size_t i = 0; i < row.size(); ++i) widths[i] = std::max(widths[i], displayWidth(row[i]));
    for (const auto& row : rows) {
      std::string line;
      for (std::size_t i = 0; i < row.size(); ++i) {
        line += row[i];
        if (i + 1 < row.size()) line.append(widths[i] - displayWidth(row[i]) + 2, ' ');
      }
      std::cout << line << '\n';
    }
  }
  std::cout << summary(report) << '\n';
}

void printJson(const ContrastReport& report) {
  nlohmann::ordered_json groups = nlohmann::ordered_json::array();
  for (const GroupEvaluation& group : report.groups) {
    nlohmann::ordered_json tests = nlohmann::ordered_json::array();
    for (const TestEvaluation& test : group.tests) {
      nlohmann::ordered_json results = nlohmann::ordered_json::array();
      for (const ContrastResult& result : test.results)
        results.push_back({{"foreground", group.members[result.foreground].name},
                           {"background", group.members[result.background].name},
                           {"appearance", caseName(result.appearance)},
                           {"value", result.value},
                           {"pass", result.pass}});
      tests.push_back({{"name", test.name},
                       {"method", isWcag(test.requirement) ? "wcag" : "apca"},
                       {"required", test.requirement.required},
                       {"results", std::move(results)}});
    }
    groups.push_back({{"name", group.name}, {"tests", std::move(tests)}});
  }
  const nlohmann::ordered_json out{
      {"groups", std::move(groups)}, {"passed", report.passed}, {"failed", report.failed}};
  // Names come from documents of any origin: replace invalid UTF-8 rather than throw.
  std::cout << out.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << '\n';
}

// One test case per result, grouped in one suite per test group; the element
// tree's writer escapes the names.
void printJUnit(const ContrastReport& report, const std::string& path) {
  auto suites = xmltree::XML::make("testsuites", {{"name", "tavlo check " + path},
                                                  {"tests", std::to_string(report.passed + report.failed)},
                                                  {"failures", std::to_string(report.failed)}});
  for (const GroupEvaluation& group : report.groups) {
    std::size_t count = 0;
    std::size_t failures = 0;
    auto suite = xmltree::XML::make("testsuite", {{"name", group.name}});
    for (const TestEvaluation& test : group.tests) {
      count += test.results.size();
      failures += test.failed;
      for (const ContrastResult& result : test.results) {
        const std::string value = shownValue(test.requirement, result.value);
        auto testCase = xmltree::XML::make(
            "testcase", {{"classname", group.name + "." + test.name},
                         {"name", pairName(group, result) + " (" + std::string(caseName(result.appearance)) +
                                      "): " + value}});
        if (!result.pass)
          testCase->addChild(xmltree::XML::make(
              "failure", {{"type", "contrast"},
                          {"message", value + " is below " + shownRequirement(test.requirement)}}));
        suite->addChild(testCase);
      }
    }
    suite->addAttribute("tests", std::to_string(count)).addAttribute("failures", std::to_string(failures));
    suites->addChild(suite);
  }
  std::cout << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n" << suites->description() << '\n';
}

struct CheckOptions {
  std::string path;
  std::string format = "text";
  std::vector<std::string> groups;
};

CommandRun setupCheck(CLI::App& command) {
  auto options = std::make_shared<CheckOptions>();
  command.add_option("FILE", options->path, "The document whose contrast tests to evaluate")->required();
  command.add_option("--format", options->format, "Report as a table, JSON or JUnit XML")
      ->check(CLI::IsMember({"text", "json", "junit"}));
  command.add_option("--group", options->groups, "Evaluate only the test groups of this name (repeatable)");
  return [options] {
    const std::size_t reportsBefore = parseErrorsReported();
    auto project = readProjectFile(options->path);
    if (!project || parseErrorsReported() != reportsBefore) return 1;
    std::vector<std::shared_ptr<TestGroup>> groups;
    for (const auto& group : project->testGroups())
      if (group && (options->groups.empty() || std::find(options->groups.begin(), options->groups.end(),
                                                         group->name()) != options->groups.end()))
        groups.push_back(group);
    for (const std::string& name : options->groups) {
      if (std::none_of(groups.begin(), groups.end(),
                       [&](const auto& group) { return group->name() == name; })) {
        printError("no test group named '" + name + "' in '" + options->path + "'");
        return 2;
      }
    }
    const ContrastReport report = evaluateContrastTests(*project, groups);
    if (options->format == "json")
      printJson(report);
    else if (options->format == "junit")
      printJUnit(report, options->path);
    else
      printText(report);
    return report.failed == 0 ? 0 : 1;
  };
}

const CommandRegistration registration{"check", "Evaluate a document's contrast tests", setupCheck};

}  // namespace

}  // namespace tavlo::cli
