#include "toolkit/qt/VirtualKeys.h"

#include <Qt>

namespace quorbel::ui {

namespace {

int KeypadKey(int qtKey) {
  if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return vk::kNumpad0 + (qtKey - Qt::Key_0);
  switch (qtKey) {
    case Qt::Key_Asterisk:
      return vk::kMultiply;
    case Qt::Key_Plus:
      return vk::kAdd;
    case Qt::Key_Minus:
      return vk::kSubtract;
    case Qt::Key_Period:
    case Qt::Key_Comma:
      return vk::kDecimal;
    case Qt::Key_Slash:
      return vk::kDivide;
    default:
      return 0;
  }
}

// Symbols typed with Shift, reported as the key that carries them.
int ShiftedSymbolKey(int qtKey) {
  switch (qtKey) {
    case Qt::Key_Exclam:
      return '1';
    case Qt::Key_At:
      return '2';
    case Qt::Key_NumberSign:
      return '3';
    case Qt::Key_Dollar:
      return '4';
    case Qt::Key_Percent:
      return '5';
    case Qt::Key_AsciiCircum:
      return '6';
    case Qt::Key_Ampersand:
      return '7';
    case Qt::Key_Asterisk:
      return '8';
    case Qt::Key_ParenLeft:
      return '9';
    case Qt::Key_ParenRight:
      return '0';
    case Qt::Key_Colon:
      return 186;
    case Qt::Key_Plus:
      return 187;
    case Qt::Key_Less:
      return 188;
    case Qt::Key_Underscore:
      return 189;
    case Qt::Key_Greater:
      return vk::kPeriod;
    case Qt::Key_Question:
      return 191;
    case Qt::Key_AsciiTilde:
      return 192;
    case Qt::Key_BraceLeft:
      return 219;
    case Qt::Key_Bar:
      return 220;
    case Qt::Key_BraceRight:
      return 221;
    case Qt::Key_QuoteDbl:
      return 222;
    default:
      return 0;
  }
}

int PunctuationKey(int qtKey) {
  switch (qtKey) {
    case Qt::Key_Semicolon:
      return 186;
    case Qt::Key_Equal:
      return 187;
    case Qt::Key_Comma:
      return 188;
    case Qt::Key_Minus:
      return 189;
    case Qt::Key_Period:
      return vk::kPeriod;
    case Qt::Key_Slash:
      return 191;
    case Qt::Key_QuoteLeft:
      return 192;
    case Qt::Key_BracketLeft:
      return 219;
    case Qt::Key_Backslash:
      return 220;
    case Qt::Key_BracketRight:
      return 221;
    case Qt::Key_Apostrophe:
      return 222;
    default:
      return ShiftedSymbolKey(qtKey);
  }
}

int EditingKey(int qtKey) {
  switch (qtKey) {
    case Qt::Key_Backspace:
      return vk::kBack;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
      return vk::kTab;
    case Qt::Key_Clear:
      return vk::kClear;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return vk::kReturn;
    case Qt::Key_Pause:
      return vk::kPause;
    case Qt::Key_CapsLock:
      return vk::kCapital;
    case Qt::Key_Escape:
      return vk::kEscape;
    case Qt::Key_Space:
      return vk::kSpace;
    case Qt::Key_PageUp:
      return vk::kPrior;
    case Qt::Key_PageDown:
      return vk::kNext;
    case Qt::Key_End:
      return vk::kEnd;
    case Qt::Key_Home:
      return vk::kHome;
    case Qt::Key_Left:
      return vk::kLeft;
    case Qt::Key_Up:
      return vk::kUp;
    case Qt::Key_Right:
      return vk::kRight;
    case Qt::Key_Down:
      return vk::kDown;
    case Qt::Key_Select:
      return 41;
    case Qt::Key_Printer:
      return 42;
    case Qt::Key_Execute:
      return 43;
    case Qt::Key_Print:
    case Qt::Key_SysReq:
      return 44;
    case Qt::Key_Insert:
      return vk::kInsert;
    case Qt::Key_Delete:
      return vk::kDelete;
    case Qt::Key_Help:
      return 47;
    case Qt::Key_NumLock:
      return vk::kNumLock;
    case Qt::Key_ScrollLock:
      return vk::kScroll;
    default:
      return 0;
  }
}

int ModifierKey(int qtKey) {
  switch (qtKey) {
    case Qt::Key_Shift:
      return vk::kShift;
    case Qt::Key_Control:
      return vk::kControl;
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
      return vk::kAlt;
    case Qt::Key_Meta:
    case Qt::Key_Super_L:
      return vk::kLeftWindows;
    case Qt::Key_Super_R:
      return 92;
    case Qt::Key_Menu:
      return vk::kApplications;
    case Qt::Key_Sleep:
      return 95;
    default:
      return 0;
  }
}

int MediaKey(int qtKey) {
  switch (qtKey) {
    case Qt::Key_Back:
      return 166;
    case Qt::Key_Forward:
      return 167;
    case Qt::Key_Refresh:
      return 168;
    case Qt::Key_Stop:
      return 169;
    case Qt::Key_Search:
      return 170;
    case Qt::Key_Favorites:
      return 171;
    case Qt::Key_HomePage:
      return 172;
    case Qt::Key_VolumeMute:
      return 173;
    case Qt::Key_VolumeDown:
      return 174;
    case Qt::Key_VolumeUp:
      return 175;
    case Qt::Key_MediaNext:
      return 176;
    case Qt::Key_MediaPrevious:
      return 177;
    case Qt::Key_MediaStop:
      return 178;
    case Qt::Key_MediaPlay:
    case Qt::Key_MediaTogglePlayPause:
      return 179;
    case Qt::Key_LaunchMail:
      return 180;
    case Qt::Key_LaunchMedia:
      return 181;
    case Qt::Key_Launch0:
      return 182;
    case Qt::Key_Launch1:
      return 183;
    default:
      return 0;
  }
}

}  // namespace

int VirtualKeyFor(int qtKey, bool keypad) {
  if (keypad) {
    if (const int code = KeypadKey(qtKey)) return code;
  }
  if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) return 'A' + (qtKey - Qt::Key_A);
  if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return '0' + (qtKey - Qt::Key_0);
  if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) return vk::kF1 + (qtKey - Qt::Key_F1);
  if (const int code = EditingKey(qtKey)) return code;
  if (const int code = ModifierKey(qtKey)) return code;
  if (const int code = PunctuationKey(qtKey)) return code;
  return MediaKey(qtKey);
}

}  // namespace quorbel::ui
