#include "cli/cli_window.h"

#include <cstdio>
#include <string>

namespace cli {

platform::MessageAnswer CliWindow::ShowMessage(std::string_view text,
                                               platform::MessageButtons buttons, bool) {
  ++messagesShown_;
  std::fprintf(stderr, "quorvanectl: %s\n", std::string(text).c_str());
  switch (buttons) {
    case platform::MessageButtons::kOk:
      return platform::MessageAnswer::kOk;
    case platform::MessageButtons::kYesNo:
      return platform::MessageAnswer::kYes;
    case platform::MessageButtons::kYesNoDefaultNo:
      return platform::MessageAnswer::kNo;
  }
  return platform::MessageAnswer::kOk;
}

void CliWindow::SendWindowMessage(const platform::WindowMessage& message) {
  if (message.id == platform::kMsgProfilesRead && reload_) reload_();
}

}  // namespace cli
