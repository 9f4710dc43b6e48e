#include "TavloData/NumberFormatting.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "TavloData/DecimalFormatter.h"

namespace tavlo {

namespace {

// The user's numeric locale from the environment, in the order the C
// library reads it, as an ICU id: "de_DE.UTF-8@euro" becomes "de_DE".
std::string userNumericLocaleId() {
  for (const char* variable : {"LC_ALL", "LC_NUMERIC", "LANG"}) {
    const char* value = std::getenv(variable);
    if (!value || !*value) continue;
    std::string id(value);
    id = id.substr(0, id.find_first_of(".@"));
    if (id.empty() || id == "C" || id == "POSIX") return "en_US_POSIX";
    return id;
  }
  return "en_US_POSIX";
}

struct SharedFormatterState {
  std::string localeId;  // empty: the user's locale
  std::unique_ptr<DecimalFormatter> formatter;
};

SharedFormatterState& state() {
  static SharedFormatterState shared;
  return shared;
}

const DecimalFormatter& sharedFormatter() {
  SharedFormatterState& shared = state();
  if (!shared.formatter)
    shared.formatter =
        std::make_unique<DecimalFormatter>(shared.localeId.empty() ? userNumericLocaleId() : shared.localeId);
  return *shared.formatter;
}

}  // namespace

// The smallest number with 101 integer digits: the formatter would keep only
// its last 100 digits, all zeros ("-1.5e300" would read "-0").
constexpr double beyondIntegerDigits = 1e100;

std::optional<std::string> SharedNumberFormatter::string(double value) {
  if (std::isfinite(value) && std::fabs(value) >= beyondIntegerDigits) return std::nullopt;
  auto text = sharedFormatter().string(value);
  if (text && text->empty()) return std::nullopt;
  return text;
}

std::optional<std::string> SharedNumberFormatter::scientificString(double value) {
  return sharedFormatter().scientificString(value);
}

std::optional<std::string> SharedNumberFormatter::integerString(std::int64_t value) {
  return sharedFormatter().integerString(value);
}

void SharedNumberFormatter::setLocale(std::string_view localeId) {
  SharedFormatterState& shared = state();
  shared.localeId = std::string(localeId);
  shared.formatter.reset();
}

std::string formattedNumber(double value) {
  if (auto text = SharedNumberFormatter::string(value)) return *text;
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%g", value);
  return buffer;
}

}  // namespace tavlo
