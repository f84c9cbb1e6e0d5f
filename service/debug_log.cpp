#include "service/debug_log.h"

#include <atomic>
#include <cstdarg>
#include <cstdio>

namespace corvial {
namespace {

std::atomic<int> gLevel{0};

}  // namespace

int SetDebugLevel(int level) {
  return gLevel.exchange(level);
}

int DebugLevel() {
  return gLevel.load(std::memory_order_relaxed);
}

void DebugLog(int level, const char* format, ...) {
  if (DebugLevel() < level) return;
  char line[512];
  va_list args;
  va_start(args, format);
  std::vsnprintf(line, sizeof line, format, args);
  va_end(args);
  // One write per line so lines from different threads don't interleave.
  std::fprintf(stderr, "corvial: %s\n", line);
}

void FormatHexPrefix(const unsigned char* data, std::size_t length, char* out,
                     std::size_t outSize) {
  if (outSize == 0) return;
  out[0] = '\0';
  std::size_t used = 0;
  const std::size_t shown = length < 16 ? length : 16;
  for (std::size_t i = 0; i < shown && used + 4 < outSize; ++i) {
    used += static_cast<std::size_t>(
        std::snprintf(out + used, outSize - used, i == 0 ? "%02x" : " %02x", data[i]));
  }
  if (shown < length && used + 4 < outSize) std::snprintf(out + used, outSize - used, " ..");
}

}  // namespace corvial
