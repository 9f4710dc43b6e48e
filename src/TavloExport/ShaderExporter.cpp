// Shader constants: GLSL `const vec4 name = vec4(...);` and Metal
// `constant float4 name = float4(...);`. Colours are extended sRGB
// components, which a float holds whatever the gamut; numbers are floats,
// booleans bools. Texts and shadows have no shader type and are left out
// with a comment. Each variant a token stores gets its own constant, named
// by its variant name.
#include <memory>
#include <string>

#include "TavloExport/ColorTexts.h"
#include "TavloExport/ExportJob.h"
#include "TavloExport/Exporter.h"
#include "TavloExport/Identifiers.h"

namespace tavlo::exports {

namespace {

struct ShaderLanguage {
  IdentifierLanguage identifiers;
  std::string_view displayName;
  std::string_view preamble;  // after the generated-file comment
  std::string_view qualifier;
  std::string_view vec4;
  std::string_view floatSuffix;
  // GLSL constants are constant expressions, so an alias can name its
  // target; a Metal program-scope float is not, so aliases repeat the value.
  bool references;
};

constexpr ShaderLanguage kGLSL{IdentifierLanguage::glsl, "OpenGL", "", "const", "vec4", "", true};
constexpr ShaderLanguage kMetal{IdentifierLanguage::metal,
                                "Metal",
                                "#pragma once\n\n#include <metal_stdlib>\n",
                                "constant",
                                "float4",
                                "f",
                                false};

// A float literal: always with a point or an exponent, so "12" reads as a float.
std::string floatLiteral(double value, const ShaderLanguage& language) {
  std::string text = numberText(value);
  if (text.find_first_of(".e") == std::string::npos) text += ".0";
  text += language.floatSuffix;
  return text;
}

std::string valueText(const TokenValue& value, const ShaderLanguage& language, bool& outsideSRGB) {
  if (const auto* color = std::get_if<mcu::PlatformColor>(&value)) {
    outsideSRGB = isOutsideSRGB(*color);
    const mcu::PlatformColor extended =
        color->colorUsingColorSpace(mcu::PlatformColorSpace::extendedSRGB()).value_or(*color);
    return std::string(language.vec4) + "(" + floatLiteral(extended.redComponent(), language) + ", " +
           floatLiteral(extended.greenComponent(), language) + ", " +
           floatLiteral(extended.blueComponent(), language) + ", " +
           floatLiteral(extended.alphaComponent(), language) + ")";
  }
  if (const auto* number = std::get_if<double>(&value)) return floatLiteral(*number, language);
  if (const auto* boolean = std::get_if<bool>(&value)) return *boolean ? "true" : "false";
  return {};
}

std::string_view typeOf(TokenKind kind, const ShaderLanguage& language) {
  switch (kind) {
    case TokenKind::color:
      return language.vec4;
    case TokenKind::number:
      return "float";
    default:
      return "bool";
  }
}

class ShaderExporter final : public Exporter {
 public:
  explicit ShaderExporter(const ShaderLanguage& language) : language_(language) {}

  std::vector<ExportedFile> run(const ExportJob& job, Diagnostics& diagnostics) const override {
    const auto& tokens = job.tokens();
    auto declared = [](const Token& token) {
      return token.kind == TokenKind::color || token.kind == TokenKind::number ||
             token.kind == TokenKind::boolean;
    };
    const ConstantNames names(job, language_.identifiers, diagnostics, declared);

    std::string out = "// " + lineCommentText(job.generatedNotice()) + "\n";
    if (!language_.preamble.empty()) out += "\n" + std::string(language_.preamble);
    if (!tokens.empty()) out += "\n";
    std::size_t texts = 0, shadows = 0;
    for (std::size_t i = 0; i < tokens.size(); ++i) {
      const Token& token = tokens[i];
      if (!declared(token)) {
        (token.kind == TokenKind::string ? texts : shadows) += 1;
        out += "// '" + lineCommentText(token.displayName()) +
               "' left out: " + (token.kind == TokenKind::string ? "texts" : "shadows") +
               " have no shader type\n";
        continue;
      }
      for (ColorSource appearance : exportAppearances) {
        const auto& name = names.name(i, appearance);
        if (!name) continue;
        bool outsideSRGB = false;
        std::string value;
        std::optional<std::string> reference = names.reference(i, appearance);
        if (reference && language_.references) {
          value = *reference;
        } else {
          value = valueText(token.displayValue(appearance), language_, outsideSRGB);
        }
        out += std::string(language_.qualifier) + " " + std::string(typeOf(token.kind, language_)) + " " +
               *name + " = " + value + ";";
        if (reference && !language_.references) out += "  // = " + *reference;
        if (outsideSRGB) out += "  // beyond sRGB: extended sRGB components";
        out += "\n";
      }
    }
    reportLeftOut(texts, "texts", language_.displayName, diagnostics);
    reportLeftOut(shadows, "shadows", language_.displayName, diagnostics);
    return {{job.filePath(), std::move(out)}};
  }

 private:
  const ShaderLanguage& language_;
};

const ExporterRegistration glRegistration{BuildFileType::gl, std::make_unique<ShaderExporter>(kGLSL)};
const ExporterRegistration metalRegistration{BuildFileType::metal, std::make_unique<ShaderExporter>(kMetal)};

}  // namespace

}  // namespace tavlo::exports
