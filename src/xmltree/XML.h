// The element tree: one XML object per element, held by XMLPtr. The document
// reader parses bytes into a tree and walks it with chained lookups; the
// document writer builds a tree and turns it into text with description().
//
//   XMLPtr root = XML::fromData(bytes);               // empty when not well-formed
//   for (const XMLPtr& item : (*root)["project"]["items"]["item"]) ...
//   std::optional<std::string> id = (*root)["project"]["$uuid"].string();
//
//   XMLPtr doc = XML::make("project", {{"version", 2}, {"name", "Colours"}});
//   doc->addChild(XML::make("item", {}, "text"));
//   std::string text = doc->description();
//
// Parsing is hardened for documents from anywhere (docs/xml-parser-policy.md):
// no document type declarations, no entities beyond the predefined ones,
// nothing loaded from outside, at most 256 nested elements.
#pragma once

#include <concepts>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "xmltree/StringProvider.h"
#include "xmltree/XMLError.h"
#include "xmltree/XMLSubscript.h"

namespace xmltree {

// Any value given as an attribute or element value, kept as its textual
// description: a text unchanged, a bool as "true"/"false", an integer in
// decimal, a floating-point number in its shortest plain decimal form that
// reads back to the same number ("0.1", "2", "-0.0000015"; "inf", "-inf",
// "nan" for the special values), with "." whatever the locale.
class XMLAnyValue {
 public:
  XMLAnyValue(std::string text) : text_(std::move(text)) {}
  XMLAnyValue(std::string_view text) : text_(text) {}
  XMLAnyValue(const char* text) : text_(text) {}
  XMLAnyValue(bool value) : text_(value ? "true" : "false") {}
  template <std::integral T>
  requires(!std::same_as<T, bool> && !std::same_as<T, char>) XMLAnyValue(T value)
      : text_(std::to_string(value)) {}
  XMLAnyValue(double value);
  XMLAnyValue(float value);

  const std::string& text() const& { return text_; }
  std::string text() && { return std::move(text_); }

 private:
  std::string text_;
};

// Attribute entries in the order given (the element keeps them unordered).
using XMLAnyAttributes = std::vector<std::pair<std::string, XMLAnyValue>>;

// Encodings accepted by XML::fromString.
enum class TextEncoding {
  utf8,
  ascii,              // fails on any character above U+007F
  isoLatin1,          // fails on any character above U+00FF
  utf16,              // byte order mark, then little-endian units
  utf16BigEndian,     // no byte order mark
  utf16LittleEndian,  // no byte order mark
};

class XML : public std::enable_shared_from_this<XML>, public StringProvider<XML> {
  struct PrivateTag {
    explicit PrivateTag() = default;
  };

 public:
  using Attributes = std::unordered_map<std::string, std::string>;

  // Construction. Every factory returns an empty pointer for "absent".
  static XMLPtr make(std::string name, const XMLAnyAttributes& attributes = {},
                     std::optional<XMLAnyValue> value = std::nullopt);
  // Parses a whole document. Absent when the bytes are not a well-formed
  // document within the parser policy or hold no element at all; the one-line
  // reason goes to the parse error sink.
  static XMLPtr fromData(std::string_view bytes);
  // Which elements the streaming fromData hands over as soon as they are
  // complete: every child of the element reached from the root through
  // `parentPath` (the root's first child named parentPath[0], in that the
  // first child named parentPath[1], and so on; the root's own name does not
  // matter), and, below those, every child of a handed-over element named
  // `nestingName` (none when empty), to any depth.
  struct HandOver {
    std::vector<std::string> parentPath;
    std::string nestingName;
  };
  // Receives each handed-over element complete, subtree and parent link
  // included, after everything handed over from inside it. `level` is 0 for
  // children of the path's end and one more per nesting element between.
  // Returning true takes the element: it leaves its parent's children (and is
  // freed unless the handler kept it); false leaves it in the tree.
  using ElementHandler = std::function<bool(const XMLPtr& element, std::size_t level)>;
  // Parses like fromData, handing elements over as they complete, so that a
  // large document's whole tree never exists at once: the returned tree lacks
  // the elements the handler took. A document found not well-formed after
  // some elements were handed over still gives absent; callers drop what they
  // made of them then.
  static XMLPtr fromData(std::string_view bytes, const HandOver& handOver, const ElementHandler& handler);
  // Why and where a document stopped being well formed: the reason (the
  // report line without its "xml parse error: ") and its line and column,
  // counted as sourceLine and sourceColumn count.
  struct ParseFailure {
    std::string reason;
    std::uint32_t line = 1;
    std::uint32_t column = 1;
  };
  // As the streaming fromData, and also records where every element starts
  // (sourceLine, sourceColumn), which plain parses leave at 0; a document
  // found not well formed leaves its failure in `failure` (untouched
  // otherwise), beside the report line.
  static XMLPtr fromData(std::string_view bytes, const HandOver& handOver, const ElementHandler& handler,
                         std::optional<ParseFailure>& failure);
  // Reads the whole file, then as fromData. An unreadable file reports
  // "cannot read '<path>': <reason>" to the parse error sink.
  static XMLPtr fromURL(const std::string& path);
  // As fromURL on the file `name` in the resource directory: the environment
  // variable TAVLO_RESOURCE_DIR when set, otherwise the installed data folder.
  // A name with "/" in it, ".", ".." or a missing directory gives absent.
  static XMLPtr fromNamed(const std::string& name);
  // Encodes the UTF-8 `text` (absent when it is not valid UTF-8 or when a
  // character cannot be represented in `encoding`), then as fromData.
  static XMLPtr fromString(std::string_view text, TextEncoding encoding);

  XML(PrivateTag, std::string name) : name_(std::move(name)) {}
  XML(const XML&) = delete;
  XML& operator=(const XML&) = delete;
  // Frees arbitrarily deep subtrees without recursion.
  ~XML();

  const std::string& xmlName() const { return name_; }
  void setXmlName(std::string name) { name_ = std::move(name); }
  const Attributes& xmlAttributes() const { return attributes_; }
  void setXmlAttributes(Attributes attributes) { attributes_ = std::move(attributes); }
  const std::optional<std::string>& xmlValue() const { return value_; }
  void setXmlValue(std::optional<std::string> value) { value_ = std::move(value); }
  const std::vector<XMLPtr>& xmlChildren() const { return children_; }
  // The unit repeated once per depth level when this element's lines are written; one tab at first.
  const std::string& indentCharacters() const {
    return indentCharacters_ ? *indentCharacters_ : kDefaultIndent;
  }
  void setIndentCharacters(std::string unit) {
    indentCharacters_ = std::make_unique<std::string>(std::move(unit));
  }
  // The element whose children list holds this one; empty for a root or a released parent.
  XMLPtr parent() const { return parent_.lock(); }
  // Where a parsed element's start tag begins: its line, from 1, and its
  // column, from 1, counted in characters (a tab is one, a byte order mark
  // none). 0 for elements made, or parsed without positions.
  std::uint32_t sourceLine() const { return sourceLine_; }
  std::uint32_t sourceColumn() const { return sourceColumn_; }

  // Mutation; each returns the receiver for chaining.
  XML& addAttribute(const std::string& name, const XMLAnyValue& value);
  XML& addAttributes(const XMLAnyAttributes& entries);
  // Any range of (name, value) pairs, an Attributes map for example.
  template <class Range>
  requires(!std::same_as<std::remove_cvref_t<Range>, XMLAnyAttributes>) XML& addAttributes(
      const Range& entries) {
    for (const auto& [name, value] : entries) addAttribute(name, XMLAnyValue(value));
    return *this;
  }
  // Appends `child` and makes the receiver its parent. The child stays in any
  // earlier parent's list. Adding an element to itself stops the program with
  // "can not add self to xml children list!".
  XML& addChild(const XMLPtr& child);
  XML& addChildren(const std::vector<XMLPtr>& children);

  // Lookup; never throws.
  XMLSubscriptResult operator[](const XMLSubscriptKey& key) const;
  XMLSubscriptResult operator[](std::string_view memberName) const;
  XMLSubscriptResult operator[](std::int64_t position) const {
    return (*this)[XMLSubscriptKey::index(position)];
  }

  // StringProvider: the element's value.
  std::optional<std::string> string() const { return value_; }

  // The element and its subtree as XML text at depth 0, no declaration line.
  std::string description() const;

 private:
  friend class SimpleXMLParser;

  std::string name_;
  Attributes attributes_;
  std::optional<std::string> value_;
  std::vector<XMLPtr> children_;
  // Nearly every element keeps the one-tab default: only another unit is stored.
  inline static const std::string kDefaultIndent = "\t";
  std::unique_ptr<std::string> indentCharacters_;
  std::weak_ptr<XML> parent_;
  // Fills the allocation's last eight bytes, which the allocator's rounding
  // leaves unused otherwise: a parsed element costs no more memory for them.
  std::uint32_t sourceLine_ = 0;
  std::uint32_t sourceColumn_ = 0;
};

// Where the tree's one-line parse and read error reports go. The default
// writes the line and a line feed to standard output; an empty function
// restores the default. Not synchronised: set it before parsing starts.
void setParseErrorSink(std::function<void(std::string_view line)> sink);

// The element depth above which a document reads as not well-formed.
inline constexpr int kMaxElementDepth = 256;

}  // namespace xmltree
