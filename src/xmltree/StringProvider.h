// Typed getters shared by everything that can hand out one optional text: an
// element (its value) and a lookup result (see XMLSubscript.h).
//
// A type becomes a StringProvider by deriving from StringProvider<Self> and
// providing `std::optional<std::string> string() const`.
//
// Enumerations: getEnum<E>() and enumValue<E>() find the enumeration's raw
// values through xmltree::EnumTraits<E>, which the enumeration's owner
// specialises next to the enumeration's table, at global namespace scope:
//
//   // text raw values
//   XMLTREE_ENUM_TRAITS(tavlo::AppearanceType, "AppearanceType", tavlo::appearanceTypeFromRaw)
//   // integer raw values: the raw type picks the integer getter (asInt32 for std::int32_t, ...)
//   XMLTREE_INTEGER_ENUM_TRAITS(tavlo::FileType, "FileType", std::int64_t, tavlo::fileTypeFromRaw)
//
// or by hand: a specialisation with `static constexpr std::string_view name`
// (the type name shown in error messages), `static std::optional<E>
// fromRaw(Raw)`, and, for integer raw values only, `using Raw = <integer type>`.
#pragma once

#include <concepts>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>

#include "xmltree/XMLError.h"

namespace xmltree {

template <class E>
struct EnumTraits;  // specialised by each enumeration's owner, see above

namespace text {
// The text rules behind the getters, usable on their own.
// Exactly "true" or "false".
std::optional<bool> toBool(std::string_view text);
// Optional "+" or "-", then one or more ASCII digits, nothing else; absent when out of range.
std::optional<std::int64_t> toInt64(std::string_view text);
std::optional<std::uint64_t> toUInt64(std::string_view text);
// Locale-independent floating-point text (decimal point ".", optional sign and
// exponent, inf/infinity/nan); empty text, leading whitespace or any unread
// trailing character gives absent.
std::optional<double> toDouble(std::string_view text);
std::optional<float> toFloat(std::string_view text);
}  // namespace text

template <class Self>
class StringProvider {
 public:
  std::optional<bool> asBool() const { return apply(text::toBool); }
  std::optional<std::int64_t> asInt() const { return apply(text::toInt64); }
  std::optional<std::int8_t> asInt8() const { return narrow<std::int8_t>(asInt()); }
  std::optional<std::int16_t> asInt16() const { return narrow<std::int16_t>(asInt()); }
  std::optional<std::int32_t> asInt32() const { return narrow<std::int32_t>(asInt()); }
  std::optional<std::uint64_t> asUInt() const { return apply(text::toUInt64); }
  std::optional<std::uint8_t> asUInt8() const { return narrow<std::uint8_t>(asUInt()); }
  std::optional<std::uint16_t> asUInt16() const { return narrow<std::uint16_t>(asUInt()); }
  std::optional<std::uint32_t> asUInt32() const { return narrow<std::uint32_t>(asUInt()); }
  std::optional<float> asFloat() const { return apply(text::toFloat); }
  std::optional<double> asDouble() const { return apply(text::toDouble); }

  bool boolValue() const { return asBool().value_or(false); }
  std::int64_t intValue() const { return asInt().value_or(0); }
  std::int8_t int8Value() const { return asInt8().value_or(0); }
  std::int16_t int16Value() const { return asInt16().value_or(0); }
  std::int32_t int32Value() const { return asInt32().value_or(0); }
  std::int64_t int64Value() const { return asInt().value_or(0); }
  std::uint64_t uIntValue() const { return asUInt().value_or(0); }
  std::uint8_t uInt8Value() const { return asUInt8().value_or(0); }
  std::uint16_t uInt16Value() const { return asUInt16().value_or(0); }
  std::uint32_t uInt32Value() const { return asUInt32().value_or(0); }
  std::uint64_t uInt64Value() const { return asUInt().value_or(0); }
  float floatValue() const { return asFloat().value_or(0.0f); }
  double doubleValue() const { return asDouble().value_or(0.0); }
  std::string stringValue() const { return self().string().value_or(std::string()); }

  // Throws XMLError::Kind::initFailue when the text is absent or names no case.
  template <class E>
  E getEnum() const {
    using Traits = EnumTraits<E>;
    const std::string typeName(Traits::name);
    if constexpr (requires { typename Traits::Raw; }) {
      std::optional<typename Traits::Raw> raw = integerAs<typename Traits::Raw>();
      if (!raw) throw XMLError::initFailue("[" + typeName + "] init failed with nil value");
      if (std::optional<E> value = Traits::fromRaw(*raw)) return *value;
      throw XMLError::initFailue("[" + typeName + "] init failed with raw value: [" + std::to_string(*raw) +
                                 "]");
    } else {
      std::optional<std::string> raw = self().string();
      if (!raw) throw XMLError::initFailue("[" + typeName + "] init failed with nil value");
      if (std::optional<E> value = Traits::fromRaw(std::string_view(*raw))) return *value;
      throw XMLError::initFailue("[" + typeName + "] init failed with raw value: [" + *raw + "]");
    }
  }

  // getEnum<E>() with every failure turned into absent.
  template <class E>
  std::optional<E> enumValue() const {
    try {
      return getEnum<E>();
    } catch (const XMLError&) {
      return std::nullopt;
    }
  }

 private:
  const Self& self() const { return static_cast<const Self&>(*this); }

  template <class F>
  auto apply(F convert) const -> decltype(convert(std::string_view())) {
    std::optional<std::string> s = self().string();
    if (!s) return std::nullopt;
    return convert(*s);
  }

  template <class To, class From>
  static std::optional<To> narrow(std::optional<From> value) {
    if (!value || !std::in_range<To>(*value)) return std::nullopt;
    return static_cast<To>(*value);
  }

  // The integer getter of the raw type's width and signedness.
  template <class R>
  std::optional<R> integerAs() const {
    static_assert(std::is_integral_v<R> && !std::is_same_v<R, bool>, "integer raw type expected");
    if constexpr (std::is_signed_v<R>) {
      if constexpr (sizeof(R) == 1)
        return asInt8();
      else if constexpr (sizeof(R) == 2)
        return asInt16();
      else if constexpr (sizeof(R) == 4)
        return asInt32();
      else
        return asInt();
    } else {
      if constexpr (sizeof(R) == 1)
        return asUInt8();
      else if constexpr (sizeof(R) == 2)
        return asUInt16();
      else if constexpr (sizeof(R) == 4)
        return asUInt32();
      else
        return asUInt();
    }
  }
};

}  // namespace xmltree

// Use at global namespace scope (explicit specialisations must live there or in xmltree).
#define XMLTREE_ENUM_TRAITS(Type, Name, FromRaw)                                      \
  template <>                                                                         \
  struct xmltree::EnumTraits<Type> {                                                  \
    static constexpr std::string_view name = Name;                                    \
    static std::optional<Type> fromRaw(std::string_view raw) { return FromRaw(raw); } \
  };

#define XMLTREE_INTEGER_ENUM_TRAITS(Type, Name, RawType, FromRaw)        \
  template <>                                                            \
  struct xmltree::EnumTraits<Type> {                                     \
    using Raw = RawType;                                                 \
    static constexpr std::string_view name = Name;                       \
    static std::optional<Type> fromRaw(Raw raw) { return FromRaw(raw); } \
  };
