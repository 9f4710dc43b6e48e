// The reader takes each item element as soon as it is parsed. Whatever the
// order and nesting of the document, its project must be the one read from
// the document's whole element tree.
#include "DataTestSupport.h"

namespace tavlo {
namespace {

using namespace testsupport;

// The reading of the whole element tree: envelope and groups first, then
// each child of `colorItems` with its links resolved at once.
std::shared_ptr<MerrinColorProject> readWholeTree(std::string_view bytes) {
  auto project = std::make_shared<MerrinColorProject>();
  const xmltree::XMLPtr root = xmltree::XML::fromData(bytes);
  const xmltree::XML* element = root ? firstChildElement(*root, "project") : nullptr;
  if (element) {
    if (const xmltree::XML* header = firstChildElement(*element, "header"))
      if (auto description = childText(*header, "description"))
        project->setProjectDescription(std::string(*description));
    if (const xmltree::XML* settings = firstChildElement(*element, "settings"))
      for (const auto& setting : settings->xmlChildren()) {
        auto key = childText(*setting, "key");
        auto value = childText(*setting, "value");
        if (key && value)
          project->appendSetting(std::make_shared<DocumentSetting>(std::string(*key), std::string(*value)));
      }
    if (const xmltree::XML* groups = firstChildElement(*element, "buildGroups"))
      for (const auto& child : groups->xmlChildren())
        if (auto group = parseBuildGroup(*child, false)) project->appendBuildGroup(group);
    if (const xmltree::XML* groups = firstChildElement(*element, "testGroups"))
      for (const auto& child : groups->xmlChildren())
        if (auto group = parseTestGroup(*child, false)) project->appendTestGroup(group);
    if (const xmltree::XML* items = firstChildElement(*element, "colorItems"))
      for (const auto& child : items->xmlChildren())
        if (auto node = parseItem(*child, *project, false)) project->appendItem(node);
  }
  project->inflateAllAliases();
  return project;
}

// Everything of a node the writer does not show: links by identity, flags.
void describeNodes(const MerrinColorProjectItemList& items, int depth, std::ostringstream& out) {
  for (const auto& node : items) {
    out << std::string(static_cast<std::size_t>(depth) * 2, ' ') << node->uuid() << " '" << node->name()
        << "' " << static_cast<int>(node->itemType()) << " expanded " << node->isExpanded() << " position "
        << static_cast<int>(node->testPosition()) << " build "
        << (node->buildGroup() ? node->buildGroup()->uuid() + "@" + node->buildGroup()->name() : "-")
        << " test "
        << (node->testGroup() ? node->testGroup()->uuid() + "@" + node->testGroup()->name() : "-");
    if (const auto& group = node->group()) {
      out << " namespace " << group->providesNamespace() << "\n";
      describeNodes(group->items(), depth + 1, out);
    } else {
      out << "\n";
    }
  }
}

// The description of a project read from `bytes`, with the fresh identifiers
// of elements that have none replaced, as they differ from read to read.
std::string describe(const MerrinColorProject& project, const std::string& bytes) {
  std::ostringstream out;
  out << "settings " << project.settings().size() << " build " << project.buildGroups().size() << " test "
      << project.testGroups().size() << "\n";
  describeNodes(project.items(), 0, out);
  const std::string text = out.str() + MerrinColorFileWriter::data(project);
  static const std::regex kUuid("[0-9A-F]{8}-[0-9A-F]{4}-4[0-9A-F]{3}-[89AB][0-9A-F]{3}-[0-9A-F]{12}");
  std::string result;
  auto last = text.cbegin();
  for (std::sregex_iterator it(text.begin(), text.end(), kUuid), end; it != end; ++it) {
    result.append(last, (*it)[0].first);
    result += bytes.find(it->str()) == std::string::npos ? std::string("<fresh>") : it->str();
    last = (*it)[0].second;
  }
  return result.append(last, text.cend());
}

std::string number(const std::string& id, const std::string& extra = "") {
  return "<numberItem><id>" + id + "</id><name>" + id + "</name>" + extra +
         "<number><variants><variant><value>1</value></variant></variants></number></numberItem>";
}

const std::string kGroups =
    "<buildGroups><buildGroup><id>B1</id><name>first</name></buildGroup>"
    "<buildGroup><id>B1</id><name>second of the same id</name></buildGroup></buildGroups>"
    "<testGroups><testGroup><id>T1</id><name>tests</name></testGroup></testGroups>";

std::string document(const std::string& projectChildren) {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<tavlo><project>" + projectChildren +
         "</project></tavlo>";
}

struct StreamCase {
  const char* name;
  std::string bytes;
};

std::vector<StreamCase> streamCases() {
  const std::string links = "<buildGroupId>B1</buildGroupId><testGroupId>T1</testGroupId>";
  std::vector<StreamCase> cases = {
      {"groups after the items they link to",
       document("<colorItems>" + number("N1", links) + "<group><id>G1</id><name>g</name>" + links +
                "<testPosition>foreground</testPosition>" + number("N2", links) + "</group></colorItems>" +
                kGroups)},
      {"groups before the items", document(kGroups + "<colorItems>" + number("N1", links) + "</colorItems>")},
      {"links that match nothing",
       document("<colorItems>" + number("N1", "<buildGroupId>B9</buildGroupId><testGroupId></testGroupId>") +
                "</colorItems>" + kGroups)},
      {"a group's own children after its members",
       document("<colorItems><group>" + number("N1") + "<group>" + number("N2") +
                "<id>G2</id><name>inner</name><namespace>1</namespace></group>" +
                "<id>G1</id><name>outer</name><expanded>1</expanded><name>second "
                "name</name></group></colorItems>")},
      {"other elements among the items",
       document("<colorItems><note>" + number("N0") + "</note>" + number("N1") +
                "<group><id>G1</id><name>g</name><wrapper>" + number("N2") +
                "<group><id>G9</id></group></wrapper>" + number("N3") + "</group></colorItems>")},
      {"dropped items leave no gap", document("<colorItems><group><id>G1</id><name>g</name>"
                                              "<colorItem><id>C1</id><name>no profile</name></colorItem>" +
                                              number("N1") + "<numberItem><id>N2</id></numberItem>" +
                                              number("N3") + "</group></colorItems>")},
      {"only the first colorItems and the first project count",
       "<tavlo><project><colorItems>" + number("N1") + "</colorItems><colorItems>" + number("N2") +
           "</colorItems></project><project><colorItems>" + number("N3") + "</colorItems></project></tavlo>"},
      {"items outside the first project's colorItems",
       "<root><colorItems>" + number("N1") + "</colorItems><project><header><colorItems>" + number("N2") +
           "</colorItems></header><colorItems>" + number("N3") + "</colorItems></project></root>"},
      {"deep groups", document("<colorItems>" +
                               [&] {
                                 std::string nested;
                                 for (int i = 0; i < 200; ++i)
                                   nested += "<group><id>G" + std::to_string(i) + "</id>" +
                                             number("N" + std::to_string(i));
                                 for (int i = 0; i < 200; ++i) nested += "</group>";
                                 return nested;
                               }() +
                               "</colorItems>")},
      {"broken after the items", "<tavlo><project><colorItems>" + number("N1") + "</colorItems>"},
      {"no project", "<tavlo><colorItems>" + number("N1") + "</colorItems></tavlo>"},
  };
  for (const char* file : {"tree-basics.tavlo", "round-trip-edges.tavlo"})
    cases.push_back({file, readFile(std::filesystem::path(TAVLO_TEST_DATA) / file)});
  cases.push_back({"showcase", readFile(TAVLO_SOURCE_DIR "/examples/showcase.tavlo")});
  return cases;
}

TEST(ItemStream, ReadsWhatTheWholeTreeReads) {
  xmltree::setParseErrorSink([](std::string_view) {});
  for (const StreamCase& c : streamCases()) {
    ASSERT_FALSE(c.bytes.empty()) << c.name;
    EXPECT_EQ(describe(*MerrinColorFileReader().parse(c.bytes), c.bytes),
              describe(*readWholeTree(c.bytes), c.bytes))
        << c.name;
  }
  xmltree::setParseErrorSink({});
}

}  // namespace
}  // namespace tavlo
