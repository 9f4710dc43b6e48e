#include "TavloData/UUID.h"

#include <array>
#include <cstdint>
#include <random>

namespace tavlo {

namespace {

// Reading std::random_device costs a few hundred nanoseconds a call, and a
// large document asks for an identifier per value; so each thread draws its
// seed from the device once and runs a 64-bit Mersenne Twister from there.
std::mt19937_64& uuidEngine() {
  thread_local std::mt19937_64 engine = [] {
    std::random_device device;
    std::array<std::uint32_t, 8> seed{};
    for (auto& word : seed) word = device();
    std::seed_seq sequence(seed.begin(), seed.end());
    return std::mt19937_64(sequence);
  }();
  return engine;
}

}  // namespace

std::string makeUUIDString() {
  std::array<std::uint8_t, 16> bytes{};
  auto& engine = uuidEngine();
  for (int half = 0; half < 2; ++half) {
    std::uint64_t bits = engine();
    for (int i = 0; i < 8; ++i) bytes[half * 8 + i] = static_cast<std::uint8_t>(bits >> (8 * i));
  }
  bytes[6] = static_cast<std::uint8_t>((bytes[6] & 0x0F) | 0x40);  // version 4
  bytes[8] = static_cast<std::uint8_t>((bytes[8] & 0x3F) | 0x80);  // RFC 4122 variant

  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string text;
  text.reserve(36);
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (i == 4 || i == 6 || i == 8 || i == 10) text.push_back('-');
    text.push_back(kHex[bytes[i] >> 4]);
    text.push_back(kHex[bytes[i] & 0x0F]);
  }
  return text;
}

}  // namespace tavlo
