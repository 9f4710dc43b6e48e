#include "TavloData/MerrinColorFileReader.h"

#include <utility>
#include <vector>

#include "TavloData/Diagnostics.h"
#include "TavloData/DocumentSetting.h"
#include "TavloData/GroupElementReader.h"
#include "TavloData/ItemElementReaders.h"
#include "TavloData/MerrinColorProject.h"
#include "TavloData/ReadDiagnostics.h"
#include "xmltree/XML.h"

namespace tavlo {

namespace {

// Everything of the document but its items: they were read while it was
// parsed and have already left the tree.
void readEnvelope(const xmltree::XML& root, MerrinColorProject& project) {
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
      else if (ReadDiagnostics* diagnostics = activeReadDiagnostics())
        diagnostics->report(DiagnosticCode::itemDropped, *setting,
                            std::string("setting left out: it needs both a key and a value text"));
    }
  }

  if (const xmltree::XML* groups = firstChildElement(*element, "buildGroups"))
    for (const auto& child : groups->xmlChildren())
      if (auto group = parseBuildGroup(*child, false)) project.appendBuildGroup(std::move(group));
  if (const xmltree::XML* groups = firstChildElement(*element, "testGroups"))
    for (const auto& child : groups->xmlChildren())
      if (auto group = parseTestGroup(*child, false)) project.appendTestGroup(std::move(group));
}

}  // namespace

std::shared_ptr<MerrinColorProject> MerrinColorFileReader::parse(std::string_view data,
                                                                 DiagnosticSink* diagnostics) const {
  auto project = std::make_shared<MerrinColorProject>();
  std::optional<ReadDiagnostics> findings;
  if (diagnostics) findings.emplace(*diagnostics);
  const std::size_t reportedBefore = diagnostics ? diagnostics->diagnostics().size() : 0;
  // Each item element becomes its node as soon as it is complete and is freed
  // right after, so the whole document's element tree never exists at once.
  // The items' group links wait for the build and test groups, which may
  // stand after the items.
  ItemGroupLinks links;
  ItemElementStream items(*project, false, links);
  const xmltree::XML::ElementHandler take = [&items](const xmltree::XMLPtr& element, std::size_t level) {
    return items.take(element, level);
  };
  // Findings need the elements' positions; a plain read does without them.
  std::optional<xmltree::XML::ParseFailure> failure;
  const xmltree::XMLPtr root =
      findings ? xmltree::XML::fromData(data, ItemElementStream::handOver(), take, failure)
               : xmltree::XML::fromData(data, ItemElementStream::handOver(), take);
  // A document found broken after some items were read gives an empty project.
  if (root) {
    readEnvelope(*root, *project);
    for (MerrinColorProjectItemPtr& node : items.takeItems()) project->appendItem(std::move(node));
    links.resolve(*project);
    if (findings) findings->reportDuplicateIds();
  } else if (findings) {
    // Nothing of what was read before the failure stays, so nothing of it is reported.
    diagnostics->truncate(reportedBefore);
    const xmltree::XML::ParseFailure where = failure.value_or(xmltree::XML::ParseFailure{"no element found"});
    findings->report(DiagnosticCode::notWellFormed, {where.line, where.column},
                     "not well-formed: " + where.reason + "; the document reads as empty", std::string());
  }
  project->inflateAllAliases();
  return project;
}

}  // namespace tavlo
