// The image button of the skinned windows. It has no look of its own: for
// each state it copies its rectangle out of one of five full-window state
// images that all buttons of a window share (normal, hover, pressed,
// disabled, selected), or, in toggle mode, out of one of its own two
// images. It can draw a caption over that, also turned by an angle, show a
// tooltip, and be drawn as a bare coloured frame instead (how the
// on-screen keyboard shows key colours).
#pragma once

#include <QAbstractButton>
#include <QColor>
#include <QPixmap>
#include <QString>
#include <array>
#include <functional>

#include "skin/button_face.h"

namespace skin {

struct CaptionStyle {
  bool enabled = false;
  int pointSize = 8;
  QString face = QStringLiteral("Tahoma Unicode MS");
  // normal, hover, pressed, disabled, selected
  std::array<QColor, 5> colours = {Qt::black, Qt::black, Qt::black, Qt::black, Qt::black};
  int format = Qt::AlignCenter | Qt::TextSingleLine;
  int marginLeft = 0;
  int marginRight = 0;
  int marginTop = 0;
  int marginBottom = 0;
};

class CPngButton : public QAbstractButton {
  Q_OBJECT

 public:
  // Called after each paint with the button and whether it drew its normal
  // image.
  using AfterPaint = std::function<void(CPngButton*, bool normalDrawn)>;

  explicit CPngButton(QWidget* parent = nullptr);

  // Where the button sits in the state images, and the images (not owned).
  // Clears hover, tracking and pressed.
  void SetPlacedImages(int originX, int originY, const QPixmap* normal, const QPixmap* hover,
                       const QPixmap* pressed, const QPixmap* disabled, const QPixmap* selected,
                       bool redraw);
  void SetStateImages(const QPixmap* normal, const QPixmap* hover, const QPixmap* pressed,
                      const QPixmap* disabled, const QPixmap* selected, bool redraw);
  // In toggle mode the button shows B while the toggle state is on, else A.
  void SetToggleImages(const QPixmap* imageA, const QPixmap* imageB, bool toggleMode,
                       bool toggleState, bool redraw);
  void SetSelected(bool selected, bool redraw);
  bool IsSelected() const { return selected_; }
  void SetFrameMode(bool on, QColor colour);
  bool InFrameMode() const { return frameMode_; }
  QColor FrameColour() const { return frameColour_; }
  void SetCaptionStyle(const CaptionStyle& style);
  const CaptionStyle& captionStyle() const { return caption_; }
  // A turned, bold caption; escapement in tenths of a degree.
  void SetCaptionRotation(int escapement, bool rotate);
  // An empty text keeps the previous one.
  void SetTooltip(const QString& text, bool activate);
  void SetAfterPaint(AfterPaint callback) { afterPaint_ = std::move(callback); }
  void Redraw() { repaint(); }

  int originX() const { return originX_; }
  int originY() const { return originY_; }
  bool IsHovered() const { return hover_; }
  // The face the next paint draws.
  ButtonFace CurrentFace() const;
  // The caption's text rectangle for the current text and font.
  QRect CaptionRect() const;
  QFont CaptionFont() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  bool hitButton(const QPoint& pos) const override;

 private:
  const QPixmap* ImageOf(ButtonFace face) const;

  int originX_ = 1;
  int originY_ = 1;
  std::array<const QPixmap*, 5> images_ = {};
  const QPixmap* toggleA_ = nullptr;
  const QPixmap* toggleB_ = nullptr;
  bool toggleMode_ = false;
  bool toggleState_ = false;
  bool hover_ = false;
  bool selected_ = false;
  bool frameMode_ = false;
  QColor frameColour_ = Qt::black;
  CaptionStyle caption_;
  int escapement_ = 0;
  bool rotate_ = false;
  QColor lastTextColour_ = Qt::black;
  QString tooltip_;
  bool tooltipActive_ = false;
  AfterPaint afterPaint_;
};

}  // namespace skin
