#include <initializer_list>

#include "TestSupport.h"

namespace xmltree {
namespace {

using testing::parse;
using Kind = XMLSubscriptResult::Kind;

XMLPtr sampleTree() {
  static const XMLPtr root = parse(
      R"(<root id="r"><project name="p"><item id="1">one</item><item id="2">two</item></project><other/></root>)");
  return root;
}

XMLSubscriptResult chain(std::initializer_list<std::string_view> members) {
  auto it = members.begin();
  XMLSubscriptResult result = (*sampleTree())[*it++];
  for (; it != members.end(); ++it) result = result[*it];
  return result;
}

struct LookupCase {
  std::initializer_list<std::string_view> members;
  Kind kind;
  std::string pathOrMessage;  // the message for null, the path otherwise
};

TEST(XMLLookup, ChainsGiveTheirKindAndPathOrMessage) {
  const LookupCase cases[] = {
      {{"project"}, Kind::array, ".project"},
      {{"0"}, Kind::xml, "[0]"},
      {{"$id"}, Kind::string, ".$id"},
      {{"5"}, Kind::null, "index:5 out of bounds: 0..<2"},
      {{"-1"}, Kind::null, "index:-1 out of bounds: 0..<2"},
      {{"$nope"}, Kind::null, "no such attribute named: \"nope\""},
      {{"items"}, Kind::null, "no such children named: \"items\""},
      {{"0x1"}, Kind::null, "no such children named: \"0x1\""},
      {{" 1"}, Kind::null, "no such children named: \" 1\""},
      {{"project", "item"}, Kind::array, ".project.0.item"},
      {{"project", "item", "1"}, Kind::xml, ".project.0.item.1"},
      {{"project", "item", "1", "$id"}, Kind::string, ".project.0.item.1.$id"},
      {{"project", "item", "$id"}, Kind::string, ".project.0.item.0.$id"},
      {{"project", "3"}, Kind::null, ".project: index:3 out of bounds: 0..<1"},
      {{"project", "items", "item"}, Kind::null, ".project.0: no such children named: \"items\""},
      {{"project", "items", "item", "0", "$id"}, Kind::null, ".project.0: no such children named: \"items\""},
      {{"0", "0"}, Kind::null, "[0]: single xml can not subscript by index: 0"},
      {{"0", "item"}, Kind::array, "[0].item"},
      {{"0", "nope"}, Kind::null, "[0]: no such children named: \"nope\""},
      {{"0", "$nope"}, Kind::null, "[0]: no such attribute named: nope"},
      {{"$id", "0"}, Kind::null, ".$id: attribute can not subscript by index: 0"},
      {{"$id", "x"}, Kind::null, ".$id: attribute can not subscript by key: x"},
      {{"$id", "$y"}, Kind::null, ".$id: attribute can not subscript by attribute: y"},
  };
  for (const LookupCase& c : cases) {
    const XMLSubscriptResult result = chain(c.members);
    const std::string label = "chain starting " + std::string(*c.members.begin()) + ", " + c.pathOrMessage;
    EXPECT_EQ(result.kind(), c.kind) << label;
    EXPECT_EQ(c.kind == Kind::null ? result.error() : result.path(), c.pathOrMessage) << label;
    if (c.kind != Kind::null) {
      EXPECT_EQ(result.error(), "") << label;
    }
  }
}

TEST(XMLLookup, MemberNameRule) {
  using K = XMLSubscriptKey;
  const std::pair<std::string_view, XMLSubscriptKey> cases[] = {
      {"0", K::index(0)},
      {"+7", K::index(7)},
      {"-9223372036854775808", K::index(INT64_MIN)},
      {"9223372036854775808", K::key("9223372036854775808")},
      {"$id", K::attribute("id")},
      {"$", K::attribute("")},
      {"$$", K::attribute("$")},
      {"1 ", K::key("1 ")},
      {"+", K::key("+")},
  };
  for (const auto& [member, key] : cases) EXPECT_EQ(XMLSubscriptKey::member(member), key) << member;
}

TEST(XMLLookup, ReadingResults) {
  const XMLSubscriptResult items = chain({"project", "item"});
  EXPECT_EQ(items.xml()->xmlValue(), "one");
  EXPECT_EQ(items.string(), "one");
  EXPECT_EQ(items.getXMLList().size(), 2u);
  EXPECT_EQ(chain({"project", "item", "1"}).getXMLList().size(), 1u);
  EXPECT_EQ(chain({"$id"}).string(), "r");
  EXPECT_EQ(chain({"$id"}).xml(), nullptr);
  EXPECT_EQ(chain({"$id"}).xmlList(), std::nullopt);
  EXPECT_EQ(chain({"items"}).string(), std::nullopt);
  EXPECT_EQ(chain({"items"}).xmlList(), std::nullopt);

  struct ThrowCase {
    XMLSubscriptResult result;
    std::string xmlMessage, listMessage;
  };
  const ThrowCase throwing[] = {
      {chain({"$id"}), "can not get XML from attribute, from keyChain: .$id",
       "can not get list from attribute, from keyChain: .$id"},
      {chain({"nope"}), "no such children named: \"nope\"", "no such children named: \"nope\""},
  };
  for (const ThrowCase& c : throwing) {
    testing::expectXMLError([&] { c.result.getXML(); }, XMLError::Kind::subscriptFailue, c.xmlMessage);
    testing::expectXMLError([&] { c.result.getXMLList(); }, XMLError::Kind::subscriptFailue, c.listMessage);
  }
}

TEST(XMLLookup, Iteration) {
  std::vector<std::string> ids;
  for (const XMLPtr& item : chain({"project", "item"})) ids.push_back(item->xmlAttributes().at("id"));
  EXPECT_EQ(ids, (std::vector<std::string>{"1", "2"}));
  const XMLSubscriptResult single = chain({"project", "item", "1"});
  EXPECT_EQ(single.end() - single.begin(), 1);
  for (const XMLSubscriptResult& empty : {chain({"$id"}), chain({"nope"})})
    EXPECT_EQ(empty.begin(), empty.end());

  XMLSubscriptResultIterator iterator = chain({"project", "item"}).makeIterator();
  EXPECT_EQ(iterator.next()->xmlValue(), "one");
  EXPECT_EQ(iterator.next()->xmlValue(), "two");
  EXPECT_EQ(iterator.next(), nullptr);
  EXPECT_EQ(iterator.next(), nullptr);
}

TEST(XMLLookup, ParentLinks) {
  const XMLPtr root = sampleTree();
  const XMLPtr project = (*root)["project"].getXML();
  EXPECT_EQ(project->parent(), root);
  EXPECT_EQ(root->parent(), nullptr);

  const XMLPtr a = XML::make("a"), b = XML::make("b"), c = XML::make("c");
  a->addChild(c);
  b->addChildren({c});
  EXPECT_EQ(c->parent(), b);
  EXPECT_EQ(a->xmlChildren().size(), 1u);  // not removed from its earlier parent
  XMLPtr orphan = XML::make("o");
  XML::make("gone")->addChild(orphan);
  EXPECT_EQ(orphan->parent(), nullptr);  // the parent link never keeps a parent alive
}

TEST(XMLLookupDeathTest, AddingSelfStops) {
  const XMLPtr a = XML::make("a");
  EXPECT_DEATH(a->addChild(a), "can not add self to xml children list!");
}

}  // namespace
}  // namespace xmltree
