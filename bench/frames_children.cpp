// The frames benchmark's children: the real desktop game, put together as zarb's main() does
// it, in a straight flight, a rally or a match of single key presses.

#include <QAction>
#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "bench/bench_frames.h"
#include "forms/desktop_clock.h"
#include "forms/field_view.h"
#include "forms/frm_zarb.h"
#include "forms/qt_platform.h"
#include "game/program.h"

namespace zarb::bench {

namespace {

// The application, telling each paint of one widget and the end of every window update.
class BenchApplication : public QApplication {
  public:
    using QApplication::QApplication;
    QObject* field = nullptr;
    std::function<void()> painted;
    std::function<void()> updated;

    bool notify(QObject* receiver, QEvent* event) override {
        const bool done = QApplication::notify(receiver, event);
        if (event->type() == QEvent::Paint && receiver == field && painted) {
            painted();
        } else if (event->type() == QEvent::UpdateRequest && updated) {
            updated();
        }
        return done;
    }
};

// The desktop game as zarb's main() puts it together, the game window shown and a match begun.
struct Game {
    zarb::forms::QtPlatform platform;
    zarb::Clock clock;
    zarb::Program program{platform, clock};
    std::function<void()> afterTick;
    // As zarb's main() does, the window is drawn afresh first; then the people at the keys act
    // on what they see.
    zarb::forms::DesktopClock realClock{program, [this] {
                                            platform.refreshWindows(realClock.lastTickDue());
                                            if (afterTick && program.zarb() != nullptr) {
                                                afterTick();
                                            }
                                        }};

    Game(BenchApplication& application, bool twoPlayers) {
        program.start();
        realClock.start();
        platform.splashWindow()->findChild<QPushButton*>("cmdPlay")->click();
        if (twoPlayers) {
            window().findChild<QAction*>("mnuTwo")->trigger();
        }
        application.field = &field();
        press(Qt::Key_F1, true);
        press(Qt::Key_F1, false);
    }
    zarb::forms::FrmZarb& window() { return *platform.gameWindow(); }
    zarb::forms::FieldView& field() { return window().field(); }
    zarb::ZarbWindow& zarb() { return *program.zarb(); }
    void press(int key, bool down) {
        QKeyEvent event(down ? QEvent::KeyPress : QEvent::KeyRelease, key, Qt::NoModifier);
        QCoreApplication::sendEvent(&window(), &event);
    }
};

// From F1 the serve comes a second later; measuring starts half a second after it.
constexpr int kServeAndSettleMs = 1500;

int runFlight(BenchApplication& application, double framesPerSecond, double seconds) {
    Game game(application, true);
    game.field().setFramesPerSecond(framesPerSecond);
    std::vector<double> turnsMs;
    int lastDirX = 0;
    game.afterTick = [&] {
        zarb::ZarbWindow& w = game.zarb();
        w.ballStepY = 0;  // straight across, whatever the paddles do to it
        if (w.ballDirX != lastDirX) {
            turnsMs.push_back(nowMs());
            lastDirX = w.ballDirX;
        }
    };
    struct Frame {
        double atMs;
        double left;
    };
    std::vector<Frame> frames;
    bool measuring = false;
    application.painted = [&] {
        if (measuring) {
            frames.push_back({nowMs(), game.field().drawnPlace(game.zarb().imgBall).left()});
        }
    };
    QTimer::singleShot(kServeAndSettleMs, [&] { measuring = true; });
    QTimer::singleShot(kServeAndSettleMs + static_cast<int>(seconds * 1000), [&] {
        std::vector<double> advances;
        for (std::size_t i = 1; i < frames.size(); ++i) {
            // Frames near a paddle's hit turn back: they are no straight flight.
            const bool nearTurn = std::any_of(turnsMs.begin(), turnsMs.end(), [&](double turn) {
                return turn > frames[i - 1].atMs - 2 * kTickMs && turn < frames[i].atMs + kTickMs;
            });
            if (!nearTurn) {
                advances.push_back(std::fabs(frames[i].left - frames[i - 1].left) * 15);
            }
        }
        report("frames_per_s", static_cast<double>(frames.size()) / seconds);
        report("uneven_per_s", unevenFrames(advances, game.zarb().speedSetting) / seconds);
        QCoreApplication::exit(0);
    });
    return QApplication::exec();
}

int runRally(BenchApplication& application, double seconds) {
    Game game(application, true);
    long ticks = 0;
    // Both players sweep their paddles: a quarter second up, a quarter second down, each
    // change of key as a person makes it.
    game.afterTick = [&] {
        if (ticks++ % 16 != 0) {
            return;
        }
        const bool up = ticks / 16 % 2 == 0;
        game.press(up ? Qt::Key_Z : Qt::Key_A, false);
        game.press(up ? Qt::Key_Slash : Qt::Key_Apostrophe, false);
        game.press(up ? Qt::Key_A : Qt::Key_Z, true);
        game.press(up ? Qt::Key_Apostrophe : Qt::Key_Slash, true);
    };
    long frames = 0;
    application.painted = [&] { ++frames; };
    double cpuFrom = 0;
    double wallFrom = 0;
    long ticksFrom = 0;
    long framesFrom = 0;
    QTimer::singleShot(kServeAndSettleMs, [&] {
        cpuFrom = cpuMs();
        wallFrom = nowMs();
        ticksFrom = ticks;
        framesFrom = frames;
        report("playing", 1);
    });
    QTimer::singleShot(kServeAndSettleMs + static_cast<int>(seconds * 1000), [&] {
        const double wallS = (nowMs() - wallFrom) / 1000;
        report("cpu_ms_per_s", (cpuMs() - cpuFrom) / wallS);
        report("ticks_per_s", static_cast<double>(ticks - ticksFrom) / wallS);
        report("frames_per_s", static_cast<double>(frames - framesFrom) / wallS);
        report("screen_hz", game.window().screen()->refreshRate());
        QCoreApplication::exit(0);
    });
    return QApplication::exec();
}

int runKeys(BenchApplication& application, int presses) {
    Game game(application, false);
    game.field().setFramesPerSecond(60);
    std::mt19937 random(20261207);
    std::uniform_int_distribution<int> waitMs(0, 2 * static_cast<int>(kTickMs));
    std::vector<double> latencies;
    int heldKey = 0;
    double downMs = 0;
    double topBefore = 0;
    bool shown = false;
    game.afterTick = [&] {
        // New Game before the computer wins: no box interrupts the presses.
        if (heldKey == 0 && game.zarb().player2Score >= 8) {
            game.press(Qt::Key_F1, true);
            game.press(Qt::Key_F1, false);
        }
    };
    std::function<void()> pressLater;
    const auto pressNow = [&] {
        // Away from the nearer edge, so the paddle always has room to move.
        heldKey = game.zarb().imgLeft.Top < 3000 ? Qt::Key_Z : Qt::Key_A;
        topBefore = game.field().drawnPlace(game.zarb().imgLeft).top();
        shown = false;
        downMs = nowMs();
        game.press(heldKey, true);
    };
    pressLater = [&] { QTimer::singleShot(waitMs(random), Qt::PreciseTimer, pressNow); };
    application.painted = [&] {
        if (heldKey != 0 &&
            std::fabs(game.field().drawnPlace(game.zarb().imgLeft).top() - topBefore) >= 1) {
            shown = true;
        }
    };
    application.updated = [&] {
        if (heldKey == 0 || !shown) {
            return;
        }
        latencies.push_back(nowMs() - downMs);
        game.press(heldKey, false);
        heldKey = 0;
        if (static_cast<int>(latencies.size()) < presses) {
            pressLater();
            return;
        }
        report("key_presses", static_cast<double>(latencies.size()));
        report("key_median_ms", percentile(latencies, 0.5));
        report("key_p99_ms", percentile(latencies, 0.99));
        report("key_worst_ms", percentile(latencies, 1.0));
        QCoreApplication::exit(0);
    };
    QTimer::singleShot(kServeAndSettleMs, pressLater);
    return QApplication::exec();
}

// The offscreen platform says it cannot raise a window; true, and no news for the table.
void quietMessages(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (text.contains(QStringLiteral("does not support")) ||
        text.contains(QStringLiteral("XDG_RUNTIME_DIR"))) {
        return;
    }
    std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, text)));
}

}  // namespace

int runFramesChild(char** argv) {
    const std::string mode = argv[2];
    // argv[3] is when the parent started the child, which the frames do not use.
    const double value = std::strtod(argv[4], nullptr);
    const double seconds = std::strtod(argv[5], nullptr);
    if (std::getenv("DISPLAY") == nullptr && std::getenv("WAYLAND_DISPLAY") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
    }
    // As zarb's main() does: repaints go along the X connection.
    setenv("QT_XCB_NO_MITSHM", "1", 0);
    qInstallMessageHandler(quietMessages);
    int qtArgc = 1;
    BenchApplication application(qtArgc, argv);
    report("platform_is_x", QGuiApplication::platformName() == QStringLiteral("xcb"));
    if (mode == "flight") {
        return runFlight(application, value, seconds);
    }
    if (mode == "rally") {
        return runRally(application, seconds);
    }
    return runKeys(application, static_cast<int>(value));
}

}  // namespace zarb::bench
