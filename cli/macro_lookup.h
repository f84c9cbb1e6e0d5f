// Finding a macro by what a user types: its name, or its id.
#pragma once

#include <string>
#include <string_view>

#include "model/macro_record.h"

namespace cli {

// The list position of the macro: an exact name first, then a name equal but
// for ASCII case when only one macro has it, then an id 1..100. -1 when none
// matches; `problem` then says so, with the names that come close.
int FindMacro(const model::MacroList& macros, std::string_view nameOrId, std::string* problem);

// The macro's name as UTF-8.
std::string MacroName(const model::MacroRecord& macro);

}  // namespace cli
