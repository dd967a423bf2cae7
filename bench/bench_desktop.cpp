// What the desktop game costs beside windows that do the least a 64 Hz game must do, how often
// it wakes up when nothing moves, and how soon a key shows. Everything runs on the offscreen
// platform, each in a child process of its own (this program run again with a mode word), so
// CPU time, peak memory and wake-ups are each program's alone:
//
// - game: the real game window, put together as zarb's main() does it (QtPlatform, Program,
//   FrmZarb, DesktopClock). PLAY! is pressed once the splash is on screen, Two Players chosen
//   and F1 pressed; two players then keep the rally going with A and Z and with ' and /, sent to
//   the window as key events. Measured for 10 s from half a second after the serve.
// - baseline: a QWidget of the game window's size that fills the field black and draws the
//   game's paddle and ball pictures (the same embedded resources), twice and once, repainted
//   at 64 Hz by a precise QTimer.
// - busy: the game on level 5 in one-player mode with nobody at the left paddle, so the
//   computer scores point after point: the obstacle moves, captions change, serves come.
// - fair: a baseline with the same kinds of parts as the game window: a menu bar with the same
//   three menus, the field with the three pictures and the score bar's labels drawn in the
//   game's face, repainted at 64 Hz. Text and menus cost memory that pictures alone never do.
// - stall: the game again, stopped with SIGSTOP for a second in mid-rally and continued.
// - idle: the game in four states, one after the other (splash, between matches, rally,
//   paused); in each the parent counts the context switches of the child's main thread and of
//   all its threads over a stretch of time, each one a wake-up, and the child its clock ticks
//   and Qt timer events.
// - keys: the game in a one-player match, its left paddle moved by single presses of A or Z at
//   random moments within the tick; each time from the key-down reaching the game window to the
//   end of the window update that painted the paddle moved.
//
//   build/bench/zarb-bench-desktop [SECONDS]     the idle states get half of SECONDS each
//
// The ticks of the game are seen through the callback DesktopClock calls after each clock tick
// (main() passes one that redraws the windows; ours notes the time and then redraws), and its
// frames through the application's event dispatch, so nothing in forms/ is changed for this.

#include <dirent.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMenuBar>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QSocketNotifier>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <map>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "bench/bench_players.h"
#include "forms/desktop_clock.h"
#include "forms/frm_splash.h"
#include "forms/frm_zarb.h"
#include "forms/game_font.h"
#include "forms/qt_platform.h"
#include "game/program.h"
#include "game/zarb_window.h"

namespace {

using Steady = std::chrono::steady_clock;

constexpr double kTickMs = 15.625;

// Milliseconds on the machine-wide monotonic clock, the same in parent and child.
double nowMs() {
    return std::chrono::duration<double, std::milli>(Steady::now().time_since_epoch()).count();
}

// The CPU time of the calling thread: a paint or refresh timed this way is not lengthened by
// other programs running on the machine meanwhile.
double threadCpuMs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

double cpuMs() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto ms = [](const timeval& t) { return t.tv_sec * 1e3 + t.tv_usec / 1e3; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

double peakRssMiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;  // ru_maxrss is in KiB on Linux
}

// The application with a few additions, all seen in its event dispatch: each paint event, so
// a frame is known once it is painted, with the CPU time its painting took; the end of each
// window update (painted and handed to the screen); each key-down reaching one window; and a
// count of the timer events, the clock's among them.
class BenchApplication : public QApplication {
  public:
    using QApplication::QApplication;
    std::function<void(QObject*, double endMs, double cpuMs)> painted;
    std::function<void(QObject*, double endMs)> updated;
    QObject* keyWindow = nullptr;
    std::function<void(double ms)> keyDown;
    long timerEvents = 0;

    bool notify(QObject* receiver, QEvent* event) override {
        switch (event->type()) {
            case QEvent::Timer:
                ++timerEvents;
                break;
            case QEvent::KeyPress:
                if (receiver == keyWindow && keyDown) {
                    keyDown(nowMs());
                }
                break;
            case QEvent::UpdateRequest:
                if (updated) {
                    const bool done = QApplication::notify(receiver, event);
                    updated(receiver, nowMs());
                    return done;
                }
                break;
            case QEvent::Paint:
                if (painted) {
                    const double cpuStart = threadCpuMs();
                    const bool done = QApplication::notify(receiver, event);
                    const double cpu = threadCpuMs() - cpuStart;
                    painted(receiver, nowMs(), cpu);
                    return done;
                }
                break;
            default:
                break;
        }
        return QApplication::notify(receiver, event);
    }
};

// The offscreen platform says that it cannot raise a window or pass on a main window's size
// hints, and Qt that it picked a runtime directory: true, and no news for the table.
void quietMessages(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (text.contains(QStringLiteral("does not support raise")) ||
        text.contains(QStringLiteral("does not support propagateSizeHints")) ||
        text.contains(QStringLiteral("XDG_RUNTIME_DIR"))) {
        return;
    }
    std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, text)));
}

// What a child measures between two moments of its run.
struct Window {
    double wallStartMs = 0;
    double cpuStartMs = 0;
    std::vector<double> ticksMs;
    long frames = 0;
    double paintMs = 0;
    double refreshMs = 0;
    bool open = false;

    void begin() {
        wallStartMs = nowMs();
        cpuStartMs = cpuMs();
        ticksMs.clear();
        ticksMs.reserve(2048);
        frames = 0;
        paintMs = 0;
        refreshMs = 0;
        open = true;
    }
};

double percentile(std::vector<double> values, double fraction) {
    if (values.empty()) {
        return 0;
    }
    std::sort(values.begin(), values.end());
    const auto rank = static_cast<std::size_t>(std::ceil(fraction * values.size()));
    return values[std::min(values.size(), std::max<std::size_t>(rank, 1)) - 1];
}

// The results a child prints, one "name value" a line, for its parent to read.
void report(const char* name, double value) {
    std::printf("%s %.6f\n", name, value);
    std::fflush(stdout);
}

void reportWindow(const Window& window, double endWallMs, double endCpuMs) {
    const double wallMs = endWallMs - window.wallStartMs;
    std::vector<double> intervals;
    for (std::size_t i = 1; i < window.ticksMs.size(); ++i) {
        intervals.push_back(window.ticksMs[i] - window.ticksMs[i - 1]);
    }
    const double span = window.ticksMs.size() < 2 ? 0 : window.ticksMs.back() - window.ticksMs[0];
    const auto late = std::count_if(intervals.begin(), intervals.end(),
                                    [](double ms) { return ms > 1.5 * kTickMs; });
    report("rate_hz", span == 0 ? 0 : 1000.0 * static_cast<double>(intervals.size()) / span);
    report("interval_median_ms", percentile(intervals, 0.5));
    report("interval_p99_ms", percentile(intervals, 0.99));
    report("interval_max_ms", percentile(intervals, 1.0));
    report("late_ticks", static_cast<double>(late));
    report("cpu_ms_per_s", 1000.0 * (endCpuMs - window.cpuStartMs) / wallMs);
    report("frames_per_s", 1000.0 * static_cast<double>(window.frames) / wallMs);
    report("paint_us", window.frames == 0 ? 0 : 1000.0 * window.paintMs / window.frames);
    report("refresh_us", window.ticksMs.empty() ? 0
                                                : 1000.0 * window.refreshMs /
                                                      static_cast<double>(window.ticksMs.size()));
    report("seconds", wallMs / 1000.0);
}

// After the stall: the ticks in the first 50 ms from the first tick after it, the most within
// any 50 ms of its first second, and the rate from that tick to the end of the run.
void reportStall(const std::vector<double>& ticksMs) {
    if (ticksMs.size() < 2) {
        return;
    }
    std::size_t resume = 1;
    for (std::size_t i = 1; i < ticksMs.size(); ++i) {
        if (ticksMs[i] - ticksMs[i - 1] > ticksMs[resume] - ticksMs[resume - 1]) {
            resume = i;
        }
    }
    const double from = ticksMs[resume];
    const auto ticksWithin = [&](std::size_t first, double ms) {
        int count = 0;
        for (std::size_t i = first; i < ticksMs.size() && ticksMs[i] < ticksMs[first] + ms; ++i) {
            ++count;
        }
        return count;
    };
    int most = 0;
    for (std::size_t i = resume; i < ticksMs.size() && ticksMs[i] < from + 1000; ++i) {
        most = std::max(most, ticksWithin(i, 50));
    }
    const double span = ticksMs.back() - from;
    const auto intervals = static_cast<double>(ticksMs.size() - 1 - resume);
    report("stall_gap_ms", from - ticksMs[resume - 1]);
    report("stall_first_50ms_ticks", ticksWithin(resume, 50));
    report("stall_most_in_50ms", most);
    report("stall_rate_after_hz", span <= 0 ? 0 : 1000.0 * intervals / span);
    report("stall_rate_after_s", span / 1000.0);
}

void pressKey(QWidget& window, Qt::Key key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QCoreApplication::sendEvent(&window, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    QCoreApplication::sendEvent(&window, &release);
}

// From F1 the serve comes a second later; measuring starts half a second after it.
constexpr int kServeAndSettleMs = 1500;

int runGame(BenchApplication& application, double startedMs, double seconds, bool stall,
            bool busy) {
    zarb::forms::QtPlatform platform;
    zarb::Program program(platform);
    platform.setProgram(program);
    Window window;
    zarb::bench::Player left(Qt::Key_A, Qt::Key_Z, true);
    zarb::bench::Player right(Qt::Key_Apostrophe, Qt::Key_Slash, false);
    zarb::forms::DesktopClock clock(program.timers(), platform, [&] {
        const double tickMs = nowMs();
        const double cpuStart = threadCpuMs();
        platform.refreshWindows();
        const double refreshCpu = threadCpuMs() - cpuStart;
        if (!window.open || program.zarb() == nullptr || platform.gameWindow() == nullptr) {
            return;
        }
        window.ticksMs.push_back(tickMs);
        window.refreshMs += refreshCpu;
        QWidget& gameWindow = *platform.gameWindow();
        const auto press = [&gameWindow](int key, bool down) {
            QKeyEvent event(down ? QEvent::KeyPress : QEvent::KeyRelease, key, Qt::NoModifier);
            QCoreApplication::sendEvent(&gameWindow, &event);
        };
        if (!busy) {
            left.steer(*program.zarb(), press);
            right.steer(*program.zarb(), press);
        }
    });

    QWidget* field = nullptr;
    bool splashSeen = false;
    application.painted = [&](QObject* receiver, double endMs, double paintCpuMs) {
        if (!splashSeen && receiver == platform.splashWindow()) {
            splashSeen = true;
            report("first_frame_ms", endMs - startedMs);
            // A person presses PLAY! once the splash is there.
            QTimer::singleShot(
                0, [&] { platform.splashWindow()->findChild<QPushButton*>("cmdPlay")->click(); });
            return;
        }
        if (field == nullptr && platform.gameWindow() != nullptr &&
            receiver == platform.gameWindow()->findChild<QWidget*>("field")) {
            field = static_cast<QWidget*>(receiver);
            report("field_first_frame_ms", endMs - startedMs);
            QWidget& game = *platform.gameWindow();
            report("width", game.width());
            report("height", game.height());
            report("field_width", field->width());
            report("field_height", field->height());
            game.findChild<QAction*>(busy ? "mnuLevel5" : "mnuTwo")->trigger();
            pressKey(game, Qt::Key_F1);
            QTimer::singleShot(kServeAndSettleMs, [&] {
                window.begin();
                // The parent stops us a while after this line.
                report("playing", 1);
            });
            QTimer::singleShot(kServeAndSettleMs + static_cast<int>(seconds * 1000), [&] {
                const double endWall = nowMs();
                const double endCpu = cpuMs();
                window.open = false;
                const zarb::ZarbWindow& w = *program.zarb();
                reportWindow(window, endWall, endCpu);
                report("points", w.player1Score + w.player2Score);
                report("ball_moving", w.ballDirX != zarb::dir::kAtRest ? 1 : 0);
                if (stall) {
                    reportStall(window.ticksMs);
                }
                report("peak_rss_mib", peakRssMiB());
                QCoreApplication::exit(0);
            });
            return;
        }
        if (window.open && receiver == field) {
            ++window.frames;
            window.paintMs += paintCpuMs;
        }
    };

    program.start();
    clock.start();
    return platform.ended() ? 1 : QApplication::exec();
}

// The least a 64 Hz game window does: a black field and three pictures, moved and repainted on
// every tick. With text, the field also draws the score bar the game draws under it: the two
// score labels and the status line between them, in the game's face.
class BaselineField : public QWidget {
  public:
    explicit BaselineField(bool withText)
        : paddle_(QStringLiteral(":/paddle.gif")),
          ball_(QStringLiteral(":/ball.gif")),
          withText_(withText) {
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

    void step() {
        ++frame_;
        update();
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::black);
        const int floor = withText_ ? height() * 567 / 644 : height();
        // The ball runs to and fro across the field, the paddles ride up and down.
        const int across = width() - ball_.width();
        const int x = std::abs((frame_ * 10) % (2 * across) - across);
        const int y =
            std::abs((frame_ * 3) % (2 * (floor - ball_.height())) - (floor - ball_.height()));
        const int paddleY =
            std::abs((frame_ * 8) % (2 * (floor - paddle_.height())) - (floor - paddle_.height()));
        painter.drawPixmap(0, paddleY, paddle_);
        painter.drawPixmap(width() - paddle_.width(), floor - paddle_.height() - paddleY, paddle_);
        painter.drawPixmap(x, y, ball_);
        if (withText_) {
            drawScoreBar(painter, floor);
        }
    }

  private:
    void drawScoreBar(QPainter& painter, int top) {
        painter.fillRect(0, top, width(), height() - top, Qt::red);
        // The scores change every second, as they would in a lively match.
        const int points = frame_ / 64 % 10;
        const QRect left(48, top + 25, 129, 33);
        const QRect right(616, top + 25, 129, 33);
        const QRect status(304, top + 17, 169, 49);
        painter.setPen(Qt::black);
        painter.setFont(zarb::forms::gameFont(12, true));
        painter.fillRect(left, Qt::white);
        painter.drawText(left, Qt::AlignLeft | Qt::AlignTop,
                         QStringLiteral("Player 1:  %1").arg(points));
        painter.fillRect(right, Qt::white);
        painter.drawText(right, Qt::AlignLeft | Qt::AlignTop,
                         QStringLiteral("Player 2:  %1").arg(9 - points));
        painter.setFont(zarb::forms::gameFont(13.5, true));
        painter.fillRect(status, Qt::white);
        painter.drawText(status, Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap,
                         QStringLiteral("Two Players"));
    }

    QPixmap paddle_;
    QPixmap ball_;
    bool withText_;
    int frame_ = 0;
};

// The game window's menus by caption and shortcut, with no handlers: "-" is a separator, and
// Edit holds three submenus of checkable items.
void addGameMenus(QMenuBar& bar) {
    using Items = std::vector<std::pair<const char*, const char*>>;
    const auto fill = [](QMenu* menu, const Items& items, bool checkable) {
        for (const auto& [caption, shortcut] : items) {
            if (std::strcmp(caption, "-") == 0) {
                menu->addSeparator();
                continue;
            }
            QAction* action = menu->addAction(QString::fromUtf8(caption));
            action->setCheckable(checkable);
            if (*shortcut != '\0') {
                action->setShortcut(QKeySequence(QString::fromUtf8(shortcut)));
            }
        }
    };
    fill(bar.addMenu(QStringLiteral("&File")),
         {{"&New Game", "Ctrl+N"},
          {"&End Game", "Ctrl+E"},
          {"Pause", "Ctrl+P"},
          {"-", ""},
          {"E&xit", "Ctrl+X"}},
         false);
    QMenu* edit = bar.addMenu(QStringLiteral("&Edit"));
    fill(edit->addMenu(QStringLiteral("Speed")),
         {{"Sluggish", ""}, {"Slow", ""}, {"Medium", ""}, {"Fast", ""}, {"Supersonic", ""}}, true);
    fill(edit->addMenu(QStringLiteral("Players")),
         {{"&One Player", "Ctrl+O"}, {"&Two Players", "Ctrl+T"}}, true);
    fill(edit->addMenu(QStringLiteral("Level")),
         {{"Level 1", ""}, {"Level 2", ""}, {"Level 3", ""}, {"Level 4", ""}, {"Level 5", ""}},
         true);
    fill(bar.addMenu(QStringLiteral("Help")),
         {{"&Rules", "Ctrl+R"}, {"&Controls", "Ctrl+C"}, {"-", ""}, {"&About", "Ctrl+A"}}, false);
}

// The bare baseline is a field of the game window's whole size; the fair one a main window
// with the game's menu bar over a field of the game's field size.
int runBaseline(BenchApplication& application, double startedMs, double seconds, int width,
                int height, bool fair) {
    // The window first: it must outlive the field it holds.
    QMainWindow window;
    BaselineField field(fair);
    field.setFixedSize(width, height);
    QWidget* shown = &field;
    if (fair) {
        window.setCentralWidget(&field);
        addGameMenus(*window.menuBar());
        shown = &window;
    }
    Window measured;

    // QTimer counts whole milliseconds: 64 Hz needs a deadline every 15.625 ms and a single shot
    // to the next one, or the rate would be 62.5 or 66.7 Hz.
    QTimer timer;
    timer.setSingleShot(true);
    timer.setTimerType(Qt::PreciseTimer);
    double deadline = 0;
    const auto scheduleNext = [&] {
        timer.start(std::max(0, static_cast<int>(std::ceil(deadline - nowMs()))));
    };
    QObject::connect(&timer, &QTimer::timeout, [&] {
        const double now = nowMs();
        if (now < deadline) {
            scheduleNext();
            return;
        }
        deadline = now >= deadline + kTickMs ? now + kTickMs : deadline + kTickMs;
        scheduleNext();
        if (measured.open) {
            measured.ticksMs.push_back(now);
        }
        field.step();
    });

    bool seen = false;
    application.painted = [&](QObject* receiver, double endMs, double paintCpuMs) {
        if (receiver != &field) {
            return;
        }
        if (!seen) {
            seen = true;
            report("first_frame_ms", endMs - startedMs);
            // As long as the game waits before its rally is measured.
            QTimer::singleShot(kServeAndSettleMs, [&] { measured.begin(); });
            QTimer::singleShot(kServeAndSettleMs + static_cast<int>(seconds * 1000), [&] {
                const double endWall = nowMs();
                const double endCpu = cpuMs();
                measured.open = false;
                reportWindow(measured, endWall, endCpu);
                report("peak_rss_mib", peakRssMiB());
                QCoreApplication::exit(0);
            });
        }
        if (measured.open) {
            ++measured.frames;
            measured.paintMs += paintCpuMs;
        }
    };

    shown->show();
    deadline = nowMs() + kTickMs;
    scheduleNext();
    return QApplication::exec();
}

// The game as zarb's main() puts it together, for the children that drive it step by step.
struct GameUnderTest {
    zarb::forms::QtPlatform platform;
    zarb::Program program{platform};
    long ticks = 0;
    std::function<void()> afterTick;
    zarb::forms::DesktopClock clock{program.timers(), platform, [this] {
                                        ++ticks;
                                        platform.refreshWindows();
                                        if (afterTick && program.zarb() != nullptr) {
                                            afterTick();
                                        }
                                    }};

    GameUnderTest() { platform.setProgram(program); }
    QWidget& window() { return *platform.gameWindow(); }
    zarb::ZarbWindow& zarb() { return *program.zarb(); }
    void press(int key, bool down) {
        QKeyEvent event(down ? QEvent::KeyPress : QEvent::KeyRelease, key, Qt::NoModifier);
        QCoreApplication::sendEvent(&window(), &event);
    }
};

// The four states, each entered on the parent's word "next" and announced with "state N" once
// settled; "count" asks for the clock ticks and timer events so far. The parent asks just
// before and just after it measures, so these wake-ups fall outside the stretch it counts.
int runIdle(BenchApplication& application) {
    GameUnderTest game;
    zarb::bench::Player left(Qt::Key_A, Qt::Key_Z, true);
    zarb::bench::Player right(Qt::Key_Apostrophe, Qt::Key_Slash, false);
    bool steering = false;
    game.afterTick = [&] {
        if (steering) {
            const auto press = [&game](int key, bool down) { game.press(key, down); };
            left.steer(game.zarb(), press);
            right.steer(game.zarb(), press);
        }
    };
    struct State {
        std::function<void()> enter;
        int settleMs;
    };
    const std::vector<State> states = {
        {[] {}, 1000},
        {[&] { game.platform.splashWindow()->findChild<QPushButton*>("cmdPlay")->click(); }, 1000},
        {[&] {
             game.window().findChild<QAction*>("mnuTwo")->trigger();
             pressKey(game.window(), Qt::Key_F1);
             steering = true;
         },
         kServeAndSettleMs},
        {[&] {
             steering = false;
             pressKey(game.window(), Qt::Key_Escape);
         },
         1000},
    };
    std::size_t next = 0;
    const auto enterNext = [&] {
        if (next == states.size()) {
            QCoreApplication::exit(0);
            return;
        }
        const std::size_t entered = next++;
        states[entered].enter();
        QTimer::singleShot(states[entered].settleMs,
                           [entered] { report("state", static_cast<double>(entered)); });
    };

    QSocketNotifier words(STDIN_FILENO, QSocketNotifier::Read);
    std::string pending;
    QObject::connect(&words, &QSocketNotifier::activated, [&] {
        char buffer[64];
        const ssize_t got = read(STDIN_FILENO, buffer, sizeof buffer);
        if (got <= 0) {
            QCoreApplication::exit(1);
            return;
        }
        pending.append(buffer, static_cast<std::size_t>(got));
        for (std::size_t end; (end = pending.find('\n')) != std::string::npos;) {
            const std::string word = pending.substr(0, end);
            pending.erase(0, end + 1);
            if (word == "count") {
                report("ticks", static_cast<double>(game.ticks));
                report("count_at_ms", nowMs());
                report("timer_events", static_cast<double>(application.timerEvents));
            } else if (word == "next") {
                enterNext();
            }
        }
    });

    game.program.start();
    game.clock.start();
    enterNext();
    return QApplication::exec();
}

// Single presses of the left paddle's keys in a one-player match, each at a random moment: a
// random wait after the last one has shown, and for each the time from the key-down reaching
// the game window to the end of the window update that painted the paddle at its new place.
int runKeys(BenchApplication& application, int presses) {
    GameUnderTest game;
    std::mt19937 random(20261206);
    std::uniform_int_distribution<int> waitMs(0, 2 * static_cast<int>(kTickMs));
    std::vector<double> latencies;
    std::vector<double> phases;      // how long after a clock tick each key went down
    std::vector<double> afterTicks;  // from the end of the tick that moved the paddle
    double lastTickMs = 0;
    double downMs = 0;
    float topBefore = 0;
    int heldKey = 0;
    bool movedPainted = false;

    game.afterTick = [&] {
        lastTickMs = nowMs();
        // New Game before the computer wins: no box interrupts the presses.
        zarb::ZarbWindow& w = game.zarb();
        if (heldKey == 0 && w.player2Score >= 8) {
            pressKey(game.window(), Qt::Key_F1);
        }
    };
    std::function<void()> pressLater;
    const auto pressNow = [&] {
        const zarb::ZarbWindow& w = game.zarb();
        // Away from the nearer edge, so the paddle always has room to move.
        heldKey = w.imgLeft.Top < 3000 ? Qt::Key_Z : Qt::Key_A;
        topBefore = w.imgLeft.Top;
        movedPainted = false;
        game.press(heldKey, true);
    };
    pressLater = [&] { QTimer::singleShot(waitMs(random), Qt::PreciseTimer, pressNow); };
    application.keyDown = [&](double ms) {
        if (heldKey != 0) {
            downMs = ms;
            phases.push_back(ms - lastTickMs);
        }
    };
    // Found once: a search of the window's children on every paint would add to the times taken.
    QWidget* field = nullptr;
    application.painted = [&](QObject* receiver, double, double) {
        if (field == nullptr && game.platform.gameWindow() != nullptr) {
            field = game.window().findChild<QWidget*>("field");
        }
        if (heldKey != 0 && field != nullptr && receiver == field &&
            game.zarb().imgLeft.Top != topBefore) {
            movedPainted = true;
        }
    };
    application.updated = [&](QObject* receiver, double endMs) {
        if (heldKey == 0 || !movedPainted || receiver != application.keyWindow) {
            return;
        }
        latencies.push_back(endMs - downMs);
        afterTicks.push_back(endMs - lastTickMs);
        const int key = heldKey;
        heldKey = 0;
        game.press(key, false);
        if (static_cast<int>(latencies.size()) < presses) {
            pressLater();
            return;
        }
        report("key_presses", static_cast<double>(latencies.size()));
        report("key_median_ms", percentile(latencies, 0.5));
        report("key_p99_ms", percentile(latencies, 0.99));
        report("key_worst_ms", percentile(latencies, 1.0));
        report("key_phase_min_ms", percentile(phases, 0.0));
        report("key_phase_max_ms", percentile(phases, 1.0));
        report("tick_to_screen_median_ms", percentile(afterTicks, 0.5));
        report("tick_to_screen_p99_ms", percentile(afterTicks, 0.99));
        QCoreApplication::exit(0);
    };

    game.program.start();
    game.clock.start();
    game.platform.splashWindow()->findChild<QPushButton*>("cmdPlay")->click();
    application.keyWindow = &game.window();
    pressKey(game.window(), Qt::Key_F1);
    QTimer::singleShot(kServeAndSettleMs, pressLater);
    // Each press shows within a few ticks; a run that takes minutes has lost its way.
    QTimer::singleShot(std::max(60, presses / 5) * 1000, [] {
        std::fprintf(stderr, "zarb-bench-desktop: the key presses stopped showing\n");
        QCoreApplication::exit(1);
    });
    return QApplication::exec();
}

int runChild(int argc, char** argv) {
    // mode, start time, seconds[, width, height]
    const std::string mode = argv[2];
    const double startedMs = std::strtod(argv[3], nullptr);
    const double seconds = std::strtod(argv[4], nullptr);
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    qInstallMessageHandler(quietMessages);
    int qtArgc = 1;
    BenchApplication application(qtArgc, argv);
    if ((mode == "baseline" || mode == "fair") && argc >= 7) {
        return runBaseline(application, startedMs, seconds, std::atoi(argv[5]), std::atoi(argv[6]),
                           mode == "fair");
    }
    if (mode == "idle") {
        return runIdle(application);
    }
    if (mode == "keys") {
        return runKeys(application, static_cast<int>(seconds));
    }
    return runGame(application, startedMs, seconds, mode == "stall", mode == "busy");
}

// ---- The parent: runs the children one after the other and prints the table.

using Results = std::map<std::string, double>;

// What the parent hears of a running child: each line it prints, with a way to answer it.
struct ChildLine {
    const std::string& name;
    double value;
    pid_t child;
    FILE* answer;
    Results& results;
};

// Runs this program again in the given mode and reads its results, passing each line to
// `heard` as it comes.
Results runChildProcess(const std::vector<std::string>& arguments,
                        const std::function<void(const ChildLine&)>& heard = {}) {
    int out[2];
    int in[2];
    if (pipe(out) != 0 || pipe(in) != 0) {
        std::perror("pipe");
        std::exit(1);
    }
    const double started = nowMs();
    const pid_t child = fork();
    if (child < 0) {
        std::perror("fork");
        std::exit(1);
    }
    if (child == 0) {
        dup2(out[1], STDOUT_FILENO);
        dup2(in[0], STDIN_FILENO);
        close(out[0]);
        close(out[1]);
        close(in[0]);
        close(in[1]);
        std::vector<std::string> words = {"zarb-bench-desktop", "--child", arguments[0],
                                          std::to_string(started)};
        words.insert(words.end(), arguments.begin() + 1, arguments.end());
        std::vector<char*> argv;
        for (std::string& word : words) {
            argv.push_back(word.data());
        }
        argv.push_back(nullptr);
        execv("/proc/self/exe", argv.data());
        std::perror("execv");
        _exit(127);
    }
    close(out[1]);
    close(in[0]);
    FILE* lines = fdopen(out[0], "r");
    FILE* answer = fdopen(in[1], "w");
    Results results;
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, lines) != nullptr) {
        char name[128];
        double value = 0;
        if (std::sscanf(buffer, "%127s %lf", name, &value) != 2) {
            continue;
        }
        results[name] = value;
        if (heard) {
            heard({name, value, child, answer, results});
        }
    }
    std::fclose(lines);
    std::fclose(answer);
    int status = 0;
    waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "zarb-bench-desktop: the %s run failed\n", arguments[0].c_str());
        std::exit(1);
    }
    return results;
}

// The game stopped for stallMs, stallAfterMs after it says it is playing.
Results runStalledGame(int stallAfterMs, int stallMs) {
    return runChildProcess({"stall", "8"}, [=](const ChildLine& line) {
        if (line.name == "playing") {
            std::this_thread::sleep_for(std::chrono::milliseconds(stallAfterMs));
            kill(line.child, SIGSTOP);
            std::this_thread::sleep_for(std::chrono::milliseconds(stallMs));
            kill(line.child, SIGCONT);
        }
    });
}

// The context switches of a thread from its /proc status: every time it slept or was put
// aside, it had to be woken again.
long contextSwitches(const std::string& statusFile) {
    std::ifstream status(statusFile);
    long total = 0;
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("voluntary_ctxt_switches:", 0) == 0 ||
            line.rfind("nonvoluntary_ctxt_switches:", 0) == 0) {
            total += std::stol(line.substr(line.find(':') + 1));
        }
    }
    return total;
}

struct WakeUps {
    double atMs = 0;
    long mainThread = 0;
    long process = 0;  // all threads that live at the moment
    int threads = 0;
};

WakeUps wakeUpsOf(pid_t pid) {
    WakeUps counted;
    counted.atMs = nowMs();
    const std::string tasks = "/proc/" + std::to_string(pid) + "/task/";
    counted.mainThread = contextSwitches(tasks + std::to_string(pid) + "/status");
    if (DIR* dir = opendir(tasks.c_str())) {
        while (const dirent* entry = readdir(dir)) {
            if (entry->d_name[0] != '.') {
                counted.process += contextSwitches(tasks + entry->d_name + "/status");
                ++counted.threads;
            }
        }
        closedir(dir);
    }
    return counted;
}

const char* const kIdleStates[] = {"Splash", "Game window between matches", "Rally, two players",
                                   "Paused in a rally"};

// Counts, for each of the idle child's states, over `seconds`: results "<state>_clock_hz",
// "_timer_hz", "_main_hz", "_process_hz" and "_threads".
Results runIdleStates(double seconds) {
    WakeUps from;
    double ticksFrom = 0;
    double timerEventsFrom = 0;
    double countedFromMs = 0;
    bool measuring = false;
    int state = 0;
    const auto say = [](FILE* answer, const char* word) {
        std::fprintf(answer, "%s\n", word);
        std::fflush(answer);
    };
    return runChildProcess({"idle", "0"}, [&](const ChildLine& line) {
        if (line.name == "state") {
            state = static_cast<int>(line.value);
            say(line.answer, "count");
            return;
        }
        if (line.name != "timer_events") {
            return;
        }
        // The child has just answered "count": it sleeps again before the first snapshot.
        if (!measuring) {
            measuring = true;
            ticksFrom = line.results["ticks"];
            timerEventsFrom = line.value;
            countedFromMs = line.results["count_at_ms"];
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            from = wakeUpsOf(line.child);
            std::this_thread::sleep_for(
                std::chrono::milliseconds(static_cast<int>(seconds * 1000)));
            const WakeUps to = wakeUpsOf(line.child);
            const double spanS = (to.atMs - from.atMs) / 1000.0;
            const std::string key = std::to_string(state);
            line.results[key + "_main_hz"] =
                static_cast<double>(to.mainThread - from.mainThread) / spanS;
            line.results[key + "_process_hz"] =
                static_cast<double>(to.process - from.process) / spanS;
            line.results[key + "_threads"] = to.threads;
            say(line.answer, "count");
            return;
        }
        measuring = false;
        const std::string key = std::to_string(state);
        const double spanS = (line.results["count_at_ms"] - countedFromMs) / 1000.0;
        line.results[key + "_clock_hz"] = (line.results["ticks"] - ticksFrom) / spanS;
        line.results[key + "_timer_hz"] = (line.value - timerEventsFrom) / spanS;
        say(line.answer, "next");
    });
}

double ratio(double game, double baseline) {
    return baseline == 0 ? 0 : game / baseline;
}

void printRow(const char* name, Results& r) {
    std::printf("| %s | %.3f | %.3f | %.3f | %.1f (%.1f %%) | %.1f | %.0f |\n", name, r["rate_hz"],
                r["interval_median_ms"], r["interval_p99_ms"], r["cpu_ms_per_s"],
                r["cpu_ms_per_s"] / 10.0, r["peak_rss_mib"], r["first_frame_ms"]);
}

// A game row's measures each as a ratio to the baseline's.
void printRatioRow(const char* name, Results& game, Results& baseline) {
    std::printf("| %s | %.4f | %.3f | %.3f | %.2f | %.2f | %.2f |\n", name,
                ratio(game["rate_hz"], baseline["rate_hz"]),
                ratio(game["interval_median_ms"], baseline["interval_median_ms"]),
                ratio(game["interval_p99_ms"], baseline["interval_p99_ms"]),
                ratio(game["cpu_ms_per_s"], baseline["cpu_ms_per_s"]),
                ratio(game["peak_rss_mib"], baseline["peak_rss_mib"]),
                ratio(game["first_frame_ms"], baseline["first_frame_ms"]));
}

const char* verdict(bool met) {
    return met ? "met" : "MISSED";
}

// How many key presses the key-to-screen row is timed over.
constexpr int kKeyPresses = 600;

int runParent(double seconds) {
    const std::string duration = std::to_string(seconds);
    Results game = runChildProcess({"game", duration});
    Results baseline =
        runChildProcess({"baseline", duration, std::to_string(static_cast<int>(game["width"])),
                         std::to_string(static_cast<int>(game["height"]))});
    Results fair =
        runChildProcess({"fair", duration, std::to_string(static_cast<int>(game["field_width"])),
                         std::to_string(static_cast<int>(game["field_height"]))});
    Results busy = runChildProcess({"busy", duration});
    Results stall = runStalledGame(2000, 1000);
    const double idleSeconds = seconds / 2;
    Results idle = runIdleStates(idleSeconds);
    Results keys = runChildProcess({"keys", std::to_string(kKeyPresses)});

    std::printf("Desktop, offscreen platform, %.0f s of play each, %dx%d window\n\n", seconds,
                static_cast<int>(game["width"]), static_cast<int>(game["height"]));
    std::printf(
        "| Program | Ticks/s (Hz) | Interval median (ms) | Interval p99 (ms) | "
        "CPU per second (ms/s, %% of a core) | Peak RSS (MiB) | First frame (ms) |\n");
    std::printf("|---|---|---|---|---|---|---|\n");
    printRow("Game (FrmZarb, two players, rally)", game);
    printRow("Baseline (bare QWidget, 3 pictures)", baseline);
    printRatioRow("Game / baseline", game, baseline);
    printRow("Fair baseline (menu bar, 3 pictures, score labels)", fair);
    printRatioRow("Game / fair baseline", game, fair);
    printRow("Game, level 5, one player, the computer scoring", busy);
    printRatioRow("Busy game / baseline", busy, baseline);
    std::printf(
        "\n| Game stopped %.0f ms (SIGSTOP, SIGCONT), then | Ticks in the first 50 ms | "
        "Most ticks in any 50 ms of the first second | Ticks/s from then on |\n",
        stall["stall_gap_ms"]);
    std::printf("|---|---|---|---|\n");
    std::printf("| resumed, measured for %.1f s | %.0f | %.0f | %.3f |\n",
                stall["stall_rate_after_s"], stall["stall_first_50ms_ticks"],
                stall["stall_most_in_50ms"], stall["stall_rate_after_hz"]);

    std::printf(
        "\n| Game, %.0f s in each state | Clock ticks/s | Qt timer events/s | "
        "Main thread wake-ups/s | Process wake-ups/s (threads) | Target |\n",
        idleSeconds);
    std::printf("|---|---|---|---|---|---|\n");
    bool idleMet = true;
    double worstIdleClock = 0;
    double worstIdleProcess = 0;
    for (int state = 0; state < 4; ++state) {
        const std::string key = std::to_string(state);
        // The splash and a paused match have no timer enabled.
        const bool still = state == 0 || state == 3;
        const double clock = idle[key + "_clock_hz"];
        const double timers = idle[key + "_timer_hz"];
        const double process = idle[key + "_process_hz"];
        std::string target = "-";
        if (still) {
            const bool met = clock == 0 && timers == 0 && process <= 2;
            idleMet = idleMet && met;
            worstIdleClock = std::max({worstIdleClock, clock, timers});
            worstIdleProcess = std::max(worstIdleProcess, process);
            target = std::string("0 clock, process at most 2: ") + verdict(met);
        }
        std::printf("| %s | %.1f | %.1f | %.1f | %.1f (%.0f) | %s |\n", kIdleStates[state], clock,
                    timers, idle[key + "_main_hz"], process, idle[key + "_threads"],
                    target.c_str());
    }

    const bool keysMet = keys["key_p99_ms"] <= 16.5;
    std::printf(
        "\n| Key to screen (%.0f presses, %.1f to %.1f ms after a tick) | Median (ms) | "
        "p99 (ms) | Worst (ms) | Target |\n",
        keys["key_presses"], keys["key_phase_min_ms"], keys["key_phase_max_ms"]);
    std::printf("|---|---|---|---|---|\n");
    std::printf(
        "| key-down to the update that shows the paddle moved | %.2f | %.2f | %.2f | "
        "p99 at most 16.5 ms: %s |\n",
        keys["key_median_ms"], keys["key_p99_ms"], keys["key_worst_ms"], verdict(keysMet));

    std::printf(
        "\nDetails: game frames %.1f/s, field paint %.0f us, FrmZarb::refresh %.1f us "
        "a tick (%.2f ms/s), late ticks %.0f, longest interval %.2f ms, first field "
        "frame after PLAY! at %.0f ms, %.0f points in the rally, ball %s at the end.\n",
        game["frames_per_s"], game["paint_us"], game["refresh_us"],
        game["refresh_us"] * game["rate_hz"] / 1000.0, game["late_ticks"], game["interval_max_ms"],
        game["field_first_frame_ms"], game["points"],
        game["ball_moving"] != 0 ? "moving" : "at rest");
    std::printf(
        "Baseline frames %.1f/s, paint %.0f us, late ticks %.0f, longest interval "
        "%.2f ms.\n",
        baseline["frames_per_s"], baseline["paint_us"], baseline["late_ticks"],
        baseline["interval_max_ms"]);
    std::printf("Fair baseline frames %.1f/s, paint %.0f us.\n", fair["frames_per_s"],
                fair["paint_us"]);
    std::printf(
        "Key to screen from the end of the tick that moved the paddle: median %.2f ms, "
        "p99 %.2f ms.\n",
        keys["tick_to_screen_median_ms"], keys["tick_to_screen_p99_ms"]);
    std::printf("Busy game frames %.1f/s, field paint %.0f us, %.0f points.\n",
                busy["frames_per_s"], busy["paint_us"], busy["points"]);

    const double rateError = std::fabs(game["rate_hz"] - 64.0) / 64.0;
    const double p99Error = std::fabs(game["interval_p99_ms"] - kTickMs);
    const double cpuRatio = ratio(game["cpu_ms_per_s"], baseline["cpu_ms_per_s"]);
    const double rssRatio = ratio(game["peak_rss_mib"], baseline["peak_rss_mib"]);
    const double fairRssRatio = ratio(game["peak_rss_mib"], fair["peak_rss_mib"]);
    std::printf("\nTargets:\n");
    std::printf("- 64.0 ticks/s within 0.1 %%: %s (off by %.3f %%)\n", verdict(rateError <= 0.001),
                100 * rateError);
    std::printf("- p99 interval within 2 ms of 15.625 ms: %s (off by %.2f ms)\n",
                verdict(p99Error <= 2.0), p99Error);
    std::printf("- CPU per second at most 1.2x the baseline's: %s (%.2fx)\n",
                verdict(cpuRatio <= 1.2), cpuRatio);
    std::printf("- peak RSS at most 1.1x the bare baseline's: %s (%.2fx)\n",
                verdict(rssRatio <= 1.1), rssRatio);
    std::printf("- peak RSS at most 1.1x the fair baseline's: %s (%.2fx)\n",
                verdict(fairRssRatio <= 1.1), fairRssRatio);
    std::printf("- no burst after a stall, at most 4 ticks in any 50 ms: %s (%.0f)\n",
                verdict(stall["stall_most_in_50ms"] <= 4), stall["stall_most_in_50ms"]);
    std::printf(
        "- on the splash and while paused, 0 clock wake-ups a second and the process at most 2: "
        "%s (clock %.1f, process %.1f)\n",
        verdict(idleMet), worstIdleClock, worstIdleProcess);
    std::printf("- key to screen p99 at most 16.5 ms: %s (%.2f ms)\n", verdict(keysMet),
                keys["key_p99_ms"]);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 5 && std::strcmp(argv[1], "--child") == 0) {
        return runChild(argc, argv);
    }
    const double seconds = argc > 1 ? std::strtod(argv[1], nullptr) : 10.0;
    if (!(seconds > 0 && seconds <= 600)) {
        std::fprintf(stderr, "usage: zarb-bench-desktop [SECONDS]\n");
        return 1;
    }
    return runParent(seconds);
}
