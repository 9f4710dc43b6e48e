// Test groups: named lists of contrast tests that colour items join through
// their node's test-group link. Tavlo stores and writes them; evaluating a
// test is not its job.
#pragma once

#include "TavloData/Observable.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavlo {

enum class TestTaskType { apcaContrastTest, wcagContrastTest };
inline constexpr std::array<TestTaskType, 2> allTestTaskTypes{TestTaskType::apcaContrastTest,
                                                              TestTaskType::wcagContrastTest};
std::string_view rawValue(TestTaskType type);
std::optional<TestTaskType> testTaskTypeFromRaw(std::string_view raw);
std::string_view displayName(TestTaskType type);

enum class TestThresholdType { luminosity, textSize };
inline constexpr std::array<TestThresholdType, 2> allTestThresholdTypes{TestThresholdType::luminosity,
                                                                        TestThresholdType::textSize};
std::string_view rawValue(TestThresholdType type);
std::optional<TestThresholdType> testThresholdTypeFromRaw(std::string_view raw);
std::string_view displayName(TestThresholdType type);

enum class TestFontWeight { twoHundred, threeHundred, fourHundred, fiveHundred, sixHundred, sevenHundred };
inline constexpr std::array<TestFontWeight, 6> allTestFontWeights{
    TestFontWeight::twoHundred,  TestFontWeight::threeHundred, TestFontWeight::fourHundred,
    TestFontWeight::fiveHundred, TestFontWeight::sixHundred,   TestFontWeight::sevenHundred};
std::string_view rawValue(TestFontWeight weight);
std::optional<TestFontWeight> testFontWeightFromRaw(std::string_view raw);
std::string_view displayName(TestFontWeight weight);

class TestTask : public Observable {
 public:
  TestTask(std::string uuid, std::string name, TestTaskType type);

  const std::string& name() const { return name_; }
  void setName(std::string value) { setAndNotify(name_, std::move(value), "name"); }
  TestTaskType taskType() const { return taskType_; }
  void setTaskType(TestTaskType value) { setAndNotify(taskType_, value, "taskType"); }
  const std::string& uuid() const { return uuid_; }
  void setUuid(std::string value) { setAndNotify(uuid_, std::move(value), "uuid"); }
  const std::string& id() const { return uuid_; }
  const std::optional<std::int64_t>& threshold() const { return threshold_; }
  void setThreshold(std::optional<std::int64_t> value) { setAndNotify(threshold_, value, "threshold"); }
  const std::optional<std::int64_t>& minFontSize() const { return minFontSize_; }
  void setMinFontSize(std::optional<std::int64_t> value) { setAndNotify(minFontSize_, value, "minFontSize"); }
  const std::optional<TestFontWeight>& minFontWeight() const { return minFontWeight_; }
  void setMinFontWeight(std::optional<TestFontWeight> value) {
    setAndNotify(minFontWeight_, value, "minFontWeight");
  }
  const std::optional<TestThresholdType>& thresholdType() const { return thresholdType_; }
  void setThresholdType(std::optional<TestThresholdType> value) {
    setAndNotify(thresholdType_, value, "thresholdType");
  }

 private:
  std::string name_;
  TestTaskType taskType_;
  std::string uuid_;
  std::optional<std::int64_t> threshold_;
  std::optional<std::int64_t> minFontSize_;
  std::optional<TestFontWeight> minFontWeight_;
  std::optional<TestThresholdType> thresholdType_;
};

class TestGroup : public Observable {
 public:
  TestGroup(std::string name, std::string uuid, std::vector<std::shared_ptr<TestTask>> tests);

  const std::string& uuid() const { return uuid_; }
  const std::string& id() const { return uuid_; }
  const std::string& name() const { return name_; }
  void setName(std::string value) { setAndNotify(name_, std::move(value), "name"); }
  const std::vector<std::shared_ptr<TestTask>>& tests() const { return tests_; }
  void setTests(std::vector<std::shared_ptr<TestTask>> value) {
    setAndNotify(tests_, std::move(value), "tests");
  }
  bool isExpanded() const { return isExpanded_; }
  void setIsExpanded(bool value) { setAndNotify(isExpanded_, value, "isExpanded"); }

  // Groups are the same group when their identifiers are.
  bool operator==(const TestGroup& other) const { return uuid_ == other.uuid_; }

 private:
  std::string uuid_;
  std::string name_;
  std::vector<std::shared_ptr<TestTask>> tests_;
  bool isExpanded_ = false;
};

}  // namespace tavlo

// Hashed by identity, like equality.
template <>
struct std::hash<tavlo::TestGroup> {
  std::size_t operator()(const tavlo::TestGroup& group) const {
    return std::hash<std::string>()(group.uuid());
  }
};
