// The kind filter of the editor's item list ("All", "Colors", ...).
#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace tavlo {

enum class FilterType { all, colors, numbers, booleans, strings, shadows };

inline constexpr std::array<FilterType, 6> allFilterTypes{FilterType::all,     FilterType::colors,
                                                          FilterType::numbers, FilterType::booleans,
                                                          FilterType::strings, FilterType::shadows};

std::string_view displayName(FilterType filter);

// One entry of the filter menu; identified by the filter's position ("0" for all).
class FilterItem {
 public:
  explicit FilterItem(FilterType filter) : filter_(filter) {}

  FilterType filter() const { return filter_; }
  std::string id() const { return std::to_string(static_cast<std::size_t>(filter_)); }

  bool operator==(const FilterItem& other) const { return filter_ == other.filter_; }

 private:
  const FilterType filter_;
};

}  // namespace tavlo

template <>
struct std::hash<tavlo::FilterItem> {
  std::size_t operator()(const tavlo::FilterItem& item) const { return std::hash<std::string>()(item.id()); }
};
