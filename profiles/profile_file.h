// Profile files (".fwc"): the whole key configuration of the keyboard, all
// little-endian, in four consecutive parts:
//
//   0                       32              header (below)
//   32                      32              device record, constant, never read
//   64                      4 × 8192        the four profile areas of the image
//   32832                   count × 16512   macro records, stored byte for byte
//   32832 + count × 16512   text size       UTF-16LE texts, each terminated
//
// The first 32832 bytes are the ProfileImage the store keeps. Launch-program
// and text-block entries hold the byte offset of their text in the text area.
//
// Header: u16 magic 0x4446 ("FD") at 0, u16 32 at 2, u16 3 at 4, u16 1 at 6,
// u32 file size at 8, u16 2048 (entries) at 12, u16 count at 14, u32 text
// size at 16, zero at 20..29, flag byte at 30 (written 0, read 0 or 1) and at
// 31 the sum of bytes 0..30 modulo 256.
//
// The pure functions work on bytes (tests and fuzzing use them); the file
// functions around them read and write whole files and replace files
// atomically, so a failed save leaves the old file as it was.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "model/config_store.h"
#include "model/macro_record.h"
#include "model/profile_image.h"
#include "platform/window_interface.h"

namespace profiles {

// Results of the file operations.
inline constexpr int kProfileOk = 1;
// Failed, incomplete, invalid or unreadable.
inline constexpr int kProfileFailed = 0;
// Exists but cannot be opened for reading.
inline constexpr int kProfileCannotOpen = -2;
inline constexpr int kProfileOutOfMemory = -3;

inline constexpr std::size_t kHeaderSize = 32;
inline constexpr std::size_t kDeviceRecordOffset = 32;
inline constexpr std::size_t kDeviceRecordSize = 32;
inline constexpr uint16_t kProfileMagic = 0x4446;
inline constexpr uint16_t kHeaderEntryCount = model::kTotalEntries;
// The most macro records a reader accepts and the store holds.
inline constexpr int kMaxFileMacros = model::kMaxMacros;

struct ProfileHeader {
  uint16_t magic = 0;
  uint16_t headerSize = 0;
  uint16_t constant3 = 0;
  uint16_t constant1 = 0;
  uint32_t fileSize = 0;
  uint16_t entryCount = 0;
  uint16_t macroCount = 0;
  uint32_t textSize = 0;
  uint8_t flag = 0;
  uint8_t checksum = 0;
};

// The size a header with these counts names: count × 16512 + text size +
// 32832, without wrapping.
uint64_t ProfileFileSize(uint64_t macroCount, uint64_t textSize);

// The header at the start of `bytes`; none when fewer than 32 bytes.
std::optional<ProfileHeader> ParseProfileHeader(std::span<const uint8_t> bytes);
// Whether the first 32 bytes are a header a reader accepts: every constant
// field, at most 100 macros, flag 0 or 1, a file size that matches the
// counts and a matching checksum. Only the header is examined.
bool IsValidProfileHeader(std::span<const uint8_t> bytes);

// Writes the header into bytes 0..31 of the image.
void BuildFileHeader(model::ProfileImage& image, uint16_t count, uint32_t textSize, uint8_t flag);
// Writes the constant device record into bytes 32..63 of the image.
void WriteDeviceRecord(model::ProfileImage& image);
// A fresh image: header with no macros and no texts, the device record, all
// areas zero except the G ids of area 0. None when memory runs out.
std::unique_ptr<model::ProfileImage> NewEmptyImage(uint8_t flag);

// The store as a profile file. Rebuilds the header of the store's image and
// writes the text offsets into it, as the saved file holds them. False when
// the store has no image, more macros than a reader accepts, or memory runs
// out.
bool SerializeProfile(model::ConfigStore& store, std::vector<uint8_t>* out);

// Loads a file's bytes into the store, which the caller has emptied (and
// whose lock it holds). Nothing outside `bytes` is read, and a damaged file
// loads as far as it goes: the image over a fresh one when the file is
// shorter, the complete macro records (at most 100), and texts only from
// inside the text area; an entry whose text lies outside it gets none.
// kProfileOk when everything the header names was there and every text was
// whole; otherwise kProfileFailed, with what could be loaded in the store.
int LoadProfileBytes(model::ConfigStore& store, std::span<const uint8_t> bytes);

// A fresh image into the store (path unused; the caller has emptied the
// store), or written to `path`. kProfileOk or kProfileFailed.
int CreateEmptyImage(model::ConfigStore& store, const std::string& path, uint8_t flag,
                     bool intoStore);

// Saves the store to `path`, replacing the file atomically: on failure
// (kProfileFailed) the old file is untouched. With takeLock the store's lock
// is held for the whole save; callers that hold it pass false.
int SaveProfileFile(model::ConfigStore& store, bool takeLock, const std::string& path);

// Loads the file into the store as LoadProfileBytes does. kProfileFailed
// with the store untouched when the file is missing or cannot be read.
int LoadProfileFile(model::ConfigStore& store, const std::string& path);

// kProfileOk for a file with a valid header. kProfileFailed for a missing
// file, a file under 32832 bytes or of 4 GiB and more (no message), and for
// an invalid header, after showing "PROFILE_FORMAT_ERROR" formatted with the
// path (OK button). kProfileCannotOpen when the file exists but cannot be
// opened for reading, kProfileOutOfMemory when memory runs out.
int ValidateProfileFile(const std::string& path, platform::WindowInterface& window);

}  // namespace profiles
