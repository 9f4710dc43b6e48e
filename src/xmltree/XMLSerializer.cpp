// XML::description: the element and its subtree as indented XML text.
#include <algorithm>
#include <cstdint>

#include "xmltree/XML.h"

namespace xmltree {

namespace {

// Equivalent to replacing, in this order, & " ' > < by their entity
// references: the later replacements never introduce a bare character that
// an earlier one would have to see again, so one pass gives the same text.
// A carriage return is written as a character reference too: a parser turns
// a raw one into a line feed, so only the reference reads back as written.
void appendEscaped(std::string& out, std::string_view text) {
  // Runs without markup characters are copied whole.
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    std::string_view entity;
    switch (text[i]) {
      case '&':
        entity = "&amp;";
        break;
      case '"':
        entity = "&quot;";
        break;
      case '\'':
        entity = "&apos;";
        break;
      case '>':
        entity = "&gt;";
        break;
      case '<':
        entity = "&lt;";
        break;
      case '\r':
        entity = "&#13;";
        break;
      default:
        continue;
    }
    out.append(text.substr(start, i - start)).append(entity);
    start = i + 1;
  }
  out.append(text.substr(start));
}

// Whitespace and line breaks as the text value is trimmed: the Unicode space
// separators (Zs, Zl, Zp), U+0009 to U+000D and U+0085.
bool isTrimmedSpace(char32_t c) {
  return c == 0x20 || (c >= 0x09 && c <= 0x0D) || c == 0x85 || c == 0xA0 || c == 0x1680 ||
         (c >= 0x2000 && c <= 0x200A) || c == 0x2028 || c == 0x2029 || c == 0x202F || c == 0x205F ||
         c == 0x3000;
}

// Decodes the well-formed UTF-8 sequence of `length` bytes at `p`; 0xFFFFFFFF when it is not one.
char32_t decode(const unsigned char* p, std::size_t length) {
  const char32_t invalid = 0xFFFFFFFF;
  if (length == 1) return p[0] < 0x80 ? p[0] : invalid;
  for (std::size_t i = 1; i < length; ++i)
    if ((p[i] & 0xC0) != 0x80) return invalid;
  if (length == 2 && (p[0] & 0xE0) == 0xC0) return ((p[0] & 0x1Fu) << 6) | (p[1] & 0x3Fu);
  if (length == 3 && (p[0] & 0xF0) == 0xE0)
    return ((p[0] & 0x0Fu) << 12) | ((p[1] & 0x3Fu) << 6) | (p[2] & 0x3Fu);
  return invalid;  // no trimmed character needs four bytes
}

std::string_view trimmed(std::string_view text) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end) {
    const unsigned char lead = bytes[begin];
    const std::size_t length = lead < 0x80 ? 1 : (lead & 0xE0) == 0xC0 ? 2 : (lead & 0xF0) == 0xE0 ? 3 : 0;
    if (length == 0 || begin + length > end || !isTrimmedSpace(decode(bytes + begin, length))) break;
    begin += length;
  }
  while (end > begin) {
    // Step back over continuation bytes to the start of the last character (at most three bytes).
    std::size_t start = end - 1;
    while (start > begin && end - start < 3 && (bytes[start] & 0xC0) == 0x80) --start;
    if (!isTrimmedSpace(decode(bytes + start, end - start))) break;
    end = start;
  }
  return text.substr(begin, end - begin);
}

void appendIndent(std::string& out, const std::string& unit, std::size_t depth) {
  if (unit.empty()) return;
  for (std::size_t i = 0; i < depth; ++i) out += unit;
}

// Writes the element's first line: the whole element when it has no children.
void appendStart(std::string& out, const XML& element, std::size_t depth) {
  appendIndent(out, element.indentCharacters(), depth);
  out += '<';
  out += element.xmlName();
  std::vector<const std::pair<const std::string, std::string>*> attributes;
  attributes.reserve(element.xmlAttributes().size());
  for (const auto& entry : element.xmlAttributes()) attributes.push_back(&entry);
  std::sort(attributes.begin(), attributes.end(), [](auto* a, auto* b) { return a->first < b->first; });
  for (const auto* entry : attributes) {
    out += ' ';
    out += entry->first;
    out += "=\"";
    appendEscaped(out, entry->second);
    out += '"';
  }
  const std::optional<std::string>& value = element.xmlValue();
  const bool leaf = element.xmlChildren().empty();
  if (!value) {
    out += leaf ? "/>\n" : ">\n";
    return;
  }
  out += '>';
  appendEscaped(out, trimmed(*value));
  if (leaf) {
    out += "</";
    out += element.xmlName();
    out += '>';
  }
  out += '\n';
}

}  // namespace

std::string XML::description() const {
  // Walked with an explicit stack: trees built through the API have no depth limit.
  struct Frame {
    const XML* element;
    std::size_t depth;
    std::size_t nextChild;
  };
  std::string out;
  appendStart(out, *this, 0);
  if (children_.empty()) return out;
  std::vector<Frame> stack{{this, 0, 0}};
  while (!stack.empty()) {
    Frame& frame = stack.back();
    if (frame.nextChild < frame.element->children_.size()) {
      const XML& child = *frame.element->children_[frame.nextChild++];
      const std::size_t depth = frame.depth + 1;
      appendStart(out, child, depth);
      if (!child.children_.empty()) stack.push_back({&child, depth, 0});  // invalidates `frame`
      continue;
    }
    appendIndent(out, frame.element->indentCharacters(), frame.depth);
    out += "</";
    out += frame.element->name_;
    out += ">\n";
    stack.pop_back();
  }
  return out;
}

}  // namespace xmltree
