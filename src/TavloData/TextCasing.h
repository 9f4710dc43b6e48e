// Casing of exported names: words are runs of Unicode letters and numbers,
// so "Größe 2" and "naïve café" split and case the way a person reads them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tavlo {

// Whether every byte of TEXT is ASCII: such text is cased without ICU, at a
// fraction of the cost.
bool isASCII(std::string_view text);

// The runs of letters and numbers of TEXT, in order; everything else separates.
std::vector<std::string> words(std::string_view text);

// "brand primary-2" -> "brandPrimary2"; no words give the empty text.
std::string lowerCamelCased(std::string_view text);

// "brand primary-2" -> "BrandPrimary2".
std::string upperCamelCased(std::string_view text);

// The first character upper-cased, the rest unchanged.
std::string capitalizingFirstLetter(std::string_view text);

// The whole text in lower case (full Unicode case mapping).
std::string lowercased(std::string_view text);

// The text in ASCII letters as far as a transliteration reaches: "Größe" ->
// "Grosse", "Цвет" -> "Cvet"; what has no Latin spelling stays as it is.
std::string asciiTransliterated(std::string_view text);

}  // namespace tavlo
