#include <gtest/gtest.h>

#include <cmath>

#include "hostkit/Layout.h"
#include "hostkit/View.h"

using namespace hostkit;

namespace {

const mcu::PlatformColor red = mcu::PlatformColor::colorWithSRGBRed(1, 0, 0, 1);

View box(double w, double h, std::string tag) {
  return ColorView(red).frame(w, h).tagged(std::move(tag));
}

Rect frameOf(const LayoutNode& root, std::string_view tag) {
  const LayoutNode* n = root.findTag(tag);
  EXPECT_NE(n, nullptr) << tag;
  return n ? n->frame : Rect{-1, -1, -1, -1};
}

struct FrameCase {
  const char* name;
  View view;
  ProposedSize proposal;
  Size rootSize;
  std::vector<std::pair<std::string, Rect>> frames;
};

}  // namespace

TEST(Layout, PlacesStacksPaddingFramesSpacersAndOverlays) {
  using H = HorizontalAlignment;
  using V = VerticalAlignment;
  using Flexible = View::FlexibleFrame;
  const auto none = std::nullopt;
  // clang-format off
  const FrameCase cases[] = {
      {"vstack leading with spacing", VStack(H::leading, 4, {box(40, 10, "a"), box(20, 10, "b")}), {},
       {40, 24}, {{"a", {0, 0, 40, 10}}, {"b", {0, 14, 20, 10}}}},
      {"vstack trailing", VStack(H::trailing, 0, {box(40, 10, "a"), box(20, 10, "b")}), {}, {40, 20},
       {{"b", {20, 10, 20, 10}}}},
      {"hstack centres across its axis", HStack(V::center, 2, {box(10, 30, "a"), box(10, 10, "b")}), {},
       {22, 30}, {{"a", {0, 0, 10, 30}}, {"b", {12, 10, 10, 10}}}},
      {"spacer pushes to the far end", HStack(V::top, 0, {box(30, 10, "a"), Spacer(), box(20, 10, "b")}),
       {200, 50}, {200, 10}, {{"a", {0, 0, 30, 10}}, {"b", {180, 0, 20, 10}}}},
      {"spacers share the room equally", VStack(H::center, 0, {Spacer(), box(10, 10, "a"), Spacer()}),
       {10, 110}, {10, 110}, {{"a", {0, 50, 10, 10}}}},
      {"a text beside a spacer may use the whole row",
       HStack(V::top, 0, {Spacer(), ColorView(red).frame(Flexible{none, 150, none, none, {}}).frame(none, 10)
                                        .tagged("wide")}),
       {200, 50}, {200, 10}, {{"wide", {50, 0, 150, 10}}}},
      {"spacer keeps its minimum length in an ideal stack",
       HStack(V::top, 0, {box(10, 10, "a"), Spacer(5), box(10, 10, "b")}), {}, {25, 10},
       {{"b", {15, 0, 10, 10}}}},
      {"padding on each edge", box(50, 50, "a").padding(EdgeInsets{1, 2, 3, 4}), {}, {56, 54},
       {{"a", {2, 1, 50, 50}}}},
      {"fixed frame aligns its smaller child", box(10, 10, "a").frame(100, 40, Alignment::bottomTrailing()),
       {}, {100, 40}, {{"a", {90, 30, 10, 10}}}},
      {"flexible frame takes the proposal",
       box(10, 10, "a").frame(Flexible{none, HUGE_VAL, none, none, Alignment::leading()}), {300, 300},
       {300, 10}, {{"a", {0, 0, 10, 10}}}},
      {"flexible frame's minimum", box(10, 10, "a").frame(Flexible{40, none, none, none, {}}), {300, 300},
       {40, 10}, {{"a", {15, 0, 10, 10}}}},
      {"overlay takes the base's size and aligns",
       box(100, 100, "base").overlay(box(10, 10, "top"), Alignment::bottomTrailing()), {}, {100, 100},
       {{"base", {0, 0, 100, 100}}, {"top", {90, 90, 10, 10}}}},
      {"background fills the padded area",
       box(20, 10, "a").padding(5).background(ColorView(red).tagged("bg")), {}, {30, 20},
       {{"bg", {0, 0, 30, 20}}, {"a", {5, 5, 20, 10}}}},
      {"zstack is as large as its largest child",
       ZStack(Alignment::topLeading(), {box(30, 5, "a"), box(5, 30, "b")}), {}, {30, 30},
       {{"b", {0, 0, 5, 30}}}},
      {"rigid children first, the flexible colour gets the rest",
       VStack(H::center, 0, {ColorView(red).tagged("fill"), box(10, 30, "a")}), {10, 100}, {10, 100},
       {{"fill", {0, 0, 10, 70}}, {"a", {0, 70, 10, 30}}}},
      {"a higher priority is offered the room first, through its modifiers",
       VStack(H::center, 0, {ColorView(red).frame(Flexible{none, none, 10, 50, {}}).tagged("low"),
                             ColorView(red).frame(Flexible{none, none, 10, 50, {}}).layoutPriority(1)
                                 .tagged("high")}),
       {10, 60}, {10, 60}, {{"low", {0, 0, 10, 10}}, {"high", {0, 10, 10, 50}}}},
      {"negative padding grows the child", ColorView(red).tagged("grown").padding(-4).frame(20, 20), {},
       {20, 20}, {{"grown", {-4, -4, 28, 28}}}},
      {"placed group puts children at their frames",
       PlacedGroup({300, 400}, {{{16, 20, 160, 160}, ColorView(red).tagged("cell")}}), {}, {300, 400},
       {{"cell", {16, 20, 160, 160}}}},
      {"offset does not move the layout", box(10, 10, "a").offset(50, 50), {}, {10, 10},
       {{"a", {0, 0, 10, 10}}}},
  };
  // clang-format on
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const LayoutNode root = layout(c.view, c.proposal);
    EXPECT_EQ(root.frame.size(), c.rootSize);
    for (const auto& [tag, frame] : c.frames) EXPECT_EQ(frameOf(root, tag), frame) << tag;
  }
}

TEST(Layout, NestedStacksStayFastBecauseSizesAreCached) {
  // Twenty levels of stacks would take 3^20 measurements without the cache.
  View v = box(10, 10, "leaf");
  for (int i = 0; i < 20; ++i) v = VStack(HorizontalAlignment::leading, 1, {v, Spacer()});
  const LayoutNode root = layout(v, {100, 500});
  EXPECT_EQ(frameOf(root, "leaf"), (Rect{0, 0, 10, 10}));
}

TEST(Layout, HostileNumbersBecomeFiniteFrames) {
  const double nan = std::nan("");
  const View views[] = {
      box(nan, HUGE_VAL, "a"),
      box(10, 10, "a").padding(EdgeInsets{nan, -HUGE_VAL, HUGE_VAL, 1}),
      box(10, 10, "a").frame(View::FlexibleFrame{nan, -5, HUGE_VAL, nan, {}}),
      box(10, 10, "a").offset(nan, HUGE_VAL).blur(nan).opacity(nan),
      PlacedGroup({nan, HUGE_VAL}, {{{nan, -HUGE_VAL, HUGE_VAL, nan}, box(1, 1, "a")}}),
      VStack(HorizontalAlignment::leading, nan, {box(1, 1, "a"), Spacer(HUGE_VAL)}),
  };
  for (const View& v : views) {
    const LayoutNode root = layout(v, {HUGE_VAL, nan});
    for (const LayoutNode* n : root.findAll([](const LayoutNode&) { return true; })) {
      EXPECT_TRUE(std::isfinite(n->frame.x) && std::isfinite(n->frame.y));
      EXPECT_TRUE(std::isfinite(n->frame.width) && n->frame.width >= 0);
      EXPECT_TRUE(std::isfinite(n->frame.height) && n->frame.height >= 0);
    }
  }
}

TEST(Layout, EnvironmentReachesTextsAndShapes) {
  const auto blue = mcu::PlatformColor::colorWithDisplayP3Red(0, 0, 1, 1);
  const View v = VStack({Text("inner").font(Font::callout()).view(), Text("outer"), Shape::ellipse().fill()})
                     .font(Font::title2())
                     .foregroundColor(blue);
  const LayoutNode root = layout(v, {200, 200});
  const LayoutNode* inner = root.findText("inner");
  const LayoutNode* outer = root.findText("outer");
  ASSERT_TRUE(inner && outer);
  EXPECT_EQ(inner->text->font, Font::callout());
  EXPECT_EQ(outer->text->font, (Font{17, FontWeight::regular}));
  EXPECT_EQ(outer->text->color, blue);
  const LayoutNode* shape = root.find([](const LayoutNode& n) { return n.kind() == NodeKind::shape; });
  ASSERT_TRUE(shape);
  EXPECT_EQ(shape->color, blue);
}

TEST(Layout, VisibleRectangleLeavesFarChildrenOut) {
  std::vector<Placement> cells;
  for (int i = 0; i < 100; ++i) cells.push_back({{0, i * 1000.0, 100, 100}, ColorView(red).tagged("cell")});
  const View group = PlacedGroup({100, 100000}, cells);
  const LayoutNode all = layout(group, {});
  const LayoutNode band = layout(group, {}, {{}, Rect{0, 5000, 100, 1500}});
  EXPECT_EQ(all.findAll([](const LayoutNode& n) { return n.tag() == "cell"; }).size(), 100u);
  EXPECT_EQ(band.findAll([](const LayoutNode& n) { return n.tag() == "cell"; }).size(), 2u);
}
