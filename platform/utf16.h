// Texts are UTF-16 where the stored formats hold them (macro names, key
// texts in profile files) and UTF-8 everywhere else.
#pragma once

#include <string>
#include <string_view>

namespace platform {

// Invalid sequences become U+FFFD; nothing is dropped silently.
std::u16string Utf8ToUtf16(std::string_view text);
std::string Utf16ToUtf8(std::u16string_view text);

}  // namespace platform
