// Findings of a read with a diagnostics sink: one small document per code and
// per rule that drops something, each finding at its exact line and column.
// Documents are written with "@@" where a finding must point; the markers are
// taken out before reading.
#include "DataTestSupport.h"
#include "TavloData/Diagnostics.h"

namespace tavlo {
namespace {

using namespace testsupport;

struct Position {
  std::uint32_t line = 1;
  std::uint32_t column = 1;
  bool operator==(const Position&) const = default;
};

struct Marked {
  std::string text;
  std::vector<Position> marks;
};

// Lines from 1 at each line feed, columns from 1 in characters: UTF-8
// continuation bytes, the byte order mark and a carriage return before a
// line feed take no column.
Marked unmark(std::string_view written) {
  Marked marked;
  Position at;
  for (std::size_t i = 0; i < written.size(); ++i) {
    if (written.substr(i, 2) == "@@") {
      marked.marks.push_back(at);
      ++i;
      continue;
    }
    const auto byte = static_cast<unsigned char>(written[i]);
    marked.text.push_back(written[i]);
    if (written.substr(i, 3) == "\xEF\xBB\xBF" && i == 0) {
      marked.text.append(written.substr(1, 2));
      i += 2;
    } else if (byte == '\n') {
      at = {at.line + 1, 1};
    } else if ((byte & 0xC0) != 0x80 && byte != '\r') {
      ++at.column;
    }
  }
  return marked;
}

std::string document(std::string_view items, std::string_view envelope = "") {
  return "<tavlo>\n<project>\n" + std::string(envelope) + "<colorItems>\n" + std::string(items) +
         "</colorItems>\n</project>\n</tavlo>\n";
}

std::string el(std::string_view name, std::string_view text) {
  return "<" + std::string(name) + ">" + std::string(text) + "</" + std::string(name) + ">";
}

std::string colorItem(std::string_view id, std::string_view extra = "") {
  return "<colorItem>" + el("id", id) + el("name", id) + el("profile", "sRGB") +
         "<color><variants><variant><rgba>1 0 0 1</rgba></variant></variants></color>" + std::string(extra) +
         "</colorItem>\n";
}

std::string colorSet(std::string_view id, int steps) {
  std::string members;
  for (int i = 0; i < steps; ++i)
    members += "<color><variants><variant><rgba>0 0 0 1</rgba></variant></variants></color>";
  return "<colorSet>" + el("id", id) + el("name", id) + el("profile", "sRGB") + el("middle", "0.5") +
         el("type", "1") + el("naming", "1") + el("interpolation", "1") + el("colors", members) +
         "</colorSet>\n";
}

std::string numberItem(std::string_view id) {
  return "<numberItem>" + el("id", id) + el("name", id) +
         "<number><variants><variant><value>4</value></variant></variants></number></numberItem>\n";
}

struct LintCase {
  const char* name;
  std::string written;
  std::vector<std::string_view> codes;  // one per marker, in document order
};

void PrintTo(const LintCase& lintCase, std::ostream* out) {
  *out << lintCase.name;
}

const std::vector<LintCase>& lintCases() {
  static const std::vector<LintCase> cases = {
      {"firstLine",
       "<tavlo><project><colorItems>@@<note/></colorItems></project></tavlo>",
       {"unknown-element"}},
      {"notWellFormed", document(colorItem("A") + "<group></@@grop>\n"), {"not-well-formed"}},
      {"notWellFormedKeepsNothingElse",
       "<tavlo>\n<project>\n<colorItems>\n<colorItem><id>x</id></colorItem>\n"
       "<alias><id>a</id><type>1</type></alias>\n@@",
       {"not-well-formed"}},
      {"danglingItemReference",
       document("<alias><id>a</id><name>A</name><type>1</type>@@<referencedItemId>nope</referencedItemId></"
                "alias>\n"),
       {"dangling-reference"}},
      {"danglingDarkReferenceOfANumberAlias",
       document(numberItem("N") +
                "<numberAlias><id>a</id><type>2</type><referencedItemId>N</referencedItemId>"
                "<typeDark>2</typeDark>@@<referencedItemIdDark>gone</referencedItemIdDark>"
                "</numberAlias>\n"),
       {"dangling-reference"}},
      {"emptyReferenceAtItsType",
       document("<shadowAlias><id>a</id>@@<type>2</type></shadowAlias>\n"),
       {"dangling-reference"}},
      {"danglingRampStep",
       document(
           "<alias><id>a</id><type>3</type>@@<referencedItemId>R</referencedItemId><subIndex>0</subIndex>"
           "</alias>\n"),
       {"dangling-reference"}},
      {"wrongKind",
       document(numberItem("N") +
                "<alias><id>a</id><type>1</type>@@<referencedItemId>N</referencedItemId></alias>\n"),
       {"wrong-kind-reference"}},
      {"groupIsNoValue",
       document("<group><id>G</id></group>\n<stringAlias><id>s</id><type>2</type>\n"
                "  @@<referencedItemId>G</referencedItemId></stringAlias>\n"),
       {"wrong-kind-reference"}},
      {"aliasToAlias",
       document(colorItem("C") +
                "<alias><id>a</id><type>1</type><referencedItemId>C</referencedItemId></alias>\n"
                "<alias><id>b</id><type>1</type>@@<referencedItemId>a</referencedItemId></alias>\n"),
       {"alias-to-alias"}},
      {"stepOutOfRange",
       document(
           colorSet("R", 2) +
           "<alias><id>a</id><type>3</type>@@<referencedItemId>R</referencedItemId><subIndex>7</subIndex>"
           "<typeDark>3</typeDark><referencedItemIdDark>R</referencedItemIdDark><subIndexDark>1</"
           "subIndexDark>"
           "</alias>\n"),
       {"step-out-of-range"}},
      {"unknownGroups",
       document(colorItem("A", "@@<buildGroupId>B2</buildGroupId><testGroupId>T1</testGroupId>") +
                    colorItem("B", "<buildGroupId>B1</buildGroupId>@@<testGroupId>T2</testGroupId>"),
                "<buildGroups><buildGroup><id>B1</id></buildGroup></buildGroups>\n"
                "<testGroups><testGroup><id>T1</id></testGroup></testGroups>\n"),
       {"unknown-build-group", "unknown-test-group"}},
      {"duplicateIds",
       document("<group><id>G</id>\n" + colorItem("A") + "<group>@@<id>G</id></group>\n</group>\n" +
                "<numberItem>@@<id>A</id><number><variants><variant><value>1</value></variant></variants>"
                "</number></numberItem>\n"),
       {"duplicate-id", "duplicate-id"}},
      {"unknownElements",
       document(
           "@@<colour/>\n<colorItem><id>c</id><profile>sRGB</profile>@@<colour/><color><variants>"
           "<variant><rgba>1 1 1 1</rgba></variant>@@<variant type=\"Dark\"><rgba>0 0 0 1</rgba></variant>"
           "@@<variant><rgba>0 0 1 1</rgba></variant></variants></color></colorItem>\n"
           "<group><name>g</name><expanded>1</expanded>@@<note>n</note></group>\n"),
       {"unknown-element", "unknown-element", "unknown-element", "unknown-element", "unknown-element"}},
      // The rules that leave an item out, each at what it found wanting.
      {"colorWithoutColor",
       document("@@<colorItem><id>c</id><profile>sRGB</profile></colorItem>\n"),
       {"item-dropped"}},
      {"colorWithoutProfile",
       document("@@<colorItem><id>c</id><color><variants><variant><rgba>1 0 0 1</rgba></variant></variants>"
                "</color></colorItem>\n"),
       {"item-dropped"}},
      {"colorWithoutVariants",
       document("<colorItem><profile>sRGB</profile>@@<color/></colorItem>\n"),
       {"item-dropped"}},
      {"colorWithoutLightVariant",
       document(
           "<colorItem><profile>sRGB</profile><color>@@<variants><variant type=\"dark\"><rgba>1 0 0 1</rgba>"
           "</variant></variants></color></colorItem>\n"),
       {"item-dropped"}},
      {"colorWithUnreadableLight",
       document("<colorItem><profile>sRGB</profile><color><variants>@@<variant><rgba>1,0,0,1</rgba></variant>"
                "</variants></color></colorItem>\n"),
       {"item-dropped"}},
      {"unreadableDarkVariantAlone",
       document("<colorItem><profile>sRGB</profile><color><variants><variant><rgba>1 0 0 1</rgba></variant>"
                "@@<variant type=\"dark\"><rgba>1 0 0</rgba></variant></variants></color></colorItem>\n"),
       {"item-dropped"}},
      {"numberNotANumber",
       document("<numberItem><number><variants>@@<variant><value>abc</value></variant></variants></number>"
                "</numberItem>\n"),
       {"item-dropped"}},
      {"booleanNotTrueOrFalse",
       document("<booleanItem><boolean><variants>@@<variant><value>yes</value></variant></variants></boolean>"
                "</booleanItem>\n"),
       {"item-dropped"}},
      {"stringWithoutVariants",
       document("<stringItem><name>s</name>@@<string/></stringItem>\n"),
       {"item-dropped"}},
      {"shadowWithoutColor",
       document("<shadowItem><profile>sRGB</profile><shadow><variants>@@<variant><shadowDetails><x>1</x>"
                "</shadowDetails></variant></variants></shadow></shadowItem>\n"),
       {"item-dropped"}},
      {"rampWithoutProfile",
       document("@@<colorSet><middle>0.5</middle><colors/></colorSet>\n"),
       {"item-dropped"}},
      {"rampRequirements",
       document("<colorSet><profile>sRGB</profile>@@<middle>half</middle><colors/></colorSet>\n"
                "<colorSet><profile>sRGB</profile><middle>0.5</middle>@@<type>0</type><colors/></colorSet>\n"
                "<shadowSet><profile>sRGB</profile><middle>0.5</middle><type>1</type>@@<naming>9</naming>"
                "<shadows/></shadowSet>\n"
                "@@<colorSet><profile>sRGB</profile><middle>0.5</middle><type>1</type><naming>1</naming>"
                "<colors/></colorSet>\n"
                "@@<colorSet><profile>sRGB</profile><middle>0.5</middle><type>1</type><naming>1</naming>"
                "<interpolation>1</interpolation></colorSet>\n"),
       {"item-dropped", "item-dropped", "item-dropped", "item-dropped", "item-dropped"}},
      {"rampMemberDroppedAlone",
       document(
           "<colorSet><id>R</id><profile>sRGB</profile><middle>0.5</middle><type>1</type><naming>1</naming>"
           "<interpolation>1</interpolation><colors>\n"
           "  <color><variants><variant><rgba>1 1 1 1</rgba></variant></variants></color>\n"
           "  @@<color><name>broken</name></color>\n</colors></colorSet>\n"),
       {"item-dropped"}},
      {"settingsTasksAndTests",
       document(
           "",
           "<settings>@@<setting><key>DisplayMode</key></setting></settings>\n"
           "<buildGroups><buildGroup><tasks>@@<task><fileType>14</fileType><nameTransform>0</nameTransform>"
           "</task></tasks></buildGroup></buildGroups>\n"
           "<testGroups><testGroup><tests>@@<test><type>contrast</type></test></tests></testGroup>"
           "</testGroups>\n"),
       {"item-dropped", "item-dropped", "item-dropped"}},
      {"clean",
       document(
           "<group><id>G</id><name>G</name><expanded>1</expanded><buildGroupId>B</buildGroupId>\n" +
               colorItem("C", "<testGroupId>T</testGroupId><testPosition>both</testPosition>") +
               colorSet("R", 3) + numberItem("N") +
               "<alias><id>a1</id><type>1</type><referencedItemId>C</referencedItemId>"
               "<typeDark>3</typeDark><referencedItemIdDark>R</referencedItemIdDark>"
               "<subIndexDark>2</subIndexDark><appearance>lightanddark</appearance></alias>\n"
               "<alias><id>a2</id><type>2</type><referencedItemId>R</referencedItemId></alias>\n"
               "<numberAlias><id>n1</id><type>2</type><referencedItemId>N</referencedItemId></numberAlias>\n"
               "</group>\n",
           "<header><version>1.6</version></header>\n"
           "<buildGroups><buildGroup><id>B</id></buildGroup></buildGroups>\n"
           "<testGroups><testGroup><id>T</id></testGroup></testGroups>\n"),
       {}},
  };
  return cases;
}

std::vector<Diagnostic> lint(const std::string& bytes) {
  DiagnosticSink sink;
  MerrinColorFileReader().parse(bytes, &sink);
  return sink.sortedDiagnostics();
}

void expectFindingsAtMarks(const Marked& marked, const std::vector<std::string_view>& codes) {
  ASSERT_EQ(marked.marks.size(), codes.size()) << "one marker per expected finding";
  const std::vector<Diagnostic> findings = lint(marked.text);
  std::vector<std::string> found, expected;
  for (const Diagnostic& finding : findings)
    found.push_back(std::string(rawValue(finding.code)) + " " + std::to_string(finding.line) + ":" +
                    std::to_string(finding.column) + " (" + finding.message + ")");
  for (std::size_t i = 0; i < codes.size(); ++i)
    expected.push_back(std::string(codes[i]) + " " + std::to_string(marked.marks[i].line) + ":" +
                       std::to_string(marked.marks[i].column));
  ASSERT_EQ(found.size(), expected.size()) << ::testing::PrintToString(found);
  for (std::size_t i = 0; i < found.size(); ++i)
    EXPECT_TRUE(found[i].starts_with(expected[i] + " ")) << found[i];
}

class Lint : public ::testing::TestWithParam<LintCase> {
 protected:
  void SetUp() override {
    xmltree::setParseErrorSink([](std::string_view) {});
  }
  void TearDown() override { xmltree::setParseErrorSink({}); }
};

TEST_P(Lint, FindsEachLossAtItsElement) {
  expectFindingsAtMarks(unmark(GetParam().written), GetParam().codes);
}

// Every line of `text` with `prefix` in front; lines of these documents
// start between elements, where a comment may stand.
std::string prefixLines(const std::string& text, const std::string& prefix) {
  std::string prefixed = prefix;
  for (char c : text) {
    prefixed += c;
    if (c == '\n') prefixed += prefix;
  }
  return prefixed;
}

// Positions must not drift with the bytes around them: line ends of two
// characters, a byte order mark, lines longer than the parser's input
// slices, characters of several bytes.
TEST_P(Lint, PositionsHoldWhateverTheBytesAroundThem) {
  const std::string& written = GetParam().written;
  std::string crlf;
  for (char c : written) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
  const std::vector<std::pair<std::string, std::string>> variants = {
      {"CRLF", crlf},
      {"BOM", "\xEF\xBB\xBF" + written},
      {"long lines", prefixLines(written, "<!-- " + std::string(70000, 'x') + " -->")},
      {"multi-byte", prefixLines(written, "<!-- \xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80\t-->")},
  };
  for (const auto& [label, text] : variants) {
    SCOPED_TRACE(label);
    expectFindingsAtMarks(unmark(text), GetParam().codes);
  }
}

INSTANTIATE_TEST_SUITE_P(Documents, Lint, ::testing::ValuesIn(lintCases()),
                         [](const ::testing::TestParamInfo<LintCase>& info) { return info.param.name; });

// Items without an id get a fresh one at every read.
std::string withoutFreshIds(const std::string& text) {
  static const std::regex fresh("<id>[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{12}</id>");
  return std::regex_replace(text, fresh, "<id>fresh</id>");
}

// Findings only describe the read: the project, as the writer and the
// statistics see it, is the same with a sink and without one.
TEST(LintSink, LeavesWhatIsReadUnchanged) {
  xmltree::setParseErrorSink([](std::string_view) {});
  std::vector<std::string> documents;
  for (const LintCase& lintCase : lintCases()) documents.push_back(unmark(lintCase.written).text);
  for (const auto& entry :
       std::filesystem::directory_iterator(std::filesystem::path(TAVLO_SOURCE_DIR) / "examples"))
    if (entry.path().extension() == ".tavlo") documents.push_back(readFile(entry.path()));
  for (const std::string& bytes : documents) {
    SCOPED_TRACE(bytes.substr(0, 120));
    DiagnosticSink sink;
    const auto plain = MerrinColorFileReader().parse(bytes);
    const auto linted = MerrinColorFileReader().parse(bytes, &sink);
    EXPECT_EQ(withoutFreshIds(MerrinColorFileWriter::data(*linted)),
              withoutFreshIds(MerrinColorFileWriter::data(*plain)));
    EXPECT_EQ(linted->projectStats(), plain->projectStats());
  }
  xmltree::setParseErrorSink({});
}

}  // namespace
}  // namespace tavlo
