#include "TavloData/Diagnostics.h"

#include <algorithm>
#include <tuple>
#include <utility>

#include "TavloData/ItemElementReaders.h"
#include "TavloData/MerrinColorProjectItem.h"
#include "TavloData/ReadDiagnostics.h"

namespace tavlo {

std::vector<Diagnostic> DiagnosticSink::sortedDiagnostics() const {
  std::vector<Diagnostic> sorted = diagnostics_;
  std::stable_sort(sorted.begin(), sorted.end(), [](const Diagnostic& a, const Diagnostic& b) {
    return std::tie(a.line, a.column) < std::tie(b.line, b.column);
  });
  return sorted;
}

std::size_t DiagnosticSink::count(DiagnosticSeverity severity) const {
  return static_cast<std::size_t>(
      std::count_if(diagnostics_.begin(), diagnostics_.end(),
                    [&](const Diagnostic& d) { return d.severity() == severity; }));
}

namespace {

thread_local ReadDiagnostics* active = nullptr;

std::string nameOrId(const MerrinColorProjectItem& node) {
  return node.name().empty() ? node.uuid() : node.name();
}

}  // namespace

ReadDiagnostics* activeReadDiagnostics() {
  return active;
}

ReadDiagnostics::ReadDiagnostics(DiagnosticSink& sink) : sink_(sink), previous_(active) {
  active = this;
}

ReadDiagnostics::~ReadDiagnostics() {
  active = previous_;
}

void ReadDiagnostics::report(DiagnosticCode code, const xmltree::XML& at, std::string message) {
  report(code, positionOf(at), std::move(message), currentItem());
}

void ReadDiagnostics::report(DiagnosticCode code, Position at, std::string message, std::string item) {
  sink_.report({code, at.line, at.column, std::move(message), std::move(item)});
}

void ReadDiagnostics::enterItem(const xmltree::XML& element) {
  items_.push_back({&element, std::nullopt});
}

std::string ReadDiagnostics::currentItem() const {
  if (items_.empty()) return std::string();
  std::optional<std::string_view> name = childText(*items_.back().element, "name");
  if (!name || name->empty()) name = childText(*items_.back().element, "id");
  return std::string(name.value_or(std::string_view()));
}

void ReadDiagnostics::noteDropCause(const xmltree::XML& at, std::string reason) {
  (items_.empty() ? looseCause_ : items_.back().dropCause) = DropCause{positionOf(at), std::move(reason)};
}

std::optional<ReadDiagnostics::DropCause> ReadDiagnostics::takeDropCause() {
  std::optional<DropCause>& cause = items_.empty() ? looseCause_ : items_.back().dropCause;
  return std::exchange(cause, std::nullopt);
}

const ReadDiagnostics::AliasSource* ReadDiagnostics::aliasSource(const void* alias) const {
  const auto found = aliases_.find(alias);
  return found == aliases_.end() ? nullptr : &found->second;
}

void ReadDiagnostics::recordId(const MerrinColorProjectItem& node, const xmltree::XML& idElement) {
  ids_.push_back({&node, positionOf(idElement)});
}

void ReadDiagnostics::reportDuplicateIds() {
  // Items are read as their elements close, members before their group, so
  // document order is restored from the positions.
  std::stable_sort(ids_.begin(), ids_.end(), [](const IdRecord& a, const IdRecord& b) {
    return std::tie(a.at.line, a.at.column) < std::tie(b.at.line, b.at.column);
  });
  std::unordered_map<std::string_view, const IdRecord*> first;
  first.reserve(ids_.size());
  for (const IdRecord& record : ids_) {
    const std::string& id = record.node->uuid();
    const auto [found, isFirst] = first.try_emplace(id, &record);
    if (isFirst) continue;
    const IdRecord& earlier = *found->second;
    report(DiagnosticCode::duplicateId, record.at,
           "id '" + id + "' is already used by '" + nameOrId(*earlier.node) + "' on line " +
               std::to_string(earlier.at.line) + "; references reach only that one",
           nameOrId(*record.node));
  }
  ids_.clear();
}

}  // namespace tavlo
