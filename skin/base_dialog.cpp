#include "skin/base_dialog.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWindow>
#include <vector>

#include "skin/skin_images.h"
#include "skin/window_message.h"

namespace skin {
namespace {
std::string JoinFolder(const std::string& folder, const std::string& name) {
  if (folder.empty() || folder.back() == '/') return folder + name;
  return folder + "/" + name;
}
}  // namespace

CBaseDialog::CBaseDialog(int templateId, QWidget* parent, std::string skinFile,
                         std::string skinFolder)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint),
      templateId_(templateId),
      skinFile_(std::move(skinFile)),
      skinFolder_(std::move(skinFolder)),
      reader_(skinFile_) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAttribute(Qt::WA_NoSystemBackground);
}

void CBaseDialog::Initialise() {
  if (initialised_) return;
  initialised_ = true;
  OnInitDialog();
}

void CBaseDialog::OnInitDialog() {
  ApplySkin();
}

void CBaseDialog::ApplySkin() {
  loadingSkin_ = true;
  const std::string mainName = reader_.Read(kScreenSection, "Main").value_or("");
  const std::string maskName = reader_.Read(kScreenSection, "Mask").value_or(mainName);
  const QImage backgroundImage = TryLoadImage(JoinFolder(skinFolder_, mainName));
  const QImage maskImage = TryLoadImage(JoinFolder(skinFolder_, maskName));
  if (backgroundImage.isNull() || maskImage.isNull()) EndProcessQuietly();
  background_ = QPixmap::fromImage(backgroundImage);
  mask_ = QPixmap::fromImage(maskImage);
  resize(backgroundImage.size());
  setFixedSize(backgroundImage.size());
  setMask(ShapeFromMask(maskImage));
  update();
  loadingSkin_ = false;
}

QRegion CBaseDialog::ShapeFromMask(const QImage& mask) {
  const QImage pixels = mask.convertToFormat(QImage::Format_RGB32);
  std::vector<QRect> runs;
  for (int y = 0; y < pixels.height(); ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(pixels.constScanLine(y));
    int x = 0;
    while (x < pixels.width()) {
      while (x < pixels.width() && (row[x] & 0xFFFFFF) == 0xFFFFFF) ++x;
      const int start = x;
      while (x < pixels.width() && (row[x] & 0xFFFFFF) != 0xFFFFFF) ++x;
      if (x > start) runs.emplace_back(start, y, x - start, 1);
    }
  }
  // The runs come row by row, left to right: the banded order setRects needs.
  QRegion shape;
  if (!runs.empty()) shape.setRects(runs.data(), static_cast<int>(runs.size()));
  return shape;
}

void CBaseDialog::ReleasePictures() {
  background_ = QPixmap();
  mask_ = QPixmap();
}

void CBaseDialog::OnOk() {
  ReleasePictures();
  accept();
}

void CBaseDialog::OnCancel() {
  ReleasePictures();
  reject();
}

void CBaseDialog::done(int result) {
  initialised_ = false;
  dragging_ = false;
  QDialog::done(result);
}

void CBaseDialog::OnWindowMessage(const platform::WindowMessage&) {}

bool CBaseDialog::event(QEvent* event) {
  if (event->type() == WindowMessageEvent::Type()) {
    OnWindowMessage(static_cast<WindowMessageEvent*>(event)->message());
    return true;
  }
  return QDialog::event(event);
}

void CBaseDialog::showEvent(QShowEvent* event) {
  Initialise();
  QDialog::showEvent(event);
}

void CBaseDialog::paintEvent(QPaintEvent*) {
  if (background_.isNull()) return;
  QPainter painter(this);
  painter.drawPixmap(0, 0, background_);
}

void CBaseDialog::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QDialog::mousePressEvent(event);
  // Let the window system move the window as if its title bar were dragged;
  // where it cannot, follow the mouse by hand.
  if (windowHandle() != nullptr && windowHandle()->startSystemMove()) return;
  dragging_ = true;
  dragOffset_ = event->globalPosition().toPoint() - frameGeometry().topLeft();
}

void CBaseDialog::mouseMoveEvent(QMouseEvent* event) {
  if (dragging_ && (event->buttons() & Qt::LeftButton)) {
    move(event->globalPosition().toPoint() - dragOffset_);
    return;
  }
  QDialog::mouseMoveEvent(event);
}

void CBaseDialog::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) dragging_ = false;
  QDialog::mouseReleaseEvent(event);
}

}  // namespace skin
