// What the core asks of the main window: message boxes and questions,
// "enable Apply", redrawing key buttons, the private window messages, the
// tray icon. The tray program implements it with real windows, quorvanectl
// on the terminal, and tests with a recorder that answers from a script.
//
// Worker threads (the presence handler, the service's callback thread) call
// only SendWindowMessage, PostWindowMessage, IsReady, HideWindow, SetTrayIcon
// and the bank display; everything else is called on the window's thread.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

enum class MessageButtons {
  kOk,
  kYesNo,           // Yes is the default button
  kYesNoDefaultNo,  // No is the default button
};

enum class MessageAnswer { kOk, kYes, kNo };

// The main window's private messages, each with its four-character code.
struct WindowMessage {
  uint32_t id = 0;
  uint32_t wParam = 0;
  int64_t lParam = 0;
};

inline constexpr uint32_t kMsgInit = 0x4D4E;
inline constexpr uint32_t kMsgOpen = 0x5350;
inline constexpr uint32_t kMsgKill = 0x4D4B;
inline constexpr uint32_t kMsgProfilesRead = 0x5452;
inline constexpr uint32_t kMsgDeviceGone = 0x4753;
inline constexpr uint32_t kMsgIndicator = 0x5045;
inline constexpr uint32_t kMsgLanguage = 0x5041;
inline constexpr uint32_t kCodeOpen = 0x4F50454E;          // "OPEN"
inline constexpr uint32_t kCodeProfilesRead = 0x50524F46;  // "PROF"
inline constexpr uint32_t kCodeIndicator = 0x004C4544;     // "LED"

// The one-shot timer that re-reads the lighting after the keyboard changed it.
inline constexpr int kLightingTimer = 1051;

// Tray icons: no keyboard, keyboard attached.
inline constexpr int kTrayIconAbsent = 128;
inline constexpr int kTrayIconPresent = 141;

class WindowInterface {
 public:
  virtual ~WindowInterface() = default;

  // Shows a message box with a language text and waits for the answer.
  // `topmost` keeps it above every other window.
  virtual MessageAnswer ShowMessage(std::string_view text, MessageButtons buttons,
                                    bool topmost) = 0;

  // The main window's one switch for unapplied edits (enables Apply), and
  // whether it is on.
  virtual void SetApplyPending(bool pending) = 0;
  virtual bool IsApplyPending() const = 0;
  // Runs the main window's Apply command and waits until it is done.
  virtual void RunApplyCommand() = 0;

  // Redraws the key button that shows entry `entry` of profile area `area`
  // (pressed-in or released, with its description).
  virtual void RefreshKeyButton(int area, int entry) = 0;
  // Redraws every key button from the given profile area (-1: none known).
  virtual void ShowAssignments(int area) = 0;

  // Delivers a private message to the main window's handler on its thread:
  // sent (waits until handled) or posted (queued).
  virtual void SendWindowMessage(const WindowMessage& message) = 0;
  virtual void PostWindowMessage(const WindowMessage& message) = 0;
  // Set once the main window has finished initialising.
  virtual bool IsReady() const = 0;
  virtual void HideWindow() = 0;
  virtual void SetTrayIcon(int mode, int icon) = 0;

  // Dialogs whose state decides whether the profile may change.
  virtual bool IsKeyAssignmentOpen() const = 0;
  virtual bool ProfileManagerHasUnappliedChanges() const = 0;
  // When the profile manager is open: select the row and disable its Apply.
  virtual void ProfileManagerShowSlot(int slot) = 0;
  // The profile manager button's caption and tooltip.
  virtual void SetProfileButton(std::string_view caption, std::string_view tooltip) = 0;

  // The G-key bank the keyboard switched to (0 = A, 1 = B): the bank button's
  // picture and the G buttons' captions.
  virtual void ShowGKeyBank(int bank) = 0;
  // Starts a window timer; its first tick does the timer's work.
  virtual void StartTimer(int id, int periodMilliseconds) = 0;
  // The tray's activity picture on or off.
  virtual void SetTrayActivity(bool active) = 0;
};

}  // namespace platform
