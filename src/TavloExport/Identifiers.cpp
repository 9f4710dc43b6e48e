#include "TavloExport/Identifiers.h"

#include <unicode/uchar.h>
#include <unicode/utf8.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <unordered_set>

#include "TavloData/TextCasing.h"

namespace tavlo::exports {

namespace {

using WordSet = std::unordered_set<std::string_view>;

// R.java fields must be Java identifiers, so the build tools refuse these.
const WordSet& javaWords() {
  static const WordSet words{
      "abstract",   "assert",  "boolean",    "break",        "byte",      "case",   "catch",  "char",
      "class",      "const",   "continue",   "default",      "do",        "double", "else",   "enum",
      "extends",    "false",   "final",      "finally",      "float",     "for",    "goto",   "if",
      "implements", "import",  "instanceof", "int",          "interface", "long",   "native", "new",
      "null",       "package", "private",    "protected",    "public",    "return", "short",  "static",
      "strictfp",   "super",   "switch",     "synchronized", "this",      "throw",  "throws", "transient",
      "true",       "try",     "void",       "volatile",     "while"};
  return words;
}

// Kotlin's hard keywords: the ones no declaration may use without backticks.
const WordSet& kotlinWords() {
  static const WordSet words{"as",     "break",     "class",  "continue", "do",        "else",  "false",
                             "for",    "fun",       "if",     "in",       "interface", "is",    "null",
                             "object", "package",   "return", "super",    "this",      "throw", "true",
                             "try",    "typealias", "typeof", "val",      "var",       "when",  "while"};
  return words;
}

// Swift keywords, and the member names that mean something else after a dot.
const WordSet& swiftWords() {
  static const WordSet words{"associatedtype",
                             "class",
                             "deinit",
                             "enum",
                             "extension",
                             "fileprivate",
                             "func",
                             "import",
                             "init",
                             "inout",
                             "internal",
                             "let",
                             "open",
                             "operator",
                             "private",
                             "precedencegroup",
                             "protocol",
                             "public",
                             "rethrows",
                             "static",
                             "struct",
                             "subscript",
                             "typealias",
                             "var",
                             "break",
                             "case",
                             "catch",
                             "continue",
                             "default",
                             "defer",
                             "do",
                             "else",
                             "fallthrough",
                             "for",
                             "guard",
                             "if",
                             "in",
                             "repeat",
                             "return",
                             "throw",
                             "switch",
                             "where",
                             "while",
                             "Any",
                             "as",
                             "await",
                             "false",
                             "is",
                             "nil",
                             "self",
                             "Self",
                             "super",
                             "throws",
                             "true",
                             "try",
                             "Type",
                             "Protocol",
                             "some",
                             "any",
                             "_"};
  return words;
}

// GLSL (desktop and ES) keywords, words reserved for later versions, and the
// built-in functions a global constant would hide.
const WordSet& glslWords() {
  static const WordSet words{
      "attribute", "const", "uniform", "varying", "buffer", "shared", "coherent", "volatile", "restrict",
      "readonly", "writeonly", "atomic_uint", "layout", "centroid", "flat", "smooth", "noperspective",
      "patch", "sample", "invariant", "precise", "break", "continue", "do", "for", "while", "switch", "case",
      "default", "if", "else", "subroutine", "in", "out", "inout", "int", "void", "bool", "true", "false",
      "float", "double", "discard", "return", "uint", "lowp", "mediump", "highp", "precision", "struct",
      "common", "partition", "active", "asm", "class", "union", "enum", "typedef", "template", "this",
      "resource", "goto", "inline", "noinline", "public", "static", "extern", "external", "interface", "long",
      "short", "half", "fixed", "unsigned", "superp", "input", "output", "filter", "sizeof", "cast",
      "namespace", "using", "main", "demote", "terminateInvocation",
      // Built-in functions.
      "radians", "degrees", "sin", "cos", "tan", "asin", "acos", "atan", "sinh", "cosh", "tanh", "asinh",
      "acosh", "atanh", "pow", "exp", "log", "exp2", "log2", "sqrt", "inversesqrt", "abs", "sign", "floor",
      "trunc", "round", "roundEven", "ceil", "fract", "mod", "modf", "min", "max", "clamp", "mix", "step",
      "smoothstep", "isnan", "isinf", "fma", "frexp", "ldexp", "length", "distance", "dot", "cross",
      "normalize", "faceforward", "reflect", "refract", "matrixCompMult", "outerProduct", "transpose",
      "determinant", "inverse", "lessThan", "lessThanEqual", "greaterThan", "greaterThanEqual", "equal",
      "notEqual", "any", "all", "not", "texture", "texture2D", "textureCube", "textureSize", "texelFetch",
      "textureLod", "textureProj", "textureGrad", "dFdx", "dFdy", "fwidth", "noise1", "noise2", "noise3",
      "noise4", "barrier", "emit", "EmitVertex", "EndPrimitive"};
  return words;
}

// C++ keywords, Metal's address spaces and function qualifiers.
const WordSet& metalWords() {
  static const WordSet words{"alignas",
                             "alignof",
                             "and",
                             "and_eq",
                             "asm",
                             "auto",
                             "bitand",
                             "bitor",
                             "bool",
                             "break",
                             "case",
                             "catch",
                             "char",
                             "char16_t",
                             "char32_t",
                             "class",
                             "compl",
                             "const",
                             "constexpr",
                             "const_cast",
                             "continue",
                             "decltype",
                             "default",
                             "delete",
                             "do",
                             "double",
                             "dynamic_cast",
                             "else",
                             "enum",
                             "explicit",
                             "export",
                             "extern",
                             "false",
                             "float",
                             "for",
                             "friend",
                             "goto",
                             "if",
                             "inline",
                             "int",
                             "long",
                             "mutable",
                             "namespace",
                             "new",
                             "noexcept",
                             "not",
                             "not_eq",
                             "nullptr",
                             "operator",
                             "or",
                             "or_eq",
                             "private",
                             "protected",
                             "public",
                             "register",
                             "reinterpret_cast",
                             "return",
                             "short",
                             "signed",
                             "sizeof",
                             "static",
                             "static_assert",
                             "static_cast",
                             "struct",
                             "switch",
                             "template",
                             "this",
                             "thread_local",
                             "throw",
                             "true",
                             "try",
                             "typedef",
                             "typeid",
                             "typename",
                             "union",
                             "unsigned",
                             "using",
                             "virtual",
                             "void",
                             "volatile",
                             "wchar_t",
                             "while",
                             "xor",
                             "xor_eq",
                             "constant",
                             "device",
                             "thread",
                             "threadgroup",
                             "threadgroup_imageblock",
                             "ray_data",
                             "object_data",
                             "kernel",
                             "vertex",
                             "fragment",
                             "visible",
                             "stitchable",
                             "half",
                             "uint",
                             "ushort",
                             "uchar",
                             "ulong",
                             "bfloat",
                             "metal",
                             "sampler",
                             "main",
                             "texture1d",
                             "texture2d",
                             "texture3d",
                             "texturecube",
                             "depth2d",
                             "simd",
                             "atomic_int",
                             "atomic_uint"};
  return words;
}

bool startsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

bool isASCIIDigit(char c) {
  return c >= '0' && c <= '9';
}
bool isASCIILetter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// Type names the shader languages build from a stem and a size or shape:
// vec4, dmat3x2, isampler2D, samplerCube, float4, half3x3, packed_float3 ...
bool isShaderTypeName(std::string_view name, IdentifierLanguage language) {
  auto stripSize = [](std::string_view text) {
    while (!text.empty() && (isASCIIDigit(text.back()) || text.back() == 'x')) text.remove_suffix(1);
    return text;
  };
  if (language == IdentifierLanguage::glsl) {
    std::string_view stem = name;
    if (!stem.empty() && std::string_view("iubdfh").find(stem[0]) != std::string_view::npos)
      stem.remove_prefix(1);
    for (std::string_view candidate : {stem, name}) {
      for (std::string_view family : {"sampler", "image", "texture", "subpassInput"}) {
        if (!startsWith(candidate, family)) continue;
        const std::string_view shape = candidate.substr(family.size());
        if (shape.empty() || std::string_view("123CBSER").find(shape[0]) != std::string_view::npos)
          return true;
      }
      const std::string_view sized = stripSize(candidate);
      if (sized != candidate && (sized == "vec" || sized == "mat")) return true;
    }
    return false;
  }
  if (startsWith(name, "packed_") || startsWith(name, "simd_")) return true;
  const std::string_view sized = stripSize(name);
  if (sized == name) return false;
  for (std::string_view scalar : {"bool", "char", "uchar", "short", "ushort", "int", "uint", "long", "ulong",
                                  "half", "float", "double", "bfloat"})
    if (sized == scalar) return true;
  return false;
}

bool isReserved(std::string_view name, IdentifierLanguage language) {
  switch (language) {
    case IdentifierLanguage::androidResource:
      return javaWords().count(name) != 0;
    case IdentifierLanguage::kotlin:
      return kotlinWords().count(name) != 0;
    case IdentifierLanguage::swift:
      return swiftWords().count(name) != 0;
    case IdentifierLanguage::glsl:
      return glslWords().count(name) != 0 || isShaderTypeName(name, language);
    case IdentifierLanguage::metal:
      return metalWords().count(name) != 0 || isShaderTypeName(name, language);
  }
  return false;
}

// Whether a code point may stand in an identifier of a language that holds
// Unicode (Kotlin, Swift): letters and letter numbers anywhere, digits and
// combining marks after the first character.
bool unicodeIdentifierCharacter(UChar32 c, bool first) {
  if (c == '_') return true;
  const auto mask = U_GET_GC_MASK(c);
  if (mask & (U_GC_L_MASK | U_GC_NL_MASK)) return true;
  return !first && (mask & (U_GC_ND_MASK | U_GC_MN_MASK | U_GC_MC_MASK));
}

}  // namespace

std::string_view languageName(IdentifierLanguage language) {
  switch (language) {
    case IdentifierLanguage::androidResource:
      return "Android resource";
    case IdentifierLanguage::kotlin:
      return "Kotlin";
    case IdentifierLanguage::swift:
      return "Swift";
    case IdentifierLanguage::glsl:
      return "GLSL";
    case IdentifierLanguage::metal:
      return "Metal";
  }
  return "";
}

std::string identifierFor(std::string_view name, IdentifierLanguage language) {
  const bool unicode = language == IdentifierLanguage::kotlin || language == IdentifierLanguage::swift;
  const bool shader = language == IdentifierLanguage::glsl || language == IdentifierLanguage::metal;
  std::string source(name);
  if (!unicode && std::any_of(source.begin(), source.end(), [](char c) { return (c & 0x80) != 0; }))
    source = asciiTransliterated(source);

  std::string result;
  bool replacing = false;  // the last character written stands for a run of unusable ones
  auto replace = [&] {
    if (!replacing) result += '_';
    replacing = true;
  };
  const auto* bytes = reinterpret_cast<const uint8_t*>(source.data());
  const auto length = static_cast<int32_t>(source.size());
  for (int32_t i = 0; i < length;) {
    const int32_t start = i;
    UChar32 c = 0;
    U8_NEXT(bytes, i, length, c);
    bool usable;
    if (c < 0) {
      usable = false;
    } else if (c < 0x80) {
      usable = isASCIILetter(static_cast<char>(c)) || isASCIIDigit(static_cast<char>(c)) || c == '_';
    } else {
      usable = unicode && unicodeIdentifierCharacter(c, result.empty());
    }
    if (!usable) {
      replace();
      continue;
    }
    replacing = false;
    if (language == IdentifierLanguage::androidResource && c >= 'A' && c <= 'Z') {
      result += static_cast<char>(c - 'A' + 'a');
    } else {
      result.append(source, static_cast<std::size_t>(start), static_cast<std::size_t>(i - start));
    }
  }
  if (shader) {
    // "__" is reserved in both languages.
    result.erase(
        std::unique(result.begin(), result.end(), [](char a, char b) { return a == '_' && b == '_'; }),
        result.end());
  }
  if (std::all_of(result.begin(), result.end(), [](char c) { return c == '_'; })) return {};

  if (unicode) {
    if (isASCIIDigit(result[0])) result.insert(0, "_");
  } else {
    const bool reservedSpace =
        language == IdentifierLanguage::glsl &&
        (startsWith(result, "gl_") || startsWith(result, "webgl_") || startsWith(result, "_webgl_"));
    if (!isASCIILetter(result[0]) || reservedSpace) result.insert(0, result[0] == '_' ? "v" : "v_");
  }
  if (isReserved(result, language)) {
    if (unicode) return "`" + result + "`";
    result += '_';
  }
  // OpenGL ES refuses identifiers longer than this.
  constexpr std::size_t kGLSLMaxLength = 1024;
  if (language == IdentifierLanguage::glsl && result.size() > kGLSLMaxLength) return {};
  return result;
}

void ConstantNames::assign(std::size_t index, IdentifierLanguage language, NameTable& table,
                           Diagnostics& diagnostics) {
  const Token& token = job_.tokens()[index];
  for (ColorSource appearance : exportAppearances) {
    if (!declaresVariant(token, appearance)) continue;
    std::string name = identifierFor(job_.variantName(token, appearance), language);
    if (name.empty()) {
      diagnostics.error("'" + token.displayName() + "' has no name a " + std::string(languageName(language)) +
                        " name can hold; it is left out");
      return;
    }
    // Backticks are not part of the name: `class` and class are one.
    std::string key = name;
    key.erase(std::remove(key.begin(), key.end(), '`'), key.end());
    if (!table.claim(key, token, diagnostics)) {
      // Without its plain name the token is left out whole, as reported.
      if (appearance == ColorSource::light) return;
      continue;
    }
    names_[index][static_cast<std::size_t>(appearance)] = std::move(name);
  }
}

std::optional<std::string> ConstantNames::reference(std::size_t token, ColorSource appearance) const {
  const auto& target = job_.tokens()[token].aliasTarget[static_cast<std::size_t>(appearance)];
  if (!target || *target >= token) return std::nullopt;
  // The target's constant for this appearance; a target that stores no such
  // variant shows its light value there, which its plain name holds.
  const ColorSource held = job_.tokens()[*target].hasVariant(appearance) ? appearance : ColorSource::light;
  return name(*target, held);
}

std::string typeNameFor(const ExportJob& job, IdentifierLanguage language, std::string_view fallback) {
  // A file name that already is an identifier keeps its casing ("TokensUIKit").
  const std::string fileName = job.task().fileNameWithoutExtension();
  std::string name = identifierFor(fileName, language) == fileName
                         ? capitalizingFirstLetter(fileName)
                         : identifierFor(upperCamelCased(fileName), language);
  if (name.empty() || name[0] == '`' || name[0] == '_') return std::string(fallback);
  return name;
}

std::string escapedText(std::string_view text, IdentifierLanguage language) {
  const bool android = language == IdentifierLanguage::androidResource;
  std::string escaped;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    const bool special = c == '"' || c == '\\' || (c == '$' && language == IdentifierLanguage::kotlin) ||
                         (android && (c == '\'' || (i == 0 && (c == '@' || c == '?'))));
    if (special) {
      escaped += '\\';
      escaped += static_cast<char>(c);
    } else if (c == '\n') {
      escaped += "\\n";
    } else if (c == '\t') {
      escaped += "\\t";
    } else if (c == '\r' && !android) {
      escaped += "\\r";
    } else if (c < 0x20 || c == 0x7F) {
      char buffer[12];
      std::snprintf(buffer, sizeof buffer, language == IdentifierLanguage::swift ? "\\u{%X}" : "\\u%04X", c);
      escaped += buffer;
    } else {
      escaped += static_cast<char>(c);
    }
  }
  return escaped;
}

std::string lineCommentText(std::string_view text) {
  std::string safe(text);
  for (char& c : safe)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F || c == '\\') c = ' ';
  return safe;
}

void reportLeftOut(std::size_t count, std::string_view what, std::string_view fileType,
                   Diagnostics& diagnostics) {
  if (count == 0) return;
  diagnostics.warning(std::to_string(count) + " " + std::string(what) +
                      " left out: " + std::string(fileType) + " files have no place for them");
}

}  // namespace tavlo::exports
