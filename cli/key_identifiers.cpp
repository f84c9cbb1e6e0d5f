#include "cli/key_identifiers.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "model/button_table.h"
#include "model/key_name.h"
#include "model/key_table.h"

namespace cli {
namespace {

using K = KeyKind;

// Rows that send nothing a key or a macro can use (Sys Req, F13, the pan,
// double-click and office functions, the second Right Shift row) have no
// identifier, so they can never be chosen.
const std::vector<KeyIdentifier> kIdentifiers = {
    {0x01E, "A", nullptr, K::kKey},
    {0x030, "B", nullptr, K::kKey},
    {0x02E, "C", nullptr, K::kKey},
    {0x020, "D", nullptr, K::kKey},
    {0x012, "E", nullptr, K::kKey},
    {0x021, "F", nullptr, K::kKey},
    {0x022, "G", nullptr, K::kKey},
    {0x023, "H", nullptr, K::kKey},
    {0x017, "I", nullptr, K::kKey},
    {0x024, "J", nullptr, K::kKey},
    {0x025, "K", nullptr, K::kKey},
    {0x026, "L", nullptr, K::kKey},
    {0x032, "M", nullptr, K::kKey},
    {0x031, "N", nullptr, K::kKey},
    {0x018, "O", nullptr, K::kKey},
    {0x019, "P", nullptr, K::kKey},
    {0x010, "Q", nullptr, K::kKey},
    {0x013, "R", nullptr, K::kKey},
    {0x01F, "S", nullptr, K::kKey},
    {0x014, "T", nullptr, K::kKey},
    {0x016, "U", nullptr, K::kKey},
    {0x02F, "V", nullptr, K::kKey},
    {0x011, "W", nullptr, K::kKey},
    {0x02D, "X", nullptr, K::kKey},
    {0x015, "Y", nullptr, K::kKey},
    {0x02C, "Z", nullptr, K::kKey},
    {0x002, "1", nullptr, K::kKey},
    {0x003, "2", nullptr, K::kKey},
    {0x004, "3", nullptr, K::kKey},
    {0x005, "4", nullptr, K::kKey},
    {0x006, "5", nullptr, K::kKey},
    {0x007, "6", nullptr, K::kKey},
    {0x008, "7", nullptr, K::kKey},
    {0x009, "8", nullptr, K::kKey},
    {0x00A, "9", nullptr, K::kKey},
    {0x00B, "0", nullptr, K::kKey},
    {0x01C, "Enter", "Return", K::kKey},
    {0x001, "Esc", "Escape", K::kKey},
    {0x00E, "Backspace", nullptr, K::kKey},
    {0x00F, "Tab", nullptr, K::kKey},
    {0x039, "Space", nullptr, K::kKey},
    {0x00C, "Minus", nullptr, K::kKey},
    {0x00D, "Equal", nullptr, K::kKey},
    {0x01A, "LeftBracket", nullptr, K::kKey},
    {0x01B, "RightBracket", nullptr, K::kKey},
    {0x02B, "Backslash", nullptr, K::kKey},
    {0x027, "Semicolon", nullptr, K::kKey},
    {0x028, "Quote", "Apostrophe", K::kKey},
    {0x029, "Grave", "Backquote", K::kKey},
    {0x033, "Comma", nullptr, K::kKey},
    {0x034, "Period", "Dot", K::kKey},
    {0x035, "Slash", nullptr, K::kKey},
    {0x03B, "F1", nullptr, K::kKey},
    {0x03C, "F2", nullptr, K::kKey},
    {0x03D, "F3", nullptr, K::kKey},
    {0x03E, "F4", nullptr, K::kKey},
    {0x03F, "F5", nullptr, K::kKey},
    {0x040, "F6", nullptr, K::kKey},
    {0x041, "F7", nullptr, K::kKey},
    {0x042, "F8", nullptr, K::kKey},
    {0x043, "F9", nullptr, K::kKey},
    {0x044, "F10", nullptr, K::kKey},
    {0x057, "F11", nullptr, K::kKey},
    {0x058, "F12", nullptr, K::kKey},
    {0x137, "PrintScreen", "PrtSc", K::kKey},
    {0x045, "Pause", nullptr, K::kKey},
    {0x146, "Break", nullptr, K::kKey},
    {0x152, "Insert", "Ins", K::kKey},
    {0x153, "Delete", "Del", K::kKey},
    {0x147, "Home", nullptr, K::kKey},
    {0x14F, "End", nullptr, K::kKey},
    {0x149, "PageUp", "PgUp", K::kKey},
    {0x151, "PageDown", "PgDn", K::kKey},
    {0x148, "Up", nullptr, K::kKey},
    {0x150, "Down", nullptr, K::kKey},
    {0x14B, "Left", nullptr, K::kKey},
    {0x14D, "Right", nullptr, K::kKey},
    {0x046, "ScrollLock", nullptr, K::kKey},
    {0x03A, "CapsLock", nullptr, K::kKey},
    {0x145, "NumLock", nullptr, K::kKey},
    {0x135, "NumSlash", "NumDivide", K::kKey},
    {0x037, "NumStar", "NumMultiply", K::kKey},
    {0x04A, "NumMinus", nullptr, K::kKey},
    {0x04E, "NumPlus", nullptr, K::kKey},
    {0x11C, "NumEnter", nullptr, K::kKey},
    {0x04F, "Num1", nullptr, K::kKey},
    {0x050, "Num2", nullptr, K::kKey},
    {0x051, "Num3", nullptr, K::kKey},
    {0x04B, "Num4", nullptr, K::kKey},
    {0x04C, "Num5", nullptr, K::kKey},
    {0x04D, "Num6", nullptr, K::kKey},
    {0x047, "Num7", nullptr, K::kKey},
    {0x048, "Num8", nullptr, K::kKey},
    {0x049, "Num9", nullptr, K::kKey},
    {0x052, "Num0", nullptr, K::kKey},
    {0x053, "NumPeriod", "NumDot", K::kKey},
    {0x056, "IntlBackslash", nullptr, K::kKey},
    {0x15D, "Menu", "App", K::kKey},
    {0x01D, "LeftCtrl", "Ctrl", K::kKey},
    {0x02A, "LeftShift", "Shift", K::kKey},
    {0x038, "LeftAlt", "Alt", K::kKey},
    {0x15B, "LeftWin", "Win", K::kKey},
    {0x11D, "RightCtrl", nullptr, K::kKey},
    {0x036, "RightShift", nullptr, K::kKey},
    {0x138, "RightAlt", "AltGr", K::kKey},
    {0x15C, "RightWin", nullptr, K::kKey},
    {0x073, "IntlRo", nullptr, K::kKey},
    {0x07D, "IntlYen", nullptr, K::kKey},
    {0x07E, "NumComma", nullptr, K::kKey},
    {0x070, "Kana", nullptr, K::kKey},
    {0x079, "Henkan", nullptr, K::kKey},
    {0x07B, "Muhenkan", nullptr, K::kKey},
    {0x072, "Hangul", nullptr, K::kKey},
    {0x071, "Hanja", nullptr, K::kKey},
    {0x171, "MouseLeft", nullptr, K::kMouse},
    {0x172, "MouseRight", nullptr, K::kMouse},
    {0x173, "MouseMiddle", nullptr, K::kMouse},
    {0x161, "WheelUp", nullptr, K::kMouse},
    {0x162, "WheelDown", nullptr, K::kMouse},
    // The multimedia functions in MediaIndex order.
    {0x16D, "MediaPlayer", nullptr, K::kMedia},
    {0x122, "PlayPause", nullptr, K::kMedia},
    {0x124, "Stop", nullptr, K::kMedia},
    {0x110, "PreviousTrack", "PrevTrack", K::kMedia},
    {0x119, "NextTrack", nullptr, K::kMedia},
    {0x12E, "VolumeDown", nullptr, K::kMedia},
    {0x130, "VolumeUp", nullptr, K::kMedia},
    {0x120, "Mute", nullptr, K::kMedia},
    {0x132, "WebHome", nullptr, K::kMedia},
    {0x167, "WebRefresh", nullptr, K::kMedia},
    {0x168, "WebStop", nullptr, K::kMedia},
    {0x16A, "WebBack", nullptr, K::kMedia},
    {0x169, "WebForward", nullptr, K::kMedia},
    {0x166, "WebFavorites", "Favorites", K::kMedia},
    {0x165, "WebSearch", nullptr, K::kMedia},
    {0x16B, "MyComputer", nullptr, K::kMedia},
    {0x121, "Calculator", nullptr, K::kMedia},
    {0x16C, "Mail", nullptr, K::kMedia},
    {0x15E, "Power", nullptr, K::kSystem},
    {0x15F, "Sleep", nullptr, K::kSystem},
    {0x163, "Wake", nullptr, K::kSystem},
};

struct Candidate {
  std::string name;
  model::KeyCode code;
};

bool SameName(std::string_view a, std::string_view b) {
  return FoldCase(a) == FoldCase(b);
}

std::size_t Distance(const std::string& a, const std::string& b) {
  std::vector<std::size_t> row(b.size() + 1);
  for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    std::size_t diagonal = row[0];
    row[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t above = row[j];
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
      diagonal = above;
    }
  }
  return row[b.size()];
}

// Identifiers before aliases before language names: a language name never
// hides an identifier that means another key.
KeyLookup Find(std::string_view name, const std::vector<Candidate>& candidates) {
  KeyLookup lookup;
  for (const Candidate& candidate : candidates) {
    if (SameName(candidate.name, name)) {
      lookup.code = candidate.code;
      return lookup;
    }
  }
  const std::string typed = FoldCase(name);
  const std::size_t allowed = typed.size() <= 3 ? 1 : 2;
  for (const Candidate& candidate : candidates) {
    const std::string folded = FoldCase(candidate.name);
    const bool close =
        Distance(typed, folded) <= allowed || (typed.size() >= 2 && folded.rfind(typed, 0) == 0);
    if (close && std::find(lookup.closeMatches.begin(), lookup.closeMatches.end(),
                           candidate.name) == lookup.closeMatches.end())
      lookup.closeMatches.push_back(candidate.name);
    if (lookup.closeMatches.size() == 6) break;
  }
  return lookup;
}

template <typename Accept>
std::vector<Candidate> CandidatesOf(Accept accept) {
  std::vector<Candidate> candidates;
  for (const KeyIdentifier& key : kIdentifiers)
    if (accept(key)) candidates.push_back({key.id, key.code});
  for (const KeyIdentifier& key : kIdentifiers)
    if (accept(key) && key.alias != nullptr) candidates.push_back({key.alias, key.code});
  for (const KeyIdentifier& key : kIdentifiers)
    if (accept(key)) candidates.push_back({model::KeyName(key.code), key.code});
  return candidates;
}

bool IsKeyButton(model::KeyCode code) {
  for (const model::KeyButton& button : model::KeyButtons())
    if (button.code == code) return true;
  return false;
}

}  // namespace

const std::vector<KeyIdentifier>& KeyIdentifiers() {
  return kIdentifiers;
}

std::string FoldCase(std::string_view text) {
  std::string folded(text);
  for (char& c : folded)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return folded;
}

std::string IdentifierOf(model::KeyCode code) {
  for (const KeyIdentifier& key : kIdentifiers)
    if (key.code == code) return key.id;
  char text[16];
  std::snprintf(text, sizeof text, "0x%03X", code);
  return text;
}

KeyLookup FindKeyToAssign(std::string_view name) {
  std::vector<Candidate> candidates = CandidatesOf(
      [](const KeyIdentifier& key) { return key.kind == K::kKey && IsKeyButton(key.code); });
  for (int g = 0; g < model::kGKeyCount; ++g)
    candidates.push_back(
        {"G" + std::to_string(g + 1), static_cast<model::KeyCode>(model::kFirstGKey + g)});
  return Find(name, candidates);
}

KeyLookup FindTargetKey(std::string_view name) {
  return Find(name, CandidatesOf([](const KeyIdentifier& key) {
                return key.kind == K::kKey || key.kind == K::kMouse;
              }));
}

KeyLookup FindMedia(std::string_view name) {
  KeyLookup lookup =
      Find(name, CandidatesOf([](const KeyIdentifier& key) { return key.kind == K::kMedia; }));
  if (lookup.code) lookup.code = static_cast<model::KeyCode>(model::MediaIndexOfCode(*lookup.code));
  return lookup;
}

KeyLookup FindMacroKey(std::string_view name) {
  if (name.size() > 2 && name[0] == '0' && (name[1] == 'x' || name[1] == 'X')) {
    const std::string digits(name.substr(2));
    char* end = nullptr;
    const unsigned long code = std::strtoul(digits.c_str(), &end, 16);
    if (*end == '\0' && digits.find_first_of("+- ") == std::string::npos && code < 0x200)
      return {static_cast<model::KeyCode>(code), {}};
    return {};
  }
  return Find(name, CandidatesOf([](const KeyIdentifier&) { return true; }));
}

std::string UnknownNameMessage(std::string_view what, std::string_view name,
                               const KeyLookup& lookup, std::string_view listHint) {
  std::string message =
      std::string("unknown ") + std::string(what) + " '" + std::string(name) + "'";
  if (lookup.closeMatches.empty()) return message + "; " + std::string(listHint);
  message += "; did you mean ";
  for (std::size_t i = 0; i < lookup.closeMatches.size(); ++i)
    message += (i == 0 ? "" : ", ") + lookup.closeMatches[i];
  return message + "?";
}

}  // namespace cli
