#include "TavloContrast/ContrastEvaluation.h"

namespace tavlo::contrast {

PreparedMembers::PreparedMembers(const std::vector<ContrastMember>& members) {
  prepared_.reserve(members.size());
  const MeasuredColor white{1, 1, 1, 1};
  const MeasuredColor black{0, 0, 0, 1};
  for (std::uint32_t i = 0; i < members.size(); ++i) {
    const ContrastMember& member = members[i];
    Prepared p;
    for (std::size_t a = 0; a < contrastAppearances.size(); ++a) {
      const ColorSource source = contrastAppearances[a];
      const bool dark = source == ColorSource::dark || source == ColorSource::darkHighContrast;
      p.own[a] = member.color ? measuredColor(member.color->displayVariantFor(source)) : MeasuredColor{};
      p.onPage[a] = onPage(composite(p.own[a], dark ? black : white));
      if (a != 0 && member.color && member.color->variantFor(source)) p.ownVariants |= 1u << a;
    }
    prepared_.push_back(p);
    if (member.role != TestPosition::background) foregrounds_.push_back(i);
    if (member.role != TestPosition::foreground) backgrounds_.push_back(i);
  }
}

PreparedMembers::OnPage PreparedMembers::onPage(const MeasuredColor& color) {
  return {color, wcagLuminance(color), apcaTerms(apcaLuminance(color))};
}

double PreparedMembers::measure(const Prepared& foreground, const Prepared& background,
                                std::size_t appearance, bool wcag) {
  const OnPage& back = background.onPage[appearance];
  const MeasuredColor& front = foreground.own[appearance];
  // An opaque foreground hides the background: its colour on the page is its own.
  if (front.alpha == 1) {
    const OnPage& text = foreground.onPage[appearance];
    return wcag ? wcagContrastRatio(text.wcag, back.wcag) : apcaContrast(text.apca, back.apca);
  }
  const MeasuredColor mixed = composite(front, back.color);
  return wcag ? wcagContrastRatio(wcagLuminance(mixed), back.wcag)
              : apcaContrast(apcaTerms(apcaLuminance(mixed)), back.apca);
}

GroupEvaluation evaluateTestGroup(const MerrinColorProject& project, const TestGroup& group) {
  GroupEvaluation evaluation{group.name(), membersOfTestGroup(project, group), {}};
  const PreparedMembers prepared(evaluation.members);
  for (const auto& test : group.tests()) {
    if (!test) continue;
    TestEvaluation result{test->name(), requirementFor(*test), {}, 0};
    prepared.forEachMeasurement(result.requirement.method,
                                [&](std::uint32_t f, std::uint32_t b, ColorSource appearance, double value) {
                                  const bool pass = meetsRequirement(result.requirement, value);
                                  result.results.push_back({f, b, appearance, value, pass});
                                  if (!pass) ++result.failed;
                                });
    evaluation.tests.push_back(std::move(result));
  }
  return evaluation;
}

ContrastReport evaluateContrastTests(const MerrinColorProject& project,
                                     const std::vector<std::shared_ptr<TestGroup>>& groups) {
  ContrastReport report;
  for (const auto& group : groups) {
    if (!group) continue;
    report.groups.push_back(evaluateTestGroup(project, *group));
    for (const TestEvaluation& test : report.groups.back().tests) {
      report.failed += test.failed;
      report.passed += test.results.size() - test.failed;
    }
  }
  return report;
}

ContrastReport evaluateContrastTests(const MerrinColorProject& project) {
  return evaluateContrastTests(project, project.testGroups());
}

}  // namespace tavlo::contrast
