// Value masks: bit v-1 stands for value v, so a 16-symbol grid fits in 16 bits.
// Every helper takes the grid width and ignores bits above it, because stale high
// bits (a cell of a larger earlier geometry, a hostile file) must never count.
#pragma once

#include <bit>
#include <cstdint>

namespace quorbel {

constexpr int kMaxWidth = 16;

constexpr uint32_t WidthMask(int width) { return width <= 0 ? 0u : (width >= 32 ? ~0u : (1u << width) - 1u); }

// The bit of value v, 0 when v lies outside 1..16.
constexpr uint32_t ValueBit(int v) { return v >= 1 && v <= kMaxWidth ? 1u << (v - 1) : 0u; }

// Bits of a 16-bit mask without a library call: the baseline x86-64 has no popcount
// instruction, and propagation counts candidates for every cell it touches.
constexpr int CountBits16(uint32_t value) {
  uint32_t x = value & 0xFFFFu;
  x = x - ((x >> 1) & 0x5555u);
  x = (x & 0x3333u) + ((x >> 2) & 0x3333u);
  x = (x + (x >> 4)) & 0x0F0Fu;
  return static_cast<int>((x + (x >> 8)) & 0x1Fu);
}
constexpr int CountBits64(uint64_t mask) { return std::popcount(mask); }

constexpr int CountValues(uint32_t mask, int width) {
  return width <= kMaxWidth ? CountBits16(mask & WidthMask(width)) : std::popcount(mask & WidthMask(width));
}

// Lowest and highest value of the mask, 0 when it holds none.
constexpr int LowestValue(uint32_t mask, int width) {
  mask &= WidthMask(width);
  return mask == 0 ? 0 : std::countr_zero(mask) + 1;
}
constexpr int HighestValue(uint32_t mask, int width) {
  mask &= WidthMask(width);
  return mask == 0 ? 0 : 32 - std::countl_zero(mask);
}

// The value of the n-th set bit counted from 1; 0 when the mask has fewer bits.
constexpr int NthPossValue(uint32_t mask, int n, int width) {
  mask &= WidthMask(width);
  for (int k = 1; mask != 0; ++k) {
    const int v = std::countr_zero(mask) + 1;
    if (k == n)
      return v;
    mask &= mask - 1;
  }
  return 0;
}

// Values lo+1 .. hi+1 (bits lo..hi); 0 when either bound lies outside 0..16.
constexpr uint32_t ValueRangeMask(int lo, int hi) {
  if (lo < 0 || hi < 0 || lo > kMaxWidth || hi > kMaxWidth || lo > hi)
    return 0;
  return WidthMask(hi + 1) & ~WidthMask(lo);
}

} // namespace quorbel
