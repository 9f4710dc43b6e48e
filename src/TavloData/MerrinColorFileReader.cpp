#include "TavloData/MerrinColorFileReader.h"

#include <utility>

#include "TavloData/DocumentSetting.h"
#include "TavloData/GroupElementReader.h"
#include "TavloData/ItemElementReaders.h"
#include "TavloData/MerrinColorProject.h"
#include "xmltree/XML.h"

namespace tavlo {

namespace {

void readDocument(const xmltree::XML& root, MerrinColorProject& project) {
  // The root's name and attributes do not matter; its `project` child does.
  const xmltree::XML* element = firstChildElement(root, "project");
  if (!element) return;

  if (const xmltree::XML* header = firstChildElement(*element, "header"))
    if (std::optional<std::string_view> description = childText(*header, "description"))
      project.setProjectDescription(std::string(*description));

  // Every child of `settings` is a setting, whatever its name.
  if (const xmltree::XML* settings = firstChildElement(*element, "settings")) {
    for (const auto& setting : settings->xmlChildren()) {
      std::optional<std::string_view> key = childText(*setting, "key");
      std::optional<std::string_view> value = childText(*setting, "value");
      if (key && value)
        project.appendSetting(std::make_shared<DocumentSetting>(std::string(*key), std::string(*value)));
    }
  }

  // Build and test groups come before the items, wherever they stand in the
  // document, so that items can link to them as they are read.
  if (const xmltree::XML* groups = firstChildElement(*element, "buildGroups"))
    for (const auto& child : groups->xmlChildren())
      if (auto group = parseBuildGroup(*child, false)) project.appendBuildGroup(std::move(group));
  if (const xmltree::XML* groups = firstChildElement(*element, "testGroups"))
    for (const auto& child : groups->xmlChildren())
      if (auto group = parseTestGroup(*child, false)) project.appendTestGroup(std::move(group));

  if (const xmltree::XML* items = firstChildElement(*element, "colorItems"))
    for (const auto& child : items->xmlChildren())
      if (MerrinColorProjectItemPtr node = parseItem(*child, project, false))
        project.appendItem(std::move(node));
}

}  // namespace

std::shared_ptr<MerrinColorProject> MerrinColorFileReader::parse(std::string_view data) const {
  auto project = std::make_shared<MerrinColorProject>();
  if (xmltree::XMLPtr root = xmltree::XML::fromData(data)) readDocument(*root, *project);
  project->inflateAllAliases();
  return project;
}

}  // namespace tavlo
