#include <gtest/gtest.h>

#include <pango/pangocairo.h>

#include "hostkit/Font.h"
#include "hostkit/Layout.h"
#include "hostkit/TextEngine.h"
#include "hostkit/View.h"

using namespace hostkit;

namespace {
const std::string ellipsis = "\xE2\x80\xA6";
const std::string longName = "Primary Brand Colour Background Elevated Surface Hover State Ninety";
}  // namespace

TEST(Text, TruncatesWhereTheModeSays) {
  const std::string object = "\xEF\xBF\xBC";  // a symbol's place in the text
  const Text name(longName);
  const Text withSymbol =
      Text::symbol("arrowshape.turn.up.right.circle.fill") + Text(" " + longName + " " + longName);
  const struct {
    Text text;
    TruncationMode mode;
    int lines;
    std::string start, end;
  } cases[] = {
      {name, TruncationMode::tail, 1, "Primary", ellipsis},
      {name, TruncationMode::middle, 1, "Primary", "Ninety"},
      {name, TruncationMode::middle, 2, "Primary", "Ninety"},
      {name, TruncationMode::head, 1, ellipsis, "Ninety"},
      {withSymbol, TruncationMode::middle, 1, object, "Ninety"},  // a leading symbol survives the cut
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(&c - cases);
    const View v = c.text.font(Font::headline()).lineLimit(c.lines).truncationMode(c.mode);
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
    EXPECT_EQ(t.symbols.size(), c.start == object ? 1u : 0u);
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

TEST(Text, HugeAndBrokenStringsAreCappedAndRepaired) {
  std::string huge(100000, 'x');
  huge += "\xFF\xFE";  // not UTF-8
  const LayoutNode root = layout(Text(huge).lineLimit(2), {160, std::nullopt});
  ASSERT_TRUE(root.text);
  EXPECT_LE(root.text->text.size(), 420u);
  EXPECT_LE(root.text->lineCount, 2);
}

// A Pango layout of `text` as the renderer makes it, handed to `inspect`.
template <class Inspect>
auto withLayout(const std::string& text, const Font& font, std::optional<double> width, Inspect inspect) {
  PangoContext* context = detail::newContext();
  PangoLayout* layout = detail::newLayout(context, text, {}, font, width);
  auto result = inspect(layout);
  g_object_unref(layout);
  g_object_unref(context);
  return result;
}

// Also run without any font configuration, by FontFallback.TextRendersWithoutFontconfig.
TEST(Text, EveryScriptDrawsWithRealGlyphs) {
  const std::pair<const char*, std::string> names[] = {
      {"CJK", "\u8272 \u6F22\u5B57 \u30AB\u30E9\u30FC \uC0C9\uC0C1"},
      {"Devanagari", "\u0930\u0902\u0917 \u0926\u0947\u0935\u0928\u093E\u0917\u0930\u0940"},
      {"Thai", "\u0E2A\u0E35\u0E44\u0E17\u0E22"},
      {"Arabic", "\u0644\u0648\u0646 \u0639\u0631\u0628\u064A"},
      {"Hebrew", "\u05E6\u05D1\u05E2 \u05E2\u05D1\u05E8\u05D9"},
      {"emoji", "\U0001F3A8\U0001F308"},
  };
  for (const auto& [script, name] : names)
    for (const Font& font : {Font::headline(), Font::title()})
      EXPECT_EQ(withLayout(name, font, std::nullopt, pango_layout_get_unknown_glyphs_count), 0) << script;
}

TEST(Text, WrapsALongWordWithoutAddingHyphens) {
  const std::string word = "Supercalifragilisticexpialidociousnesses";
  const auto [lines, glyphs] = withLayout(word, Font::title(), 138.0, [](PangoLayout* layout) {
    int count = 0;
    for (GSList* line = pango_layout_get_lines_readonly(layout); line; line = line->next)
      for (GSList* run = static_cast<PangoLayoutLine*>(line->data)->runs; run; run = run->next)
        count += static_cast<PangoGlyphItem*>(run->data)->glyphs->num_glyphs;
    return std::pair{pango_layout_get_line_count(layout), count};
  });
  EXPECT_GT(lines, 1);
  EXPECT_EQ(glyphs, static_cast<int>(word.size()));
}

TEST(Text, EmptyTextTakesNoRoom) {
  EXPECT_EQ(sizeThatFits(Text(""), {100, 100}), (Size{0, 0}));
}
