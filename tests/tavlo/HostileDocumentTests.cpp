// Documents arrive from anywhere: a file manager runs `tavlo thumbnail` on
// every file it comes across. Each hostile document here, made by the test or
// kept from the fuzzers, is handed to every subcommand that reads documents;
// none may crash, hang, load anything from outside or touch the input, and
// each must end with the documented status (0 for everything the reader falls
// back on, 1 for a file that cannot be read).
#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <functional>

#include "ToolSupport.h"

namespace {

using namespace tooltest;
using namespace std::chrono_literals;

// A run that takes longer than this is taken for a hang and killed. The
// sanitizers slow the tool down several times over.
#ifdef TAVLO_UNDER_SANITIZER
constexpr auto hangLimit = 90s;
#else
constexpr auto hangLimit = 20s;
#endif

// ---------------------------------------------------------------------------
// The documents

std::string repeat(std::string_view piece, std::size_t count) {
  std::string text;
  text.reserve(piece.size() * count);
  for (std::size_t i = 0; i < count; ++i) text += piece;
  return text;
}

constexpr std::string_view declaration = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";

std::string documentWithItems(const std::string& items, const std::string& doctype = "") {
  return std::string(declaration) + doctype +
         "<tavlo xmlns=\"https://tavlo.example/tavlo\"><project>"
         "<header><version>1.6</version><description>hostile</description></header>"
         "<colorItems>" +
         items + "</colorItems></project></tavlo>\n";
}

std::string el(const std::string& name, const std::string& text) {
  return "<" + name + ">" + text + "</" + name + ">";
}

std::string variants(const std::string& inner) {
  return "<variants><variant>" + inner + "</variant></variants>";
}

std::string colorItem(const std::string& id, const std::string& rgba, const std::string& autoContrast = "0") {
  return "<colorItem>" + el("id", id) + el("name", "colour " + id) + el("profile", "sRGB") +
         el("autoContrast", autoContrast) + el("appearance", "lightanddark") + "<color><variants><variant>" +
         el("rgba", rgba) + "</variant><variant type=\"dark\">" + el("rgba", rgba) +
         "</variant></variants></color></colorItem>";
}

std::string shadowDetails(const std::string& n) {
  return "<shadowDetails>" + el("x", n) + el("y", n) + el("blur", n) + el("spread", n) +
         el("colorRgba", "0 0 0 " + n) + "</shadowDetails>";
}

std::string rampParameters(const std::string& n) {
  std::string text = el("profile", "sRGB");
  for (const char* field : {"steps", "interpolation", "curve", "curveAmount", "type", "middle", "naming"})
    text += el(field, n);
  return text;
}

// Every numeric field of every kind of item, set to `n`.
std::string itemsWithEveryNumber(const std::string& n, int serial) {
  const std::string id = "N" + std::to_string(serial);
  std::string items = colorItem(id + "-color", n + " " + n + " " + n + " " + n, n);
  items += "<numberItem>" + el("id", id + "-number") + el("name", n) + el("min", n) + el("max", n) +
           el("steps", n) + el("autoContrast", n) + "<number>" + variants(el("value", n)) +
           "</number></numberItem>";
  items +=
      "<colorSet>" + el("id", id + "-set") + el("name", n) + rampParameters(n) + "<colors>" +
      repeat("<color><name>" + n + "</name>" + variants(el("rgba", n + " 0 " + n + " 1")) + "</color>", 3) +
      "</colors></colorSet>";
  items += "<shadowItem>" + el("id", id + "-shadow") + el("name", n) + el("profile", "sRGB") +
           el("autoContrast", n) + "<shadow>" + variants(shadowDetails(n)) + "</shadow></shadowItem>";
  items += "<shadowSet>" + el("id", id + "-shadows") + el("name", n) + rampParameters(n) + "<shadows>" +
           repeat("<shadow><name>s</name>" + variants(shadowDetails(n)) + "</shadow>", 2) +
           "</shadows></shadowSet>";
  for (const std::string alias : {"alias", "shadowAlias"}) {
    const std::string target = id + (alias == "alias" ? "-set" : "-shadows");
    items += "<" + alias + ">" + el("id", id + "-" + alias) + el("name", n) + el("type", "3") +
             el("referencedItemId", target) + el("subIndex", n) + el("typeDark", n) +
             el("referencedItemIdDark", target) + el("subIndexDark", n) + "</" + alias + ">";
  }
  return items + "<numberAlias>" + el("id", id + "-numberAlias") + el("name", n) + el("type", n) +
         el("referencedItemId", id + "-number") + "</numberAlias>";
}

std::string everyNumberHostile() {
  std::string items;
  int serial = 0;
  for (const char* n :
       {"nan", "NaN", "-nan", "inf", "-inf", "infinity", "1e308", "-1e308", "1e309", "4.9e-324", "-0",
        "1e-320", "99999999999999999999999", "-9223372036854775809", "2147483648", "-2147483649", "0x10", ""})
    items += itemsWithEveryNumber(n, serial++);
  return documentWithItems(items);
}

// The document in UTF-16, its declaration saying so (a declaration that
// names another encoding than the bytes is not well formed).
std::string toUtf16(std::string ascii, bool littleEndian, bool withBom) {
  ascii.replace(ascii.find("UTF-8"), 5, "UTF-16");
  std::string out = withBom ? (littleEndian ? "\xFF\xFE" : "\xFE\xFF") : "";
  for (char c : ascii) out += littleEndian ? std::string{c, '\0'} : std::string{'\0', c};
  return out;
}

// A document whose only group is named `name`, after `entities` declared in
// its internal subset.
std::string withEntities(const std::string& entities, const std::string& name) {
  return documentWithItems(el("group", el("name", name)), "<!DOCTYPE tavlo [\n" + entities + "]>\n");
}

// The entity declarations of the classic expansion attacks.
std::string billionLaughs() {
  std::string entities = "<!ENTITY lol0 \"lol\">\n";
  for (int i = 1; i <= 9; ++i)
    entities += "<!ENTITY lol" + std::to_string(i) + " \"" +
                repeat("&lol" + std::to_string(i - 1) + ";", 10) + "\">\n";
  return withEntities(entities, "&lol9;");
}

std::string externalEntity(const std::string& systemId) {
  return withEntities(
      "<!ENTITY ext SYSTEM \"" + systemId + "\">\n<!ENTITY % pe SYSTEM \"" + systemId + "\">\n%pe;\n",
      "&ext;");
}

std::string nested(std::size_t depth) {
  return std::string(declaration) + "<tavlo><project><colorItems>" + repeat("<group>", depth) +
         repeat("</group>", depth) + "</colorItems></project></tavlo>\n";
}

std::string manyAttributes(int count) {
  std::string attributes;
  for (int i = 0; i < count; ++i) attributes += " a" + std::to_string(i) + "=\"" + std::to_string(i) + "\"";
  return documentWithItems("<group" + attributes + "><name>attributes</name></group>");
}

std::string hugeText(std::size_t bytes) {
  return documentWithItems("<stringItem><id>big</id><name>big</name><string>" +
                           variants(el("value", repeat("All work and no play. ", bytes / 22))) +
                           "</string></stringItem>");
}

std::string alias(const std::string& kind, const std::string& id, const std::string& type,
                  const std::string& target) {
  return "<" + kind + ">" + el("id", id) + el("name", "alias " + id) + el("type", type) +
         el("referencedItemId", target) + el("typeDark", type) + el("referencedItemIdDark", target) +
         el("appearance", "lightanddark") + "</" + kind + ">";
}

// Ramps with no members, or no list of them, and aliases into them.
std::string emptyRamps() {
  const std::string ramp = rampParameters("1");
  return documentWithItems("<colorSet><id>cs</id><name>no colours</name>" + ramp + "<colors/></colorSet>" +
                           "<shadowSet><id>ss</id><name>no shadows</name>" + ramp + "<shadows/></shadowSet>" +
                           "<colorSet><id>cs2</id><name>no list</name>" + ramp + "</colorSet>" +
                           alias("alias", "into-empty", "3", "cs") +
                           alias("shadowAlias", "into-empty-shadows", "3", "ss"));
}

std::string aliasTangle() {
  std::string items = "<group><id>G</id><name>a group</name>" + colorItem("inside", "1 0 0 1") + "</group>";
  for (const std::string k : {"alias", "shadowAlias", "numberAlias", "booleanAlias", "stringAlias"})
    for (const std::string t : {"1", "2", "3"}) {
      items += alias(k, k + "-self-" + t, t, k + "-self-" + t) + alias(k, k + "-group-" + t, t, "G");
      items += alias(k, k + "-a-" + t, t, k + "-b-" + t) + alias(k, k + "-b-" + t, t, k + "-c-" + t) +
               alias(k, k + "-c-" + t, t, k + "-a-" + t);
    }
  // A long ring: each alias points at the next, the last at the first. (Kept
  // short enough that the preview of its tiles is a few bands.)
  constexpr int ring = 300;
  for (int i = 0; i < ring; ++i)
    items += alias("alias", "ring-" + std::to_string(i), "1", "ring-" + std::to_string((i + 1) % ring));
  return documentWithItems(items);
}

std::string smallDocument() {
  return documentWithItems(colorItem("A", "1 0.5 0 1") + "<group><id>G</id><name>Group</name>" +
                           colorItem("B", "0 0 1 1") + "</group>");
}

enum class InputKind { file, directory, fifo, missing };

struct HostileDocument {
  std::string name;
  std::function<std::string()> make = [] { return std::string(); };
  int expectedStatus = 0;
  // Every statistics counter is 0: the document reads as an empty project.
  bool readsAsEmpty = false;
  // A line `stats` must print.
  std::string statsLine{};
  // A text that no output may contain (what an entity would have pulled in).
  std::string leaked{};
  InputKind kind = InputKind::file;
};

// Inputs the fuzzers found, kept as tests/data/hostile/crash-*.tavlo, and the
// sample documents. (The reader fuzz target's round-trip check replays the
// former in the model's tests.)
std::vector<fs::path> keptDocuments() {
  std::vector<fs::path> files;
  for (const fs::path& dir : {fs::path(TAVLO_TEST_DATA) / "hostile", fs::path(TAVLO_SOURCE_DIR) / "examples"})
    for (const auto& entry : fs::directory_iterator(dir))
      if (entry.path().extension() == ".tavlo") files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  return files;
}

const std::vector<HostileDocument>& hostileDocuments() {
  static const std::vector<HostileDocument> documents = [] {
    std::vector<HostileDocument> list = {
        {.name = "empty", .readsAsEmpty = true},
        {.name = "notXml",
         .make = [] { return std::string("colour: orange\n\x01\x02 this is not a document"); },
         .readsAsEmpty = true},
        {.name = "truncated",
         .make = [] { return smallDocument().substr(0, smallDocument().size() / 2); },
         .readsAsEmpty = true},
        {.name = "invalidUtf8",
         .make =
             [] {
               return documentWithItems(colorItem("bad\xFF\xFE\xC0\x80", "1 0 0 1") +
                                        "<group><name>\xED\xA0\x80</name></group>");
             },
         .readsAsEmpty = true},
        {.name = "nulBytes",
         .make = [] { return smallDocument().insert(smallDocument().find("Group"), std::string("\0\0", 2)); },
         .readsAsEmpty = true},
        {.name = "utf16WithBom",
         .make = [] { return toUtf16(smallDocument(), true, true); },
         .statsLine = "colorItemCount: 2"},
        {.name = "utf16WithoutBom",
         .make = [] { return toUtf16(smallDocument(), false, false); },
         .statsLine = "colorItemCount: 2"},
        // Every kind of document type declaration is refused by the parser (its
        // own table has them all); these show the command hands it the bytes as they are.
        {.name = "billionLaughs", .make = billionLaughs, .readsAsEmpty = true, .leaked = "lollol"},
        {.name = "externalEntityFile",
         .make = [] { return externalEntity("file:///etc/passwd"); },
         .readsAsEmpty = true,
         .leaked = "root:"},
        {.name = "nestedAtTheLimit", .make = [] { return nested(253); }, .statsLine = "groupCount: 253"},
        {.name = "nested1mClosed", .make = [] { return nested(1000000); }, .readsAsEmpty = true},
        {.name = "siblingGroups200k",
         .make = [] { return documentWithItems(repeat("<group><name>g</name></group>", 200000)); },
         .statsLine = "groupCount: 200000"},
        {.name = "attributes20k", .make = [] { return manyAttributes(20000); }, .statsLine = "groupCount: 1"},
        {.name = "text50MB", .make = [] { return hugeText(50u << 20); }, .statsLine = "stringCount: 1"},
        {.name = "hostileNumbers", .make = everyNumberHostile},
        {.name = "componentsOf1e308",
         .make =
             [] {
               return documentWithItems(colorItem("big", "1e308 -1e308 1e308 1") +
                                        colorItem("bigAlpha", "0.5 0.5 0.5 -1e308") +
                                        colorItem("allBig", "1e308 1e308 1e308 1e308"));
             },
         .statsLine = "colorItemCount: 3"},
        {.name = "emptyRamps", .make = emptyRamps},
        {.name = "aliasTangle", .make = aliasTangle, .statsLine = "groupCount: 1"},
        {.name = "directory", .expectedStatus = 1, .kind = InputKind::directory},
        {.name = "missingFile", .expectedStatus = 1, .kind = InputKind::missing},
        // A named pipe without a writer reads as an empty document at once.
        {.name = "fifo", .readsAsEmpty = true, .kind = InputKind::fifo},
    };
    for (const fs::path& file : keptDocuments()) {
      std::string name = "kept_" + file.stem().string();
      std::replace_if(
          name.begin(), name.end(), [](char c) { return !std::isalnum(c); }, '_');
      list.push_back({.name = name, .make = [file] { return slurp(file); }});
    }
    return list;
  }();
  return documents;
}

// Each subcommand that reads a document, "@in" standing for the input and
// "@out" for the folder its output goes to.
const std::vector<Args> subcommands = {
    {"stats", "@in"},
    {"dump", "@in"},
    {"fmt", "@in", "-o", "@out/formatted.tavlo"},
    {"preview", "@in", "-o", "@out/preview.png", "--width", "320"},
    {"thumbnail", "-s", "128", "@in", "@out/thumbnail.png"},
    {"lint", "@in"},
};

// `lint` ends with 1 when it finds an error in a document the others read
// with status 0, such as one that is not well formed.
bool statusAsDocumented(const std::string& subcommand, int status, int documented) {
  return status == documented || (subcommand == "lint" && documented == 0 && status == 1);
}

Args argumentsFor(Args pattern, const fs::path& input, const fs::path& out) {
  for (std::string& arg : pattern)
    if (arg == "@in")
      arg = input.string();
    else if (arg.starts_with("@out"))
      arg = out.string() + arg.substr(4);
  return pattern;
}

// ---------------------------------------------------------------------------
// Every document through every subcommand

using HostileCase = std::tuple<std::size_t, std::size_t>;  // document, subcommand

class HostileDocumentTest : public ::testing::TestWithParam<HostileCase> {};

TEST_P(HostileDocumentTest, EndsInTimeWithTheDocumentedStatus) {
  const HostileDocument& document = hostileDocuments()[std::get<0>(GetParam())];
  const Args& command = subcommands[std::get<1>(GetParam())];
  ScratchFolder scratch;
  const fs::path input = scratch / "input.tavlo";
  fs::create_directories(scratch / "out");
  std::string bytes;
  if (document.kind == InputKind::file) spit(input, bytes = document.make());
  if (document.kind == InputKind::directory) fs::create_directories(input);
  ASSERT_TRUE(document.kind != InputKind::fifo || ::mkfifo(input.c_str(), 0644) == 0);

  const ToolRun run = tavlo(argumentsFor(command, input, scratch / "out"), scratch.path(), hangLimit);
  const std::string err = run.err.substr(0, 4000);
  ASSERT_TRUE(run.finished) << "no hang: killed after " << hangLimit.count() << " s";
  ASSERT_EQ(run.signal, 0) << "ended by signal " << run.signal << "\n" << err;
  EXPECT_TRUE(statusAsDocumented(command[0], run.status, document.expectedStatus)) << run.status << "\n"
                                                                                   << err;
  EXPECT_EQ(run.err.find("Sanitizer"), std::string::npos) << err;
  EXPECT_EQ(run.err.find("runtime error:"), std::string::npos) << err;
  EXPECT_TRUE(document.expectedStatus == 0 || run.err.find("tavlo: ") != std::string::npos)
      << "a one-line reason on standard error";
  EXPECT_TRUE(document.kind != InputKind::file || slurp(input) == bytes) << "the input file changed";

  if (!document.leaked.empty()) {
    EXPECT_EQ(run.out.find(document.leaked), std::string::npos);
    for (const auto& entry : fs::recursive_directory_iterator(scratch / "out"))
      EXPECT_TRUE(!entry.is_regular_file() || slurp(entry.path()).find(document.leaked) == std::string::npos)
          << entry.path();
  }
  if (command[0] == "stats" && run.status == 0) {
    std::istringstream lines(run.out);
    for (std::string line; std::getline(lines, line);)
      EXPECT_TRUE(!document.readsAsEmpty || line.ends_with(": 0")) << line;
    EXPECT_TRUE(document.statsLine.empty() || run.out.find(document.statsLine + "\n") != std::string::npos)
        << run.out;
  }
}

std::vector<HostileCase> allCases() {
  std::vector<HostileCase> cases;
  for (std::size_t d = 0; d < hostileDocuments().size(); ++d)
    for (std::size_t c = 0; c < subcommands.size(); ++c) cases.emplace_back(d, c);
  return cases;
}

INSTANTIATE_TEST_SUITE_P(EveryDocumentAndSubcommand, HostileDocumentTest, ::testing::ValuesIn(allCases()),
                         [](const ::testing::TestParamInfo<HostileCase>& info) {
                           return hostileDocuments()[std::get<0>(info.param)].name + "_" +
                                  subcommands[std::get<1>(info.param)][0];
                         });

// ---------------------------------------------------------------------------
// Nothing from outside

// Where a run may legitimately look: the dynamic loader and libraries, locale
// data, fonts and their caches, and the process's own /proc and /dev entries.
bool isSystemPath(const std::string& path) {
  for (const char* prefix :
       {"/etc/ld.so.", "/lib/", "/lib64/", "/usr/lib/", "/usr/lib64/", "/usr/share/locale", "/usr/lib/locale",
        "/usr/share/fonts", "/usr/local/share/fonts", "/etc/fonts/", "/var/cache/fontconfig",
        "/usr/share/icu", "/usr/share/zoneinfo", "/etc/localtime", "/proc/", "/sys/", "/dev/"})
    if (path.starts_with(prefix)) return true;
  const char* home = std::getenv("HOME");
  if (!home || !*home) return false;
  for (const char* inHome : {"/.cache/fontconfig", "/.fonts", "/.local/share/fonts"})
    if (path.starts_with(std::string(home) + inHome)) return true;
  return false;
}

TEST(HostileDocument, ExternalEntitiesAreNeitherOpenedNorFetched) {
  if (!fs::exists("/usr/bin/strace")) GTEST_SKIP() << "strace is not installed";
  ScratchFolder scratch;
  const fs::path input = scratch / "input.tavlo", trace = scratch / "trace";
  spit(input, withEntities("<!ENTITY file SYSTEM \"file:///etc/passwd\">\n"
                           "<!ENTITY local SYSTEM \"/etc/hostname\">\n<!ENTITY net SYSTEM "
                           "\"http://127.0.0.1:9/x.xml\">\n<!ENTITY % remote SYSTEM "
                           "\"http://127.0.0.1:9/y.dtd\">\n%remote;\n",
                           "&file;&local;&net;"));

  // The leak checker cannot work under ptrace; everything else of the sanitizers still runs.
  const ToolRun traced = run({"/usr/bin/strace", "-f", "-qq", "-e", "trace=open,openat,connect", "-E",
                              "ASAN_OPTIONS=detect_leaks=0:abort_on_error=1", "-o", trace.string(), TAVLO_BIN,
                              "stats", input.string()},
                             scratch.path(), hangLimit);
  ASSERT_TRUE(traced.finished) << "no hang";
  if (traced.status != 0 && traced.err.find("ptrace") != std::string::npos)
    GTEST_SKIP() << "tracing is not permitted here: " << traced.err;
  ASSERT_EQ(traced.status, 0) << traced.err;

  std::istringstream lines(slurp(trace));
  int opens = 0;
  for (std::string line; std::getline(lines, line);) {
    EXPECT_EQ(line.find("connect("), std::string::npos) << line;
    const auto quote = line.find('"');
    if (quote == std::string::npos) continue;
    const std::string path = line.substr(quote + 1, line.find('"', quote + 1) - quote - 1);
    ++opens;
    EXPECT_TRUE(path == input.string() || isSystemPath(path)) << "opened " << line;
  }
  EXPECT_GT(opens, 0) << "the trace saw no file being opened at all";
}

}  // namespace
