// Every window on every screen: where a window and its frame fit the screen it keeps its
// designed size; where they do not, all of it is drawn smaller by one factor and it fits, frame
// included. Each run is made on a virtual screen of its own size and scale (see CMakeLists.txt).

#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QtTest>
#include <functional>

#include "forms/field_view.h"
#include "forms/message_box.h"
#include "help/help_texts.h"
#include "tests/forms/desktop.h"

using zarb::forms::MessageBox;

namespace {

const QSize kField(792, 644);
const QSize kSplash(447, 258);

// Shows the window named `which` as the program does and hands it to `look`: the splash at the
// start, the game window after PLAY!, or the Rules box over the game window.
void withWindow(const QString& which, const std::function<void(QWidget&)>& look) {
    Desktop desktop(which != "splash");
    if (which == "splash") {
        look(*desktop.platform.splashWindow());
    } else if (which == "game window") {
        look(desktop.window());
    } else {
        bool looked = false;
        QTimer::singleShot(0, [&] {
            auto* box = dynamic_cast<MessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box != nullptr);
            look(*box);
            looked = true;
            box->findChild<QPushButton*>()->click();
        });
        desktop.zarb().mnuRules_Click();
        QVERIFY(looked);
    }
}

// The Rules box as designed, never fitted to a screen.
QSize designedRulesBox() {
    const zarb::help::HelpText& rules = zarb::help::rules();
    MessageBox box(QString::fromStdString(rules.title), QString::fromStdString(rules.text),
                   nullptr);
    box.adjustSize();
    return box.size();
}

bool sameShape(QSize drawn, QSize designed) {
    // Rounded to whole pixels, one side may be a pixel off the other's share.
    return qAbs(drawn.width() * designed.height() - drawn.height() * designed.width()) <=
           std::max(designed.width(), designed.height());
}

QRgb at(const QImage& shot, double x, double y) {
    return shot.pixel(int(x), int(y));
}

}  // namespace

class ScreenFitTest : public QObject {
    Q_OBJECT

  private slots:
    void theWindowAndItsFrameAreOnTheScreen_data() { windows(); }
    void theWindowAndItsFrameAreOnTheScreen() {
        QFETCH(QString, which);
        withWindow(which, [](QWidget& window) {
            const QRect free = window.screen()->availableGeometry();
            QVERIFY2(free.contains(window.frameGeometry()),
                     qPrintable(QString("%1,%2 %3x%4 on %5x%6")
                                    .arg(window.frameGeometry().x())
                                    .arg(window.frameGeometry().y())
                                    .arg(window.frameGeometry().width())
                                    .arg(window.frameGeometry().height())
                                    .arg(free.width())
                                    .arg(free.height())));
            // A frame was reckoned with: the client area lies inside it.
            QVERIFY(window.frameGeometry().contains(window.geometry()));
        });
    }

    void theWindowKeepsItsDesignedSize_data() { windows(); }
    void theWindowKeepsItsDesignedSize() {
        QFETCH(QString, which);
        withWindow(which, [&](QWidget& window) {
            if (which == "splash") {
                QCOMPARE(window.size(), kSplash);
            } else if (which == "game window") {
                const auto* bar = window.findChild<QMenuBar*>();
                QCOMPARE(window.findChild<QWidget*>("field")->size(), kField);
                QCOMPARE(window.size(), QSize(792, 644 + bar->height()));
                QCOMPARE(bar->fontInfo().pixelSize(), window.fontInfo().pixelSize());
            } else {
                QCOMPARE(window.size(), designedRulesBox());
            }
        });
    }

    void theWholeWindowIsDrawnSmaller_data() { windows(); }
    void theWholeWindowIsDrawnSmaller() {
        QFETCH(QString, which);
        withWindow(which, [&](QWidget& window) {
            if (which == "splash") {
                QVERIFY(window.width() < kSplash.width());
                QVERIFY(sameShape(window.size(), kSplash));
                // The title's letters shrink with it and every button stays inside it.
                QVERIFY(window.findChild<QWidget*>("lblIntro")->fontInfo().pixelSize() < 128);
                for (const QPushButton* button : window.findChildren<QPushButton*>()) {
                    QVERIFY(window.rect().contains(button->geometry()));
                }
            } else if (which == "game window") {
                theFieldIsDrawnSmaller(window);
            } else {
                const QSize designed = designedRulesBox();
                QVERIFY(window.width() < designed.width());
                QVERIFY(window.height() < designed.height());
            }
        });
    }

  private:
    void windows() {
        QTest::addColumn<QString>("which");
        for (const char* which : {"splash", "game window", "rules box"}) {
            QTest::newRow(which) << QString(which);
        }
    }

    // The field keeps its shape, and the ball, the field and the score bar are each where they
    // belong at the field's new scale; the menu bar's captions shrink and its menus do not.
    static void theFieldIsDrawnSmaller(QWidget& window) {
        QWidget* field = window.findChild<QWidget*>("field");
        QVERIFY(field->width() < kField.width());
        QVERIFY(sameShape(field->size(), kField));
        const double scale = double(field->width()) / kField.width();
        const QImage shot = field->grab().toImage().scaled(field->size());
        // The ball's middle at (6007, 3967) twips, the black field left of it, the score bar
        // below the left score.
        QCOMPARE(at(shot, 400.5 * scale, 264.5 * scale), qRgb(194, 241, 244));
        QCOMPARE(at(shot, 200 * scale, 264.5 * scale), qRgb(0, 0, 0));
        QCOMPARE(at(shot, 20 * scale, 630 * scale), qRgb(255, 0, 0));

        const auto* bar = window.findChild<QMenuBar*>();
        const auto* menu = window.findChild<QMenu*>("mnuFile");
        QVERIFY(bar->fontInfo().pixelSize() < menu->fontInfo().pixelSize());
    }
};

QTEST_MAIN(ScreenFitTest)
#include "screen_fit_test.moc"
