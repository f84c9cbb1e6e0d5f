// Language texts used as formats come from files users edit: whatever they
// hold, the result is a plain text with the one argument in place.
#include "settings/safe_format.h"

#include <gtest/gtest.h>

namespace {

TEST(SafeFormatTest, TheFirstIntegerConversionReceivesTheValue) {
  const struct {
    const char* format;
    const char* expected;
  } cases[] = {
      {"Unknown key %d", "Unknown key 300"},
      {"Key 0x%03X", "Key 0x12C"},
      {"%5d|", "  300|"},
      {"%-5i|", "300  |"},
      {"%ld and %d", "300 and %d"},
      {"%I64d", "300"},
      {"100%% sure: %d", "100% sure: 300"},
      {"%s then %d", "%s then 300"},
      {"%n%d", "%n300"},
      {"no conversion", "no conversion"},
      {"trailing %", "trailing %"},
      {"%99999999999d", "                                                             300"},
      {"%.3d", "300"},
      {"%", "%"},
      {"", ""},
  };
  for (const auto& c : cases)
    EXPECT_EQ(settings::FormatWithInteger(c.format, 300), c.expected) << c.format;
}

TEST(SafeFormatTest, TheFirstStringConversionReceivesTheText) {
  const struct {
    const char* format;
    const char* expected;
  } cases[] = {
      {"%s is not a profile file", "/p/a.fwc is not a profile file"},
      {"%d %s %s", "%d /p/a.fwc %s"},
      {"[%12s]", "[    /p/a.fwc]"},
      {"[%-10s]", "[/p/a.fwc  ]"},
      {"[%.3s]", "[/p/]"},
      {"%n %x", "%n %x"},
      {"%%s", "%s"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(settings::FormatWithString(c.format, "/p/a.fwc"), c.expected) << c.format;
}

TEST(SafeFormatTest, PrecisionCountsCharactersNotBytes) {
  EXPECT_EQ(settings::FormatWithString("%.2s", "\xC3\xA9t\xC3\xA9"), "\xC3\xA9t");
  EXPECT_EQ(settings::FormatWithString("%4s|", "\xC3\xA9t\xC3\xA9"), " \xC3\xA9t\xC3\xA9|");
}

}  // namespace
