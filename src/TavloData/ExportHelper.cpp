#include "TavloData/ExportHelper.h"

#include <memory>
#include <vector>

#include "MerrinColorUtils/ColorConverter.h"
#include "TavloData/MerrinColorItem.h"
#include "TavloData/MerrinColorProjectItem.h"
#include "TavloData/MerrinColorReaderHelper.h"
#include "TavloData/NumberFormatting.h"
#include "TavloData/ShadowDetails.h"
#include "TavloData/ThemeableBoolean.h"
#include "TavloData/ThemeableColor.h"
#include "TavloData/ThemeableNumber.h"
#include "TavloData/ThemeableShadow.h"
#include "TavloData/ThemeableString.h"

namespace tavlo {

namespace {

// The value texts of a themeable value, TEXT applied to each variant it has.
template <class T, class Text>
VariantTexts variantTexts(const ThemeableVariants<T>& value, Text text) {
  VariantTexts texts{text(value.lightVariant()), std::nullopt, std::nullopt, std::nullopt};
  if (const auto& dark = value.darkVariant()) texts.dark = text(*dark);
  if (const auto& contrast = value.lightVariantHighContrast()) texts.lightHighContrast = text(*contrast);
  if (const auto& darkContrast = value.darkVariantHighContrast())
    texts.darkHighContrast = text(*darkContrast);
  return texts;
}

template <class T, class Text>
std::string valueLines(std::optional<std::string_view> name, const ThemeableVariants<T>& value, Text text) {
  return ExportHelper::exportLines(name, variantTexts(value, text));
}

// A ramp lists its members in order, each named after the node and itself.
template <class Entry, class Text>
std::string rampLines(std::optional<std::string_view> name,
                      const std::vector<std::shared_ptr<Entry>>& members, Text text) {
  std::string lines;
  for (const auto& member : members) {
    if (!member) continue;
    std::string memberName = name ? std::string(*name) : std::string();
    if (!memberName.empty() && !member->name().empty()) memberName += ' ';
    memberName += member->name();
    if (!lines.empty()) lines += '\n';
    lines += valueLines(memberName.empty() ? std::nullopt : std::optional<std::string_view>(memberName),
                        *member, text);
  }
  return lines;
}

std::string booleanText(bool value) {
  return value ? "true" : "false";
}

// The options the clipboard uses: four decimal places and a "p3: " marker, so
// that a Display P3 value is never read back as sRGB.
mcu::ColorConverterOptions documentColorOptions() {
  mcu::ColorConverterOptions options;
  options.roundedTo = 4;
  options.p3Prefix = "p3: ";
  return options;
}

}  // namespace

std::string ExportHelper::colorText(const mcu::PlatformColor& color, mcu::ColorFormat format) {
  const mcu::ColorSpace space = workingColorSpaceFor(color.colorSpace());
  const mcu::ColorConverterOptions options = documentColorOptions();
  mcu::ColorConverterResult result = mcu::ColorConverter::convertColorToString(color, format, space, options);
  if (result.colorString) return *result.colorString;
  // A notation that cannot express the colour falls back to its plain components.
  result = mcu::ColorConverter::convertColorToString(color, mcu::ColorFormat::floatRGBA, space, options);
  return result.colorString.value_or(std::string());
}

std::string ExportHelper::shadowText(const ShadowDetails& shadow, mcu::ColorFormat format) {
  return shadow.stringValuesSummary() + ", Color: " + colorText(shadow.color(), format);
}

std::string ExportHelper::exportLines(std::optional<std::string_view> name, const VariantTexts& texts) {
  const bool othersPresent = texts.dark || texts.lightHighContrast || texts.darkHighContrast;
  std::string lines;
  auto addLine = [&](std::optional<std::string_view> label, const std::string& value) {
    if (!lines.empty()) lines += '\n';
    if (label) {
      if (name) {
        lines += *name;
        lines += ' ';
      }
      lines += '(';
      lines += *label;
      lines += "): ";
    } else if (name) {
      lines += *name;
      lines += ": ";
    }
    lines += value;
  };
  addLine(othersPresent ? std::optional<std::string_view>("light") : std::nullopt, texts.light);
  if (texts.dark) addLine("dark", *texts.dark);
  if (texts.lightHighContrast)
    addLine(texts.dark ? "light high contrast" : "high contrast", *texts.lightHighContrast);
  if (texts.darkHighContrast) addLine("dark high contrast", *texts.darkHighContrast);
  return lines;
}

std::optional<std::string> ExportHelper::exportString(const MerrinColorProjectItem& item,
                                                      std::optional<std::string_view> name,
                                                      mcu::ColorFormat format) {
  using Helper = MerrinColorReaderHelper;
  auto colorValue = [format](const mcu::PlatformColor& color) { return colorText(color, format); };
  auto shadowValue = [format](const ShadowDetailsRef& shadow) {
    return shadow ? shadowText(*shadow, format) : std::string();
  };

  // Colour exporters first: colours, ramps, shadows and their aliases.
  if (auto colors = Helper::setColors(item)) return rampLines(name, *colors, colorValue);
  if (auto color = Helper::colorItemColor(item)) return valueLines(name, *color, colorValue);
  if (auto shadows = Helper::setShadows(item)) return rampLines(name, *shadows, shadowValue);
  if (auto shadow = Helper::shadowItemShadow(item)) return valueLines(name, *shadow, shadowValue);

  // Then the text exporters.
  if (auto number = Helper::numberItemNumber(item))
    return valueLines(name, *number, [](double value) { return formattedNumber(value); });
  if (auto boolean = Helper::booleanItemBoolean(item)) return valueLines(name, *boolean, booleanText);
  if (auto string = Helper::stringItemString(item))
    return valueLines(name, *string, [](const std::string& value) { return value; });
  return std::nullopt;
}

std::string ExportHelper::exportString(const MerrinColorProjectItemList& forItems, mcu::ColorFormat format) {
  std::string text;
  for (const auto& item : forItems) {
    if (!item) continue;
    // A single node is exported by its value alone.
    std::optional<std::string_view> name;
    if (forItems.size() != 1) name = item->name();
    std::optional<std::string> contribution = exportString(*item, name, format);
    if (!contribution) continue;
    if (!text.empty()) text += '\n';
    text += *contribution;
  }
  return text;
}

}  // namespace tavlo
