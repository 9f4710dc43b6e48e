// Reading the item elements of a document: the parsers of the thirteen item
// kinds and the shared rules they use (the first child of a name, identifiers,
// flags). Each kind's parser is defined beside its kind and is reached through
// the dispatch table in ItemElementReaders.cpp, keyed by element name.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "TavloData/ProjectKinds.h"
#include "TavloData/ReadDiagnostics.h"
#include "xmltree/XML.h"

namespace tavlo {

// What a kind parser returns. A node is built only when both `name` and
// `item` are present; a parser that fails leaves all three empty, one that
// succeeds gives the text of `name` (empty when the element is missing).
template <class Kind>
struct ParsedItem {
  std::optional<std::string> name;
  std::string id;
  std::shared_ptr<Kind> item;
};

// The shared rules. Element names are compared exactly; only the first child
// of a name counts; an element without character data has no text.

// The first child element named `name`, or null.
const xmltree::XML* firstChildElement(const xmltree::XML& element, std::string_view name);
// The text of the first child named `name`; absent when there is no such child
// or it holds no character data. Views into the element tree.
std::optional<std::string_view> childText(const xmltree::XML& element, std::string_view name);
// A flag is set exactly when its text is "1".
bool childFlag(const xmltree::XML& element, std::string_view name);
// The text of `name`, or empty.
std::string readItemName(const xmltree::XML& element);
// A fresh identifier when asked for new ones or when `id` has no text;
// otherwise the text of `id`, taken as it is.
std::string readIdentifier(const xmltree::XML& element, bool generateNewIds);

// The kind parsers; the receiver is the item element of that name.
ParsedItem<MerrinColorGroup> parseGroupItem(const xmltree::XML& element, MerrinColorProject& project,
                                            bool generateNewIds);
ParsedItem<MerrinColorItem> parseColorItem(const xmltree::XML& element, bool generateNewIds);
ParsedItem<MerrinColorSet> parseColorSet(const xmltree::XML& element, bool generateNewIds);
ParsedItem<MerrinColorAlias> parseColorAlias(const xmltree::XML& element, bool generateNewIds);
ParsedItem<MerrinColorNumber> parseNumberItem(const xmltree::XML& element, bool generateNewIds);
ParsedItem<MerrinColorNumberAlias> parseNumberAlias(const xmltree::XML& element, bool generateNewIds);
ParsedItem<MerrinColorBoolean> parseBooleanItem(const xmltree::XML& element, bool generateNewIds);
ParsedItem<MerrinColorBooleanAlias> parseBooleanAlias(const xmltree::XML& element, bool generateNewIds);
ParsedItem<MerrinColorString> parseStringItem(const xmltree::XML& element, bool generateNewIds);
ParsedItem<MerrinColorStringAlias> parseStringAlias(const xmltree::XML& element, bool generateNewIds);
ParsedItem<MerrinColorShadow> parseShadowItem(const xmltree::XML& element, bool generateNewIds);
ParsedItem<MerrinColorShadowSet> parseShadowSet(const xmltree::XML& element, bool generateNewIds);
ParsedItem<MerrinColorShadowAlias> parseShadowAlias(const xmltree::XML& element, bool generateNewIds);

// Build and test group links of nodes read before the project's groups: the
// texts are kept as the items are read and resolved in one pass afterwards,
// with the same outcome as resolving each at once against the finished groups.
class ItemGroupLinks {
 public:
  // The positions are those of the id elements, for the findings of a read
  // with diagnostics.
  void add(MerrinColorProjectItemPtr node, std::optional<std::string_view> buildGroupId,
           std::optional<std::string_view> testGroupId, ReadDiagnostics::Position buildGroupIdAt = {},
           ReadDiagnostics::Position testGroupIdAt = {});
  // Links every recorded node to the first of the project's groups with its
  // uuid (no link when none has it), then forgets the records.
  void resolve(const MerrinColorProject& project);

 private:
  struct Pending {
    MerrinColorProjectItemPtr node;
    std::optional<std::string> buildGroupId;
    std::optional<std::string> testGroupId;
    ReadDiagnostics::Position buildGroupIdAt;
    ReadDiagnostics::Position testGroupIdAt;
  };
  std::vector<Pending> pending_;
};

// One child of `colorItems` or of a `group`: the node, or empty when the
// element is no item element or its kind parser left it out. Reads the
// common children too: build and test group links, `testPosition`, and for
// groups `expanded` and `namespace`. The links are resolved against the
// project's groups as they are now, or, with `deferredLinks`, recorded there
// for this node and every node beneath it, to be resolved later.
MerrinColorProjectItemPtr parseItem(const xmltree::XML& element, MerrinColorProject& project,
                                    bool generateNewIds, ItemGroupLinks* deferredLinks = nullptr);

// Reads a document's items while its element tree is being parsed: the
// handler of XML::fromData's hand-over of the `colorItems` children, nested
// through `group` elements. Each item element becomes its node as soon as it
// is complete and then leaves the tree; a group is read last, from its own
// remaining children and the nodes of its members read before it. The nodes
// are those parseItem would give on each child of the whole tree's
// `colorItems`, with the group links recorded in `links`.
class ItemElementStream {
 public:
  ItemElementStream(MerrinColorProject& project, bool generateNewIds, ItemGroupLinks& links)
      : project_(project), generateNewIds_(generateNewIds), links_(links) {}

  // The hand-over to parse with: the root's `project`, its `colorItems`, nesting into `group`.
  static const xmltree::XML::HandOver& handOver();
  // The element handler.
  bool take(const xmltree::XMLPtr& element, std::size_t level);
  // The top-level nodes read so far, in document order.
  MerrinColorProjectItemList takeItems();

 private:
  MerrinColorProject& project_;
  bool generateNewIds_;
  ItemGroupLinks& links_;
  // The nodes read at each nesting level and not yet handed to their group:
  // those at level n + 1 belong to the group element open at level n.
  std::vector<MerrinColorProjectItemList> members_;
};

}  // namespace tavlo
