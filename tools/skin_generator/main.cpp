// quorvane-skingen OUT_DIR: draws every picture of the skinned windows and
// writes their skin layout files into OUT_DIR, from the descriptions in
// layouts.h. Only the files it writes are touched.
#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtGui/QGuiApplication>
#include <cstdio>
#include <set>

#include "tools/skin_generator/app_icons.h"
#include "tools/skin_generator/design_tokens.h"
#include "tools/skin_generator/ini_writer.h"
#include "tools/skin_generator/layout_check.h"
#include "tools/skin_generator/layouts.h"
#include "tools/skin_generator/painter_style.h"
#include "tools/skin_generator/window_renderer.h"

namespace {

using namespace skingen;

class Output {
 public:
  explicit Output(QString folder) : folder_(std::move(folder)) {}
  bool ok() const { return ok_; }

  void Image(const std::string& name, const QImage& image) {
    if (!Claim(name)) return;
    if (!SaveImage(image, Path(name))) Fail("cannot write " + name);
  }
  void Text(const std::string& name, const std::string& text) {
    if (!Claim(name)) return;
    QFile file(Path(name));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(text.data(), static_cast<qint64>(text.size())) !=
            static_cast<qint64>(text.size()))
      Fail("cannot write " + name);
  }
  void Fail(const std::string& message) {
    std::fprintf(stderr, "quorvane-skingen: %s\n", message.c_str());
    ok_ = false;
  }

 private:
  QString Path(const std::string& name) const {
    return folder_ + QLatin1Char('/') + QString::fromStdString(name);
  }
  // Two outputs with one name would silently overwrite each other.
  bool Claim(const std::string& name) {
    if (names_.insert(name).second) return true;
    Fail("two outputs are named " + name);
    return false;
  }

  QString folder_;
  std::set<std::string> names_;
  bool ok_ = true;
};

void WriteWindow(const Window& window, Output& out) {
  for (const StateImage& state : window.images)
    out.Image(state.file, RenderStateImage(window, state));
  out.Image(window.mask, RenderMask(window.size, tokens::kWindowRadius));
  for (const Picture& picture : window.pictures) {
    const QImage image = picture.draw();
    for (const Position& position : window.positions)
      if (position.picture == picture.file && !image.rect().contains(position.rect))
        out.Fail(window.iniFile + ": " + position.key + " is not inside " + picture.file);
    out.Image(picture.file, image);
  }
  out.Text(window.iniFile, SkinIniText(window));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: quorvane-skingen OUT_DIR\n");
    return 2;
  }
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  LoadFonts();

  const QString folder = QString::fromLocal8Bit(argv[1]);
  if (!QDir().mkpath(folder)) {
    std::fprintf(stderr, "quorvane-skingen: cannot create %s\n", argv[1]);
    return 1;
  }
  const Window windows[] = {MainWindow(), CompositeWindow(), ProfileWindow(), UpdateWindow()};
  bool sound = true;
  for (const Window& window : windows)
    for (const std::string& problem : LayoutProblems(window)) {
      std::fprintf(stderr, "quorvane-skingen: %s\n", problem.c_str());
      sound = false;
    }
  if (!sound) return 1;

  Output out(folder);
  for (const Window& window : windows) WriteWindow(window, out);
  out.Image("quorvane.png", ApplicationIcon(256));
  out.Image("tray_none.png", TrayIcon(TrayState::kNoKeyboard, 64));
  out.Image("tray_attached.png", TrayIcon(TrayState::kAttached, 64));
  out.Image("tray_activity.png", TrayIcon(TrayState::kActivity, 64));
  return out.ok() ? 0 : 1;
}
