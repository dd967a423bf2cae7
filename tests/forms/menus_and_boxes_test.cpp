// The game window after its menus and boxes have been used every way a person can: Esc still
// pauses and resumes once no menu is open, and the pointer stays hidden over the field while a
// box is in front of it.

#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>
#include <QWindow>
#include <QtTest>
#include <functional>

#include "forms/message_box.h"
#include "tests/forms/desktop.h"

using zarb::forms::MessageBox;

namespace {

// Qt's offscreen platform makes every window it shows the active one, a menu's too, and leaves
// none active when it goes; on a desktop the game window keeps the keyboard while its menus open
// and close, and gets it back when a box closes.
void activateGame(Desktop& desktop) {
    if (QApplication::activePopupWidget() == nullptr &&
        QApplication::activeModalWidget() == nullptr && !desktop.window().isActiveWindow()) {
        desktop.window().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&desktop.window()));
    }
}

// A key as the platform delivers it: to the window that has the keyboard, through Qt's
// shortcuts, to the focused widget or the open menu.
void press(Desktop& desktop, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    activateGame(desktop);
    QTest::keyClick(desktop.window().windowHandle(), key, modifiers);
}

void clickHeading(Desktop& desktop, const char* heading) {
    activateGame(desktop);
    QMenuBar* bar = desktop.window().menuBar();
    QTest::mouseClick(bar, Qt::LeftButton, {},
                      bar->actionGeometry(desktop.action(heading)).center());
}

// Runs `open`, which must open a box; hands the box to `look` as soon as it is up and presses
// its OK. False when no box opened.
bool throughBox(
    const std::function<void()>& open,
    const std::function<void(MessageBox&)>& look = [](MessageBox&) {}) {
    bool opened = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&opened, &look] {
        if (auto* box = dynamic_cast<MessageBox*>(QApplication::activeModalWidget())) {
            opened = true;
            look(*box);
            box->findChild<QPushButton*>()->click();
        }
    });
    poll.start(10);
    open();
    return opened;
}

struct MenuUse {
    const char* name;
    void (*use)(Desktop&);
};

const MenuUse kMenuUses[] = {
    {"a menu opened with the pointer and closed with Esc",
     [](Desktop& desktop) {
         clickHeading(desktop, "mnuFile");
         press(desktop, Qt::Key_Escape);  // closes the menu; its heading stays lit
         press(desktop, Qt::Key_Escape);  // puts the heading out
     }},
    {"a Help box opened by its shortcut while a heading is lit",
     [](Desktop& desktop) {
         clickHeading(desktop, "mnuHelp");
         press(desktop, Qt::Key_Escape);
         QVERIFY(throughBox([&desktop] { press(desktop, Qt::Key_R, Qt::ControlModifier); }));
     }},
    {"the three Help boxes chosen with the arrow keys",
     [](Desktop& desktop) {
         for (int downs : {1, 2, 3}) {
             clickHeading(desktop, "mnuHelp");
             for (int down = 0; down < downs; ++down) {
                 press(desktop, Qt::Key_Down);
             }
             QVERIFY(throughBox([&desktop] { press(desktop, Qt::Key_Return); }));
         }
     }},
    {"the Edit submenus walked with the arrow keys and closed with Esc",
     [](Desktop& desktop) {
         clickHeading(desktop, "mnuEdit");
         for (int submenu = 0; submenu < 3; ++submenu) {
             press(desktop, Qt::Key_Right);
             press(desktop, Qt::Key_Down);
             press(desktop, Qt::Key_Escape);
             press(desktop, Qt::Key_Down);
         }
         press(desktop, Qt::Key_Escape);
         press(desktop, Qt::Key_Escape);
     }},
    {"the Edit menu opened during a rally",
     [](Desktop& desktop) {
         desktop.zarb().mnuNew_Click();
         desktop.program.timers().run(1100);
         clickHeading(desktop, "mnuEdit");
         press(desktop, Qt::Key_Down);
         press(desktop, Qt::Key_Escape);
         press(desktop, Qt::Key_Escape);
     }},
};

// The pointer the platform shows at `place` over the game window: that of the innermost of its
// native windows there.
QCursor pointerAt(QWidget& window, QPoint place) {
    QWindow* native = window.windowHandle();
    for (bool deeper = true; deeper;) {
        deeper = false;
        for (QWindow* child : native->findChildren<QWindow*>(Qt::FindDirectChildrenOnly)) {
            if (child->isVisible() && child->geometry().contains(native->mapFromGlobal(place))) {
                native = child;
                deeper = true;
                break;
            }
        }
    }
    return native->cursor();
}

bool invisible(const QCursor& pointer) {
    const QImage picture = pointer.pixmap().toImage();
    if (pointer.shape() != Qt::BitmapCursor || picture.isNull()) {
        return false;
    }
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            if (qAlpha(picture.pixel(x, y)) != 0) {
                return false;
            }
        }
    }
    return true;
}

}  // namespace

class MenusAndBoxesTest : public QObject {
    Q_OBJECT

  private slots:
    void escPausesAndResumesOnceNoMenuIsOpen_data() {
        QTest::addColumn<int>("use");
        for (int use = 0; use < int(std::size(kMenuUses)); ++use) {
            QTest::addRow("%s", kMenuUses[use].name) << use;
        }
    }

    void escPausesAndResumesOnceNoMenuIsOpen() {
        QFETCH(int, use);
        Desktop desktop(true);
        desktop.window().show();
        QVERIFY(QTest::qWaitForWindowActive(&desktop.window()));
        kMenuUses[use].use(desktop);
        QCOMPARE(QApplication::activePopupWidget(), nullptr);
        QCOMPARE(QApplication::activeModalWidget(), nullptr);

        const bool paused = desktop.zarb().mnuPause.Checked;
        press(desktop, Qt::Key_Escape);
        QCOMPARE(desktop.zarb().mnuPause.Checked, !paused);
        QCOMPARE(desktop.zarb().lblPause.Visible, !paused);
        press(desktop, Qt::Key_Escape);
        QCOMPARE(desktop.zarb().mnuPause.Checked, paused);
    }

    void escInAnOpenMenuClosesTheMenuAndLeavesThePauseAlone() {
        Desktop desktop(true);
        desktop.window().show();
        QVERIFY(QTest::qWaitForWindowActive(&desktop.window()));
        clickHeading(desktop, "mnuFile");
        QVERIFY(QApplication::activePopupWidget() != nullptr);
        press(desktop, Qt::Key_Escape);
        QCOMPARE(QApplication::activePopupWidget(), nullptr);
        QVERIFY(!desktop.zarb().mnuPause.Checked);
    }

    // Where no window manager hands the keyboard on, it would stay with nobody.
    void theGameWindowHasTheKeyboardAgainWhenABoxCloses() {
        Desktop desktop(true);
        desktop.window().show();
        QVERIFY(QTest::qWaitForWindowActive(&desktop.window()));
        QVERIFY(throughBox([&desktop] { desktop.action("mnuAbout")->trigger(); }));
        QVERIFY(QTest::qWaitForWindowActive(&desktop.window()));
    }

    void thePointerStaysHiddenOverTheFieldWhileABoxIsOpen() {
        Desktop desktop(true);
        desktop.window().show();
        QVERIFY(QTest::qWaitForWindowActive(&desktop.window()));
        auto* field = desktop.window().findChild<QWidget*>("field");
        // Near the field's corner, where the box, centred on the window, does not reach.
        const QPoint inField(20, 20);
        const QPoint place = field->mapToGlobal(inField);
        QTest::mouseMove(field, inField);
        QVERIFY(invisible(pointerAt(desktop.window(), place)));

        bool hiddenBehindTheBox = false;
        Qt::CursorShape overTheBox = Qt::BlankCursor;
        QVERIFY(throughBox([&desktop] { desktop.action("mnuRules")->trigger(); },
                           [&](MessageBox& box) {
                               hiddenBehindTheBox = invisible(pointerAt(desktop.window(), place));
                               overTheBox = pointerAt(box, box.mapToGlobal(QPoint(5, 5))).shape();
                           }));
        QVERIFY(hiddenBehindTheBox);
        QCOMPARE(overTheBox, Qt::ArrowCursor);
        QVERIFY(invisible(pointerAt(desktop.window(), place)));
    }
};

QTEST_MAIN(MenusAndBoxesTest)
#include "menus_and_boxes_test.moc"
