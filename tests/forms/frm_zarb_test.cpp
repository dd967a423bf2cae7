// The game window as a person meets it: its size, its menus and shortcuts, its Help boxes
// pausing a rally, and the match-won box with the timers ticking behind it.

#include "forms/frm_zarb.h"

#include <QAccessible>
#include <QAction>
#include <QElapsedTimer>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <functional>

#include "forms/desktop_clock.h"
#include "forms/message_box.h"
#include "tests/forms/desktop.h"

using zarb::ZarbWindow;
using zarb::forms::MessageBox;

namespace {

// Once a box is open and `until` holds, or at the latest after 20 seconds, hands the box to
// `look` and presses its OK. It looks every 20 ms, so a busy machine only makes it wait longer.
void closeBoxOnce(std::function<bool()> until, std::function<void(MessageBox&)> look) {
    auto* poll = new QTimer;
    auto* waited = new QElapsedTimer;
    waited->start();
    QObject::connect(poll, &QTimer::timeout, [=] {
        auto* box = dynamic_cast<MessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr || (!until() && waited->elapsed() < 20000)) {
            return;
        }
        look(*box);
        box->findChild<QPushButton*>()->click();
        poll->deleteLater();
        delete waited;
    });
    poll->start(20);
}

// Plays on until the serve one second after New Game has put the ball in play.
void serve(Desktop& desktop) {
    desktop.zarb().mnuNew_Click();
    desktop.program.timers().run(1100);
}

// Sends the ball past the right edge and lets one clock tick score Player 1's next point.
void scoreForPlayer1(Desktop& desktop) {
    ZarbWindow& zarb = desktop.zarb();
    zarb.imgBall.Left = 11600;
    zarb.ballDirX = zarb::dir::kRight;
    desktop.program.timers().run(16);
}

struct MatchPhase {
    const char* name;
    void (*reach)(Desktop&);
    bool helpPauses;
};

// Every phase a Help item can be chosen in; it pauses exactly while the ball's timer runs.
const MatchPhase kMatchPhases[] = {
    {"no match yet", [](Desktop&) {}, false},
    {"after End Game",
     [](Desktop& desktop) {
         serve(desktop);
         desktop.zarb().mnuEnd_Click();
     },
     false},
    {"waiting for the first serve", [](Desktop& desktop) { desktop.zarb().mnuNew_Click(); }, false},
    {"rally", serve, true},
    {"already paused",
     [](Desktop& desktop) {
         serve(desktop);
         desktop.zarb().mnuPause_Click();
     },
     true},
    {"between two points",
     [](Desktop& desktop) {
         serve(desktop);
         scoreForPlayer1(desktop);
     },
     true},
    {"after a won match",
     [](Desktop& desktop) {
         serve(desktop);
         desktop.zarb().player1Score = 9;
         scoreForPlayer1(desktop);
     },
     true},
};

struct HelpItem {
    const char* action;
    const char* title;
};

const HelpItem kHelpItems[] = {
    {"mnuRules", "Rules of Zarb"},
    {"mnuControls", "Keyboard Controls"},
    {"mnuAbout", "About Zarb"},
};

// The accessible children of `widget` by the object names of their widgets.
QMap<QString, QAccessibleInterface*> accessibleChildren(QWidget* widget) {
    QMap<QString, QAccessibleInterface*> children;
    QAccessibleInterface* parent = QAccessible::queryAccessibleInterface(widget);
    for (int i = 0; i < parent->childCount(); ++i) {
        children[parent->child(i)->object()->objectName()] = parent->child(i);
    }
    return children;
}

}  // namespace

class FrmZarbTest : public QObject {
    Q_OBJECT

  private slots:
    // The scaled run sets QT_SCALE_FACTOR=2: the field keeps its layout in logical pixels, and
    // the ball's pixels grow whole, so no blend of the ball and the black field appears.
    void theFieldKeepsItsLayoutAndCrispPicturesOnAScaledScreen() {
        Desktop desktop(true);
        QWidget* field = desktop.window().findChild<QWidget*>("field");
        desktop.window().show();
        const qreal scale = qEnvironmentVariable("QT_SCALE_FACTOR", "1").toDouble();
        QCOMPARE(field->devicePixelRatioF(), scale);
        QCOMPARE(field->size(), QSize(792, 644));
        QCOMPARE(desktop.window().windowTitle(), QString("Zarb"));
        QCOMPARE(desktop.window().minimumSize(), desktop.window().maximumSize());

        const QImage shot = field->grab().toImage();
        QCOMPARE(shot.size(), QSize(792, 644) * scale);
        const ZarbWindow& zarb = desktop.zarb();
        const QRect ball(int(zarb.imgBall.Left / 15 * scale), int(zarb.imgBall.Top / 15 * scale),
                         int(zarb.imgBall.Width / 15 * scale),
                         int(zarb.imgBall.Height / 15 * scale));
        int ballPixels = 0;
        for (int y = ball.top(); y <= ball.bottom(); ++y) {
            for (int x = ball.left(); x <= ball.right(); ++x) {
                const QRgb pixel = shot.pixel(x, y);
                QVERIFY2(
                    pixel == qRgb(0, 0, 0) || pixel == qRgb(194, 241, 244),
                    qPrintable(QString("a blend at %1, %2: %3").arg(x).arg(y).arg(pixel, 0, 16)));
                ballPixels += pixel != qRgb(0, 0, 0);
            }
        }
        QVERIFY(ballPixels > ball.width() * ball.height() / 2);
    }

    void thePaddleIsFullWidthFromItsEleventhToItsNinetyThirdRow() {
        const QImage paddle(":/paddle.gif");
        QCOMPARE(paddle.size(), QSize(30, 106));
        QString widths;  // F for a full row, - for a shorter one, 0 for an empty one
        for (int y = 0; y < paddle.height(); ++y) {
            int shown = 0;
            for (int x = 0; x < paddle.width(); ++x) {
                shown += qAlpha(paddle.pixel(x, y)) != 0;
            }
            widths += shown == paddle.width() ? 'F' : shown == 0 ? '0' : '-';
        }
        QCOMPARE(widths, QString(10, '-') + QString(83, 'F') + QString(11, '-') + "00");
    }

    // What is on the screen after the clock's repaints, which cover only the places that
    // changed, must be what a full repaint of the field draws.
    void repaintingOnlyWhatChangedLeavesNoTrace() {
        Desktop desktop(true);
        zarb::forms::FrmZarb& window = desktop.window();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QWidget* field = window.findChild<QWidget*>("field");
        const auto onScreen = [&] {
            const QPoint corner = field->mapTo(&window, QPoint(0, 0));
            return window.screen()
                ->grabWindow(window.winId(), corner.x(), corner.y(), field->width(),
                             field->height())
                .toImage()
                .convertToFormat(QImage::Format_RGB32);
        };
        ZarbWindow& zarb = desktop.zarb();
        zarb.mnuLevel2_Click();
        const std::function<void()> changes[] = {
            [&] { zarb.imgBall.Left = 2000; },                // moved
            [&] { zarb.imgLeft.Top = 6000; },                 // a paddle moved
            [&] { zarb.lblLevel.Visible = false; },           // hidden
            [&] { zarb.lblWin.Caption = "Player 2 Wins!"; },  // a new caption
            [&] { zarb.imgBall.Left = 5750; },                // onto the obstacle
            [&] { zarb.shpObstacle.Top = 4000; },             // the obstacle under the ball
            [&] { zarb.lblLevel.Visible = true; },            // shown again
        };
        for (const auto& change : changes) {
            change();
            window.refresh();
            QTest::qWait(30);
            QCOMPARE(onScreen(), field->grab().toImage().convertToFormat(QImage::Format_RGB32));
        }
    }

    void theMenusShowTheGamesCaptionsShortcutsAndChecks() {
        Desktop desktop(true);
        QStringList titles;
        for (QAction* menu : desktop.window().menuBar()->actions()) {
            titles << menu->text();
        }
        QCOMPARE(titles, QStringList({"&File", "&Edit", "Help"}));
        QCOMPARE(desktop.action("mnuNew")->shortcut(), QKeySequence("Ctrl+N"));
        QCOMPARE(desktop.action("mnuReallyfast")->text(), QString("Supersonic"));
        QVERIFY(desktop.action("mnuMedium")->isChecked());
        QVERIFY(desktop.action("mnuOne")->isChecked());
        QVERIFY(desktop.action("mnuLevel1")->isChecked());
        QVERIFY(!desktop.action("mnuPause")->isEnabled());
    }

    void aMenuItemShowsAMarkWhenCheckedAndNothingOtherwise() {
        Desktop desktop(true);
        auto* speed = desktop.window().findChild<QMenu*>("mnuSpeed");
        speed->adjustSize();
        const QImage menu = speed->grab().toImage();
        // True when the square at the left end of the item's row, inside the menu's frame, shows
        // more than one colour.
        const auto marked = [&](const char* item) {
            const QRect row = speed->actionGeometry(desktop.action(item));
            QSet<QRgb> colours;
            for (int y = row.top(); y <= row.bottom(); ++y) {
                for (int x = row.left() + 3; x < row.left() + row.height(); ++x) {
                    colours << menu.pixel(x, y);
                }
            }
            return colours.size() > 1;
        };
        QVERIFY(marked("mnuMedium"));
        QVERIFY(!marked("mnuSlow"));
    }

    void playerShortcutsDoNothingWhileTheirSubmenuIsDisabled() {
        Desktop desktop(true);
        desktop.window().show();
        QVERIFY(QTest::qWaitForWindowActive(&desktop.window()));
        QTest::keyClick(&desktop.window(), Qt::Key_T, Qt::ControlModifier);
        QCOMPARE(desktop.zarb().players, 2);

        desktop.zarb().mnuNew_Click();
        desktop.program.timers().run(1000);  // the serve disables the settings submenus
        desktop.window().refresh();
        QVERIFY(!desktop.zarb().mnuPlayers.Enabled);
        QTest::keyClick(&desktop.window(), Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(desktop.zarb().players, 2);
        QVERIFY(!desktop.action("mnuOne")->isEnabled());
    }

    void eachHelpItemPausesOnlyARunningMatch_data() {
        QTest::addColumn<int>("phase");
        QTest::addColumn<int>("item");
        for (int phase = 0; phase < int(std::size(kMatchPhases)); ++phase) {
            for (int item = 0; item < int(std::size(kHelpItems)); ++item) {
                QTest::addRow("%s, %s", kHelpItems[item].action, kMatchPhases[phase].name)
                    << phase << item;
            }
        }
    }

    void eachHelpItemPausesOnlyARunningMatch() {
        QFETCH(int, phase);
        QFETCH(int, item);
        Desktop desktop(true);
        desktop.platform.noteBoxes = true;
        kMatchPhases[phase].reach(desktop);
        const ZarbWindow& zarb = desktop.zarb();
        const bool ballWasMoving = zarb.tmrBall.Enabled();
        const std::size_t boxesBefore = desktop.platform.boxes.size();

        desktop.action(kHelpItems[item].action)->trigger();

        QCOMPARE(desktop.platform.boxes.size(), boxesBefore + 1);
        const NotingPlatform::Box& box = desktop.platform.boxes.back();
        QCOMPARE(box.title, std::string(kHelpItems[item].title));
        QCOMPARE(box.pausedAsShown, kMatchPhases[phase].helpPauses);
        QCOMPARE(zarb.mnuPause.Checked, kMatchPhases[phase].helpPauses);
        QCOMPARE(desktop.action("mnuPause")->isChecked(), kMatchPhases[phase].helpPauses);
        if (kMatchPhases[phase].helpPauses) {
            QVERIFY(!zarb.tmrBall.Enabled() && !zarb.tmrLeft.Enabled());
            QVERIFY(!zarb.tmrRight.Enabled() && !zarb.tmrStart.Enabled());
        } else {
            QCOMPARE(zarb.tmrBall.Enabled(), ballWasMoving);
        }
    }

    void theFirstServeHappensBehindAHelpBox() {
        Desktop desktop(true);
        desktop.zarb().mnuNew_Click();
        desktop.window().show();
        zarb::forms::DesktopClock clock(desktop.program,
                                        [&desktop] { desktop.platform.refreshWindows(); });
        bool servedBehindTheBox = false;
        const ZarbWindow& zarb = desktop.zarb();
        closeBoxOnce([&zarb] { return zarb.tmrBall.Enabled(); },
                     [&](MessageBox&) { servedBehindTheBox = zarb.tmrBall.Enabled(); });
        clock.start();
        desktop.action("mnuRules")->trigger();
        QVERIFY(servedBehindTheBox);
        QVERIFY(!desktop.zarb().mnuPause.Checked);
    }

    // On level 5 the ball timer ticks behind its own box: the obstacle slides on beneath the
    // ball resting at its serve position, and no second point opens a second box.
    void theMatchWonBoxKeepsThePaddlesAndTheObstacleMovingBehindIt() {
        Desktop desktop(true);
        ZarbWindow& zarb = desktop.zarb();
        zarb.mnuTwo_Click();
        zarb.mnuLevel5_Click();
        serve(desktop);
        zarb.player1Score = 9;
        zarb.keyLeftDown = 1;  // held down as the box opens
        zarb.imgLeft.Top = 0;
        zarb.imgBall.Left = 11600;  // past the right edge: Player 1's tenth point
        zarb.ballDirX = zarb::dir::kRight;
        zarb.ballDirY = zarb::dir::kUp;
        desktop.window().show();

        zarb::forms::DesktopClock clock(desktop.program,
                                        [&desktop] { desktop.platform.refreshWindows(); });
        QElapsedTimer open;
        float obstacleSeen = zarb.shpObstacle.Left;
        int obstacleMoves = 0;
        bool ballAtRest = true;
        QString title, text;
        qsizetype buttons = 0, boxes = 0;
        float paddleTopWhileOpen = 0;
        // The box is held open for a second, looking at the field every 20 ms.
        closeBoxOnce(
            [&] {
                if (!open.isValid()) {
                    open.start();
                }
                obstacleMoves += zarb.shpObstacle.Left != obstacleSeen;
                obstacleSeen = zarb.shpObstacle.Left;
                ballAtRest = ballAtRest && zarb.imgBall.Left == 5750 && zarb.imgBall.Top == 875;
                return open.elapsed() >= 1000;
            },
            [&](MessageBox& box) {
                title = box.windowTitle();
                text = box.text();
                buttons = box.findChildren<QPushButton*>().size();
                paddleTopWhileOpen = zarb.imgLeft.Top;
                for (QWidget* window : QApplication::topLevelWidgets()) {
                    boxes += window->isVisible() && dynamic_cast<MessageBox*>(window) != nullptr;
                }
            });
        clock.start();
        QTRY_VERIFY_WITH_TIMEOUT(!title.isEmpty(), 30000);
        QCOMPARE(title, QString("Zarb"));
        QCOMPARE(text, QString("Player 1 Wins!"));
        QCOMPARE(buttons, 1);
        QCOMPARE(boxes, 1);
        QVERIFY(paddleTopWhileOpen > 0);
        QVERIFY2(obstacleMoves >= 5, qPrintable(QString::number(obstacleMoves)));
        QVERIFY(ballAtRest);
        QVERIFY(zarb.mnuSpeed.Enabled);
        QCOMPARE(zarb.lblPlayer1.Caption, std::string("Player 1:  10"));
    }

    void aScreenReaderReadsTheCaptionsAtTheirPlacesAfterEveryPoint() {
        Desktop desktop(true);
        desktop.window().show();
        QWidget* field = desktop.window().findChild<QWidget*>("field");
        const auto children = accessibleChildren(field);
        const std::pair<const char*, const char*> captions[] = {{"lblLevel", "Level 1"},
                                                                {"lblPlayer1", "Player 1:  0"},
                                                                {"lblPlayer2", "Player 2:  0"},
                                                                {"lblWin", "One Player Mode"}};
        for (const auto& [name, caption] : captions) {
            QVERIFY2(children.contains(name), name);
            QCOMPARE(children[name]->role(), QAccessible::StaticText);
            QCOMPARE(children[name]->text(QAccessible::Name), QString(caption));
        }
        // The middle of "Level 1" at the top of the field.
        QVERIFY(children["lblLevel"]->rect().contains(field->mapToGlobal(QPoint(400, 40))));

        // A point renames the status line and the winner's score.
        serve(desktop);
        scoreForPlayer1(desktop);
        desktop.window().refresh();
        QCOMPARE(children["lblWin"]->text(QAccessible::Name), QString("Player 1 Wins!"));
        QCOMPARE(children["lblPlayer1"]->text(QAccessible::Name), QString("Player 1:  1"));
    }
};

QTEST_MAIN(FrmZarbTest)
#include "frm_zarb_test.moc"
