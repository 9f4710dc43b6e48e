// Swift constants: one `enum` (named after the file) of `static let`
// constants, colours in the notation of the chosen framework: SwiftUI
// `Color`, UIKit `UIColor` or AppKit `NSColor`. All three hold sRGB,
// extended sRGB and Display P3 exactly, so nothing is clipped. Each variant a
// token stores gets its own constant, named by its variant name; an alias
// names the constant it stands for.
#include <memory>
#include <string>

#include "MerrinColorUtils/ColorConverter.h"
#include "TavloData/MerrinColorItem.h"
#include "TavloExport/ColorTexts.h"
#include "TavloExport/ExportJob.h"
#include "TavloExport/Exporter.h"
#include "TavloExport/Identifiers.h"

namespace tavlo::exports {

namespace {

struct SwiftFramework {
  std::string_view module;
  mcu::ColorFormat notation;
};

std::string colorText(const mcu::PlatformColor& color, mcu::ColorFormat notation) {
  mcu::ColorConverterOptions options;
  options.roundedTo = 4;
  auto text = mcu::ColorConverter::convertColorToString(color, notation,
                                                        workingColorSpaceFor(color.colorSpace()), options);
  // A space the notation has no initialiser for is written as sRGB.
  if (!text.colorString)
    text = mcu::ColorConverter::convertColorToString(clippedSRGB(color), notation, mcu::ColorSpace::sRGB,
                                                     options);
  return text.colorString.value_or(std::string());
}

std::string valueText(const TokenValue& value, const SwiftFramework& framework) {
  if (const auto* color = std::get_if<mcu::PlatformColor>(&value))
    return colorText(*color, framework.notation);
  if (const auto* number = std::get_if<double>(&value)) return numberText(*number);
  if (const auto* boolean = std::get_if<bool>(&value)) return *boolean ? "true" : "false";
  if (const auto* text = std::get_if<std::string>(&value))
    return "\"" + escapedText(*text, IdentifierLanguage::swift) + "\"";
  return {};
}

class SwiftExporter final : public Exporter {
 public:
  explicit SwiftExporter(SwiftFramework framework) : framework_(framework) {}

  std::vector<ExportedFile> run(const ExportJob& job, Diagnostics& diagnostics) const override {
    const auto& tokens = job.tokens();
    auto declared = [](const Token& token) { return token.kind != TokenKind::shadow; };
    const ConstantNames names(job, IdentifierLanguage::swift, diagnostics, declared);

    std::string out = "// " + lineCommentText(job.generatedNotice()) + "\n\nimport " +
                      std::string(framework_.module) + "\n\nenum " +
                      typeNameFor(job, IdentifierLanguage::swift, "Tokens") + " {\n";
    std::size_t shadows = 0;
    for (std::size_t i = 0; i < tokens.size(); ++i) {
      const Token& token = tokens[i];
      if (!declared(token)) {
        ++shadows;
        out += "    // '" + lineCommentText(token.displayName()) + "' left out: Swift has no shadow value\n";
        continue;
      }
      for (ColorSource appearance : exportAppearances) {
        const auto& name = names.name(i, appearance);
        if (!name) continue;
        // Numbers are CGFloat, the type layout code takes.
        const std::string type = token.kind == TokenKind::number ? ": CGFloat" : "";
        const auto reference = names.reference(i, appearance);
        out += "    static let " + *name + type + " = " +
               (reference ? *reference : valueText(token.displayValue(appearance), framework_)) + "\n";
      }
    }
    out += "}\n";
    reportLeftOut(shadows, "shadows", "Swift", diagnostics);
    return {{job.filePath(), std::move(out)}};
  }

 private:
  SwiftFramework framework_;
};

const ExporterRegistration swiftUIRegistration{
    BuildFileType::swiftUIEnum,
    std::make_unique<SwiftExporter>(SwiftFramework{"SwiftUI", mcu::ColorFormat::swiftColorRGBA})};
const ExporterRegistration uiKitRegistration{
    BuildFileType::swiftUIKitEnum,
    std::make_unique<SwiftExporter>(SwiftFramework{"UIKit", mcu::ColorFormat::swiftUIColorRGBA})};
const ExporterRegistration appKitRegistration{
    BuildFileType::swiftAppKitEnum,
    std::make_unique<SwiftExporter>(SwiftFramework{"AppKit", mcu::ColorFormat::swiftNSColorRGBA})};

}  // namespace

}  // namespace tavlo::exports
