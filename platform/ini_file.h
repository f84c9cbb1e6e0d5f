// INI files with the private-profile behaviour the program relies on:
// sections and keys are found without regard to case (the first match
// wins), anything missing gives the caller's default, values are cut to the
// caller's buffer, and a write goes to disk at once, keeps every other line
// of the file and replaces the file atomically. Files are UTF-8; a leading
// byte-order mark is accepted and kept.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// Buffers for INI values hold 260 characters, the terminator included.
inline constexpr std::size_t kIniValueCapacity = 260;

// One file's lines, parsed once. Values are trimmed of surrounding blanks and
// of one pair of surrounding quotes, as they are read.
class IniDocument {
 public:
  static IniDocument Parse(std::string_view text);

  std::optional<std::string> Find(std::string_view section, std::string_view key) const;
  bool HasSection(std::string_view section) const;
  // Every key of a section, in file order (first occurrences only).
  std::vector<std::string> Keys(std::string_view section) const;
  // Sets or adds the key; false when the key cannot be stored (empty, or
  // holding '=', '[' at its start, or a line break).
  bool Set(std::string_view section, std::string_view key, std::string_view value);
  std::string Text() const;

 private:
  struct Line {
    std::string text;
    // For key lines: the trimmed key; for section lines: the section name.
    std::string name;
    enum Kind { kOther, kSection, kKey } kind = kOther;
  };
  // Index range [first, end) of a section's lines after its header; npos when absent.
  std::size_t FindSection(std::string_view section) const;

  std::vector<Line> lines_;
  bool byteOrderMark_ = false;
  std::string lineEnd_ = "\n";
  bool endsWithNewline_ = true;
};

// The value, or `defaultText` when the file, section or key is missing; cut
// to capacity - 1 characters (never splitting a character).
std::string ReadIniText(const std::string& path, std::string_view section, std::string_view key,
                        std::string_view defaultText, std::size_t capacity = kIniValueCapacity);

// The value's leading decimal integer, 0 when it has none, `defaultValue`
// when missing.
int ReadIniInt(const std::string& path, std::string_view section, std::string_view key,
               int defaultValue);

// Writes key=text into the section, creating the file when its folder exists.
// False when nothing could be written; the old file then stays as it was.
bool WriteIniText(const std::string& path, std::string_view section, std::string_view key,
                  std::string_view text);

// At most `characters` UTF-8 characters of `text`.
std::string CutToCharacters(std::string_view text, std::size_t characters);

}  // namespace platform
