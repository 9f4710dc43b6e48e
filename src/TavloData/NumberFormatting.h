// The shared display formatter for numbers: decimal, 0 to 4 fraction digits,
// no grouping, half-even rounding, in the user's locale. Number tiles and
// shadow summaries use it; the writer keeps its own "." formatter.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tavlo {

class SharedNumberFormatter {
 public:
  // Absent when the formatter cannot be made or cannot format the value.
  static std::optional<std::string> string(double value);
  // Replaces the locale the shared formatter uses ("de_DE", "en_US", ...);
  // an empty id goes back to the user's locale. Tests pin their locale here.
  static void setLocale(std::string_view localeId);
};

// The formatter's text, or the plain decimal text when it yields nothing.
std::string formattedNumber(double value);

}  // namespace tavlo
