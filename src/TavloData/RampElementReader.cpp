#include "TavloData/RampElementReader.h"

#include <string>
#include <vector>

#include "TavloData/ItemElementReaders.h"
#include "TavloData/MerrinColorSet.h"
#include "TavloData/MerrinColorShadowSet.h"
#include "TavloData/ValueElementReader.h"
#include "xmltree/StringProvider.h"

namespace tavlo {

namespace {

// A code of one of the ramp enumerations: an integer by the document's
// integer rule, mapped through the enumeration's table.
template <class FromCode>
auto codeOf(const xmltree::XML& element, std::string_view name, FromCode fromCode)
    -> decltype(fromCode(std::int64_t{})) {
  auto text = childText(element, name);
  if (!text) return std::nullopt;
  auto code = xmltree::text::toInt64(*text);
  if (!code) return std::nullopt;
  return fromCode(*code);
}

template <class Ramp, class ParseMember>
ParsedItem<Ramp> parseSetElement(const xmltree::XML& element, bool generateNewIds,
                                 std::string_view containerName, ParseMember parseMember) {
  std::string name = readItemName(element);
  std::string id = readIdentifier(element, generateNewIds);
  const xmltree::XML* container = firstChildElement(element, containerName);
  std::optional<RampParameters> parameters = parseRampParameters(element);
  if (!container || !parameters) return {};

  const std::optional<std::string_view> profile = childText(element, "profile");
  std::vector<std::shared_ptr<typename Ramp::Entry>> members;
  members.reserve(container->xmlChildren().size());
  for (const auto& child : container->xmlChildren()) {
    // Members that cannot be read are dropped one by one.
    if (auto member = parseMember(*child, profile)) members.push_back(std::move(member));
  }
  auto ramp = std::make_shared<Ramp>(
      std::move(members), parameters->interpolationMethod, parameters->curveType, parameters->curveAmount,
      parameters->middleLocation, parameters->autoContrastAmount, parameters->type, parameters->namingScheme,
      parameters->colorSpace, parameters->appearanceType);
  return {std::move(name), std::move(id), std::move(ramp)};
}

}  // namespace

std::optional<RampParameters> parseRampParameters(const xmltree::XML& element) {
  const std::optional<std::string_view> profile = childText(element, "profile");
  if (!profile) return std::nullopt;
  std::optional<double> middle;
  if (auto text = childText(element, "middle")) middle = xmltree::text::toDouble(*text);
  auto type = codeOf(element, "type", setTypeFromCode);
  auto naming = codeOf(element, "naming", colorNamingSchemeFromCode);
  auto interpolation = codeOf(element, "interpolation", interpolationMethodFromCode);
  if (!middle || !type || !naming || !interpolation) return std::nullopt;

  RampParameters parameters;
  parameters.middleLocation = *middle;
  parameters.type = *type;
  parameters.namingScheme = *naming;
  parameters.interpolationMethod = *interpolation;
  parameters.curveType = codeOf(element, "curve", curveTypeFromCode).value_or(CurveType::linear);
  parameters.curveAmount =
      xmltree::text::toDouble(childText(element, "curveAmount").value_or("1")).value_or(1.0);
  const ParsedAppearance appearance = parseAppearance(element);
  parameters.appearanceType = appearance.appearance;
  parameters.autoContrastAmount = appearance.autoContrast;
  parameters.colorSpace = colorSpaceFromProfile(profile);
  return parameters;
}

ParsedItem<MerrinColorSet> parseColorSet(const xmltree::XML& element, bool generateNewIds) {
  return parseSetElement<MerrinColorSet>(element, generateNewIds, "colors", parseThemeableColor);
}

ParsedItem<MerrinColorShadowSet> parseShadowSet(const xmltree::XML& element, bool generateNewIds) {
  return parseSetElement<MerrinColorShadowSet>(element, generateNewIds, "shadows", parseThemeableShadow);
}

}  // namespace tavlo
