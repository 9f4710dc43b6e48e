// Android resources, Compose, Swift, asset catalogues and shader constants,
// each checked by what reads it: Android's name rules on the parsed XML, the
// GLSL compiler on a shader using every constant, the catalogue's JSON
// layout. No Kotlin or Swift compiler runs here, so those files get a
// structural check of every line.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <map>
#include <regex>
#include <set>

#include "TavloExport/ExportTestSupport.h"
#include "TavloExport/Identifiers.h"
#include "xmltree/XML.h"

namespace tavlo::exports {
namespace {

using FT = BuildFileType;

std::string variants(const std::string& tag,
                     std::initializer_list<std::pair<std::string, std::string>> list) {
  std::string text = "<variants>";
  for (const auto& [type, value] : list) text += exporttest::variant(value, type, tag);
  return text + "</variants>";
}

std::string number(std::string_view id, std::string_view name, std::string_view value) {
  return "<numberItem><id>" + std::string(id) + "</id><name>" + std::string(name) + "</name><number>" +
         variants("value", {{"", std::string(value)}}) + "</number></numberItem>";
}

// Every kind, every appearance, a colour beyond sRGB, an alias, a text that
// needs escaping, and names that languages reserve.
std::string fixtureItems() {
  std::string items =
      "<colorItem><id>C1</id><name>Brand "
      "primary</name><profile>sRGB</profile><appearance>lightanddark</appearance>"
      "<color>" +
      variants("rgba", {{"", "0 0.5 1 1"}, {"dark", "0.2 0.6 1 1"}}) +
      "</color></colorItem>"
      "<colorItem><id>C2</id><name>Wide red</name><profile>DisplayP3</profile><color>" +
      variants("rgba", {{"", "1 0 0 1"}}) +
      "</color></colorItem>"
      "<colorItem><id>C3</id><name>Surface</name><profile>sRGB</profile>"
      "<appearance>lightDarkHighContrast</appearance><color>" +
      variants("rgba", {{"", "1 1 1 1"},
                        {"dark", "0 0 0 1"},
                        {"highContrast", "0.9 0.9 0.9 1"},
                        {"darkHighContrast", "0.1 0.1 0.1 1"}}) +
      "</color></colorItem>"
      "<alias><id>A1</id><name>Accent</name><type>1</type><referencedItemId>C1</referencedItemId></alias>"
      "<numberItem><id>N1</id><name>Corner radius</name><appearance>lightanddark</appearance><number>" +
      variants("value", {{"", "8"}, {"dark", "10.5"}}) +
      "</number></numberItem>"
      "<booleanItem><id>B1</id><name>Compact</name><boolean>" +
      variants("value", {{"", "true"}}) +
      "</boolean></booleanItem>"
      "<stringItem><id>S1</id><name>Greeting</name><string>" +
      variants("value", {{"", "It's \"50%\" off @home &lt;b&gt; &amp; \\ $x"}}) +
      "</string></stringItem>"
      "<shadowItem><id>H1</id><name>Card</name><profile>sRGB</"
      "profile><shadow><variants><variant><shadowDetails>"
      "<x>0</x><y>8</y><blur>8</blur><spread>0</spread><colorRgba>0 0 0 0.3</colorRgba></shadowDetails>"
      "</variant></variants></shadow></shadowItem>";
  int id = 0;
  for (std::string_view name :
       {"class", "2 columns", "vec4", "gl_Position", "sampler2D", "sin", "a__b", "main", "webgl_x", "Größe",
        "in", "Type", "val", "constant", "float4", "int", "½ step"})
    items += number("R" + std::to_string(id++), name, "1");
  return items;
}

// A task's files by path, all paths and contents in one text, its error
// lines and all its diagnostics' lines.
struct Output {
  std::map<std::string, std::string> files;
  std::string all, errors, messages;
};

// The items inside a group linked to the build group, and one task of TYPE.
Output exportItems(const std::string& items, FT type, const std::string& folder = "out",
                   const std::string& fileName = "Tokens",
                   BuildNameTransform transform = BuildNameTransform::none) {
  std::string task = exporttest::task("T", static_cast<int>(rawValue(type)),
                                      static_cast<int>(rawValue(transform)), fileName);
  task.replace(task.find("<folder>out</folder>"), 20, "<folder>" + folder + "</folder>");
  auto project = exporttest::readDocument(exporttest::document(
      "<group><id>G0</id><name>Theme</name><buildGroupId>G</buildGroupId>" + items + "</group>", task));
  EXPECT_TRUE(project);
  if (!project) return {};
  exporttest::TaskRun run = exporttest::runTask(*project, "T", "/work/doc.tavlo");
  Output output{{}, {}, run.errors(), {}};
  for (const auto& entry : run.diagnostics.entries()) output.messages += entry.message + "\n";
  for (auto& file : run.files) output.all += file.path + "\n" + file.bytes;
  for (auto& file : run.files) output.files[file.path] = std::move(file.bytes);
  return output;
}

std::vector<std::string> lines(const std::string& text) {
  std::vector<std::string> result;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) result.push_back(line);
  return result;
}

// ASCII letters, digits and '_', not starting with a digit; bytes of other
// characters count as letters where the language takes Unicode.
bool isIdentifier(std::string_view name, bool unicode) {
  if (name.size() >= 2 && name.front() == '`' && name.back() == '`') name = name.substr(1, name.size() - 2);
  if (name.empty() || (name[0] >= '0' && name[0] <= '9')) return false;
  for (unsigned char c : name)
    if (!(std::isalnum(c) || c == '_' || (unicode && c >= 0x80))) return false;
  return true;
}

// Braces balance outside string literals.
bool bracesBalance(const std::string& text) {
  int depth = 0;
  bool inString = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (inString) {
      if (c == '\\')
        ++i;
      else if (c == '"')
        inString = false;
    } else if (c == '"') {
      inString = true;
    } else if (c == '{') {
      ++depth;
    } else if (c == '}' && --depth < 0) {
      return false;
    }
  }
  return depth == 0 && !inString;
}

// Whether a name is legal is checked on the files below; these rows fix
// the spellings that legality alone leaves open.
TEST(PlatformNames, EachLanguageMapsNamesByItsOwnRules) {
  using L = IdentifierLanguage;
  struct Case {
    std::string name;
    L language;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {"Brand-Primary 2", L::androidResource, "brand_primary_2"},
      {"Größe", L::androidResource, "grosse"},
      {"---", L::androidResource, ""},
      {"Größe 2", L::kotlin, "Größe_2"},
      {"½ step", L::swift, "_step"},
      {"a__b", L::glsl, "a_b"},
      {"imageTint", L::glsl, "imageTint"},
      {std::string(1025, 'a'), L::glsl, ""},
      {"_private", L::metal, "v_private"},
      {"maximum", L::metal, "maximum"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name.substr(0, 20) + " in " + std::string(languageName(c.language)));
    EXPECT_EQ(identifierFor(c.name, c.language), c.expected);
  }
}

// Two items a target cannot tell apart are reported and only the first is
// written: WRITTEN shows once when the names meet, twice when they do not.
TEST(ExportNames, NamesThatMeetAreReportedNotMerged) {
  using NT = BuildNameTransform;
  struct Case {
    FT type;
    NT transform;
    std::string_view first, second;
    std::string_view written;
    std::size_t count;
    bool secondIsNumber = false;
  };
  const std::vector<Case> cases = {
      {FT::css, NT::kebabCase, "Brand-Blue", "Brand-Blue", "--brand-blue:", 1},
      {FT::css, NT::none, "Brand-Blue", "Brand_Blue", "--Brand", 2},
      {FT::scss, NT::none, "Brand-Blue", "Brand_Blue", "$Brand", 1},  // '-' and '_' read as one
      {FT::less, NT::none, "Brand-Blue", "Brand_Blue", "@Brand", 2},
      {FT::jsonDesignToken, NT::none, "Brand-Blue", "Brand.Blue", "\"Brand-Blue\"", 1},  // '.' becomes '-'
      {FT::androidResource, NT::none, "Brand-Primary", "brand primary", "\"brand_primary\"", 1},
      // Android keeps colours and numbers apart.
      {FT::androidResource, NT::none, "Ink", "ink", "\"ink\"", 2, true},
      {FT::androidCompose, NT::none, "a-b", "a b", "val a_b ", 1},
      {FT::swiftUIEnum, NT::none, "a-b", "a b", "static let a_b ", 1},
      {FT::gl, NT::none, "a-b", "a b", " a_b =", 1},
      {FT::metal, NT::none, "a-b", "a b", " a_b =", 1},
      {FT::assetCatalog, NT::none, "Blue", "blue", "colorset/Contents.json", 1},
  };
  auto colour = [](const char* id, std::string_view name) {
    return exporttest::color(id, std::string(name), exporttest::variant("1 0 0 1"));
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.second) + " in " + std::string(displayName(c.type)));
    const Output out = exportItems(
        colour("A", c.first) + (c.secondIsNumber ? number("B", c.second, "2") : colour("B", c.second)),
        c.type, "out", "Tokens", c.transform);
    std::size_t count = 0;
    for (auto at = out.all.find(c.written); at != std::string::npos; at = out.all.find(c.written, at + 1))
      ++count;
    EXPECT_EQ(count, c.count) << out.all;
    if (c.count == 1) {
      EXPECT_NE(out.errors.find(std::string(c.first)), std::string::npos) << out.errors;
      EXPECT_NE(out.errors.find(std::string(c.second)), std::string::npos) << out.errors;
    } else {
      EXPECT_EQ(out.errors, "");
    }
  }
}

// Design-token names nest by namespace: a token cannot also be a group, in
// either order, and a name with '$' in front or '{' inside is rewritten.
TEST(ExportNames, DesignTokenNamesThatClashWithGroupsAreReported) {
  auto colour = [](const char* id, std::string_view name) {
    return exporttest::color(id, std::string(name), exporttest::variant("1 0 0 1"));
  };
  auto brandGroup =
      "<group><id>N</id><name>Brand</name><namespace>1</namespace>" + colour("B", "Blue") + "</group>";
  struct Case {
    std::string items;
    std::string_view message, kept;
  };
  const Case cases[] = {
      {colour("A", "Brand") + brandGroup, "'Brand / Blue' lies inside the token 'Brand'",
       "\"Brand\": {\n    \"$type"},
      {brandGroup + colour("A", "Brand"), "'Brand' has the name of a group of tokens, 'Brand'", "\"Blue\""},
      {colour("A", "$ref{x}"), "'$ref{x}' is written as '-ref-x-'", "\"-ref-x-\""},
  };
  for (const auto& c : cases) {
    const Output out = exportItems(c.items, FT::jsonDesignToken);
    EXPECT_NE(out.messages.find(c.message), std::string::npos) << out.messages;
    EXPECT_NE(out.files.at("out/Tokens.json").find(c.kept), std::string::npos) << out.all;
  }
}

// A colour is reported wherever the notation cannot hold it, and only there.
TEST(PlatformFiles, ColoursBeyondTheNotationAreReported) {
  const std::string items = "<colorItem><id>C</id><name>Hot</name><profile>extendedSRGB</profile><color>" +
                            variants("rgba", {{"", "9 0.5 -0.25 1"}}) + "</color></colorItem>";
  const std::map<FT, std::string_view> written = {
      {FT::androidResource, "#FFFF8000"},
      {FT::androidCompose, "Color(7.5f, 0.5f, -0.25f, 1f, ColorSpaces.ExtendedSrgb)"},
      {FT::swiftUIKitEnum, "UIColor(red: 9, green: 0.5, blue: -0.25, alpha: 1)"},
      {FT::gl, "vec4(9.0, 0.5, -0.25, 1.0)"},
      {FT::assetCatalog, "\"red\": \"9.0000\""},
  };
  for (const auto& [type, text] : written) {
    SCOPED_TRACE(std::string(displayName(type)));
    const Output out = exportItems(items, type);
    EXPECT_NE(out.all.find(text), std::string::npos) << out.all;
    EXPECT_EQ(out.messages.find("'Hot'") != std::string::npos,
              type == FT::androidResource || type == FT::androidCompose);
  }
}

TEST(PlatformFiles, StartWithAGeneratedNoticeAndRepeatByteForByte) {
  for (FT type : {FT::androidResource, FT::androidCompose, FT::swiftUIEnum, FT::swiftUIKitEnum,
                  FT::swiftAppKitEnum, FT::gl, FT::metal}) {
    SCOPED_TRACE(std::string(displayName(type)));
    const Output first = exportItems(fixtureItems(), type);
    EXPECT_EQ(first.files, exportItems(fixtureItems(), type).files);
    const std::string notice = type == FT::androidResource ? "<!-- Generated" : "// Generated";
    for (const auto& [path, bytes] : first.files) EXPECT_EQ(bytes.rfind(notice, 0), 0u) << path;
    EXPECT_EQ(first.errors, "");
  }
}

// Android's rules for value resource names: a Java identifier in lower case.
bool isAndroidResourceName(const std::string& name) {
  static const std::regex rule("[a-z][a-z0-9_]*");
  static const std::set<std::string> javaWords{"class", "int",  "float", "new",
                                               "this",  "true", "false", "null"};
  return std::regex_match(name, rule) && !javaWords.count(name);
}

struct AndroidResource {
  std::string element, type, value;
};
using Resources = std::map<std::string, AndroidResource>;

Resources parseResources(const std::string& bytes) {
  Resources resources;
  auto root = xmltree::XML::fromData(bytes);
  EXPECT_TRUE(root) << bytes;
  if (!root) return resources;
  EXPECT_EQ(root->xmlName(), "resources");
  for (const auto& child : root->xmlChildren()) {
    const auto& attributes = child->xmlAttributes();
    const std::string name = attributes.count("name") ? attributes.at("name") : "";
    EXPECT_TRUE(isAndroidResourceName(name)) << name;
    EXPECT_EQ(resources.count(name), 0u) << name;
    resources[name] = {child->xmlName(), attributes.count("type") ? attributes.at("type") : "",
                       child->xmlValue().value_or("")};
  }
  return resources;
}

TEST(AndroidResources, ParseWithValidNamesAndPutDarkValuesInValuesNight) {
  const Output out = exportItems(fixtureItems(), FT::androidResource, "app/src/main/res/values/", "tokens",
                                 BuildNameTransform::snakeCase);
  ASSERT_EQ(out.files.size(), 2u);
  const Resources day = parseResources(out.files.at("app/src/main/res/values/tokens.xml"));
  const Resources night = parseResources(out.files.at("app/src/main/res/values-night/tokens.xml"));

  EXPECT_EQ(day.at("brand_primary").value, "#FF0080FF");
  EXPECT_EQ(night.at("brand_primary").value, "#FF3399FF");
  EXPECT_EQ(day.at("wide_red").value, "#FFFF0000");  // clipped, and reported
  EXPECT_EQ(day.at("surface").value, "#FFFFFFFF");
  EXPECT_EQ(day.at("high_contrast_surface").value, "#FFE6E6E6");
  EXPECT_EQ(night.at("surface").value, "#FF000000");
  EXPECT_EQ(night.at("high_contrast_surface").value, "#FF1A1A1A");
  EXPECT_EQ(day.at("accent").value, "#FF0080FF");  // its dark value is not the target's
  EXPECT_EQ(day.at("corner_radius").element, "item");
  EXPECT_EQ(day.at("corner_radius").type, "dimen");
  EXPECT_EQ(night.at("corner_radius").value, "10.5");
  EXPECT_EQ(day.at("compact").value, "true");
  EXPECT_EQ(night.count("compact"), 0u);  // the same in the dark
  EXPECT_EQ(day.at("greeting").value, "It\\'s \\\"50%\\\" off @home <b> & \\\\ $x");
  EXPECT_EQ(day.count("card"), 0u);
  EXPECT_EQ(day.at("class_").value, "1");

  EXPECT_NE(out.messages.find("Wide red"), std::string::npos);  // the clip is a warning, not an error
  EXPECT_EQ(out.errors, "");

  // Anywhere else every variant is a resource of its own.
  const Output flat =
      exportItems(fixtureItems(), FT::androidResource, "res/raw", "tokens", BuildNameTransform::snakeCase);
  ASSERT_EQ(flat.files.size(), 1u);
  const Resources all = parseResources(flat.files.begin()->second);
  EXPECT_EQ(all.at("dark_brand_primary").value, "#FF3399FF");
  EXPECT_EQ(all.at("dark_high_contrast_surface").value, "#FF1A1A1A");
  EXPECT_EQ(all.at("high_contrast_surface").value, "#FFE6E6E6");
  EXPECT_EQ(all.at("accent").value, "@color/brand_primary");  // the same value as its target here
}

// The GLSL file inside a fragment shader that reads every constant, for
// OpenGL ES 3 and desktop OpenGL.
TEST(ShaderConstants, GLSLCompilesInsideAShaderUsingEveryConstant) {
  if (!exporttest::haveProgram("glslangValidator"))
    GTEST_SKIP() << "glslangValidator is not installed (Debian: glslang-tools)";
  const Output out = exportItems(fixtureItems(), FT::gl);
  ASSERT_EQ(out.files.size(), 1u);
  const std::string& constants = out.files.begin()->second;
  std::string uses;
  static const std::regex declaration(R"(const (vec4|float|bool) (\w+) = .*;.*)");
  for (const auto& line : lines(constants)) {
    std::smatch match;
    if (!std::regex_match(line, match, declaration)) {
      EXPECT_TRUE(line.empty() || line.rfind("//", 0) == 0) << line;
      continue;
    }
    const std::string name = match[2];
    if (match[1] == "vec4") uses += "  sum += " + name + ";\n";
    if (match[1] == "float") uses += "  sum += vec4(" + name + ");\n";
    if (match[1] == "bool") uses += "  sum += vec4(" + name + " ? 1.0 : 0.0);\n";
  }
  EXPECT_NE(constants.find("const vec4 Accent = Brand_primary;"), std::string::npos) << constants;
  const exporttest::Scratch folder;
  for (std::string_view version : {"#version 300 es\nprecision highp float;\n", "#version 330 core\n"}) {
    SCOPED_TRACE(std::string(version));
    const std::string shader = std::string(version) + constants + "out vec4 fragColor;\nvoid main() {\n" +
                               "  vec4 sum = vec4(0.0);\n" + uses + "  fragColor = sum;\n}\n";
    exporttest::spit(folder / "tokens.frag", shader);
    const auto run = exporttest::runCommand("glslangValidator '" + (folder / "tokens.frag").string() + "'");
    EXPECT_EQ(run.status, 0) << run.out << shader;
  }
}

// What a Kotlin, Swift or Metal compiler would first complain about:
// unbalanced braces, a line that is no declaration of the form the file type
// uses, a name that is no identifier or a keyword left bare.
TEST(LanguageConstants, KotlinSwiftAndMetalLinesAreWellFormed) {
  const std::string ident = R"((`?[A-Za-z_\x80-\xff][A-Za-z0-9_\x80-\xff]*`?))";
  const std::string literal = R"((-?[0-9.e+]+|true|false|"([^"\\]|\\.)*"))";
  const std::set<std::string> kotlinWords{"class", "in", "val", "object"},
      swiftWords{"class", "in", "Type", "let"}, metalWords{"constant", "float4", "int"};
  struct Case {
    FT type;
    std::string declaration;  // its first group is the name
    const std::set<std::string>& keywords;
  };
  const std::vector<Case> cases = {
      {FT::androidCompose,
       "    val " + ident +
           " = (Color\\(0x[0-9A-F]{8}\\)|Color\\((-?[0-9.e+]+f, "
           "){4}ColorSpaces\\.(DisplayP3|ExtendedSrgb)\\)|-?[0-9.e+]+f|" +
           literal + "|" + ident + ")",
       kotlinWords},
      {FT::swiftUIEnum,
       "    static let " + ident + "(: CGFloat)? = (Color\\((\\.displayP3, )?red: .*, opacity: [0-9.]+\\)|" +
           literal + "|" + ident + ")",
       swiftWords},
      {FT::swiftUIKitEnum,
       "    static let " + ident + "(: CGFloat)? = (UIColor\\((red|displayP3Red): .*, alpha: [0-9.]+\\)|" +
           literal + "|" + ident + ")",
       swiftWords},
      {FT::swiftAppKitEnum,
       "    static let " + ident + "(: CGFloat)? = (NSColor\\((red|displayP3Red): .*, alpha: [0-9.]+\\)|" +
           literal + "|" + ident + ")",
       swiftWords},
      {FT::metal,
       R"(constant (?=\w+ (\w+) )(float4 \w+ = float4\((-?[0-9.e+]+f, ){3}-?[0-9.e+]+f\)|)"
       R"(float \w+ = -?[0-9.e+]+f|bool \w+ = (true|false));(  // .*)?)",
       metalWords},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(displayName(c.type)));
    const Output out = exportItems(fixtureItems(), c.type, "app/src/main/java/com/example/theme");
    ASSERT_EQ(out.files.size(), 1u);
    const std::string& text = out.files.begin()->second;
    EXPECT_TRUE(bracesBalance(text)) << text;
    const std::regex declaration(c.declaration);
    std::size_t declared = 0;
    bool inBody = c.type == FT::metal;  // Metal's constants stand at the top level
    for (const auto& line : lines(text)) {
      if (line.find(" {") != std::string::npos &&
          (line.rfind("enum ", 0) == 0 || line.rfind("object ", 0) == 0)) {
        inBody = true;
        EXPECT_TRUE(
            isIdentifier(line.substr(line.find(' ') + 1, line.find(" {") - line.find(' ') - 1), false))
            << line;
        continue;
      }
      const std::size_t start = line.find_first_not_of(' ');
      if (!inBody || start == std::string::npos || line == "}" || line.compare(start, 2, "//") == 0 ||
          line[0] == '#')
        continue;
      std::smatch match;
      ASSERT_TRUE(std::regex_match(line, match, declaration)) << line;
      const std::string name = match[1];
      EXPECT_TRUE(isIdentifier(name, true)) << name;
      EXPECT_FALSE(c.keywords.count(name)) << "keyword left bare: " << line;
      ++declared;
    }
    // Colours with 2 + 1 + 4 + 1 variants, a number with 2, a boolean, the
    // text (which Metal has no type for) and the reserved-name numbers.
    EXPECT_EQ(declared, 8u + 2u + 1u + (c.type == FT::metal ? 0u : 1u) + 17u);
    if (c.type == FT::androidCompose) {
      EXPECT_NE(text.find("\npackage com.example.theme\n"), std::string::npos);
      EXPECT_NE(text.find("val Wide_red = Color(1f, 0f, 0f, 1f, ColorSpaces.DisplayP3)"), std::string::npos);
      EXPECT_NE(text.find("val Accent = Brand_primary\n"), std::string::npos);
      EXPECT_NE(text.find(R"("It's \"50%\" off @home <b> & \\ \$x")"), std::string::npos);
    }
  }
}

TEST(AssetCatalog, OneColourSetPerColourWithItsFourAppearances) {
  using nlohmann::json;
  const Output out = exportItems(fixtureItems(), FT::assetCatalog, "ios", "Colors");
  const std::string root = "ios/Colors.xcassets/";
  std::set<std::string> paths;
  for (const auto& [path, bytes] : out.files) paths.insert(path);
  EXPECT_EQ(paths, (std::set<std::string>{
                       root + "Contents.json", root + "Brand primary.colorset/Contents.json",
                       root + "Wide red.colorset/Contents.json", root + "Surface.colorset/Contents.json",
                       root + "Accent.colorset/Contents.json"}));
  EXPECT_EQ(json::parse(out.files.at(root + "Contents.json"))["info"]["version"], 1);

  static const std::regex componentText(R"(-?[0-9]+\.[0-9]+)");
  // The appearance sets each entry is for, and its red component.
  using Entries = std::vector<std::pair<std::set<std::string>, std::string>>;
  auto entries = [&](const std::string& name, std::string* space = nullptr) {
    const json set = json::parse(out.files.at(root + name + ".colorset/Contents.json"));
    Entries result;
    for (const auto& entry : set.at("colors")) {
      EXPECT_EQ(entry.at("idiom"), "universal");
      std::set<std::string> appearances;
      if (entry.contains("appearances"))
        for (const auto& a : entry["appearances"])
          appearances.insert(a.at("appearance").get<std::string>() + "=" + a.at("value").get<std::string>());
      for (const auto& [key, value] : entry.at("color").at("components").items())
        EXPECT_TRUE(std::regex_match(value.get<std::string>(), componentText)) << key << " " << value;
      if (space) *space = entry.at("color").at("color-space");
      result.emplace_back(appearances, entry.at("color").at("components").at("red"));
    }
    return result;
  };
  EXPECT_EQ(entries("Surface"), (Entries{{{}, "1.0000"},
                                         {{"luminosity=dark"}, "0.0000"},
                                         {{"contrast=high"}, "0.9000"},
                                         {{"luminosity=dark", "contrast=high"}, "0.1000"}}));
  std::string space;
  EXPECT_EQ(entries("Wide red", &space), (Entries{{{}, "1.0000"}}));
  EXPECT_EQ(space, "display-p3");
  // An alias without a dark value of its own looks the same in every appearance.
  EXPECT_EQ(entries("Accent"), (Entries{{{}, "0.0000"}}));
}

}  // namespace
}  // namespace tavlo::exports
