// Design-token JSON: the light values in NAME.json, nested by namespace, the
// values that differ under each other appearance in NAME.dark.json,
// NAME.light-high-contrast.json and NAME.dark-high-contrast.json, and a
// resolver document that puts them together under one "appearance" modifier.
// Aliases whose target is in the same files stay references ("{brand.primary}").
#include <algorithm>
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
// About what a colour token takes in a file, its name and layout included.
constexpr std::size_t kBytesPerEntry = 320;

double component(double value) {
  const double rounded = mcu::roundTo(value, 4);
  return rounded == 0 ? 0.0 : rounded;
}

void appendString(std::string& out, std::string_view text) {
  // Names and most values need no escape: copied whole, quotes and all, in one step.
  if (std::none_of(text.begin(), text.end(),
                   [](unsigned char c) { return c == '"' || c == '\\' || c < 0x20; })) {
    const std::size_t at = out.size();
    out.resize(at + text.size() + 2);
    char* quoted = out.data() + at;
    quoted[0] = '"';
    std::copy(text.begin(), text.end(), quoted + 1);
    quoted[text.size() + 1] = '"';
    return;
  }
  out += '"';
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
  out += '"';
}

// Writes JSON laid out as nlohmann's dump(2) lays it out (every member on a
// line of its own, two spaces a level) straight into one string: a build
// writes tens of thousands of small objects, too many to make one by one and
// indent again for the place they go. LEVEL is the indentation of the line
// the writer starts on.
class JsonWriter {
 public:
  explicit JsonWriter(std::string& out, int level = 0) : out_(out), level_(level) {}

  JsonWriter& beginObject() { return open('{'); }
  JsonWriter& endObject() { return close('}'); }
  JsonWriter& beginArray() { return open('['); }
  JsonWriter& endArray() { return close(']'); }
  JsonWriter& key(std::string_view name) {
    newMember();
    appendString(out_, name);
    out_ += ": ";
    afterKey_ = true;
    return *this;
  }
  JsonWriter& string(std::string_view text) {
    value();
    appendString(out_, text);
    return *this;
  }
  // A number, true, false, or JSON text already laid out for this place.
  JsonWriter& raw(std::string_view json) {
    value();
    out_ += json;
    return *this;
  }

 private:
  // A line break and the indentation of LEVEL_, in one append.
  void newLine() {
    static const std::string kBreak = "\n" + std::string(64, ' ');
    const std::size_t indent = static_cast<std::size_t>(level_) * 2;
    if (indent < kBreak.size()) {
      out_.append(kBreak.data(), 1 + indent);
    } else {
      out_ += '\n';
      out_.append(indent, ' ');
    }
  }
  void newMember() {
    if (!empty_) out_ += ',';
    empty_ = false;
    newLine();
  }
  void value() {
    if (afterKey_)
      afterKey_ = false;
    else if (depth_ > 0)
      newMember();
  }
  JsonWriter& open(char bracket) {
    value();
    out_ += bracket;
    ++level_;
    ++depth_;
    empty_ = true;
    return *this;
  }
  JsonWriter& close(char bracket) {
    --level_;
    --depth_;
    if (!empty_) newLine();
    out_ += bracket;
    empty_ = false;
    return *this;
  }

  std::string& out_;
  int level_;
  int depth_ = 0;
  bool empty_ = true;
  bool afterKey_ = false;
};

// The colour object: sRGB colours as "srgb", wider ones as "display-p3";
// what neither holds is clipped into sRGB (and reported by the caller).
void writeColor(JsonWriter& json, const mcu::PlatformColor& color, bool* clipped) {
  const SRGBFit fit = fitIntoSRGB(color);
  const bool isP3 = color.colorSpace() == mcu::PlatformColorSpace::displayP3();
  mcu::PlatformColor written = fit.clipped;
  std::string_view spaceName = "srgb";
  // An sRGB colour may carry components beyond 0...1, which Display P3 may hold.
  if (isP3 || fit.outside || !inUnitRange(fit.clipped)) {
    // The platform's Display P3 clips; read the extended components to see whether it had to.
    const mcu::PlatformColor p3 =
        isP3 ? color : *color.colorUsingColorSpace(mcu::PlatformColorSpace::extendedDisplayP3());
    if (inUnitRange(p3)) {
      written = p3;
      spaceName = "display-p3";
    } else {
      *clipped = true;
    }
  }
  auto unit = [](double c) { return std::clamp(c, 0.0, 1.0); };
  json.beginObject().key("colorSpace").string(spaceName).key("components").beginArray();
  for (double c : {written.redComponent(), written.greenComponent(), written.blueComponent()})
    json.raw(numberText(component(unit(c))));
  // "#rrggbb" of the clipped sRGB colour.
  char hex[] = "#000000";
  const double channels[] = {fit.clipped.redComponent(), fit.clipped.greenComponent(),
                             fit.clipped.blueComponent()};
  for (std::size_t c = 0; c < 3; ++c) {
    const auto byte = static_cast<unsigned>(std::lround(unit(channels[c]) * 255));
    hex[1 + 2 * c] = "0123456789abcdef"[byte >> 4];
    hex[2 + 2 * c] = "0123456789abcdef"[byte & 15];
  }
  json.endArray()
      .key("alpha")
      .raw(numberText(unit(color.alphaComponent())))
      .key("hex")
      .string(hex)
      .endObject();
}

void writeDimension(JsonWriter& json, double value) {
  json.beginObject().key("value").raw(numberText(value)).key("unit").string("px").endObject();
}

// Names may not contain '.', '{' or '}', nor start with '$': PIECE is
// appended to OUT with those written as '-'. True when none had to be.
bool appendMappedPiece(std::string& out, std::string_view piece) {
  const std::size_t start = out.size();
  out += piece;
  bool unchanged = true;
  for (std::size_t at = out.find_first_of(".{}", start); at != std::string::npos;
       at = out.find_first_of(".{}", at)) {
    out[at] = '-';
    unchanged = false;
  }
  if (out.size() > start && out[start] == '$') {
    out[start] = '-';
    unchanged = false;
  }
  return unchanged;
}

// A group of the token tree. Objects that keep their order look names up one
// by one, which a group of thousands of tokens cannot afford, so members
// are indexed here and keep the order they come in.
struct Group {
  // A token to write: its index and what it says.
  struct Entry {
    std::size_t token;
    ExportJob::Expression expression;
  };
  // A token or a group. Names are views of the tokens' dotted names, which
  // outlive the tree.
  struct Member {
    std::string_view name;
    std::optional<Entry> entry;
    std::unique_ptr<Group> group;
  };
  std::string description;
  std::vector<Member> members;
  std::unordered_map<std::string_view, std::size_t> index;
  std::vector<std::pair<std::string_view, Entry>> extensions;  // unique dotted paths
  std::size_t entries = 0;  // tokens placed in the tree, counted at its root

  // The member NAME; a new one is neither token nor group yet.
  Member& member(std::string_view name) {
    // Most groups hold a handful of members, which a scan finds sooner than
    // a hash; the index is made once a group grows past that.
    constexpr std::size_t kScanned = 16;
    if (members.size() < kScanned) {
      for (auto& member : members)
        if (member.name == name) return member;
    } else {
      if (index.empty())
        for (std::size_t m = 0; m < members.size(); ++m) index.emplace(members[m].name, m);
      if (const auto found = index.find(name); found != index.end()) return members[found->second];
      index.emplace(name, members.size());
    }
    members.push_back({name, std::nullopt, nullptr});
    return members.back();
  }

  // Tokens are written where they fall, by WRITE_ENTRY(json, entry, isExtension),
  // so no token's text is made apart and copied in.
  template <class WriteEntry>
  void write(JsonWriter& json, const WriteEntry& writeEntry) const {
    json.beginObject();
    if (!description.empty()) json.key("$description").string(description);
    if (!extensions.empty()) {
      json.key("$extensions").beginObject().key(kExtensionKey).beginObject();
      for (const auto& [name, entry] : extensions) writeEntry(json.key(name), entry, true);
      json.endObject().endObject();
    }
    for (const auto& member : members) {
      json.key(member.name);
      if (member.group)
        member.group->write(json, writeEntry);
      else
        writeEntry(json, *member.entry, false);
    }
    json.endObject();
  }

  // The tree's tokens make room for the text up front: a file of thousands
  // of tokens would otherwise be copied each time it outgrows its room.
  template <class WriteEntry>
  std::string text(const WriteEntry& writeEntry) const {
    std::string out;
    out.reserve(512 + entries * kBytesPerEntry);
    JsonWriter json(out);
    write(json, writeEntry);
    out += '\n';
    return out;
  }
};

class DesignTokenExporter final : public Exporter {
 public:
  std::vector<ExportedFile> run(const ExportJob& job, Diagnostics& diagnostics) const override {
    const auto& tokens = job.tokens();
    const BuildTask& task = job.task();

    // Each token's name as a path of mapped pieces joined by '.' (which no
    // piece holds); empty when it cannot be written.
    std::vector<std::string> dotted(tokens.size());
    NameTable table(tokens.size());
    for (std::size_t i = 0; i < tokens.size(); ++i) {
      const Token& token = tokens[i];
      std::string joined;
      bool usable = true;
      for (std::size_t p = 0; p < token.path.size(); ++p) {
        if (p > 0) joined += '.';
        const std::size_t start = joined.size();
        std::string piece = job.transformedPiece(token.path[p]);
        if (p + 1 == token.path.size())
          piece = add(task.nameTransform(), task.namePrefix(), task.nameSuffix(), piece);
        if (!appendMappedPiece(joined, piece))
          diagnostics.warning("'" + token.displayName() + "': '" + piece + "' is written as '" +
                              joined.substr(start) +
                              "': design-token names hold no '.', '{' or '}' and do not start with '$'");
        if (joined.size() == start) usable = false;
      }
      if (!usable) {
        diagnostics.error("'" + token.displayName() +
                          "' has an empty name part; design tokens cannot hold it");
        continue;
      }
      if (!table.claim(joined, token, diagnostics)) continue;
      dotted[i] = std::move(joined);
    }
    auto canReference = [&](std::size_t target) {
      return !dotted[target].empty() && tokens[target].kind != TokenKind::boolean &&
             tokens[target].kind != TokenKind::string;
    };

    std::vector<bool> clipped(tokens.size(), false);
    // The value JSON of token I for expression E, laid out at the writer's level.
    auto writeValue = [&](JsonWriter& json, std::size_t i, const ExportJob::Expression& e) {
      if (e.target) {
        json.string("{" + dotted[*e.target] + "}");
        return;
      }
      const TokenValue& v = tokens[i].displayValue(e.writtenFor);
      bool wasClipped = false;
      if (const auto* color = std::get_if<mcu::PlatformColor>(&v)) {
        writeColor(json, *color, &wasClipped);
      } else if (const auto* number = std::get_if<double>(&v)) {
        json.raw(numberText(*number));
      } else if (const auto* boolean = std::get_if<bool>(&v)) {
        json.raw(*boolean ? "true" : "false");
      } else if (const auto* string = std::get_if<std::string>(&v)) {
        json.string(*string);
      } else {
        const auto& shadow = std::get<ShadowValue>(v);
        json.beginObject().key("color");
        writeColor(json, shadow.color, &wasClipped);
        writeDimension(json.key("offsetX"), shadow.xOffset);
        writeDimension(json.key("offsetY"), shadow.yOffset);
        writeDimension(json.key("blur"), shadow.blur);
        writeDimension(json.key("spread"), shadow.spread);
        json.endObject();
      }
      if (wasClipped) clipped[i] = true;
    };
    // The token object: "$type" and "$value", or "type" and "value" in the extension.
    auto writeEntry = [&](JsonWriter& json, const Group::Entry& entry, bool extension) {
      json.beginObject().key(extension ? "type" : "$type").string(kindName(tokens[entry.token].kind));
      writeValue(json.key(extension ? "value" : "$value"), entry.token, entry.expression);
      json.endObject();
    };

    // Places a token; a name that is a token in one place and a group in another is refused.
    auto place = [&](Group& root, std::size_t i, const ExportJob::Expression& e) {
      const Token& token = tokens[i];
      if (token.kind == TokenKind::boolean || token.kind == TokenKind::string) {
        root.extensions.emplace_back(dotted[i], Group::Entry{i, e});
        ++root.entries;
        return;
      }
      Group* group = &root;
      const std::string_view name = dotted[i];
      std::size_t start = 0;
      for (std::size_t dot = name.find('.'); dot != std::string_view::npos; dot = name.find('.', start)) {
        const std::string_view piece = name.substr(start, dot - start);
        start = dot + 1;
        Group::Member& next = group->member(piece);
        if (next.entry) {
          diagnostics.error("'" + token.displayName() + "' lies inside the token '" + std::string(piece) +
                            "'; a design token cannot hold tokens");
          return;
        }
        if (!next.group) next.group = std::make_unique<Group>();
        group = next.group.get();
      }
      Group::Member& leaf = group->member(name.substr(start));
      if (leaf.entry || leaf.group) {
        diagnostics.error("'" + token.displayName() + "' has the name of a group of tokens, '" + dotted[i] +
                          "'; it is left out");
        return;
      }
      leaf.entry = Group::Entry{i, e};
      ++root.entries;
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
      if (dotted[i].empty()) continue;
      const Token& token = tokens[i];
      const auto lightExpression = job.expression(token, ColorSource::light, canReference);
      place(light, i, lightExpression);
      for (std::size_t o = 0; o < kOverrides.size(); ++o) {
        const ColorSource appearance = kOverrides[o].appearance;
        if (job.valueUnder(token, lightExpression, appearance) == token.displayValue(appearance)) continue;
        place(overrides[o], i, job.expression(token, appearance, canReference));
      }
    }

    std::vector<ExportedFile> files;
    files.push_back({job.filePath(), light.text(writeEntry)});
    Json contexts = Json::object();
    contexts["light"] = Json::array();
    for (std::size_t o = 0; o < kOverrides.size(); ++o) {
      const std::string name = base + "." + std::string(kOverrides[o].context) + ".json";
      files.push_back({job.pathInFolder(name), overrides[o].text(writeEntry)});
      contexts[std::string(kOverrides[o].context)] = Json::array({Json{{"$ref", name}}});
    }
    // Values are made as the files are written, so clipping is known only now.
    for (std::size_t i = 0; i < tokens.size(); ++i)
      if (clipped[i])
        diagnostics.warning("'" + tokens[i].displayName() +
                            "' is outside the colour spaces written here; it is written clipped into sRGB");

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
