#include "TavloData/TextCasing.h"

#include <unicode/locid.h>
#include <unicode/translit.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>
#include <unicode/utf8.h>

#include <memory>

namespace tavlo {

namespace {

std::string toUTF8(const icu::UnicodeString& text) {
  std::string out;
  text.toUTF8String(out);
  return out;
}

icu::UnicodeString fromUTF8(std::string_view text) {
  return icu::UnicodeString::fromUTF8(icu::StringPiece(text.data(), static_cast<int32_t>(text.size())));
}

// ASCII letters case-map one to one under the root locale, so names written
// in ASCII (nearly all of them) skip the round trip through UTF-16.
char asciiLower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}
char asciiUpper(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// The first code point upper-cased (full mapping: "ß" becomes "SS"), the rest
// lower-cased when LOWER_REST is set, else kept.
std::string capitalized(std::string_view word, bool lowerRest) {
  if (isASCII(word)) {
    std::string out(word);
    for (std::size_t i = 0; i < out.size(); ++i)
      out[i] = i == 0 ? asciiUpper(out[i]) : lowerRest ? asciiLower(out[i]) : out[i];
    return out;
  }
  icu::UnicodeString text = fromUTF8(word);
  if (text.isEmpty()) return {};
  int32_t firstLength = U16_LENGTH(text.char32At(0));
  icu::UnicodeString first(text, 0, firstLength);
  icu::UnicodeString rest(text, firstLength);
  first.toUpper(icu::Locale::getRoot());
  if (lowerRest) rest.toLower(icu::Locale::getRoot());
  return toUTF8(first) + toUTF8(rest);
}

}  // namespace

bool isASCII(std::string_view text) {
  for (char c : text)
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  return true;
}

std::vector<std::string> words(std::string_view text) {
  std::vector<std::string> result;
  std::string current;
  int32_t i = 0;
  const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
  const auto length = static_cast<int32_t>(text.size());
  while (i < length) {
    int32_t start = i;
    if (bytes[i] < 0x80) {
      // ASCII: letters and digits only; no mark combines with ASCII here.
      const char c = static_cast<char>(bytes[i++]);
      if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) {
        current += c;
      } else if (!current.empty()) {
        result.push_back(std::move(current));
        current.clear();
      }
      continue;
    }
    UChar32 c = 0;
    U8_NEXT(bytes, i, length, c);
    // Every letter and number in every script (general categories L and N, so
    // "½", "²" and "Ⅻ" count); combining marks stay with their letter so that
    // decomposed "é" is one word.
    bool wordChar =
        c >= 0 && ((U_GET_GC_MASK(c) & (U_GC_L_MASK | U_GC_N_MASK)) != 0 ||
                   (!current.empty() && (u_getCombiningClass(c) != 0 || u_charType(c) == U_NON_SPACING_MARK ||
                                         u_charType(c) == U_COMBINING_SPACING_MARK)));
    if (wordChar) {
      current.append(text.substr(static_cast<size_t>(start), static_cast<size_t>(i - start)));
    } else if (!current.empty()) {
      result.push_back(std::move(current));
      current.clear();
    }
  }
  if (!current.empty()) result.push_back(std::move(current));
  return result;
}

std::string lowerCamelCased(std::string_view text) {
  std::string result;
  bool first = true;
  for (const auto& word : words(text)) {
    result += first ? lowercased(word) : capitalized(word, true);
    first = false;
  }
  return result;
}

std::string upperCamelCased(std::string_view text) {
  std::string result;
  for (const auto& word : words(text)) result += capitalized(word, true);
  return result;
}

std::string capitalizingFirstLetter(std::string_view text) {
  return capitalized(text, false);
}

std::string lowercased(std::string_view text) {
  if (isASCII(text)) {
    std::string out(text);
    for (char& c : out) c = asciiLower(c);
    return out;
  }
  icu::UnicodeString unicode = fromUTF8(text);
  unicode.toLower(icu::Locale::getRoot());
  return toUTF8(unicode);
}

std::string asciiTransliterated(std::string_view text) {
  // Building a transliterator parses its rules, so each thread keeps one.
  thread_local std::unique_ptr<icu::Transliterator> toASCII = [] {
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::Transliterator> made(
        icu::Transliterator::createInstance("Any-Latin; Latin-ASCII", UTRANS_FORWARD, status));
    return U_SUCCESS(status) ? std::move(made) : nullptr;
  }();
  if (!toASCII) return std::string(text);
  icu::UnicodeString unicode = fromUTF8(text);
  toASCII->transliterate(unicode);
  return toUTF8(unicode);
}

}  // namespace tavlo
