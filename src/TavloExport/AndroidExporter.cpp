// Android value resources: `<color>` (#AARRGGBB), `<item type="dimen"
// format="float">`, `<bool>` and `<string>` in one `<resources>` file.
//
// When the task's folder is a `values` folder, dark values go into the same
// file name under the sibling `values-night`, where Android picks them up by
// itself; high-contrast values, which no resource qualifier selects, get
// their variant name ("high_contrast_brand"), dark high contrast under that
// name in `values-night`. In any other folder every stored variant gets its
// variant name in the one file. A resource holds sRGB only: a wider colour is
// written clipped and reported.
#include <array>
#include <memory>
#include <string>

#include "MerrinColorUtils/ColorConverter.h"
#include "TavloExport/ColorTexts.h"
#include "TavloExport/ExportJob.h"
#include "TavloExport/Exporter.h"
#include "TavloExport/Identifiers.h"

namespace tavlo::exports {

namespace {

// The resource type of a token, which also names its references (@color/x).
std::string_view resourceType(TokenKind kind) {
  switch (kind) {
    case TokenKind::color:
      return "color";
    case TokenKind::number:
      return "dimen";
    case TokenKind::boolean:
      return "bool";
    default:
      return "string";
  }
}

void appendXMLEscaped(std::string& out, std::string_view text) {
  for (char c : text) {
    switch (c) {
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '&':
        out += "&amp;";
        break;
      default:
        out += c;
    }
  }
}

// A string resource's text by Android's rules: backslash, both quotes and a
// leading '@' or '?' escaped, line breaks and tabs as \n and \t, other
// control characters (which XML cannot carry) as \uXXXX. Android collapses
// white space outside quotes, so a text whose spaces matter is quoted.
std::string androidString(std::string_view text) {
  const std::string escaped = escapedText(text, IdentifierLanguage::androidResource);
  const bool spacesMatter = !text.empty() && (text.front() == ' ' || text.back() == ' ' ||
                                              text.find("  ") != std::string_view::npos);
  std::string out;
  appendXMLEscaped(out, spacesMatter ? "\"" + escaped + "\"" : escaped);
  return out;
}

// Inside an XML comment "--" may not appear.
std::string xmlCommentText(std::string_view text) {
  std::string safe(lineCommentText(text));
  for (std::size_t at = safe.find("--"); at != std::string::npos; at = safe.find("--", at))
    safe[at + 1] = ' ';
  if (!safe.empty() && safe.back() == '-') safe += ' ';
  return safe;
}

// One resource: a name in a file, holding a token's value for one appearance.
struct Slot {
  bool night = false;  // in values-night rather than the task's file
  ColorSource appearance = ColorSource::light;
  ColorSource nameVariant = ColorSource::light;  // which variant name it goes by
};

// The slots of a token. In a values folder: light and light high contrast in
// values/, dark and dark high contrast in values-night/ where they differ
// from what values/ already gives that name. Elsewhere: one resource per
// stored variant, under its variant name.
std::vector<Slot> slotsOf(const Token& token, bool nightFolder) {
  std::vector<Slot> slots;
  if (!nightFolder) {
    for (ColorSource appearance : exportAppearances)
      if (declaresVariant(token, appearance)) slots.push_back({false, appearance, appearance});
    return slots;
  }
  const bool contrast =
      token.hasVariant(ColorSource::lightHighContrast) || token.hasVariant(ColorSource::darkHighContrast);
  auto add = [&](ColorSource day, ColorSource night) {
    slots.push_back({false, day, day});
    if (!(token.displayValue(night) == token.displayValue(day))) slots.push_back({true, night, day});
  };
  add(ColorSource::light, ColorSource::dark);
  if (contrast) add(ColorSource::lightHighContrast, ColorSource::darkHighContrast);
  return slots;
}

class AndroidExporter final : public Exporter {
 public:
  std::vector<ExportedFile> run(const ExportJob& job, Diagnostics& diagnostics) const override {
    const auto& tokens = job.tokens();
    std::string folder = job.task().exportFileFolder();
    while (!folder.empty() && folder.back() == '/') folder.pop_back();
    const std::size_t slash = folder.rfind('/');
    const std::string lastPart = slash == std::string::npos ? folder : folder.substr(slash + 1);
    const bool nightFolder = lastPart == "values";

    // Names per token and variant name; resource types are separate name spaces.
    std::vector<std::array<std::optional<std::string>, 4>> names(tokens.size());
    std::array<NameTable, 4> tables;
    std::vector<std::vector<Slot>> slots(tokens.size());
    for (std::size_t i = 0; i < tokens.size(); ++i) {
      const Token& token = tokens[i];
      if (token.kind == TokenKind::shadow) continue;
      slots[i] = slotsOf(token, nightFolder);
      for (const Slot& slot : slots[i]) {
        auto& name = names[i][static_cast<std::size_t>(slot.nameVariant)];
        if (slot.night || name) continue;
        std::string mapped =
            identifierFor(job.variantName(token, slot.nameVariant), IdentifierLanguage::androidResource);
        if (mapped.empty()) {
          diagnostics.error("'" + token.displayName() +
                            "' has no name an Android resource name can hold; it is left out");
          break;
        }
        if (tables[static_cast<std::size_t>(token.kind)].claim(mapped, token, diagnostics)) {
          name = std::move(mapped);
        } else if (slot.nameVariant == ColorSource::light) {
          break;  // without its plain name the token is left out whole, as reported
        }
      }
    }

    // An alias refers to its target's resource when the reference gives its
    // value under every configuration that reads this resource: for a
    // values/ resource without a night counterpart, the night one too.
    auto reference = [&](std::size_t i, const Slot& slot) -> std::optional<std::string> {
      const Token& token = tokens[i];
      const auto& target = token.aliasTarget[static_cast<std::size_t>(slot.appearance)];
      if (!target) return std::nullopt;
      // Outside a values folder a target without this variant shows its
      // light value there, which its plain name holds.
      const ColorSource held =
          nightFolder || tokens[*target].hasVariant(slot.nameVariant) ? slot.nameVariant : ColorSource::light;
      const auto& targetName = names[*target][static_cast<std::size_t>(held)];
      if (!targetName) return std::nullopt;
      if (nightFolder && !slot.night) {
        const ColorSource night =
            slot.nameVariant == ColorSource::light ? ColorSource::dark : ColorSource::darkHighContrast;
        bool hasNight = false;
        for (const Slot& other : slots[i]) hasNight |= other.night && other.nameVariant == slot.nameVariant;
        if (!hasNight && token.aliasTarget[static_cast<std::size_t>(night)] != target) return std::nullopt;
      }
      return "@" + std::string(resourceType(token.kind)) + "/" + *targetName;
    };

    const std::string header = "<!-- " + xmlCommentText(job.generatedNotice()) + " -->\n<resources>\n";
    std::string day = header, night = header;
    bool anyNight = false;
    std::size_t shadows = 0;
    for (std::size_t i = 0; i < tokens.size(); ++i) {
      const Token& token = tokens[i];
      if (token.kind == TokenKind::shadow) {
        ++shadows;
        day += "    <!-- '" + xmlCommentText(token.displayName()) + "' left out: no shadow resource -->\n";
        continue;
      }
      std::string clipped;  // the appearances written clipped, for one report per token
      for (const Slot& slot : slots[i]) {
        const auto& name = names[i][static_cast<std::size_t>(slot.nameVariant)];
        if (!name) continue;
        std::string value;
        if (auto target = reference(i, slot)) {
          value = *target;
        } else {
          const TokenValue& shown = token.displayValue(slot.appearance);
          value = valueText(shown);
          const auto* color = std::get_if<mcu::PlatformColor>(&shown);
          if (color && isOutsideSRGB(*color))
            clipped += (clipped.empty() ? "" : ", ") + std::string(displayName(slot.appearance)) + ": " +
                       cssExactColor(*color);
        }
        std::string& out = slot.night ? night : day;
        anyNight |= slot.night;
        out += "    " + element(token.kind, *name, value) + "\n";
      }
      if (!clipped.empty())
        diagnostics.warning("'" + token.displayName() + "' is outside sRGB (" + clipped +
                            "); Android colour resources hold sRGB only, so it is written clipped");
    }
    day += "</resources>\n";
    night += "</resources>\n";
    reportLeftOut(shadows, "shadows", "Android resource", diagnostics);

    std::vector<ExportedFile> files{{job.filePath(), std::move(day)}};
    if (anyNight) {
      const std::string nightFolderPath =
          (slash == std::string::npos ? "" : folder.substr(0, slash + 1)) + "values-night";
      files.push_back({nightFolderPath + "/" + job.task().fullFileName(), std::move(night)});
    }
    return files;
  }

 private:
  static std::string element(TokenKind kind, const std::string& name, const std::string& value) {
    switch (kind) {
      case TokenKind::color:
        return "<color name=\"" + name + "\">" + value + "</color>";
      case TokenKind::number:
        return "<item name=\"" + name + "\" type=\"dimen\" format=\"float\">" + value + "</item>";
      case TokenKind::boolean:
        return "<bool name=\"" + name + "\">" + value + "</bool>";
      default:
        // A '%' would be taken for a format argument.
        return "<string name=\"" + name + "\"" +
               (value.find('%') != std::string::npos ? " formatted=\"false\"" : "") + ">" + value +
               "</string>";
    }
  }

  static std::string valueText(const TokenValue& value) {
    if (const auto* color = std::get_if<mcu::PlatformColor>(&value)) {
      const auto hex =
          mcu::ColorConverter::convertColorToString(clippedSRGB(*color), mcu::ColorFormat::hexARGB,
                                                    mcu::ColorSpace::sRGB, mcu::ColorConverterOptions{});
      std::string text = hex.colorString.value_or("0x00000000");
      return "#" + text.substr(2);
    }
    if (const auto* number = std::get_if<double>(&value)) return numberText(*number);
    if (const auto* boolean = std::get_if<bool>(&value)) return *boolean ? "true" : "false";
    if (const auto* text = std::get_if<std::string>(&value)) return androidString(*text);
    return {};
  }
};

const ExporterRegistration registration{BuildFileType::androidResource, std::make_unique<AndroidExporter>()};

}  // namespace

}  // namespace tavlo::exports
