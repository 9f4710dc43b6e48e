#include "TavloData/GroupElementReader.h"

#include "TavloData/BuildGroup.h"
#include "TavloData/ReadDiagnostics.h"
#include "TavloData/TestGroup.h"
#include "TavloData/UUID.h"

namespace tavlo {

namespace {

using xmltree::XML;

// The text of the first child named NAME; absent when there is no such child
// or it holds no character data.
std::optional<std::string> childText(const XML& element, std::string_view name) {
  for (const auto& child : element.xmlChildren())
    if (child->xmlName() == name) return child->xmlValue();
  return std::nullopt;
}

const XML* firstChild(const XML& element, std::string_view name) {
  for (const auto& child : element.xmlChildren())
    if (child->xmlName() == name) return child.get();
  return nullptr;
}

std::optional<long long> integerText(const std::optional<std::string>& text) {
  if (!text) return std::nullopt;
  return xmltree::text::toInt64(*text);
}

// Tasks and tests get a fresh identifier when theirs is missing.
std::string taskIdentifier(const XML& element, bool generateNewIds) {
  if (!generateNewIds)
    if (auto id = childText(element, "id")) return *id;
  return makeUUIDString();
}

// Groups keep the empty text when their identifier is missing, so that no
// item link can reach them by accident.
std::string groupIdentifier(const XML& element, bool generateNewIds) {
  if (generateNewIds) return makeUUIDString();
  return childText(element, "id").value_or(std::string());
}

// A task or test left out of its group, named by its own name.
void reportDroppedTask(const XML& element, std::string_view what, std::string_view rule) {
  if (ReadDiagnostics* diagnostics = activeReadDiagnostics())
    diagnostics->report(DiagnosticCode::itemDropped, ReadDiagnostics::positionOf(element),
                        std::string(what) + " left out: " + std::string(rule),
                        childText(element, "name").value_or(std::string()));
}

template <class Member, class Parse>
std::vector<std::shared_ptr<Member>> parseMembers(const XML& group, std::string_view listName, Parse parse,
                                                  bool generateNewIds) {
  std::vector<std::shared_ptr<Member>> members;
  if (const XML* list = firstChild(group, listName))
    for (const auto& child : list->xmlChildren())
      if (auto member = parse(*child, generateNewIds)) members.push_back(std::move(member));
  return members;
}

}  // namespace

std::shared_ptr<BuildTask> parseBuildTask(const XML& element, bool generateNewIds) {
  auto fileType = integerText(childText(element, "fileType"));
  auto transformCode = integerText(childText(element, "nameTransform"));
  auto exportFileType = fileType ? buildFileTypeFromRaw(*fileType) : std::nullopt;
  auto nameTransform = transformCode ? buildNameTransformFromRaw(*transformCode) : std::nullopt;
  if (!exportFileType || !nameTransform) {
    reportDroppedTask(element, "build task",
                      !exportFileType ? "fileType must be an integer from 0 to 13"
                                      : "nameTransform must be an integer from 0 to 4");
    return nullptr;
  }

  std::optional<BuildExportFormat> exportFormat;
  if (auto word = childText(element, "format")) exportFormat = buildExportFormatFromRaw(*word);

  std::map<std::string, std::string> customData;
  if (const XML* configuration = firstChild(element, "configuration"))
    for (const auto& entry : configuration->xmlChildren())
      if (const auto& value = entry->xmlValue()) customData[entry->xmlName()] = *value;  // the later one wins

  return std::make_shared<BuildTask>(
      taskIdentifier(element, generateNewIds), childText(element, "name").value_or(std::string()),
      *nameTransform, childText(element, "folder").value_or(std::string()),
      childText(element, "fileName").value_or(std::string()), *exportFileType, exportFormat,
      childText(element, "namePrefix"), childText(element, "nameSuffix"), std::move(customData));
}

std::shared_ptr<BuildGroup> parseBuildGroup(const XML& element, bool generateNewIds) {
  auto group = std::make_shared<BuildGroup>(
      childText(element, "name").value_or(std::string()), groupIdentifier(element, generateNewIds),
      parseMembers<BuildTask>(element, "tasks", parseBuildTask, generateNewIds));
  if (childText(element, "expanded") == "1") group->setIsExpanded(true);
  return group;
}

std::shared_ptr<TestTask> parseTestTask(const XML& element, bool generateNewIds) {
  auto type = childText(element, "type");
  auto taskType = type ? testTaskTypeFromRaw(*type) : std::nullopt;
  if (!taskType) {
    reportDroppedTask(element, "test", "type must be apcaContrast or wcagContrast");
    return nullptr;
  }
  auto test = std::make_shared<TestTask>(taskIdentifier(element, generateNewIds),
                                         childText(element, "name").value_or(std::string()), *taskType);
  if (auto word = childText(element, "thresholdType"))
    test->setThresholdType(testThresholdTypeFromRaw(*word));
  test->setThreshold(integerText(childText(element, "threshold")));
  test->setMinFontSize(integerText(childText(element, "fontSize")));
  if (auto word = childText(element, "fontWeight")) test->setMinFontWeight(testFontWeightFromRaw(*word));
  return test;
}

std::shared_ptr<TestGroup> parseTestGroup(const XML& element, bool generateNewIds) {
  auto group = std::make_shared<TestGroup>(
      childText(element, "name").value_or(std::string()), groupIdentifier(element, generateNewIds),
      parseMembers<TestTask>(element, "tests", parseTestTask, generateNewIds));
  if (childText(element, "expanded") == "1") group->setIsExpanded(true);
  return group;
}

}  // namespace tavlo
