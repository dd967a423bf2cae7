// The splash window's buttons and close box, with the real message box that INFO opens.

#include "forms/frm_splash.h"

#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include "forms/frm_zarb.h"
#include "forms/message_box.h"
#include "forms/qt_platform.h"
#include "game/program.h"
#include "tests/forms/desktop.h"

using zarb::Program;
using zarb::forms::MessageBox;
using zarb::forms::QtPlatform;

namespace {

// Presses OK on the next box that opens, and keeps its title in title, which must outlive it.
void closeNextBox(QString& title) {
    QTimer::singleShot(50, [&title] {
        if (auto* box = dynamic_cast<MessageBox*>(QApplication::activeModalWidget())) {
            title = box->windowTitle();
            box->accept();
        }
    });
}

}  // namespace

class FrmSplashTest : public QObject {
    Q_OBJECT

  private slots:
    void theSplashShowsItsCaptionAndSize() {
        Desktop desktop(false);
        QCOMPARE(desktop.platform.splashWindow()->windowTitle(), QString(" Zarb"));
        QCOMPARE(desktop.platform.splashWindow()->size(), QSize(447, 258));
        QVERIFY(desktop.platform.splashWindow()->isVisible());
    }

    void infoAnyNumberOfTimesThenPlayShowsTheSameWindowInItsStartState() {
        Desktop desktop(false);
        for (int i = 0; i < 3; ++i) {
            QString title;
            closeNextBox(title);
            desktop.press("cmdInfo");
            QCOMPARE(title, QString("Keyboard Controls"));
        }
        QVERIFY(desktop.program.zarbLoaded());
        QVERIFY(!desktop.platform.gameWindow()->isVisible());
        const zarb::ZarbWindow* loadedByInfo = desktop.program.zarb();
        desktop.press("cmdPlay");
        QCOMPARE(desktop.program.zarb(), loadedByInfo);
        QVERIFY(desktop.platform.gameWindow()->isVisible());
        QVERIFY(!desktop.program.splashLoaded());
        QCOMPARE(desktop.program.zarb()->lblWin.Caption, std::string("One Player Mode"));
        QVERIFY(!desktop.program.zarb()->tmrBall.Enabled());
    }

    // The splash opens with PLAY! in focus; Enter and Space press whichever button has it.
    void enterAndSpacePressTheFocusedButton() {
        for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space}) {
            Desktop desktop(false);
            QWidget* splash = desktop.platform.splashWindow();
            QVERIFY(QTest::qWaitForWindowActive(splash));
            QCOMPARE(QApplication::focusWidget(), splash->findChild<QPushButton*>("cmdPlay"));
            QTest::keyClick(QApplication::focusWidget(), key);
            QVERIFY(desktop.platform.gameWindow() != nullptr);
            QVERIFY(desktop.platform.gameWindow()->isVisible());
        }
    }

    void closingTheSplashAfterInfoEndsTheProgram() {
        Desktop desktop(false);
        QString title;
        closeNextBox(title);
        desktop.press("cmdInfo");
        QCOMPARE(title, QString("Keyboard Controls"));
        desktop.platform.splashWindow()->close();
        QVERIFY(desktop.platform.ended());
    }

    // Last: ending the program leaves the application's event loops for the rest of the run.
    void exitEndsTheProgram() {
        Desktop desktop(false);
        desktop.press("cmdExit");
        QVERIFY(desktop.platform.ended());
    }
};

QTEST_MAIN(FrmSplashTest)
#include "frm_splash_test.moc"
