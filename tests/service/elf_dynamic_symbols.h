// Names of the symbols an ELF64 little-endian shared object defines in its
// dynamic symbol table: what `nm -D --defined-only` lists.
#pragma once

#include <optional>
#include <set>
#include <string>

namespace servicetest {

// Nothing when the file can't be read or isn't such an object.
std::optional<std::set<std::string>> DefinedDynamicSymbols(const std::string& path);

}  // namespace servicetest
