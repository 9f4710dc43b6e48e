#include "TavloData/MerrinColorFileWriter.h"

#include "TavloData/BuildGroup.h"
#include "TavloData/DecimalFormatter.h"
#include "TavloData/DocumentSetting.h"
#include "TavloData/ItemElementWriters.h"
#include "TavloData/MerrinColorGroup.h"
#include "TavloData/MerrinColorProject.h"
#include "TavloData/MerrinColorProjectItem.h"
#include "TavloData/TestGroup.h"

#include <unicode/utf8.h>

#include <cstring>

namespace tavlo {

namespace {

using xmltree::XML;
using xmltree::XMLPtr;

constexpr std::string_view documentNamespace = "https://tavlo.example/tavlo";
constexpr std::string_view schemaInstanceNamespace = "http://www.w3.org/2001/XMLSchema-instance";
constexpr std::string_view schemaLocation = "https://tavlo.example/tavlo/schema/tavlo.xsd";
constexpr std::string_view indentUnit = "  ";

bool isValidUTF8(std::string_view text) {
  const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
  const auto length = static_cast<int64_t>(text.size());
  for (int64_t i = 0; i < length;) {
    if (bytes[i] < 0x80) {  // the common case: skip ASCII eight bytes at a time
      uint64_t word = 0;
      while (i + 8 <= length && (std::memcpy(&word, bytes + i, 8), (word & 0x8080808080808080u) == 0)) i += 8;
      while (i < length && bytes[i] < 0x80) ++i;
      continue;
    }
    UChar32 c = 0;
    int32_t offset = 0;
    int32_t chunk = static_cast<int32_t>(std::min<int64_t>(length - i, 4));
    U8_NEXT(bytes + i, offset, chunk, c);
    if (c < 0) return false;
    i += offset;
  }
  return true;
}

XMLPtr groupElement(const MerrinColorProjectItem& item, const MerrinColorGroup& group) {
  XMLPtr element = merrinElement("group");
  element->addChild(merrinElement("id", item.uuid()));
  element->addChild(merrinElement("name", item.name()));
  if (item.isExpanded()) element->addChild(merrinElement("expanded", "1"));
  if (group.providesNamespace()) element->addChild(merrinElement("namespace", "1"));
  // Nesting is bounded by the element tree's depth limit for anything read;
  // projects built through the API nest as deep as their author made them.
  for (const auto& member : group.items()) element->addChild(xml(*member));
  return element;
}

}  // namespace

std::string writerNumberText(double value) {
  return DecimalFormatter::documentFormatter().string(value).value_or(std::string());
}

XMLPtr merrinElement(std::string name) {
  XMLPtr element = XML::make(std::move(name));
  element->setIndentCharacters(std::string(indentUnit));
  return element;
}

XMLPtr merrinElement(std::string name, std::string_view text) {
  XMLPtr element = merrinElement(std::move(name));
  element->setXmlValue(std::string(text));
  return element;
}

XMLPtr merrinElement(std::string name, double value) {
  return merrinElement(std::move(name), writerNumberText(value));
}

// Every 64-bit integer exactly: a double would round those above 2^53.
XMLPtr merrinElement(std::string name, std::int64_t value) {
  return merrinElement(std::move(name), std::to_string(value));
}

XMLPtr xml(const MerrinColorProjectItem& item) {
  XMLPtr element;
  // The kinds are tried in a fixed order; the node's invariant makes exactly one present.
  if (item.color())
    element = colorItemElement(item);
  else if (item.colorSet())
    element = colorSetElement(item);
  else if (item.group())
    element = groupElement(item, *item.group());
  else if (item.colorAlias())
    element = colorAliasElement(item);
  else if (item.number())
    element = numberItemElement(item);
  else if (item.numberAlias())
    element = numberAliasElement(item);
  else if (item.boolean())
    element = booleanItemElement(item);
  else if (item.booleanAlias())
    element = booleanAliasElement(item);
  else if (item.string())
    element = stringItemElement(item);
  else if (item.stringAlias())
    element = stringAliasElement(item);
  else if (item.shadow())
    element = shadowItemElement(item);
  else if (item.shadowSet())
    element = shadowSetElement(item);
  else if (item.shadowAlias())
    element = shadowAliasElement(item);
  if (!element) throw InvalidItemError();

  if (const auto& buildGroup = item.buildGroup())
    element->addChild(merrinElement("buildGroupId", buildGroup->uuid()));
  if (const auto& testGroup = item.testGroup()) {
    element->addChild(merrinElement("testGroupId", testGroup->uuid()));
    element->addChild(merrinElement("testPosition", rawValue(item.testPosition())));
  }
  return element;
}

XMLPtr xml(const BuildGroup& group) {
  XMLPtr element = merrinElement("buildGroup");
  element->addChild(merrinElement("id", group.uuid()));
  element->addChild(merrinElement("name", group.name()));
  if (group.isExpanded()) element->addChild(merrinElement("expanded", "1"));
  XMLPtr tasks = merrinElement("tasks");
  for (const auto& task : group.tasks()) {
    XMLPtr t = merrinElement("task");
    t->addChild(merrinElement("name", task->name()));
    t->addChild(merrinElement("id", task->uuid()));
    t->addChild(merrinElement("folder", task->exportFileFolder()));
    t->addChild(merrinElement("fileName", task->exportFileName()));
    // Codes are plain integers, not formatter output.
    t->addChild(merrinElement("fileType", std::to_string(rawValue(task->exportFileType()))));
    t->addChild(merrinElement("nameTransform", std::to_string(rawValue(task->nameTransform()))));
    if (task->exportFormat()) t->addChild(merrinElement("format", rawValue(*task->exportFormat())));
    if (task->namePrefix()) t->addChild(merrinElement("namePrefix", *task->namePrefix()));
    if (task->nameSuffix()) t->addChild(merrinElement("nameSuffix", *task->nameSuffix()));
    if (!task->customData().empty()) {
      // Sorted by key (the map's order), so the output is stable.
      XMLPtr configuration = merrinElement("configuration");
      for (const auto& [key, value] : task->customData()) configuration->addChild(merrinElement(key, value));
      t->addChild(configuration);
    }
    tasks->addChild(t);
  }
  element->addChild(tasks);
  return element;
}

XMLPtr xml(const TestGroup& group) {
  XMLPtr element = merrinElement("testGroup");
  element->addChild(merrinElement("id", group.uuid()));
  element->addChild(merrinElement("name", group.name()));
  if (group.isExpanded()) element->addChild(merrinElement("expanded", "1"));
  XMLPtr tests = merrinElement("tests");
  for (const auto& test : group.tests()) {
    XMLPtr t = merrinElement("test");
    t->addChild(merrinElement("name", test->name()));
    t->addChild(merrinElement("id", test->uuid()));
    t->addChild(merrinElement("type", rawValue(test->taskType())));
    if (test->thresholdType()) t->addChild(merrinElement("thresholdType", rawValue(*test->thresholdType())));
    if (test->threshold()) t->addChild(merrinElement("threshold", std::to_string(*test->threshold())));
    if (test->minFontSize()) t->addChild(merrinElement("fontSize", std::to_string(*test->minFontSize())));
    if (test->minFontWeight()) t->addChild(merrinElement("fontWeight", rawValue(*test->minFontWeight())));
    tests->addChild(t);
  }
  element->addChild(tests);
  return element;
}

std::string MerrinColorFileWriter::data(const MerrinColorProject& project) {
  XMLPtr root = merrinElement("tavlo");
  root->addAttribute("xmlns", documentNamespace);
  root->addAttribute("xmlns:xsi", schemaInstanceNamespace);
  root->addAttribute("xsi:schemaLocation", schemaLocation);

  XMLPtr projectElement = merrinElement("project");
  XMLPtr header = merrinElement("header");
  header->addChild(merrinElement("version", "1.6"));
  header->addChild(merrinElement("description", project.projectDescription()));
  projectElement->addChild(header);

  XMLPtr settings = merrinElement("settings");
  for (const auto& setting : project.settings()) {
    XMLPtr s = merrinElement("setting");
    s->addChild(merrinElement("key", setting->key()));
    s->addChild(merrinElement("value", setting->value()));
    settings->addChild(s);
  }
  projectElement->addChild(settings);

  XMLPtr items = merrinElement("colorItems");
  for (const auto& item : project.items()) items->addChild(xml(*item));
  projectElement->addChild(items);

  XMLPtr buildGroups = merrinElement("buildGroups");
  for (const auto& group : project.buildGroups()) buildGroups->addChild(xml(*group));
  projectElement->addChild(buildGroups);

  XMLPtr testGroups = merrinElement("testGroups");
  for (const auto& group : project.testGroups()) testGroups->addChild(xml(*group));
  projectElement->addChild(testGroups);

  root->addChild(projectElement);
  std::string text = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n" + root->description();
  if (!isValidUTF8(text)) throw EncodingError();
  return text;
}

}  // namespace tavlo
