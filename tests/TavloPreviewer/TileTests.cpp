// Item tiles, made from items built in code and inspected as laid out in a
// 160-point grid cell, or drawn and probed pixel by pixel.
#include <gtest/gtest.h>

#include "Orvik/Orvik.h"
#include "TavloData/MerrinColorAlias.h"
#include "TavloData/MerrinColorBoolean.h"
#include "TavloData/MerrinColorItem.h"
#include "TavloData/MerrinColorNumber.h"
#include "TavloData/MerrinColorNumberAlias.h"
#include "TavloData/MerrinColorProjectItem.h"
#include "TavloData/MerrinColorSet.h"
#include "TavloData/MerrinColorShadow.h"
#include "TavloData/MerrinColorShadowAlias.h"
#include "TavloData/MerrinColorShadowSet.h"
#include "TavloData/MerrinColorString.h"
#include "TavloData/MerrinColorStringAlias.h"
#include "TavloData/NumberFormatting.h"
#include "TavloData/UUID.h"
#include "TavloPreviewer/ItemTile.h"
#include "TavloPreviewer/PreviewResources.h"
#include "TavloPreviewer/tiles/ShadowTiles.h"
#include "TavloPreviewer/tiles/TileCommon.h"
#include "hostkit/Appearance.h"
#include "hostkit/Layout.h"
#include "hostkit/Renderer.h"

namespace tavlo::previewer {
namespace {

using hostkit::LayoutNode;
using Color = mcu::PlatformColor;
using Node = MerrinColorProjectItemPtr;
using Sizes = std::vector<std::size_t>;
using Texts = std::vector<std::string>;

const std::string arrow = "\xEF\xBF\xBC ";  // the alias symbol, as a text reads it

Color srgb(double r, double g, double b, double a = 1) {
  return Color::colorWithSRGBRed(r, g, b, a);
}
std::vector<Color> greys(std::size_t n) {
  std::vector<Color> out;
  for (std::size_t i = 0; i < n; ++i) out.push_back(srgb(i / 16.0, i / 16.0, i / 16.0));
  return out;
}

Node color(const Color& light, mcu::ColorSpace space = mcu::ColorSpace::sRGB) {
  auto value = std::make_shared<ThemeableColor>(makeUUIDString(), "", light);
  return MerrinColorProjectItem::makeColorItem(
      makeUUIDString(), std::make_shared<MerrinColorItem>(value, space, AppearanceType::none, 0.5), "Swatch");
}
Node ramp(const std::vector<Color>& colors) {
  std::vector<std::shared_ptr<ThemeableColor>> entries;
  for (const auto& c : colors) entries.push_back(std::make_shared<ThemeableColor>(makeUUIDString(), "", c));
  return MerrinColorProjectItem::makeColorSet(
      makeUUIDString(),
      std::make_shared<MerrinColorSet>(entries, InterpolationMethod::linear, CurveType::linear, 1, 0.5, 0.5,
                                       SetType::manual, ColorNamingScheme::manual, mcu::ColorSpace::sRGB,
                                       AppearanceType::none),
      "Greys");
}
Node number(double v, std::optional<double> lo = {}, std::optional<double> hi = {},
            std::optional<std::int64_t> steps = {}) {
  return MerrinColorProjectItem::makeNumberItem(
      makeUUIDString(),
      std::make_shared<MerrinColorNumber>(std::make_shared<ThemeableNumber>(v), lo, hi, steps,
                                          AppearanceType::none),
      "Spacing");
}
std::shared_ptr<ShadowDetails> drop(double x, double y, double blur, double spread) {
  return std::make_shared<ShadowDetails>(x, y, blur, spread, srgb(0, 0, 0));
}
std::shared_ptr<ThemeableShadow> shadowValue(std::shared_ptr<ShadowDetails> light) {
  return std::make_shared<ThemeableShadow>(makeUUIDString(), "", std::move(light), drop(9, 9, 9, 9));
}
Node shadow(std::shared_ptr<ShadowDetails> light) {
  return MerrinColorProjectItem::makeShadowItem(
      makeUUIDString(),
      std::make_shared<MerrinColorShadow>(shadowValue(light), mcu::ColorSpace::sRGB,
                                          AppearanceType::lightAndDark, 0.5),
      "Card");
}
Node shadowRamp(const std::vector<std::shared_ptr<ShadowDetails>>& steps) {
  std::vector<std::shared_ptr<ThemeableShadow>> entries;
  for (const auto& s : steps) entries.push_back(shadowValue(s));
  return MerrinColorProjectItem::makeShadowSet(
      makeUUIDString(),
      std::make_shared<MerrinColorShadowSet>(entries, InterpolationMethod::linear, CurveType::linear, 1, 0.5,
                                             0.5, SetType::manual, ColorNamingScheme::manual,
                                             mcu::ColorSpace::sRGB, AppearanceType::none),
      "Steps");
}
// An alias item of `Alias`'s kind; no target leaves it unresolved.
template <class Alias>
Node aliasItem(const Node& target, std::optional<std::int64_t> index = {}, std::string name = "Alias") {
  auto alias = std::make_shared<Alias>();
  if (target) alias->setReferencedProjectItem(target);
  if constexpr (std::is_base_of_v<SetAliasSettable, Alias>) alias->setReferencedSetIndex(index);
  const std::string id = makeUUIDString();
  if constexpr (std::is_same_v<Alias, MerrinColorAlias>)
    return MerrinColorProjectItem::makeAlias(id, alias, name);
  else if constexpr (std::is_same_v<Alias, MerrinColorNumberAlias>)
    return MerrinColorProjectItem::makeNumberAlias(id, alias, name);
  else if constexpr (std::is_same_v<Alias, MerrinColorStringAlias>)
    return MerrinColorProjectItem::makeStringAlias(id, alias, name);
  else
    return MerrinColorProjectItem::makeShadowAlias(id, alias, name);
}

LayoutNode tile(const Node& item) {
  return hostkit::layoutIn(*makeItemTile(item), {0, 0, 160, 160});
}
hostkit::Raster drawn(const Node& item, hostkit::OutputSpace space = hostkit::OutputSpace::sRGB,
                      ColorSource source = ColorSource::light) {
  return *hostkit::rasterize(hostkit::Drawing(*makeItemTile(item, source), 160, 160), {space, 1});
}
// The first text, or the first painted colour, inside the node tagged `tag`.
const hostkit::ResolvedText* text(const LayoutNode& root, std::string_view tag) {
  const LayoutNode* t = root.findTag(tag);
  t = t ? t->find([](const LayoutNode& n) { return n.text.has_value(); }) : nullptr;
  return t ? &*t->text : nullptr;
}
std::string textOf(const LayoutNode& root, std::string_view tag) {
  auto t = text(root, tag);
  return t ? t->text : "<none>";
}
Color paintOf(const LayoutNode& root, std::string_view tag) {
  return *root.findTag(tag)->find([](const LayoutNode& n) { return n.color.has_value(); })->color;
}
std::vector<const LayoutNode*> tagged(const LayoutNode& root, std::string_view tag) {
  return root.findAll([tag](const LayoutNode& n) { return n.tag() == tag; });
}
Texts textsOf(const LayoutNode& root, std::string_view tag) {
  Texts out;
  for (auto* n : tagged(root, tag)) out.push_back(textOf(*n, tag));
  return out;
}
Sizes stripShape(const LayoutNode& t) {
  Sizes shape;
  for (auto* row : tagged(t, "rampStripRow")) shape.push_back(tagged(*row, "rampStripCell").size());
  return shape;
}

class TileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    hostkit::setCurrentAppearance(hostkit::Appearance::dark);
    SharedNumberFormatter::setLocale("en_US");
  }
  void TearDown() override { SharedNumberFormatter::setLocale(""); }
};

TEST_F(TileTest, ColourTextAndItsColourByLuminanceTimesAlpha) {
  const struct {
    Color color;
    mcu::ColorSpace space;
    std::string text, spaceName;
    std::string_view textColor;
  } cases[] = {
      {srgb(1, 1, 1), mcu::ColorSpace::sRGB, "1 1 1 1", "sRGB", colorOverlayDarkText},
      {srgb(1, 1, 1, 0.4), mcu::ColorSpace::sRGB, "1 1 1 0.4", "sRGB", colorOverlayLightText},
      {srgb(0.5, 0.5, 0.5), mcu::ColorSpace::sRGB, "0.5 0.5 0.5 1", "sRGB", colorOverlayLightText},
      {srgb(1, 1, 0), mcu::ColorSpace::sRGB, "1 1 0 1", "sRGB", colorOverlayDarkText},
      {Color::colorWithDisplayP3Red(0.12345, 0.5, 0.98765, 0.5), mcu::ColorSpace::displayP3,
       "p3: 0.123 0.5 0.988 0.5", "Display P3", colorOverlayLightText},
      {srgb(1.23456, -0.1, 0.0004), mcu::ColorSpace::sRGBExtended, "1.235 -0.1 0 1", "sRGB Extended",
       colorOverlayLightText},
  };
  for (const auto& c : cases) {
    LayoutNode t = tile(color(c.color, c.space));
    EXPECT_EQ(textOf(t, "colorText"), c.text);
    EXPECT_EQ(textOf(t, "colorSpace"), c.spaceName);
    for (auto tag : {"colorName", "colorText", "colorSpace"})
      EXPECT_EQ(text(t, tag)->color, previewColor(c.textColor));
  }
}

TEST_F(TileTest, RampStripRowsFollowTheColourCount) {
  const std::pair<std::size_t, Sizes> cases[] = {
      {0, {}},     {1, {}},        {2, {2}},     {4, {2, 2}},     {5, {5}},
      {6, {3, 3}}, {9, {3, 3, 3}}, {10, {5, 5}}, {12, {4, 4, 4}}, {15, {5, 5, 5}}};
  for (const auto& [count, rows] : cases) {
    LayoutNode t = tile(ramp(greys(count)));
    EXPECT_EQ(stripShape(t), rows) << count;
    auto cells = tagged(t, "rampStripCell");
    for (std::size_t i = 0; i < cells.size(); ++i) {
      EXPECT_EQ(paintOf(*cells[i], "rampStripCell"), greys(count)[i]);
      EXPECT_DOUBLE_EQ(cells[i]->frame.width, 138.0 / rows[0]);
    }
    if (!rows.empty()) {
      EXPECT_EQ(t.findTag("rampStrip")->frame, (hostkit::Rect{11, 92, 138, 60}));
    }
  }
  // The ramp's middle colour fills the tile and writes its text; no middle leaves it clear.
  LayoutNode five = tile(ramp(greys(5)));
  EXPECT_EQ(paintOf(five, "swatch"), greys(5)[2]);
  EXPECT_EQ(textOf(five, "colorText"), "0.125 0.125 0.125 1");
  EXPECT_EQ(paintOf(tile(ramp({})), "swatch").alphaComponent(), 0);
}

TEST_F(TileTest, ColourAliasFillsWithWhatItResolvesTo) {
  Node single = color(srgb(0.1, 0.2, 0.9)), greys5 = ramp(greys(5)), one = ramp({srgb(1, 0, 0)});
  using A = MerrinColorAlias;
  const struct {
    Node alias;
    std::optional<Color> fill;  // absent: clear, unresolved
    std::string reference;
    Sizes strip;
  } cases[] = {
      {aliasItem<A>(single), srgb(0.1, 0.2, 0.9), arrow + "Swatch", {}},
      {aliasItem<A>(greys5, 1), greys(5)[1], arrow + "Greys", {}},
      {aliasItem<A>(greys5), greys(5)[2], arrow + "Greys", {5}},
      {aliasItem<A>(one), srgb(1, 0, 0), arrow + "Greys", {1}},  // one colour is enough for an alias's strip
      {aliasItem<A>(nullptr), std::nullopt, "No Source", {}},
      {aliasItem<A>(number(3)), std::nullopt, "No Source", {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.reference);
    LayoutNode t = tile(c.alias);
    EXPECT_EQ(paintOf(t, "swatch"), c.fill.value_or(Color::sRGBClear()));
    EXPECT_EQ(textOf(t, "reference"), c.reference);
    EXPECT_EQ(text(t, "reference")->color,
              c.fill ? text(t, "colorName")->color : orvik::color(orvik::grey50));
    EXPECT_EQ(stripShape(t), c.strip);
  }
}

TEST_F(TileTest, ValueTilesShowTheLightVariant) {
  auto boolean = [](bool light, bool dark) {
    return MerrinColorProjectItem::makeBooleanItem(
        makeUUIDString(),
        std::make_shared<MerrinColorBoolean>(std::make_shared<ThemeableBoolean>(light, dark),
                                             AppearanceType::lightAndDark),
        "Flag");
  };
  auto string = std::make_shared<MerrinColorString>(std::make_shared<ThemeableString>("Hello", "Bye"),
                                                    AppearanceType::lightAndDark);
  Node spacing = number(12.5, 0, 100, 10);
  const std::pair<Node, Texts> cases[] = {
      {spacing, {"Spacing", "12.5", "0 to 100", "10 steps"}},
      {number(1.23456, -0.5), {"Spacing", "1.2346"}},
      {number(3, std::nullopt, 8, 4), {"Spacing", "3", "4 steps"}},
      // Numbers too long for their line are shown whole in scientific form, never cut.
      {number(1e20, -1e15, 1e15), {"Spacing", "1E20", "-1E15 to 1E15"}},
      {number(123456.5, 0, 1e6), {"Spacing", "123456.5", "0 to 1000000"}},
      {number(-1.5e300), {"Spacing", "-1.5E300"}},
      {boolean(false, true), {"Flag", "False"}},
      {boolean(true, false), {"Flag", "True"}},
      {MerrinColorProjectItem::makeStringItem(makeUUIDString(), string, "Greeting"), {"Greeting", "Hello"}},
      {aliasItem<MerrinColorNumberAlias>(spacing), {"Alias", "12.5", arrow + "Spacing"}},
      {aliasItem<MerrinColorNumberAlias>(nullptr), {"Alias", "No Source"}},
  };
  for (const auto& [item, texts] : cases) {
    LayoutNode t = tile(item);
    EXPECT_EQ(t.texts(), texts);
    for (auto* n : t.findAll([](const LayoutNode& n) { return n.text.has_value(); }))
      EXPECT_FALSE(n->text->isTruncated) << n->text->text;
  }
}

TEST_F(TileTest, NumbersOnATileShareTheLocaleDigits) {
  SharedNumberFormatter::setLocale("ar_EG");
  EXPECT_EQ(
      tile(number(12.5, 0, 100, 10)).texts(),
      (Texts{"Spacing", "\u0661\u0662\u066B\u0665", "\u0660 to \u0661\u0660\u0660", "\u0661\u0660 steps"}));
}

// Every text and the shadow square inside the content insets, however long
// the texts; the name keeps its two lines while the reference gives way, and
// a text's value keeps its three.
TEST_F(TileTest, LongContentStaysInsideItsTile) {
  const std::string longName = "A name long enough to need two lines and then some more words";
  const std::string reference =
      "Referenced item whose own name runs over three lines of callout text, and on";
  auto lines = std::make_shared<MerrinColorString>(
      std::make_shared<ThemeableString>("First line of the value\nSecond line of it\nThird line\nFourth"),
      AppearanceType::none);
  Node target = MerrinColorProjectItem::makeStringItem(makeUUIDString(), lines, reference);
  Node card = shadow(drop(4, 4, 8, 0));
  Node swatch = color(srgb(0.2, 0.4, 0.8));
  Node spacing = number(8, 0, 32);
  for (const Node& n : {card, swatch, spacing}) n->setName(reference);
  const struct {
    const char* kind;
    Node item;
    int valueLines;  // 0: no value row
  } cases[] = {
      {"text alias", aliasItem<MerrinColorStringAlias>(target, {}, longName), 3},
      {"shadow alias", aliasItem<MerrinColorShadowAlias>(card, {}, longName), 0},
      {"colour alias", aliasItem<MerrinColorAlias>(swatch, {}, longName), 0},
      {"number alias", aliasItem<MerrinColorNumberAlias>(spacing, {}, longName), 1},
      {"shadow", card, 0},
  };
  const hostkit::Rect content{11, 8, 138, 144};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.kind);
    LayoutNode t = tile(c.item);
    for (auto* n : t.findAll([](const LayoutNode& n) { return n.text.has_value(); })) {
      EXPECT_GE(n->frame.minY(), content.minY() - 0.5) << n->text->text;
      EXPECT_LE(n->frame.maxY(), content.maxY() + 0.5) << n->text->text;
      EXPECT_LE(n->frame.maxX(), content.maxX() + 0.5) << n->text->text;
    }
    if (auto* square = t.findTag("shadowSquare")) {
      EXPECT_GE(square->frame.height, tileLowerPartMinimumHeight);
      EXPECT_LE(square->frame.maxY(), content.maxY() + 0.5);
    }
    EXPECT_EQ(text(t, "colorName")->lineCount, 2);
    if (auto* ref = text(t, "reference")) {
      EXPECT_TRUE(ref->isTruncated);
    }
    if (c.valueLines) {
      EXPECT_EQ(text(t, "value")->lineCount, c.valueLines);
    }
  }
}

TEST_F(TileTest, ShadowDetails) {
  // Plain values are checked on the card below.
  const std::pair<double, const char*> numbers[] = {
      {2.46, "2.5"}, {-0.04, "0"}, {1.25, "1.2"}, {1234.56, "1234.6"}};
  for (auto [value, expected] : numbers) EXPECT_EQ(shadowDetailText(value), expected) << value;

  Node card = shadow(drop(4, 2.5, 8, -1.5)),
       steps = shadowRamp({drop(0, 1, 2, 0), drop(5, 6, 7, 8), drop(4, 8, 16.25, 2)});
  using A = MerrinColorShadowAlias;
  const struct {
    Node item;
    Texts details;
    std::size_t squares;
  } cases[] = {
      {card, {"4", "2.5", "8", "-1.5"}, 1},
      {shadow(drop(1e20, -1.5e300, 8, 0)), {"1E20", "-1.5E300", "8", "0"}, 1},
      {steps, {"0\u20264", "1\u20268", "2\u202616.25", "0\u20262"}, 3},
      {shadowRamp({}), Texts(4, "0\u20260"), 0},
      {aliasItem<A>(steps, 1), {"5", "6", "7", "8", arrow + "Steps"}, 1},
      {aliasItem<A>(nullptr), {"No Source"}, 0},
  };
  for (const auto& c : cases) {
    LayoutNode t = tile(c.item);
    Texts details = textsOf(t, "shadowDetail");
    if (auto* reference = text(t, "reference")) details.push_back(reference->text);
    EXPECT_EQ(details, c.details);
    EXPECT_EQ(tagged(t, "shadowSquare").size(), c.squares);
  }
  EXPECT_EQ(tile(card).findTag("shadowSquare")->frame, (hostkit::Rect{11, 92, 138, 60}));
}

// ------------------------------------------------------------------ pixels

int brightness(const hostkit::Rgba8& p) {
  return p.r + p.g + p.b;
}

TEST_F(TileTest, SwatchIsDrawnInTheOutputSpaceOverTheCheckerboard) {
  const Color p3 = Color::colorWithDisplayP3Red(0.8, 0.3, 0.2, 1);
  for (const auto& [c, output] : {std::pair{srgb(0.2, 0.4, 0.6), hostkit::OutputSpace::sRGB},
                                  {p3, hostkit::OutputSpace::displayP3},
                                  {p3, hostkit::OutputSpace::sRGB},
                                  {srgb(0.2, 0.4, 0.6), hostkit::OutputSpace::displayP3}}) {
    const auto space = output == hostkit::OutputSpace::sRGB ? mcu::PlatformColorSpace::sRGB()
                                                            : mcu::PlatformColorSpace::displayP3();
    const Color expected = *c.colorUsingColorSpace(space);
    const hostkit::Rgba8 p = drawn(color(c, mcu::ColorSpace::displayP3), output).pixel(80, 130);
    EXPECT_NEAR(p.r, expected.redComponent() * 255, 2) << c;
    EXPECT_NEAR(p.g, expected.greenComponent() * 255, 2) << c;
    EXPECT_NEAR(p.b, expected.blueComponent() * 255, 2) << c;
  }
  // Neighbouring 8-point squares differ under a translucent swatch, not under an opaque one.
  const hostkit::Raster glass = drawn(color(srgb(1, 0, 0, 0.4))), solid = drawn(color(srgb(1, 0, 0)));
  EXPECT_NE(glass.pixel(108, 124), glass.pixel(116, 124));
  EXPECT_GT(glass.pixel(108, 124).r, glass.pixel(108, 124).g);
  EXPECT_EQ(solid.pixel(108, 124), solid.pixel(116, 124));
}

TEST_F(TileTest, EachVariantShowsItsDisplayVariant) {
  const Color red = srgb(1, 0, 0), green = srgb(0, 1, 0), blue = srgb(0, 0, 1), yellow = srgb(1, 1, 0);
  // No dark high-contrast variant: that one falls back to light, not to dark.
  auto themed = std::make_shared<ThemeableColor>(makeUUIDString(), "", red, green, blue);
  Node swatch = MerrinColorProjectItem::makeColorItem(
      makeUUIDString(),
      std::make_shared<MerrinColorItem>(themed, mcu::ColorSpace::sRGB, AppearanceType::lightDarkHighContrast,
                                        0),
      "Swatch");
  Node other = color(yellow);
  // Light and dark references; high contrast falls back to the reference of its side.
  Node alias = aliasItem<MerrinColorAlias>(swatch);
  alias->colorAlias()->setAppearanceType(AppearanceType::lightAndDark);
  alias->colorAlias()->setReferencedProjectItemDark(other);
  Node steps = MerrinColorProjectItem::makeColorSet(
      makeUUIDString(),
      std::make_shared<MerrinColorSet>(
          std::vector{themed, std::make_shared<ThemeableColor>(makeUUIDString(), "", yellow)},
          InterpolationMethod::linear, CurveType::linear, 1, 0.5, 0.5, SetType::manual,
          ColorNamingScheme::manual, mcu::ColorSpace::sRGB, AppearanceType::lightDarkHighContrast),
      "Steps");
  const struct {
    ColorSource source;
    Color swatch, alias;
  } cases[] = {
      {ColorSource::light, red, red},
      {ColorSource::lightHighContrast, blue, blue},
      {ColorSource::dark, green, yellow},
      {ColorSource::darkHighContrast, red, yellow},
  };
  auto bytes = [](const Color& c) {
    return hostkit::Rgba8{std::uint8_t(c.redComponent() * 255), std::uint8_t(c.greenComponent() * 255),
                          std::uint8_t(c.blueComponent() * 255), 255};
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(displayName(c.source));
    EXPECT_EQ(drawn(swatch, hostkit::OutputSpace::sRGB, c.source).pixel(80, 130), bytes(c.swatch));
    EXPECT_EQ(drawn(alias, hostkit::OutputSpace::sRGB, c.source).pixel(80, 130), bytes(c.alias));
    // The ramp's first strip cell, left of the middle, is the themed step.
    EXPECT_EQ(drawn(steps, hostkit::OutputSpace::sRGB, c.source).pixel(40, 130), bytes(c.swatch));
  }
}

TEST_F(TileTest, ShadowFallsDarkerThanTheCardAndTheGround) {
  for (const auto& [details, beyond] :
       {std::pair{drop(6, 6, 0, 0), 3.0}, {drop(6, 6, 4, 0), 3.0}, {drop(0, 0, 0, 4), 2.0}}) {
    const hostkit::Raster raster = drawn(shadow(details));
    // The square starts at (11, 92) and is 138 by 60; the card's visible
    // quarter is its top-left, the model's light grey lies beyond.
    auto at = [&](double x, double y) { return raster.pixel(int(11 + x), int(92 + y)); };
    const hostkit::Rgba8 card = at(30, 15), fallen = at(69 + beyond, 15), ground = at(130, 55);
    EXPECT_GE(card.r, 250);
    EXPECT_NEAR(ground.r, 212, 3);
    EXPECT_LT(brightness(fallen), brightness(ground));
  }
}

}  // namespace
}  // namespace tavlo::previewer
