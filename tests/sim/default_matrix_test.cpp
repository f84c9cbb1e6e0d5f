// The factory key matrix: fixed positions, the G keys, no key twice.
#include "sim/default_matrix.h"

#include <gtest/gtest.h>

#include <array>
#include <map>

namespace {

using Entry = std::array<uint8_t, 3>;

Entry At(size_t position) {
  auto matrix = sim::FactoryDefaultMatrix();
  return {matrix[position * 3], matrix[position * 3 + 1], matrix[position * 3 + 2]};
}

TEST(sim_default_matrix, FixedPositions) {
  for (size_t position = 0; position < 6; ++position) {
    EXPECT_EQ(At(position), (Entry{0x05, 0x00, 0x00})) << position;
  }
  EXPECT_EQ(At(53), (Entry{0x05, 0x02, 0x02}));
  EXPECT_EQ(At(6), (Entry{0x02, 0x02, 0x40}));
  EXPECT_EQ(At(63), (Entry{0x02, 0x02, 0x2A}));
  EXPECT_EQ(At(111), (Entry{0x02, 0x02, 0x63}));
}

TEST(sim_default_matrix, EveryGKeyOnceInOrder) {
  std::map<int, size_t> gKeys;
  for (size_t position = 0; position < sim::kKeyMapEntries; ++position) {
    Entry entry = At(position);
    if (entry[0] != 0x06) continue;
    EXPECT_EQ(entry[1], 0xA2) << position;
    EXPECT_TRUE(gKeys.emplace(entry[2], position).second) << "G" << int(entry[2]) << " twice";
  }
  ASSERT_EQ(gKeys.size(), 14u);
  for (int g = 1; g <= 14; ++g) {
    ASSERT_EQ(gKeys.count(g), 1u) << "G" << g;
    EXPECT_EQ(gKeys[g], 111u + g);
  }
}

TEST(sim_default_matrix, NoKeyTwiceAndNoEmptyPosition) {
  std::map<Entry, size_t> seen;
  for (size_t position = 0; position < sim::kKeyMapEntries; ++position) {
    Entry entry = At(position);
    EXPECT_NE(entry, (Entry{0, 0, 0})) << "empty at " << position;
    if (entry == Entry{0x05, 0x00, 0x00}) continue;
    auto [it, fresh] = seen.emplace(entry, position);
    EXPECT_TRUE(fresh) << "position " << position << " repeats position " << it->second;
  }
}

}  // namespace
