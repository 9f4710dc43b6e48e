#include <gtest/gtest.h>

#include "hostkit/Font.h"
#include "hostkit/Layout.h"
#include "hostkit/View.h"

using namespace hostkit;

namespace {
const std::string ellipsis = "\xE2\x80\xA6";
const std::string longName = "Primary Brand Colour Background Elevated Surface Hover State Ninety";
}  // namespace

TEST(Text, TruncatesWhereTheModeSays) {
  const struct {
    TruncationMode mode;
    int lines;
    std::string start, end;
  } cases[] = {
      {TruncationMode::tail, 1, "Primary", ellipsis},
      {TruncationMode::middle, 1, "Primary", "Ninety"},
      {TruncationMode::middle, 2, "Primary", "Ninety"},
      {TruncationMode::head, 1, ellipsis, "Ninety"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.mode) * 10 + c.lines);
    const View v = Text(longName).font(Font::headline()).lineLimit(c.lines).truncationMode(c.mode);
    const LayoutNode root = layout(v, {138, std::nullopt});
    ASSERT_TRUE(root.text);
    const ResolvedText& t = *root.text;
    EXPECT_TRUE(t.isTruncated);
    EXPECT_LE(t.lineCount, c.lines);
    EXPECT_LE(root.frame.width, 138);
    EXPECT_NE(t.displayedText.find(ellipsis), std::string::npos);
    EXPECT_LT(t.displayedText.size(), longName.size());
    EXPECT_TRUE(t.displayedText.starts_with(c.start)) << t.displayedText;
    EXPECT_TRUE(t.displayedText.ends_with(c.end)) << t.displayedText;
  }
}

TEST(Text, ShortTextsAndUnlimitedLinesAreLeftWhole) {
  const LayoutNode shortOne = layout(Text("Blue").lineLimit(1), {138, std::nullopt});
  EXPECT_FALSE(shortOne.text->isTruncated);
  EXPECT_EQ(shortOne.text->displayedText, "Blue");
  const LayoutNode wrapped = layout(Text(longName), {138, std::nullopt});
  EXPECT_FALSE(wrapped.text->isTruncated);
  EXPECT_GT(wrapped.text->lineCount, 2);
  // More lines make a taller text.
  EXPECT_GT(wrapped.frame.height, shortOne.frame.height * 2);
}

TEST(Text, MiddleTruncationKeepsALeadingSymbol) {
  const Text reference =
      Text::symbol("arrowshape.turn.up.right.circle.fill") + Text(" " + longName + " " + longName);
  const LayoutNode root =
      layout(reference.lineLimit(1).truncationMode(TruncationMode::middle), {138, std::nullopt});
  ASSERT_TRUE(root.text);
  EXPECT_TRUE(root.text->isTruncated);
  ASSERT_EQ(root.text->symbols.size(), 1u);
  EXPECT_TRUE(root.text->displayedText.starts_with("\xEF\xBF\xBC"));
}

TEST(Text, HugeAndBrokenStringsAreCappedAndRepaired) {
  std::string huge(100000, 'x');
  huge += "\xFF\xFE";  // not UTF-8
  const LayoutNode root = layout(Text(huge).lineLimit(2), {160, std::nullopt});
  ASSERT_TRUE(root.text);
  EXPECT_LE(root.text->text.size(), 420u);
  EXPECT_LE(root.text->lineCount, 2);
}

TEST(Text, EmptyTextTakesNoRoom) {
  EXPECT_EQ(sizeThatFits(Text(""), {100, 100}), (Size{0, 0}));
}
