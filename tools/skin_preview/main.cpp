// Renders every window of the skin, with its controls as the program places
// and fills them, into PNG files: quorvane-skinview [--program DIR] OUT_DIR.
// Runs on Qt's offscreen platform; nothing needs a display.
#include <QApplication>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "skin/control_style.h"
#include "tools/skin_preview/dialog_previews.h"
#include "tools/skin_preview/main_window_preview.h"
#include "tools/skin_preview/preview_context.h"

namespace {

// The window as the screen shows it: outside its shape is transparent.
bool Save(skin::CBaseDialog& window, const QString& path) {
  QImage shot = window.grab().toImage().convertToFormat(QImage::Format_ARGB32);
  const QRegion shape = window.mask();
  if (!shape.isEmpty()) {
    QImage clipped(shot.size(), QImage::Format_ARGB32);
    clipped.fill(Qt::transparent);
    QPainter painter(&clipped);
    painter.setClipRegion(shape);
    painter.drawImage(0, 0, shot);
    painter.end();
    shot = clipped;
  }
  if (!shot.save(path)) {
    std::fprintf(stderr, "quorvane-skinview: cannot write %s\n", qPrintable(path));
    return false;
  }
  std::printf("%s\n", qPrintable(path));
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  std::string program = QUORVANE_PROGRAM_DIR;
  const char* out = nullptr;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--program") == 0 && i + 1 < argc) {
      program = argv[++i];
    } else if (argv[i][0] != '-' && out == nullptr) {
      out = argv[i];
    } else {
      out = nullptr;
      break;
    }
  }
  if (out == nullptr) {
    std::fprintf(stderr, "usage: quorvane-skinview [--program DIR] OUT_DIR\n");
    return 2;
  }
  QApplication application(argc, argv);
  skin::ApplyControlStyle(&application);
  QDir().mkpath(out);
  const QString folder = QString::fromLocal8Bit(out) + "/";
  preview::PreviewContext context(program);

  bool ok = true;
  const struct {
    const char* name;
    preview::MainPreviewOptions options;
  } mains[] = {{"main.png", {1, true, true}},
               {"main_custom.png", {20, true, true}},
               {"main_lighting_off.png", {1, false, false}}};
  for (const auto& main : mains) {
    auto window = preview::BuildMainWindow(context, main.options);
    ok &= Save(*window, folder + main.name);
  }
  const struct {
    const char* name;
    preview::CompositePage page;
  } pages[] = {{"composite_key.png", preview::CompositePage::kSingleKey},
               {"composite_macro.png", preview::CompositePage::kMacro},
               {"composite_media.png", preview::CompositePage::kMultimedia},
               {"composite_function.png", preview::CompositePage::kFunction},
               {"composite_macro_only.png", preview::CompositePage::kMacroOnly}};
  for (const auto& page : pages) {
    auto window = preview::BuildCompositeDialog(context, page.page);
    ok &= Save(*window, folder + page.name);
  }
  auto profile = preview::BuildProfileDialog(context);
  ok &= Save(*profile, folder + "profile.png");
  auto update = preview::BuildUpdateDialog(context);
  ok &= Save(*update, folder + "update.png");
  return ok ? 0 : 1;
}
