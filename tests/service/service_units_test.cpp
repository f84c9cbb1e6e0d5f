// Pieces of the simulated-keyboard backend tested on their own: the device
// file parser and where the watched folder is.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <optional>
#include <string>

#include "service/sim_device_file.h"
#include "service/sim_endpoint_layout.h"
#include "service/sim_watch_dir.h"

namespace corvial {
namespace {

TEST(service_sim_device_file, ParsesTheSimulatorsLayout) {
  const auto parsed = ParseSimDeviceFile(
      "vendor 0c45\nproduct 5004\n"
      "interface cfg ff1c 0092\ninterface cons c 1\ninterface led 0008 0089\n");
  ASSERT_TRUE(parsed.has_value());
  EXPECT_EQ(parsed->vendor, simlayout::kVendorId);
  EXPECT_EQ(parsed->product, simlayout::kProductId);
  ASSERT_EQ(parsed->interfaces.size(), 3u);
  EXPECT_EQ(parsed->interfaces[0].file, "cfg");
  EXPECT_EQ(parsed->interfaces[0].usagePage, simlayout::kConfigUsagePage);
  EXPECT_EQ(parsed->interfaces[0].usage, simlayout::kConfigUsage);
  EXPECT_EQ(parsed->interfaces[1].usagePage, simlayout::kConsumerUsagePage);
  EXPECT_EQ(parsed->interfaces[1].usage, simlayout::kConsumerUsage);
  EXPECT_EQ(parsed->interfaces[2].file, "led");
}

TEST(service_sim_device_file, ToleratesSpacingCaseAndUnknownLines) {
  const auto parsed = ParseSimDeviceFile(
      "\r\n  vendor\t0C45 \r\nserial 1234\nproduct 5004\r\n\ninterface cfg FF1C 0092");
  ASSERT_TRUE(parsed.has_value());
  EXPECT_EQ(parsed->vendor, 0x0C45);
  ASSERT_EQ(parsed->interfaces.size(), 1u);
  EXPECT_EQ(parsed->interfaces[0].usagePage, 0xFF1C);
}

TEST(service_sim_device_file, RejectsInvalidFiles) {
  const std::string head = "vendor 0c45\nproduct 5004\n";
  const std::string cfg = "interface cfg ff1c 0092\n";
  std::string tooMany = head;
  for (int i = 0; i <= static_cast<int>(kMaxSimInterfaces); ++i) {
    tooMany += "interface i" + std::to_string(i) + " ff1c 0092\n";
  }
  struct Case {
    const char* what;
    std::string text;
  };
  const Case cases[] = {
      {"empty", ""},
      {"no vendor", "product 5004\n" + cfg},
      {"no product", "vendor 0c45\n" + cfg},
      {"no interface", head},
      {"vendor twice", head + "vendor 0c45\n" + cfg},
      {"prefixed hex", "vendor 0x0c45\nproduct 5004\n" + cfg},
      {"five hex digits", "vendor 10c45\nproduct 5004\n" + cfg},
      {"not hex", "vendor 0g45\nproduct 5004\n" + cfg},
      {"missing value", "vendor\nproduct 5004\n" + cfg},
      {"extra value", "vendor 0c45 1\nproduct 5004\n" + cfg},
      {"interface without usage", head + "interface cfg ff1c\n"},
      {"interface usage too wide", head + "interface cfg ff1c 10092\n"},
      {"name leaves the folder", head + "interface ../cfg ff1c 0092\n"},
      {"name with a slash", head + "interface a/b ff1c 0092\n"},
      {"hidden name", head + "interface .cfg ff1c 0092\n"},
      {"the device file itself", head + "interface device ff1c 0092\n"},
      {"name too long",
       head + "interface " + std::string(kMaxSimInterfaceNameLength + 1, 'x') + " ff1c 0092\n"},
      {"same socket twice", head + cfg + cfg},
      {"too many interfaces", tooMany},
      {"NUL byte", head + std::string("interface cfg ff1c 0092\0\n", 25)},
      {"oversized", head + cfg + std::string(kMaxSimDeviceFileSize, '\n')},
  };
  for (const Case& c : cases) EXPECT_FALSE(ParseSimDeviceFile(c.text).has_value()) << c.what;
}

TEST(service_sim_watch_dir, EnvironmentPicksTheFolder) {
  struct Case {
    const char* simDir;  // nullptr: unset
    const char* runtimeDir;
    std::string expected;
  };
  const std::string fallback = "/tmp/corvial-" + std::to_string(getuid());
  const Case cases[] = {
      {"/x/sim", "/run/user/7", "/x/sim"},
      {nullptr, "/run/user/7", "/run/user/7/corvial"},
      {"", "/run/user/7", "/run/user/7/corvial"},
      {nullptr, nullptr, fallback},
      {nullptr, "", fallback},
  };
  for (const Case& c : cases) {
    if (c.simDir) {
      setenv("CORVIAL_SIM_DIR", c.simDir, 1);
    } else {
      unsetenv("CORVIAL_SIM_DIR");
    }
    if (c.runtimeDir) {
      setenv("XDG_RUNTIME_DIR", c.runtimeDir, 1);
    } else {
      unsetenv("XDG_RUNTIME_DIR");
    }
    EXPECT_EQ(ResolveSimWatchDir(), c.expected)
        << (c.simDir ? c.simDir : "(unset)") << " " << (c.runtimeDir ? c.runtimeDir : "(unset)");
  }
}

}  // namespace
}  // namespace corvial
