// Decimal text of a number with 0 to 4 fraction digits, no grouping and
// half-even rounding: 1.5 -> "1.5", 2.0 -> "2", 0.123456 -> "0.1235".
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace tavlo {

class DecimalFormatter {
 public:
  // LOCALE_ID names the locale whose decimal separator is used ("" for the
  // user's locale); the document writer uses "en_US_POSIX" for a fixed ".".
  explicit DecimalFormatter(std::string_view localeId);
  ~DecimalFormatter();
  DecimalFormatter(const DecimalFormatter&) = delete;
  DecimalFormatter& operator=(const DecimalFormatter&) = delete;

  // Absent when the number cannot be formatted (the formatter failed to load).
  std::optional<std::string> string(double value) const;
  // The same number in scientific form, up to 4 fraction digits in the
  // significand: 1e20 -> "1E20", -1.5e300 -> "-1.5E300".
  std::optional<std::string> scientificString(double value) const;
  // A whole number, exactly, in the locale's digits.
  std::optional<std::string> integerString(std::int64_t value) const;

  // The writer's formatter: fixed ".", made on first use and shared.
  static const DecimalFormatter& documentFormatter();

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace tavlo
