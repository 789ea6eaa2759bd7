#pragma once

#include <cstdint>
#include <optional>
#include <string>

// Numbers that come from scripts and data files are doubles of any value; these turn them into the
// engine's fixed-width types without undefined behaviour.

// Truncates toward zero; saturates at the int32 limits; NaN becomes 0.
int32_t ToInt32(double value);

// Rounds to the nearest float; saturates at the float limits instead of becoming infinite.
// NaN stays NaN.
float ToFloat(double value);

// 32-bit counters that run without bound wrap as two's complement.
inline int32_t WrapAdd(int32_t a, int32_t b) {
  return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}

// Sums of script numbers (positions, sizes, offsets) that must stay within int32 saturate.
inline int32_t SaturatingAdd(int64_t a, int64_t b) {
  const int64_t sum = a + b;
  return sum < INT32_MIN ? INT32_MIN : sum > INT32_MAX ? INT32_MAX : static_cast<int32_t>(sum);
}
inline int32_t SaturatingSubtract(int64_t a, int64_t b) { return SaturatingAdd(a, -b); }

// A script's text that may be none, kept as a copy of its own.
inline std::optional<std::string> OptionalText(const char* text) {
  return text != nullptr ? std::optional<std::string>(text) : std::nullopt;
}
