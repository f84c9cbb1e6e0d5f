#include "lighting/preview_waves.h"

#include "lighting/preview_tables.h"

namespace lighting {
namespace {

constexpr int kLast = kGridColumns - 1;

std::uint8_t Down(std::uint8_t v) {
  return static_cast<std::uint8_t>(v << 1);
}
std::uint8_t Up(std::uint8_t v) {
  return static_cast<std::uint8_t>(v >> 1);
}

}  // namespace

void MoveWavesDiagonally(WavePlanes& planes) {
  const WavePlanes old = planes;
  for (int c = 0; c < kGridColumns; ++c) {
    const auto at = [](const WavePlane& p, int column) {
      return (column < 0 || column > kLast) ? std::uint8_t{0} : p[static_cast<std::size_t>(column)];
    };
    const auto i = static_cast<std::size_t>(c);
    planes[0][i] = static_cast<std::uint8_t>(Down(old[0][i]) | at(old[0], c + 1));
    planes[1][i] = static_cast<std::uint8_t>(Down(old[1][i]) | at(old[1], c - 1));
    planes[2][i] = static_cast<std::uint8_t>(Up(old[2][i]) | at(old[2], c - 1));
    planes[3][i] = static_cast<std::uint8_t>(Up(old[3][i]) | at(old[3], c + 1));
  }
}

void MoveWavesVertically(WavePlanes& planes) {
  for (int c = 0; c < kGridColumns; ++c) {
    const auto i = static_cast<std::size_t>(c);
    planes[0][i] = Down(planes[0][i]);
    planes[1][i] = Down(planes[1][i]);
    planes[2][i] = Up(planes[2][i]);
    planes[3][i] = Up(planes[3][i]);
  }
}

void SeedWaves(WavePlanes& planes, int column, std::uint8_t bits) {
  if (column < 0 || column >= kWavePlaneBytes) return;
  for (WavePlane& plane : planes) plane[static_cast<std::size_t>(column)] |= bits;
}

std::uint8_t WaveColumn(const WavePlanes& planes, int column) {
  if (column < 0 || column >= kWavePlaneBytes) return 0;
  std::uint8_t bits = 0;
  for (const WavePlane& plane : planes) bits |= plane[static_cast<std::size_t>(column)];
  return bits;
}

}  // namespace lighting
