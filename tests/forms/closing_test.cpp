// The whole desktop program, as zarb runs it, closed by the player in the middle of things: it
// must end cleanly with exit status 0. One way of closing per run, named on the command line,
// since ending the program leaves Qt's event loops for good:
//   zarb_closing_test match|box|won|info

#include <QAction>
#include <QApplication>
#include <QPushButton>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string_view>

#include "forms/desktop_program.h"
#include "forms/frm_zarb.h"
#include "forms/message_box.h"

using zarb::forms::DesktopProgram;

namespace {

void after(int ms, std::function<void()> step) {
    QTimer::singleShot(ms, std::move(step));
}

// Takes the step once `ready` holds, looking every 20 ms: a busy machine only makes it later.
// The application owns the poll: when closing ends the program inside a box's own event loop,
// the poll's deferred deletion may never come, and the leak checker would fail the run.
void when(std::function<bool()> ready, std::function<void()> step) {
    auto* poll = new QTimer(QCoreApplication::instance());
    QObject::connect(poll, &QTimer::timeout, [=] {
        if (ready()) {
            poll->deleteLater();
            step();
        }
    });
    poll->start(20);
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

    const auto ballInPlay = [&zarb] { return zarb.program().zarb()->tmrBall.Enabled(); };
    if (how == "match") {
        // During a rally, the game window's close box.
        after(100, [&] {
            press(zarb, "cmdPlay");
            choose(zarb, "mnuNew");
            when(ballInPlay, [&] { zarb.platform().gameWindow()->close(); });
        });
    } else if (how == "box") {
        // With the rules box open over a rally: the box's own event loop must end too.
        after(100, [&] {
            press(zarb, "cmdPlay");
            choose(zarb, "mnuNew");
            when(ballInPlay, [&] {
                when(boxOpen, [&] { zarb.platform().gameWindow()->close(); });
                choose(zarb, "mnuRules");
            });
        });
    } else if (how == "won") {
        // With the match-won box open on level 5, the ball timer ticking behind it.
        after(100, [&] {
            press(zarb, "cmdPlay");
            choose(zarb, "mnuLevel5");
            choose(zarb, "mnuNew");
            when(ballInPlay, [&] {
                when(boxOpen, [&] { after(300, [&] { zarb.platform().gameWindow()->close(); }); });
                zarb::ZarbWindow& game = *zarb.program().zarb();
                game.player1Score = 9;
                game.imgBall.Left = 11600;  // past the right edge: the tenth point
                game.ballDirX = zarb::dir::kRight;
            });
        });
    } else if (how == "info") {
        // The splash closed while INFO's box is open over it, the game window loaded but hidden.
        after(100, [&] {
            when(boxOpen, [&] { zarb.platform().splashWindow()->close(); });
            press(zarb, "cmdInfo");
        });
    } else {
        fail("say how to close: match, box, won or info");
    }
    after(50000, [] { fail("the program did not end"); });

    const int status = zarb.exec();
    if (!zarb.platform().ended()) {
        fail("the event loop returned but the program had not ended");
    }
    return status;
}
