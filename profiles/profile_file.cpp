#include "profiles/profile_file.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <new>
#include <string_view>

#include "platform/byte_order.h"
#include "platform/file_io.h"
#include "profiles/text_packing.h"
#include "settings/language_table.h"
#include "settings/safe_format.h"

namespace profiles {
namespace {

using model::kMacroRecordSize;
using model::kProfileImageSize;
using platform::ReadU16;
using platform::ReadU32;
using platform::WriteU16;
using platform::WriteU32;

// Header fields.
constexpr std::size_t kMagicAt = 0;
constexpr std::size_t kHeaderSizeAt = 2;
constexpr std::size_t kConstant3At = 4;
constexpr std::size_t kConstant1At = 6;
constexpr std::size_t kFileSizeAt = 8;
constexpr std::size_t kEntryCountAt = 12;
constexpr std::size_t kMacroCountAt = 14;
constexpr std::size_t kTextSizeAt = 16;
constexpr std::size_t kFlagAt = 30;
constexpr std::size_t kChecksumAt = 31;

constexpr uint16_t kConstant3 = 3;
constexpr uint16_t kConstant1 = 1;
constexpr uint8_t kHighestFlag = 1;
constexpr uint64_t kTooLarge = uint64_t{1} << 32;

uint8_t Checksum(const uint8_t* header) {
  unsigned sum = 0;
  for (std::size_t i = 0; i < kChecksumAt; ++i) sum += header[i];
  return static_cast<uint8_t>(sum);
}

std::string_view AsChars(std::span<const uint8_t> bytes) {
  return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

enum class ReadResult { kOk, kMissing, kCannotOpen };

// Reads the file from its start, as far as `limit` bytes or its end.
ReadResult ReadFilePrefix(const std::string& path, uint64_t limit, std::vector<uint8_t>* bytes,
                          uint64_t* fileSize) {
  bytes->clear();
  std::error_code error;
  const std::filesystem::file_status status = std::filesystem::status(path, error);
  if (status.type() == std::filesystem::file_type::not_found) return ReadResult::kMissing;
  if (error || !std::filesystem::is_regular_file(status)) return ReadResult::kCannotOpen;
  std::ifstream in(path, std::ios::binary);
  if (!in) return ReadResult::kCannotOpen;
  const uintmax_t size = std::filesystem::file_size(path, error);
  if (error) return ReadResult::kCannotOpen;
  *fileSize = size;
  bytes->resize(static_cast<std::size_t>(std::min<uint64_t>(limit, size)));
  in.read(reinterpret_cast<char*>(bytes->data()), static_cast<std::streamsize>(bytes->size()));
  bytes->resize(static_cast<std::size_t>(in.gcount()));
  return ReadResult::kOk;
}

// The text an entry's value points at, read only inside the area. False for
// a text that starts inside the area but has no terminator there or is
// longer than any key's text; an offset outside the area is an entry without
// a text.
bool TextAt(std::span<const uint8_t> area, uint32_t value, std::u16string* text) {
  text->clear();
  const std::size_t start = value & ~uint32_t{1};
  if (start >= area.size() || area.size() - start < 2) return true;
  const std::size_t units = std::min((area.size() - start) / 2, kMaxTextCharacters + 1);
  for (std::size_t i = 0; i < units; ++i) {
    const uint16_t unit = ReadU16(area.data() + start + i * 2);
    if (unit == 0) return true;
    text->push_back(static_cast<char16_t>(unit));
  }
  text->clear();
  return false;
}

// Every launch-program and text-block entry takes its text; empty texts
// leave the slot empty.
bool LoadTexts(model::ConfigStore& store, std::span<const uint8_t> area) {
  bool whole = true;
  const model::ProfileImage& image = *store.image();
  std::u16string text;
  for (int slot = 0; slot < model::kTextSlots; ++slot) {
    const model::KeyAction action =
        image.ActionAt(slot / model::kEntriesPerArea, slot % model::kEntriesPerArea);
    if (!CarriesText(action.type)) continue;
    if (!TextAt(area, action.value, &text)) whole = false;
    if (!text.empty()) store.SetText(slot, text);
  }
  return whole;
}

}  // namespace

uint64_t ProfileFileSize(uint64_t macroCount, uint64_t textSize) {
  return macroCount * kMacroRecordSize + textSize + kProfileImageSize;
}

std::optional<ProfileHeader> ParseProfileHeader(std::span<const uint8_t> bytes) {
  if (bytes.size() < kHeaderSize) return std::nullopt;
  const uint8_t* p = bytes.data();
  ProfileHeader header;
  header.magic = ReadU16(p + kMagicAt);
  header.headerSize = ReadU16(p + kHeaderSizeAt);
  header.constant3 = ReadU16(p + kConstant3At);
  header.constant1 = ReadU16(p + kConstant1At);
  header.fileSize = ReadU32(p + kFileSizeAt);
  header.entryCount = ReadU16(p + kEntryCountAt);
  header.macroCount = ReadU16(p + kMacroCountAt);
  header.textSize = ReadU32(p + kTextSizeAt);
  header.flag = p[kFlagAt];
  header.checksum = p[kChecksumAt];
  return header;
}

bool IsValidProfileHeader(std::span<const uint8_t> bytes) {
  const std::optional<ProfileHeader> header = ParseProfileHeader(bytes);
  if (!header) return false;
  return header->magic == kProfileMagic && header->headerSize == kHeaderSize &&
         header->constant3 == kConstant3 && header->constant1 == kConstant1 &&
         header->fileSize >= kProfileImageSize && header->entryCount == kHeaderEntryCount &&
         header->macroCount <= kMaxFileMacros && header->flag <= kHighestFlag &&
         header->fileSize == ProfileFileSize(header->macroCount, header->textSize) &&
         header->checksum == Checksum(bytes.data());
}

void BuildFileHeader(model::ProfileImage& image, uint16_t count, uint32_t textSize, uint8_t flag) {
  uint8_t* p = image.bytes().data();
  std::fill_n(p, kHeaderSize, uint8_t{0});
  WriteU16(p + kMagicAt, kProfileMagic);
  WriteU16(p + kHeaderSizeAt, kHeaderSize);
  WriteU16(p + kConstant3At, kConstant3);
  WriteU16(p + kConstant1At, kConstant1);
  // A saved store never comes near 4 GiB: at most 100 records and a text
  // total that fits 31 bits.
  WriteU32(p + kFileSizeAt, static_cast<uint32_t>(ProfileFileSize(count, textSize)));
  WriteU16(p + kEntryCountAt, kHeaderEntryCount);
  WriteU16(p + kMacroCountAt, count);
  WriteU32(p + kTextSizeAt, textSize);
  p[kFlagAt] = flag;
  p[kChecksumAt] = Checksum(p);
}

void WriteDeviceRecord(model::ProfileImage& image) {
  uint8_t* p = image.bytes().data() + kDeviceRecordOffset;
  std::fill_n(p, kDeviceRecordSize, uint8_t{0});
  WriteU16(p + 0, 0x484B);  // "KH"
  WriteU16(p + 2, kDeviceRecordSize);
  WriteU16(p + 4, 0x8020);  // this record and the four areas
  WriteU16(p + 8, model::kAreaCount);
  WriteU16(p + 10, model::kEntriesPerArea);
  WriteU16(p + 16, 0x0C45);  // the keyboard's vendor and product ids
  WriteU16(p + 18, 0x5004);
  WriteU16(p + 20, 0x1C4F);
  WriteU16(p + 22, 0x000E);
}

std::unique_ptr<model::ProfileImage> NewEmptyImage(uint8_t flag) {
  std::unique_ptr<model::ProfileImage> image(new (std::nothrow) model::ProfileImage);
  if (!image) return nullptr;
  BuildFileHeader(*image, 0, 0, flag);
  WriteDeviceRecord(*image);
  image->ClearAreas();
  return image;
}

bool SerializeProfile(model::ConfigStore& store, std::vector<uint8_t>* out) {
  out->clear();
  std::lock_guard lock(store.mutex());
  model::ProfileImage* image = store.image();
  const model::MacroList& macros = store.Macros();
  // More records than a reader accepts would make a file nobody can import.
  if (image == nullptr || macros.size() > static_cast<std::size_t>(kMaxFileMacros)) return false;
  std::vector<uint8_t> texts;
  if (!PackTexts(store, *image, &texts)) return false;
  BuildFileHeader(*image, static_cast<uint16_t>(macros.size()), static_cast<uint32_t>(texts.size()),
                  0);
  try {
    out->reserve(static_cast<std::size_t>(ProfileFileSize(macros.size(), texts.size())));
    out->insert(out->end(), image->bytes().begin(), image->bytes().end());
    for (const model::MacroRecord& record : macros)
      out->insert(out->end(), record.bytes().begin(), record.bytes().end());
    out->insert(out->end(), texts.begin(), texts.end());
  } catch (const std::bad_alloc&) {
    out->clear();
    return false;
  }
  return true;
}

int LoadProfileBytes(model::ConfigStore& store, std::span<const uint8_t> bytes) {
  std::lock_guard lock(store.mutex());
  std::unique_ptr<model::ProfileImage> image = NewEmptyImage(0);
  if (!image) return kProfileFailed;
  const std::size_t imageBytes = std::min(bytes.size(), kProfileImageSize);
  std::copy_n(bytes.begin(), imageBytes, image->bytes().begin());
  store.SetImage(std::move(image));
  if (imageBytes < kProfileImageSize) {
    store.ReplaceMacros({});
    return kProfileFailed;
  }

  const ProfileHeader header = *ParseProfileHeader(bytes);
  bool complete = true;
  const std::span<const uint8_t> records = bytes.subspan(kProfileImageSize);
  std::size_t count = std::min<std::size_t>(header.macroCount, records.size() / kMacroRecordSize);
  count = std::min<std::size_t>(count, kMaxFileMacros);
  if (count < header.macroCount) complete = false;
  try {
    model::MacroList macros;
    macros.reserve(count);
    for (std::size_t m = 0; m < count; ++m)
      macros.push_back(model::MacroRecord::FromBytes(
          records.subspan(m * kMacroRecordSize).first<kMacroRecordSize>()));
    store.ReplaceMacros(std::move(macros));
  } catch (const std::bad_alloc&) {
    return kProfileFailed;
  }

  // The text area starts after every record the header names, loaded or not.
  const uint64_t textStart = ProfileFileSize(header.macroCount, 0);
  std::span<const uint8_t> area;
  if (textStart < bytes.size())
    area = bytes.subspan(static_cast<std::size_t>(textStart),
                         std::min<uint64_t>(header.textSize, bytes.size() - textStart));
  if (area.size() < header.textSize) complete = false;
  try {
    if (!LoadTexts(store, area)) complete = false;
  } catch (const std::bad_alloc&) {
    return kProfileFailed;
  }
  return complete ? kProfileOk : kProfileFailed;
}

int CreateEmptyImage(model::ConfigStore& store, const std::string& path, uint8_t flag,
                     bool intoStore) {
  std::unique_ptr<model::ProfileImage> image = NewEmptyImage(flag);
  if (!image) return kProfileFailed;
  if (intoStore) {
    store.SetImage(std::move(image));
    return kProfileOk;
  }
  try {
    return platform::ReplaceFileAtomically(path, AsChars(image->bytes())) ? kProfileOk
                                                                          : kProfileFailed;
  } catch (const std::bad_alloc&) {
    return kProfileFailed;
  }
}

int SaveProfileFile(model::ConfigStore& store, bool takeLock, const std::string& path) {
  std::unique_lock lock(store.mutex(), std::defer_lock);
  if (takeLock) lock.lock();
  try {
    std::vector<uint8_t> bytes;
    if (!SerializeProfile(store, &bytes)) return kProfileFailed;
    return platform::ReplaceFileAtomically(path, AsChars(bytes)) ? kProfileOk : kProfileFailed;
  } catch (const std::bad_alloc&) {
    return kProfileFailed;
  }
}

int LoadProfileFile(model::ConfigStore& store, const std::string& path) {
  try {
    // The header first, then only as far as it says the file reaches.
    std::vector<uint8_t> bytes;
    uint64_t fileSize = 0;
    if (ReadFilePrefix(path, kHeaderSize, &bytes, &fileSize) != ReadResult::kOk)
      return kProfileFailed;
    uint64_t wanted = fileSize;
    if (const std::optional<ProfileHeader> header = ParseProfileHeader(bytes))
      wanted = ProfileFileSize(header->macroCount, header->textSize);
    if (ReadFilePrefix(path, wanted, &bytes, &fileSize) != ReadResult::kOk) return kProfileFailed;
    return LoadProfileBytes(store, bytes);
  } catch (const std::bad_alloc&) {
    return kProfileFailed;
  }
}

int ValidateProfileFile(const std::string& path, platform::WindowInterface& window) {
  try {
    std::vector<uint8_t> header;
    uint64_t fileSize = 0;
    switch (ReadFilePrefix(path, kHeaderSize, &header, &fileSize)) {
      case ReadResult::kMissing:
        return kProfileFailed;
      case ReadResult::kCannotOpen:
        return kProfileCannotOpen;
      case ReadResult::kOk:
        break;
    }
    if (fileSize >= kTooLarge || fileSize < kProfileImageSize) return kProfileFailed;
    if (IsValidProfileHeader(header)) return kProfileOk;
    window.ShowMessage(settings::FormatWithString(settings::Text("PROFILE_FORMAT_ERROR"), path),
                       platform::MessageButtons::kOk, false);
    return kProfileFailed;
  } catch (const std::bad_alloc&) {
    return kProfileOutOfMemory;
  }
}

}  // namespace profiles
