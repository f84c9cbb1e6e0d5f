// What the core asks of the main window: message boxes and questions,
// "enable Apply", redrawing key buttons. The tray program implements it with
// real windows, quorvanectl on the terminal, and tests with a recorder that
// answers from a script.
#pragma once

#include <string_view>

namespace platform {

enum class MessageButtons {
  kOk,
  kYesNo,           // Yes is the default button
  kYesNoDefaultNo,  // No is the default button
};

enum class MessageAnswer { kOk, kYes, kNo };

class WindowInterface {
 public:
  virtual ~WindowInterface() = default;

  // Shows a message box with a language text and waits for the answer.
  // `topmost` keeps it above every other window.
  virtual MessageAnswer ShowMessage(std::string_view text, MessageButtons buttons,
                                    bool topmost) = 0;
  // The main window's one switch for unapplied edits (enables Apply).
  virtual void SetApplyPending(bool pending) = 0;
  // Redraws the key button that shows entry `entry` of profile area `area`
  // (pressed-in or released, with its description).
  virtual void RefreshKeyButton(int area, int entry) = 0;
};

}  // namespace platform
