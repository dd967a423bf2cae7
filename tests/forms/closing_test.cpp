// The whole desktop program, as zarb runs it, closed by the player in the middle of things: it
// must end cleanly with exit status 0. One way of closing per run, named on the command line,
// since ending the program leaves Qt's event loops for good:
//   zarb_closing_test match|box|info

#include <QAction>
#include <QApplication>
#include <QPushButton>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "forms/desktop_program.h"
#include "forms/frm_zarb.h"
#include "forms/message_box.h"

using zarb::forms::DesktopProgram;

namespace {

void after(int ms, std::function<void()> step) {
    QTimer::singleShot(ms, std::move(step));
}

void press(DesktopProgram& zarb, const char* button) {
    zarb.platform().splashWindow()->findChild<QPushButton*>(button)->click();
}

void choose(DesktopProgram& zarb, const char* item) {
    zarb.platform().gameWindow()->findChild<QAction*>(item)->trigger();
}

bool boxOpen() {
    return dynamic_cast<zarb::forms::MessageBox*>(QApplication::activeModalWidget()) != nullptr;
}

void fail(const char* what) {
    std::fprintf(stderr, "zarb_closing_test: %s\n", what);
    std::_Exit(2);
}

}  // namespace

int main(int argc, char** argv) {
    const std::string_view how = argc > 1 ? argv[1] : "";
    QApplication application(argc, argv);
    DesktopProgram zarb;

    if (how == "match") {
        // During a rally, the game window's close box.
        after(100, [&] {
            press(zarb, "cmdPlay");
            choose(zarb, "mnuNew");
        });
        after(1600, [&] {
            if (!zarb.program().zarb()->tmrBall.Enabled()) {
                fail("the ball was not in play");
            }
            zarb.platform().gameWindow()->close();
        });
    } else if (how == "box") {
        // With the rules box open over a rally: the box's own event loop must end too.
        after(100, [&] {
            press(zarb, "cmdPlay");
            choose(zarb, "mnuNew");
        });
        after(1600, [&] {
            after(300, [&] {
                if (!boxOpen()) {
                    fail("the rules box was not open");
                }
                zarb.platform().gameWindow()->close();
            });
            choose(zarb, "mnuRules");
        });
    } else if (how == "info") {
        // The splash closed while INFO's box is open over it, the game window loaded but hidden.
        after(100, [&] {
            after(300, [&] {
                if (!boxOpen()) {
                    fail("the controls box was not open");
                }
                zarb.platform().splashWindow()->close();
            });
            press(zarb, "cmdInfo");
        });
    } else {
        fail("say how to close: match, box or info");
    }
    after(20000, [] { fail("the program did not end"); });

    const int status = zarb.exec();
    if (!zarb.platform().ended()) {
        fail("the event loop returned but the program had not ended");
    }
    return status;
}
