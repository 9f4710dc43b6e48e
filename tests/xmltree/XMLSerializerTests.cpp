#include "TestSupport.h"

namespace xmltree {
namespace {

using testing::parse;

TEST(XMLSerializer, ParsedDocumentsWriteExactText) {
  const std::pair<std::string_view, std::string_view> cases[] = {
      {"<a>  </a>", "<a></a>\n"},  // whitespace-only value: a pair of tags, not "/>"
      {"<a/>", "<a/>\n"},
      {"<a></a>", "<a/>\n"},
      {R"(<p x="1" a="2"><b/></p>)", "<p a=\"2\" x=\"1\">\n\t<b/>\n</p>\n"},
      {"<v>&lt;&amp;''</v>", "<v>&lt;&amp;&apos;&apos;</v>\n"},
      {"<v>&amp;amp;</v>", "<v>&amp;amp;</v>\n"},
      {R"(<v q='"&gt;&lt;'/>)", "<v q=\"&quot;&gt;&lt;\"/>\n"},
      // A carriage return survives only as a reference; a raw one reads as a line feed.
      {"<v q='&#13;'>a&#13;b\r\nc</v>", "<v q=\"&#13;\">a&#13;b\nc</v>\n"},
      // Text between children joins the parent's one value, written trimmed on the start line.
      {"<p>\n  hi <b>x</b> there\n</p>", "<p>hi  there\n\t<b>x</b>\n</p>\n"},
      {"<a><b><c z='1'/></b><d/></a>", "<a>\n\t<b>\n\t\t<c z=\"1\"/>\n\t</b>\n\t<d/>\n</a>\n"},
      // Unicode spaces are trimmed too; names are written unchanged.
      {"<t:v>\xc2\xa0x y\xe3\x80\x80</t:v>", "<t:v>x y</t:v>\n"},
      {"<v>\xe2\x80\x83\xf0\x9f\x8e\xa8</v>", "<v>\xf0\x9f\x8e\xa8</v>\n"},
  };
  for (const auto& [input, expected] : cases) {
    const XMLPtr root = parse(input);
    ASSERT_TRUE(root) << input;
    EXPECT_EQ(root->description(), expected) << input;
  }
}

TEST(XMLSerializer, BuiltTrees) {
  const XMLPtr root = XML::make("project", {{"i", 42},
                                            {"d", 0.1},
                                            {"f", 2.5f},
                                            {"n", -1.0},
                                            {"big", 1e16},
                                            {"tiny", 1.5e-7},
                                            {"b", true},
                                            {"u", 7u},
                                            {"s", std::string("t")}});
  EXPECT_EQ(root->description(),
            "<project b=\"true\" big=\"10000000000000000\" d=\"0.1\" f=\"2.5\" i=\"42\" n=\"-1\" "
            "s=\"t\" tiny=\"0.00000015\" u=\"7\"/>\n");

  const XMLPtr item = XML::make("item", {}, 3);
  item->addAttribute("z", "1").addAttribute("z", "2").addAttributes({{"y", 1.25}});
  item->setIndentCharacters("  ");
  const XMLPtr leaf = XML::make("leaf", {}, "");
  leaf->setIndentCharacters("-");
  item->addChild(leaf);
  XMLPtr top = XML::make("top");
  top->addChild(item);
  EXPECT_EQ(top->description(), "<top>\n  <item y=\"1.25\" z=\"2\">3\n--<leaf></leaf>\n  </item>\n</top>\n");
}

TEST(XMLSerializer, VeryDeepBuiltTreeWritesAndFreesWithoutRecursion) {
  constexpr int kDepth = 1'000'000;
  XMLPtr root = XML::make("a");
  root->setIndentCharacters("");
  XML* tip = root.get();
  for (int i = 1; i < kDepth; ++i) {
    XMLPtr child = XML::make("a");
    child->setIndentCharacters("");
    tip->addChild(child);
    tip = child.get();
  }
  const std::string text = root->description();
  EXPECT_EQ(text.size(), (kDepth - 1) * std::string("<a>\n</a>\n").size() + std::string("<a/>\n").size());
  EXPECT_EQ(text.substr(0, 8), "<a>\n<a>\n");
  root.reset();  // must not overflow the stack
}

}  // namespace
}  // namespace xmltree
