#include "TavloExport/ExportJob.h"

#include <algorithm>
#include <unordered_map>
#include <utility>

#include "TavloData/AliasReferences.h"
#include "TavloData/ItemTreeWalk.h"
#include "TavloData/MerrinColorAlias.h"
#include "TavloData/MerrinColorBooleanAlias.h"
#include "TavloData/MerrinColorGroup.h"
#include "TavloData/MerrinColorNumberAlias.h"
#include "TavloData/MerrinColorProject.h"
#include "TavloData/MerrinColorProjectItem.h"
#include "TavloData/MerrinColorReaderHelper.h"
#include "TavloData/MerrinColorShadowAlias.h"
#include "TavloData/MerrinColorStringAlias.h"
#include "TavloData/ShadowDetails.h"
#include "TavloData/TextCasing.h"
#include "TavloData/ThemeableBoolean.h"
#include "TavloData/ThemeableColor.h"
#include "TavloData/ThemeableNumber.h"
#include "TavloData/ThemeableShadow.h"
#include "TavloData/ThemeableString.h"

namespace tavlo::exports {

namespace {

using Helper = MerrinColorReaderHelper;

ShadowValue shadowValue(const ShadowDetailsRef& shadow) {
  if (!shadow) return {};
  return {shadow->xOffset(), shadow->yOffset(), shadow->blur(), shadow->spread(), shadow->color()};
}

// The four variants of a themeable value, each turned into a token value.
template <class Themeable, class Convert>
std::array<std::optional<TokenValue>, 4> variantsOf(const Themeable& value, Convert convert) {
  std::array<std::optional<TokenValue>, 4> variants;
  for (ColorSource source : exportAppearances)
    if (auto variant = value.variantFor(source))
      variants[static_cast<std::size_t>(source)] = convert(*variant);
  return variants;
}

auto same = [](const auto& value) { return TokenValue(value); };

// The node and ramp position an alias's reference for one appearance points at.
struct AliasReference {
  const MerrinColorProjectItem* node = nullptr;
  std::optional<std::int64_t> index;
};

template <class References>
AliasReference referenceOf(const References& alias, ColorSource source) {
  AliasReference reference;
  reference.node = alias.referencedItemFor(source).get();
  if constexpr (std::is_base_of_v<SetAliasSettable, References>)
    reference.index = alias.referencedIndexFor(source);
  return reference;
}

std::optional<AliasReference> aliasReference(const MerrinColorProjectItem& item, ColorSource source) {
  if (const auto& alias = item.colorAlias()) return referenceOf(*alias, source);
  if (const auto& alias = item.shadowAlias()) return referenceOf(*alias, source);
  if (const auto& alias = item.numberAlias()) return referenceOf(*alias, source);
  if (const auto& alias = item.booleanAlias()) return referenceOf(*alias, source);
  if (const auto& alias = item.stringAlias()) return referenceOf(*alias, source);
  return std::nullopt;
}

std::size_t rampSize(const MerrinColorProjectItem& node) {
  if (auto colors = Helper::setColors(node)) return colors->size();
  if (auto shadows = Helper::setShadows(node)) return shadows->size();
  return 0;
}

constexpr std::size_t kNoEntry = static_cast<std::size_t>(-1);

}  // namespace

std::string_view kindName(TokenKind kind) {
  switch (kind) {
    case TokenKind::color:
      return "color";
    case TokenKind::number:
      return "number";
    case TokenKind::boolean:
      return "boolean";
    case TokenKind::string:
      return "string";
    case TokenKind::shadow:
      return "shadow";
  }
  return "";
}

const TokenValue& Token::displayValue(ColorSource appearance) const {
  const auto& variant = variants[static_cast<std::size_t>(appearance)];
  return variant ? *variant : *variants[0];
}

bool Token::differsByAppearance() const {
  for (ColorSource appearance : exportAppearances)
    if (!(displayValue(appearance) == *variants[0])) return true;
  return false;
}

std::string Token::displayName() const {
  std::string text;
  for (const auto& piece : path) {
    if (!text.empty()) text += " / ";
    text += piece;
  }
  return text;
}

GroupTokens::GroupTokens(const MerrinColorProject& project, const BuildGroup& group)
    : project_(project), group_(group) {
  collect();
}

ExportJob::ExportJob(std::shared_ptr<const GroupTokens> resolved, const BuildTask& task,
                     std::filesystem::path document)
    : resolved_(std::move(resolved)), task_(task), document_(std::move(document)) {}

ExportJob::ExportJob(const MerrinColorProject& project, const BuildGroup& group, const BuildTask& task,
                     std::filesystem::path document)
    : ExportJob(std::make_shared<const GroupTokens>(project, group), task, std::move(document)) {}

std::filesystem::path ExportJob::documentFolder() const {
  std::filesystem::path folder = document_.parent_path();
  return folder.empty() ? std::filesystem::path(".") : folder;
}

void GroupTokens::collect() {
  // One walk over the tree: a node linked to the group is exported, and so is
  // everything beneath a linked group. Namespace prefixes come from the
  // walk's own levels, so no item is searched for again.
  const std::string& groupUuid = group_.uuid();
  std::size_t linkedDepth = 0;  // depth of the linked group we are inside; 0 when outside
  walkItemTree(project_.items(),
               [&](const MerrinColorProjectItemPtr& node, const std::vector<ItemWalkLevel>& levels) {
                 const std::size_t depth = levels.size();
                 if (linkedDepth && depth <= linkedDepth) linkedDepth = 0;
                 const bool linked = node->buildGroup() && node->buildGroup()->uuid() == groupUuid;
                 if (!linkedDepth && !linked) return WalkStep::descend;
                 if (node->isGroup()) {
                   if (!linkedDepth) linkedDepth = depth;
                   return WalkStep::descend;
                 }
                 std::vector<std::string> prefixes;
                 for (std::size_t level = 0; level + 1 < depth; ++level) {
                   const auto& ancestor = (*levels[level].items)[levels[level].index];
                   if (ancestor->group() && ancestor->group()->providesNamespace())
                     prefixes.push_back(ancestor->name());
                 }
                 items_.push_back(node);
                 itemPrefixes_.push_back(std::move(prefixes));
                 return WalkStep::descend;
               });

  tokens_.reserve(items_.size() * 2);
  auto add = [&](const MerrinColorProjectItem& item, std::optional<std::size_t> entry,
                 std::vector<std::string> path, TokenKind kind,
                 std::array<std::optional<TokenValue>, 4> variants) {
    Token token;
    token.item = &item;
    token.entryIndex = entry;
    token.path = std::move(path);
    token.kind = kind;
    token.variants = std::move(variants);
    tokens_.push_back(std::move(token));
  };
  auto addRamp = [&](const MerrinColorProjectItem& item, const std::vector<std::string>& prefixes,
                     TokenKind kind, const auto& entries, auto convert) {
    for (std::size_t i = 0; i < entries.size(); ++i) {
      if (!entries[i]) continue;
      std::vector<std::string> path = prefixes;
      path.push_back(item.name());
      path.push_back(entries[i]->name().empty() ? std::to_string((i + 1) * 100) : entries[i]->name());
      add(item, i, std::move(path), kind, variantsOf(*entries[i], convert));
    }
  };

  for (std::size_t i = 0; i < items_.size(); ++i) {
    const MerrinColorProjectItem& item = *items_[i];
    const auto& prefixes = itemPrefixes_[i];
    auto path = [&] {
      std::vector<std::string> pieces = prefixes;
      pieces.push_back(item.name());
      return pieces;
    };
    if (auto colors = Helper::setColors(item)) {
      addRamp(item, prefixes, TokenKind::color, *colors, same);
    } else if (auto color = Helper::colorItemColor(item)) {
      add(item, std::nullopt, path(), TokenKind::color, variantsOf(*color, same));
    } else if (auto shadows = Helper::setShadows(item)) {
      addRamp(item, prefixes, TokenKind::shadow, *shadows, shadowValue);
    } else if (auto shadow = Helper::shadowItemShadow(item)) {
      add(item, std::nullopt, path(), TokenKind::shadow, variantsOf(*shadow, shadowValue));
    } else if (auto number = Helper::numberItemNumber(item)) {
      add(item, std::nullopt, path(), TokenKind::number, variantsOf(*number, same));
    } else if (auto boolean = Helper::booleanItemBoolean(item)) {
      add(item, std::nullopt, path(), TokenKind::boolean, variantsOf(*boolean, same));
    } else if (auto string = Helper::stringItemString(item)) {
      add(item, std::nullopt, path(), TokenKind::string, variantsOf(*string, same));
    }
  }

  // An item's tokens follow one another; where each item's begin is indexed
  // only when an alias asks.
  std::unordered_map<const MerrinColorProjectItem*, std::size_t> firstToken;
  auto tokenOf = [&](const MerrinColorProjectItem* node, std::size_t entry) -> std::optional<std::size_t> {
    if (firstToken.empty()) {
      firstToken.reserve(items_.size());
      for (std::size_t t = 0; t < tokens_.size(); ++t) firstToken.emplace(tokens_[t].item, t);
    }
    const auto found = firstToken.find(node);
    if (found == firstToken.end()) return std::nullopt;
    for (std::size_t t = found->second; t < tokens_.size() && tokens_[t].item == node; ++t)
      if (tokens_[t].entryIndex.value_or(kNoEntry) == entry) return t;
    return std::nullopt;
  };
  // An alias's value for an appearance comes from that appearance's reference
  // when it resolves, else from the light one. The target token stands for
  // it only where its own value under the appearance is the same, so a
  // reference never changes what a file says.
  for (Token& token : tokens_) {
    if (!token.item->isAnyAlias()) continue;
    for (ColorSource appearance : exportAppearances) {
      const ColorSource source = token.hasVariant(appearance) ? appearance : ColorSource::light;
      const auto reference = aliasReference(*token.item, source);
      if (!reference || !reference->node) continue;
      std::size_t entry = kNoEntry;
      if (token.entryIndex) {
        entry = *token.entryIndex;  // an alias of a whole ramp: entry by entry
      } else if (reference->index) {
        const std::size_t size = rampSize(*reference->node);
        entry = *reference->index >= 0 && static_cast<std::size_t>(*reference->index) < size
                    ? static_cast<std::size_t>(*reference->index)
                    : 0;
      }
      const auto found = tokenOf(reference->node, entry);
      if (!found) continue;
      const Token& target = tokens_[*found];
      if (&target == &token || target.kind != token.kind) continue;
      if (!(target.displayValue(appearance) == token.displayValue(appearance))) continue;
      token.aliasTarget[static_cast<std::size_t>(appearance)] = *found;
    }
  }
}

std::string ExportJob::fullName(std::string_view name, std::span<const std::string> prefixes) const {
  return resolved_->fullName(name, task_, prefixes);
}

std::string GroupTokens::fullName(std::string_view name, const BuildTask& task,
                                  std::span<const std::string> prefixes) const {
  const BuildNameTransform transform = task.nameTransform();
  return Helper::fullName(name, task, prefixes,
                          [&](std::string_view piece) { return casedPiece(transform, piece); });
}

const std::string& ExportJob::name(const Token& token) const {
  return resolved_->exportedName(token, task_);
}

const std::string& GroupTokens::exportedName(const Token& token, const BuildTask& task) const {
  const BuildNameTransform transform = task.nameTransform();
  auto naming = std::find_if(namings_.begin(), namings_.end(), [&](const Naming& n) {
    return n.transform == transform && n.prefix == task.namePrefix() && n.suffix == task.nameSuffix();
  });
  if (naming == namings_.end()) {
    namings_.push_back({transform, task.namePrefix(), task.nameSuffix(), {}});
    naming = namings_.end() - 1;
    naming->names.resize(tokens_.size());
  }
  auto& name = naming->names[indexOf(token)];
  if (!name) name = fullName(token.path.back(), task, std::span(token.path).first(token.path.size() - 1));
  return *name;
}

std::string ExportJob::variantName(const Token& token, ColorSource appearance) const {
  std::string_view word;
  switch (appearance) {
    case ColorSource::light:
      return name(token);
    case ColorSource::lightHighContrast:
      word = "high contrast";
      break;
    case ColorSource::dark:
      word = "dark";
      break;
    case ColorSource::darkHighContrast:
      word = "dark high contrast";
      break;
  }
  std::vector<std::string> prefixes{std::string(word)};
  prefixes.insert(prefixes.end(), token.path.begin(), token.path.end() - 1);
  return fullName(token.path.back(), prefixes);
}

std::string ExportJob::transformedPiece(std::string_view piece) const {
  return resolved_->casedPiece(task_.nameTransform(), piece);
}

std::string GroupTokens::casedPiece(BuildNameTransform transform, std::string_view piece) const {
  if (isASCII(piece)) return tavlo::transform(transform, piece);
  auto& cache = casedPieces_.at(static_cast<std::size_t>(transform));
  auto found = cache.find(piece);
  if (found == cache.end())
    found = cache.emplace(std::string(piece), tavlo::transform(transform, piece)).first;
  return found->second;
}

const CssColorText* GroupTokens::colorText(const Token& token, ColorSource appearance,
                                           BuildExportFormat format, bool exact) const {
  const TokenValue& value = token.displayValue(appearance);
  const mcu::PlatformColor* color = std::get_if<mcu::PlatformColor>(&value);
  if (const auto* shadow = std::get_if<ShadowValue>(&value)) color = &shadow->color;
  if (!color) return nullptr;
  auto& texts = colorTexts_[static_cast<std::size_t>(format) * 2 + (exact ? 1 : 0)];
  if (texts.empty()) texts.resize(tokens_.size() * exportAppearances.size());
  // A variant the token does not store shows the light one: one text serves both.
  const ColorSource shown = token.hasVariant(appearance) ? appearance : ColorSource::light;
  auto& text = texts[indexOf(token) * exportAppearances.size() + static_cast<std::size_t>(shown)];
  if (!text) text = cssColorText(*color, format, exact);
  return &*text;
}

std::string ExportJob::pathInFolder(std::string_view fileName) const {
  std::string path = task_.exportFileFolder();
  while (!path.empty() && path.back() == '/') path.pop_back();
  if (!path.empty()) path += '/';
  path += fileName;
  return path;
}

std::string ExportJob::filePath() const {
  return pathInFolder(task_.fullFileName());
}

std::string ExportJob::generatedNotice() const {
  return "Generated by tavlo build from " + document_.filename().string() + "; do not edit.";
}

const TokenValue& ExportJob::valueUnder(const Token& token, const Expression& expression,
                                        ColorSource appearance) const {
  if (expression.target) return tokens()[*expression.target].displayValue(appearance);
  return token.displayValue(expression.writtenFor);
}

BuildExportFormat ExportJob::exportFormat() const {
  return task_.exportFormat().value_or(BuildExportFormat::cssHex);
}

std::optional<std::string> ExportJob::customValue(std::string_view key) const {
  const auto& data = task_.customData();
  const auto found = data.find(std::string(key));
  if (found == data.end()) return std::nullopt;
  return found->second;
}

bool NameTable::claim(const std::string& name, const Token& token, Diagnostics& diagnostics) {
  const auto [found, inserted] = owners_.emplace(name, &token);
  if (inserted) return true;
  diagnostics.error("'" + found->second->displayName() + "' and '" + token.displayName() +
                    "' both export as '" + name + "'; the second is left out");
  return false;
}

}  // namespace tavlo::exports
