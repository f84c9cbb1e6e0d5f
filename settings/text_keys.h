// Every key the program looks up in section "TEXT" of the language files,
// apart from the key names of the key table, and every key of section
// "LIGHT". The language files must hold a value for each; a test checks it.
#pragma once

#include <array>

namespace settings {

inline constexpr std::array kTextKeys = {
    // Profiles.
    "DEFAULT_PROFILE_NAME", "PROFILE_TIP", "PROFILE_SELECT_PROMPT", "PROFILE_SEELCT_PROMPT2",
    "PROFILE_SLOT_INVALID", "PROFILE_NEW", "PROFILE_FORMAT_ERROR", "MAIN_PROMPT_INPORT",
    "MAIN_DEFAULT_MATRIX_PROMPT",
    // Main window, about box and tray.
    "MAIN_CAPTION", "MAIN_HELP_PROMPT", "MAIN_MENU_PROMPT", "MAIN_MINIMIZE_PROMPT",
    "MAIN_CLOSE_PROMPT", "MAIN_NO_DEVICE_PROMPT", "MAIN_PROMPT_DEFAULT", "MAIN_SWITCH_COLOR_TEXT",
    "MAIN_SWITCH_FUNCTION_TEXT", "PROFILE_1", "PROFILE_2", "PROFILE_3", "PROFILE_MACRO",
    "PROFILE_DEFAULT", "PROFILE_OK", "PROFILE_CANCLE", "PROFILE_APPLY", "GUANYU_BANQUAN",
    "GUANYU_JIESHAO", "LANG_ABOUT_OK", "LANG_ABOUT_TITLE", "IDS_TrayTip_Keyboard",
    "KEYBOARD_TRAY_DESC", "MENU_1", "MENU_2", "MENU_3", "MENU_4", "MENU_11", "MENU_22", "MENU_33",
    // Key assignment, macros.
    "A_BOTTOM", "A_CLEAR", "A_DELETE", "A_DOWN", "A_RECORD", "A_TOP", "A_UP",
    "COMPOSITE_PROMPT_CLEAR", "COMPOSITE_PROMPT_OSK", "EXTRA_MACRO_TOO_LONG",
    "EXTRA_PROFILE_SPACE_TIGHT", "FUNCTION_KEY", "FUNCTION_TISHI", "IDS_MACRO_KB_KEY",
    "IDS_MACRO_MOU_KEY", "KEY_PROMPT_FUNCTION", "KEY_PROMPT_MACRO", "KEY_PROMPT_MEDIA",
    "KEY_PROMPT_SET", "KEY_PROMPT_SINGLE", "FUNC_KEY_DESC1", "FUNC_KEY_DESC2", "FUNC_KEY_DESC3",
    "FUNC_KEY_DESC4", "FUNC_KEY_DESC5", "FUNC_KEY_DESC6", "FUNC_KEY_DESC7", "FUNC_KEY_DESC8",
    "FUNC_KEY_DESC9", "FUNC_KEY_DESC10", "FUNC_KEY_DESC11", "IDS_KEYBOARD_MOU_LEFT",
    "IDS_KEYBOARD_MOU_RIGHT", "IDS_KEYBOARD_MOU_MIDDLE", "IDS_KEYBOARD_ROLL_UP",
    "IDS_KEYBOARD_ROLL_DOWN", "KEY_SETTING_TISHI", "MACRO_ACTION_CLEAR_CONFIRM",
    "MACRO_ACTION_ERR_DELAY_MAX", "MACRO_ACTION_ERR_MODIFY", "MACRO_ACTION_RECORD",
    "MACRO_ACTION_RECORD_DELAY", "MACRO_ACTION_STOP_RECORD", "MACRO_CANCLE", "MACRO_CYCLES",
    "MACRO_DELETE_CONFIRM_OF_KEYS", "MACRO_EDIT_TISHI", "MACRO_ERR_MAX", "MACRO_NAME_SETTING",
    "MACRO_NEW_PREFIX", "MACRO_OK", "MACRO_SETTING", "MEDIA_EDIT_TISHI", "MULTI_MEDIA",
    "RECORD_DELAY", "SINGLE_KEY", "SINGLE_STATIC",
    // Headings of the macro action list, labels of the multimedia and function lists.
    "MACRO_KEYS_TISHI", "MACRO_ACTION_TISHI", "MACRO_DELAY_MS", "MEDIA_SETTING_TISHI",
    "FUNCTION_KEY_SETTING_TISHI",
    // Key names without a row of their own.
    "UNKNOWN_KEY"};

inline constexpr std::array kLightKeys = {"Usb",   "Deng",   "Light", "FX",  "Speed",
                                          "Color", "JColor", "DC",    "Tool"};

// Section "MODE" names the lighting effects by number.
inline constexpr int kFirstEffect = 1;
inline constexpr int kLastEffect = 20;

}  // namespace settings
