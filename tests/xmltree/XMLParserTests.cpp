#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "TestSupport.h"

namespace xmltree {
namespace {

using testing::parse;
using testing::repeat;
using XMLParser = testing::CapturedReports;

TEST_F(XMLParser, ElementsAttributesTextAndEntities) {
  const XMLPtr root = parse(
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!-- note --><?pi x?>\n"
      "<t:root xmlns:t=\"urn:x\" a=\"&lt;&#65;\"><t:b>&amp;&#x42;<![CDATA[<c/>]]></t:b><!-- in "
      "--></t:root>\n");
  ASSERT_TRUE(root);
  EXPECT_EQ(root->xmlName(), "t:root");
  EXPECT_EQ(root->xmlAttributes(), (XML::Attributes{{"xmlns:t", "urn:x"}, {"a", "<A"}}));
  ASSERT_EQ(root->xmlChildren().size(), 1u);
  EXPECT_EQ(root->xmlChildren()[0]->xmlName(), "t:b");
  EXPECT_EQ(root->xmlChildren()[0]->xmlValue(), "&B");  // CDATA sections add nothing
  EXPECT_EQ(root->xmlValue(), std::nullopt);            // comments leave no trace
  EXPECT_TRUE(lines.empty());
}

TEST_F(XMLParser, EncodingsOfTheSameDocument) {
  const std::string text = "<r a=\"\xc3\xa9\">\xc3\xbc\xf0\x9f\x8e\xa8</r>";
  for (TextEncoding encoding : {TextEncoding::utf8, TextEncoding::utf16, TextEncoding::utf16BigEndian,
                                TextEncoding::utf16LittleEndian}) {
    const XMLPtr root = XML::fromString(text, encoding);
    ASSERT_TRUE(root) << static_cast<int>(encoding);
    EXPECT_EQ(root->xmlAttributes().at("a"), "\xc3\xa9");
    EXPECT_EQ(root->xmlValue(), "\xc3\xbc\xf0\x9f\x8e\xa8");
  }
  EXPECT_TRUE(XML::fromString("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><r>\xc3\xa9</r>",
                              TextEncoding::isoLatin1));
  // A declaration that contradicts the detected encoding is an error.
  EXPECT_TRUE(
      XML::fromString("<?xml version=\"1.0\" encoding=\"UTF-16\"?><r/>", TextEncoding::utf16BigEndian));
  EXPECT_EQ(XML::fromString("<?xml version=\"1.0\" encoding=\"UTF-8\"?><r/>", TextEncoding::utf16), nullptr);
  EXPECT_EQ(XML::fromString("<r>\xc3\xa9</r>", TextEncoding::ascii), nullptr);
  EXPECT_EQ(XML::fromString("<r>\xf0\x9f\x8e\xa8</r>", TextEncoding::isoLatin1), nullptr);
  EXPECT_EQ(XML::fromString("<r>\xff</r>", TextEncoding::utf16), nullptr);         // not UTF-8 to begin with
  EXPECT_EQ(XML::fromString("<r>\xed\xa0\x80</r>", TextEncoding::utf8), nullptr);  // a surrogate
  EXPECT_EQ(XML::fromString("<r/>", TextEncoding::ascii)->xmlName(), "r");
}

// Every hostile or broken input reads as absent with exactly one report line.
TEST_F(XMLParser, RefusedInputs) {
  const std::string secret = (std::filesystem::temp_directory_path() / "xmltree-secret.txt").string();
  std::ofstream(secret) << "SECRET";
  const std::string lol = R"(<!DOCTYPE r [<!ENTITY a "lol"><!ENTITY b "&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;">)"
                          R"(<!ENTITY c "&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;">]><r>&c;</r>)";
  const std::string deepOpen = repeat("<a>", 1'000'000);
  const std::pair<std::string, std::string_view> cases[] = {
      {"", "no element found"},
      {"   \n", "no element found"},
      {"<?xml version=\"1.0\"?>", "no element found"},
      {"<!-- only -->", "no element found"},
      {"not xml", "syntax error"},
      {"<a><b></a>", "mismatched tag"},
      {"<a><b>", "no element found"},
      {"<a x=\"1", "unclosed token"},
      {"<a/><b/>", "junk after document element"},
      {"<a>\xff\xfe</a>", "not well-formed"},
      {"<a>\xc0\xaf</a>", "not well-formed"},
      {std::string("<a>x\0y</a>", 10), "not well-formed"},
      {"<a x='1' x='2'/>", "duplicate attribute"},
      {"<a>&undefined;</a>", "undefined entity"},
      {"<!DOCTYPE a><a/>", "document type declarations are not allowed"},
      {lol, "document type declarations are not allowed"},
      {"<!DOCTYPE r [<!ENTITY a \"" + repeat("a", 50'000) + "\">]><r>" + repeat("&a;", 50'000) + "</r>",
       "document type declarations are not allowed"},
      {"<!DOCTYPE r [<!ENTITY s SYSTEM \"file://" + secret + "\">]><r>&s;</r>",
       "document type declarations are not allowed"},
      {"<!DOCTYPE r SYSTEM \"" + secret + "\"><r/>", "document type declarations are not allowed"},
      {"<!DOCTYPE r [<!ENTITY s SYSTEM \"http://127.0.0.1:9/x\">]><r>&s;</r>",
       "document type declarations are not allowed"},
      {repeat("<a>", 257) + repeat("</a>", 257), "elements nested deeper than 256 levels"},
      {repeat("<a>", 100'000) + repeat("</a>", 100'000), "elements nested deeper than 256 levels"},
      {deepOpen + repeat("</a>", 1'000'000), "elements nested deeper than 256 levels"},
      {deepOpen, "elements nested deeper than 256 levels"},
  };
  for (const auto& [input, reason] : cases) {
    lines.clear();
    const std::string label = input.substr(0, 60);
    EXPECT_EQ(parse(input), nullptr) << label;
    ASSERT_EQ(lines.size(), 1u) << label;
    EXPECT_TRUE(lines[0].starts_with("xml parse error: ")) << lines[0];
    EXPECT_NE(lines[0].find(reason), std::string::npos) << lines[0];
    EXPECT_EQ(lines[0].find('\n'), std::string::npos) << lines[0];
    EXPECT_EQ(lines[0].find("SECRET"), std::string::npos);
  }
  std::filesystem::remove(secret);
}

TEST_F(XMLParser, FilesAndResources) {
  const auto directory = std::filesystem::temp_directory_path() / "xmltree-resources";
  std::filesystem::create_directories(directory);
  std::ofstream(directory / "doc.xml") << "<doc n='1'/>";

  EXPECT_EQ(XML::fromURL((directory / "doc.xml").string())->xmlName(), "doc");
  EXPECT_EQ(XML::fromURL((directory / "missing.xml").string()), nullptr);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0],
            "cannot read '" + (directory / "missing.xml").string() + "': No such file or directory");

  ::setenv("TAVLO_RESOURCE_DIR", directory.c_str(), 1);
  EXPECT_EQ(XML::fromNamed("doc.xml")->xmlAttributes().at("n"), "1");
  for (const char* name : {"", ".", "..", "../xmltree-resources/doc.xml", "missing.xml"})
    EXPECT_EQ(XML::fromNamed(name), nullptr) << name;
  ::setenv("TAVLO_RESOURCE_DIR", (directory / "absent").c_str(), 1);
  EXPECT_EQ(XML::fromNamed("doc.xml"), nullptr);
  ::unsetenv("TAVLO_RESOURCE_DIR");
  std::filesystem::remove_all(directory);
}

TEST(XMLParserDefaultSink, ReportsGoToStandardOutput) {
  ::testing::internal::CaptureStdout();
  EXPECT_EQ(parse("<a>"), nullptr);
  EXPECT_EQ(::testing::internal::GetCapturedStdout(),
            "xml parse error: no element found (line 1, column 3)\n");
}

}  // namespace
}  // namespace xmltree
