// Design-token JSON: the light values in NAME.json, nested by namespace, the
// values that differ under each other appearance in NAME.dark.json,
// NAME.light-high-contrast.json and NAME.dark-high-contrast.json, and a
// resolver document that puts them together under one "appearance" modifier.
// Aliases whose target is in the same files stay references ("{brand.primary}").
#include <array>
#include <memory>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "MerrinColorUtils/Numeric.h"
#include "TavloExport/ColorTexts.h"
#include "TavloExport/ExportJob.h"
#include "TavloExport/Exporter.h"

namespace tavlo::exports {

namespace {

using Json = nlohmann::ordered_json;

struct Override {
  ColorSource appearance;
  std::string_view context;
};
constexpr std::array<Override, 3> kOverrides{{{ColorSource::dark, "dark"},
                                              {ColorSource::lightHighContrast, "light-high-contrast"},
                                              {ColorSource::darkHighContrast, "dark-high-contrast"}}};

constexpr std::string_view kExtensionKey = "tavlo.values";

double component(double value) {
  const double rounded = mcu::roundTo(value, 4);
  return rounded == 0 ? 0.0 : rounded;
}

bool inUnitRange(const mcu::PlatformColor& color) {
  for (double c : {color.redComponent(), color.greenComponent(), color.blueComponent()})
    if (!(c >= -1e-5 && c <= 1 + 1e-5)) return false;
  return true;
}

// The colour object: sRGB colours as "srgb", wider ones as "display-p3";
// what neither holds is clipped into sRGB (and reported by the caller).
Json colorValue(const mcu::PlatformColor& color, bool* clipped) {
  const bool isP3 = color.colorSpace() == mcu::PlatformColorSpace::displayP3();
  std::optional<mcu::PlatformColor> written;
  std::string space = "srgb";
  if (!isOutsideSRGB(color) && !isP3) {
    written = color.colorSpace() == mcu::PlatformColorSpace::sRGB()
                  ? color
                  : color.colorUsingColorSpace(mcu::PlatformColorSpace::extendedSRGB());
  } else {
    auto p3 = isP3 ? std::optional(color) : color.colorUsingColorSpace(mcu::PlatformColorSpace::displayP3());
    if (p3) {
      // The platform's Display P3 clips; read the extended components to see whether it had to.
      auto extended = isP3 ? std::optional(color)
                           : color.colorUsingColorSpace(mcu::PlatformColorSpace::extendedDisplayP3());
      if (extended && inUnitRange(*extended)) {
        written = *extended;
        space = "display-p3";
      }
    }
  }
  if (!written) {
    written = clippedSRGB(color);
    *clipped = true;
  }
  Json components = Json::array();
  for (double c : {written->redComponent(), written->greenComponent(), written->blueComponent()})
    components.push_back(component(std::clamp(c, 0.0, 1.0)));
  const mcu::PlatformColor srgb = clippedSRGB(color);
  char hex[8];
  auto byte = [](double c) { return static_cast<int>(std::lround(std::clamp(c, 0.0, 1.0) * 255)); };
  std::snprintf(hex, sizeof hex, "#%02x%02x%02x", byte(srgb.redComponent()), byte(srgb.greenComponent()),
                byte(srgb.blueComponent()));
  Json value = Json::object();
  value["colorSpace"] = space;
  value["components"] = std::move(components);
  value["alpha"] = component(std::clamp(color.alphaComponent(), 0.0, 1.0));
  value["hex"] = hex;
  return value;
}

Json dimension(double value) {
  return Json{{"value", component(value)}, {"unit", "px"}};
}

std::string_view typeName(TokenKind kind) {
  switch (kind) {
    case TokenKind::color:
      return "color";
    case TokenKind::number:
      return "number";
    case TokenKind::shadow:
      return "shadow";
    case TokenKind::boolean:
      return "boolean";
    case TokenKind::string:
      return "string";
  }
  return "";
}

// Names may not contain '.', '{' or '}', nor start with '$'.
std::string mappedPiece(std::string_view piece) {
  std::string mapped;
  for (char c : piece) mapped += (c == '.' || c == '{' || c == '}') ? '-' : c;
  if (!mapped.empty() && mapped[0] == '$') mapped[0] = '-';
  return mapped;
}

class DesignTokenExporter final : public Exporter {
 public:
  std::vector<ExportedFile> run(const ExportJob& job, Diagnostics& diagnostics) const override {
    const auto& tokens = job.tokens();
    const BuildTask& task = job.task();

    // Each token's path of mapped names; empty when it cannot be written.
    std::vector<std::vector<std::string>> paths(tokens.size());
    std::vector<std::string> dotted(tokens.size());
    NameTable table;
    for (std::size_t i = 0; i < tokens.size(); ++i) {
      const Token& token = tokens[i];
      std::vector<std::string> path;
      bool usable = true;
      for (std::size_t p = 0; p < token.path.size(); ++p) {
        std::string piece = job.transformedPiece(token.path[p]);
        if (p + 1 == token.path.size())
          piece = add(task.nameTransform(), task.namePrefix(), task.nameSuffix(), piece);
        std::string mapped = mappedPiece(piece);
        if (mapped != piece)
          diagnostics.warning("'" + token.displayName() + "': '" + piece + "' is written as '" + mapped +
                              "': design-token names hold no '.', '{' or '}' and do not start with '$'");
        if (mapped.empty()) usable = false;
        path.push_back(std::move(mapped));
      }
      if (!usable) {
        diagnostics.error("'" + token.displayName() +
                          "' has an empty name part; design tokens cannot hold it");
        continue;
      }
      std::string joined;
      for (const auto& piece : path) joined += (joined.empty() ? "" : ".") + piece;
      if (!table.claim(joined, token, diagnostics)) continue;
      paths[i] = std::move(path);
      dotted[i] = std::move(joined);
    }
    auto canReference = [&](std::size_t target) {
      return !paths[target].empty() && tokens[target].kind != TokenKind::boolean &&
             tokens[target].kind != TokenKind::string;
    };

    std::vector<bool> clipped(tokens.size(), false);
    auto value = [&](std::size_t i, const ExportJob::Expression& e) -> Json {
      if (e.target) return "{" + dotted[*e.target] + "}";
      const TokenValue& v = tokens[i].displayValue(e.writtenFor);
      bool wasClipped = false;
      Json json;
      if (const auto* color = std::get_if<mcu::PlatformColor>(&v)) {
        json = colorValue(*color, &wasClipped);
      } else if (const auto* number = std::get_if<double>(&v)) {
        json = std::isfinite(*number) ? Json(mcu::roundTo(*number, 4)) : Json(0);
      } else if (const auto* boolean = std::get_if<bool>(&v)) {
        json = *boolean;
      } else if (const auto* string = std::get_if<std::string>(&v)) {
        json = *string;
      } else {
        const auto& shadow = std::get<ShadowValue>(v);
        json = Json::object();
        json["color"] = colorValue(shadow.color, &wasClipped);
        json["offsetX"] = dimension(shadow.xOffset);
        json["offsetY"] = dimension(shadow.yOffset);
        json["blur"] = dimension(shadow.blur);
        json["spread"] = dimension(shadow.spread);
      }
      if (wasClipped) clipped[i] = true;
      return json;
    };

    // Places a token; a name that is a token in one place and a group in another is refused.
    auto place = [&](Json& root, std::size_t i, Json entry) {
      const Token& token = tokens[i];
      if (token.kind == TokenKind::boolean || token.kind == TokenKind::string) {
        root["$extensions"][std::string(kExtensionKey)][dotted[i]] =
            Json{{"type", typeName(token.kind)}, {"value", std::move(entry)}};
        return;
      }
      Json* group = &root;
      const auto& path = paths[i];
      for (std::size_t p = 0; p + 1 < path.size(); ++p) {
        Json& next = (*group)[path[p]];
        if (next.is_null()) next = Json::object();
        if (next.contains("$value")) {
          diagnostics.error("'" + token.displayName() + "' lies inside the token '" + path[p] +
                            "'; a design token cannot hold tokens");
          return;
        }
        group = &next;
      }
      Json& leaf = (*group)[path.back()];
      if (!leaf.is_null()) {
        diagnostics.error("'" + token.displayName() + "' has the name of a group of tokens, '" + dotted[i] +
                          "'; it is left out");
        return;
      }
      leaf = Json{{"$type", typeName(token.kind)}, {"$value", std::move(entry)}};
    };

    const std::string base = task.fileNameWithoutExtension();
    auto document = [&](const std::string& description) {
      Json root = Json::object();
      root["$description"] = job.generatedNotice() + " " + description;
      return root;
    };
    Json light = document("Light values.");
    std::array<Json, 3> overrides;
    for (std::size_t o = 0; o < kOverrides.size(); ++o)
      overrides[o] = document("Values that differ under " + std::string(kOverrides[o].context) +
                              "; read over " + task.fullFileName() + ".");
    for (std::size_t i = 0; i < tokens.size(); ++i) {
      if (paths[i].empty()) continue;
      const Token& token = tokens[i];
      const auto lightExpression = job.expression(token, ColorSource::light, canReference);
      place(light, i, value(i, lightExpression));
      for (std::size_t o = 0; o < kOverrides.size(); ++o) {
        const ColorSource appearance = kOverrides[o].appearance;
        if (job.valueUnder(token, lightExpression, appearance) == token.displayValue(appearance)) continue;
        place(overrides[o], i, value(i, job.expression(token, appearance, canReference)));
      }
    }
    for (std::size_t i = 0; i < tokens.size(); ++i)
      if (clipped[i])
        diagnostics.warning("'" + tokens[i].displayName() +
                            "' is outside the colour spaces written here; it is written clipped into sRGB");

    std::vector<ExportedFile> files;
    files.push_back({job.filePath(), light.dump(2) + "\n"});
    Json contexts = Json::object();
    contexts["light"] = Json::array();
    for (std::size_t o = 0; o < kOverrides.size(); ++o) {
      const std::string name = base + "." + std::string(kOverrides[o].context) + ".json";
      files.push_back({job.pathInFolder(name), overrides[o].dump(2) + "\n"});
      contexts[std::string(kOverrides[o].context)] = Json::array({Json{{"$ref", name}}});
    }
    Json resolver = Json::object();
    resolver["name"] = base;
    resolver["version"] = "2025.10";
    resolver["description"] = job.generatedNotice();
    resolver["sets"] = Json{{"base", Json{{"sources", Json::array({Json{{"$ref", task.fullFileName()}}})}}}};
    resolver["modifiers"] =
        Json{{"appearance", Json{{"contexts", std::move(contexts)}, {"default", "light"}}}};
    resolver["resolutionOrder"] =
        Json::array({Json{{"$ref", "#/sets/base"}}, Json{{"$ref", "#/modifiers/appearance"}}});
    files.push_back({job.pathInFolder(base + ".resolver.json"), resolver.dump(2) + "\n"});
    return files;
  }
};

const ExporterRegistration registration{BuildFileType::jsonDesignToken,
                                        std::make_unique<DesignTokenExporter>()};

}  // namespace

}  // namespace tavlo::exports
