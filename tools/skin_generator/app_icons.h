// The application icon and the tray icons, on transparent backgrounds.
#pragma once

#include <QtGui/QImage>

namespace skingen {

QImage ApplicationIcon(int size);

enum class TrayState { kNoKeyboard, kAttached, kActivity };
QImage TrayIcon(TrayState state, int size);

}  // namespace skingen
