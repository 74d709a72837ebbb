#include "platform/qt/key_map.h"

#include <iterator>

#include "game/key_codes.h"

namespace vexmire {

namespace {

struct KeyCode {
    int qtKey;
    int16_t code;
};

// Keys whose code does not follow from their character.
constexpr KeyCode kNamedKeys[] = {
    {Qt::Key_Backspace, 8},
    {Qt::Key_Tab, 9},
    {Qt::Key_Backtab, 9},
    {Qt::Key_Clear, 12},
    {Qt::Key_Return, 13},
    {Qt::Key_Enter, 13},
    {Qt::Key_Shift, 16},
    {Qt::Key_Control, 17},
    {Qt::Key_Alt, 18},
    {Qt::Key_AltGr, 18},
    {Qt::Key_Pause, 19},
    {Qt::Key_CapsLock, 20},
    {Qt::Key_Escape, 27},
    {Qt::Key_Space, 32},
    {Qt::Key_PageUp, 33},
    {Qt::Key_PageDown, 34},
    {Qt::Key_End, 35},
    {Qt::Key_Home, 36},
    {Qt::Key_Left, 37},
    {Qt::Key_Up, 38},
    {Qt::Key_Right, 39},
    {Qt::Key_Down, 40},
    {Qt::Key_Select, 41},
    {Qt::Key_Printer, 42},
    {Qt::Key_Execute, 43},
    {Qt::Key_Print, 44},
    {Qt::Key_SysReq, 44},
    {Qt::Key_Insert, 45},
    {Qt::Key_Delete, 46},
    {Qt::Key_Help, 47},
    {Qt::Key_Meta, 91},
    {Qt::Key_Super_L, 91},
    {Qt::Key_Super_R, 92},
    {Qt::Key_Menu, 93},
    {Qt::Key_Sleep, 95},
    {Qt::Key_NumLock, 144},
    {Qt::Key_ScrollLock, 145},
    // Punctuation as a US keyboard reports it, shifted or not.
    {Qt::Key_Semicolon, 186},
    {Qt::Key_Colon, 186},
    {Qt::Key_Equal, 187},
    {Qt::Key_Plus, 187},
    {Qt::Key_Comma, 188},
    {Qt::Key_Less, 188},
    {Qt::Key_Minus, 189},
    {Qt::Key_Underscore, 189},
    {Qt::Key_Period, 190},
    {Qt::Key_Greater, 190},
    {Qt::Key_Slash, 191},
    {Qt::Key_Question, 191},
    {Qt::Key_QuoteLeft, 192},
    {Qt::Key_AsciiTilde, 192},
    {Qt::Key_BracketLeft, 219},
    {Qt::Key_BraceLeft, 219},
    {Qt::Key_Backslash, 220},
    {Qt::Key_Bar, 220},
    {Qt::Key_BracketRight, 221},
    {Qt::Key_BraceRight, 221},
    {Qt::Key_Apostrophe, 222},
    {Qt::Key_QuoteDbl, 222},
    // The shifted digits of a US keyboard still name their digit key.
    {Qt::Key_ParenRight, '0'},
    {Qt::Key_Exclam, '1'},
    {Qt::Key_At, '2'},
    {Qt::Key_NumberSign, '3'},
    {Qt::Key_Dollar, '4'},
    {Qt::Key_Percent, '5'},
    {Qt::Key_AsciiCircum, '6'},
    {Qt::Key_Ampersand, '7'},
    {Qt::Key_Asterisk, '8'},
    {Qt::Key_ParenLeft, '9'},
};

// The number pad's own keys, told apart by the keypad modifier.
constexpr KeyCode kKeypadKeys[] = {
    {Qt::Key_Asterisk, 106}, {Qt::Key_Plus, 107},  {Qt::Key_Minus, 109},
    {Qt::Key_Period, 110},   {Qt::Key_Comma, 110}, {Qt::Key_Slash, 111},
};

int16_t Find(const KeyCode* first, const KeyCode* last, int qtKey) {
    for (const KeyCode* entry = first; entry != last; ++entry) {
        if (entry->qtKey == qtKey) return entry->code;
    }
    return kUnmappedKey;
}

}  // namespace

int16_t VirtualKeyCode(int qtKey, Qt::KeyboardModifiers modifiers) {
    if (modifiers & Qt::KeypadModifier) {
        if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) {
            return static_cast<int16_t>(96 + (qtKey - Qt::Key_0));
        }
        const int16_t code = Find(std::begin(kKeypadKeys), std::end(kKeypadKeys), qtKey);
        if (code != kUnmappedKey) return code;
    }
    if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)) {
        return static_cast<int16_t>(qtKey);
    }
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) {
        return static_cast<int16_t>(112 + (qtKey - Qt::Key_F1));
    }
    return Find(std::begin(kNamedKeys), std::end(kNamedKeys), qtKey);
}

// The XKB keycodes of the keys where a US keyboard has W, A, S and D.
constexpr KeyCode kWalkingPlaces[] = {
    {25, key::kUp}, {38, key::kLeft}, {39, key::kDown}, {40, key::kRight}};
constexpr KeyCode kWalkingLetters[] = {{Qt::Key_W, key::kUp},
                                       {Qt::Key_A, key::kLeft},
                                       {Qt::Key_S, key::kDown},
                                       {Qt::Key_D, key::kRight}};

int16_t GameWindowKeyCode(int qtKey, Qt::KeyboardModifiers modifiers, quint32 scanCode) {
    const int16_t walking =
        scanCode != 0
            ? Find(std::begin(kWalkingPlaces), std::end(kWalkingPlaces), static_cast<int>(scanCode))
            : Find(std::begin(kWalkingLetters), std::end(kWalkingLetters), qtKey);
    return walking != kUnmappedKey ? walking : VirtualKeyCode(qtKey, modifiers);
}

int16_t GameWindowKeyCode(const QKeyEvent& event) {
    return GameWindowKeyCode(event.key(), event.modifiers(), event.nativeScanCode());
}

int16_t ShiftState(Qt::KeyboardModifiers modifiers) {
    int16_t shift = 0;
    if (modifiers & Qt::ShiftModifier) shift |= 1;
    if (modifiers & Qt::ControlModifier) shift |= 2;
    if (modifiers & Qt::AltModifier) shift |= 4;
    return shift;
}

}  // namespace vexmire
