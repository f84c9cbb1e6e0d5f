// One line per report crossing the keyboard's interfaces, e.g.
// "> cfg 0400..." (to the keyboard) or "< cons ff02" (from it). Each line is
// written with one append, so a reader following the file never sees half a
// line.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace sim {

class TraceLog {
 public:
  TraceLog() = default;
  ~TraceLog();
  TraceLog(const TraceLog&) = delete;
  TraceLog& operator=(const TraceLog&) = delete;

  // Appends to `path`, creating it when missing.
  bool Open(const std::string& path, std::string* error);
  bool IsOpen() const { return fd_ >= 0; }

  void ToKeyboard(const char* interface, std::span<const uint8_t> report) {
    Write('>', interface, report);
  }
  void FromKeyboard(const char* interface, std::span<const uint8_t> report) {
    Write('<', interface, report);
  }

 private:
  void Write(char direction, const char* interface, std::span<const uint8_t> report);

  int fd_ = -1;
};

}  // namespace sim
