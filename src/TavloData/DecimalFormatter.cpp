#include "TavloData/DecimalFormatter.h"

#include <unicode/locid.h>
#include <unicode/numberformatter.h>

namespace tavlo {

struct DecimalFormatter::Impl {
  std::optional<icu::number::LocalizedNumberFormatter> formatter;
};

DecimalFormatter::DecimalFormatter(std::string_view localeId) : impl_(std::make_unique<Impl>()) {
  icu::Locale locale =
      localeId.empty() ? icu::Locale::getDefault() : icu::Locale(std::string(localeId).c_str());
  if (locale.isBogus()) return;
  impl_->formatter = icu::number::NumberFormatter::withLocale(locale)
                         .precision(icu::number::Precision::minMaxFraction(0, 4))
                         .roundingMode(UNUM_ROUND_HALFEVEN)
                         .grouping(UNUM_GROUPING_OFF)
                         .integerWidth(icu::number::IntegerWidth::zeroFillTo(1).truncateAt(100));
}

DecimalFormatter::~DecimalFormatter() = default;

std::optional<std::string> DecimalFormatter::string(double value) const {
  if (!impl_->formatter) return std::nullopt;
  UErrorCode status = U_ZERO_ERROR;
  icu::number::FormattedNumber formatted = impl_->formatter->formatDouble(value, status);
  if (U_FAILURE(status)) return std::nullopt;
  icu::UnicodeString unicode = formatted.toString(status);
  if (U_FAILURE(status)) return std::nullopt;
  std::string text;
  unicode.toUTF8String(text);
  return text;
}

const DecimalFormatter& DecimalFormatter::documentFormatter() {
  static const DecimalFormatter formatter("en_US_POSIX");
  return formatter;
}

}  // namespace tavlo
