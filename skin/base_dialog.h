// The base of every window of the program: a borderless dialog painted from
// the background picture its skin file names and shaped by its mask picture
// (every exactly-white pixel of the mask is outside the window). The user
// moves it by dragging any point of its surface.
#pragma once

#include <QDialog>
#include <QPixmap>
#include <QPoint>
#include <QRegion>
#include <string>

#include "platform/window_interface.h"
#include "skin/skin_layout.h"

namespace skin {

class CBaseDialog : public QDialog {
  Q_OBJECT

 public:
  // `skinFile` is the window's skin layout file; its pictures are found in
  // `skinFolder`.
  CBaseDialog(int templateId, QWidget* parent, std::string skinFile, std::string skinFolder);

  int templateId() const { return templateId_; }
  const std::string& skinFile() const { return skinFile_; }
  const std::string& skinFolder() const { return skinFolder_; }
  const CIniFile& skinReader() const { return reader_; }
  bool loadingSkin() const { return loadingSkin_; }
  const QPixmap& background() const { return background_; }

  // Runs the window's initialisation once per opening (also done by the
  // first show). A window whose background or mask cannot be loaded ends
  // the program.
  void Initialise();

  // Release the pictures, then close with OK or Cancel.
  void OnOk();
  void OnCancel();

  // The window's shape: one row-high rectangle per run of pixels that are
  // not exactly white.
  static QRegion ShapeFromMask(const QImage& mask);

 protected:
  // The window's own initialisation; subclasses call this first.
  virtual void OnInitDialog();
  // Window messages posted to the window (see window_message.h).
  virtual void OnWindowMessage(const platform::WindowMessage& message);

  bool event(QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void done(int result) override;

 private:
  void ApplySkin();
  void ReleasePictures();

  int templateId_;
  std::string skinFile_;
  std::string skinFolder_;
  CIniFile reader_;
  QPixmap background_;
  QPixmap mask_;
  bool loadingSkin_ = false;
  bool initialised_ = false;
  // A drag the window system could not take over: moved by hand.
  bool dragging_ = false;
  QPoint dragOffset_;
};

}  // namespace skin
