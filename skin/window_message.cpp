#include "skin/window_message.h"

#include <QCoreApplication>
#include <QVariant>

namespace skin {
namespace {
constexpr const char* kControlIdProperty = "quorvaneControlId";
}

WindowMessageEvent::WindowMessageEvent(const platform::WindowMessage& message)
    : QEvent(Type()), message_(message) {}

QEvent::Type WindowMessageEvent::Type() {
  static const QEvent::Type type = static_cast<QEvent::Type>(QEvent::registerEventType());
  return type;
}

void PostWindowMessage(QObject* target, uint32_t id, uint32_t wParam, int64_t lParam) {
  if (target == nullptr) return;
  QCoreApplication::postEvent(target,
                              new WindowMessageEvent(platform::WindowMessage{id, wParam, lParam}));
}

void SetControlId(QObject* control, int id) {
  control->setProperty(kControlIdProperty, id);
}

int ControlId(const QObject* control) {
  if (control == nullptr) return 0;
  return control->property(kControlIdProperty).toInt();
}

}  // namespace skin
