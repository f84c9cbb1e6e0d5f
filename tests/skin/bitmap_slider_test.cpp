// The image slider: clamping, mouse and key positions, and the messages its
// window gets for them.
#include "skin/bitmap_slider.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <utility>
#include <vector>

#include "skin/window_message.h"

namespace {

using skin::CBitmapSlider;

// id and position of each slider message the window got.
using Notification = std::pair<uint32_t, int64_t>;

class SliderWindow : public QWidget {
 public:
  std::vector<Notification> Take() {
    QApplication::sendPostedEvents();
    return std::exchange(notifications_, {});
  }
  int others = 0;

 protected:
  bool event(QEvent* event) override {
    if (event->type() == skin::WindowMessageEvent::Type()) {
      const auto& message = static_cast<skin::WindowMessageEvent*>(event)->message();
      if (message.id == skin::kMsgSliderPosition) {
        notifications_.emplace_back(message.wParam, message.lParam);
      } else {
        ++others;
      }
      return true;
    }
    return QWidget::event(event);
  }

 private:
  std::vector<Notification> notifications_;
};

constexpr int kId = 1207;

class BitmapSliderTest : public ::testing::Test {
 protected:
  BitmapSliderTest() {
    slider = new CBitmapSlider(&window);
    skin::SetControlId(slider, kId);
    slider->SetRange(0, 5);
    // Six segments of 10 px.
    QPixmap channel(60, 12);
    channel.fill(Qt::darkGray);
    slider->SetChannelImage(channel);
  }

  void Mouse(QEvent::Type type, int x) {
    const Qt::MouseButtons held =
        type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(Qt::LeftButton);
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    const QPointF pos(x, 6);
    QMouseEvent event(type, pos, slider->mapToGlobal(pos), button, held, Qt::NoModifier);
    QApplication::sendEvent(slider, &event);
  }
  // The middle of the segment of `position`.
  static int Middle(int position) { return position * 10 + 5; }

  void Key(int key) {
    QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(slider, &event);
  }

  SliderWindow window;
  CBitmapSlider* slider;
};

TEST_F(BitmapSliderTest, PositionsFromTheProgramAreClampedAndSendNothing) {
  slider->SetPosition(9);
  EXPECT_EQ(slider->Position(), 5);
  slider->SetPosition(-2);
  EXPECT_EQ(slider->Position(), 0);
  slider->SetPosition(4);
  slider->SetRange(0, 2);
  EXPECT_EQ(slider->Position(), 2);
  slider->SetRange(3, 1);  // reversed
  EXPECT_EQ(slider->Minimum(), 1);
  EXPECT_EQ(slider->Maximum(), 3);
  EXPECT_EQ(slider->Position(), 2);
  EXPECT_TRUE(window.Take().empty());
}

TEST_F(BitmapSliderTest, TakesTheSizeOfItsChannelImage) {
  EXPECT_EQ(slider->size(), QSize(60, 12));
  EXPECT_EQ(slider->sizeHint(), QSize(60, 12));
}

TEST_F(BitmapSliderTest, EachSegmentOfTheWidthIsOnePosition) {
  const struct {
    int x;
    int position;
  } cases[] = {{-7, 0}, {0, 0}, {9, 0}, {10, 1}, {35, 3}, {49, 4}, {50, 5}, {59, 5}, {300, 5}};
  for (const auto& c : cases) EXPECT_EQ(slider->PositionAt(c.x), c.position) << "x " << c.x;

  slider->SetRange(10, 12);  // 20 px a segment
  EXPECT_EQ(slider->PositionAt(19), 10);
  EXPECT_EQ(slider->PositionAt(20), 11);
  EXPECT_EQ(slider->PositionAt(59), 12);
}

TEST_F(BitmapSliderTest, KeysMoveThePositionAndNotifyOnlyOnChange) {
  const struct {
    int start;
    int key;
    int expected;
  } cases[] = {
      {3, Qt::Key_PageUp, 1},   {1, Qt::Key_PageUp, 0},   {0, Qt::Key_PageUp, 0},
      {2, Qt::Key_PageDown, 4}, {4, Qt::Key_PageDown, 5}, {5, Qt::Key_PageDown, 5},
      {2, Qt::Key_End, 5},      {5, Qt::Key_End, 5},      {3, Qt::Key_Home, 0},
      {0, Qt::Key_Home, 0},     {2, Qt::Key_Right, 3},    {2, Qt::Key_Down, 3},
      {5, Qt::Key_Right, 5},    {2, Qt::Key_Left, 1},     {2, Qt::Key_Up, 1},
      {0, Qt::Key_Left, 0},     {2, Qt::Key_A, 2},
  };
  slider->SetPageSize(2);
  for (const auto& c : cases) {
    slider->SetPosition(c.start);
    window.Take();
    Key(c.key);
    EXPECT_EQ(slider->Position(), c.expected) << "from " << c.start << " key " << c.key;
    const std::vector<Notification> expected = c.expected == c.start
                                                   ? std::vector<Notification>{}
                                                   : std::vector<Notification>{{kId, c.expected}};
    EXPECT_EQ(window.Take(), expected) << "from " << c.start << " key " << c.key;
  }
}

TEST_F(BitmapSliderTest, PressDragAndReleaseNotifyInOrder) {
  slider->SetPosition(3);
  Mouse(QEvent::MouseButtonPress, Middle(1));
  Mouse(QEvent::MouseMove, Middle(1) + 3);  // same segment: nothing
  Mouse(QEvent::MouseMove, Middle(4));
  Mouse(QEvent::MouseMove, 500);  // dragged past the end
  Mouse(QEvent::MouseButtonRelease, 500);
  EXPECT_EQ(window.Take(), (std::vector<Notification>{{kId, 1}, {kId, 4}, {kId, 5}, {kId, 5}}));
  EXPECT_EQ(slider->Position(), 5);

  // The release is told even when nothing moved; moving afterwards is not.
  Mouse(QEvent::MouseButtonPress, Middle(5));
  Mouse(QEvent::MouseButtonRelease, Middle(5));
  Mouse(QEvent::MouseMove, Middle(0));
  EXPECT_EQ(window.Take(), (std::vector<Notification>{{kId, 5}}));
  EXPECT_EQ(slider->Position(), 5);
  EXPECT_EQ(window.others, 0);
}

TEST_F(BitmapSliderTest, ADisabledSliderIgnoresMouseAndKeys) {
  slider->SetPosition(2);
  Mouse(QEvent::MouseButtonPress, Middle(0));
  slider->setEnabled(false);
  Mouse(QEvent::MouseMove, Middle(4));
  Mouse(QEvent::MouseButtonRelease, Middle(4));
  Mouse(QEvent::MouseButtonPress, Middle(5));
  Key(Qt::Key_End);
  EXPECT_EQ(slider->Position(), 0);
  EXPECT_EQ(window.Take(), (std::vector<Notification>{{kId, 0}}));  // the press before

  // Enabled again, the cut-off drag does not come back.
  slider->setEnabled(true);
  Mouse(QEvent::MouseMove, Middle(3));
  EXPECT_EQ(slider->Position(), 0);
  EXPECT_TRUE(window.Take().empty());
}

// Pixels that are not the channel image, on the edge and inside it.
std::pair<int, int> FramePixels(const QImage& image, const QColor& channel) {
  int edge = 0;
  int inside = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (image.pixelColor(x, y) == channel) continue;
      const bool onEdge = x == 0 || y == 0 || x == image.width() - 1 || y == image.height() - 1;
      ++(onEdge ? edge : inside);
    }
  }
  return {edge, inside};
}

TEST_F(BitmapSliderTest, DrawsItsImageAndADottedFrameWhileFocused) {
  const QColor red(200, 10, 10);
  QPixmap channel(60, 12);
  channel.fill(red);
  slider->SetChannelImage(channel);
  window.show();
  QApplication::setActiveWindow(&window);
  slider->setFocus();
  if (!slider->hasFocus()) GTEST_SKIP() << "the platform gives no focus";

  const auto [edge, inside] = FramePixels(slider->grab().toImage(), red);
  EXPECT_GT(edge, 20);
  EXPECT_LT(edge, 2 * (60 + 12) - 4);  // dotted, not solid
  EXPECT_EQ(inside, 0);

  slider->clearFocus();
  EXPECT_EQ(FramePixels(slider->grab().toImage(), red), std::make_pair(0, 0));
}

}  // namespace
