// Debug output of the service library: off by default, to stderr when on.
#pragma once

#include <cstddef>

namespace corvial {

// Sets the level (0 off, >0 on) and returns the previous one.
int SetDebugLevel(int level);
int DebugLevel();

// printf-style line to stderr, prefixed and newline-terminated, when the
// debug level is at least `level`.
void DebugLog(int level, const char* format, ...) __attribute__((format(printf, 2, 3)));

// Up to the first 16 bytes as hex, for report logging: "04 01 00 ..".
void FormatHexPrefix(const unsigned char* data, std::size_t length, char* out, std::size_t outSize);

}  // namespace corvial
