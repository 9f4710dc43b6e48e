#include "TavloContrast/ContrastRequirement.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <string_view>

namespace tavlo::contrast {

namespace {

// The weight's raw value is its number ("200" ... "700").
double fontWeightValue(const std::optional<TestFontWeight>& weight) {
  if (!weight) return 400;
  const std::string_view raw = rawValue(*weight);
  int value = 400;
  std::from_chars(raw.data(), raw.data() + raw.size(), value);
  return value;
}

// WCAG's large text: 18 pt (24 CSS px), or 14 pt (18.66 px) when bold.
double wcagRatioForText(double size, double weight) {
  const bool large = size >= 24 || (size >= 18.66 && weight >= 700);
  return large ? 3.0 : 4.5;
}

// The APCA levels for body and large text, from the largest text they allow down.
double apcaLcForText(double size, double weight) {
  const bool bold = weight >= 700;
  if (size >= 36 || (size >= 24 && bold)) return 45;
  if (size >= 24 || (size >= 16 && bold)) return 60;
  if (size >= 18 || (size >= 14 && bold)) return 75;
  return 90;
}

}  // namespace

ContrastRequirement requirementFor(const TestTask& test) {
  const TestTaskType method = test.taskType();
  const bool wcag = method == TestTaskType::wcagContrastTest;
  if (test.thresholdType() == TestThresholdType::textSize) {
    const double size = test.minFontSize() ? static_cast<double>(*test.minFontSize()) : 16.0;
    const double weight = fontWeightValue(test.minFontWeight());
    return {method, wcag ? wcagRatioForText(size, weight) : apcaLcForText(size, weight)};
  }
  if (!test.threshold()) return {method, wcag ? 4.5 : 60.0};
  const auto threshold = static_cast<double>(*test.threshold());
  return {method, wcag && *test.threshold() > 21 ? threshold / 10 : threshold};
}

bool meetsRequirement(const ContrastRequirement& requirement, double value) {
  const double measured = requirement.method == TestTaskType::apcaContrastTest ? std::abs(value) : value;
  return measured >= requirement.required;
}

std::string shownValue(const ContrastRequirement& requirement, double value) {
  char text[64];
  std::snprintf(text, sizeof text,
                requirement.method == TestTaskType::wcagContrastTest ? "%.2f:1" : "Lc %.2f",
                std::trunc(value * 100) / 100);
  return text;
}

std::string shownRequirement(const ContrastRequirement& requirement) {
  char text[64];
  std::snprintf(text, sizeof text, requirement.method == TestTaskType::wcagContrastTest ? "%g:1" : "Lc %g",
                requirement.required);
  return text;
}

}  // namespace tavlo::contrast
