// `tavlo stats` and `tavlo dump` on small documents. Unreadable paths and
// bytes that are no document are in the hostile-document table.
#include <nlohmann/json.hpp>

#include "ToolSupport.h"

namespace {

using namespace tooltest;

const std::string basics = TAVLO_TEST_DATA "/tree-basics.tavlo";

TEST(StatsCommand, OneLinePerCounterInFieldOrder) {
  const ToolRun run = tavlo({"stats", basics});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(
      run.out,
      "colorItemCount: 0\ncolorSetCount: 0\ncolorAliasCount: 0\ngroupCount: 3\nnumberCount: 1\n"
      "numberAliasCount: 0\nbooleanCount: 1\nbooleanAliasCount: 0\nstringCount: 1\nstringAliasCount: 0\n"
      "shadowCount: 0\nshadowSetCount: 0\nshadowAliasCount: 0\n");
}

TEST(DumpCommand, TreeWithGroupFlagsAndChildren) {
  const ToolRun run = tavlo({"dump", basics});
  ASSERT_EQ(run.status, 0) << run.err;
  const auto json = nlohmann::json::parse(run.out);
  EXPECT_EQ(json["description"], "Tree basics");
  EXPECT_EQ(json["displayMode"], "table");
  EXPECT_EQ(json["settings"].dump(), R"([{"key":"DisplayMode","value":"table"}])");
  // The unknown element in the outer group is skipped.
  std::vector<std::string> tree;
  for (const auto& item : json["items"]) {
    tree.push_back(item["type"].get<std::string>() + " " + item["uuid"].get<std::string>());
    if (item.contains("children"))
      tree.back() += " " + item["expanded"].dump() + " " + item["namespace"].dump() + " " +
                     std::to_string(item["children"].size());
  }
  EXPECT_EQ(tree, (std::vector<std::string>{"number N1", "group G1 true true 2", "group G3 false false 0"}));
  EXPECT_EQ(json["items"][1]["children"][1]["children"][0]["name"], "Label");
}

// Build and test groups with every field, the items' links to them, and
// keys in the documented order (ordered_json keeps the order printed).
TEST(DumpCommand, GroupsLinksAndReferencesInDocumentOrder) {
  const ToolRun run = tavlo({"dump", TAVLO_TEST_DATA "/round-trip-edges.tavlo"});
  ASSERT_EQ(run.status, 0) << run.err;
  const auto json = nlohmann::ordered_json::parse(run.out);
  EXPECT_EQ(json["buildGroups"].dump(),
            R"([{"uuid":"B-1","name":"Everything","expanded":false,"tasks":[{"name":"LESS",)"
            R"("nameTransform":"kebabCase","folder":"","fileName":"vars.less","fileType":"less",)"
            R"("format":"cssColor","namePrefix":null,"nameSuffix":null,"configuration":{},"uuid":"K-1"}]}])");
  EXPECT_EQ(json["testGroups"].dump(),
            R"([{"uuid":"T-1","name":"Pairs","expanded":false,"tests":[{"name":"APCA","type":"apcaContrast",)"
            R"("uuid":"X-1","threshold":-60,"fontSize":null,"fontWeight":null,"thresholdType":null}]}])");

  const auto& group = json["items"][1];
  const auto& text = group["children"][1];
  std::vector<std::string> keys;
  for (const auto& [key, value] : text.items()) keys.push_back(key);
  keys.resize(6);
  EXPECT_EQ(keys,
            (std::vector<std::string>{"type", "name", "uuid", "buildGroup", "testGroup", "testPosition"}));
  EXPECT_EQ(text["testGroup"], "T-1");
  EXPECT_EQ(text["testPosition"], "background");
  EXPECT_EQ(text["buildGroup"], nullptr);
  EXPECT_EQ(group["buildGroup"], "B-1");
  EXPECT_EQ(group["children"].back()["references"]["light"].dump(),
            R"({"type":"setItem","uuid":"H-SET","index":1,"resolvesTo":"H-SET"})");
}

}  // namespace
