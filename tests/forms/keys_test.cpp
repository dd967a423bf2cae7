// The game window's keys: each reaches the rules as its virtual-key code, on every keyboard
// layout by the key's place, and a held key lets go only when it is really released.

#include <QKeyEvent>
#include <QtTest>

#include "forms/frm_zarb.h"
#include "tests/forms/desktop.h"

using zarb::ZarbWindow;

namespace {

void sendKey(QWidget& window, QEvent::Type type, int key, bool autoRepeat = false) {
    QKeyEvent event(type, key, Qt::NoModifier, QString(), autoRepeat);
    QApplication::sendEvent(&window, &event);
}

// A key as a layout types it: the X key code of its place, the keysym it types alone and the
// one it types with the modifier held, and the held-key flag it must set (none: it sets none).
struct LayoutKey {
    const char* name;
    quint32 place;
    quint32 keysym;
    quint32 modifiedKeysym;
    Qt::KeyboardModifier modifier;
    int ZarbWindow::*flag;
};

constexpr quint32 kShiftPlace = 50;
constexpr quint32 kCtrlPlace = 37;

const LayoutKey kLayoutKeys[] = {
    {"us A, Shift", 38, 'a', 'A', Qt::ShiftModifier, &ZarbWindow::keyLeftUp},
    {"us apostrophe, Shift", 48, '\'', '"', Qt::ShiftModifier, &ZarbWindow::keyRightUp},
    {"us slash, Ctrl", 61, '/', '/', Qt::ControlModifier, &ZarbWindow::keyRightDown},
    {"de a, Ctrl", 38, 'a', 'a', Qt::ControlModifier, &ZarbWindow::keyLeftUp},
    {"de z at the y place, Shift", 29, 'z', 'Z', Qt::ShiftModifier, &ZarbWindow::keyLeftDown},
    {"de y at the z place", 52, 'y', 'Y', Qt::ShiftModifier, nullptr},
    {"de a-umlaut, Shift", 48, 0xe4, 0xc4, Qt::ShiftModifier, &ZarbWindow::keyRightUp},
    {"de minus, Shift", 61, '-', '_', Qt::ShiftModifier, &ZarbWindow::keyRightDown},
    {"de hash, Shift", 51, '#', '\'', Qt::ShiftModifier, nullptr},
    {"fr a at the q place, Shift", 24, 'a', 'A', Qt::ShiftModifier, &ZarbWindow::keyLeftUp},
    {"fr q at the a place", 38, 'q', 'Q', Qt::ShiftModifier, nullptr},
    {"fr u-grave, Shift", 48, 0xf9, '%', Qt::ShiftModifier, &ZarbWindow::keyRightUp},
    {"fr exclamation mark, Shift", 61, '!', 0xa7, Qt::ShiftModifier, &ZarbWindow::keyRightDown},
    {"fr colon, Shift", 60, ':', '/', Qt::ShiftModifier, nullptr},
    {"ru ef, Shift", 38, 0x6c6, 0x6e6, Qt::ShiftModifier, &ZarbWindow::keyLeftUp},
    {"ru ya, Ctrl", 52, 0x6d1, 0x6d1, Qt::ControlModifier, &ZarbWindow::keyLeftDown},
    {"ru e, Shift", 48, 0x6dc, 0x6fc, Qt::ShiftModifier, &ZarbWindow::keyRightUp},
    {"ru period, Shift", 61, '.', ',', Qt::ShiftModifier, &ZarbWindow::keyRightDown},
    // The layout switched to Russian while the key was down: it types a Cyrillic letter now.
    {"fr a, released on ru", 24, 0x6ca, 'a', Qt::ShiftModifier, &ZarbWindow::keyLeftUp},
    {"keypad slash", 106, 0xffaf, 0xffaf, Qt::ShiftModifier, nullptr},
};

// A key event as X11 delivers it, with Qt's own name for the character typed.
void sendNativeKey(QWidget& window, QEvent::Type type, quint32 place, quint32 keysym,
                   Qt::KeyboardModifiers modifiers) {
    int key = keysym < 0x80 ? QChar::toUpper(char32_t(keysym)) : int(keysym);
    if (keysym == 0xffaf) {
        key = Qt::Key_Slash;
        modifiers |= Qt::KeypadModifier;
    } else if (place == kShiftPlace || place == kCtrlPlace) {
        key = place == kShiftPlace ? Qt::Key_Shift : Qt::Key_Control;
    }
    QKeyEvent event(type, key, modifiers, place, keysym, 0);
    QApplication::sendEvent(&window, &event);
}

}  // namespace

class KeysTest : public QObject {
    Q_OBJECT

  private slots:
    void keysReachTheRulesAsTheirVirtualKeyCodes() {
        Desktop desktop(true);
        ZarbWindow& zarb = desktop.zarb();
        sendKey(desktop.window(), QEvent::KeyPress, Qt::Key_QuoteDbl);
        QCOMPARE(zarb.keyRightUp, 1);
        sendKey(desktop.window(), QEvent::KeyPress, Qt::Key_Slash);
        QCOMPARE(zarb.keyRightDown, 1);
        QCOMPARE(zarb.keyRightUp, 0);
        sendKey(desktop.window(), QEvent::KeyPress, Qt::Key_F1);
        QVERIFY(zarb.tmrStart.Enabled());
        sendKey(desktop.window(), QEvent::KeyPress, Qt::Key_Escape);
        QVERIFY(zarb.mnuPause.Checked);
    }

    void everyLayoutPlaysWithTheKeysInTheirPlaces_data() {
        QTest::addColumn<int>("row");
        for (int row = 0; row < int(std::size(kLayoutKeys)); ++row) {
            QTest::addRow("%s", kLayoutKeys[row].name) << row;
        }
    }

    // The modifier goes down first and comes up before the key: the key-up must still stop
    // the paddle, though the key then types another character.
    void everyLayoutPlaysWithTheKeysInTheirPlaces() {
        QFETCH(int, row);
        const LayoutKey& key = kLayoutKeys[row];
        Desktop desktop(true);
        ZarbWindow& zarb = desktop.zarb();
        QWidget& window = desktop.window();
        const quint32 modifierPlace = key.modifier == Qt::ShiftModifier ? kShiftPlace : kCtrlPlace;
        const auto flags = [&zarb] {
            return QList<int>{zarb.keyLeftUp, zarb.keyLeftDown, zarb.keyRightUp, zarb.keyRightDown};
        };

        sendNativeKey(window, QEvent::KeyPress, modifierPlace, 0, key.modifier);
        sendNativeKey(window, QEvent::KeyPress, key.place, key.modifiedKeysym, key.modifier);
        if (key.flag == nullptr) {
            QCOMPARE(flags(), QList<int>({0, 0, 0, 0}));
            return;
        }
        QCOMPARE(zarb.*key.flag, 1);
        sendNativeKey(window, QEvent::KeyRelease, modifierPlace, 0, key.modifier);
        sendNativeKey(window, QEvent::KeyRelease, key.place, key.keysym, Qt::NoModifier);
        QCOMPARE(flags(), QList<int>({0, 0, 0, 0}));
    }

    void aHeldKeyRepeatsKeyDownsButOnlyItsRealReleaseLetsGo() {
        Desktop desktop(true);
        sendKey(desktop.window(), QEvent::KeyPress, Qt::Key_A);
        sendKey(desktop.window(), QEvent::KeyRelease, Qt::Key_A, true);
        sendKey(desktop.window(), QEvent::KeyPress, Qt::Key_A, true);
        QCOMPARE(desktop.zarb().keyLeftUp, 1);
        sendKey(desktop.window(), QEvent::KeyRelease, Qt::Key_A);
        QCOMPARE(desktop.zarb().keyLeftUp, 0);
    }
};

QTEST_MAIN(KeysTest)
#include "keys_test.moc"
