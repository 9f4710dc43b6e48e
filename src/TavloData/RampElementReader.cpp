#include "TavloData/RampElementReader.h"

#include <string>
#include <vector>

#include "TavloData/ItemElementReaders.h"
#include "TavloData/MerrinColorSet.h"
#include "TavloData/MerrinColorShadowSet.h"
#include "TavloData/ReadDiagnostics.h"
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

void reportDroppedMember(const xmltree::XML& member, ReadDiagnostics& diagnostics) {
  std::optional<ReadDiagnostics::DropCause> cause = diagnostics.takeDropCause();
  diagnostics.report(DiagnosticCode::itemDropped, cause ? cause->at : ReadDiagnostics::positionOf(member),
                     "ramp member left out: " + (cause ? cause->reason : std::string("it cannot be read")),
                     diagnostics.currentItem());
}

template <class Ramp, class ParseMember>
ParsedItem<Ramp> parseSetElement(const xmltree::XML& element, bool generateNewIds,
                                 std::string_view containerName, ParseMember parseMember) {
  std::string name = readItemName(element);
  std::string id = readIdentifier(element, generateNewIds);
  const xmltree::XML* container = firstChildElement(element, containerName);
  std::optional<RampParameters> parameters = parseRampParameters(element);
  if (!parameters) return {};
  if (!container) {
    noteDropCause(element, "it has no ", containerName, " element");
    return {};
  }

  const std::optional<std::string_view> profile = childText(element, "profile");
  std::vector<std::shared_ptr<typename Ramp::Entry>> members;
  members.reserve(container->xmlChildren().size());
  ReadDiagnostics* const diagnostics = activeReadDiagnostics();
  for (const auto& child : container->xmlChildren()) {
    // Members that cannot be read are dropped one by one.
    if (auto member = parseMember(*child, profile))
      members.push_back(std::move(member));
    else if (diagnostics)
      reportDroppedMember(*child, *diagnostics);
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
  if (!profile) {
    noteDropCause(element, "it has no profile");
    return std::nullopt;
  }
  std::optional<double> middle;
  if (auto text = childText(element, "middle")) middle = xmltree::text::toDouble(*text);
  auto type = codeOf(element, "type", setTypeFromCode);
  auto naming = codeOf(element, "naming", colorNamingSchemeFromCode);
  auto interpolation = codeOf(element, "interpolation", interpolationMethodFromCode);
  if (!middle || !type || !naming || !interpolation) {
    if (ReadDiagnostics* diagnostics = activeReadDiagnostics()) {
      // The first requirement that fails, at its element when it is there.
      const auto [name, rule] = !middle   ? std::pair{"middle", "a number"}
                                : !type   ? std::pair{"type", "1 to 3"}
                                : !naming ? std::pair{"naming", "1 to 4"}
                                          : std::pair{"interpolation", "1 to 4"};
      const xmltree::XML* culprit = firstChildElement(element, name);
      diagnostics->noteDropCause(
          culprit ? *culprit : element,
          std::string(culprit ? "" : "no ") + name + (culprit ? " is not " : ", which must be ") + rule);
    }
    return std::nullopt;
  }

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
