#include "DumpJson.h"

#include <cstdint>
#include <optional>
#include <string>

#include "TavloData/BuildGroup.h"
#include "TavloData/DocumentSetting.h"
#include "TavloData/MerrinColorAlias.h"
#include "TavloData/MerrinColorBoolean.h"
#include "TavloData/MerrinColorBooleanAlias.h"
#include "TavloData/MerrinColorGroup.h"
#include "TavloData/MerrinColorItem.h"
#include "TavloData/MerrinColorNumber.h"
#include "TavloData/MerrinColorNumberAlias.h"
#include "TavloData/MerrinColorSet.h"
#include "TavloData/MerrinColorShadow.h"
#include "TavloData/MerrinColorShadowAlias.h"
#include "TavloData/MerrinColorShadowSet.h"
#include "TavloData/MerrinColorString.h"
#include "TavloData/MerrinColorStringAlias.h"
#include "TavloData/TestGroup.h"

namespace tavlo::cli {

using Json = nlohmann::ordered_json;

namespace {

// The fields of each kind object, added to its node's object. A kind that
// prints nothing yet contributes only the common fields.
void addGroupFields(Json& out, const MerrinColorGroup& group) {
  out["namespace"] = group.providesNamespace();
}
// --- values ---------------------------------------------------------------

// The variant keys are the ColorSource case names; absent variants are left out.
constexpr std::pair<ColorSource, const char*> kVariantKeys[] = {
    {ColorSource::light, "light"},
    {ColorSource::lightHighContrast, "lightHighContrast"},
    {ColorSource::dark, "dark"},
    {ColorSource::darkHighContrast, "darkHighContrast"},
};

Json colorToJson(const mcu::PlatformColor& color) {
  Json components = Json::array();
  for (double component : color.components()) components.push_back(component);
  return Json{{"space", std::string(color.colorSpace().displayName())},
              {"components", std::move(components)}};
}

Json shadowDetailsToJson(const ShadowDetails& shadow) {
  return Json{{"x", shadow.xOffset()},
              {"y", shadow.yOffset()},
              {"blur", shadow.blur()},
              {"spread", shadow.spread()},
              {"color", colorToJson(shadow.color())}};
}

// The four variants of a themeable value, each through `toJson`.
template <class Themeable, class ToJson>
Json variantsToJson(const Themeable& value, ToJson toJson) {
  Json out = Json::object();
  for (const auto& [source, key] : kVariantKeys)
    if (auto variant = value.variantFor(source)) out[key] = toJson(*variant);
  return out;
}

Json themeableColorToJson(const ThemeableColor& color) {
  Json out = variantsToJson(color, colorToJson);
  if (!color.name().empty()) out["name"] = color.name();
  return out;
}

Json themeableShadowToJson(const ThemeableShadow& shadow) {
  Json out =
      variantsToJson(shadow, [](const ShadowDetailsRef& details) { return shadowDetailsToJson(*details); });
  if (!shadow.name().empty()) out["name"] = shadow.name();
  return out;
}

template <class Plain>
Json plainVariantsToJson(const Plain& value) {
  return variantsToJson(value, [](const auto& variant) { return Json(variant); });
}

void addAppearanceFields(Json& out, AppearanceType appearance, double autoContrast) {
  out["appearance"] = std::string(rawValue(appearance));
  out["autoContrast"] = autoContrast;
}

// --- aliases --------------------------------------------------------------

const char* aliasKindName(AliasSetType::Kind kind) {
  switch (kind) {
    case AliasSetType::Kind::item:
      return "item";
    case AliasSetType::Kind::set:
      return "set";
    case AliasSetType::Kind::setItem:
      return "setItem";
    case AliasSetType::Kind::notSet:
      break;
  }
  return "notSet";
}

// One reference per variant: what the document says and what it resolved
// to (null when it dangles or is not set).
template <class Alias>
Json referencesToJson(const Alias& alias) {
  Json out = Json::object();
  for (const auto& [source, key] : kVariantKeys) {
    const auto& type = alias.aliasTypeFor(source);
    Json reference = Json::object();
    std::optional<std::int64_t> index;
    if constexpr (std::is_same_v<std::remove_cvref_t<decltype(type)>, AliasSetType>) {
      reference["type"] = aliasKindName(type.kind());
      index = type.index();
    } else {
      reference["type"] = type.isNotSet() ? "notSet" : "item";
    }
    // In the document's order: the reference, then the ramp step's index.
    if (!type.isNotSet()) reference["uuid"] = type.uuid();
    if (index) reference["index"] = *index;
    auto node = alias.referencedItemFor(source);
    reference["resolvesTo"] = node ? Json(node->uuid()) : Json(nullptr);
    out[key] = std::move(reference);
  }
  return out;
}

template <class Alias>
void addAliasFields(Json& out, const Alias& alias) {
  addAppearanceFields(out, alias.appearanceType(), alias.autoContrastAmount());
  out["references"] = referencesToJson(alias);
}

void addColorItemFields(Json& out, const MerrinColorItem& item) {
  addAppearanceFields(out, item.appearanceType(), item.autoContrastAmount());
  out["colorSpace"] = std::string(mcu::caseName(item.colorSpace()));
  out["color"] = themeableColorToJson(*item.color());
}
// The generation parameters of a ramp, by case name, then its members.
template <class Ramp>
void addRampFields(Json& out, const Ramp& ramp) {
  addAppearanceFields(out, ramp.appearanceType(), ramp.autoContrastAmount());
  out["colorSpace"] = std::string(mcu::caseName(ramp.colorSpace()));
  out["setType"] = std::string(caseName(ramp.type()));
  out["interpolation"] = std::string(caseName(ramp.interpolationMethod()));
  out["curve"] = std::string(caseName(ramp.curveType()));
  out["curveAmount"] = ramp.curveAmount();
  out["steps"] = ramp.steps();
  out["middle"] = ramp.middleLocation();
  out["middleIndex"] = ramp.middleIndex();
  out["naming"] = std::string(caseName(ramp.namingScheme()));
}
// Every present entry of `list`, written by `toJson`.
template <class List, class ToJson>
Json arrayToJson(const List& list, ToJson toJson) {
  Json array = Json::array();
  for (const auto& entry : list)
    if (entry) array.push_back(toJson(*entry));
  return array;
}

void addColorSetFields(Json& out, const MerrinColorSet& set) {
  addRampFields(out, set);
  out["colors"] = arrayToJson(set.colors(), themeableColorToJson);
}
void addColorAliasFields(Json& out, const MerrinColorAlias& alias) {
  addAliasFields(out, alias);
  out["value"] = themeableColorToJson(*alias.asThemedColor());
  // An alias of a whole ramp also stands for every step of it.
  if (alias.isColorSetAlias())
    out["setValues"] = arrayToJson(alias.asThemedSetColors(), themeableColorToJson);
}
// Numbers, booleans and texts.
template <class Themeable>
void addValueItemFields(Json& out, const ValueItemKind<Themeable>& item) {
  addAppearanceFields(out, item.appearanceType(), item.autoContrastAmount());
  out["value"] = plainVariantsToJson(*item.value());
}
void addNumberFields(Json& out, const MerrinColorNumber& number) {
  addValueItemFields(out, number);
  if (number.minValue()) out["min"] = *number.minValue();
  if (number.maxValue()) out["max"] = *number.maxValue();
  if (number.steps()) out["steps"] = *number.steps();
}
void addNumberAliasFields(Json& out, const MerrinColorNumberAlias& alias) {
  addAliasFields(out, alias);
  out["value"] = plainVariantsToJson(*alias.asThemedNumber());
}
void addBooleanAliasFields(Json& out, const MerrinColorBooleanAlias& alias) {
  addAliasFields(out, alias);
  out["value"] = plainVariantsToJson(*alias.asThemedBoolean());
}
void addStringAliasFields(Json& out, const MerrinColorStringAlias& alias) {
  addAliasFields(out, alias);
  out["value"] = plainVariantsToJson(*alias.asThemedString());
}
void addShadowFields(Json& out, const MerrinColorShadow& shadow) {
  addAppearanceFields(out, shadow.appearanceType(), shadow.autoContrastAmount());
  out["colorSpace"] = std::string(mcu::caseName(shadow.colorSpace()));
  out["shadow"] = themeableShadowToJson(*shadow.shadow());
}
void addShadowSetFields(Json& out, const MerrinColorShadowSet& set) {
  addRampFields(out, set);
  out["shadows"] = arrayToJson(set.shadows(), themeableShadowToJson);
}
void addShadowAliasFields(Json& out, const MerrinColorShadowAlias& alias) {
  addAliasFields(out, alias);
  out["value"] = themeableShadowToJson(*alias.asThemedShadow());
  if (alias.isShadowSetAlias())
    out["setValues"] = arrayToJson(alias.asThemedSetShadows(), themeableShadowToJson);
}

void addKindFields(Json& out, const MerrinColorProjectItem& item) {
  if (item.group()) addGroupFields(out, *item.group());
  if (item.color()) addColorItemFields(out, *item.color());
  if (item.colorSet()) addColorSetFields(out, *item.colorSet());
  if (item.colorAlias()) addColorAliasFields(out, *item.colorAlias());
  if (item.number()) addNumberFields(out, *item.number());
  if (item.numberAlias()) addNumberAliasFields(out, *item.numberAlias());
  if (item.boolean()) addValueItemFields(out, *item.boolean());
  if (item.booleanAlias()) addBooleanAliasFields(out, *item.booleanAlias());
  if (item.string()) addValueItemFields(out, *item.string());
  if (item.stringAlias()) addStringAliasFields(out, *item.stringAlias());
  if (item.shadow()) addShadowFields(out, *item.shadow());
  if (item.shadowSet()) addShadowSetFields(out, *item.shadowSet());
  if (item.shadowAlias()) addShadowAliasFields(out, *item.shadowAlias());
}

// Absent optional fields print as null, so that every task and test has the same keys.
template <class T, class ToJson>
Json optionalToJson(const std::optional<T>& value, ToJson toJson) {
  return value ? toJson(*value) : Json(nullptr);
}
Json textToJson(const std::string& text) {
  return Json(text);
}
template <class Enum>
Json rawToJson(Enum value) {
  return Json(std::string(rawValue(value)));
}

Json buildTaskToJson(const BuildTask& task) {
  return Json{{"name", task.name()},
              {"nameTransform", std::string(caseName(task.nameTransform()))},
              {"folder", task.exportFileFolder()},
              {"fileName", task.exportFileName()},
              {"fileType", std::string(caseName(task.exportFileType()))},
              {"format", optionalToJson(task.exportFormat(), rawToJson<BuildExportFormat>)},
              {"namePrefix", optionalToJson(task.namePrefix(), textToJson)},
              {"nameSuffix", optionalToJson(task.nameSuffix(), textToJson)},
              {"configuration", Json(task.customData())},
              {"uuid", task.uuid()}};
}

Json testTaskToJson(const TestTask& test) {
  auto integer = [](std::int64_t value) { return Json(value); };
  return Json{{"name", test.name()},
              {"type", std::string(rawValue(test.taskType()))},
              {"uuid", test.uuid()},
              {"threshold", optionalToJson(test.threshold(), integer)},
              {"fontSize", optionalToJson(test.minFontSize(), integer)},
              {"fontWeight", optionalToJson(test.minFontWeight(), rawToJson<TestFontWeight>)},
              {"thresholdType", optionalToJson(test.thresholdType(), rawToJson<TestThresholdType>)}};
}

// Build and test groups share their shape; only the members differ.
template <class Group, class Members, class MemberToJson>
Json groupToJson(const Group& group, const char* membersKey, const Members& members, MemberToJson toJson) {
  return Json{{"uuid", group.uuid()},
              {"name", group.name()},
              {"expanded", group.isExpanded()},
              {membersKey, arrayToJson(members, toJson)}};
}

// The groups a node is linked to, by uuid (null when it has none).
template <class Group>
Json linkToJson(const std::shared_ptr<Group>& group) {
  return group ? Json(group->uuid()) : Json(nullptr);
}

}  // namespace

Json itemToJson(const MerrinColorProjectItem& item) {
  Json out = Json::object();
  out["type"] = std::string(caseName(item.itemType()));
  out["name"] = item.name();
  out["uuid"] = item.uuid();
  out["buildGroup"] = linkToJson(item.buildGroup());
  out["testGroup"] = linkToJson(item.testGroup());
  out["testPosition"] = std::string(rawValue(item.testPosition()));
  if (item.isGroup()) out["expanded"] = item.isExpanded();
  addKindFields(out, item);
  // The reader's trees are at most as deep as the element tree allows
  // (xmltree::kMaxElementDepth), which bounds this recursion.
  if (const auto& group = item.group()) {
    Json children = Json::array();
    for (const auto& child : group->items())
      if (child) children.push_back(itemToJson(*child));
    out["children"] = std::move(children);
  }
  return out;
}

Json projectToJson(const MerrinColorProject& project) {
  Json out = Json::object();
  out["description"] = project.projectDescription();
  Json settings = Json::array();
  for (const auto& setting : project.settings())
    if (setting) settings.push_back(Json{{"key", setting->key()}, {"value", setting->value()}});
  out["settings"] = std::move(settings);
  out["displayMode"] = project.displayMode() == AppContentMode::table ? "table" : "grid";
  Json items = Json::array();
  for (const auto& item : project.items())
    if (item) items.push_back(itemToJson(*item));
  out["items"] = std::move(items);
  Json buildGroups = Json::array();
  for (const auto& group : project.buildGroups())
    if (group) buildGroups.push_back(groupToJson(*group, "tasks", group->tasks(), buildTaskToJson));
  out["buildGroups"] = std::move(buildGroups);
  Json testGroups = Json::array();
  for (const auto& group : project.testGroups())
    if (group) testGroups.push_back(groupToJson(*group, "tests", group->tests(), testTaskToJson));
  out["testGroups"] = std::move(testGroups);
  return out;
}

}  // namespace tavlo::cli
