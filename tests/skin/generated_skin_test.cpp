// The skin the build generates into the program folder: every control the
// windows place has a rectangle inside its window, no two controls overlap
// (except where the windows stack them on purpose), every picture the
// windows load exists, and picture controls are exactly their pictures'
// size.
#include <gtest/gtest.h>

#include <QImage>
#include <QRect>
#include <QString>
#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "model/button_table.h"
#include "model/key_codes.h"
#include "skin/skin_layout.h"

namespace {

const std::string kSkins = std::string(QUORVANE_PROGRAM_DIR) + "/Skins/";

QImage LoadPicture(const std::string& name) {
  return QImage(QString::fromStdString(kSkins + name));
}

std::string Numbered(const char* pattern, int n) {
  char text[64];
  std::snprintf(text, sizeof text, pattern, n);
  return text;
}

std::vector<std::string> Range(const char* pattern, int first, int last) {
  std::vector<std::string> names;
  for (int n = first; n <= last; ++n) names.push_back(Numbered(pattern, n));
  return names;
}

void Append(std::vector<std::string>* to, const std::vector<std::string>& more) {
  to->insert(to->end(), more.begin(), more.end());
}

std::string KeyOfButton(const model::KeyButton& button) {
  return Numbered("KEY_%03X", model::SlotOfCode(button.code));
}

// What each window places, in its own words.
std::vector<std::string> MainWindowKeys() {
  std::vector<std::string> keys;
  for (const auto& button : model::KeyButtons()) keys.push_back(KeyOfButton(button));
  Append(&keys, Range("FUNC_G%d", 1, 9));
  Append(&keys, Range("KEY_D%d", 1, 6));
  Append(&keys, Range("FUNC_FLIP%d", 0, 2));
  Append(&keys, Range("FUNC_PROFILE%d", 1, 3));
  Append(&keys, Range("FUNC_REPORT%d", 1, 4));
  Append(&keys, Range("CONTROL_Color%d", 1, 8));
  Append(&keys, {"KEY_FN", "LOCK_CAPS", "LOCK_NUM", "LOCK_SCROLL", "LOCK_AB", "FUNC_PROFILES",
                 "FUNC_MACRO", "FUNC_DEFAULT", "FUNC_SWITCH", "CONTROL_OK", "CONTROL_CANCEL",
                 "CONTROL2_APPLY", "CONTROL_HELP", "CONTROL_MINIMIZE", "CONTROL_CLOSE",
                 "CONTROL_MENU", "VELMAR_LINK", "VELMAR_VER"});
  // The lighting panel.
  Append(&keys, {"CONTROL_DengStatic",
                 "CONTROL_DengStaPic",
                 "CONTROL_XGcombox",
                 "CONTROL_LightStatic",
                 "CONTROL_LightSlider",
                 "CONTROL_SpeedStatic",
                 "CONTROL_SpeedSlider",
                 "CONTROL_HXysStatic",
                 "CONTROL_HXysButton",
                 "CONTROL_HXsjsStaPic",
                 "CONTROL_HXsjsStatic",
                 "CONTROL_FYYSStatic",
                 "CONTROL_FYYSButton",
                 "CONTROL_FYSJSStaPic",
                 "CONTROL_FYSJSStatic",
                 "CONTROL_HONGPIC",
                 "CONTROL_HUANGPIC",
                 "CONTROL_LVPIC",
                 "CONTROL_LANPIC",
                 "CONTROL_USERysStatic",
                 "CONTROL_USERysButton",
                 "CONTROL_USERjsStatic",
                 "CONTROL_USERjsButton",
                 "CONTROL_USERgjStatic",
                 "CONTROL_USERgjStaPic1",
                 "CONTROL_USERgjStaPic2",
                 "CONTROL_umCombo",
                 "CONTROL_UsbStatic",
                 "CONTROL_RGBStatic",
                 "COLOR_R",
                 "COLOR_G",
                 "COLOR_B",
                 "CONTROL_JDTStatic"});
  for (const char* suffix : {"", "2", "3"}) {
    for (const char* base : {"CONTROL_BLFXStatic", "CONTROL_BLFXLStaPic", "CONTROL_BLFXRStaPic"})
      keys.push_back(std::string(base) + suffix);
  }
  return keys;
}

// Controls of the key-assignment dialog's pages: never shown together, all
// on the page backdrop.
const std::map<std::string, std::vector<std::string>>& CompositePages() {
  static const std::map<std::string, std::vector<std::string>> pages = {
      {"single key",
       {"FUNC_KEY_INPUT", "FUNC_KEY_RADIO_KB", "FUNC_KEY_RADIO_KB_STATIC", "FUNC_KEY_RADIO_MOU",
        "FUNC_KEY_RADIO_MOU_STATIC", "FUNC_KEY_MOUSE_LIST", "TISHI_SINGLE_STATIC", "CONTROL_OSK"}},
      {"macro",
       {"FUNC_MACRO_LIST", "FUNC_MACRO_ADD", "FUNC_MACRO_DELETE", "FUNC_MACRO_LIST2",
        "FUNC_MACRO_RECORD", "FUNC_MACRO_DELETE2", "FUNC_MACRO_CLEAR", "FUNC_MACRO_UP_TOP",
        "FUNC_MACRO_UP", "FUNC_MACRO_DOWN", "FUNC_MACRO_DOWN_BOTTOM", "FUNC_MACRO_RECORD_DELAY",
        "FUNC_MACRO_RECORD_DELAY2", "FUNC_MACRO_CYCLES", "FUNC_MACRO_CYCLES_PROMPT",
        "MARCO_NAME_SETTING"}},
      {"multimedia", {"FUNC_MEDIA_SELECT", "MEDIA_SETTING_TISHI"}},
      {"keyboard function", {"FUNC_FUNCTION_SELECT", "FUNCTION_KEY_SETTING_TISHI"}},
  };
  return pages;
}

std::vector<std::string> CompositeKeys() {
  std::vector<std::string> keys = {"CONTROL_KEY",      "CONTROL_MACRO", "CONTROL_MEDIA",
                                   "CONTROL_FUNCTION", "CONTROL_CLEAR", "CONTROL_MASK",
                                   "CONTROL_TITLE",    "KEY_SETTING",   "CONTROL_OK",
                                   "CONTROL_CANCEL",   "CONTROL2_APPLY"};
  for (const auto& [page, controls] : CompositePages()) Append(&keys, controls);
  return keys;
}

struct WindowSkin {
  const char* file;
  std::vector<std::string> keys;
  std::vector<std::string> stateImages;
};

std::vector<WindowSkin> Windows() {
  return {
      {"Main.ini",
       MainWindowKeys(),
       {"main_normal.jpg", "main_over.jpg", "main_down.jpg", "main_disable.jpg", "main_color0.jpg",
        "main_color1.jpg"}},
      {"Profile.ini",
       {"PROGRAM_LIST", "FUNC_ADD", "FUNC_LOAD", "FUNC_DELETE", "CONTROL_OK", "CONTROL_CANCEL",
        "CONTROL2_APPLY"},
       {"Profile_normal.jpg", "Profile_over.jpg", "Profile_down.jpg"}},
      {"Composite.ini",
       CompositeKeys(),
       {"key_normal.jpg", "key_over.jpg", "key_down.jpg", "macro_normal.jpg", "macro_over.jpg",
        "macro_down.jpg", "macro_disable.jpg", "media_normal.jpg", "media_over.jpg",
        "media_down.jpg", "function_normal.jpg", "function_over.jpg", "function_down.jpg",
        "macro2_normal.jpg", "macro2_over.jpg", "macro2_down.jpg", "macro2_disable.jpg"}},
      {"UpdateDlg.ini",
       {"CONTROL_UPStatic", "CONTROL_UPCombox", "CONTROL_CUPButton", "CONTROL_UPButton",
        "CONTROL_OPENButton", "CONTROL_BACKUPButton"},
       {"update_normal.jpg", "update_over.jpg"}},
  };
}

QRect ToQRect(const skin::SkinRect& r) {
  return QRect(r.left, r.top, r.width, r.height);
}

// The variants of one control ("CONTROL_BLFXStatic", "...2", "...3") are
// the places it moves between.
std::string ControlOf(const std::string& key) {
  for (const char* base : {"CONTROL_BLFXStatic", "CONTROL_BLFXLStaPic", "CONTROL_BLFXRStaPic"})
    if (key.rfind(base, 0) == 0) return base;
  return key;
}

std::string PageOf(const std::string& key) {
  for (const auto& [page, controls] : CompositePages())
    for (const auto& control : controls)
      if (control == key) return page;
  return "";
}

bool MayOverlap(const std::string& file, const std::string& a, const std::string& b) {
  if (ControlOf(a) == ControlOf(b)) return true;
  if (file == "Main.ini") {
    // The Enter key's picture reaches over "]".
    const auto enter = model::KeyButtonOfControl(1070), bracket = model::KeyButtonOfControl(1055);
    const std::set<std::string> pair = {KeyOfButton(*enter), KeyOfButton(*bracket)};
    return pair.count(a) && pair.count(b) && a != b;
  }
  if (file == "Composite.ini") {
    const std::string pageA = PageOf(a), pageB = PageOf(b);
    if (!pageA.empty() && !pageB.empty() && pageA != pageB) return true;
    // Page controls lie on the backdrop (checked on their own below).
    if ((a == "CONTROL_MASK" && !pageB.empty()) || (b == "CONTROL_MASK" && !pageA.empty()))
      return true;
  }
  return false;
}

TEST(GeneratedSkinTest, EveryWindowHasItsPicturesAtItsSize) {
  for (const auto& window : Windows()) {
    const skin::ScreenImages screen = skin::ReadScreen(kSkins + window.file);
    const QImage background = LoadPicture(screen.background);
    ASSERT_FALSE(background.isNull()) << window.file << ": " << screen.background;
    const QImage mask = LoadPicture(screen.mask);
    ASSERT_FALSE(mask.isNull()) << window.file << ": " << screen.mask;
    EXPECT_EQ(mask.size(), background.size()) << window.file;
    // The corners are cut away, the middle is window.
    EXPECT_EQ(mask.pixel(0, 0) & 0xFFFFFF, 0xFFFFFFu) << window.file;
    EXPECT_NE(mask.pixel(mask.width() / 2, mask.height() / 2) & 0xFFFFFF, 0xFFFFFFu);
    for (const auto& name : window.stateImages) {
      const QImage image = LoadPicture(name);
      ASSERT_FALSE(image.isNull()) << name;
      EXPECT_EQ(image.size(), background.size()) << name;
    }
  }
  EXPECT_FALSE(skin::ReadScreen(kSkins + "Main.ini").link.empty());
}

TEST(GeneratedSkinTest, EveryControlSitsInsideItsWindowWithoutOverlapping) {
  for (const auto& window : Windows()) {
    const std::string file = kSkins + window.file;
    const QSize size = LoadPicture(skin::ReadScreen(file).background).size();
    const skin::CIniFile reader(file);
    std::map<std::string, QRect> rects;
    for (const auto& key : window.keys) {
      ASSERT_TRUE(reader.Read(skin::kButtonSection, key).has_value()) << window.file << " " << key;
      const QRect rect = ToQRect(skin::ReadSkinRect(file, skin::kButtonSection, key));
      // (1, 1) is where the windows put what the skin left out.
      EXPECT_TRUE(rect.left() >= 2 && rect.top() >= 2 && rect.width() > 0 && rect.height() > 0 &&
                  rect.right() < size.width() && rect.bottom() < size.height())
          << window.file << " " << key;
      rects[key] = rect;
    }
    for (auto a = rects.begin(); a != rects.end(); ++a) {
      for (auto b = std::next(a); b != rects.end(); ++b) {
        if (!a->second.intersects(b->second) || MayOverlap(window.file, a->first, b->first))
          continue;
        ADD_FAILURE() << window.file << ": " << a->first << " overlaps " << b->first;
      }
    }
  }
}

TEST(GeneratedSkinTest, PageControlsLieOnThePageBackdrop) {
  const std::string file = kSkins + "Composite.ini";
  const QRect backdrop = ToQRect(skin::ReadSkinRect(file, skin::kButtonSection, "CONTROL_MASK"));
  for (const auto& [page, controls] : CompositePages())
    for (const auto& key : controls)
      EXPECT_TRUE(backdrop.contains(ToQRect(skin::ReadSkinRect(file, skin::kButtonSection, key))))
          << page << ": " << key;
  // Everything else stays off it.
  for (const char* key : {"CONTROL_KEY", "CONTROL_CLEAR", "CONTROL_TITLE", "KEY_SETTING",
                          "CONTROL_OK", "CONTROL_CANCEL", "CONTROL2_APPLY"})
    EXPECT_FALSE(backdrop.intersects(ToQRect(skin::ReadSkinRect(file, skin::kButtonSection, key))))
        << key;
}

TEST(GeneratedSkinTest, FlipArrowsComeFromTheArrowPicture) {
  const std::string file = kSkins + "Main.ini";
  const skin::CIniFile reader(file);
  const QImage arrows = LoadPicture("Arrow.jpg");
  ASSERT_FALSE(arrows.isNull());
  const QSize window = LoadPicture("main_normal.jpg").size();
  for (const char* side : {"LEFT", "RIGHT"}) {
    const std::string at = std::string(side) + "_ARROW";
    ASSERT_TRUE(reader.Read(skin::kButtonSection2, at).has_value()) << at;
    const QRect place = ToQRect(skin::ReadSkinRect(file, skin::kButtonSection2, at));
    EXPECT_TRUE(QRect(QPoint(2, 2), window - QSize(4, 4)).contains(place)) << at;
    for (const auto& key : MainWindowKeys())
      EXPECT_FALSE(place.intersects(ToQRect(skin::ReadSkinRect(file, skin::kButtonSection, key))))
          << at << " covers " << key;
    for (const char* direction : {"UP", "DOWN"}) {
      const std::string sprite = std::string(direction) + "_ARROW_" + side + "1";
      ASSERT_TRUE(reader.Read(skin::kButtonSection2, sprite).has_value()) << sprite;
      const QRect cut = ToQRect(skin::ReadSkinRect(file, skin::kButtonSection2, sprite));
      EXPECT_TRUE(arrows.rect().contains(cut)) << sprite;
    }
  }
}

TEST(GeneratedSkinTest, PictureControlsAreTheSizeOfTheirPictures) {
  const std::string file = kSkins + "Main.ini";
  const struct {
    const char* key;
    std::vector<std::string> pictures;
  } controls[] = {
      {"CONTROL_DengStaPic", {"dengup.bmp", "dengdown.bmp"}},
      {"CONTROL_LightSlider", Range("%d.bmp", 0, 5)},
      {"CONTROL_SpeedSlider", Range("%d.bmp", 6, 11)},
      {"CONTROL_BLFXLStaPic",
       {"leftdown.bmp", "leftup.bmp", "updown.bmp", "upup.bmp", "kuosandown.bmp", "kuosan.bmp"}},
      {"CONTROL_BLFXRStaPic",
       {"rightup.bmp", "rightdown.bmp", "downup.bmp", "downdown.bmp", "julong.bmp",
        "julongdown.bmp"}},
      {"CONTROL_HXsjsStaPic", {"sjsup.bmp", "sjsdown.bmp"}},
      {"CONTROL_FYSJSStaPic", {"sjsup.bmp", "sjsdown.bmp"}},
      {"CONTROL_HONGPIC", {"hong.bmp", "hongok.bmp"}},
      {"CONTROL_HUANGPIC", {"huang.bmp", "huangok.bmp"}},
      {"CONTROL_LVPIC", {"lv.bmp", "lvok.bmp"}},
      {"CONTROL_LANPIC", {"lan.bmp", "lanok.bmp"}},
      {"CONTROL_USERgjStaPic1", {"user1up.bmp", "user1down.bmp"}},
      {"CONTROL_USERgjStaPic2", {"user2up.bmp", "user2down.bmp"}},
      {"CONTROL_JDTStatic", Range("jdt%d.bmp", 1, 10)},
  };
  for (const auto& control : controls) {
    const QRect rect = ToQRect(skin::ReadSkinRect(file, skin::kButtonSection, control.key));
    for (const auto& name : control.pictures) {
      const QImage picture = LoadPicture(name);
      ASSERT_FALSE(picture.isNull()) << name;
      EXPECT_EQ(picture.size(), rect.size()) << control.key << " " << name;
    }
  }
  for (int n = 1; n <= 8; ++n) {
    const QImage swatch = LoadPicture(Numbered("Color%d.bmp", n));
    ASSERT_FALSE(swatch.isNull()) << n;
    EXPECT_EQ(swatch.size(), ToQRect(skin::ReadSkinRect(file, skin::kButtonSection,
                                                        Numbered("CONTROL_Color%d", n)))
                                 .size());
  }
}

TEST(GeneratedSkinTest, IconsExist) {
  for (const char* name :
       {"quorvane.png", "tray_none.png", "tray_attached.png", "tray_activity.png"}) {
    const QImage icon = LoadPicture(name);
    ASSERT_FALSE(icon.isNull()) << name;
    EXPECT_TRUE(icon.hasAlphaChannel()) << name;
  }
}

}  // namespace
