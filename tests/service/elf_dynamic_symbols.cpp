#include "tests/service/elf_dynamic_symbols.h"

#include <cstdint>
#include <fstream>
#include <iterator>
#include <vector>

namespace servicetest {
namespace {

// ELF64 offsets.
constexpr std::size_t kSectionTableOffset = 0x28;  // e_shoff
constexpr std::size_t kSectionEntrySize = 0x3A;    // e_shentsize
constexpr std::size_t kSectionCount = 0x3C;        // e_shnum
constexpr std::size_t kSectionType = 0x04;         // sh_type
constexpr std::size_t kSectionFileOffset = 0x18;   // sh_offset
constexpr std::size_t kSectionSize = 0x20;         // sh_size
constexpr std::size_t kSectionLink = 0x28;         // sh_link
constexpr uint32_t kDynamicSymbolTable = 11;       // SHT_DYNSYM
constexpr std::size_t kSymbolSize = 24;
constexpr std::size_t kSymbolName = 0;     // st_name
constexpr std::size_t kSymbolInfo = 4;     // st_info
constexpr std::size_t kSymbolSection = 6;  // st_shndx

class Reader {
 public:
  explicit Reader(std::vector<unsigned char> bytes) : bytes_(std::move(bytes)) {}
  bool Has(uint64_t offset, uint64_t size) const {
    return offset <= bytes_.size() && size <= bytes_.size() - offset;
  }
  uint64_t Le(uint64_t offset, int width) const {
    uint64_t value = 0;
    for (int i = width - 1; i >= 0; --i) value = (value << 8) | bytes_[offset + i];
    return value;
  }
  std::string CString(uint64_t offset, uint64_t end) const {
    std::string text;
    while (offset < end && bytes_[offset] != 0) text.push_back(static_cast<char>(bytes_[offset++]));
    return text;
  }

 private:
  std::vector<unsigned char> bytes_;
};

}  // namespace

std::optional<std::set<std::string>> DefinedDynamicSymbols(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(file)),
                                   std::istreambuf_iterator<char>());
  const Reader elf(std::move(bytes));
  // "\x7f" "ELF", 64-bit, little-endian.
  if (!elf.Has(0, 0x40) || elf.Le(0, 4) != 0x464C457F || elf.Le(4, 1) != 2 || elf.Le(5, 1) != 1) {
    return std::nullopt;
  }
  const uint64_t sections = elf.Le(kSectionTableOffset, 8);
  const uint64_t entrySize = elf.Le(kSectionEntrySize, 2);
  const uint64_t count = elf.Le(kSectionCount, 2);
  if (entrySize < 0x40 || !elf.Has(sections, entrySize * count)) return std::nullopt;

  for (uint64_t i = 0; i < count; ++i) {
    const uint64_t section = sections + i * entrySize;
    if (elf.Le(section + kSectionType, 4) != kDynamicSymbolTable) continue;
    const uint64_t symbols = elf.Le(section + kSectionFileOffset, 8);
    const uint64_t size = elf.Le(section + kSectionSize, 8);
    const uint64_t link = elf.Le(section + kSectionLink, 4);
    if (link >= count || !elf.Has(symbols, size)) return std::nullopt;
    const uint64_t strings = elf.Le(sections + link * entrySize + kSectionFileOffset, 8);
    const uint64_t stringsSize = elf.Le(sections + link * entrySize + kSectionSize, 8);
    if (!elf.Has(strings, stringsSize)) return std::nullopt;

    std::set<std::string> names;
    for (uint64_t s = symbols; s + kSymbolSize <= symbols + size; s += kSymbolSize) {
      const uint64_t binding = elf.Le(s + kSymbolInfo, 1) >> 4;
      if (elf.Le(s + kSymbolSection, 2) == 0 || binding == 0) continue;  // undefined or local
      names.insert(elf.CString(strings + elf.Le(s + kSymbolName, 4), strings + stringsSize));
    }
    return names;
  }
  return std::nullopt;
}

}  // namespace servicetest
