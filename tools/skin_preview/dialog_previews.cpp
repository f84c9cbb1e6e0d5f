#include "tools/skin_preview/dialog_previews.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <string>

#include "model/key_table.h"
#include "skin/color_static.h"
#include "skin/control_style.h"
#include "skin/report_ctrl.h"
#include "skin/skin_placement.h"

namespace preview {
namespace {

struct PageSet {
  const char* normal;
  const char* over;
  const char* down;
  const char* disabled;
};

PageSet SetOf(CompositePage page) {
  switch (page) {
    case CompositePage::kSingleKey:
      return {"key_normal.jpg", "key_over.jpg", "key_down.jpg", "key_normal.jpg"};
    case CompositePage::kMacro:
      return {"macro_normal.jpg", "macro_over.jpg", "macro_down.jpg", "macro_disable.jpg"};
    case CompositePage::kMultimedia:
      return {"media_normal.jpg", "media_over.jpg", "media_down.jpg", "media_normal.jpg"};
    case CompositePage::kFunction:
      return {"function_normal.jpg", "function_over.jpg", "function_down.jpg",
              "function_normal.jpg"};
    case CompositePage::kMacroOnly:
      break;
  }
  return {"macro2_normal.jpg", "macro2_over.jpg", "macro2_down.jpg", "macro2_disable.jpg"};
}

}  // namespace

std::unique_ptr<skin::CBaseDialog> BuildCompositeDialog(PreviewContext& context,
                                                        CompositePage page) {
  auto window = context.Window(134, "Composite.ini");
  const std::string file = context.SkinFile("Composite.ini");
  skin::CBaseDialog* w = window.get();
  const bool macroOnly = page == CompositePage::kMacroOnly;
  const PageSet tabs = SetOf(page);
  const PageSet backdrop = SetOf(macroOnly ? CompositePage::kMacro : page);
  const QPixmap* tabImages[5] = {context.Picture(tabs.normal), context.Picture(tabs.over),
                                 context.Picture(tabs.down), context.Picture(tabs.disabled),
                                 context.Picture(tabs.normal)};
  const QPixmap* pageImages[5] = {context.Picture(backdrop.normal), context.Picture(backdrop.over),
                                  context.Picture(backdrop.down),
                                  context.Picture(backdrop.disabled),
                                  context.Picture(backdrop.normal)};

  // The backdrop first: the page's controls lie on it.
  AddButton(w, file, "CONTROL_MASK", pageImages);
  const struct {
    const char* key;
    const char* text;
    CompositePage page;
  } pageButtons[] = {{"CONTROL_KEY", "SINGLE_KEY", CompositePage::kSingleKey},
                     {"CONTROL_MACRO", "MACRO_SETTING", CompositePage::kMacro},
                     {"CONTROL_MEDIA", "MULTI_MEDIA", CompositePage::kMultimedia},
                     {"CONTROL_FUNCTION", "FUNCTION_KEY", CompositePage::kFunction}};
  for (const auto& tab : pageButtons) {
    skin::CPngButton* button = AddButton(w, file, tab.key, tabImages);
    const bool usable = !macroOnly || tab.page == CompositePage::kMacro;
    button->setEnabled(usable);
    // In macro-only mode the other pages have no caption.
    if (usable) button->setText(context.Text(tab.text));
    button->SetCaptionStyle(ButtonCaption(10));
  }
  AddButton(w, file, "CONTROL_CLEAR", tabImages)->setEnabled(!macroOnly);
  AddButton(w, file, "CONTROL_TITLE", tabImages);
  AddLabel(w, file, "KEY_SETTING",
           context.Text(macroOnly ? "MACRO_EDIT_TISHI" : "KEY_SETTING_TISHI"), 16);
  // Mode buttons and the check box show their chosen state with the pressed picture.
  const QPixmap* chosen[5] = {pageImages[0], pageImages[1], pageImages[2], pageImages[3],
                              pageImages[2]};
  const QPixmap* plain[5] = {pageImages[0], pageImages[1], pageImages[2], pageImages[3],
                             pageImages[0]};
  for (const auto& [key, text] :
       {std::pair{"CONTROL_OK", "MACRO_OK"}, std::pair{"CONTROL_CANCEL", "MACRO_CANCLE"}}) {
    skin::CPngButton* button = AddButton(w, file, key, plain);
    button->setText(context.Text(text));
    button->SetCaptionStyle(ButtonCaption());
  }
  skin::CPngButton* apply = AddButton(w, file, "CONTROL2_APPLY", plain);
  apply->setText(context.Text("PROFILE_APPLY"));
  apply->SetCaptionStyle(ButtonCaption());
  apply->setEnabled(false);

  switch (macroOnly ? CompositePage::kMacro : page) {
    case CompositePage::kSingleKey: {
      auto* input = Placed(file, "FUNC_KEY_INPUT", new QLineEdit(QStringLiteral("Caps Lock"), w));
      input->setReadOnly(true);
      input->setAlignment(Qt::AlignCenter);
      QFont big = input->font();
      big.setPixelSize(22);
      input->setFont(big);
      AddButton(w, file, "FUNC_KEY_RADIO_KB", chosen)->SetSelected(true, false);
      AddButton(w, file, "FUNC_KEY_RADIO_MOU", chosen);
      AddLabel(w, file, "FUNC_KEY_RADIO_KB_STATIC", context.Text("IDS_MACRO_KB_KEY"));
      AddLabel(w, file, "FUNC_KEY_RADIO_MOU_STATIC", context.Text("IDS_MACRO_MOU_KEY"));
      auto* mouse = Placed(file, "FUNC_KEY_MOUSE_LIST", new QComboBox(w));
      for (const char* key :
           {"IDS_KEYBOARD_MOU_LEFT", "IDS_KEYBOARD_MOU_RIGHT", "IDS_KEYBOARD_MOU_MIDDLE",
            "IDS_KEYBOARD_ROLL_UP", "IDS_KEYBOARD_ROLL_DOWN"})
        mouse->addItem(context.Text(key));
      mouse->setEnabled(false);
      AddLabel(w, file, "TISHI_SINGLE_STATIC", context.Text("SINGLE_STATIC"));
      AddButton(w, file, "CONTROL_OSK", pageImages);
      break;
    }
    case CompositePage::kMacro: {
      auto* macros = Placed(file, "FUNC_MACRO_LIST", new QComboBox(w));
      macros->setEditable(true);
      macros->addItems({QStringLiteral("Build and run"), QStringLiteral("Copy line")});
      AddButton(w, file, "FUNC_MACRO_ADD", pageImages);
      AddButton(w, file, "FUNC_MACRO_DELETE", pageImages);
      AddLabel(w, file, "MARCO_NAME_SETTING", context.Text("MACRO_NAME_SETTING"));
      auto* actions = Placed(file, "FUNC_MACRO_LIST2", new skin::CReportCtrl(w));
      actions->InsertColumn(0, context.Text("MACRO_KEYS_TISHI"), Qt::AlignLeft, 170);
      actions->InsertColumn(1, context.Text("MACRO_ACTION_TISHI"), Qt::AlignLeft, 90);
      actions->InsertColumn(2, context.Text("MACRO_DELAY_MS"), Qt::AlignLeft, 90);
      const struct {
        const char* key;
        bool press;
        int delay;
      } steps[] = {{"Left Ctrl", true, 20},   {"B", true, 35},  {"B", false, 15},
                   {"Left Ctrl", false, 120}, {"F5", true, 40}, {"F5", false, 0}};
      for (const auto& step : steps) {
        const int row = actions->InsertRow(actions->RowCount(), step.key);
        actions->SetItemText(row, 1, step.press ? QStringLiteral("↓") : QStringLiteral("  ↑"));
        actions->SetItemText(row, 2, QString::number(step.delay));
      }
      actions->SetExtendedStyle(skin::CReportCtrl::kStyleGridLines |
                                skin::CReportCtrl::kStyleFullRowSelect);
      actions->SetRowStates(1, skin::CReportCtrl::kStateSelected);
      const struct {
        const char* key;
        const char* text;
      } side[] = {{"FUNC_MACRO_RECORD", "MACRO_ACTION_RECORD"},
                  {"FUNC_MACRO_DELETE2", "A_DELETE"},
                  {"FUNC_MACRO_CLEAR", "A_CLEAR"},
                  {"FUNC_MACRO_UP_TOP", "A_TOP"},
                  {"FUNC_MACRO_UP", "A_UP"},
                  {"FUNC_MACRO_DOWN", "A_DOWN"},
                  {"FUNC_MACRO_DOWN_BOTTOM", "A_BOTTOM"}};
      for (const auto& button : side) {
        skin::CPngButton* b = AddButton(w, file, button.key, pageImages);
        b->setText(context.Text(button.text));
        b->SetCaptionStyle(ButtonCaption());
      }
      AddButton(w, file, "FUNC_MACRO_RECORD_DELAY", chosen)->SetSelected(true, false);
      AddLabel(w, file, "FUNC_MACRO_RECORD_DELAY2", context.Text("RECORD_DELAY"));
      auto* cycles = Placed(file, "FUNC_MACRO_CYCLES", new QLineEdit(QStringLiteral("1"), w));
      cycles->setAlignment(Qt::AlignCenter);
      AddLabel(w, file, "FUNC_MACRO_CYCLES_PROMPT", context.Text("MACRO_CYCLES"));
      break;
    }
    case CompositePage::kMultimedia: {
      auto* media = Placed(file, "FUNC_MEDIA_SELECT", new QListWidget(w));
      for (const auto& row : model::MediaTable()) media->addItem(context.Text(row.languageKey));
      media->setCurrentRow(2);
      AddLabel(w, file, "MEDIA_SETTING_TISHI", context.Text("MEDIA_EDIT_TISHI"));
      break;
    }
    case CompositePage::kFunction:
    case CompositePage::kMacroOnly: {
      auto* functions = Placed(file, "FUNC_FUNCTION_SELECT", new QListWidget(w));
      for (int n = 1; n <= 11; ++n)
        functions->addItem(context.Text(("FUNC_KEY_DESC" + std::to_string(n)).c_str()));
      functions->setCurrentRow(0);
      AddLabel(w, file, "FUNCTION_KEY_SETTING_TISHI", context.Text("FUNCTION_TISHI"));
      break;
    }
  }
  return window;
}

std::unique_ptr<skin::CBaseDialog> BuildProfileDialog(PreviewContext& context) {
  auto window = context.Window(131, "Profile.ini");
  const std::string file = context.SkinFile("Profile.ini");
  const QPixmap* images[5] = {
      context.Picture("Profile_normal.jpg"), context.Picture("Profile_over.jpg"),
      context.Picture("Profile_down.jpg"), context.Picture("Profile_down.jpg"),
      context.Picture("Profile_normal.jpg")};
  for (const char* key :
       {"CONTROL_OK", "CONTROL_CANCEL", "FUNC_ADD", "FUNC_LOAD", "FUNC_DELETE", "CONTROL2_APPLY"})
    AddButton(window.get(), file, key, images);
  auto* list = Placed(file, "PROGRAM_LIST", new skin::CReportCtrl(window.get()));
  list->InsertColumn(0, QStringLiteral("激活"), Qt::AlignLeft, 60);
  list->InsertColumn(1, QStringLiteral("名称"), Qt::AlignLeft, 120);
  list->InsertColumn(2, QStringLiteral("路径"), Qt::AlignLeft, 230);
  list->SetExtendedStyle(skin::CReportCtrl::kStyleGridLines |
                         skin::CReportCtrl::kStyleFullRowSelect |
                         skin::CReportCtrl::kStyleCheckBoxes);
  list->SetCheckMode(skin::CReportCtrl::kCheckSingle);
  for (int k = 0; k < 3; ++k) {
    list->InsertRow(k, QString());
    list->SetItemText(k, 1, QStringLiteral("working"));
    list->SetItemText(k, 2, QStringLiteral("~/.local/share/Quorvane/"));
  }
  list->SetRowStates(1, skin::CReportCtrl::kStateChecked);
  return window;
}

std::unique_ptr<skin::CBaseDialog> BuildUpdateDialog(PreviewContext& context) {
  auto window = context.Window(149, "UpdateDlg.ini");
  const std::string file = context.SkinFile("UpdateDlg.ini");
  const QPixmap* over = context.Picture("update_over.jpg");
  const QPixmap* images[5] = {context.Picture("update_normal.jpg"), over, over, over, over};
  for (const char* key :
       {"CONTROL_CUPButton", "CONTROL_UPButton", "CONTROL_OPENButton", "CONTROL_BACKUPButton"})
    AddButton(window.get(), file, key, images);
  AddLabel(window.get(), file, "CONTROL_UPStatic", QStringLiteral("/opt/quorvane/Package/updater"));
  Placed(file, "CONTROL_UPCombox", new QComboBox(window.get()))->hide();
  return window;
}

}  // namespace preview
