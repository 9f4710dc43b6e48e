#include "xmltree/StringProvider.h"

#include <locale.h>

#include <charconv>
#include <clocale>
#include <cstdlib>
#include <limits>

namespace xmltree::text {

std::optional<bool> toBool(std::string_view text) {
  if (text == "true") return true;
  if (text == "false") return false;
  return std::nullopt;
}

namespace {

struct SignedMagnitude {
  bool negative = false;
  std::uint64_t magnitude = 0;
};

// Optional sign, then one or more ASCII digits and nothing else; absent when
// the magnitude does not fit 64 bits.
std::optional<SignedMagnitude> readDecimal(std::string_view text) {
  SignedMagnitude result;
  std::size_t i = 0;
  if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
    result.negative = text[0] == '-';
    i = 1;
  }
  if (i == text.size()) return std::nullopt;
  constexpr std::uint64_t kMax = std::numeric_limits<std::uint64_t>::max();
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (c < '0' || c > '9') return std::nullopt;
    const auto digit = static_cast<std::uint64_t>(c - '0');
    if (result.magnitude > (kMax - digit) / 10) return std::nullopt;
    result.magnitude = result.magnitude * 10 + digit;
  }
  return result;
}

// The "C" locale, so that a user's LC_NUMERIC never changes what a document means.
locale_t posixLocale() {
  static const locale_t locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
  return locale;
}

bool startsAcceptably(std::string_view text) {
  if (text.empty()) return false;
  switch (text.front()) {
    case ' ':
    case '\t':
    case '\n':
    case '\v':
    case '\f':
    case '\r':
      return false;
    default:
      return true;
  }
}

// Plain decimal numbers, the form of nearly every number in a document: digits
// with an optional leading minus, point and exponent, nothing else.
bool isPlainDecimal(std::string_view text) {
  if (text.empty() || text.size() > 64) return false;
  for (const char c : text)
    if (!((c >= '0' && c <= '9') || c == '.' || c == '-' || c == 'e' || c == 'E')) return false;
  return true;
}

}  // namespace

std::optional<std::int64_t> toInt64(std::string_view text) {
  const std::optional<SignedMagnitude> value = readDecimal(text);
  if (!value) return std::nullopt;
  constexpr auto kMax = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
  if (!value->negative) {
    if (value->magnitude > kMax) return std::nullopt;
    return static_cast<std::int64_t>(value->magnitude);
  }
  if (value->magnitude > kMax + 1) return std::nullopt;
  if (value->magnitude == kMax + 1) return std::numeric_limits<std::int64_t>::min();
  return -static_cast<std::int64_t>(value->magnitude);
}

std::optional<std::uint64_t> toUInt64(std::string_view text) {
  const std::optional<SignedMagnitude> value = readDecimal(text);
  if (!value || (value->negative && value->magnitude != 0)) return std::nullopt;
  return value->magnitude;
}

std::optional<double> toDouble(std::string_view text) {
  // from_chars rounds exactly as strtod does and needs no copy or locale.
  // Whatever it does not read wholly, or finds out of range, goes the long
  // way, so the two paths never disagree.
  if (isPlainDecimal(text)) {
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error == std::errc() && end == text.data() + text.size()) return value;
  }
  if (!startsAcceptably(text)) return std::nullopt;
  const std::string copy(text);  // strtod needs the terminating NUL
  char* end = nullptr;
  const double value = strtod_l(copy.c_str(), &end, posixLocale());
  if (end != copy.c_str() + copy.size()) return std::nullopt;
  return value;
}

std::optional<float> toFloat(std::string_view text) {
  if (!startsAcceptably(text)) return std::nullopt;
  const std::string copy(text);
  char* end = nullptr;
  const float value = strtof_l(copy.c_str(), &end, posixLocale());
  if (end != copy.c_str() + copy.size()) return std::nullopt;
  return value;
}

}  // namespace xmltree::text
