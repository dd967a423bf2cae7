// The message boxes as a person meets them: a screen reader reads the splash as a window and a
// box's text, and the controls box lines its keys up in one column.

#include "forms/message_box.h"

#include <QAccessible>
#include <QSet>
#include <QtTest>

#include "forms/frm_splash.h"
#include "tests/forms/desktop.h"

using zarb::forms::MessageBox;

class MessageBoxTest : public QObject {
    Q_OBJECT

  private slots:
    void aScreenReaderTakesTheSplashForAWindowAndReadsABoxsText() {
        Desktop desktop(false);
        QCOMPARE(QAccessible::queryAccessibleInterface(desktop.platform.splashWindow())->role(),
                 QAccessible::Window);
        MessageBox box("Zarb", "Player 1 Wins!", nullptr);
        QStringList texts;
        QAccessibleInterface* window = QAccessible::queryAccessibleInterface(&box);
        for (int i = 0; i < window->childCount(); ++i) {
            if (window->child(i)->role() == QAccessible::StaticText) {
                texts << window->child(i)->text(QAccessible::Name);
            }
        }
        QCOMPARE(texts, QStringList{"Player 1 Wins!"});
    }

    void theControlsBoxLinesItsKeysUpInOneColumn() {
        const MessageBox box("Keyboard Controls",
                             "Left Paddle Up: \t\tA\r\nLeft Paddle Down:\t\tZ\r\n"
                             "Right Paddle Up: \t\t'\r\nRight Paddle Down: \t/\r\n\r\n"
                             "Start Game: \t\tF1\r\nStop Game: \t\tF2\r\nPause/Resume: \t\tESC",
                             nullptr);
        QList<int> keyColumns = box.lastTabColumns();
        keyColumns.removeAt(4);  // the empty line
        QCOMPARE(QSet<int>(keyColumns.begin(), keyColumns.end()).size(), 1);
        QVERIFY(keyColumns.first() > 0);
    }
};

QTEST_MAIN(MessageBoxTest)
#include "message_box_test.moc"
