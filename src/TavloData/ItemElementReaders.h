// Reading the item elements of a document: the parsers of the thirteen item
// kinds and the shared rules they use (the first child of a name, identifiers,
// flags). Each kind's parser is defined beside its kind and is reached through
// the dispatch table in ItemElementReaders.cpp, keyed by element name.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "TavloData/ProjectKinds.h"
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

// One child of `colorItems` or of a `group`: the node, or empty when the
// element is no item element or its kind parser left it out. Reads the
// common children too: build and test group links (resolved against the
// project's groups, which are read first), `testPosition`, and for groups
// `expanded` and `namespace`.
MerrinColorProjectItemPtr parseItem(const xmltree::XML& element, MerrinColorProject& project,
                                    bool generateNewIds);

}  // namespace tavlo
