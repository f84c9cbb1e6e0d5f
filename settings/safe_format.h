// Language texts that take an argument ("Unknown key %d", "%s is not a
// profile file") come from files a user can edit, so they are never handed
// to printf. These functions put the one expected argument in place of the
// first conversion that fits it and copy everything else literally: a text
// with %n, a %s where a number belongs, or no conversion at all gives a
// readable text and nothing worse.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace settings {

// The first integer conversion (%d %i %u %x %X %o, with flags, width,
// precision and any length modifier) receives `value`; "%%" reads as "%".
std::string FormatWithInteger(std::string_view format, int64_t value);

// The first %s receives `value` (flags, width and precision honoured).
std::string FormatWithString(std::string_view format, std::string_view value);

}  // namespace settings
