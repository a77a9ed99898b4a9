#pragma once
// Code page 932 (Shift-JIS) byte classes, from the fixed table of the code page, so that results
// never depend on the machine's locale.
#include <cstddef>
#include <string_view>

namespace sm {

// A byte that starts a double-byte character: 0x81..0x9F and 0xE0..0xFC.
constexpr bool IsLeadByte(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }
constexpr bool IsLeadByte(char b) { return IsLeadByte(static_cast<unsigned char>(b)); }

// Length in bytes of the character starting at s[i]: 2 for a lead byte followed by another byte,
// else 1 (a lead byte at the very end counts as one byte).
constexpr size_t CharLen(std::string_view s, size_t i) {
  return (IsLeadByte(s[i]) && i + 1 < s.size()) ? 2 : 1;
}

}  // namespace sm
