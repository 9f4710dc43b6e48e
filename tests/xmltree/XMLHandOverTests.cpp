// Parsing with a hand-over: which elements reach the handler, at which
// level and in which order, and what stays in the returned tree.
#include <string>
#include <vector>

#include "TestSupport.h"

namespace xmltree {
namespace {

using testing::repeat;
using XMLHandOver = testing::CapturedReports;

// The element names of a tree, children in parentheses: "r(p(list),x)".
std::string shape(const XML& element) {
  std::string out = element.xmlName();
  if (element.xmlChildren().empty()) return out;
  out += '(';
  for (std::size_t i = 0; i < element.xmlChildren().size(); ++i) {
    if (i > 0) out += ',';
    out += shape(*element.xmlChildren()[i]);
  }
  return out + ')';
}

struct HandOverCase {
  const char* name;
  const char* document;
  XML::HandOver handOver;
  // Each handed-over element as name@level, with what is left of its
  // children in brackets; the handler keeps elements whose name starts with
  // "keep" and takes every other one.
  const char* handed;
  const char* remaining;
};

// clang-format off
const HandOverCase kCases[] = {
    {"children of the path's end", "<r><p><list><i/><i><x/></i></list><after/></p></r>",
     {{"p", "list"}, ""}, "i@0 i@0[x]", "r(p(list,after))"},
    {"only the first element of each step's name",
     "<r><p><list><i/></list><list><j/></list></p><p><list><k/></list></p></r>",
     {{"p", "list"}, ""}, "i@0", "r(p(list,list(j)),p(list(k)))"},
    {"the path starts at the root's children",
     "<r><q><list><i/></list></q><p><x><list><i/></list></x></p></r>",
     {{"p", "list"}, ""}, "", "r(q(list(i)),p(x(list(i))))"},
    {"the root's name does not matter", "<anything><p><list><i/></list></p></anything>",
     {{"p", "list"}, ""}, "i@0", "anything(p(list))"},
    {"nesting elements hand over their children first",
     "<r><p><list><g><keep/><i/><g><i/></g></g><i/></list></p></r>",
     {{"p", "list"}, "g"}, "keep@1 i@1 i@2 g@1 g@0[keep] i@0", "r(p(list))"},
    {"nesting goes through nesting elements only", "<r><p><list><i><g><i/></g></i></list></p></r>",
     {{"p", "list"}, "g"}, "i@0[g(i)]", "r(p(list))"},
    {"an empty path hands over the root's children", "<r><a/><b><c/></b></r>", {{}, ""}, "a@0 b@0[c]", "r"},
    {"a kept element stays in the tree", "<r><p><list><keep/><i/></list></p></r>",
     {{"p", "list"}, ""}, "keep@0 i@0", "r(p(list(keep)))"},
};
// clang-format on

TEST_F(XMLHandOver, HandsOverTheChosenElementsAndLeavesTheRest) {
  for (const HandOverCase& c : kCases) {
    std::string handed;
    const XMLPtr root = XML::fromData(c.document, c.handOver, [&](const XMLPtr& element, std::size_t level) {
      if (!handed.empty()) handed += ' ';
      handed += element->xmlName() + "@" + std::to_string(level);
      const std::string children = shape(*element).substr(element->xmlName().size());
      if (!children.empty()) handed += "[" + children.substr(1, children.size() - 2) + "]";
      EXPECT_TRUE(element->parent()) << c.name;
      return element->xmlName().rfind("keep", 0) != 0;
    });
    ASSERT_TRUE(root) << c.name;
    EXPECT_EQ(handed, c.handed) << c.name;
    EXPECT_EQ(shape(*root), c.remaining) << c.name;
  }
  EXPECT_TRUE(lines.empty());
}

TEST_F(XMLHandOver, KeepingEverythingGivesThePlainTree) {
  for (const HandOverCase& c : kCases) {
    const XMLPtr streamed =
        XML::fromData(c.document, c.handOver, [](const XMLPtr&, std::size_t) { return false; });
    const XMLPtr plain = XML::fromData(c.document);
    ASSERT_TRUE(streamed && plain) << c.name;
    EXPECT_EQ(streamed->description(), plain->description()) << c.name;
  }
}

TEST_F(XMLHandOver, HandedElementsAreComplete) {
  const XMLPtr root = XML::fromData("<r><p><list><i a=\"1\">text<b>inner</b> more</i></list></p></r>",
                                    {{"p", "list"}, ""}, [](const XMLPtr& element, std::size_t) {
                                      EXPECT_EQ(element->xmlAttributes().at("a"), "1");
                                      EXPECT_EQ(element->xmlValue(), "text more");
                                      EXPECT_EQ((*element)["b"].string(), "inner");
                                      EXPECT_EQ(element->parent()->xmlName(), "list");
                                      return true;
                                    });
  ASSERT_TRUE(root);
}

TEST_F(XMLHandOver, ABrokenDocumentIsAbsentAfterElementsWereHandedOver) {
  int handed = 0;
  const XMLPtr root = XML::fromData("<r><p><list><i/><i/></list>", {{"p", "list"}, ""},
                                    [&](const XMLPtr&, std::size_t) { return ++handed, true; });
  EXPECT_FALSE(root);
  EXPECT_EQ(handed, 2);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].rfind("xml parse error: ", 0), 0u);
}

TEST_F(XMLHandOver, NestingStillHasTheDepthLimit) {
  const std::string document = "<r><p><list>" + repeat("<g>", 300) + repeat("</g>", 300) + "</list></p></r>";
  int handed = 0;
  const XMLPtr root = XML::fromData(document, {{"p", "list"}, "g"},
                                    [&](const XMLPtr&, std::size_t) { return ++handed, true; });
  EXPECT_FALSE(root);
  EXPECT_EQ(handed, 0);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_NE(lines[0].find("nested deeper than 256 levels"), std::string::npos);
}

}  // namespace
}  // namespace xmltree
