// Arbitrary bytes as a profile file. Checking the header and loading must
// stay inside the bytes; whatever loads must save, and the saved file must
// pass the header check, load whole and give back the same store and, saved
// again, the same bytes.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "model/config_store.h"
#include "profiles/profile_file.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

bool SameStore(const model::ConfigStore& a, const model::ConfigStore& b) {
  if (!a.image() || !b.image()) return false;
  if (!std::equal(a.image()->bytes().begin(), a.image()->bytes().end(), b.image()->bytes().begin()))
    return false;
  if (a.Macros() != b.Macros() || a.TextBytes() != b.TextBytes()) return false;
  for (int slot = 0; slot < model::kTextSlots; ++slot)
    if (a.Text(slot).text != b.Text(slot).text || a.Text(slot).bytes != b.Text(slot).bytes)
      return false;
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  // A copy of exactly `size` bytes, so that any read past the end is caught.
  const std::vector<uint8_t> input(data, data + size);
  profiles::IsValidProfileHeader(input);

  model::ConfigStore first;
  profiles::LoadProfileBytes(first, input);
  std::vector<uint8_t> saved;
  Require(profiles::SerializeProfile(first, &saved));
  Require(profiles::IsValidProfileHeader(saved));

  model::ConfigStore second;
  Require(profiles::LoadProfileBytes(second, saved) == profiles::kProfileOk);
  Require(SameStore(first, second));
  std::vector<uint8_t> again;
  Require(profiles::SerializeProfile(second, &again));
  Require(again == saved);
  return 0;
}
