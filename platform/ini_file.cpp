#include "platform/ini_file.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <mutex>

#include "platform/file_io.h"

namespace platform {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

bool SameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

std::string UnquotedValue(std::string_view raw) {
  std::string_view value = Trim(raw);
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front())
    value = value.substr(1, value.size() - 2);
  return std::string(value);
}

// Values that would not read back as written are stored in quotes.
std::string StoredValue(std::string_view value) {
  const bool needsQuotes = !value.empty() && (IsBlank(value.front()) || IsBlank(value.back()) ||
                                              ((value.front() == '"' || value.front() == '\'') &&
                                               value.size() >= 2 && value.back() == value.front()));
  return needsQuotes ? "\"" + std::string(value) + "\"" : std::string(value);
}

// Serialises writers within the process; the file replacement itself is
// atomic for readers in any process.
std::mutex writeMutex;

}  // namespace

std::string CutToCharacters(std::string_view text, std::size_t characters) {
  std::size_t count = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if ((byte & 0xC0) != 0x80) {
      if (count == characters) return std::string(text.substr(0, i));
      ++count;
    }
  }
  return std::string(text);
}

IniDocument IniDocument::Parse(std::string_view text) {
  IniDocument document;
  if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
    document.byteOrderMark_ = true;
    text.remove_prefix(kByteOrderMark.size());
  }
  const std::size_t firstBreak = text.find('\n');
  if (firstBreak != std::string_view::npos && firstBreak > 0 && text[firstBreak - 1] == '\r')
    document.lineEnd_ = "\r\n";
  document.endsWithNewline_ = text.empty() || text.back() == '\n';
  while (!text.empty()) {
    std::size_t end = text.find('\n');
    std::string_view raw = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (!raw.empty() && raw.back() == '\r') raw.remove_suffix(1);
    Line line;
    line.text = std::string(raw);
    const std::string_view trimmed = Trim(raw);
    if (!trimmed.empty() && trimmed.front() == '[') {
      const std::size_t close = trimmed.find(']');
      line.kind = Line::kSection;
      line.name = std::string(Trim(
          trimmed.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1)));
    } else if (!trimmed.empty() && trimmed.front() != ';' && trimmed.front() != '#') {
      const std::size_t equals = trimmed.find('=');
      if (equals != std::string_view::npos) {
        line.kind = Line::kKey;
        line.name = std::string(Trim(trimmed.substr(0, equals)));
      }
    }
    document.lines_.push_back(std::move(line));
  }
  return document;
}

std::size_t IniDocument::FindSection(std::string_view section) const {
  section = Trim(section);
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    if (lines_[i].kind == Line::kSection && SameName(lines_[i].name, section)) return i + 1;
  }
  return std::string::npos;
}

bool IniDocument::HasSection(std::string_view section) const {
  return FindSection(section) != std::string::npos;
}

std::optional<std::string> IniDocument::Find(std::string_view section, std::string_view key) const {
  // Names are compared as they are stored: without surrounding blanks.
  key = Trim(key);
  std::size_t i = FindSection(section);
  if (i == std::string::npos) return std::nullopt;
  for (; i < lines_.size() && lines_[i].kind != Line::kSection; ++i) {
    if (lines_[i].kind == Line::kKey && SameName(lines_[i].name, key)) {
      const std::string& text = lines_[i].text;
      return UnquotedValue(std::string_view(text).substr(text.find('=') + 1));
    }
  }
  return std::nullopt;
}

std::vector<std::string> IniDocument::Keys(std::string_view section) const {
  std::vector<std::string> keys;
  std::size_t i = FindSection(section);
  if (i == std::string::npos) return keys;
  for (; i < lines_.size() && lines_[i].kind != Line::kSection; ++i) {
    if (lines_[i].kind != Line::kKey) continue;
    const bool seen = std::any_of(keys.begin(), keys.end(), [&](const std::string& k) {
      return SameName(k, lines_[i].name);
    });
    if (!seen) keys.push_back(lines_[i].name);
  }
  return keys;
}

bool IniDocument::Set(std::string_view section, std::string_view key, std::string_view value) {
  const std::string_view name = Trim(key);
  if (name.empty() || name.front() == '[' || name.front() == ';' || name.front() == '#' ||
      name.find_first_of("=\r\n") != std::string_view::npos ||
      section.find_first_of("]\r\n") != std::string_view::npos)
    return false;
  std::string flat(value);
  std::replace(flat.begin(), flat.end(), '\n', ' ');
  std::replace(flat.begin(), flat.end(), '\r', ' ');
  Line line;
  line.kind = Line::kKey;
  line.name = std::string(name);
  line.text = std::string(name) + "=" + StoredValue(flat);

  std::size_t i = FindSection(section);
  if (i == std::string::npos) {
    if (!lines_.empty() && !Trim(lines_.back().text).empty()) lines_.push_back(Line{});
    Line header;
    header.kind = Line::kSection;
    header.name = std::string(section);
    header.text = "[" + std::string(section) + "]";
    lines_.push_back(std::move(header));
    lines_.push_back(std::move(line));
    endsWithNewline_ = true;
    return true;
  }
  std::size_t lastContent = i - 1;
  for (; i < lines_.size() && lines_[i].kind != Line::kSection; ++i) {
    if (lines_[i].kind == Line::kKey && SameName(lines_[i].name, name)) {
      line.name = lines_[i].name;
      line.text = lines_[i].name + "=" + StoredValue(flat);
      lines_[i] = std::move(line);
      return true;
    }
    if (!Trim(lines_[i].text).empty()) lastContent = i;
  }
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(lastContent + 1), std::move(line));
  return true;
}

std::string IniDocument::Text() const {
  std::string text = byteOrderMark_ ? std::string(kByteOrderMark) : std::string();
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    text += lines_[i].text;
    if (i + 1 < lines_.size() || endsWithNewline_) text += lineEnd_;
  }
  return text;
}

std::string ReadIniText(const std::string& path, std::string_view section, std::string_view key,
                        std::string_view defaultText, std::size_t capacity) {
  const std::size_t characters = capacity == 0 ? 0 : capacity - 1;
  std::string content;
  if (ReadWholeFile(path, &content) == ReadStatus::kOk) {
    if (auto value = IniDocument::Parse(content).Find(section, key))
      return CutToCharacters(*value, characters);
  }
  return CutToCharacters(defaultText, characters);
}

int ReadIniInt(const std::string& path, std::string_view section, std::string_view key,
               int defaultValue) {
  std::string content;
  if (ReadWholeFile(path, &content) != ReadStatus::kOk) return defaultValue;
  const auto value = IniDocument::Parse(content).Find(section, key);
  if (!value) return defaultValue;
  int number = 0;
  const char* begin = value->data();
  if (*begin == '+') ++begin;
  const auto [end, error] = std::from_chars(begin, value->data() + value->size(), number);
  return error == std::errc() || end != begin ? number : 0;
}

bool WriteIniText(const std::string& path, std::string_view section, std::string_view key,
                  std::string_view text) {
  std::lock_guard lock(writeMutex);
  std::string content;
  // A file that exists but cannot be read must not be replaced by one that
  // holds only this key.
  if (ReadWholeFile(path, &content) == ReadStatus::kUnreadable) return false;
  IniDocument document = IniDocument::Parse(content);
  if (!document.Set(section, key, text)) return false;
  return ReplaceFileAtomically(path, document.Text());
}

}  // namespace platform
