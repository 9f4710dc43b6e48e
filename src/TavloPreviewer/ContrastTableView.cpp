#include "TavloPreviewer/ContrastTableView.h"

#include <cmath>
#include <memory>
#include <string>

#include "TavloData/ThemeableColor.h"
#include "TavloPreviewer/ItemTile.h"
#include "TavloPreviewer/tiles/TileCommon.h"
#include "hostkit/Shape.h"

namespace tavlo::previewer {

namespace {

using namespace hostkit;
using contrast::ContrastMember;
using contrast::ContrastResult;
using contrast::GroupEvaluation;
using contrast::TestEvaluation;

constexpr double swatchSide = 12;
constexpr double columnSpacing = 8;
constexpr double appearanceWidth = 130;
constexpr double valueWidth = 80;
constexpr double requiredWidth = 100;

const Font& rowFont() {
  static const Font font = Font::system(12);
  return font;
}

View line(std::vector<View> columns) {
  return HStack(VerticalAlignment::center, columnSpacing, std::move(columns))
      .frame(std::nullopt, contrastRowHeight);
}

View column(std::string text, double width, Alignment alignment = Alignment::leading()) {
  return Text(std::move(text)).font(rowFont()).lineLimit(1).view().frame(width, std::nullopt, alignment);
}

// The rest of the row: a name shortened in the middle when it does not fit.
View widestColumn(std::string text, const Font& font) {
  return Text(std::move(text))
      .font(font)
      .lineLimit(1)
      .truncationMode(TruncationMode::middle)
      .view()
      .frame(View::FlexibleFrame{std::nullopt, HUGE_VAL, std::nullopt, std::nullopt, Alignment::leading()});
}

// The member's colour in the appearance it was measured in.
View swatch(const ContrastMember& member, ColorSource appearance) {
  const mcu::PlatformColor color =
      member.color ? member.color->displayVariantFor(appearance) : mcu::PlatformColor::sRGBClear();
  return ColorView(color).frame(swatchSide, swatchSide).clipShape(Shape::roundedRectangle(2));
}

View testLine(const TestEvaluation& test) {
  const bool wcag = test.requirement.method == TestTaskType::wcagContrastTest;
  return line({widestColumn(test.name, Font::system(12, FontWeight::semibold)),
               column(wcag ? "WCAG" : "APCA", appearanceWidth),
               column(shownRequirement(test.requirement), valueWidth + columnSpacing + requiredWidth,
                      Alignment::trailing())});
}

View resultLine(const GroupEvaluation& group, const TestEvaluation& test, const ContrastResult& result) {
  const ContrastMember& foreground = group.members[result.foreground];
  const ContrastMember& background = group.members[result.background];
  return line({swatch(foreground, result.appearance), swatch(background, result.appearance),
               widestColumn(foreground.name + " on " + background.name, rowFont()),
               column(std::string(caseName(result.appearance)), appearanceWidth),
               column(shownValue(test.requirement, result.value), valueWidth, Alignment::trailing()),
               column("needs " + shownRequirement(test.requirement), requiredWidth, Alignment::trailing())});
}

}  // namespace

SectionPanel contrastPanel(const GroupEvaluation& group) {
  TileAppearanceScope cardLook;
  std::vector<View> rows;
  std::size_t shown = 0, failed = 0, measured = 0;
  for (const TestEvaluation& test : group.tests) {
    failed += test.failed;
    measured += test.results.size();
    if (test.failed == 0 || shown == maxContrastRows) continue;
    rows.push_back(testLine(test));
    for (const ContrastResult& result : test.results) {
      if (result.pass) continue;
      if (shown == maxContrastRows) break;
      rows.push_back(resultLine(group, test, result));
      ++shown;
    }
  }
  if (failed == 0)
    rows.push_back(
        line({widestColumn(std::string(measured == 0 ? noPairsMessage : allPairsPassMessage), rowFont())}));
  if (failed > shown)
    rows.push_back(line({widestColumn("and " + std::to_string(failed - shown) + " more", rowFont())}));

  const double height = tileContentInsets.top + tileContentInsets.bottom +
                        static_cast<double>(rows.size()) * (contrastRowHeight + tileRowSpacing) -
                        tileRowSpacing;
  return SectionPanel{group.name, height, plainTile(std::move(rows), height, tileCornerRadius)};
}

void appendContrastSections(const MerrinColorProject& project, std::vector<ItemGridSection>& into) {
  for (const GroupEvaluation& group : contrast::evaluateContrastTests(project).groups)
    into.push_back({nullptr, {}, std::make_shared<const SectionPanel>(contrastPanel(group))});
}

}  // namespace tavlo::previewer
