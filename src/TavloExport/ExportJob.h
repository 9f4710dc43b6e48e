// What every exporter starts from: the task's items resolved once into
// tokens (name, kind, a value per appearance, the token an alias stands for)
// and the naming rules the task asks for.
#pragma once

#include <array>
#include <cstddef>
#include <deque>
#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <variant>
#include <vector>

#include "MerrinColorUtils/platform/PlatformColor.h"
#include "TavloData/AppearanceType.h"
#include "TavloData/BuildGroup.h"
#include "TavloData/ProjectKinds.h"
#include "TavloExport/ColorTexts.h"
#include "TavloExport/Exporter.h"

namespace tavlo::exports {

enum class TokenKind { color, number, boolean, string, shadow };

// The kind's case name: "color", "number", "boolean", "string", "shadow".
std::string_view kindName(TokenKind kind);

struct ShadowValue {
  double xOffset = 0;
  double yOffset = 0;
  double blur = 0;
  double spread = 0;
  mcu::PlatformColor color = mcu::PlatformColor::sRGBClear();
  friend bool operator==(const ShadowValue&, const ShadowValue&) = default;
};

// Holds the alternative that matches the token's kind.
using TokenValue = std::variant<mcu::PlatformColor, double, bool, std::string, ShadowValue>;

// The four appearances in the order the files list them.
inline constexpr std::array<ColorSource, 4> exportAppearances{
    ColorSource::light, ColorSource::lightHighContrast, ColorSource::dark, ColorSource::darkHighContrast};

// One exported value: an item, or one entry of a ramp.
struct Token {
  // The node it comes from (for a ramp entry, the ramp's node).
  const MerrinColorProjectItem* item = nullptr;
  // For ramp entries, the entry's position in the ramp.
  std::optional<std::size_t> entryIndex;
  // The pieces of the name, untransformed: namespace prefixes, the ramp's
  // name for an entry, then the item's or entry's own name.
  std::vector<std::string> path;
  TokenKind kind = TokenKind::color;
  // Stored variants, indexed by ColorSource; the light one is always there.
  std::array<std::optional<TokenValue>, 4> variants;
  // Per appearance, the token (an index into ExportJob::tokens()) whose value
  // under that appearance equals this token's, because this token is an alias
  // of it. Exporters whose language has references write one to it.
  std::array<std::optional<std::size_t>, 4> aliasTarget;

  // The stored variant, else the light one.
  const TokenValue& displayValue(ColorSource appearance) const;
  bool hasVariant(ColorSource appearance) const {
    return variants[static_cast<std::size_t>(appearance)].has_value();
  }
  // Whether any appearance shows another value than light.
  bool differsByAppearance() const;
  // "Brand / Primary" or "Ramp / 500": the item as a user names it in messages.
  std::string displayName() const;
};

// The items of one build group resolved into tokens: the same for every task
// of the group, so a build resolves them once and shares them.
class GroupTokens {
 public:
  GroupTokens(const MerrinColorProject& project, const BuildGroup& group);

  const MerrinColorProject& project() const { return project_; }
  const BuildGroup& group() const { return group_; }
  // The nodes the group exports, in tree order (linked groups contribute their descendants).
  const MerrinColorProjectItemList& items() const { return items_; }
  // Their name pieces from namespaces; parallel to items().
  const std::vector<std::vector<std::string>>& itemPrefixes() const { return itemPrefixes_; }
  const std::vector<Token>& tokens() const { return tokens_; }

  // PIECE cased by TRANSFORM. ASCII pieces are cased directly, which costs
  // less than looking them up; others go through ICU, and the same pieces
  // come back for thousands of tokens and for every task of the group, so
  // each of those is cased once.
  std::string casedPiece(BuildNameTransform transform, std::string_view piece) const;

  // The style-sheet text of the colour TOKEN (one of tokens()) shows under
  // APPEARANCE, a shadow's colour included, in FORMAT; null when the value
  // holds no colour. The CSS, SCSS and LESS tasks of a group write the same
  // colours in the same notation, so each text is made once for all of them.
  const CssColorText* colorText(const Token& token, ColorSource appearance, BuildExportFormat format,
                                bool exact) const;

  // The exported name of NAME with namespace PREFIXES under TASK's naming.
  std::string fullName(std::string_view name, const BuildTask& task,
                       std::span<const std::string> prefixes) const;

  // TOKEN's exported name under TASK's naming (transform, prefix, suffix).
  // Tasks that name alike (a CSS and an SCSS task in kebab case) share the names.
  const std::string& exportedName(const Token& token, const BuildTask& task) const;

 private:
  void collect();
  // TOKEN's position in tokens().
  std::size_t indexOf(const Token& token) const { return static_cast<std::size_t>(&token - tokens_.data()); }

  // Names per naming, made when first asked for (a design-token file never asks).
  struct Naming {
    BuildNameTransform transform;
    std::optional<std::string> prefix, suffix;
    std::vector<std::optional<std::string>> names;
  };
  // A deque, so the names handed out stay where they are as namings are added.
  mutable std::deque<Naming> namings_;

  // Per notation and exactness, a text per token and stored variant, made when first asked for.
  mutable std::array<std::vector<std::optional<CssColorText>>, 8> colorTexts_;

  struct PieceHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view piece) const { return std::hash<std::string_view>()(piece); }
  };
  mutable std::array<std::unordered_map<std::string, std::string, PieceHash, std::equal_to<>>, 5>
      casedPieces_;

  const MerrinColorProject& project_;
  const BuildGroup& group_;
  MerrinColorProjectItemList items_;
  std::vector<std::vector<std::string>> itemPrefixes_;
  std::vector<Token> tokens_;
};

class ExportJob {
 public:
  // TASK (a task of the group RESOLVED was made from) over the group's
  // tokens. DOCUMENT is the document's path: templates are looked up beside
  // it and its file name goes into the generated-file notice.
  ExportJob(std::shared_ptr<const GroupTokens> resolved, const BuildTask& task,
            std::filesystem::path document);
  // The same, resolving the group's items for this task alone.
  ExportJob(const MerrinColorProject& project, const BuildGroup& group, const BuildTask& task,
            std::filesystem::path document);

  const MerrinColorProject& project() const { return resolved_->project(); }
  const BuildGroup& group() const { return resolved_->group(); }
  const BuildTask& task() const { return task_; }
  const std::filesystem::path& document() const { return document_; }
  // The folder of the document (the current folder for a bare file name).
  std::filesystem::path documentFolder() const;

  const MerrinColorProjectItemList& items() const { return resolved_->items(); }
  const std::vector<std::vector<std::string>>& itemPrefixes() const { return resolved_->itemPrefixes(); }
  const std::vector<Token>& tokens() const { return resolved_->tokens(); }

  // The exported name of NAME with namespace PREFIXES under the task.
  std::string fullName(std::string_view name, std::span<const std::string> prefixes) const;
  // The token's exported name under the task (fullName of its path); TOKEN is one of tokens().
  const std::string& name(const Token& token) const;
  // The token's name for an appearance, for targets that cannot switch by
  // media or qualifier: "dark", "high contrast" or "dark high contrast" as
  // outermost prefix ("darkHighContrastBrandPrimary"); light is the plain name.
  std::string variantName(const Token& token, ColorSource appearance) const;
  // One name piece cased by the task's transform ("Brand primary" -> "brandPrimary").
  std::string transformedPiece(std::string_view piece) const;

  // "FOLDER/FILE" (the task's folder and full file name), relative to the output root.
  std::string filePath() const;
  // The same with another file name in the task's folder.
  std::string pathInFolder(std::string_view fileName) const;

  // "Generated by tavlo build from NAME.tavlo; do not edit." The comment
  // syntax around it is the exporter's.
  std::string generatedNotice() const;

  // What a file writes for a token under an appearance: a reference to the
  // token it is an alias of when CAN_REFERENCE allows that target, else its
  // own value for that appearance.
  struct Expression {
    ColorSource writtenFor = ColorSource::light;
    std::optional<std::size_t> target;
    friend bool operator==(const Expression&, const Expression&) = default;
  };
  template <class CanReference>
  Expression expression(const Token& token, ColorSource appearance, CanReference canReference) const {
    const auto& target = token.aliasTarget[static_cast<std::size_t>(appearance)];
    if (target && canReference(*target)) return {appearance, target};
    return {appearance, std::nullopt};
  }
  // What EXPRESSION, written for TOKEN, means under APPEARANCE: a reference
  // follows its target into that appearance, a value stays what it is.
  const TokenValue& valueUnder(const Token& token, const Expression& expression,
                               ColorSource appearance) const;

  // The colour notation of the task; cssHex when it sets none.
  BuildExportFormat exportFormat() const;
  // The task's text for the colour TOKEN shows under APPEARANCE (GroupTokens::colorText).
  const CssColorText* colorText(const Token& token, ColorSource appearance, bool exact = false) const {
    return resolved_->colorText(token, appearance, exportFormat(), exact);
  }
  // A task option from customData.
  std::optional<std::string> customValue(std::string_view key) const;

 private:
  std::shared_ptr<const GroupTokens> resolved_;
  const BuildTask& task_;
  std::filesystem::path document_;
};

// Names already given out in one file. Two tokens that map to one name are
// an error: the second is reported and should be left out, never merged.
class NameTable {
 public:
  // EXPECTED names are room made up front: a file gives out one per token.
  explicit NameTable(std::size_t expected = 0) { owners_.reserve(expected); }
  // True when NAME was free; otherwise reports both tokens and returns false.
  bool claim(const std::string& name, const Token& token, Diagnostics& diagnostics);

 private:
  // Each name's first token; its display name is only made for a message.
  std::unordered_map<std::string, const Token*> owners_;
};

}  // namespace tavlo::exports
