// Evaluating a document's contrast tests: every foreground of a test group on
// every background, in each appearance the pair has, measured and compared
// with what the test requires. Results are plain values; the `check` command
// and the preview present the same ones.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "TavloContrast/ContrastMeasure.h"
#include "TavloContrast/ContrastMembers.h"
#include "TavloContrast/ContrastRequirement.h"
#include "TavloData/AppearanceType.h"

namespace tavlo::contrast {

// The appearances in the order results are reported; reports name them by
// caseName ("light", "dark", "lightHighContrast", "darkHighContrast").
inline constexpr std::array<ColorSource, 4> contrastAppearances{
    ColorSource::light, ColorSource::dark, ColorSource::lightHighContrast, ColorSource::darkHighContrast};

// Members made ready for measuring: each one's display colour per appearance,
// a translucent background already laid over the page (white for the light
// appearances, black for the dark ones), and the appearances it has its own
// variant for.
class PreparedMembers {
 public:
  explicit PreparedMembers(const std::vector<ContrastMember>& members);

  // Calls visit(foreground, background, appearance, value) with member
  // indices: each foreground (foreground or both) on each background
  // (background or both) other than itself, in member order, and per pair
  // light first, then each other appearance that one of the two has its own
  // variant for.
  template <class Visit>
  void forEachMeasurement(TestTaskType method, Visit&& visit) const {
    const bool wcag = method == TestTaskType::wcagContrastTest;
    for (std::uint32_t f : foregrounds_) {
      for (std::uint32_t b : backgrounds_) {
        if (f == b) continue;
        const unsigned own = prepared_[f].ownVariants | prepared_[b].ownVariants;
        for (std::size_t a = 0; a < contrastAppearances.size(); ++a) {
          if (a != 0 && !(own & (1u << a))) continue;
          visit(f, b, contrastAppearances[a], measure(prepared_[f], prepared_[b], a, wcag));
        }
      }
    }
  }

  std::size_t size() const { return prepared_.size(); }

 private:
  // A colour over the page, with both luminances.
  struct OnPage {
    MeasuredColor color;
    double wcag = 0;
    ApcaTerms apca;
  };
  struct Prepared {
    std::array<MeasuredColor, 4> own;  // per appearance, as the document gives it
    std::array<OnPage, 4> onPage;      // per appearance
    unsigned ownVariants = 0;          // bit a: a variant of its own for contrastAppearances[a]
  };

  static OnPage onPage(const MeasuredColor& color);
  static double measure(const Prepared& foreground, const Prepared& background, std::size_t appearance,
                        bool wcag);

  std::vector<Prepared> prepared_;
  std::vector<std::uint32_t> foregrounds_;
  std::vector<std::uint32_t> backgrounds_;
};

struct ContrastResult {
  std::uint32_t foreground = 0;  // indices into the group's members
  std::uint32_t background = 0;
  ColorSource appearance = ColorSource::light;
  double value = 0;  // WCAG ratio or APCA Lc, unrounded
  bool pass = false;
};

struct TestEvaluation {
  std::string name;
  ContrastRequirement requirement;
  std::vector<ContrastResult> results;
  std::size_t failed = 0;
};

struct GroupEvaluation {
  std::string name;
  std::vector<ContrastMember> members;
  std::vector<TestEvaluation> tests;
};

struct ContrastReport {
  std::vector<GroupEvaluation> groups;
  std::size_t passed = 0;
  std::size_t failed = 0;
};

GroupEvaluation evaluateTestGroup(const MerrinColorProject& project, const TestGroup& group);
// The given groups, in order.
ContrastReport evaluateContrastTests(const MerrinColorProject& project,
                                     const std::vector<std::shared_ptr<TestGroup>>& groups);
// Every test group of the project.
ContrastReport evaluateContrastTests(const MerrinColorProject& project);

}  // namespace tavlo::contrast
