// The window side for tests: records what the core asks of the main window
// and answers questions from a script.
#pragma once

#include <deque>
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
  void RefreshKeyButton(int area, int entry) override {
    std::lock_guard lock(mutex_);
    refreshed_.emplace_back(area, entry);
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
};

}  // namespace testsupport
