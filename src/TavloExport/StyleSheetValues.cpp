#include "TavloExport/StyleSheetValues.h"

#include <algorithm>
#include <cstdio>

#include "TavloExport/ColorTexts.h"

namespace tavlo::exports {

namespace {

std::string hexEscape(unsigned char c) {
  char buffer[8];
  std::snprintf(buffer, sizeof buffer, "\\%X ", c);
  return buffer;
}

std::string_view appearanceLabel(ColorSource appearance) {
  switch (appearance) {
    case ColorSource::light:
      return "light";
    case ColorSource::lightHighContrast:
      return "light high contrast";
    case ColorSource::dark:
      return "dark";
    case ColorSource::darkHighContrast:
      return "dark high contrast";
  }
  return "light";
}

}  // namespace

std::string cssString(std::string_view text) {
  std::string quoted = "\"";
  for (unsigned char c : text) {
    if (c == '"' || c == '\\') {
      quoted += '\\';
      quoted += static_cast<char>(c);
    } else if (c < 0x20 || c == 0x7F) {
      quoted += hexEscape(c);
    } else {
      quoted += static_cast<char>(c);
    }
  }
  quoted += '"';
  return quoted;
}

StyleValue styleValue(const ExportJob& job, const Token& token, ColorSource appearance, bool exact) {
  const TokenValue& value = token.displayValue(appearance);
  if (std::holds_alternative<mcu::PlatformColor>(value)) {
    const CssColorText& text = *job.colorText(token, appearance, exact);
    return {text.text, text.clipped};
  }
  if (const auto* number = std::get_if<double>(&value)) return {numberText(*number), false};
  if (const auto* boolean = std::get_if<bool>(&value)) return {*boolean ? "true" : "false", false};
  if (const auto* string = std::get_if<std::string>(&value)) return {cssString(*string), false};
  const auto& shadow = std::get<ShadowValue>(value);
  // A negative blur is not a box-shadow; it draws as no blur.
  const std::string lengths = numberText(shadow.xOffset) + "px " + numberText(shadow.yOffset) + "px " +
                              numberText(std::max(0.0, shadow.blur)) + "px " + numberText(shadow.spread) +
                              "px ";
  const CssColorText& color = *job.colorText(token, appearance, exact);
  return {lengths + color.text, color.clipped};
}

void reportClipped(const ExportJob& job, const Token& token, std::string_view where,
                   Diagnostics& diagnostics) {
  const BuildExportFormat format = job.exportFormat();
  if (format == BuildExportFormat::cssColor || format == BuildExportFormat::cssOKLCH) return;
  std::string appearances;
  for (ColorSource appearance : exportAppearances) {
    if (!token.hasVariant(appearance)) continue;
    // The notation's text knows whether it clipped: the files made it already.
    const CssColorText* text = job.colorText(token, appearance);
    if (!text || !text->clipped) continue;
    appearances += (appearances.empty() ? "" : ", ") + std::string(appearanceLabel(appearance));
  }
  if (appearances.empty()) return;
  std::string message = "'" + token.displayName() + "' is outside sRGB (" + appearances + "); " +
                        std::string(displayName(format)) + " holds it clipped";
  if (!where.empty()) message += "; " + std::string(where);
  diagnostics.warning(std::move(message));
}

}  // namespace tavlo::exports
