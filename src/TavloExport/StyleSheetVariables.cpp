#include "TavloExport/StyleSheetVariables.h"

#include <array>
#include <string>

#include "TavloExport/StyleSheetValues.h"

namespace tavlo::exports {

namespace {

using Language = StyleSheetVariablesExporter::Language;

constexpr std::array<ColorSource, 3> kVariantOrder{ColorSource::dark, ColorSource::lightHighContrast,
                                                   ColorSource::darkHighContrast};

// Variable names hold ASCII letters, digits, '-' and '_' (SCSS also any
// non-ASCII character); every other character becomes '-'. SCSS names may
// not start with a digit, so those get a leading '_'.
std::string variableName(std::string_view name, Language language) {
  std::string mapped;
  for (unsigned char c : name) {
    const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                       c == '-' || c == '_' || (c >= 0x80 && language == Language::scss);
    mapped += plain ? static_cast<char>(c) : '-';
  }
  if (language == Language::scss && !mapped.empty() &&
      ((mapped[0] >= '0' && mapped[0] <= '9') ||
       (mapped.size() > 1 && mapped[0] == '-' && mapped[1] >= '0' && mapped[1] <= '9')))
    mapped.insert(0, "_");
  return mapped;
}

// SCSS treats '-' and '_' in names as the same character.
std::string collisionKey(const std::string& name, Language language) {
  if (language == Language::less) return name;
  std::string key = name;
  for (char& c : key)
    if (c == '_') c = '-';
  return key;
}

}  // namespace

std::vector<ExportedFile> StyleSheetVariablesExporter::run(const ExportJob& job,
                                                           Diagnostics& diagnostics) const {
  const auto& tokens = job.tokens();
  const std::string sigil = language_ == Language::scss ? "$" : "@";
  const std::string languageName = language_ == Language::scss ? "SCSS" : "LESS";
  NameTable table(tokens.size());

  // names[i][appearance]: the variable holding the token's value for that
  // appearance (a variant variable, or the plain one when the value is light's).
  std::vector<std::array<std::string, 4>> names(tokens.size());
  std::vector<std::array<bool, 4>> own(tokens.size(), {false, false, false, false});
  std::vector<bool> written(tokens.size(), false);
  auto claim = [&](const Token& token, const std::string& exported, std::string& into) {
    std::string mapped = variableName(exported, language_);
    if (mapped.empty()) {
      diagnostics.error("'" + token.displayName() + "' has an empty name; " + languageName +
                        " cannot hold it");
      return false;
    }
    if (mapped != exported)
      diagnostics.warning("'" + token.displayName() + "' is written as " + sigil + mapped + ": " +
                          languageName + " names hold only letters, digits, '-' and '_'");
    if (!table.claim(collisionKey(mapped, language_), token, diagnostics)) return false;
    into = sigil + mapped;
    return true;
  };
  for (std::size_t i = 0; i < tokens.size(); ++i) {
    const Token& token = tokens[i];
    written[i] = claim(token, job.name(token), names[i][0]);
    if (!written[i]) continue;
    own[i][0] = true;
    for (ColorSource appearance : kVariantOrder) {
      const auto a = static_cast<std::size_t>(appearance);
      names[i][a] = names[i][0];
      if (token.displayValue(appearance) == token.displayValue(ColorSource::light)) continue;
      own[i][a] = claim(token, job.variantName(token, appearance), names[i][a]);
    }
  }

  std::string out = "// " + job.generatedNotice() + "\n";
  // About what a variable takes, its name and layout included: room made up front.
  out.reserve(out.size() + tokens.size() * 40);
  bool any = false;
  for (std::size_t i = 0; i < tokens.size(); ++i) {
    if (!written[i]) continue;
    const Token& token = tokens[i];
    // SCSS needs a variable defined before it is read; LESS reads lazily.
    auto canReference = [&](std::size_t target) {
      return written[target] && (language_ == Language::less || target < i);
    };
    for (ColorSource appearance : exportAppearances) {
      const auto a = static_cast<std::size_t>(appearance);
      if (!own[i][a]) continue;
      const auto expression = job.expression(token, appearance, canReference);
      if (!any) out += '\n';
      any = true;
      out += names[i][a];
      out += ": ";
      out += expression.target ? names[*expression.target][a] : styleValue(job, token, appearance).text;
      out += ";\n";
    }
    reportClipped(job, token, "", diagnostics);
  }
  return {{job.filePath(), std::move(out)}};
}

}  // namespace tavlo::exports
