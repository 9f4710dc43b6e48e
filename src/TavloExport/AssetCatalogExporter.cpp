// An asset catalogue: `NAME.xcassets/Contents.json` and one
// `<name>.colorset/Contents.json` per colour. A colour that looks the same
// in every appearance has one universal entry; any other has all four
// (any, dark luminosity, high contrast, dark with high contrast), each its
// display value, so that the catalogue never falls back to a variant the
// document did not mean. Colours keep their space: srgb, display-p3, or
// extended-srgb for components beyond 0...1. JSON holds no comment; the
// catalogue's author field names the tool instead.
#include <charconv>
#include <memory>
#include <string>

#include <nlohmann/json.hpp>

#include "TavloData/TextCasing.h"
#include "TavloExport/ColorTexts.h"
#include "TavloExport/ExportJob.h"
#include "TavloExport/Exporter.h"
#include "TavloExport/Identifiers.h"

namespace tavlo::exports {

namespace {

using nlohmann::json;

// Longest file name most file systems hold.
constexpr std::size_t kMaxFileName = 255;

const json kInfo = {{"author", "tavlo"}, {"version", 1}};

// Components as decimal texts with a point: a catalogue reads "1" as 1/255.
std::string component(double value) {
  char buffer[32];
  const auto written = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 4);
  std::string text(buffer, written.ptr);
  return text == "-0.0000" ? "0.0000" : text;
}

json colorJSON(const mcu::PlatformColor& color) {
  std::string space = "srgb";
  mcu::PlatformColor written = color;
  if (color.colorSpace() == mcu::PlatformColorSpace::displayP3()) {
    space = "display-p3";
  } else if (const SRGBFit fit = fitIntoSRGB(color); fit.outside) {
    space = "extended-srgb";
    written = color.colorUsingColorSpace(mcu::PlatformColorSpace::extendedSRGB()).value_or(color);
  } else {
    written = fit.clipped;
  }
  return {{"color-space", space},
          {"components",
           {{"red", component(written.redComponent())},
            {"green", component(written.greenComponent())},
            {"blue", component(written.blueComponent())},
            {"alpha", component(written.alphaComponent())}}}};
}

json appearanceEntry(ColorSource appearance, const mcu::PlatformColor& color) {
  json entry = {{"idiom", "universal"}, {"color", colorJSON(color)}};
  json appearances = json::array();
  if (appearance == ColorSource::dark || appearance == ColorSource::darkHighContrast)
    appearances.push_back({{"appearance", "luminosity"}, {"value", "dark"}});
  if (appearance == ColorSource::lightHighContrast || appearance == ColorSource::darkHighContrast)
    appearances.push_back({{"appearance", "contrast"}, {"value", "high"}});
  if (!appearances.empty()) entry["appearances"] = std::move(appearances);
  return entry;
}

// A colour set's folder name: path separators, ':' and control characters
// become '_', and so does a leading '.', which would hide the folder.
std::string folderName(std::string_view name) {
  std::string folder(name);
  for (char& c : folder)
    if (c == '/' || c == '\\' || c == ':' || static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '_';
  if (!folder.empty() && folder[0] == '.') folder[0] = '_';
  return folder;
}

class AssetCatalogExporter final : public Exporter {
 public:
  std::vector<ExportedFile> run(const ExportJob& job, Diagnostics& diagnostics) const override {
    const std::string root = job.filePath();
    std::vector<ExportedFile> files{{root + "/Contents.json", json{{"info", kInfo}}.dump(2) + "\n"}};
    // Catalogues are often on file systems that ignore case.
    NameTable folders;
    std::size_t others = 0;
    for (const Token& token : job.tokens()) {
      if (token.kind != TokenKind::color) {
        ++others;
        continue;
      }
      const std::string folder = folderName(job.name(token));
      if (folder.empty() || folder.size() + std::string_view(".colorset").size() > kMaxFileName) {
        diagnostics.error("'" + token.displayName() +
                          "' has no name a colour set folder can hold; it is left out");
        continue;
      }
      if (!folders.claim(lowercased(folder), token, diagnostics)) continue;

      json colors = json::array();
      auto color = [&](ColorSource appearance) {
        return std::get<mcu::PlatformColor>(token.displayValue(appearance));
      };
      colors.push_back(appearanceEntry(ColorSource::light, color(ColorSource::light)));
      if (token.differsByAppearance())
        for (ColorSource appearance :
             {ColorSource::dark, ColorSource::lightHighContrast, ColorSource::darkHighContrast})
          colors.push_back(appearanceEntry(appearance, color(appearance)));
      files.push_back({root + "/" + folder + ".colorset/Contents.json",
                       json{{"colors", std::move(colors)}, {"info", kInfo}}.dump(2) + "\n"});
    }
    reportLeftOut(others, "numbers, booleans, texts and shadows", "Asset catalogue", diagnostics);
    return files;
  }
};

const ExporterRegistration registration{BuildFileType::assetCatalog,
                                        std::make_unique<AssetCatalogExporter>()};

}  // namespace

}  // namespace tavlo::exports
