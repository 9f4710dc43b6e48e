// XML::fromString: a UTF-8 text encoded without loss into the bytes the parser reads.
#include <cstdint>

#include "xmltree/XML.h"

namespace xmltree {

namespace {

// Decodes well-formed UTF-8 (no overlong forms, no surrogates, at most
// U+10FFFF); absent on the first ill-formed sequence.
std::optional<std::u32string> decodeUTF8(std::string_view text) {
  std::u32string out;
  out.reserve(text.size());
  const auto* p = reinterpret_cast<const unsigned char*>(text.data());
  const std::size_t n = text.size();
  for (std::size_t i = 0; i < n;) {
    const unsigned char lead = p[i];
    std::size_t length;
    char32_t c;
    char32_t minimum;
    if (lead < 0x80) {
      out.push_back(lead);
      ++i;
      continue;
    } else if ((lead & 0xE0) == 0xC0) {
      length = 2, c = lead & 0x1F, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
      length = 3, c = lead & 0x0F, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
      length = 4, c = lead & 0x07, minimum = 0x10000;
    } else {
      return std::nullopt;
    }
    if (i + length > n) return std::nullopt;
    for (std::size_t k = 1; k < length; ++k) {
      if ((p[i + k] & 0xC0) != 0x80) return std::nullopt;
      c = (c << 6) | (p[i + k] & 0x3F);
    }
    if (c < minimum || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return std::nullopt;
    out.push_back(c);
    i += length;
  }
  return out;
}

void appendUnit(std::string& out, char16_t unit, bool bigEndian) {
  const auto high = static_cast<char>(unit >> 8);
  const auto low = static_cast<char>(unit & 0xFF);
  if (bigEndian) {
    out += high;
    out += low;
  } else {
    out += low;
    out += high;
  }
}

std::string encodeUTF16(const std::u32string& text, bool bigEndian, bool byteOrderMark) {
  std::string out;
  out.reserve(2 * text.size() + 2);
  if (byteOrderMark) appendUnit(out, 0xFEFF, bigEndian);
  for (const char32_t c : text) {
    if (c < 0x10000) {
      appendUnit(out, static_cast<char16_t>(c), bigEndian);
    } else {
      const char32_t v = c - 0x10000;
      appendUnit(out, static_cast<char16_t>(0xD800 + (v >> 10)), bigEndian);
      appendUnit(out, static_cast<char16_t>(0xDC00 + (v & 0x3FF)), bigEndian);
    }
  }
  return out;
}

std::optional<std::string> encodeSingleByte(const std::u32string& text, char32_t limit) {
  std::string out;
  out.reserve(text.size());
  for (const char32_t c : text) {
    if (c > limit) return std::nullopt;
    out += static_cast<char>(c);
  }
  return out;
}

}  // namespace

XMLPtr XML::fromString(std::string_view text, TextEncoding encoding) {
  const std::optional<std::u32string> characters = decodeUTF8(text);
  if (!characters) return nullptr;
  std::optional<std::string> bytes;
  switch (encoding) {
    case TextEncoding::utf8:
      bytes = std::string(text);
      break;
    case TextEncoding::ascii:
      bytes = encodeSingleByte(*characters, 0x7F);
      break;
    case TextEncoding::isoLatin1:
      bytes = encodeSingleByte(*characters, 0xFF);
      break;
    case TextEncoding::utf16:
      bytes = encodeUTF16(*characters, /*bigEndian=*/false, /*byteOrderMark=*/true);
      break;
    case TextEncoding::utf16BigEndian:
      bytes = encodeUTF16(*characters, /*bigEndian=*/true, /*byteOrderMark=*/false);
      break;
    case TextEncoding::utf16LittleEndian:
      bytes = encodeUTF16(*characters, /*bigEndian=*/false, /*byteOrderMark=*/false);
      break;
  }
  if (!bytes) return nullptr;
  return fromData(*bytes);
}

}  // namespace xmltree
