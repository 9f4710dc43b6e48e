#include "TavloData/DecimalFormatter.h"

#include <unicode/locid.h>
#include <unicode/numberformatter.h>

namespace tavlo {

struct DecimalFormatter::Impl {
  std::optional<icu::number::LocalizedNumberFormatter> formatter;
  std::optional<icu::number::LocalizedNumberFormatter> scientific;
};

namespace {

std::optional<std::string> text(icu::number::FormattedNumber formatted, UErrorCode status) {
  if (U_FAILURE(status)) return std::nullopt;
  icu::UnicodeString unicode = formatted.toString(status);
  if (U_FAILURE(status)) return std::nullopt;
  std::string out;
  unicode.toUTF8String(out);
  return out;
}

}  // namespace

DecimalFormatter::DecimalFormatter(std::string_view localeId) : impl_(std::make_unique<Impl>()) {
  icu::Locale locale =
      localeId.empty() ? icu::Locale::getDefault() : icu::Locale(std::string(localeId).c_str());
  if (locale.isBogus()) return;
  impl_->formatter = icu::number::NumberFormatter::withLocale(locale)
                         .precision(icu::number::Precision::minMaxFraction(0, 4))
                         .roundingMode(UNUM_ROUND_HALFEVEN)
                         .grouping(UNUM_GROUPING_OFF)
                         .integerWidth(icu::number::IntegerWidth::zeroFillTo(1).truncateAt(100));
  impl_->scientific = impl_->formatter->notation(icu::number::Notation::scientific());
}

DecimalFormatter::~DecimalFormatter() = default;

std::optional<std::string> DecimalFormatter::string(double value) const {
  if (!impl_->formatter) return std::nullopt;
  UErrorCode status = U_ZERO_ERROR;
  return text(impl_->formatter->formatDouble(value, status), status);
}

std::optional<std::string> DecimalFormatter::scientificString(double value) const {
  if (!impl_->scientific) return std::nullopt;
  UErrorCode status = U_ZERO_ERROR;
  return text(impl_->scientific->formatDouble(value, status), status);
}

std::optional<std::string> DecimalFormatter::integerString(std::int64_t value) const {
  if (!impl_->formatter) return std::nullopt;
  UErrorCode status = U_ZERO_ERROR;
  return text(impl_->formatter->formatInt(value, status), status);
}

const DecimalFormatter& DecimalFormatter::documentFormatter() {
  static const DecimalFormatter formatter("en_US_POSIX");
  return formatter;
}

}  // namespace tavlo
