// Compose constants: one Kotlin `object` (named after the file) of `val`s.
// sRGB colours are `Color(0xAARRGGBB)`; Display P3 colours keep their own
// components through `ColorSpaces.DisplayP3`, extended sRGB ones through
// `ColorSpaces.ExtendedSrgb`, so nothing is clipped. Numbers are Floats. Each
// variant a token stores gets its own constant, named by its variant name.
// The package follows the folder below `java/` or `kotlin/`, as Kotlin
// sources are laid out.
#include <algorithm>
#include <memory>
#include <string>

#include "MerrinColorUtils/ColorConverter.h"
#include "TavloExport/ColorTexts.h"
#include "TavloExport/ExportJob.h"
#include "TavloExport/Exporter.h"
#include "TavloExport/Identifiers.h"

namespace tavlo::exports {

namespace {

std::string floatLiteral(double value) {
  return numberText(value) + "f";
}

// Compose checks components against the colour space's range when a colour
// is made: Display P3 holds 0...1, extended sRGB -0.5...7.5.
constexpr double kExtendedMin = -0.5, kExtendedMax = 7.5;

bool within(const mcu::PlatformColor& color, double low, double high) {
  for (double v : {color.redComponent(), color.greenComponent(), color.blueComponent()})
    if (!(v >= low && v <= high)) return false;
  return true;
}

// CLAMPED is set when even extended sRGB cannot hold the colour.
std::string colorText(const mcu::PlatformColor& color, bool& clamped) {
  auto components = [&](const mcu::PlatformColor& c, std::string_view space) {
    return "Color(" + floatLiteral(c.redComponent()) + ", " + floatLiteral(c.greenComponent()) + ", " +
           floatLiteral(c.blueComponent()) + ", " + floatLiteral(c.alphaComponent()) + ", ColorSpaces." +
           std::string(space) + ")";
  };
  if (color.colorSpace() == mcu::PlatformColorSpace::displayP3() && within(color, 0, 1))
    return components(color, "DisplayP3");
  if (isOutsideSRGB(color)) {
    if (auto extended = color.colorUsingColorSpace(mcu::PlatformColorSpace::extendedSRGB())) {
      if (!within(*extended, kExtendedMin, kExtendedMax)) {
        clamped = true;
        auto clamp = [](double v) { return v >= kExtendedMin ? std::min(v, kExtendedMax) : kExtendedMin; };
        extended = mcu::PlatformColor::colorWithColorSpace(
            mcu::PlatformColorSpace::extendedSRGB(),
            {clamp(extended->redComponent()), clamp(extended->greenComponent()),
             clamp(extended->blueComponent()), extended->alphaComponent()});
      }
      return components(*extended, "ExtendedSrgb");
    }
  }
  const auto hex = mcu::ColorConverter::convertColorToString(
      clippedSRGB(color), mcu::ColorFormat::hexARGB, mcu::ColorSpace::sRGB, mcu::ColorConverterOptions{});
  return "Color(" + hex.colorString.value_or("0x00000000") + ")";
}

std::string valueText(const TokenValue& value, bool& clamped) {
  if (const auto* color = std::get_if<mcu::PlatformColor>(&value)) return colorText(*color, clamped);
  if (const auto* number = std::get_if<double>(&value)) return floatLiteral(*number);
  if (const auto* boolean = std::get_if<bool>(&value)) return *boolean ? "true" : "false";
  if (const auto* text = std::get_if<std::string>(&value))
    return "\"" + escapedText(*text, IdentifierLanguage::kotlin) + "\"";
  return {};
}

// "app/src/main/java/com/example/theme" -> "com.example.theme"; empty when
// the folder has no java/ or kotlin/ part or a part is no identifier.
std::string packageFor(std::string_view folder) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  while (start <= folder.size()) {
    const std::size_t end = std::min(folder.find('/', start), folder.size());
    if (end > start) parts.emplace_back(folder.substr(start, end - start));
    start = end + 1;
  }
  std::size_t root = parts.size();
  for (std::size_t i = 0; i < parts.size(); ++i)
    if (parts[i] == "java" || parts[i] == "kotlin") root = i + 1;
  std::string package;
  for (std::size_t i = root; i < parts.size(); ++i) {
    const std::string piece = identifierFor(parts[i], IdentifierLanguage::kotlin);
    if (piece != parts[i] && piece != "`" + parts[i] + "`") return {};
    if (!package.empty()) package += '.';
    package += piece;
  }
  return package;
}

class ComposeExporter final : public Exporter {
 public:
  std::vector<ExportedFile> run(const ExportJob& job, Diagnostics& diagnostics) const override {
    const auto& tokens = job.tokens();
    auto declared = [](const Token& token) { return token.kind != TokenKind::shadow; };
    const ConstantNames names(job, IdentifierLanguage::kotlin, diagnostics, declared);

    std::string out = "// " + lineCommentText(job.generatedNotice()) + "\n\n";
    if (const std::string package = packageFor(job.task().exportFileFolder()); !package.empty())
      out += "package " + package + "\n\n";
    out +=
        "import androidx.compose.ui.graphics.Color\n"
        "import androidx.compose.ui.graphics.colorspace.ColorSpaces\n\n"
        "object " +
        typeNameFor(job, IdentifierLanguage::kotlin, "Tokens") + " {\n";
    std::size_t shadows = 0;
    for (std::size_t i = 0; i < tokens.size(); ++i) {
      const Token& token = tokens[i];
      if (!declared(token)) {
        ++shadows;
        out +=
            "    // '" + lineCommentText(token.displayName()) + "' left out: Compose has no shadow value\n";
        continue;
      }
      for (ColorSource appearance : exportAppearances) {
        const auto& name = names.name(i, appearance);
        if (!name) continue;
        const auto reference = names.reference(i, appearance);
        bool clamped = false;
        out += "    val " + *name + " = " +
               (reference ? *reference : valueText(token.displayValue(appearance), clamped)) + "\n";
        if (clamped)
          diagnostics.warning(
              "'" + token.displayName() +
              "' is beyond what Compose's extended sRGB holds (-0.5 to 7.5); it is written clamped");
      }
    }
    out += "}\n";
    reportLeftOut(shadows, "shadows", "Compose", diagnostics);
    return {{job.filePath(), std::move(out)}};
  }
};

const ExporterRegistration registration{BuildFileType::androidCompose, std::make_unique<ComposeExporter>()};

}  // namespace

}  // namespace tavlo::exports
