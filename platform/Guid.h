#pragma once

#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>

// A 128-bit identity of an interface or a stream type, written
// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" in upper-case hexadecimal.
struct TGUID {
  uint32_t D1 = 0;
  uint16_t D2 = 0;
  uint16_t D3 = 0;
  std::array<uint8_t, 8> D4{};

  // Parses the text form; at compile time when the text is a constant. Throws std::invalid_argument.
  static constexpr TGUID Parse(std::string_view text);

  bool IsNull() const { return *this == TGUID{}; }
  std::string ToString() const;
  friend constexpr bool operator==(const TGUID&, const TGUID&) = default;
};

constexpr TGUID TGUID::Parse(std::string_view text) {
  auto hex = [&](size_t pos, int digits) -> uint32_t {
    uint32_t value = 0;
    for (int i = 0; i < digits; ++i) {
      const char c = text[pos + static_cast<size_t>(i)];
      const int digit = c >= '0' && c <= '9'   ? c - '0'
                        : c >= 'A' && c <= 'F' ? c - 'A' + 10
                        : c >= 'a' && c <= 'f' ? c - 'a' + 10
                                               : -1;
      if (digit < 0) throw std::invalid_argument("not a GUID");
      value = value * 16 + static_cast<uint32_t>(digit);
    }
    return value;
  };
  if (text.size() != 38 || text[0] != '{' || text[9] != '-' || text[14] != '-' || text[19] != '-' || text[24] != '-' ||
      text[37] != '}')
    throw std::invalid_argument("not a GUID");
  TGUID guid;
  guid.D1 = hex(1, 8);
  guid.D2 = static_cast<uint16_t>(hex(10, 4));
  guid.D3 = static_cast<uint16_t>(hex(15, 4));
  guid.D4[0] = static_cast<uint8_t>(hex(20, 2));
  guid.D4[1] = static_cast<uint8_t>(hex(22, 2));
  for (size_t i = 0; i < 6; ++i) guid.D4[2 + i] = static_cast<uint8_t>(hex(25 + 2 * i, 2));
  return guid;
}

// A GUID constant from its text form, checked at compile time.
consteval TGUID operator""_guid(const char* text, size_t size) { return TGUID::Parse({text, size}); }
