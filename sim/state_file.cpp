#include "sim/state_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace sim {
namespace {

std::string Describe(const std::string& what, const std::string& path) {
  return what + " " + path + ": " + std::strerror(errno);
}

bool WriteAll(int fd, std::string_view content) {
  while (!content.empty()) {
    ssize_t n = ::write(fd, content.data(), content.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    content.remove_prefix(static_cast<size_t>(n));
  }
  return true;
}

}  // namespace

ReadStatus ReadWholeFile(const std::string& path, std::string* content, std::string* error) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    if (errno == ENOENT) return ReadStatus::kMissing;
    *error = Describe("cannot open", path);
    return ReadStatus::kFailed;
  }
  content->clear();
  char buffer[16384];
  for (;;) {
    ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      *error = Describe("cannot read", path);
      ::close(fd);
      return ReadStatus::kFailed;
    }
    if (n == 0) break;
    content->append(buffer, static_cast<size_t>(n));
  }
  ::close(fd);
  return ReadStatus::kOk;
}

bool WriteFileAtomically(const std::string& path, std::string_view content, std::string* error) {
  size_t slash = path.rfind('/');
  std::string folder = slash == std::string::npos ? std::string(".")
                       : slash == 0               ? std::string("/")
                                                  : path.substr(0, slash);
  std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
  std::string temp = folder + "/." + base + ".XXXXXX";
  int fd = ::mkostemp(temp.data(), O_CLOEXEC);
  if (fd < 0) {
    *error = Describe("cannot create a temporary file for", path);
    return false;
  }
  bool ok = ::fchmod(fd, 0644) == 0 && WriteAll(fd, content);
  if (!ok) *error = Describe("cannot write", temp);
  if (::close(fd) != 0 && ok) {
    *error = Describe("cannot write", temp);
    ok = false;
  }
  if (ok && ::rename(temp.c_str(), path.c_str()) != 0) {
    *error = Describe("cannot replace", path);
    ok = false;
  }
  if (!ok) ::unlink(temp.c_str());
  return ok;
}

std::optional<SimKeyboard> OpenStateFile(const std::string& path, const OptionOverrides& overrides,
                                         std::string* warnings, std::string* error) {
  warnings->clear();
  std::string content;
  ReadStatus status = ReadWholeFile(path, &content, error);
  if (status == ReadStatus::kFailed) return std::nullopt;

  std::optional<SimKeyboard> keyboard;
  bool save = overrides.Any();
  if (status == ReadStatus::kMissing) {
    save = true;
  } else {
    keyboard = SimKeyboard::LoadText(content, warnings);
    if (!keyboard) {
      if (!warnings->empty()) warnings->push_back('\n');
      warnings->append(std::string_view("factory state used"));
    }
  }
  if (!keyboard) keyboard.emplace();

  if (overrides.Any()) {
    KeyboardOptions options = keyboard->CurrentOptions();
    if (overrides.firmware) options.firmware = *overrides.firmware;
    if (overrides.macroUnits) options.macroUnits = *overrides.macroUnits;
    if (overrides.effects) options.effects = *overrides.effects;
    keyboard->ApplyOptions(options);
  }
  if (save && !WriteFileAtomically(path, keyboard->SaveText(), error)) return std::nullopt;
  return keyboard;
}

}  // namespace sim
