// How many nodes of each kind a project holds.
#pragma once

#include <cstdint>

namespace tavlo {

struct MerrinColorProjectStatistics {
  std::int64_t colorItemCount = 0;
  std::int64_t colorSetCount = 0;
  std::int64_t colorAliasCount = 0;
  std::int64_t groupCount = 0;
  std::int64_t numberCount = 0;
  std::int64_t numberAliasCount = 0;
  std::int64_t booleanCount = 0;
  std::int64_t booleanAliasCount = 0;
  std::int64_t stringCount = 0;
  std::int64_t stringAliasCount = 0;
  std::int64_t shadowCount = 0;
  std::int64_t shadowSetCount = 0;
  std::int64_t shadowAliasCount = 0;

  bool operator==(const MerrinColorProjectStatistics&) const = default;
};

// The counters with their field names, in field order, for printing.
struct MerrinColorProjectStatisticsField {
  const char* name;
  std::int64_t MerrinColorProjectStatistics::*counter;
};

inline constexpr MerrinColorProjectStatisticsField merrinColorProjectStatisticsFields[] = {
    {"colorItemCount", &MerrinColorProjectStatistics::colorItemCount},
    {"colorSetCount", &MerrinColorProjectStatistics::colorSetCount},
    {"colorAliasCount", &MerrinColorProjectStatistics::colorAliasCount},
    {"groupCount", &MerrinColorProjectStatistics::groupCount},
    {"numberCount", &MerrinColorProjectStatistics::numberCount},
    {"numberAliasCount", &MerrinColorProjectStatistics::numberAliasCount},
    {"booleanCount", &MerrinColorProjectStatistics::booleanCount},
    {"booleanAliasCount", &MerrinColorProjectStatistics::booleanAliasCount},
    {"stringCount", &MerrinColorProjectStatistics::stringCount},
    {"stringAliasCount", &MerrinColorProjectStatistics::stringAliasCount},
    {"shadowCount", &MerrinColorProjectStatistics::shadowCount},
    {"shadowSetCount", &MerrinColorProjectStatistics::shadowSetCount},
    {"shadowAliasCount", &MerrinColorProjectStatistics::shadowAliasCount},
};

}  // namespace tavlo
