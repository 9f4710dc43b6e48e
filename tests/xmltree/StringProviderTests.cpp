#include <cmath>
#include <limits>

#include "TestSupport.h"

namespace {

enum class Fruit { fig, pear };
std::optional<Fruit> fruitFromRaw(std::string_view raw) {
  if (raw == "fig") return Fruit::fig;
  if (raw == "pear") return Fruit::pear;
  return std::nullopt;
}
enum class Code { one = 1, two = 2 };
std::optional<Code> codeFromRaw(std::int8_t raw) {
  if (raw == 1 || raw == 2) return static_cast<Code>(raw);
  return std::nullopt;
}

}  // namespace

XMLTREE_ENUM_TRAITS(Fruit, "Fruit", fruitFromRaw)
XMLTREE_INTEGER_ENUM_TRAITS(Code, "Code", std::int8_t, codeFromRaw)

namespace xmltree {
namespace {

XMLPtr valued(std::optional<std::string> value) {
  XMLPtr element = XML::make("v");
  element->setXmlValue(std::move(value));
  return element;
}

TEST(StringProvider, Bool) {
  EXPECT_EQ(valued("true")->asBool(), true);
  EXPECT_EQ(valued("false")->asBool(), false);
  for (const char* text : {"True", "TRUE", " true", "true ", "1", "yes", ""}) {
    EXPECT_EQ(valued(text)->asBool(), std::nullopt) << text;
    EXPECT_FALSE(valued(text)->boolValue()) << text;
  }
}

TEST(StringProvider, Integers) {
  const std::pair<const char*, std::optional<std::int64_t>> ints[] = {
      {"12", 12},
      {"+12", 12},
      {"-12", -12},
      {"9223372036854775807", INT64_MAX},
      {"-9223372036854775808", INT64_MIN},
      {"9223372036854775808", std::nullopt},
      {"-9223372036854775809", std::nullopt},
      {"12 ", std::nullopt},
      {" 12", std::nullopt},
      {"0x1", std::nullopt},
      {"1.0", std::nullopt},
      {"", std::nullopt},
      {"+", std::nullopt},
      {"+-1", std::nullopt},
      {"\xd9\xa1", std::nullopt},
  };
  for (const auto& [text, expected] : ints) {
    EXPECT_EQ(valued(text)->asInt(), expected) << text;
    EXPECT_EQ(valued(text)->intValue(), expected.value_or(0)) << text;
  }
  // Each width has its own range; out of range is absent, never wrapped.
  EXPECT_EQ(valued("127")->asInt8(), 127);
  EXPECT_EQ(valued("128")->asInt8(), std::nullopt);
  EXPECT_EQ(valued("-32769")->asInt16(), std::nullopt);
  EXPECT_EQ(valued("2147483647")->asInt32(), INT32_MAX);
  EXPECT_EQ(valued("2147483648")->int32Value(), 0);
  EXPECT_EQ(valued("255")->asUInt8(), 255);
  EXPECT_EQ(valued("256")->asUInt8(), std::nullopt);
  EXPECT_EQ(valued("65536")->uInt16Value(), 0);
  EXPECT_EQ(valued("4294967295")->asUInt32(), UINT32_MAX);
  EXPECT_EQ(valued("18446744073709551615")->asUInt(), UINT64_MAX);
  EXPECT_EQ(valued("18446744073709551616")->uInt64Value(), 0u);
  EXPECT_EQ(valued("-0")->asUInt(), 0u);
  EXPECT_EQ(valued("-1")->asUInt(), std::nullopt);
}

TEST(StringProvider, FloatingPoint) {
  // Plain decimal texts are compared with strtod by the NumberText test.
  const std::pair<const char*, std::optional<double>> doubles[] = {
      {"+.5", 0.5},         {"0x1p3", 8.0},        {"inf", INFINITY},    {"-Infinity", -INFINITY},
      {" 1", std::nullopt}, {"\t1", std::nullopt}, {"1 ", std::nullopt}, {"", std::nullopt},
  };
  for (const auto& [text, expected] : doubles) {
    EXPECT_EQ(valued(text)->asDouble(), expected) << text;
    EXPECT_EQ(valued(text)->doubleValue(), expected.value_or(0.0)) << text;
  }
  EXPECT_TRUE(std::isnan(*valued("nan")->asDouble()));
  EXPECT_TRUE(std::isnan(*valued("-NaN")->asFloat()));
  EXPECT_EQ(valued("0.1")->asFloat(), 0.1f);
  EXPECT_EQ(valued("1e39")->asFloat(), std::numeric_limits<float>::infinity());
  EXPECT_EQ(valued("1 ")->floatValue(), 0.0f);
  EXPECT_EQ(valued(std::string("1\0", 2))->asDouble(), std::nullopt);
}

TEST(StringProvider, AbsentTextGivesAbsentOrZero) {
  const XMLPtr empty = valued(std::nullopt);
  EXPECT_EQ(empty->asBool(), std::nullopt);
  EXPECT_EQ(empty->asInt(), std::nullopt);
  EXPECT_EQ(empty->asDouble(), std::nullopt);
  EXPECT_EQ(empty->uInt8Value(), 0);
  EXPECT_EQ(empty->stringValue(), "");
  EXPECT_EQ((*empty)["missing"].doubleValue(), 0.0);
  EXPECT_EQ((*XML::make("r", {{"n", "42"}}))["$n"].int16Value(), 42);
}

TEST(StringProvider, Enumerations) {
  EXPECT_EQ(valued("pear")->getEnum<Fruit>(), Fruit::pear);
  EXPECT_EQ(valued("+2")->getEnum<Code>(), Code::two);
  EXPECT_EQ(valued("Pear")->enumValue<Fruit>(), std::nullopt);
  EXPECT_EQ(valued("1")->enumValue<Code>(), Code::one);

  const std::pair<XMLSubscriptResult, std::string> fruitFailures[] = {
      {(*valued(std::nullopt))[XMLSubscriptKey::index(0)], "[Fruit] init failed with nil value"},
      {(*XML::make("r", {{"f", "plum"}}))["$f"], "[Fruit] init failed with raw value: [plum]"},
  };
  for (const auto& [result, message] : fruitFailures)
    testing::expectXMLError([&] { result.getEnum<Fruit>(); }, XMLError::Kind::initFailue, message);
  // Integer raw values are read with the getter of the raw type's width first.
  const std::pair<const char*, std::string> codeFailures[] = {
      {"+3", "[Code] init failed with raw value: [3]"},
      {"300", "[Code] init failed with nil value"},  // outside Int8
      {"two", "[Code] init failed with nil value"},
  };
  for (const auto& [text, message] : codeFailures)
    testing::expectXMLError([&] { valued(text)->getEnum<Code>(); }, XMLError::Kind::initFailue, message);
}

}  // namespace
}  // namespace xmltree
