#include "TavloData/TestGroup.h"

#include "TavloData/EnumTable.h"

#include <array>

namespace tavlo {

namespace {

constexpr std::array<EnumEntry<TestTaskType>, 2> taskTypes{{
    {TestTaskType::apcaContrastTest, "apcaContrast", "APCA Contrast"},
    {TestTaskType::wcagContrastTest, "wcagContrast", "WCAG Contrast"},
}};

constexpr std::array<EnumEntry<TestThresholdType>, 2> thresholdTypes{{
    {TestThresholdType::luminosity, "luminosity", "Luminosity"},
    {TestThresholdType::textSize, "textSize", "Text Size/Weight"},
}};

constexpr std::array<EnumEntry<TestFontWeight>, 6> fontWeights{{
    {TestFontWeight::twoHundred, "200", "200"},
    {TestFontWeight::threeHundred, "300", "300"},
    {TestFontWeight::fourHundred, "400", "400"},
    {TestFontWeight::fiveHundred, "500", "500"},
    {TestFontWeight::sixHundred, "600", "600"},
    {TestFontWeight::sevenHundred, "700", "700"},
}};

}  // namespace

std::string_view rawValue(TestTaskType type) {
  return enumEntry(taskTypes, type).raw;
}
std::optional<TestTaskType> testTaskTypeFromRaw(std::string_view raw) {
  return enumFromRaw(taskTypes, raw);
}
std::string_view displayName(TestTaskType type) {
  return enumEntry(taskTypes, type).display;
}

std::string_view rawValue(TestThresholdType type) {
  return enumEntry(thresholdTypes, type).raw;
}
std::optional<TestThresholdType> testThresholdTypeFromRaw(std::string_view raw) {
  return enumFromRaw(thresholdTypes, raw);
}
std::string_view displayName(TestThresholdType type) {
  return enumEntry(thresholdTypes, type).display;
}

std::string_view rawValue(TestFontWeight weight) {
  return enumEntry(fontWeights, weight).raw;
}
std::optional<TestFontWeight> testFontWeightFromRaw(std::string_view raw) {
  return enumFromRaw(fontWeights, raw);
}
std::string_view displayName(TestFontWeight weight) {
  return enumEntry(fontWeights, weight).display;
}

TestTask::TestTask(std::string uuid, std::string name, TestTaskType type)
    : name_(std::move(name)), taskType_(type), uuid_(std::move(uuid)) {}

TestGroup::TestGroup(std::string name, std::string uuid, std::vector<std::shared_ptr<TestTask>> tests)
    : uuid_(std::move(uuid)), name_(std::move(name)), tests_(std::move(tests)) {}

}  // namespace tavlo
