#include "DocumentGenerator.h"

#include <cstdio>
#include <random>
#include <vector>

namespace tavlo::bench {

namespace {

class Writer {
 public:
  explicit Writer(std::uint32_t seed) : random_(seed) {}

  std::string text;

  void line(int depth, const std::string& content) {
    text.append(static_cast<std::size_t>(depth) * 2, ' ');
    text += content;
    text += '\n';
  }
  void element(int depth, const char* name, const std::string& value) {
    line(depth, std::string("<") + name + ">" + value + "</" + name + ">");
  }

  std::string uuid() {
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%08X-%04X-4%03X-%04X-%08X%04X", next32(), next32() & 0xFFFF,
                  next32() & 0xFFF, (next32() & 0x3FFF) | 0x8000, next32(), next32() & 0xFFFF);
    return buffer;
  }
  std::string rgba() {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.5g %.5g %.5g 1", unit(), unit(), unit());
    return buffer;
  }
  double unit() { return std::uniform_real_distribution<double>(0, 1)(random_); }
  std::uint32_t next32() { return static_cast<std::uint32_t>(random_()); }

 private:
  std::mt19937 random_;
};

void common(Writer& w, int depth, const std::string& id, const std::string& name) {
  w.element(depth, "id", id);
  w.element(depth, "name", name);
}

void colorValue(Writer& w, int depth, bool dark, bool highContrast) {
  w.line(depth, "<color>");
  w.line(depth + 1, "<variants>");
  w.line(depth + 2, "<variant>");
  w.element(depth + 3, "rgba", w.rgba());
  w.line(depth + 2, "</variant>");
  if (dark) {
    w.line(depth + 2, "<variant type=\"dark\">");
    w.element(depth + 3, "rgba", w.rgba());
    w.line(depth + 2, "</variant>");
  }
  if (highContrast) {
    w.line(depth + 2, "<variant type=\"highContrast\">");
    w.element(depth + 3, "rgba", w.rgba());
    w.line(depth + 2, "</variant>");
  }
  w.line(depth + 1, "</variants>");
  w.line(depth, "</color>");
}

void singleValue(Writer& w, int depth, const char* element, const std::string& value) {
  w.line(depth, std::string("<") + element + ">");
  w.line(depth + 1, "<variants>");
  w.line(depth + 2, "<variant>");
  w.element(depth + 3, "value", value);
  w.line(depth + 2, "</variant>");
  w.line(depth + 1, "</variants>");
  w.line(depth, std::string("</") + element + ">");
}

struct Made {
  std::vector<std::string> colors;
  std::vector<std::string> numbers;
  std::vector<std::string> strings;
  std::vector<std::string> booleans;
  std::vector<std::string> colorAliases;
  std::size_t forcedAliases = 0;
};

void aliasElement(Writer& w, int depth, const char* element, const char* type, const std::string& id,
                  const std::string& name, const std::string& target) {
  w.line(depth, std::string("<") + element + ">");
  common(w, depth + 1, id, name);
  w.element(depth + 1, "type", type);
  w.element(depth + 1, "referencedItemId", target);
  w.line(depth, std::string("</") + element + ">");
}

// One alias of the evenly spread share: mostly colour aliases, every fifth of
// those naming an earlier colour alias; then numbers, texts and booleans.
void spreadAlias(Writer& w, int depth, const std::string& id, const std::string& name, Made& made) {
  const std::size_t turn = made.forcedAliases++ % 20;
  const auto pick = [&](const std::vector<std::string>& targets) -> const std::string& {
    return targets[(turn * 7919 + made.forcedAliases) % targets.size()];
  };
  if (turn >= 12 && turn < 15 && !made.numbers.empty()) {
    aliasElement(w, depth, "numberAlias", "2", id, name, pick(made.numbers));
  } else if (turn >= 15 && turn < 18 && !made.strings.empty()) {
    aliasElement(w, depth, "stringAlias", "2", id, name, pick(made.strings));
  } else if (turn >= 18 && !made.booleans.empty()) {
    aliasElement(w, depth, "booleanAlias", "2", id, name, pick(made.booleans));
  } else {
    const bool chained = turn % 5 == 4 && !made.colorAliases.empty();
    aliasElement(w, depth, "alias", "1", id, name, pick(chained ? made.colorAliases : made.colors));
    made.colorAliases.push_back(id);
  }
}

void item(Writer& w, int depth, std::size_t index, const DocumentShape& shape, Made& made) {
  static const char* const kProfiles[] = {"sRGB", "DisplayP3", "extendedSRGB"};
  std::size_t slot = index % 50;
  const std::string id = w.uuid();
  const std::string name = "Token " + std::to_string(index);
  if (const std::size_t share = shape.aliasesPerHundred; share > 0) {
    if ((index + 1) * share / 100 != index * share / 100) {
      if (made.colors.empty()) made.colors.push_back(id);  // only when the very first item is an alias
      spreadAlias(w, depth, id, name, made);
      return;
    }
    if ((slot >= 45 && slot < 48) || slot == 49) slot = index % 29;  // the mix's alias places
  }
  if (slot < 29) {
    w.line(depth, "<colorItem>");
    common(w, depth + 1, id, name);
    w.element(depth + 1, "profile", kProfiles[index % 3]);
    const bool dark = slot % 3 == 0, highContrast = slot % 7 == 0;
    if (dark && highContrast)
      w.element(depth + 1, "appearance", "lightDarkHighContrast");
    else if (dark)
      w.element(depth + 1, "appearance", "lightanddark");
    else if (highContrast)
      w.element(depth + 1, "appearance", "highContrast");
    colorValue(w, depth + 1, dark, highContrast);
    w.line(depth, "</colorItem>");
    made.colors.push_back(id);
  } else if (slot == 29) {
    w.line(depth, "<colorSet>");
    common(w, depth + 1, id, name);
    for (const auto& [key, value] : {std::pair{"profile", "DisplayP3"},
                                     {"steps", "5"},
                                     {"interpolation", "3"},
                                     {"curve", "1"},
                                     {"curveAmount", "1.0"},
                                     {"type", "1"},
                                     {"middle", "0.5"},
                                     {"naming", "2"}})
      w.element(depth + 1, key, value);
    w.line(depth + 1, "<colors>");
    for (int step = 0; step < 5; ++step) colorValue(w, depth + 2, false, false);
    w.line(depth + 1, "</colors>");
    w.line(depth, "</colorSet>");
  } else if (slot < 35) {
    w.line(depth, "<numberItem>");
    common(w, depth + 1, id, name);
    singleValue(w, depth + 1, "number", std::to_string(index % 97) + ".5");
    w.line(depth, "</numberItem>");
    made.numbers.push_back(id);
  } else if (slot < 40) {
    w.line(depth, "<booleanItem>");
    common(w, depth + 1, id, name);
    singleValue(w, depth + 1, "boolean", index % 2 ? "true" : "false");
    w.line(depth, "</booleanItem>");
    made.booleans.push_back(id);
  } else if (slot < 45) {
    w.line(depth, "<stringItem>");
    common(w, depth + 1, id, name);
    singleValue(w, depth + 1, "string", "Text value " + std::to_string(index));
    w.line(depth, "</stringItem>");
    made.strings.push_back(id);
  } else if (slot < 48) {
    w.line(depth, "<alias>");
    common(w, depth + 1, id, name);
    w.element(depth + 1, "type", "1");
    w.element(depth + 1, "referencedItemId", made.colors[index % made.colors.size()]);
    w.line(depth, "</alias>");
  } else if (slot == 48) {
    w.line(depth, "<shadowItem>");
    common(w, depth + 1, id, name);
    w.element(depth + 1, "profile", "sRGB");
    w.line(depth + 1, "<shadow>");
    w.line(depth + 2, "<variants>");
    w.line(depth + 3, "<variant>");
    w.line(depth + 4, "<shadowDetails>");
    for (const char* key : {"x", "y", "blur", "spread"})
      w.element(depth + 5, key, std::to_string(index % 13));
    w.element(depth + 5, "colorRgba", "0 0 0 0.25");
    w.line(depth + 4, "</shadowDetails>");
    w.line(depth + 3, "</variant>");
    w.line(depth + 2, "</variants>");
    w.line(depth + 1, "</shadow>");
    w.line(depth, "</shadowItem>");
  } else {
    const bool numberAlias = index % 100 < 50;
    const char* element = numberAlias ? "numberAlias" : "stringAlias";
    const auto& targets = numberAlias ? made.numbers : made.strings;
    w.line(depth, std::string("<") + element + ">");
    common(w, depth + 1, id, name);
    w.element(depth + 1, "type", "2");
    w.element(depth + 1, "referencedItemId", targets[index % targets.size()]);
    w.line(depth, std::string("</") + element + ">");
  }
}

}  // namespace

std::string generateDocument(const DocumentShape& shape) {
  Writer w(shape.seed);
  // About 330 bytes per item; reserving avoids growing through copies.
  w.text.reserve(shape.itemCount * 360 + 1024);
  w.line(0, "<?xml version=\"1.0\" encoding=\"UTF-8\"?>");
  w.line(0, "<tavlo xmlns=\"https://tavlo.example/tavlo\">");
  w.line(1, "<project>");
  w.line(2, "<header>");
  w.element(3, "version", "1.6");
  w.element(3, "description", "Generated document");
  w.line(2, "</header>");
  w.line(2, "<settings>");
  w.line(3, "<setting>");
  w.element(4, "key", "DisplayMode");
  w.element(4, "value", "group");
  w.line(3, "</setting>");
  w.line(2, "</settings>");
  w.line(2, "<colorItems>");

  Made made;
  std::size_t index = 0;
  std::size_t section = 0;
  if (shape.itemsPerGroup == 0) {
    for (; index < shape.itemCount; ++index) item(w, 3, index, shape, made);
  }
  while (index < shape.itemCount) {
    w.line(3, "<group>");
    common(w, 4, w.uuid(), "Section " + std::to_string(section++));
    w.element(4, "expanded", "1");
    for (std::size_t g = 0; g < shape.groupsPerSection && index < shape.itemCount; ++g) {
      w.line(4, "<group>");
      common(w, 5, w.uuid(), "Group " + std::to_string(g));
      for (std::size_t i = 0; i < shape.itemsPerGroup && index < shape.itemCount; ++i, ++index)
        item(w, 5, index, shape, made);
      w.line(4, "</group>");
    }
    w.line(3, "</group>");
  }

  w.line(2, "</colorItems>");
  w.line(2, "<buildGroups/>");
  w.line(2, "<testGroups/>");
  w.line(1, "</project>");
  w.line(0, "</tavlo>");
  return std::move(w.text);
}

}  // namespace tavlo::bench
