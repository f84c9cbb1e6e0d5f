// How skinned controls talk to the window they sit in: each control carries
// its control id, and notifications that the windows know by number (the
// slider's position, a report-list click) are posted to the parent as
// window messages, queued behind whatever the window is already handling.
#pragma once

#include <QEvent>
#include <QObject>
#include <cstdint>

#include "platform/window_interface.h"

namespace skin {

// Posted by CBitmapSlider: wParam = control id, lParam = new position.
inline constexpr uint32_t kMsgSliderPosition = 0x28D1;
// Posted by CReportCtrl after a check-box click: wParam = row, lParam = the
// mouse message (kMouseLeftDown).
inline constexpr uint32_t kMsgReportRowClicked = 0xA710;
inline constexpr int64_t kMouseLeftDown = 0x0201;

// A window message carried through Qt's event queue.
class WindowMessageEvent : public QEvent {
 public:
  explicit WindowMessageEvent(const platform::WindowMessage& message);
  static QEvent::Type Type();
  const platform::WindowMessage& message() const { return message_; }

 private:
  platform::WindowMessage message_;
};

// Queues a message for `target` (nothing happens for a null target).
void PostWindowMessage(QObject* target, uint32_t id, uint32_t wParam, int64_t lParam);

// The control id of a widget, as the window's tables know it; 0 when none.
void SetControlId(QObject* control, int id);
int ControlId(const QObject* control);

}  // namespace skin
