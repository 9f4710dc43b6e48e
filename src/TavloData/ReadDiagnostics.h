// The reader's side of a DiagnosticSink (Diagnostics.h): what one read with
// a sink keeps to place and name its findings. A read given a sink makes one
// ReadDiagnostics, which is the active one on its thread until it ends; every
// report site asks activeReadDiagnostics() and does nothing when it is null,
// so a read without a sink pays one pointer test per site and nothing else.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "TavloData/Diagnostics.h"
#include "xmltree/XML.h"

namespace tavlo {

class MerrinColorProjectItem;

class ReadDiagnostics {
 public:
  struct Position {
    std::uint32_t line = 0;
    std::uint32_t column = 0;
  };
  static Position positionOf(const xmltree::XML& element) {
    return {element.sourceLine(), element.sourceColumn()};
  }

  // Active on this thread from construction to destruction.
  explicit ReadDiagnostics(DiagnosticSink& sink);
  ~ReadDiagnostics();
  ReadDiagnostics(const ReadDiagnostics&) = delete;
  ReadDiagnostics& operator=(const ReadDiagnostics&) = delete;

  DiagnosticSink& sink() { return sink_; }

  // A finding at `at`, for the innermost item being read.
  void report(DiagnosticCode code, const xmltree::XML& at, std::string message);
  void report(DiagnosticCode code, Position at, std::string message, std::string item);

  // The items being read, innermost last (see ItemBeingRead).
  void enterItem(const xmltree::XML& element);
  void leaveItem() { items_.pop_back(); }
  // The name, or the id, of the innermost item being read; empty outside items.
  std::string currentItem() const;

  // Why the value being read could not be read, at the element found
  // wanting; the item (or the ramp member) that needed it decides whether
  // that drops anything. A later cause replaces an earlier one.
  void noteDropCause(const xmltree::XML& at, std::string reason);
  struct DropCause {
    Position at;
    std::string reason;
  };
  std::optional<DropCause> takeDropCause();

  // Where each of an alias's four references is written, by ColorSource,
  // kept until the alias is resolved. `alias` is its AliasReferences object.
  struct AliasSource {
    std::array<Position, 4> references;
    std::string item;
  };
  void recordAlias(const void* alias, AliasSource source) { aliases_.emplace(alias, std::move(source)); }
  const AliasSource* aliasSource(const void* alias) const;

  // The identifier of a node read from an element with an `id` text (so the
  // node's uuid is that text), for duplicate-id once all are read. The node
  // must outlive the read.
  void recordId(const MerrinColorProjectItem& node, const xmltree::XML& idElement);
  // Reports every id used by an item earlier in the document, at the later one.
  void reportDuplicateIds();

 private:
  struct ItemFrame {
    const xmltree::XML* element;  // alive while it is being read
    std::optional<DropCause> dropCause;
  };
  struct IdRecord {
    const MerrinColorProjectItem* node;
    Position at;
  };

  DiagnosticSink& sink_;
  ReadDiagnostics* previous_;
  std::vector<ItemFrame> items_;
  std::optional<DropCause> looseCause_;  // noted outside any item
  std::unordered_map<const void*, AliasSource> aliases_;
  std::vector<IdRecord> ids_;
};

template <class ReferenceType>
class AliasReferences;

// The key an alias's reference positions are kept under: its AliasReferences
// part, which the reader and the resolution both see.
template <class ReferenceType>
const void* aliasKey(const AliasReferences<ReferenceType>& alias) {
  return &alias;
}

// The ReadDiagnostics of the read running on this thread, or null.
ReadDiagnostics* activeReadDiagnostics();

// ReadDiagnostics::noteDropCause on the active diagnostics, if any, with the
// pieces of text joined; nothing is joined without diagnostics.
template <class... Pieces>
void noteDropCause(const xmltree::XML& at, const Pieces&... pieces) {
  if (ReadDiagnostics* diagnostics = activeReadDiagnostics()) {
    std::string reason;
    (reason.append(std::string_view(pieces)), ...);
    diagnostics->noteDropCause(at, std::move(reason));
  }
}

// Marks an item element as being read for the lifetime of the guard.
class ItemBeingRead {
 public:
  explicit ItemBeingRead(const xmltree::XML& element) : diagnostics_(activeReadDiagnostics()) {
    if (diagnostics_) diagnostics_->enterItem(element);
  }
  ~ItemBeingRead() {
    if (diagnostics_) diagnostics_->leaveItem();
  }
  ItemBeingRead(const ItemBeingRead&) = delete;
  ItemBeingRead& operator=(const ItemBeingRead&) = delete;

  ReadDiagnostics* diagnostics() const { return diagnostics_; }

 private:
  ReadDiagnostics* diagnostics_;
};

}  // namespace tavlo
