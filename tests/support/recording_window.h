// The window side for tests: records what the core asks of the main window
// and answers questions from a script.
#pragma once

#include <atomic>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "platform/window_interface.h"

namespace testsupport {

class RecordingWindow : public platform::WindowInterface {
 public:
  struct Shown {
    std::string text;
    platform::MessageButtons buttons;
    bool topmost;
  };

  // Answers for the next questions, in order; without one, Yes/No questions
  // are answered with their default button.
  void Answer(platform::MessageAnswer answer) {
    std::lock_guard lock(mutex_);
    answers_.push_back(answer);
  }

  platform::MessageAnswer ShowMessage(std::string_view text, platform::MessageButtons buttons,
                                      bool topmost) override {
    std::lock_guard lock(mutex_);
    shown_.push_back({std::string(text), buttons, topmost});
    if (buttons == platform::MessageButtons::kOk) return platform::MessageAnswer::kOk;
    if (!answers_.empty()) {
      const platform::MessageAnswer answer = answers_.front();
      answers_.pop_front();
      return answer;
    }
    return buttons == platform::MessageButtons::kYesNo ? platform::MessageAnswer::kYes
                                                       : platform::MessageAnswer::kNo;
  }
  void SetApplyPending(bool pending) override {
    std::lock_guard lock(mutex_);
    applyPending_ = pending;
    applyChanges_.push_back(pending);
  }
  bool IsApplyPending() const override {
    std::lock_guard lock(mutex_);
    return applyPending_;
  }
  // Runs the handler set with OnApply, as the Apply button would.
  void RunApplyCommand() override {
    std::function<void()> apply;
    {
      std::lock_guard lock(mutex_);
      ++applyCommands_;
      apply = onApply_;
    }
    if (apply) apply();
  }
  void RefreshKeyButton(int area, int entry) override {
    std::lock_guard lock(mutex_);
    refreshed_.emplace_back(area, entry);
  }
  void ShowAssignments(int area) override {
    std::lock_guard lock(mutex_);
    shownAreas_.push_back(area);
  }
  // Sent messages run the handler set with OnMessage on the caller's thread.
  void SendWindowMessage(const platform::WindowMessage& message) override {
    std::function<void(const platform::WindowMessage&)> handler;
    {
      std::lock_guard lock(mutex_);
      sent_.push_back(message);
      handler = onMessage_;
    }
    if (handler) handler(message);
  }
  void PostWindowMessage(const platform::WindowMessage& message) override {
    std::lock_guard lock(mutex_);
    posted_.push_back(message);
  }
  bool IsReady() const override { return ready_.load(); }
  void HideWindow() override { ++hides_; }
  void SetTrayIcon(int mode, int icon) override {
    std::lock_guard lock(mutex_);
    trayIcons_.emplace_back(mode, icon);
  }
  bool IsKeyAssignmentOpen() const override { return keyAssignmentOpen_.load(); }
  bool ProfileManagerHasUnappliedChanges() const override { return false; }
  void ProfileManagerShowSlot(int) override {}
  void SetProfileButton(std::string_view caption, std::string_view tooltip) override {
    std::lock_guard lock(mutex_);
    profileButton_ = {std::string(caption), std::string(tooltip)};
  }

  void ShowGKeyBank(int bank) override {
    std::lock_guard lock(mutex_);
    banks_.push_back(bank);
  }
  void StartTimer(int id, int) override {
    std::lock_guard lock(mutex_);
    timers_.push_back(id);
  }
  void SetTrayActivity(bool active) override {
    std::lock_guard lock(mutex_);
    activity_.push_back(active);
  }
  std::vector<int> banks() const {
    std::lock_guard lock(mutex_);
    return banks_;
  }
  std::vector<int> timers() const {
    std::lock_guard lock(mutex_);
    return timers_;
  }
  std::vector<bool> activity() const {
    std::lock_guard lock(mutex_);
    return activity_;
  }

  void SetReady(bool ready) { ready_ = ready; }
  void SetKeyAssignmentOpen(bool open) { keyAssignmentOpen_ = open; }
  void OnMessage(std::function<void(const platform::WindowMessage&)> handler) {
    std::lock_guard lock(mutex_);
    onMessage_ = std::move(handler);
  }
  void OnApply(std::function<void()> apply) {
    std::lock_guard lock(mutex_);
    onApply_ = std::move(apply);
  }
  std::vector<platform::WindowMessage> sent() const {
    std::lock_guard lock(mutex_);
    return sent_;
  }
  std::vector<platform::WindowMessage> posted() const {
    std::lock_guard lock(mutex_);
    return posted_;
  }
  std::vector<std::pair<int, int>> trayIcons() const {
    std::lock_guard lock(mutex_);
    return trayIcons_;
  }
  std::vector<int> shownAreas() const {
    std::lock_guard lock(mutex_);
    return shownAreas_;
  }
  std::pair<std::string, std::string> profileButton() const {
    std::lock_guard lock(mutex_);
    return profileButton_;
  }
  int hides() const { return hides_.load(); }
  int applyCommands() const {
    std::lock_guard lock(mutex_);
    return applyCommands_;
  }

  std::vector<Shown> shown() const {
    std::lock_guard lock(mutex_);
    return shown_;
  }
  std::vector<std::string> texts() const {
    std::lock_guard lock(mutex_);
    std::vector<std::string> texts;
    for (const Shown& s : shown_) texts.push_back(s.text);
    return texts;
  }
  bool applyPending() const {
    std::lock_guard lock(mutex_);
    return applyPending_;
  }
  std::vector<bool> applyChanges() const {
    std::lock_guard lock(mutex_);
    return applyChanges_;
  }
  std::vector<std::pair<int, int>> refreshed() const {
    std::lock_guard lock(mutex_);
    return refreshed_;
  }

 private:
  mutable std::mutex mutex_;
  std::deque<platform::MessageAnswer> answers_;
  std::vector<Shown> shown_;
  bool applyPending_ = false;
  std::vector<bool> applyChanges_;
  std::vector<std::pair<int, int>> refreshed_;
  std::vector<int> shownAreas_;
  std::vector<int> banks_;
  std::vector<int> timers_;
  std::vector<bool> activity_;
  std::vector<platform::WindowMessage> sent_;
  std::vector<platform::WindowMessage> posted_;
  std::vector<std::pair<int, int>> trayIcons_;
  std::pair<std::string, std::string> profileButton_;
  std::function<void(const platform::WindowMessage&)> onMessage_;
  std::function<void()> onApply_;
  int applyCommands_ = 0;
  std::atomic<bool> ready_{true};
  std::atomic<bool> keyAssignmentOpen_{false};
  std::atomic<int> hides_{0};
};

}  // namespace testsupport
