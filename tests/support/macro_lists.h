// Macro lists for tests: records that carry only their ids.
#pragma once

#include <cstdint>
#include <initializer_list>

#include "model/macro_record.h"

namespace testsupport {

inline model::MacroList MacrosWithIds(std::initializer_list<uint16_t> ids) {
  model::MacroList macros;
  for (uint16_t id : ids) {
    model::MacroRecord macro;
    macro.SetId(id);
    macros.push_back(macro);
  }
  return macros;
}

}  // namespace testsupport
