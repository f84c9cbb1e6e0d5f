// The texts of launch-program and text-block actions packed into one area,
// as a profile file's text section holds them and as an apply hands them on.
#pragma once

#include <cstdint>
#include <vector>

#include "model/config_store.h"
#include "model/profile_image.h"

namespace profiles {

// Launch-program and text-block texts never come from the user interface,
// only from files; a path or text block is an edit-control text, so longer
// ones can only come from a damaged file.
inline constexpr std::size_t kMaxTextCharacters = 32767;

// Fills `area` with the store's text total of bytes. Slots are taken in
// order; a slot with a text whose entry in `image` is a launch-program or
// text-block action gets its text with the terminator at the next offset,
// and that offset goes into the entry's value. Slots whose entry has another
// type are skipped but keep their share of the size, so the area can be
// larger than the texts in it; uncovered bytes are zero. A launch-program or
// text-block entry without a text is pointed at an empty text, so a reader
// does not hand it another key's text. The caller holds the store's lock;
// `image` is normally the store's own. False (area empty) when memory runs
// out.
bool PackTexts(const model::ConfigStore& store, model::ProfileImage& image,
               std::vector<uint8_t>* area);

inline bool CarriesText(uint16_t type) {
  return type == model::kActionLaunch || type == model::kActionTextBlock;
}

}  // namespace profiles
