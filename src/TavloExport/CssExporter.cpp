// CSS custom properties: light values on :root, then one block per other
// appearance (contrast, dark, dark with contrast), each holding only what
// the blocks before it get wrong for that appearance. Colours that sRGB
// notations clip are written again, exact, inside an @supports block that
// repeats the whole cascade for them.
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "TavloExport/ExportJob.h"
#include "TavloExport/Exporter.h"
#include "TavloExport/StyleSheetValues.h"

namespace tavlo::exports {

namespace {

constexpr std::size_t kBlocks = 4;
// Block order and the appearance each block is for.
constexpr std::array<ColorSource, kBlocks> kBlockAppearance{
    ColorSource::light, ColorSource::lightHighContrast, ColorSource::dark, ColorSource::darkHighContrast};
constexpr std::array<std::string_view, kBlocks> kBlockMedia{
    "", "(prefers-contrast: more)", "(prefers-color-scheme: dark)",
    "(prefers-color-scheme: dark) and (prefers-contrast: more)"};

// Whether block B applies under appearance A.
bool applies(std::size_t block, ColorSource appearance) {
  switch (block) {
    case 0:
      return true;
    case 1:
      return appearance == ColorSource::lightHighContrast || appearance == ColorSource::darkHighContrast;
    case 2:
      return appearance == ColorSource::dark || appearance == ColorSource::darkHighContrast;
    default:
      return appearance == ColorSource::darkHighContrast;
  }
}

// Custom property names keep letters, digits, '-', '_' and every non-ASCII
// character; anything else is escaped, so no name is ever changed.
std::string propertyName(std::string_view name) {
  std::string escaped = "--";
  for (unsigned char c : name) {
    const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                       c == '-' || c == '_' || c >= 0x80;
    if (plain) {
      escaped += static_cast<char>(c);
    } else if (c < 0x20 || c == 0x7F) {
      char buffer[8];
      std::snprintf(buffer, sizeof buffer, "\\%X ", c);
      escaped += buffer;
    } else {
      escaped += '\\';
      escaped += static_cast<char>(c);
    }
  }
  return escaped;
}

using Expression = ExportJob::Expression;

// What one token declares in each block; light-dark() colours pair two
// expressions in the light and contrast blocks.
struct Declarations {
  std::array<std::optional<Expression>, kBlocks> single;
  std::array<std::optional<std::array<Expression, 2>>, kBlocks> pair;
};

class CssExporter final : public Exporter {
 public:
  std::vector<ExportedFile> run(const ExportJob& job, Diagnostics& diagnostics) const override {
    const auto& tokens = job.tokens();
    const bool lightDark =
        job.customValue(appearanceColorTypeCustomKey) == rawValue(AppearanceColorType::lightDark);

    std::vector<std::string> names(tokens.size());
    std::vector<bool> written(tokens.size(), false);
    NameTable table(tokens.size());
    for (std::size_t i = 0; i < tokens.size(); ++i) {
      if (job.name(tokens[i]).empty()) {
        diagnostics.error("'" + tokens[i].displayName() + "' has an empty name; CSS cannot hold it");
        continue;
      }
      names[i] = propertyName(job.name(tokens[i]));
      written[i] = table.claim(names[i], tokens[i], diagnostics);
    }
    auto canReference = [&](std::size_t target) { return written[target]; };

    // What token I declares in each block, made where it is written rather
    // than kept for every token of a large file.
    auto declarationsOf = [&](std::size_t i) {
      const Token& token = tokens[i];
      auto expression = [&](ColorSource appearance) {
        return job.expression(token, appearance, canReference);
      };
      Declarations d;
      if (lightDark && token.kind == TokenKind::color) {
        // light-dark() follows the colour scheme; only contrast needs a block.
        d.pair[0] = {expression(ColorSource::light), expression(ColorSource::dark)};
        const bool contrastRight = job.valueUnder(token, (*d.pair[0])[0], ColorSource::lightHighContrast) ==
                                       token.displayValue(ColorSource::lightHighContrast) &&
                                   job.valueUnder(token, (*d.pair[0])[1], ColorSource::darkHighContrast) ==
                                       token.displayValue(ColorSource::darkHighContrast);
        if (!contrastRight)
          d.pair[1] = {expression(ColorSource::lightHighContrast), expression(ColorSource::darkHighContrast)};
        return d;
      }
      d.single[0] = expression(ColorSource::light);
      for (std::size_t block = 1; block < kBlocks; ++block) {
        const ColorSource appearance = kBlockAppearance[block];
        std::optional<Expression> effective;
        for (std::size_t earlier = 0; earlier < block; ++earlier)
          if (d.single[earlier] && applies(earlier, appearance)) effective = d.single[earlier];
        if (!(job.valueUnder(token, *effective, appearance) == token.displayValue(appearance)))
          d.single[block] = expression(appearance);
      }
      return d;
    };

    // Appends the text of an expression; in the exact pass, clipped colours are written exactly.
    auto appendText = [&](std::string& out, std::size_t i, const Expression& e, bool exact, bool* clipped) {
      if (e.target) {
        out += "var(";
        out += names[*e.target];
        out += ')';
        return;
      }
      StyleValue value = styleValue(job, tokens[i], e.writtenFor, exact);
      if (value.clipped && clipped) *clipped = true;
      out += value.text;
    };

    // The first block, which declares every token, is written straight into
    // the file; the others, which declare only what differs, are gathered
    // apart and follow it.
    std::vector<bool> hasClipped(tokens.size(), false);
    auto appendSection = [&](std::string& out, bool exact, const std::string& indent) {
      std::array<std::string, kBlocks> inner;
      for (std::size_t block = 0; block < kBlocks; ++block) inner[block] = indent + (block ? "    " : "  ");
      const std::size_t sectionStart = out.size();
      out += indent + ":root {\n";
      const std::size_t firstBody = out.size();
      std::array<std::string, kBlocks> later;
      if (lightDark && !exact) out += inner[0] + "color-scheme: light dark;\n";
      for (std::size_t i = 0; i < tokens.size(); ++i) {
        if (!written[i] || (exact && !hasClipped[i])) continue;
        const Declarations d = declarationsOf(i);
        bool clipped = false;
        bool* noteClipped = exact ? nullptr : &clipped;
        for (std::size_t block = 0; block < kBlocks; ++block) {
          if (!d.pair[block] && !d.single[block]) continue;
          std::string& body = block == 0 ? out : later[block];
          body += inner[block];
          body += names[i];
          body += ": ";
          if (d.pair[block]) {
            body += "light-dark(";
            appendText(body, i, (*d.pair[block])[0], exact, noteClipped);
            body += ", ";
            appendText(body, i, (*d.pair[block])[1], exact, noteClipped);
            body += ')';
          } else {
            appendText(body, i, *d.single[block], exact, noteClipped);
          }
          body += ";\n";
        }
        if (clipped) hasClipped[i] = true;
      }
      if (out.size() == firstBody)
        out.resize(sectionStart);
      else
        out += indent + "}\n";
      for (std::size_t block = 1; block < kBlocks; ++block) {
        if (later[block].empty()) continue;
        if (out.size() > sectionStart) out += '\n';
        out += indent + "@media " + std::string(kBlockMedia[block]) + " {\n" + indent + "  :root {\n";
        out += later[block];
        out += indent + "  }\n" + indent + "}\n";
      }
    };

    std::string css = "/* " + job.generatedNotice() + " */\n";
    // About what a token declares, its name and layout included: room made up front.
    css.reserve(css.size() + tokens.size() * 48);
    css += '\n';
    const std::size_t mainStart = css.size();
    appendSection(css, false, "");
    if (css.size() == mainStart) css.pop_back();
    constexpr std::string_view kExactOpening = "\n@supports (color: color(display-p3 0 0 0)) {\n";
    css += kExactOpening;
    const std::size_t exactStart = css.size();
    appendSection(css, true, "  ");
    if (css.size() == exactStart)
      css.resize(exactStart - kExactOpening.size());
    else
      css += "}\n";
    for (std::size_t i = 0; i < tokens.size(); ++i)
      if (hasClipped[i]) reportClipped(job, tokens[i], "the exact colour follows in @supports", diagnostics);
    return {{job.filePath(), std::move(css)}};
  }
};

const ExporterRegistration registration{BuildFileType::css, std::make_unique<CssExporter>()};

}  // namespace

}  // namespace tavlo::exports
