#include "TavloData/MerrinColorReaderHelper.h"

#include <algorithm>

#include "TavloData/BuildGroup.h"
#include "TavloData/MerrinColorAlias.h"
#include "TavloData/MerrinColorBoolean.h"
#include "TavloData/MerrinColorBooleanAlias.h"
#include "TavloData/MerrinColorGroup.h"
#include "TavloData/MerrinColorItem.h"
#include "TavloData/MerrinColorNumber.h"
#include "TavloData/MerrinColorNumberAlias.h"
#include "TavloData/MerrinColorProject.h"
#include "TavloData/MerrinColorProjectItem.h"
#include "TavloData/MerrinColorSet.h"
#include "TavloData/MerrinColorShadow.h"
#include "TavloData/MerrinColorShadowAlias.h"
#include "TavloData/MerrinColorShadowSet.h"
#include "TavloData/MerrinColorString.h"
#include "TavloData/MerrinColorStringAlias.h"

namespace tavlo {

std::vector<std::string> MerrinColorReaderHelper::namespacePrefixes(const MerrinColorProjectItem& forItem,
                                                                    const MerrinColorProject& project) {
  std::vector<std::string> prefixes;
  std::optional<IndexPath> path = project.indexPath(forItem.uuid());
  if (!path) return prefixes;
  // Every proper prefix of the path is an ancestor, the parent first.
  for (IndexPath ancestorPath = *path; ancestorPath.size() > 1;) {
    ancestorPath.pop_back();
    MerrinColorProjectItemPtr ancestor = project.item(ancestorPath);
    if (ancestor && ancestor->group() && ancestor->group()->providesNamespace())
      prefixes.push_back(ancestor->name());
  }
  std::reverse(prefixes.begin(), prefixes.end());
  return prefixes;
}

std::string MerrinColorReaderHelper::fullName(std::string_view name, const BuildTask& task,
                                              const std::vector<std::string>& prefixes) {
  const BuildNameTransform nameTransform = task.nameTransform();
  return fullName(name, task, prefixes,
                  [&](std::string_view piece) { return transform(nameTransform, piece); });
}

std::string MerrinColorReaderHelper::fullName(
    std::string_view name, const BuildTask& task, std::span<const std::string> prefixes,
    const std::function<std::string(std::string_view)>& transformPiece) {
  const BuildNameTransform nameTransform = task.nameTransform();
  std::string result;
  auto append = [&](std::string_view piece) {
    std::string transformed = transformPiece(piece);
    // Pieces after the first are joined the way the transform joins words.
    result += result.empty() ? transformed : alterForConcatonation(nameTransform, transformed);
  };
  for (const std::string& prefix : prefixes) append(prefix);
  append(name);
  return add(nameTransform, task.namePrefix(), task.nameSuffix(), result);
}

std::shared_ptr<ThemeableColor> MerrinColorReaderHelper::colorItemColor(
    const MerrinColorProjectItem& forItem) {
  if (const auto& color = forItem.color()) return color->color();
  if (const auto& alias = forItem.colorAlias())
    if (!alias->isColorSetAlias()) return alias->asThemedColor();
  return nullptr;
}

std::shared_ptr<ThemeableNumber> MerrinColorReaderHelper::numberItemNumber(
    const MerrinColorProjectItem& forItem) {
  if (const auto& number = forItem.number()) return number->value();
  if (const auto& alias = forItem.numberAlias()) return alias->asThemedNumber();
  return nullptr;
}

std::shared_ptr<ThemeableBoolean> MerrinColorReaderHelper::booleanItemBoolean(
    const MerrinColorProjectItem& forItem) {
  if (const auto& boolean = forItem.boolean()) return boolean->value();
  if (const auto& alias = forItem.booleanAlias()) return alias->asThemedBoolean();
  return nullptr;
}

std::shared_ptr<ThemeableString> MerrinColorReaderHelper::stringItemString(
    const MerrinColorProjectItem& forItem) {
  if (const auto& string = forItem.string()) return string->value();
  if (const auto& alias = forItem.stringAlias()) return alias->asThemedString();
  return nullptr;
}

std::shared_ptr<ThemeableShadow> MerrinColorReaderHelper::shadowItemShadow(
    const MerrinColorProjectItem& forItem) {
  if (const auto& shadow = forItem.shadow()) return shadow->shadow();
  if (const auto& alias = forItem.shadowAlias())
    if (!alias->isShadowSetAlias()) return alias->asThemedShadow();
  return nullptr;
}

std::shared_ptr<ThemeableColor> MerrinColorReaderHelper::colorSetColor(
    const MerrinColorProjectItem& forItem) {
  if (const auto& ramp = forItem.colorSet()) return ramp->middleColor();
  if (const auto& alias = forItem.colorAlias())
    if (alias->isColorSetAlias()) return alias->asThemedColor();
  return nullptr;
}

std::shared_ptr<ThemeableShadow> MerrinColorReaderHelper::shadowSetShadow(
    const MerrinColorProjectItem& forItem) {
  if (const auto& ramp = forItem.shadowSet()) return ramp->middleShadow();
  if (const auto& alias = forItem.shadowAlias())
    if (alias->isShadowSetAlias()) return alias->asThemedShadow();
  return nullptr;
}

std::optional<std::vector<std::shared_ptr<ThemeableColor>>> MerrinColorReaderHelper::setColors(
    const MerrinColorProjectItem& forItem) {
  if (const auto& ramp = forItem.colorSet()) return ramp->colors();
  if (const auto& alias = forItem.colorAlias())
    if (alias->isColorSetAlias()) return alias->asThemedSetColors();
  return std::nullopt;
}

std::optional<std::vector<std::shared_ptr<ThemeableShadow>>> MerrinColorReaderHelper::setShadows(
    const MerrinColorProjectItem& forItem) {
  if (const auto& ramp = forItem.shadowSet()) return ramp->shadows();
  if (const auto& alias = forItem.shadowAlias())
    if (alias->isShadowSetAlias()) return alias->asThemedSetShadows();
  return std::nullopt;
}

}  // namespace tavlo
