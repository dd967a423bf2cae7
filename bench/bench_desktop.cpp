// What the desktop game costs beside a bare window that does the least a 64 Hz game must do.
// Both run on the offscreen platform, each in a child process of its own (this program run
// again with a mode word), so CPU time and peak memory are each program's alone:
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
// - stall: the game again, stopped with SIGSTOP for a second in mid-rally and continued.
//
//   build/bench/zarb-bench-desktop [SECONDS]
//
// The ticks of the game are seen through the callback DesktopClock calls after each clock tick
// (main() passes one that redraws the windows; ours notes the time and then redraws), and its
// frames through the application's event dispatch, so nothing in forms/ is changed for this.

#include <signal.h>
#include <sys/resource.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "bench/bench_players.h"
#include "forms/desktop_clock.h"
#include "forms/frm_splash.h"
#include "forms/frm_zarb.h"
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

// The application with one addition: it sees each paint event out of the dispatch, so a frame
// is known once it is painted, with the CPU time its painting took.
class BenchApplication : public QApplication {
  public:
    using QApplication::QApplication;
    std::function<void(QObject*, double endMs, double cpuMs)> painted;

    bool notify(QObject* receiver, QEvent* event) override {
        if (event->type() != QEvent::Paint || !painted) {
            return QApplication::notify(receiver, event);
        }
        const double cpuStart = threadCpuMs();
        const bool done = QApplication::notify(receiver, event);
        const double cpu = threadCpuMs() - cpuStart;
        painted(receiver, nowMs(), cpu);
        return done;
    }
};

// The offscreen platform says that it cannot raise a window, and Qt that it picked a runtime
// directory: true, and no news for the table.
void quietMessages(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (text.contains(QStringLiteral("does not support raise")) ||
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
                report("ball_moving", w.ballDirX != 0 ? 1 : 0);
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
// every tick.
class BaselineField : public QWidget {
  public:
    BaselineField() : paddle_(QStringLiteral(":/paddle.gif")), ball_(QStringLiteral(":/ball.gif")) {
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
        // The ball runs to and fro across the field, the paddles ride up and down.
        const int across = width() - ball_.width();
        const int x = std::abs((frame_ * 10) % (2 * across) - across);
        const int y = std::abs((frame_ * 3) % (2 * (height() - ball_.height())) -
                               (height() - ball_.height()));
        const int paddleY = std::abs((frame_ * 8) % (2 * (height() - paddle_.height())) -
                                     (height() - paddle_.height()));
        painter.drawPixmap(0, paddleY, paddle_);
        painter.drawPixmap(width() - paddle_.width(), height() - paddle_.height() - paddleY,
                           paddle_);
        painter.drawPixmap(x, y, ball_);
    }

  private:
    QPixmap paddle_;
    QPixmap ball_;
    int frame_ = 0;
};

int runBaseline(BenchApplication& application, double startedMs, double seconds, int width,
                int height) {
    BaselineField field;
    field.setFixedSize(width, height);
    Window window;

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
        if (window.open) {
            window.ticksMs.push_back(now);
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
            QTimer::singleShot(kServeAndSettleMs, [&] { window.begin(); });
            QTimer::singleShot(kServeAndSettleMs + static_cast<int>(seconds * 1000), [&] {
                const double endWall = nowMs();
                const double endCpu = cpuMs();
                window.open = false;
                reportWindow(window, endWall, endCpu);
                report("peak_rss_mib", peakRssMiB());
                QCoreApplication::exit(0);
            });
        }
        if (window.open) {
            ++window.frames;
            window.paintMs += paintCpuMs;
        }
    };

    field.show();
    deadline = nowMs() + kTickMs;
    scheduleNext();
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
    if (mode == "baseline" && argc >= 7) {
        return runBaseline(application, startedMs, seconds, std::atoi(argv[5]), std::atoi(argv[6]));
    }
    return runGame(application, startedMs, seconds, mode == "stall", mode == "busy");
}

// ---- The parent: runs the children one after the other and prints the table.

using Results = std::map<std::string, double>;

// Runs this program again in the given mode and reads its results. With a stall, the child is
// stopped for stallMs, stallAfterMs after it says it is playing.
Results runChildProcess(const std::vector<std::string>& arguments, int stallAfterMs = 0,
                        int stallMs = 0) {
    int out[2];
    if (pipe(out) != 0) {
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
        close(out[0]);
        close(out[1]);
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
    FILE* lines = fdopen(out[0], "r");
    Results results;
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, lines) != nullptr) {
        char name[128];
        double value = 0;
        if (std::sscanf(buffer, "%127s %lf", name, &value) != 2) {
            continue;
        }
        results[name] = value;
        if (stallMs > 0 && std::strcmp(name, "playing") == 0) {
            std::this_thread::sleep_for(std::chrono::milliseconds(stallAfterMs));
            kill(child, SIGSTOP);
            std::this_thread::sleep_for(std::chrono::milliseconds(stallMs));
            kill(child, SIGCONT);
        }
    }
    std::fclose(lines);
    int status = 0;
    waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "zarb-bench-desktop: the %s run failed\n", arguments[0].c_str());
        std::exit(1);
    }
    return results;
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

int runParent(double seconds) {
    const std::string duration = std::to_string(seconds);
    Results game = runChildProcess({"game", duration});
    Results baseline =
        runChildProcess({"baseline", duration, std::to_string(static_cast<int>(game["width"])),
                         std::to_string(static_cast<int>(game["height"]))});
    Results busy = runChildProcess({"busy", duration});
    Results stall = runChildProcess({"stall", "8"}, 2000, 1000);

    std::printf("Desktop, offscreen platform, %.0f s of play each, %dx%d window\n\n", seconds,
                static_cast<int>(game["width"]), static_cast<int>(game["height"]));
    std::printf(
        "| Program | Ticks/s (Hz) | Interval median (ms) | Interval p99 (ms) | "
        "CPU per second (ms/s, %% of a core) | Peak RSS (MiB) | First frame (ms) |\n");
    std::printf("|---|---|---|---|---|---|---|\n");
    printRow("Game (FrmZarb, two players, rally)", game);
    printRow("Baseline (bare QWidget, 3 pictures)", baseline);
    printRatioRow("Game / baseline", game, baseline);
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
    std::printf("Busy game frames %.1f/s, field paint %.0f us, %.0f points.\n",
                busy["frames_per_s"], busy["paint_us"], busy["points"]);

    const double rateError = std::fabs(game["rate_hz"] - 64.0) / 64.0;
    const double p99Error = std::fabs(game["interval_p99_ms"] - kTickMs);
    const double cpuRatio = ratio(game["cpu_ms_per_s"], baseline["cpu_ms_per_s"]);
    const double rssRatio = ratio(game["peak_rss_mib"], baseline["peak_rss_mib"]);
    std::printf("\nTargets:\n");
    std::printf("- 64.0 ticks/s within 0.1 %%: %s (off by %.3f %%)\n", verdict(rateError <= 0.001),
                100 * rateError);
    std::printf("- p99 interval within 2 ms of 15.625 ms: %s (off by %.2f ms)\n",
                verdict(p99Error <= 2.0), p99Error);
    std::printf("- CPU per second at most 1.2x the baseline's: %s (%.2fx)\n",
                verdict(cpuRatio <= 1.2), cpuRatio);
    std::printf("- peak RSS at most 1.1x the baseline's: %s (%.2fx)\n", verdict(rssRatio <= 1.1),
                rssRatio);
    std::printf("- no burst after a stall, at most 4 ticks in any 50 ms: %s (%.0f)\n",
                verdict(stall["stall_most_in_50ms"] <= 4), stall["stall_most_in_50ms"]);
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
