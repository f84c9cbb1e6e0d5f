// The main window as quorvanectl plays it: messages go to the terminal,
// questions take their default answer (the tool never waits for input), and
// the arrival message reloads the store from the keyboard as the tray
// program's handler does.
#pragma once

#include <atomic>
#include <functional>

#include "platform/window_interface.h"

namespace cli {

class CliWindow : public platform::WindowInterface {
 public:
  // Runs for the sent message that asks to reload everything from the keyboard.
  void OnProfilesRead(std::function<void()> reload) { reload_ = std::move(reload); }

  platform::MessageAnswer ShowMessage(std::string_view text, platform::MessageButtons buttons,
                                      bool topmost) override;
  void SetApplyPending(bool pending) override { applyPending_ = pending; }
  bool IsApplyPending() const override { return applyPending_; }
  void RunApplyCommand() override {}
  void RefreshKeyButton(int, int) override {}
  void ShowAssignments(int) override {}
  void SendWindowMessage(const platform::WindowMessage& message) override;
  void PostWindowMessage(const platform::WindowMessage&) override {}
  bool IsReady() const override { return true; }
  void HideWindow() override {}
  void SetTrayIcon(int, int) override {}
  bool IsKeyAssignmentOpen() const override { return false; }
  bool ProfileManagerHasUnappliedChanges() const override { return false; }
  void ProfileManagerShowSlot(int) override {}
  void SetProfileButton(std::string_view, std::string_view) override {}
  void ShowGKeyBank(int) override {}
  void StartTimer(int, int) override {}
  void SetTrayActivity(bool) override {}

  // How many messages were shown: a command that showed one has failed.
  int messagesShown() const { return messagesShown_; }

 private:
  std::function<void()> reload_;
  std::atomic<bool> applyPending_{false};
  std::atomic<int> messagesShown_{0};
};

}  // namespace cli
