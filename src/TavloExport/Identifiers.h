// Names for languages that cannot hold an exported name as written: Android
// resource names, Kotlin, Swift, GLSL and Metal identifiers. Each language
// has its own alphabet, reserved words and way out of a reserved word.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "TavloExport/ExportJob.h"

namespace tavlo::exports {

enum class IdentifierLanguage { androidResource, kotlin, swift, glsl, metal };

// "Android resource", "Kotlin", ...: the language as messages name it.
std::string_view languageName(IdentifierLanguage language);

// NAME as LANGUAGE can hold it; empty when nothing of it is usable (or, in
// GLSL, when it is longer than the 1024 characters OpenGL ES allows).
// - Characters the language cannot hold become '_' (one per run); Android
//   and the shader languages hold ASCII only, so letters are transliterated
//   first ("Größe" -> "Grosse"); Android names are lower case.
// - A name that does not start with a letter gets "v_" in front (Kotlin and
//   Swift: "_"), as does a GLSL name in the reserved "gl_" or "webgl_" space;
//   the shader languages never keep "__", which they reserve.
// - A reserved word is escaped: `class` in Kotlin and Swift, "class_" elsewhere.
std::string identifierFor(std::string_view name, IdentifierLanguage language);

// The constants a file declares for its tokens, for languages that name each
// appearance's value separately: the light value under the token's name, and
// every other variant the token stores under its variant name
// ("darkBrandPrimary"). Names are mapped to the language; a name that maps to
// nothing or to a name already taken is reported and that constant left out.
class ConstantNames {
 public:
  // INCLUDE says which tokens the file declares at all.
  template <class Include>
  ConstantNames(const ExportJob& job, IdentifierLanguage language, Diagnostics& diagnostics, Include include)
      : job_(job), names_(job.tokens().size()) {
    NameTable table;
    for (std::size_t i = 0; i < job.tokens().size(); ++i)
      if (include(job.tokens()[i])) assign(i, language, table, diagnostics);
  }

  // The constant for token I under APPEARANCE; absent when not declared.
  const std::optional<std::string>& name(std::size_t token, ColorSource appearance) const {
    return names_[token][static_cast<std::size_t>(appearance)];
  }

  // For an alias: the constant of the token it stands for under APPEARANCE,
  // when that token is declared before token I (declarations cannot look
  // ahead) and holds the same value.
  std::optional<std::string> reference(std::size_t token, ColorSource appearance) const;

 private:
  void assign(std::size_t token, IdentifierLanguage language, NameTable& table, Diagnostics& diagnostics);

  const ExportJob& job_;
  std::vector<std::array<std::optional<std::string>, 4>> names_;
};

// The name of the one type a file declares (a Swift enum, a Kotlin object):
// the file name in PascalCase, or FALLBACK when that leaves nothing.
std::string typeNameFor(const ExportJob& job, IdentifierLanguage language, std::string_view fallback);

// Whether TOKEN's value has a constant in the languages that name variants:
// every variant it stores.
inline bool declaresVariant(const Token& token, ColorSource appearance) {
  return appearance == ColorSource::light || token.hasVariant(appearance);
}

// TEXT escaped for a string in LANGUAGE, without the quotes around it:
// backslashes, double quotes and line breaks everywhere; Kotlin's '$' (a
// template), Android's apostrophe and leading '@' or '?' (a reference); other
// control characters as the language's Unicode escape.
std::string escapedText(std::string_view text, IdentifierLanguage language);

// TEXT made safe inside a line comment of a C-like language: line breaks,
// other control characters and backslashes (a line continuation in GLSL and
// Metal) become spaces.
std::string lineCommentText(std::string_view text);

// One warning for the tokens of a kind that a file type has no place for,
// so the loss is seen without a line per token.
void reportLeftOut(std::size_t count, std::string_view what, std::string_view fileType,
                   Diagnostics& diagnostics);

}  // namespace tavlo::exports
