// Documents arrive from anywhere: a file manager runs `tavlo thumbnail` on
// every file it comes across. Each hostile document here is made by the test
// and handed to every subcommand that reads documents; none may crash, hang,
// load anything from outside or touch the input, and each must end with the
// documented status (0 for everything the reader falls back on, 1 for a file
// that cannot be read).
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// A run that takes longer than this is taken for a hang and killed. The
// sanitizers slow the tool down several times over.
#ifdef TAVLO_UNDER_SANITIZER
constexpr auto hangLimit = 90s;
#else
constexpr auto hangLimit = 20s;
#endif

// ---------------------------------------------------------------------------
// Running the tool

struct ToolRun {
  bool finished = false;  // false: killed at the hang limit
  int exitStatus = -1;    // when it exited
  int signal = 0;         // when a signal ended it
  std::string out;
  std::string err;
};

std::string slurp(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void spit(const fs::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// Runs `program args` in `dir` with standard output and error in files there
// and standard input closed, killing it at `limit`.
ToolRun runIn(const fs::path& dir, const std::string& program, const std::vector<std::string>& args,
              std::chrono::seconds limit = hangLimit) {
  const fs::path outPath = dir / ".stdout", errPath = dir / ".stderr";
  const pid_t pid = ::fork();
  if (pid == 0) {
    // Its own process group, so a kill reaches whatever it started.
    ::setpgid(0, 0);
    if (::chdir(dir.c_str()) != 0) ::_exit(126);
    const int in = ::open("/dev/null", O_RDONLY);
    const int out = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int err = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ::dup2(in, 0);
    ::dup2(out, 1);
    ::dup2(err, 2);
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    ::execv(program.c_str(), argv.data());
    ::_exit(127);
  }
  ToolRun run;
  int raw = 0;
  const auto deadline = std::chrono::steady_clock::now() + limit;
  for (;;) {
    const pid_t done = ::waitpid(pid, &raw, WNOHANG);
    if (done == pid) {
      run.finished = true;
      break;
    }
    if (std::chrono::steady_clock::now() >= deadline) {
      ::kill(-pid, SIGKILL);
      ::kill(pid, SIGKILL);
      ::waitpid(pid, &raw, 0);
      break;
    }
    std::this_thread::sleep_for(20ms);
  }
  if (run.finished && WIFEXITED(raw)) run.exitStatus = WEXITSTATUS(raw);
  if (run.finished && WIFSIGNALED(raw)) run.signal = WTERMSIG(raw);
  run.out = slurp(outPath);
  run.err = slurp(errPath);
  fs::remove(outPath);
  fs::remove(errPath);
  return run;
}

// A fresh folder for one test, removed afterwards.
class ScratchFolder {
 public:
  ScratchFolder() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(info->test_suite_name()) + "-" + info->name();
    for (char& c : name)
      if (c == '/') c = '-';
    path_ = fs::temp_directory_path() / ("tavlo-hostile-" + std::to_string(::getpid()) + "-" + name);
    fs::remove_all(path_);
    fs::create_directories(path_);
  }
  ~ScratchFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
  const fs::path& path() const { return path_; }

 private:
  fs::path path_;
};

// Whether the built tool has this subcommand: `tavlo --help` lists each as
// an indented line that starts with its name.
bool hasSubcommand(const std::string& name) {
  static const std::string help = [] {
    const fs::path dir = fs::temp_directory_path() / ("tavlo-hostile-help-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const ToolRun run = runIn(dir, TAVLO_BIN, {"--help"}, 30s);
    fs::remove_all(dir);
    return run.out;
  }();
  return help.find("\n  " + name + " ") != std::string::npos;
}

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

std::string element(const std::string& name, const std::string& text) {
  return "<" + name + ">" + text + "</" + name + ">";
}

std::string colorItem(const std::string& id, const std::string& rgba, const std::string& autoContrast = "0") {
  return "<colorItem>" + element("id", id) + element("name", "colour " + id) + element("profile", "sRGB") +
         element("autoContrast", autoContrast) + element("appearance", "lightanddark") +
         "<color><variants><variant>" + element("rgba", rgba) + "</variant><variant type=\"dark\">" +
         element("rgba", rgba) + "</variant></variants></color></colorItem>";
}

std::string shadowDetails(const std::string& n) {
  return "<shadowDetails>" + element("x", n) + element("y", n) + element("blur", n) + element("spread", n) +
         element("colorRgba", "0 0 0 " + n) + "</shadowDetails>";
}

std::string rampParameters(const std::string& n) {
  return element("profile", "sRGB") + element("steps", n) + element("interpolation", n) +
         element("curve", n) + element("curveAmount", n) + element("type", n) + element("middle", n) +
         element("naming", n);
}

// Every numeric field of every kind of item, set to `n`.
std::string itemsWithEveryNumber(const std::string& n, int serial) {
  const std::string id = "N" + std::to_string(serial);
  std::string items;
  items += colorItem(id + "-color", n + " " + n + " " + n + " " + n, n);
  items += "<numberItem>" + element("id", id + "-number") + element("name", n) + element("min", n) +
           element("max", n) + element("steps", n) + element("autoContrast", n) +
           "<number><variants><variant>" + element("value", n) +
           "</variant></variants></number></numberItem>";
  items += "<colorSet>" + element("id", id + "-set") + element("name", n) + rampParameters(n) + "<colors>" +
           repeat("<color><name>" + n + "</name><variants><variant>" + element("rgba", n + " 0 " + n + " 1") +
                      "</variant></variants></color>",
                  3) +
           "</colors></colorSet>";
  items += "<shadowItem>" + element("id", id + "-shadow") + element("name", n) + element("profile", "sRGB") +
           element("autoContrast", n) + "<shadow><variants><variant>" + shadowDetails(n) +
           "</variant></variants></shadow></shadowItem>";
  items +=
      "<shadowSet>" + element("id", id + "-shadows") + element("name", n) + rampParameters(n) + "<shadows>" +
      repeat(
          "<shadow><name>s</name><variants><variant>" + shadowDetails(n) + "</variant></variants></shadow>",
          2) +
      "</shadows></shadowSet>";
  for (const char* alias : {"alias", "shadowAlias"}) {
    const std::string target = std::string(alias) == "alias" ? id + "-set" : id + "-shadows";
    items += "<" + std::string(alias) + ">" + element("id", id + "-" + alias) + element("name", n) +
             element("type", "3") + element("referencedItemId", target) + element("subIndex", n) +
             element("typeDark", n) + element("referencedItemIdDark", target) + element("subIndexDark", n) +
             "</" + alias + ">";
  }
  items += "<numberAlias>" + element("id", id + "-numberAlias") + element("name", n) + element("type", n) +
           element("referencedItemId", id + "-number") + "</numberAlias>";
  return items;
}

// The document in UTF-16, its declaration saying so (a declaration that
// names another encoding than the bytes is not well formed).
std::string toUtf16(std::string ascii, bool littleEndian, bool withBom) {
  ascii.replace(ascii.find("UTF-8"), 5, "UTF-16");
  std::string out;
  if (withBom) out += littleEndian ? "\xFF\xFE" : "\xFE\xFF";
  for (char c : ascii) {
    if (littleEndian) {
      out += c;
      out += '\0';
    } else {
      out += '\0';
      out += c;
    }
  }
  return out;
}

// The entity declarations of the classic expansion attacks.
std::string billionLaughs() {
  std::string doctype = "<!DOCTYPE tavlo [\n<!ENTITY lol0 \"lol\">\n";
  for (int i = 1; i <= 9; ++i)
    doctype += "<!ENTITY lol" + std::to_string(i) + " \"" + repeat("&lol" + std::to_string(i - 1) + ";", 10) +
               "\">\n";
  doctype += "]>\n";
  std::string doc = documentWithItems("<group><name>&lol9;</name></group>", doctype);
  return doc;
}

std::string quadraticBlowup() {
  const std::string doctype = "<!DOCTYPE tavlo [<!ENTITY a \"" + repeat("a", 50000) + "\">]>\n";
  return documentWithItems("<group><name>" + repeat("&a;", 50000) + "</name></group>", doctype);
}

std::string entityChain(int length) {
  std::string doctype = "<!DOCTYPE tavlo [\n<!ENTITY e0 \"end\">\n";
  for (int i = 1; i < length; ++i)
    doctype += "<!ENTITY e" + std::to_string(i) + " \"&e" + std::to_string(i - 1) + ";\">\n";
  doctype += "]>\n";
  return documentWithItems("<group><name>&e" + std::to_string(length - 1) + ";</name></group>", doctype);
}

std::string externalEntity(const std::string& systemId) {
  const std::string doctype = "<!DOCTYPE tavlo [\n<!ENTITY ext SYSTEM \"" + systemId +
                              "\">\n<!ENTITY % pe SYSTEM \"" + systemId + "\">\n%pe;\n]>\n";
  return documentWithItems("<group><name>&ext;</name></group>", doctype);
}

std::string nested(std::size_t depth, bool closed) {
  std::string doc = std::string(declaration) + "<tavlo><project><colorItems>" + repeat("<group>", depth);
  if (closed) doc += repeat("</group>", depth) + "</colorItems></project></tavlo>\n";
  return doc;
}

std::string manyAttributes(int count) {
  std::string attributes;
  for (int i = 0; i < count; ++i) attributes += " a" + std::to_string(i) + "=\"" + std::to_string(i) + "\"";
  return documentWithItems("<group" + attributes + "><name>attributes</name></group>");
}

std::string hugeText(std::size_t bytes) {
  return documentWithItems("<stringItem><id>big</id><name>big</name><string><variants><variant><value>" +
                           repeat("All work and no play. ", bytes / 22) +
                           "</value></variant></variants></string></stringItem>");
}

std::string everyNumberHostile() {
  const char* numbers[] = {"nan",
                           "NaN",
                           "-nan",
                           "inf",
                           "-inf",
                           "infinity",
                           "1e308",
                           "-1e308",
                           "1e309",
                           "4.9e-324",
                           "-0",
                           "1e-320",
                           "99999999999999999999999",
                           "-9223372036854775809",
                           "2147483648",
                           "-2147483649",
                           "0x10",
                           ""};
  std::string items;
  int serial = 0;
  for (const char* n : numbers) items += itemsWithEveryNumber(n, serial++);
  return documentWithItems(items);
}

std::string emptyRamps() {
  return documentWithItems("<colorSet><id>cs</id><name>no colours</name>" + rampParameters("1") +
                           "<colors/></colorSet>"
                           "<shadowSet><id>ss</id><name>no shadows</name>" +
                           rampParameters("1") +
                           "<shadows></shadows></shadowSet>"
                           "<colorSet><id>cs2</id><name>no list</name>" +
                           rampParameters("1") +
                           "</colorSet>"
                           "<alias><id>into-empty</id><name>into empty</name><type>3</type>"
                           "<referencedItemId>cs</referencedItemId><subIndex>0</subIndex></alias>"
                           "<shadowAlias><id>into-empty-shadows</id><name>s</name><type>3</type>"
                           "<referencedItemId>ss</referencedItemId><subIndex>5</subIndex></shadowAlias>");
}

std::string alias(const std::string& kind, const std::string& id, const std::string& type,
                  const std::string& target) {
  return "<" + kind + ">" + element("id", id) + element("name", "alias " + id) + element("type", type) +
         element("referencedItemId", target) + element("typeDark", type) +
         element("referencedItemIdDark", target) + element("appearance", "lightanddark") + "</" + kind + ">";
}

std::string aliasTangle() {
  std::string items = "<group><id>G</id><name>a group</name>" + colorItem("inside", "1 0 0 1") + "</group>";
  for (const char* kind : {"alias", "shadowAlias", "numberAlias", "booleanAlias", "stringAlias"}) {
    const std::string k = kind;
    for (const char* type : {"1", "2", "3"}) {
      const std::string t = type;
      items += alias(k, k + "-self-" + t, t, k + "-self-" + t);
      items += alias(k, k + "-group-" + t, t, "G");
      items += alias(k, k + "-a-" + t, t, k + "-b-" + t);
      items += alias(k, k + "-b-" + t, t, k + "-c-" + t);
      items += alias(k, k + "-c-" + t, t, k + "-a-" + t);
    }
  }
  // A long ring: each alias points at the next, the last at the first. (Kept
  // short enough that the preview of its tiles is a few bands.)
  constexpr int ring = 300;
  for (int i = 0; i < ring; ++i)
    items += alias("alias", "ring-" + std::to_string(i), "1", "ring-" + std::to_string((i + 1) % ring));
  return documentWithItems(items);
}

enum class InputKind { file, directory, fifo, missing };

struct HostileDocument {
  const char* name;
  std::function<std::string()> make = [] { return std::string(); };
  int expectedStatus = 0;
  // Every statistics counter is 0: the document reads as an empty project.
  bool readsAsEmpty = false;
  // A line `stats` must print.
  std::string statsLine{};
  // A text that no output may contain (what an entity would have pulled in).
  std::string leaked{};
  InputKind kind = InputKind::file;
  // Subcommands known to fail on this document, with the reason: they are
  // skipped (and run with TAVLO_RUN_OPEN_PROBLEMS=1) until the fault is fixed.
  std::map<std::string, std::string> openProblems{};
};

std::string smallDocument() {
  return documentWithItems(colorItem("A", "1 0.5 0 1") + "<group><id>G</id><name>Group</name>" +
                           colorItem("B", "0 0 1 1") + "</group>");
}

const std::vector<HostileDocument>& hostileDocuments() {
  static const std::vector<HostileDocument> documents = {
      {.name = "empty", .make = [] { return std::string(); }, .readsAsEmpty = true},
      {.name = "notXml",
       .make = [] { return std::string("colour: orange\n\x01\x02 this is not a document"); },
       .readsAsEmpty = true},
      {.name = "truncated",
       .make =
           [] {
             auto d = smallDocument();
             return d.substr(0, d.size() / 2);
           },
       .readsAsEmpty = true},
      {.name = "declarationOnly", .make = [] { return std::string(declaration); }, .readsAsEmpty = true},
      {.name = "twoRoots", .make = [] { return smallDocument() + smallDocument(); }, .readsAsEmpty = true},
      {.name = "invalidUtf8",
       .make =
           [] {
             return documentWithItems(colorItem("bad\xFF\xFE\xC0\x80", "1 0 0 1") +
                                      "<group><name>\xED\xA0\x80</name></group>");
           },
       .readsAsEmpty = true},
      {.name = "nulBytes",
       .make =
           [] {
             auto d = smallDocument();
             d.insert(d.find("Group"), std::string("\0\0", 2));
             return d;
           },
       .readsAsEmpty = true},
      {.name = "utf16WithBom",
       .make = [] { return toUtf16(smallDocument(), true, true); },
       .statsLine = "colorItemCount: 2"},
      {.name = "utf16WithoutBom",
       .make = [] { return toUtf16(smallDocument(), false, false); },
       .statsLine = "colorItemCount: 2"},
      {.name = "billionLaughs", .make = billionLaughs, .readsAsEmpty = true, .leaked = "lollol"},
      {.name = "quadraticBlowup", .make = quadraticBlowup, .readsAsEmpty = true, .leaked = "aaaaaaaa"},
      {.name = "externalEntityFile",
       .make = [] { return externalEntity("file:///etc/passwd"); },
       .readsAsEmpty = true,
       .leaked = "root:"},
      {.name = "externalEntityNetwork",
       .make = [] { return externalEntity("http://127.0.0.1:9/entity.xml"); },
       .readsAsEmpty = true},
      {.name = "entityChain200k", .make = [] { return entityChain(200000); }, .readsAsEmpty = true},
      {.name = "dtdAttributeDefaults",
       .make =
           [] {
             return documentWithItems(colorItem("A", "1 0 0 1"),
                                      "<!DOCTYPE tavlo [<!ATTLIST variant type CDATA \"dark\">]>\n");
           },
       .readsAsEmpty = true},
      {.name = "nestedAtTheLimit", .make = [] { return nested(253, true); }, .statsLine = "groupCount: 253"},
      {.name = "nested100kClosed", .make = [] { return nested(100000, true); }, .readsAsEmpty = true},
      {.name = "nested100kUnclosed", .make = [] { return nested(100000, false); }, .readsAsEmpty = true},
      {.name = "nested1mClosed", .make = [] { return nested(1000000, true); }, .readsAsEmpty = true},
      {.name = "nested1mUnclosed", .make = [] { return nested(1000000, false); }, .readsAsEmpty = true},
      {.name = "siblingGroups200k",
       .make = [] { return documentWithItems(repeat("<group><name>g</name></group>", 200000)); },
       .statsLine = "groupCount: 200000",
       .openProblems = {{"preview",
                         "every band or page lays out all sections again: time grows with the "
                         "square of the group count (200,000 groups: minutes)"}}},
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
  return documents;
}

struct Subcommand {
  const char* name;
  // The arguments for reading `input`, with any output going into `dir`.
  std::function<std::vector<std::string>(const std::string& input, const fs::path& dir)> args;
};

const std::vector<Subcommand>& subcommands() {
  static const std::vector<Subcommand> commands = {
      {"stats",
       [](const std::string& in, const fs::path&) {
         return std::vector<std::string>{"stats", in};
       }},
      {"dump",
       [](const std::string& in, const fs::path&) {
         return std::vector<std::string>{"dump", in};
       }},
      {"fmt",
       [](const std::string& in, const fs::path& dir) {
         return std::vector<std::string>{"fmt", in, "-o", (dir / "out" / "formatted.tavlo").string()};
       }},
      {"preview",
       [](const std::string& in, const fs::path& dir) {
         return std::vector<std::string>{"preview", in,   "-o", (dir / "out" / "preview.png").string(),
                                         "--width", "320"};
       }},
      {"thumbnail",
       [](const std::string& in, const fs::path& dir) {
         return std::vector<std::string>{"thumbnail", "-s", "128", in,
                                         (dir / "out" / "thumbnail.png").string()};
       }},
  };
  return commands;
}

// ---------------------------------------------------------------------------
// Every document through every subcommand

using HostileCase = std::tuple<std::size_t, std::size_t>;  // document, subcommand

class HostileDocumentTest : public ::testing::TestWithParam<HostileCase> {};

TEST_P(HostileDocumentTest, EndsInTimeWithTheDocumentedStatus) {
  const HostileDocument& document = hostileDocuments()[std::get<0>(GetParam())];
  const Subcommand& command = subcommands()[std::get<1>(GetParam())];
  if (!hasSubcommand(command.name)) GTEST_SKIP() << "tavlo has no '" << command.name << "' subcommand";
  const auto problem = document.openProblems.find(command.name);
  if (problem != document.openProblems.end() && !std::getenv("TAVLO_RUN_OPEN_PROBLEMS"))
    GTEST_SKIP() << "open problem: " << problem->second;

  ScratchFolder scratch;
  const fs::path input = scratch.path() / "input.tavlo";
  fs::create_directories(scratch.path() / "out");
  std::string bytes;
  switch (document.kind) {
    case InputKind::file:
      bytes = document.make();
      spit(input, bytes);
      break;
    case InputKind::directory:
      fs::create_directories(input);
      break;
    case InputKind::fifo:
      ASSERT_EQ(::mkfifo(input.c_str(), 0644), 0);
      break;
    case InputKind::missing:
      break;
  }

  const ToolRun run = runIn(scratch.path(), TAVLO_BIN, command.args(input.string(), scratch.path()));
  ASSERT_TRUE(run.finished) << "no hang: killed after " << hangLimit.count() << " s";
  ASSERT_EQ(run.signal, 0) << "ended by signal " << run.signal << "\n" << run.err.substr(0, 4000);
  EXPECT_EQ(run.exitStatus, document.expectedStatus) << run.err.substr(0, 4000);
  EXPECT_EQ(run.err.find("Sanitizer"), std::string::npos) << run.err.substr(0, 4000);
  EXPECT_EQ(run.err.find("runtime error:"), std::string::npos) << run.err.substr(0, 4000);
  if (document.expectedStatus != 0) {
    EXPECT_NE(run.err.find("tavlo: "), std::string::npos) << "a one-line reason on standard error";
  }

  if (document.kind == InputKind::file) {
    EXPECT_TRUE(slurp(input) == bytes) << "the input file changed";
  }
  if (!document.leaked.empty()) {
    EXPECT_EQ(run.out.find(document.leaked), std::string::npos);
    for (const auto& entry : fs::recursive_directory_iterator(scratch.path() / "out"))
      if (entry.is_regular_file()) {
        EXPECT_EQ(slurp(entry.path()).find(document.leaked), std::string::npos) << entry.path();
      }
  }
  if (std::string(command.name) == "stats" && run.exitStatus == 0) {
    if (document.readsAsEmpty) {
      std::istringstream lines(run.out);
      for (std::string line; std::getline(lines, line);) EXPECT_TRUE(line.ends_with(": 0")) << line;
    }
    if (!document.statsLine.empty()) {
      EXPECT_NE(run.out.find(document.statsLine + "\n"), std::string::npos) << run.out;
    }
  }
}

std::vector<HostileCase> allCases() {
  std::vector<HostileCase> cases;
  for (std::size_t d = 0; d < hostileDocuments().size(); ++d)
    for (std::size_t c = 0; c < subcommands().size(); ++c) cases.emplace_back(d, c);
  return cases;
}

INSTANTIATE_TEST_SUITE_P(EveryDocumentAndSubcommand, HostileDocumentTest, ::testing::ValuesIn(allCases()),
                         [](const ::testing::TestParamInfo<HostileCase>& info) {
                           return std::string(hostileDocuments()[std::get<0>(info.param)].name) + "_" +
                                  subcommands()[std::get<1>(info.param)].name;
                         });

// ---------------------------------------------------------------------------
// Nothing from outside

// Where a run may legitimately look: the dynamic loader and libraries, locale
// data, fonts and their caches, and the process's own /proc and /dev entries.
bool isSystemPath(const std::string& path) {
  static const char* prefixes[] = {"/etc/ld.so.",
                                   "/lib/",
                                   "/lib64/",
                                   "/usr/lib/",
                                   "/usr/lib64/",
                                   "/usr/share/locale",
                                   "/usr/lib/locale",
                                   "/usr/share/fonts",
                                   "/usr/local/share/fonts",
                                   "/etc/fonts/",
                                   "/var/cache/fontconfig",
                                   "/usr/share/icu",
                                   "/usr/share/zoneinfo",
                                   "/etc/localtime",
                                   "/proc/",
                                   "/sys/",
                                   "/dev/"};
  for (const char* prefix : prefixes)
    if (path.starts_with(prefix)) return true;
  const char* home = std::getenv("HOME");
  if (home && *home && path.starts_with(std::string(home) + "/.cache/fontconfig")) return true;
  if (home && *home && path.starts_with(std::string(home) + "/.fonts")) return true;
  if (home && *home && path.starts_with(std::string(home) + "/.local/share/fonts")) return true;
  return false;
}

TEST(HostileDocument, ExternalEntitiesAreNeitherOpenedNorFetched) {
  if (!fs::exists("/usr/bin/strace")) GTEST_SKIP() << "strace is not installed";
  ScratchFolder scratch;
  const fs::path input = scratch.path() / "input.tavlo";
  const std::string doctype =
      "<!DOCTYPE tavlo [\n<!ENTITY file SYSTEM \"file:///etc/passwd\">\n"
      "<!ENTITY local SYSTEM \"/etc/hostname\">\n<!ENTITY net SYSTEM \"http://127.0.0.1:9/x.xml\">\n"
      "<!ENTITY % remote SYSTEM \"http://127.0.0.1:9/y.dtd\">\n%remote;\n]>\n";
  spit(input, documentWithItems("<group><name>&file;&local;&net;</name></group>", doctype));

  const fs::path trace = scratch.path() / "trace";
  const ToolRun run = runIn(scratch.path(), "/usr/bin/strace",
                            {"-f", "-qq", "-e", "trace=open,openat,connect", "-o", trace.string(), TAVLO_BIN,
                             "stats", input.string()});
  ASSERT_TRUE(run.finished) << "no hang";
  if (run.exitStatus != 0 && run.err.find("ptrace") != std::string::npos)
    GTEST_SKIP() << "tracing is not permitted here: " << run.err;
  ASSERT_EQ(run.exitStatus, 0) << run.err;

  std::istringstream lines(slurp(trace));
  int opens = 0;
  for (std::string line; std::getline(lines, line);) {
    EXPECT_EQ(line.find("connect("), std::string::npos) << line;
    const auto quote = line.find('"');
    if (quote == std::string::npos) continue;
    const auto end = line.find('"', quote + 1);
    const std::string path = line.substr(quote + 1, end - quote - 1);
    ++opens;
    EXPECT_TRUE(path == input.string() || isSystemPath(path)) << "opened " << line;
  }
  EXPECT_GT(opens, 0) << "the trace saw no file being opened at all";
}

// ---------------------------------------------------------------------------
// Inputs the fuzzers found, kept as tests/data/hostile/crash-*.tavlo, and the
// sample documents: every subcommand must survive each, and writing what was
// read must be stable after one round (read, write, read, write: the two
// writes are equal).

std::vector<fs::path> keptDocuments() {
  std::vector<fs::path> files;
  for (const fs::path& dir :
       {fs::path(TAVLO_TEST_DATA) / "hostile", fs::path(TAVLO_SOURCE_DIR) / "examples"}) {
    if (!fs::is_directory(dir)) continue;
    for (const auto& entry : fs::directory_iterator(dir))
      if (entry.is_regular_file() && entry.path().extension() == ".tavlo") files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

TEST(HostileDocument, KeptDocumentsPassEverySubcommand) {
  const auto files = keptDocuments();
  if (files.empty()) GTEST_SKIP() << "no kept documents";
  for (const fs::path& file : files) {
    for (const Subcommand& command : subcommands()) {
      if (!hasSubcommand(command.name)) continue;
      SCOPED_TRACE(file.filename().string() + " " + command.name);
      ScratchFolder scratch;
      const fs::path input = scratch.path() / "input.tavlo";
      fs::copy_file(file, input);
      fs::create_directories(scratch.path() / "out");
      const ToolRun run = runIn(scratch.path(), TAVLO_BIN, command.args(input.string(), scratch.path()));
      ASSERT_TRUE(run.finished) << "no hang";
      EXPECT_EQ(run.signal, 0) << run.err.substr(0, 4000);
      EXPECT_EQ(run.exitStatus, 0) << run.err.substr(0, 4000);
      EXPECT_EQ(slurp(input), slurp(file)) << "the input file changed";
    }
  }
}

TEST(HostileDocument, WritingIsStableAfterOneRound) {
  if (!hasSubcommand("fmt")) GTEST_SKIP() << "tavlo has no 'fmt' subcommand";
  for (const fs::path& file : keptDocuments()) {
    SCOPED_TRACE(file.filename().string());
    ScratchFolder scratch;
    const fs::path first = scratch.path() / "first.tavlo", second = scratch.path() / "second.tavlo";
    ToolRun run = runIn(scratch.path(), TAVLO_BIN, {"fmt", file.string(), "-o", first.string()});
    ASSERT_TRUE(run.finished && run.exitStatus == 0) << run.err;
    run = runIn(scratch.path(), TAVLO_BIN, {"fmt", first.string(), "-o", second.string()});
    ASSERT_TRUE(run.finished && run.exitStatus == 0) << run.err;
    EXPECT_EQ(slurp(first), slurp(second));
  }
}

}  // namespace
