// What exporters ask of a project: the namespace prefixes of an item, the
// exported name of an item under a task, and the value of a node whatever it
// is (the item itself or an alias that resolves to one).
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "TavloData/ProjectKinds.h"

namespace tavlo {

class ThemeableBoolean;
class ThemeableColor;
class ThemeableNumber;
class ThemeableShadow;
class ThemeableString;

class MerrinColorReaderHelper {
 public:
  MerrinColorReaderHelper() = delete;

  // Put before an exported name to tell its variants apart; the same words
  // as the document's variant types.
  static constexpr std::string_view highContrastPrefix = "highContrast";
  static constexpr std::string_view darkPrefix = "dark";
  static constexpr std::string_view darkHighContrastPrefix = "darkHighContrast";

  // The names of the enclosing groups that provide a namespace, outermost
  // first; empty for a top-level item or one that is not in the project.
  static std::vector<std::string> namespacePrefixes(const MerrinColorProjectItem& forItem,
                                                    const MerrinColorProject& project);

  // The exported name: each prefix and then the name cased by the task's
  // transform and joined by its separator, between the task's own prefix and
  // suffix. Under camel case, prefixes "Brand", "Core" and the name
  // "primary blue" give "brandCorePrimaryBlue".
  static std::string fullName(std::string_view name, const BuildTask& task,
                              const std::vector<std::string>& prefixes);
  // The same with each piece cased by TRANSFORM_PIECE, which must case as the
  // task's transform does (an exporter keeps the pieces it has cased before).
  static std::string fullName(std::string_view name, const BuildTask& task,
                              std::span<const std::string> prefixes,
                              const std::function<std::string(std::string_view)>& transformPiece);

  // The node's value when it is an item of that kind or an alias of it. An
  // alias into a ramp (a whole-ramp reference) counts as a ramp, not as a
  // single value. Empty for every other node.
  static std::shared_ptr<ThemeableColor> colorItemColor(const MerrinColorProjectItem& forItem);
  static std::shared_ptr<ThemeableNumber> numberItemNumber(const MerrinColorProjectItem& forItem);
  static std::shared_ptr<ThemeableBoolean> booleanItemBoolean(const MerrinColorProjectItem& forItem);
  static std::shared_ptr<ThemeableString> stringItemString(const MerrinColorProjectItem& forItem);
  static std::shared_ptr<ThemeableShadow> shadowItemShadow(const MerrinColorProjectItem& forItem);

  // The value that stands for a ramp: its middle entry, or for an alias into
  // ramps what it resolves to. Empty for every other node.
  static std::shared_ptr<ThemeableColor> colorSetColor(const MerrinColorProjectItem& forItem);
  static std::shared_ptr<ThemeableShadow> shadowSetShadow(const MerrinColorProjectItem& forItem);

  // The members of a ramp node, or the steps an alias into ramps resolves to.
  static std::optional<std::vector<std::shared_ptr<ThemeableColor>>> setColors(
      const MerrinColorProjectItem& forItem);
  static std::optional<std::vector<std::shared_ptr<ThemeableShadow>>> setShadows(
      const MerrinColorProjectItem& forItem);
};

}  // namespace tavlo
