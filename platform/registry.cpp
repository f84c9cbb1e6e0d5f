#include "platform/registry.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "platform/file_io.h"

namespace platform {
namespace {

constexpr std::string_view kHeader = "Windows Registry Editor Version 5.00";
constexpr std::string_view kRoot = "HKEY_CURRENT_USER\\";

bool SameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

std::string Escape(std::string_view text) {
  std::string out;
  for (char c : text) {
    if (c == '\\' || c == '"') out += '\\';
    if (c == '\n') {
      out += "\\n";
      continue;
    }
    out += c;
  }
  return out;
}

// Reads a quoted string starting at text[0] == '"'; advances past it.
std::optional<std::string> Unquote(std::string_view& text) {
  if (text.empty() || text.front() != '"') return std::nullopt;
  std::string out;
  for (std::size_t i = 1; i < text.size(); ++i) {
    if (text[i] == '\\' && i + 1 < text.size()) {
      ++i;
      out += text[i] == 'n' ? '\n' : text[i];
    } else if (text[i] == '"') {
      text.remove_prefix(i + 1);
      return out;
    } else {
      out += text[i];
    }
  }
  return std::nullopt;
}

struct Value {
  RegistryType type = RegistryType::kMissing;
  uint32_t dword = 0;
  std::string text;
};

// One value line: "name"=dword:0000000a, "name"="text", or another type.
bool ParseValueLine(std::string_view line, std::string* name, Value* value) {
  auto parsedName = Unquote(line);
  if (!parsedName || line.empty() || line.front() != '=') return false;
  line.remove_prefix(1);
  *name = *parsedName;
  if (line.substr(0, 6) == "dword:") {
    const std::string digits(line.substr(6));
    char* end = nullptr;
    const unsigned long number = std::strtoul(digits.c_str(), &end, 16);
    if (digits.empty() || digits.size() > 8 || *end != '\0') {
      value->type = RegistryType::kOther;
    } else {
      value->type = RegistryType::kDword;
      value->dword = static_cast<uint32_t>(number);
    }
  } else if (auto text = Unquote(line)) {
    value->type = RegistryType::kString;
    value->text = *text;
  } else {
    value->type = RegistryType::kOther;
  }
  return true;
}

struct Document {
  std::vector<std::string> lines;

  // Index of the line after the key's header, npos when the key is absent.
  std::size_t FindKey(std::string_view keyPath) const {
    const std::string header = "[" + std::string(kRoot) + std::string(keyPath) + "]";
    for (std::size_t i = 0; i < lines.size(); ++i)
      if (SameName(lines[i], header)) return i + 1;
    return std::string::npos;
  }
  static bool IsHeader(const std::string& line) { return !line.empty() && line.front() == '['; }

  // The line of a value in a key, npos when absent.
  std::size_t FindValue(std::size_t keyStart, std::string_view name, Value* value) const {
    for (std::size_t i = keyStart; i < lines.size() && !IsHeader(lines[i]); ++i) {
      std::string lineName;
      Value parsed;
      if (ParseValueLine(lines[i], &lineName, &parsed) && SameName(lineName, name)) {
        if (value != nullptr) *value = parsed;
        return i;
      }
    }
    return std::string::npos;
  }
};

Document Split(const std::string& content) {
  Document document;
  std::size_t start = 0;
  while (start < content.size()) {
    std::size_t end = content.find('\n', start);
    if (end == std::string::npos) end = content.size();
    std::string line = content.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    document.lines.push_back(std::move(line));
    start = end + 1;
  }
  return document;
}

Value Lookup(const std::string& path, std::string_view keyPath, std::string_view name) {
  std::string content;
  Value value;
  if (ReadWholeFile(path, &content) != ReadStatus::kOk) return value;
  const Document document = Split(content);
  const std::size_t key = document.FindKey(keyPath);
  if (key != std::string::npos) document.FindValue(key, name, &value);
  return value;
}

}  // namespace

Registry::Registry(std::string path) : path_(std::move(path)) {}

std::string Registry::DefaultPath() {
  std::string base;
  if (const char* config = std::getenv("XDG_CONFIG_HOME"); config != nullptr && *config == '/') {
    base = config;
  } else if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') {
    base = std::string(home) + "/.config";
  } else {
    base = "/tmp";
  }
  return base + "/quorvane/registry.reg";
}

RegistryType Registry::TypeOf(std::string_view keyPath, std::string_view name) const {
  std::lock_guard lock(mutex_);
  return Lookup(path_, keyPath, name).type;
}

std::optional<uint32_t> Registry::ReadDword(std::string_view keyPath, std::string_view name) const {
  std::lock_guard lock(mutex_);
  const Value value = Lookup(path_, keyPath, name);
  if (value.type != RegistryType::kDword) return std::nullopt;
  return value.dword;
}

std::optional<std::string> Registry::ReadString(std::string_view keyPath,
                                                std::string_view name) const {
  std::lock_guard lock(mutex_);
  const Value value = Lookup(path_, keyPath, name);
  if (value.type != RegistryType::kString) return std::nullopt;
  return value.text;
}

bool Registry::WriteDword(std::string_view keyPath, std::string_view name, uint32_t value) {
  char encoded[16];
  std::snprintf(encoded, sizeof encoded, "dword:%08x", value);
  return Update(keyPath, name, std::string(encoded));
}

bool Registry::WriteString(std::string_view keyPath, std::string_view name, std::string_view text) {
  return Update(keyPath, name, "\"" + Escape(text) + "\"");
}

bool Registry::DeleteValue(std::string_view keyPath, std::string_view name) {
  return Update(keyPath, name, std::nullopt);
}

bool Registry::CreateKey(std::string_view keyPath) {
  std::lock_guard lock(mutex_);
  std::string content;
  const ReadStatus status = ReadWholeFile(path_, &content);
  if (status == ReadStatus::kUnreadable) return false;
  Document document = Split(content);
  if (document.FindKey(keyPath) != std::string::npos) return true;
  if (document.lines.empty()) document.lines.emplace_back(kHeader);
  document.lines.emplace_back();
  document.lines.push_back("[" + std::string(kRoot) + std::string(keyPath) + "]");
  std::string text;
  for (const std::string& line : document.lines) text += line + "\n";
  return EnsureFolder(FolderOf(path_)) && ReplaceFileAtomically(path_, text);
}

bool Registry::Update(std::string_view keyPath, std::string_view name,
                      const std::optional<std::string>& encodedValue) {
  std::lock_guard lock(mutex_);
  std::string content;
  // Never replace a file whose values could not be read: they would be lost.
  if (ReadWholeFile(path_, &content) == ReadStatus::kUnreadable) return false;
  Document document = Split(content);
  const std::string line =
      encodedValue ? "\"" + Escape(name) + "\"=" + *encodedValue : std::string();
  std::size_t key = document.FindKey(keyPath);
  if (key == std::string::npos) {
    if (!encodedValue) return true;
    if (document.lines.empty()) document.lines.emplace_back(kHeader);
    document.lines.emplace_back();
    document.lines.push_back("[" + std::string(kRoot) + std::string(keyPath) + "]");
    document.lines.push_back(line);
  } else if (const std::size_t at = document.FindValue(key, name, nullptr);
             at != std::string::npos) {
    if (encodedValue)
      document.lines[at] = line;
    else
      document.lines.erase(document.lines.begin() + static_cast<std::ptrdiff_t>(at));
  } else {
    if (!encodedValue) return true;
    std::size_t end = key;
    while (end < document.lines.size() && !Document::IsHeader(document.lines[end])) ++end;
    // After the key's last value, before the blank lines that separate keys.
    while (end > key && document.lines[end - 1].empty()) --end;
    document.lines.insert(document.lines.begin() + static_cast<std::ptrdiff_t>(end), line);
  }
  std::string text;
  for (const std::string& l : document.lines) text += l + "\n";
  return EnsureFolder(FolderOf(path_)) && ReplaceFileAtomically(path_, text);
}

}  // namespace platform
