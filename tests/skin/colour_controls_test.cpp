// The colour button and its palette, the coloured label and the hyperlink.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEnterEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QToolButton>
#include <vector>

#include "skin/color_static.h"
#include "skin/hyper_link.h"
#include "skin/skin_color_btn.h"

namespace {

using skin::CHyperLink;
using skin::ColorStatic;
using skin::ColourPalettePopup;
using skin::CSkinColorBtn;

class SkinColorBtnTest : public ::testing::Test {
 protected:
  SkinColorBtnTest() {
    button.resize(40, 20);
    button.SetAutomaticColour(QColor(1, 2, 3));
    button.SetOtherColourPicker([this](const QColor& initial, QWidget*) {
      pickerInitial.push_back(initial);
      return pickerAnswer;
    });
    QObject::connect(&button, &CSkinColorBtn::colourChosen,
                     [this](const QColor& colour) { chosen.push_back(colour); });
  }

  ColourPalettePopup* Open() {
    ColourPalettePopup* popup = button.ShowPalette();
    EXPECT_TRUE(popup->isVisible());
    return popup;
  }

  CSkinColorBtn button;
  std::vector<QColor> chosen;
  std::vector<QColor> pickerInitial;
  QColor pickerAnswer;
};

TEST_F(SkinColorBtnTest, ChoosingAnEntrySetsAndSignalsItsColour) {
  const QColor entry = CSkinColorBtn::StandardColours()[22];
  ColourPalettePopup* popup = Open();
  ASSERT_EQ(popup->EntryCount(), 40);
  popup->ChooseEntry(22);
  EXPECT_FALSE(popup->isVisible());
  EXPECT_EQ(button.Colour(), entry);

  // The same colour again is still a choice.
  Open()->ChooseEntry(22);
  Open()->ChooseAutomatic();
  EXPECT_EQ(chosen, (std::vector<QColor>{entry, entry, QColor(1, 2, 3)}));
  EXPECT_EQ(button.Colour(), QColor(1, 2, 3));
}

TEST_F(SkinColorBtnTest, EscapeOrABadEntryChoosesNothing) {
  button.SetColour(Qt::green);
  ColourPalettePopup* popup = Open();
  popup->ChooseEntry(40);
  popup->ChooseEntry(-1);
  EXPECT_TRUE(popup->isVisible());

  QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
  QCoreApplication::sendEvent(popup, &escape);
  EXPECT_FALSE(popup->isVisible());
  EXPECT_TRUE(chosen.empty());
  EXPECT_EQ(button.Colour(), QColor(Qt::green));
}

TEST_F(SkinColorBtnTest, FurtherColoursComeFromThePicker) {
  button.SetColour(Qt::blue);
  Open()->ChooseOther();
  EXPECT_TRUE(chosen.empty());  // cancelled
  EXPECT_EQ(button.Colour(), QColor(Qt::blue));

  pickerAnswer = QColor(12, 34, 56);
  Open()->ChooseOther();
  EXPECT_EQ(pickerInitial, (std::vector<QColor>{Qt::blue, Qt::blue}));
  EXPECT_EQ(chosen, std::vector<QColor>{QColor(12, 34, 56)});
  EXPECT_EQ(button.Colour(), QColor(12, 34, 56));
}

TEST_F(SkinColorBtnTest, AClickOpensThePaletteWithItsTextsAndColumns) {
  button.SetAutomaticText("auto");
  button.SetOtherText("other");
  button.SetPaletteColumns(10);
  button.click();
  ColourPalettePopup* popup = button.Palette();
  ASSERT_NE(popup, nullptr);
  EXPECT_TRUE(popup->isVisible());

  // In creation order: automatic, the 40 entries, other.
  const auto entries = popup->findChildren<QToolButton*>(Qt::FindDirectChildrenOnly);
  ASSERT_EQ(entries.size(), 42);
  EXPECT_EQ(entries.front()->text(), "auto");
  EXPECT_EQ(entries.back()->text(), "other");
  const auto at = [&](int entry) { return entries[entry + 1]->geometry().topLeft(); };
  EXPECT_EQ(at(9).y(), at(0).y());
  EXPECT_GT(at(9).x(), at(0).x());
  EXPECT_EQ(at(10).x(), at(0).x());
  EXPECT_GT(at(10).y(), at(0).y());
  EXPECT_GT(at(39).y(), at(29).y());

  entries[5]->click();
  EXPECT_EQ(chosen, std::vector<QColor>{CSkinColorBtn::StandardColours()[4]});
}

TEST_F(SkinColorBtnTest, TheFaceShowsTheColourBesideTheDropDownArea) {
  button.SetColour(QColor(200, 40, 40));
  const QImage face = button.grab().toImage();
  const QColor dropDown(148, 146, 139);
  EXPECT_EQ(face.pixelColor(10, 10), QColor(200, 40, 40));
  EXPECT_EQ(face.pixelColor(19, 10), QColor(200, 40, 40).darker(160));  // border
  EXPECT_EQ(face.pixelColor(0, 0), QColor(200, 40, 40).darker(160));
  EXPECT_EQ(face.pixelColor(20, 10), dropDown);
  EXPECT_EQ(face.pixelColor(22, 2), dropDown);
  EXPECT_EQ(face.pixelColor(39, 19), dropDown);
  EXPECT_EQ(face.pixelColor(29, 9), QColor(Qt::black));  // the arrow
}

TEST(ColorStaticTest, ColourAndFontHeightChangeTheLabel) {
  ColorStatic label("<b>Profile</b>");
  EXPECT_FALSE(label.autoFillBackground());
  EXPECT_EQ(label.textFormat(), Qt::PlainText);

  label.SetFontHeight(17);
  EXPECT_EQ(label.FontHeight(), 17);
  EXPECT_EQ(label.font().pixelSize(), 17);
  label.SetFontHeight(0);
  EXPECT_EQ(label.FontHeight(), 17);

  label.SetTextColour(QColor(10, 200, 30));
  EXPECT_EQ(label.TextColour(), QColor(10, 200, 30));
  label.SetText("plain");
  EXPECT_EQ(label.text(), "plain");
}

class HyperLinkTest : public ::testing::Test {
 protected:
  HyperLinkTest() {
    link.resize(120, 20);
    link.SetTarget("https://example.org/support");
    link.SetLinkColours(Qt::blue, Qt::darkMagenta, Qt::red);
    link.SetOpener([this](const QString& target) {
      opened.push_back(target);
      return opens;
    });
  }

  void Mouse(QEvent::Type type, Qt::MouseButton button, QPoint pos) {
    const Qt::MouseButtons held =
        type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
    QMouseEvent event(type, QPointF(pos), QPointF(link.mapToGlobal(pos)), button, held,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(&link, &event);
  }
  void Click(Qt::MouseButton button, QPoint release = {5, 5}) {
    Mouse(QEvent::MouseButtonPress, button, {5, 5});
    Mouse(QEvent::MouseButtonRelease, button, release);
  }

  CHyperLink link;
  std::vector<QString> opened;
  bool opens = true;
};

TEST_F(HyperLinkTest, LooksLikeALink) {
  EXPECT_TRUE(link.font().underline());
  EXPECT_EQ(link.cursor().shape(), Qt::PointingHandCursor);
  EXPECT_EQ(link.toolTip(), "https://example.org/support");
  EXPECT_EQ(link.text(), "https://example.org/support");
  link.SetText("Support");
  EXPECT_EQ(link.text(), "Support");
  link.SetText("");
  EXPECT_EQ(link.text(), "https://example.org/support");

  QFont plain = link.font();
  plain.setUnderline(false);
  plain.setPixelSize(15);
  link.setFont(plain);
  EXPECT_TRUE(link.font().underline());
  EXPECT_EQ(link.font().pixelSize(), 15);
}

TEST_F(HyperLinkTest, ALeftClickOpensTheTargetThroughTheOpener) {
  Click(Qt::RightButton);
  Click(Qt::LeftButton, {300, 5});  // released off the link
  EXPECT_TRUE(opened.empty());
  EXPECT_EQ(link.CurrentLinkColour(), QColor(Qt::blue));

  Click(Qt::LeftButton);
  EXPECT_EQ(opened, std::vector<QString>{"https://example.org/support"});
  EXPECT_TRUE(link.IsVisited());
  EXPECT_EQ(link.palette().color(QPalette::WindowText), QColor(Qt::darkMagenta));
}

TEST_F(HyperLinkTest, ATargetThatDoesNotOpenStaysUnvisited) {
  opens = false;
  Click(Qt::LeftButton);
  EXPECT_EQ(opened.size(), 1u);
  EXPECT_FALSE(link.IsVisited());
}

TEST_F(HyperLinkTest, HoverShowsTheHoverColour) {
  QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(link.mapToGlobal(QPoint(5, 5))));
  QCoreApplication::sendEvent(&link, &enter);
  EXPECT_EQ(link.palette().color(QPalette::WindowText), QColor(Qt::red));
  QEvent leave(QEvent::Leave);
  QCoreApplication::sendEvent(&link, &leave);
  EXPECT_EQ(link.palette().color(QPalette::WindowText), QColor(Qt::blue));
}

}  // namespace
