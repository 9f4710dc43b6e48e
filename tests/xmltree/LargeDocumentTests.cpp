// Documents larger than the pieces expat is given at a time, and the quick
// path for reading numbers.
#include <locale.h>

#include <cstdlib>
#include <cstring>
#include <random>
#include <string>

#include "TestSupport.h"
#include "xmltree/StringProvider.h"

namespace xmltree {
namespace {

using testing::repeat;
using LargeDocument = testing::CapturedReports;

TEST_F(LargeDocument, NamesTextsAndAttributesAcrossPieceBoundaries) {
  // Lengths vary, so piece boundaries fall inside names, attribute values,
  // texts and entity references alike.
  std::string document = "<r>";
  constexpr int kCount = 30'000;
  for (int i = 0; i < kCount; ++i) {
    const std::string n = std::to_string(i);
    document +=
        "<element" + n + " key=\"v" + n + "\">text &amp; " + repeat("x", i % 17) + n + "</element" + n + ">";
  }
  document += "</r>";
  ASSERT_GT(document.size(), 1'000'000u);

  const XMLPtr root = testing::parse(document);
  ASSERT_TRUE(root);
  ASSERT_EQ(root->xmlChildren().size(), static_cast<std::size_t>(kCount));
  for (int i = 0; i < kCount; ++i) {
    const std::string n = std::to_string(i);
    const XML& element = *root->xmlChildren()[static_cast<std::size_t>(i)];
    ASSERT_EQ(element.xmlName(), "element" + n);
    ASSERT_EQ(element.xmlAttributes().at("key"), "v" + n);
    ASSERT_EQ(element.xmlValue(), "text & " + repeat("x", i % 17) + n);
  }
  EXPECT_TRUE(lines.empty());
}

// What the number reading has always been: strtod in the "C" locale, the
// whole text read.
std::optional<double> strtodReading(const std::string& text) {
  static const locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
  if (text.empty() || std::strchr(" \t\n\v\f\r", text[0])) return std::nullopt;
  char* end = nullptr;
  const double value = strtod_l(text.c_str(), &end, c);
  if (end != text.c_str() + text.size()) return std::nullopt;
  return value;
}

TEST(NumberText, DecimalTextsReadAsStrtodReadsThem) {
  std::mt19937 random(7);
  const std::string alphabet = "0123456789.-eE";
  const auto pick = [&](std::size_t n) {
    return std::uniform_int_distribution<std::size_t>(0, n - 1)(random);
  };
  for (int i = 0; i < 200'000; ++i) {
    std::string text;
    if (i % 2 == 0) {
      // Mostly well-formed: sign, digits, point, digits, exponent; some long
      // enough to need careful rounding, some far out of range.
      if (pick(4) == 0) text += '-';
      for (std::size_t d = pick(25); d > 0; --d) text += static_cast<char>('0' + pick(10));
      if (pick(2)) text += '.';
      for (std::size_t d = pick(25); d > 0; --d) text += static_cast<char>('0' + pick(10));
      if (pick(3) == 0) text += (pick(2) ? "e" : "E-") + std::to_string(pick(700));
    } else {
      for (std::size_t n = 1 + pick(8); n > 0; --n) text += alphabet[pick(alphabet.size())];
    }
    const std::optional<double> expected = strtodReading(text);
    const std::optional<double> read = text::toDouble(text);
    ASSERT_EQ(read.has_value(), expected.has_value()) << text;
    if (expected) {
      ASSERT_EQ(std::memcmp(&*read, &*expected, sizeof(double)), 0) << text;
    }
  }
}

}  // namespace
}  // namespace xmltree
