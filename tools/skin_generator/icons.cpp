#include "tools/skin_generator/icons.h"

#include <QtGui/QPainterPath>
#include <cmath>
#include <numbers>

namespace skingen {
namespace {

void Line(QPainter& p, qreal x1, qreal y1, qreal x2, qreal y2) {
  p.drawLine(QPointF(x1, y1), QPointF(x2, y2));
}

void Polyline(QPainter& p, std::initializer_list<QPointF> points) {
  p.drawPolyline(points.begin(), static_cast<int>(points.size()));
}

void FilledPolygon(QPainter& p, std::initializer_list<QPointF> points, QColor colour) {
  p.save();
  p.setBrush(colour);
  p.drawPolygon(points.begin(), static_cast<int>(points.size()));
  p.restore();
}

void Dot(QPainter& p, qreal x, qreal y, qreal r, QColor colour) {
  p.save();
  p.setPen(Qt::NoPen);
  p.setBrush(colour);
  p.drawEllipse(QPointF(x, y), r, r);
  p.restore();
}

void Gear(QPainter& p) {
  QPainterPath outline;
  constexpr int kTeeth = 8;
  for (int i = 0; i < kTeeth * 2; ++i) {
    const qreal angle = std::numbers::pi * i / kTeeth;
    const qreal r = (i % 2 == 0) ? 6.6 : 5.0;
    // Each tooth has a flat top: two points per step.
    for (qreal d : {-0.18, 0.18}) {
      const QPointF point(8 + r * std::cos(angle + d), 8 + r * std::sin(angle + d));
      if (i == 0 && d < 0)
        outline.moveTo(point);
      else
        outline.lineTo(point);
    }
  }
  outline.closeSubpath();
  p.drawPath(outline);
  p.drawEllipse(QPointF(8, 8), 2.2, 2.2);
}

}  // namespace

void PaintIcon(QPainter& p, Icon icon, const QRectF& box, QColor colour, qreal lineWidth) {
  if (icon == Icon::kNone) return;
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.translate(box.topLeft());
  p.scale(box.width() / 16.0, box.height() / 16.0);
  // Strokes stay about `lineWidth` pixels wide whatever the box's size.
  QPen pen(colour);
  pen.setWidthF(lineWidth * 16.0 / box.width());
  pen.setCapStyle(Qt::RoundCap);
  pen.setJoinStyle(Qt::RoundJoin);
  p.setPen(pen);
  p.setBrush(Qt::NoBrush);

  switch (icon) {
    case Icon::kNone:
      break;
    case Icon::kKeyboard: {
      p.drawRoundedRect(QRectF(1, 3.5, 14, 9.5), 1.8, 1.8);
      for (int i = 0; i < 5; ++i) Dot(p, 3.6 + i * 2.2, 6.4, 0.75, colour);
      for (int i = 0; i < 4; ++i) Dot(p, 4.7 + i * 2.2, 8.6, 0.75, colour);
      Line(p, 5, 10.9, 11, 10.9);
      break;
    }
    case Icon::kMenu:
      for (qreal y : {4.0, 8.0, 12.0}) Line(p, 2.5, y, 13.5, y);
      break;
    case Icon::kHelp: {
      QPainterPath path;
      path.moveTo(5.2, 5.6);
      path.cubicTo(5.2, 2.2, 10.8, 2.2, 10.8, 5.6);
      path.cubicTo(10.8, 7.6, 8, 7.8, 8, 10.2);
      p.drawPath(path);
      Dot(p, 8, 13.2, 1.1, colour);
      break;
    }
    case Icon::kMinimise:
      Line(p, 4, 8.5, 12, 8.5);
      break;
    case Icon::kClose:
      Line(p, 4.5, 4.5, 11.5, 11.5);
      Line(p, 11.5, 4.5, 4.5, 11.5);
      break;
    case Icon::kProfiles:
      p.drawRoundedRect(QRectF(1.5, 5.5, 10, 8.5), 1.5, 1.5);
      Polyline(p, {{4, 3.5}, {14, 3.5}, {14, 11.5}});
      Line(p, 4, 8.5, 9, 8.5);
      Line(p, 4, 11, 7.5, 11);
      break;
    case Icon::kPlus:
      Line(p, 8, 3, 8, 13);
      Line(p, 3, 8, 13, 8);
      break;
    case Icon::kTrash:
      Line(p, 2.5, 4.2, 13.5, 4.2);
      Polyline(p, {{6, 4.2}, {6.5, 2.3}, {9.5, 2.3}, {10, 4.2}});
      Polyline(p, {{4, 4.2}, {4.8, 14}, {11.2, 14}, {12, 4.2}});
      Line(p, 6.9, 6.8, 7.1, 11.6);
      Line(p, 9.1, 6.8, 8.9, 11.6);
      break;
    case Icon::kFolder: {
      QPainterPath path;
      path.moveTo(1.5, 13);
      path.lineTo(1.5, 3.5);
      path.lineTo(6, 3.5);
      path.lineTo(7.5, 5.2);
      path.lineTo(14.5, 5.2);
      path.lineTo(14.5, 13);
      path.closeSubpath();
      p.drawPath(path);
      Line(p, 1.5, 7.2, 14.5, 7.2);
      break;
    }
    case Icon::kDisk:
      p.drawRoundedRect(QRectF(2, 2, 12, 12), 1.5, 1.5);
      p.drawRect(QRectF(5, 2, 6, 3.8));
      p.drawRoundedRect(QRectF(4.5, 8.6, 7, 5.4), 0.8, 0.8);
      break;
    case Icon::kUpload:
      Line(p, 8, 10.5, 8, 2.5);
      Polyline(p, {{4.5, 6}, {8, 2.5}, {11.5, 6}});
      Polyline(p, {{2, 10}, {2, 13.5}, {14, 13.5}, {14, 10}});
      break;
    case Icon::kEraser:
      p.drawPolygon(QPolygonF({{2.5, 10.5}, {8.5, 4.5}, {13, 9}, {8.5, 13.5}, {5.5, 13.5}}));
      Line(p, 5.5, 7.5, 10, 12);
      Line(p, 8.5, 13.5, 14, 13.5);
      break;
    case Icon::kKeycap:
      p.drawRoundedRect(QRectF(1.5, 2.5, 13, 11.5), 2.2, 2.2);
      p.drawRoundedRect(QRectF(4, 3.8, 8, 6.7), 1.4, 1.4);
      break;
    case Icon::kMacro:
      Dot(p, 4.2, 8, 2.6, colour);
      Line(p, 9, 4, 14, 4);
      Line(p, 9, 8, 14, 8);
      Line(p, 9, 12, 14, 12);
      break;
    case Icon::kMedia:
      Line(p, 11, 11.5, 11, 2.5);
      Polyline(p, {{11, 2.5}, {14, 4}, {14, 6}, {11, 4.5}});
      p.save();
      p.setBrush(colour);
      p.drawEllipse(QPointF(8.6, 11.8), 2.5, 2.0);
      p.restore();
      break;
    case Icon::kFunction:
      Gear(p);
      break;
    case Icon::kRecord:
      Dot(p, 8, 8, 4.2, colour);
      break;
    case Icon::kCross:
      Line(p, 5, 5, 11, 11);
      Line(p, 11, 5, 5, 11);
      break;
    case Icon::kClearList:
      Line(p, 2, 4, 11, 4);
      Line(p, 2, 8, 8, 8);
      Line(p, 2, 12, 6.5, 12);
      Line(p, 10, 9, 14, 13);
      Line(p, 14, 9, 10, 13);
      break;
    case Icon::kTop:
      Line(p, 3, 2.5, 13, 2.5);
      Line(p, 8, 13.5, 8, 5.5);
      Polyline(p, {{4.5, 9}, {8, 5.5}, {11.5, 9}});
      break;
    case Icon::kUp:
      Line(p, 8, 13.5, 8, 3);
      Polyline(p, {{4.5, 6.5}, {8, 3}, {11.5, 6.5}});
      break;
    case Icon::kDown:
      Line(p, 8, 2.5, 8, 13);
      Polyline(p, {{4.5, 9.5}, {8, 13}, {11.5, 9.5}});
      break;
    case Icon::kBottom:
      Line(p, 3, 13.5, 13, 13.5);
      Line(p, 8, 2.5, 8, 10.5);
      Polyline(p, {{4.5, 7}, {8, 10.5}, {11.5, 7}});
      break;
    case Icon::kCheck:
      Polyline(p, {{3, 8.5}, {6.5, 12}, {13, 4.5}});
      break;
    case Icon::kArrowLeft:
      Line(p, 13.5, 8, 2.5, 8);
      Polyline(p, {{6.5, 4}, {2.5, 8}, {6.5, 12}});
      break;
    case Icon::kArrowRight:
      Line(p, 2.5, 8, 13.5, 8);
      Polyline(p, {{9.5, 4}, {13.5, 8}, {9.5, 12}});
      break;
    case Icon::kArrowUp:
      Line(p, 8, 13.5, 8, 2.5);
      Polyline(p, {{4, 6.5}, {8, 2.5}, {12, 6.5}});
      break;
    case Icon::kArrowDown:
      Line(p, 8, 2.5, 8, 13.5);
      Polyline(p, {{4, 9.5}, {8, 13.5}, {12, 9.5}});
      break;
    case Icon::kSpread:
      Line(p, 5.5, 8, 1.5, 8);
      Polyline(p, {{3.8, 5.6}, {1.5, 8}, {3.8, 10.4}});
      Line(p, 10.5, 8, 14.5, 8);
      Polyline(p, {{12.2, 5.6}, {14.5, 8}, {12.2, 10.4}});
      Dot(p, 8, 8, 1.5, colour);
      break;
    case Icon::kGather:
      Line(p, 1.5, 8, 5.8, 8);
      Polyline(p, {{3.5, 5.6}, {5.8, 8}, {3.5, 10.4}});
      Line(p, 14.5, 8, 10.2, 8);
      Polyline(p, {{12.5, 5.6}, {10.2, 8}, {12.5, 10.4}});
      Dot(p, 8, 8, 1.5, colour);
      break;
    case Icon::kBrush:
      Line(p, 13.5, 2.5, 8, 8);
      FilledPolygon(p, {{8.2, 7.8}, {5.6, 7.6}, {3.4, 9.8}, {2.4, 13.6}, {6.2, 12.6}, {8.4, 10.4}},
                    colour);
      break;
    case Icon::kBucket:
      p.drawPolygon(QPolygonF({{2, 8.5}, {7.5, 3}, {13, 8.5}, {7.5, 14}}));
      Line(p, 7.5, 3, 5.5, 1);
      Line(p, 2, 8.5, 13, 8.5);
      Dot(p, 14, 12.5, 1.5, colour);
      break;
    case Icon::kChevronLeft:
      Polyline(p, {{10.5, 3}, {5.5, 8}, {10.5, 13}});
      break;
    case Icon::kChevronRight:
      Polyline(p, {{5.5, 3}, {10.5, 8}, {5.5, 13}});
      break;
  }
  p.restore();
}

}  // namespace skingen
