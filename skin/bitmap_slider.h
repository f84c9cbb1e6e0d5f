// A slider drawn from one picture: the window swaps the channel picture for
// each position (picture p shows level p), the control turns mouse and keys
// into positions and tells its parent about every change.
#pragma once

#include <QPixmap>
#include <QWidget>
#include <algorithm>

namespace skin {

class CBitmapSlider : public QWidget {
  Q_OBJECT

 public:
  explicit CBitmapSlider(QWidget* parent = nullptr);

  // A reversed range is taken the right way round; the position is clamped
  // into the new range (without a notification).
  void SetRange(int minimum, int maximum);
  int Minimum() const { return minimum_; }
  int Maximum() const { return maximum_; }

  // Clamped into the range; sends nothing.
  void SetPosition(int position);
  int Position() const { return position_; }

  // The step of Page Up / Page Down (at least 1).
  void SetPageSize(int page) { page_ = std::max(page, 1); }
  int PageSize() const { return page_; }

  // The control takes the picture's size.
  void SetChannelImage(const QPixmap& image);
  const QPixmap& ChannelImage() const { return image_; }

  // The position under x: the width is cut into one segment per position.
  int PositionAt(int x) const;

  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  // Sets the position and notifies the parent when it changed.
  void MoveTo(int position);
  void Notify();

  int minimum_ = 0;
  int maximum_ = 100;
  int position_ = 0;
  int page_ = 1;
  bool dragging_ = false;
  QPixmap image_;
};

}  // namespace skin
