// Wave planes of the ripple previews: four planes of 24 bytes, byte c for grid
// column c and bit r for row r (bits 6 and 7 lie below the grid). A set bit is
// a wave front in that cell.
#pragma once

#include <array>
#include <cstdint>

namespace lighting {

inline constexpr int kWavePlaneCount = 4;
inline constexpr int kWavePlaneBytes = 24;

using WavePlane = std::array<std::uint8_t, kWavePlaneBytes>;
using WavePlanes = std::array<WavePlane, kWavePlaneCount>;

// Planes 0..3 move down-left, down-right, up-right and up-left, so one seeded
// cell grows into a diamond-shaped ring one cell wider per step.
void MoveWavesDiagonally(WavePlanes& planes);
// Planes 0 and 1 move down, 2 and 3 up (the rain).
void MoveWavesVertically(WavePlanes& planes);

// ORs bits into one column of all four planes; columns outside 0..23 are ignored.
void SeedWaves(WavePlanes& planes, int column, std::uint8_t bits);
// The four planes' bytes of one column ORed together (0 outside 0..23).
std::uint8_t WaveColumn(const WavePlanes& planes, int column);

}  // namespace lighting
