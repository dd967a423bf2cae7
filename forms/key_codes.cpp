#include "forms/key_codes.h"

#include <QKeyEvent>
#include <array>
#include <cstdint>

namespace zarb::forms {

namespace {

constexpr int kApostropheKey = 222;
constexpr int kSlashKey = 191;

}  // namespace

#if defined(Q_OS_WIN)

int virtualKeyCode(const QKeyEvent& event) {
    // Windows' own virtual keys already name the key, not the character; only the apostrophe
    // and slash places are taken by their scan codes, whatever the layout calls them. The
    // keypad's slash carries the extended bit, so it is not the slash key.
    switch (event.nativeScanCode()) {
        case 0x28:
            return kApostropheKey;
        case 0x35:
            return kSlashKey;
        default:
            return static_cast<int>(event.nativeVirtualKey());
    }
}

#else

namespace {

// The keypad's keys, which the platform the game was designed for tells apart from the keys of
// the same characters in the typing block.
int keypadCode(int qtKey) {
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) {
        return 96 + (qtKey - Qt::Key_0);
    }
    switch (qtKey) {
        case Qt::Key_Asterisk:
            return 106;
        case Qt::Key_Plus:
            return 107;
        case Qt::Key_Minus:
            return 109;
        case Qt::Key_Period:
        case Qt::Key_Comma:
            return 110;
        case Qt::Key_Slash:
            return 111;
        default:
            return 0;
    }
}

// Esc, the function keys and the other keys outside the typing block are the same keys on every
// layout, so Qt's name for them will do. A key event without the platform's own key information
// (one that a program made) is known only by its character: the key of a United States layout
// that types it.
int codeOfCharacter(int qtKey) {
    // Letters and digits share their codes with the platform the game was designed for.
    if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)) {
        return qtKey;
    }
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) {
        return 112 + (qtKey - Qt::Key_F1);
    }
    switch (qtKey) {
        case Qt::Key_Escape:
            return 27;
        // The apostrophe and slash keys of a United States layout, shifted or not: keys are
        // recognised by the key, not by the character they type.
        case Qt::Key_Apostrophe:
        case Qt::Key_QuoteDbl:
            return 222;
        case Qt::Key_Slash:
        case Qt::Key_Question:
            return 191;
        case Qt::Key_Backspace:
            return 8;
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            return 9;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return 13;
        case Qt::Key_Shift:
            return 16;
        case Qt::Key_Control:
            return 17;
        case Qt::Key_Alt:
            return 18;
        case Qt::Key_Pause:
            return 19;
        case Qt::Key_CapsLock:
            return 20;
        case Qt::Key_Space:
            return 32;
        case Qt::Key_PageUp:
            return 33;
        case Qt::Key_PageDown:
            return 34;
        case Qt::Key_End:
            return 35;
        case Qt::Key_Home:
            return 36;
        case Qt::Key_Left:
            return 37;
        case Qt::Key_Up:
            return 38;
        case Qt::Key_Right:
            return 39;
        case Qt::Key_Down:
            return 40;
        case Qt::Key_Insert:
            return 45;
        case Qt::Key_Delete:
            return 46;
        case Qt::Key_Semicolon:
        case Qt::Key_Colon:
            return 186;
        case Qt::Key_Equal:
        case Qt::Key_Plus:
            return 187;
        case Qt::Key_Comma:
        case Qt::Key_Less:
            return 188;
        case Qt::Key_Minus:
        case Qt::Key_Underscore:
            return 189;
        case Qt::Key_Period:
        case Qt::Key_Greater:
            return 190;
        case Qt::Key_QuoteLeft:
        case Qt::Key_AsciiTilde:
            return 192;
        case Qt::Key_BracketLeft:
        case Qt::Key_BraceLeft:
            return 219;
        case Qt::Key_Backslash:
        case Qt::Key_Bar:
            return 220;
        case Qt::Key_BracketRight:
        case Qt::Key_BraceRight:
            return 221;
        default:
            return 0;
    }
}

#if defined(Q_OS_MACOS)

// macOS key codes name places on the keyboard.
int usPlace(const QKeyEvent& event) {
    switch (event.nativeVirtualKey()) {
        case 0x00:
            return 'A';
        case 0x06:
            return 'Z';
        case 0x27:
            return kApostropheKey;
        case 0x2c:
            return kSlashKey;
        default:
            return 0;
    }
}

int latinLetter(const QKeyEvent& event) {
    const bool keypad = event.modifiers().testFlag(Qt::KeypadModifier);
    return !keypad && event.key() >= Qt::Key_A && event.key() <= Qt::Key_Z ? event.key() : 0;
}

#else

// X11 and Wayland key codes (the Linux input code + 8) from 10, the 1 key, to 61, the slash
// key: the code each place of the typing block has on a United States layout.
constexpr int kFirstPlace = 10;
constexpr std::array<std::uint8_t, 52> kUsPlaces = {
    49, 50, 51, 52, 53, 54, 55, 56,  57,  48,  189, 187, 8,  9,  // 1 to 0, minus, equals, back, tab
    81, 87, 69, 82, 84, 89, 85, 73,  79,  80,  219, 221, 13, 17,   // Q to P, brackets, Enter, Ctrl
    65, 83, 68, 70, 71, 72, 74, 75,  76,  186, 222, 192, 16, 220,  // A to L, ; ' ` Shift backslash
    90, 88, 67, 86, 66, 78, 77, 188, 190, 191,                     // Z to M, comma, period, slash
};

int usPlace(const QKeyEvent& event) {
    const auto place = static_cast<std::size_t>(event.nativeScanCode()) - kFirstPlace;
    return place < kUsPlaces.size() ? kUsPlaces[place] : 0;
}

// The keysym: a Latin letter whichever case Shift or Caps Lock gives it.
int latinLetter(const QKeyEvent& event) {
    const quint32 keysym = event.nativeVirtualKey();
    if (keysym >= 'a' && keysym <= 'z') {
        return static_cast<int>(keysym - 'a' + 'A');
    }
    return keysym >= 'A' && keysym <= 'Z' ? static_cast<int>(keysym) : 0;
}

#endif

}  // namespace

int virtualKeyCode(const QKeyEvent& event) {
    const int place = usPlace(event);
    if (place == kApostropheKey || place == kSlashKey) {
        return place;
    }
    if (const int letter = latinLetter(event); letter != 0) {
        return letter;
    }
    // A letter place that types no Latin letter (a Cyrillic layout, say) keeps its United
    // States letter; digits and punctuation keep their places too.
    if (place != 0) {
        return place;
    }
    if (event.modifiers().testFlag(Qt::KeypadModifier)) {
        return keypadCode(event.key());
    }
    return codeOfCharacter(event.key());
}

#endif

int shiftMask(Qt::KeyboardModifiers modifiers) {
    return (modifiers.testFlag(Qt::ShiftModifier) ? 1 : 0) |
           (modifiers.testFlag(Qt::ControlModifier) ? 2 : 0) |
           (modifiers.testFlag(Qt::AltModifier) ? 4 : 0);
}

}  // namespace zarb::forms
