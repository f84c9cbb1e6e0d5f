#include "tools/skin_preview/main_window_preview.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QEnterEvent>
#include <QLabel>
#include <QLineEdit>
#include <cstdio>
#include <vector>

#include "lighting/lighting_effects.h"
#include "model/button_table.h"
#include "model/key_codes.h"
#include "skin/bitmap_slider.h"
#include "skin/color_static.h"
#include "skin/control_style.h"
#include "skin/skin_color_btn.h"
#include "skin/skin_layout.h"
#include "skin/skin_placement.h"

namespace preview {
namespace {

std::string Numbered(const char* pattern, int n) {
  char text[32];
  std::snprintf(text, sizeof text, pattern, n);
  return text;
}

class MainBuilder {
 public:
  MainBuilder(PreviewContext& context, const MainPreviewOptions& options)
      : context_(context),
        options_(options),
        file_(context.SkinFile("Main.ini")),
        window_(context.Window(102, "Main.ini")) {
    const QPixmap* normal = context.Picture("main_normal.jpg");
    const QPixmap* over = context.Picture("main_over.jpg");
    const QPixmap* down = context.Picture("main_down.jpg");
    const QPixmap* disable = context.Picture("main_disable.jpg");
    // Key buttons show the disabled picture when they are selected (they
    // have an assignment) and the normal one when they are disabled.
    keyImages_[0] = normal, keyImages_[1] = over, keyImages_[2] = down;
    keyImages_[3] = normal, keyImages_[4] = disable;
    buttonImages_[0] = normal, buttonImages_[1] = over, buttonImages_[2] = down;
    buttonImages_[3] = disable, buttonImages_[4] = normal;
  }

  std::unique_ptr<skin::CBaseDialog> Build() {
    Keyboard();
    Bars();
    Panel();
    return std::move(window_);
  }

 private:
  skin::CPngButton* Key(const std::string& key) {
    return AddButton(window_.get(), file_, key, keyImages_);
  }
  skin::CPngButton* Button(const std::string& key) {
    return AddButton(window_.get(), file_, key, buttonImages_);
  }
  skin::CPngButton* Captioned(const std::string& key, const char* textKey, bool keyPictures) {
    skin::CPngButton* button = keyPictures ? Key(key) : Button(key);
    button->setText(context_.Text(textKey));
    button->SetCaptionStyle(ButtonCaption());
    return button;
  }
  template <typename Control>
  Control* Place(const char* key, Control* control) {
    return Placed(file_, key, control);
  }
  skin::ColorStatic* Label(const char* key, const QString& text) {
    return AddLabel(window_.get(), file_, key, text);
  }
  QLabel* Picture(const char* key, const char* picture) {
    auto* label = Place(key, new QLabel(window_.get()));
    label->setPixmap(*context_.Picture(picture));
    return label;
  }
  static void Hover(skin::CPngButton* button) {
    QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
    QCoreApplication::sendEvent(button, &enter);
  }

  void Keyboard() {
    const int assigned[] = {1045, 1058, 1059, 1060, 1090};  // W, A, S, D, Space
    for (const auto& row : model::KeyButtons()) {
      skin::CPngButton* key = Key(skin::KeyButtonSkinKey(model::SlotOfCode(row.code)));
      if (!options_.sampleStates) continue;
      for (int id : assigned)
        if (row.controlId == id) key->SetSelected(true, false);
      if (row.controlId == 1064) Hover(key);          // J under the mouse
      if (row.controlId == 1049) key->setDown(true);  // Y pressed
      if (!options_.lightingMode || options_.effect != lighting::kCustomEffect) continue;
      // The custom effect shows each key's colour as a frame.
      const int hue = (row.keyIndex * 7) % 360;
      key->SetFrameMode(true, QColor::fromHsv(hue, 200, 255));
    }
    for (int g = 1; g <= 9; ++g) {
      skin::CPngButton* key = Key(skin::GKeySkinKey(g));
      key->setText(g <= 5 ? Numbered("A%d", g).c_str() : "");
      key->SetCaptionStyle(ButtonCaption());
      if (g == 2 && options_.sampleStates) key->SetSelected(true, false);
    }
    Key("KEY_FN");
    for (int d = 1; d <= 6; ++d) Key(Numbered("KEY_D%d", d))->setEnabled(false);  // Flip 0
    for (int f = 0; f <= 2; ++f) Button(Numbered("FUNC_FLIP%d", f));
    for (const char* lock : {"LOCK_CAPS", "LOCK_NUM", "LOCK_SCROLL", "LOCK_AB"}) Key(lock);
  }

  void Bars() {
    Button("VELMAR_LINK");
    Label("VELMAR_VER", QString());
    const char* profiles[] = {"PROFILE_1", "PROFILE_2", "PROFILE_3"};
    for (int s = 0; s < 3; ++s) {
      skin::CPngButton* button = Captioned(Numbered("FUNC_PROFILE%d", s + 1), profiles[s], true);
      if (s == 0) button->SetSelected(true, false);
    }
    for (const char* key :
         {"FUNC_PROFILES", "CONTROL_MENU", "CONTROL_HELP", "CONTROL_MINIMIZE", "CONTROL_CLOSE"})
      Button(key);
    Captioned("FUNC_MACRO", "PROFILE_MACRO", false);
    Captioned("FUNC_DEFAULT", "PROFILE_DEFAULT", false);
    Captioned("CONTROL_OK", "PROFILE_OK", false);
    Captioned("CONTROL_CANCEL", "PROFILE_CANCLE", false);
    Captioned("CONTROL2_APPLY", "PROFILE_APPLY", false)->setEnabled(false);
    Button("FUNC_SWITCH")->hide();
  }

  void Panel() {
    const lighting::PanelGroups groups =
        lighting::PanelGroupsFor(options_.effect, options_.lightingMode);
    Label("CONTROL_DengStatic", context_.Light("Deng"));
    Picture("CONTROL_DengStaPic", options_.lightingMode ? "dengdown.bmp" : "dengup.bmp");
    Label("CONTROL_UsbStatic", context_.Light("Usb"));
    for (int k = 1; k <= 4; ++k) {
      skin::CPngButton* rate = Key(Numbered("FUNC_REPORT%d", k));
      if (k == 1) rate->SetSelected(true, false);
    }
    auto show = [&](bool visible, std::initializer_list<QWidget*> controls) {
      for (QWidget* control : controls) control->setVisible(visible);
    };

    auto* effects = Place("CONTROL_XGcombox", new QComboBox(window_.get()));
    for (int id = 1; id <= 20; ++id)
      if (id != 19) effects->addItem(context_.Mode(id));
    effects->setCurrentText(context_.Mode(options_.effect));
    show(groups.effectList, {effects});

    auto* brightness = Place("CONTROL_LightSlider", new skin::CBitmapSlider(window_.get()));
    brightness->SetRange(0, 5);
    brightness->SetPosition(5);
    brightness->SetChannelImage(*context_.Picture("5.bmp"));
    show(groups.brightness, {Label("CONTROL_LightStatic", context_.Light("Light")), brightness});

    auto* speed = Place("CONTROL_SpeedSlider", new skin::CBitmapSlider(window_.get()));
    speed->SetRange(0, 5);
    speed->SetPosition(2);  // speed 3
    speed->SetChannelImage(*context_.Picture("8.bmp"));
    show(groups.speed, {Label("CONTROL_SpeedStatic", context_.Light("Speed")), speed});

    const lighting::DirectionPictures direction =
        lighting::DirectionPicturesFor(options_.effect, 0xFF);
    show(groups.direction, {Label(direction.captionKey, context_.Light("FX")),
                            Picture(direction.firstKey, direction.first),
                            Picture(direction.secondKey, direction.second)});

    auto colourButton = [&](const char* key, QColor colour) {
      auto* button = Place(key, new skin::CSkinColorBtn(window_.get()));
      button->SetColour(colour);
      button->SetOtherText(QStringLiteral("other"));
      button->SetPaletteColumns(10);
      return button;
    };
    show(groups.colourA, {Label("CONTROL_HXysStatic", context_.Light("Color")),
                          colourButton("CONTROL_HXysButton", QColor(255, 255, 255)),
                          Picture("CONTROL_HXsjsStaPic", "sjsdown.bmp"),
                          Label("CONTROL_HXsjsStatic", context_.Light("DC"))});
    show(groups.colourB, {Label("CONTROL_FYYSStatic", context_.Light("Color")),
                          colourButton("CONTROL_FYYSButton", QColor(255, 255, 255)),
                          Picture("CONTROL_FYSJSStaPic", "sjsdown.bmp"),
                          Label("CONTROL_FYSJSStatic", context_.Light("DC"))});
    show(groups.colourChoice,
         {Picture("CONTROL_HONGPIC", "hongok.bmp"), Picture("CONTROL_HUANGPIC", "huang.bmp"),
          Picture("CONTROL_LVPIC", "lv.bmp"), Picture("CONTROL_LANPIC", "lan.bmp")});

    auto* layouts = Place("CONTROL_umCombo", new QComboBox(window_.get()));
    layouts->setEditable(true);
    for (int n = 1; n <= 10; ++n) layouts->addItem(QStringLiteral("Layout %1").arg(n));
    show(groups.customColours, {Label("CONTROL_USERysStatic", context_.Light("Color")),
                                colourButton("CONTROL_USERysButton", QColor(0, 126, 255)),
                                Label("CONTROL_USERjsStatic", context_.Light("JColor")),
                                colourButton("CONTROL_USERjsButton", QColor(235, 99, 30)),
                                Label("CONTROL_USERgjStatic", context_.Light("Tool")),
                                Picture("CONTROL_USERgjStaPic1", "user1down.bmp"),
                                Picture("CONTROL_USERgjStaPic2", "user2up.bmp"), layouts});

    // The RGB boxes stay visible; the swatches and the busy indicator are
    // created hidden.
    Label("CONTROL_RGBStatic", QStringLiteral("RGB"));
    for (const char* key : {"COLOR_R", "COLOR_G", "COLOR_B"}) {
      auto* box = Place(key, new QLineEdit(QStringLiteral("255"), window_.get()));
      box->setAlignment(Qt::AlignCenter);
    }
    for (int n = 1; n <= 8; ++n)
      Picture(Numbered("CONTROL_Color%d", n).c_str(), Numbered("Color%d.bmp", n).c_str())->hide();
    Picture("CONTROL_JDTStatic", "jdt1.bmp")->hide();
  }

  PreviewContext& context_;
  MainPreviewOptions options_;
  std::string file_;
  std::unique_ptr<skin::CBaseDialog> window_;
  const QPixmap* keyImages_[5] = {};
  const QPixmap* buttonImages_[5] = {};
};

}  // namespace

std::unique_ptr<skin::CBaseDialog> BuildMainWindow(PreviewContext& context,
                                                   const MainPreviewOptions& options) {
  return MainBuilder(context, options).Build();
}

}  // namespace preview
