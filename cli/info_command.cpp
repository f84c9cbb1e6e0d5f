#include <cstdio>
#include <cstring>
#include <string>

#include "cli/cli_session.h"
#include "cli/commands.h"
#include "device/result_codes.h"
#include "device/settings_block.h"

namespace cli {

namespace {

constexpr const char* kUsage =
    "usage: quorvanectl info [--json]\n"
    "Shows the keyboard's firmware version, active profile (0..2), macro capacity\n"
    "and the lighting effects it supports.\n";

}  // namespace

bool WantsHelp(int argc, char** argv, const char* usage) {
  for (int i = 0; i < argc; ++i) {
    if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
      std::fputs(usage, stdout);
      return true;
    }
  }
  return false;
}

int UsageError(const char* problem, const char* usage) {
  std::fprintf(stderr, "quorvanectl: %s\n%s", problem, usage);
  return 2;
}

int RunInfo(int argc, char** argv) {
  if (WantsHelp(argc, argv, kUsage)) return 0;
  bool json = false;
  for (int i = 0; i < argc; ++i) {
    if (std::strcmp(argv[i], "--json") == 0) {
      json = true;
    } else {
      return UsageError((std::string("unknown option '") + argv[i] + "'").c_str(), kUsage);
    }
  }
  auto session = CliSession::Open();
  if (!session->RequireKeyboard()) return 1;
  device::SettingsBlock block{};
  const int result = device::ReadSettingsBlock(session->link(), block);
  if (result != device::kResultOk) {
    const std::string message =
        std::string("cannot read the keyboard's settings: ") + device::DescribeResult(result);
    return Fail(message);
  }
  const std::vector<int> effects = device::EffectIds(block);
  if (json) {
    std::string list;
    for (std::size_t i = 0; i < effects.size(); ++i) {
      if (i > 0) list += ",";
      list += std::to_string(effects[i]);
    }
    std::printf("{\"firmware\":%u,\"active_profile\":%u,\"macro_capacity\":%u,\"effects\":[%s]}\n",
                device::FirmwareVersion(block), device::ActiveSlotByte(block),
                device::MacroCapacityBytes(block), list.c_str());
    return 0;
  }
  std::string list;
  for (int id : effects) list += " " + std::to_string(id);
  std::printf("Firmware version: 0x%04X\n", device::FirmwareVersion(block));
  std::printf("Active profile:   %u\n", device::ActiveSlotByte(block));
  std::printf("Macro capacity:   %u bytes\n", device::MacroCapacityBytes(block));
  std::printf("Effects:         %s\n", list.empty() ? " none" : list.c_str());
  return 0;
}

}  // namespace cli
