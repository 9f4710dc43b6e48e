// Each enumeration of the model keeps its raw values (the document's words)
// and display names in one table; these helpers answer from that table.
//
// A table is a std::array of rows with the members `value`, `raw` and
// `display`: EnumEntry itself, or a row that derives from it and carries the
// enumeration's other per-case facts beside them.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

namespace tavlo {

template <class E>
struct EnumEntry {
  E value;
  std::string_view raw;
  std::string_view display;
};

template <class Row, std::size_t N>
const Row& enumEntry(const std::array<Row, N>& table, decltype(Row::value) value) {
  for (const auto& entry : table)
    if (entry.value == value) return entry;
  return table.front();  // unreachable for a complete table
}

// Exact, case-sensitive match of a raw text.
template <class Row, std::size_t N>
std::optional<decltype(Row::value)> enumFromRaw(const std::array<Row, N>& table, std::string_view raw) {
  for (const auto& entry : table)
    if (entry.raw == raw) return entry.value;
  return std::nullopt;
}

// For enumerations whose raw value is their position (0, 1, ...).
template <class Row, std::size_t N>
std::optional<decltype(Row::value)> enumFromCode(const std::array<Row, N>& table, long long code) {
  if (code < 0 || static_cast<unsigned long long>(code) >= table.size()) return std::nullopt;
  return table[static_cast<std::size_t>(code)].value;
}

// For enumerations that documents store as their position plus one (1, 2, ...).
template <class Row, std::size_t N>
std::optional<decltype(Row::value)> enumFromDocumentCode(const std::array<Row, N>& table, long long code) {
  if (code < 1) return std::nullopt;
  return enumFromCode(table, code - 1);
}

}  // namespace tavlo
