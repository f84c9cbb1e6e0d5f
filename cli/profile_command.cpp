// quorvanectl profile [N]: shows or switches the keyboard's active profile.
#include <cstdio>
#include <string>

#include "cli/cli_session.h"
#include "cli/commands.h"

namespace cli {
namespace {

constexpr const char* kUsage =
    "usage: quorvanectl profile [N]\n"
    "Without N, prints the keyboard's active on-board profile (0, 1 or 2).\n"
    "With N, makes profile N the active one.\n";

}  // namespace

int RunProfile(int argc, char** argv) {
  if (WantsHelp(argc, argv, kUsage)) return 0;
  if (argc > 1) return UsageError("too many arguments", kUsage);
  const int wanted = argc == 1 ? ParseSlot(argv[0]) : -1;
  if (argc == 1 && wanted < 0) return UsageError("the profile must be a number: 0, 1 or 2", kUsage);

  auto session = CliSession::Open();
  if (!session->RequireKeyboard()) return 1;
  profiles::ProfileTransfer& transfer = session->transfer();
  if (argc == 0) {
    const int active = transfer.GetActiveSlot();
    if (active < 0) return Fail("cannot read the keyboard's active profile");
    std::printf("%d\n", active);
    return 0;
  }
  const int shown = session->window().messagesShown();
  transfer.SetActiveSlot(wanted);
  if (session->window().messagesShown() != shown) return 1;
  transfer.ForgetActiveSlot();
  if (transfer.GetActiveSlot() != wanted)
    return Fail("the keyboard did not switch to profile " + std::to_string(wanted));
  return 0;
}

}  // namespace cli
