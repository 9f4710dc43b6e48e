// Each enumeration of the model keeps its raw values (the document's words)
// and display names in one table; these helpers answer from that table.
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

template <class E, std::size_t N>
const EnumEntry<E>& enumEntry(const std::array<EnumEntry<E>, N>& table, E value) {
  for (const auto& entry : table)
    if (entry.value == value) return entry;
  return table.front();  // unreachable for a complete table
}

// Exact, case-sensitive match of a raw text.
template <class E, std::size_t N>
std::optional<E> enumFromRaw(const std::array<EnumEntry<E>, N>& table, std::string_view raw) {
  for (const auto& entry : table)
    if (entry.raw == raw) return entry.value;
  return std::nullopt;
}

// For enumerations whose raw value is their position (0, 1, ...).
template <class E, std::size_t N>
std::optional<E> enumFromCode(const std::array<EnumEntry<E>, N>& table, long long code) {
  if (code < 0 || static_cast<unsigned long long>(code) >= table.size()) return std::nullopt;
  return table[static_cast<std::size_t>(code)].value;
}

}  // namespace tavlo
