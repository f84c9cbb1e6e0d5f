// Whole-file reads and atomic whole-file replacement.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform {

enum class ReadStatus { kOk, kMissing, kUnreadable };

// The file's bytes. kMissing when it does not exist; kUnreadable when it
// exists but cannot be read (or is not a regular file).
ReadStatus ReadWholeFile(const std::string& path, std::string* content);

// Writes `content` to a temporary file in the same folder, checks every
// write, flushes it to disk and renames it over `path`. On any failure the
// old file is left as it was and false is returned. The folder must exist.
bool ReplaceFileAtomically(const std::string& path, std::string_view content);

// Creates the folder and its missing parents (mode 0700 for new ones).
bool EnsureFolder(const std::string& path);

// The folder part of a path ("" for a bare name).
std::string FolderOf(const std::string& path);

}  // namespace platform
