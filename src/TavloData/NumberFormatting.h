// The shared display formatter for numbers: decimal, 0 to 4 fraction digits,
// no grouping, half-even rounding, in the user's locale. Number tiles and
// shadow summaries use it; the writer keeps its own "." formatter.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tavlo {

class SharedNumberFormatter {
 public:
  // Absent when the formatter cannot be made or cannot format the value: a
  // number with more than 100 integer digits is one it cannot format.
  static std::optional<std::string> string(double value);
  // The number in scientific form and a whole number, in the same locale.
  static std::optional<std::string> scientificString(double value);
  static std::optional<std::string> integerString(std::int64_t value);
  // Replaces the locale the shared formatter uses ("de_DE", "en_US", ...);
  // an empty id goes back to the user's locale. Tests pin their locale here.
  static void setLocale(std::string_view localeId);
};

// The formatter's text, or the plain decimal text when it yields nothing.
std::string formattedNumber(double value);

}  // namespace tavlo
