// The name search of the editor: locale-aware, case-insensitive containment.
// "Blue" finds "Sky blue", "STRASSE" finds "Straße"; case folding follows the
// user's locale (Turkish dotted and dotless i), and canonically equivalent
// spellings (precomposed or combining accents) find each other.
#pragma once

#include <string>
#include <string_view>

namespace tavlo {

// A search term prepared once for many names.
class TextSearchTerm {
 public:
  explicit TextSearchTerm(std::string_view term);

  // An empty term is found in every text.
  bool empty() const { return folded_.empty(); }
  bool isFoundIn(std::string_view text) const;

 private:
  std::string folded_;  // case-folded, NFC, UTF-8
  bool asciiOnly_ = false;
};

// One-off form of TextSearchTerm(term).isFoundIn(text).
bool localizedCaseInsensitiveContains(std::string_view text, std::string_view term);

}  // namespace tavlo
