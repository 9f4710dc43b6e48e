#include "TavloData/TextSearch.h"

#include <unicode/locid.h>
#include <unicode/normalizer2.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>

#include <algorithm>
#include <cstring>

namespace tavlo {

namespace {

bool isAscii(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

char asciiLower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Turkish and Azeri fold "I" to dotless "ı" and "İ" to "i"; every other
// language uses the default folding.
bool userLocaleIsTurkic() {
  static const bool turkic = [] {
    const char* language = icu::Locale::getDefault().getLanguage();
    return std::strcmp(language, "tr") == 0 || std::strcmp(language, "az") == 0;
  }();
  return turkic;
}

// Full case folding ("ß" -> "ss"), then NFC, so that case variants and
// canonically equivalent spellings become the same bytes.
std::string foldForSearch(std::string_view text) {
  icu::UnicodeString unicode =
      icu::UnicodeString::fromUTF8(icu::StringPiece(text.data(), static_cast<int32_t>(text.size())));
  unicode.foldCase(userLocaleIsTurkic() ? U_FOLD_CASE_EXCLUDE_SPECIAL_I : U_FOLD_CASE_DEFAULT);
  UErrorCode status = U_ZERO_ERROR;
  if (const icu::Normalizer2* nfc = icu::Normalizer2::getNFCInstance(status); U_SUCCESS(status)) {
    icu::UnicodeString composed = nfc->normalize(unicode, status);
    if (U_SUCCESS(status)) unicode = std::move(composed);
  }
  std::string folded;
  unicode.toUTF8String(folded);
  return folded;
}

}  // namespace

TextSearchTerm::TextSearchTerm(std::string_view term) {
  // Plain ASCII folds to lower-case ASCII, except under Turkic rules for "I".
  asciiOnly_ = isAscii(term) && !userLocaleIsTurkic();
  if (asciiOnly_) {
    folded_.resize(term.size());
    std::transform(term.begin(), term.end(), folded_.begin(), asciiLower);
  } else {
    folded_ = foldForSearch(term);
  }
}

bool TextSearchTerm::isFoundIn(std::string_view text) const {
  if (folded_.empty()) return true;
  // Most names are ASCII: compare them in place. Any other text may fold to
  // something longer or shorter ("ß", the Kelvin sign) and goes through ICU.
  if (asciiOnly_ && isAscii(text)) {
    auto hit = std::search(text.begin(), text.end(), folded_.begin(), folded_.end(),
                           [](char a, char b) { return asciiLower(a) == b; });
    return hit != text.end();
  }
  return foldForSearch(text).find(folded_) != std::string::npos;
}

bool localizedCaseInsensitiveContains(std::string_view text, std::string_view term) {
  return TextSearchTerm(term).isFoundIn(text);
}

}  // namespace tavlo
