// Design-token JSON: the light values in NAME.json, nested by namespace, the
// values that differ under each other appearance in NAME.dark.json,
// NAME.light-high-contrast.json and NAME.dark-high-contrast.json, and a
// resolver document that puts them together under one "appearance" modifier.
// Aliases whose target is in the same files stay references ("{brand.primary}").
#include <array>
#include <cstdio>
#include <memory>
#include <string>
#include <unordered_map>
#include <utility>
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

// JSON text written by hand, laid out as nlohmann's dump(2) lays it out: a
// build writes tens of thousands of these small objects.
std::string jsonString(std::string_view text) {
  std::string out = "\"";
  for (unsigned char c : text) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 0x20) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\u%04x", c);
      out += escape;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out + "\"";
}

// Every line after the first of TEXT indented by LEVEL more steps.
void appendIndented(std::string& out, const std::string& text, int level) {
  const std::string pad(static_cast<std::size_t>(level) * 2, ' ');
  for (char c : text) {
    out += c;
    if (c == '\n') out += pad;
  }
}

std::string jsonObject(const std::vector<std::pair<std::string_view, std::string>>& members) {
  std::string out = "{";
  for (std::size_t i = 0; i < members.size(); ++i) {
    out += i ? ",\n  " : "\n  ";
    out += jsonString(members[i].first) + ": ";
    appendIndented(out, members[i].second, 1);
  }
  return out + "\n}";
}

std::string jsonArray(const std::vector<std::string>& items) {
  std::string out = "[";
  for (std::size_t i = 0; i < items.size(); ++i) {
    out += i ? ",\n  " : "\n  ";
    appendIndented(out, items[i], 1);
  }
  return out + "\n]";
}

bool inUnitRange(const mcu::PlatformColor& color) {
  for (double c : {color.redComponent(), color.greenComponent(), color.blueComponent()})
    if (!(c >= -1e-5 && c <= 1 + 1e-5)) return false;
  return true;
}

// The colour object: sRGB colours as "srgb", wider ones as "display-p3";
// what neither holds is clipped into sRGB (and reported by the caller).
std::string colorValue(const mcu::PlatformColor& color, bool* clipped) {
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
  std::vector<std::string> components;
  for (double c : {written->redComponent(), written->greenComponent(), written->blueComponent()})
    components.push_back(numberText(component(std::clamp(c, 0.0, 1.0))));
  const mcu::PlatformColor srgb = clippedSRGB(color);
  char hex[8];
  auto byte = [](double c) { return static_cast<int>(std::lround(std::clamp(c, 0.0, 1.0) * 255)); };
  std::snprintf(hex, sizeof hex, "#%02x%02x%02x", byte(srgb.redComponent()), byte(srgb.greenComponent()),
                byte(srgb.blueComponent()));
  return jsonObject({{"colorSpace", jsonString(space)},
                     {"components", jsonArray(components)},
                     {"alpha", numberText(std::clamp(color.alphaComponent(), 0.0, 1.0))},
                     {"hex", jsonString(hex)}});
}

std::string dimension(double value) {
  return jsonObject({{"value", numberText(value)}, {"unit", "\"px\""}});
}

// Names may not contain '.', '{' or '}', nor start with '$'.
std::string mappedPiece(std::string_view piece) {
  std::string mapped;
  for (char c : piece) mapped += (c == '.' || c == '{' || c == '}') ? '-' : c;
  if (!mapped.empty() && mapped[0] == '$') mapped[0] = '-';
  return mapped;
}

// A group of the token tree, written as JSON by hand: objects that keep
// their order look names up one by one, which a group of thousands of
// tokens cannot afford. Children keep the order they come in.
struct Group {
  std::string description;
  std::vector<std::pair<std::string, std::unique_ptr<Group>>> children;
  std::unordered_map<std::string, std::size_t> index;
  std::optional<std::string> token;                             // JSON text
  std::vector<std::pair<std::string, std::string>> extensions;  // unique dotted paths and JSON texts

  Group& child(const std::string& name) {
    const auto [found, inserted] = index.emplace(name, children.size());
    if (inserted) children.emplace_back(name, std::make_unique<Group>());
    return *children[found->second].second;
  }

  void write(std::string& out, int level) const {
    if (token) return appendIndented(out, *token, level);
    const std::string pad(static_cast<std::size_t>(level) * 2, ' ');
    bool first = true;
    auto member = [&](const std::string& name, int depth) {
      out += first ? "\n" : ",\n";
      first = false;
      out.append(static_cast<std::size_t>(depth) * 2, ' ');
      out += jsonString(name) + ": ";
    };
    out += '{';
    if (!description.empty()) {
      member("$description", level + 1);
      out += jsonString(description);
    }
    if (!extensions.empty()) {
      member("$extensions", level + 1);
      out += "{\n" + pad + "    " + jsonString(kExtensionKey) + ": {";
      bool firstEntry = true;
      for (const auto& [name, value] : extensions) {
        out += firstEntry ? "\n" : ",\n";
        firstEntry = false;
        out += pad + "      " + jsonString(name) + ": ";
        appendIndented(out, value, level + 3);
      }
      out += "\n" + pad + "    }\n" + pad + "  }";
    }
    for (const auto& [name, group] : children) {
      member(name, level + 1);
      group->write(out, level + 1);
    }
    out += first ? "}" : "\n" + pad + "}";
  }

  std::string text() const {
    std::string out;
    write(out, 0);
    return out + "\n";
  }
};

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
    auto value = [&](std::size_t i, const ExportJob::Expression& e) -> std::string {
      if (e.target) return jsonString("{" + dotted[*e.target] + "}");
      const TokenValue& v = tokens[i].displayValue(e.writtenFor);
      bool wasClipped = false;
      std::string json;
      if (const auto* color = std::get_if<mcu::PlatformColor>(&v)) {
        json = colorValue(*color, &wasClipped);
      } else if (const auto* number = std::get_if<double>(&v)) {
        json = numberText(*number);
      } else if (const auto* boolean = std::get_if<bool>(&v)) {
        json = *boolean ? "true" : "false";
      } else if (const auto* string = std::get_if<std::string>(&v)) {
        json = jsonString(*string);
      } else {
        const auto& shadow = std::get<ShadowValue>(v);
        json = jsonObject({{"color", colorValue(shadow.color, &wasClipped)},
                           {"offsetX", dimension(shadow.xOffset)},
                           {"offsetY", dimension(shadow.yOffset)},
                           {"blur", dimension(shadow.blur)},
                           {"spread", dimension(shadow.spread)}});
      }
      if (wasClipped) clipped[i] = true;
      return json;
    };

    // Places a token; a name that is a token in one place and a group in another is refused.
    auto place = [&](Group& root, std::size_t i, std::string entry) {
      const Token& token = tokens[i];
      if (token.kind == TokenKind::boolean || token.kind == TokenKind::string) {
        root.extensions.emplace_back(
            dotted[i], jsonObject({{"type", jsonString(kindName(token.kind))}, {"value", std::move(entry)}}));
        return;
      }
      Group* group = &root;
      const auto& path = paths[i];
      for (std::size_t p = 0; p + 1 < path.size(); ++p) {
        Group& next = group->child(path[p]);
        if (next.token) {
          diagnostics.error("'" + token.displayName() + "' lies inside the token '" + path[p] +
                            "'; a design token cannot hold tokens");
          return;
        }
        group = &next;
      }
      Group& leaf = group->child(path.back());
      if (leaf.token || !leaf.children.empty()) {
        diagnostics.error("'" + token.displayName() + "' has the name of a group of tokens, '" + dotted[i] +
                          "'; it is left out");
        return;
      }
      leaf.token = jsonObject({{"$type", jsonString(kindName(token.kind))}, {"$value", std::move(entry)}});
    };

    const std::string base = task.fileNameWithoutExtension();
    Group light;
    light.description = job.generatedNotice() + " Light values.";
    std::array<Group, 3> overrides;
    for (std::size_t o = 0; o < kOverrides.size(); ++o)
      overrides[o].description = job.generatedNotice() + " Values that differ under " +
                                 std::string(kOverrides[o].context) + "; read over " + task.fullFileName() +
                                 ".";
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
    files.push_back({job.filePath(), light.text()});
    Json contexts = Json::object();
    contexts["light"] = Json::array();
    for (std::size_t o = 0; o < kOverrides.size(); ++o) {
      const std::string name = base + "." + std::string(kOverrides[o].context) + ".json";
      files.push_back({job.pathInFolder(name), overrides[o].text()});
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
    files.push_back({job.pathInFolder(base + ".resolver.json"),
                     resolver.dump(2, ' ', false, Json::error_handler_t::replace) + "\n"});
    return files;
  }
};

const ExporterRegistration registration{BuildFileType::jsonDesignToken,
                                        std::make_unique<DesignTokenExporter>()};

}  // namespace

}  // namespace tavlo::exports
