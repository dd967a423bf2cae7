// How often the game wakes up in four states, one after the other: the splash, the game window
// between matches, a two-player rally and that rally paused. In each the parent counts the
// context switches of the child's main thread and of all its threads over a stretch of time,
// each one a wake-up, and the child its clock ticks and Qt timer events.
//
// The child enters each state on the parent's word "next" and announces it with "state N" once
// settled; "count" asks it for the clock ticks and timer events so far. The parent asks just
// before and just after it measures, so these wake-ups fall outside the stretch it counts.

#include <dirent.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <QTimer>
#include <chrono>
#include <fstream>
#include <thread>

#include "bench/bench_players.h"
#include "bench/desktop_children.h"
#include "bench/desktop_runs.h"
#include "bench/game_under_test.h"

namespace zarb::bench {

namespace {

class IdleGame {
  public:
    explicit IdleGame(BenchApplication& application) : application_(application) {
        game_.afterTick = [this] {
            if (steering_) {
                const auto press = [this](int key, bool down) { game_.press(key, down); };
                left_.steer(game_.zarb(), press);
                right_.steer(game_.zarb(), press);
            }
        };
        QObject::connect(&words_, &QSocketNotifier::activated, [this] { readWords(); });
    }

    int exec() {
        game_.start();
        enterNext();
        return QApplication::exec();
    }

  private:
    struct State {
        std::function<void()> enter;
        int settleMs;
    };

    void enterNext() {
        if (next_ == states_.size()) {
            QCoreApplication::exit(0);
            return;
        }
        const std::size_t entered = next_++;
        states_[entered].enter();
        QTimer::singleShot(states_[entered].settleMs,
                           [entered] { report("state", static_cast<double>(entered)); });
    }

    void readWords() {
        char buffer[64];
        const ssize_t got = read(STDIN_FILENO, buffer, sizeof buffer);
        if (got <= 0) {
            QCoreApplication::exit(1);
            return;
        }
        pending_.append(buffer, static_cast<std::size_t>(got));
        for (std::size_t end; (end = pending_.find('\n')) != std::string::npos;) {
            const std::string word = pending_.substr(0, end);
            pending_.erase(0, end + 1);
            if (word == "count") {
                report("ticks", static_cast<double>(game_.ticks));
                report("count_at_ms", nowMs());
                report("timer_events", static_cast<double>(application_.timerEvents));
            } else if (word == "next") {
                enterNext();
            }
        }
    }

    BenchApplication& application_;
    GameUnderTest game_;
    Player left_{Qt::Key_A, Qt::Key_Z, true};
    Player right_{Qt::Key_Apostrophe, Qt::Key_Slash, false};
    bool steering_ = false;
    // The splash as it starts; PLAY!; Two Players and F1, the rally kept going; Esc.
    const std::vector<State> states_ = {
        {[] {}, 1000},
        {[this] { game_.pressPlay(); }, 1000},
        {[this] {
             game_.choose("mnuTwo");
             tapKey(game_.window(), Qt::Key_F1);
             steering_ = true;
         },
         kServeAndSettleMs},
        {[this] {
             steering_ = false;
             tapKey(game_.window(), Qt::Key_Escape);
         },
         1000},
    };
    std::size_t next_ = 0;
    QSocketNotifier words_{STDIN_FILENO, QSocketNotifier::Read};
    std::string pending_;
};

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

void say(FILE* answer, const char* word) {
    std::fprintf(answer, "%s\n", word);
    std::fflush(answer);
}

// The parent's side: for each state, the child's counts before, the wake-ups over the stretch,
// the child's counts after, then on to the next state.
class IdleCounter {
  public:
    explicit IdleCounter(double seconds) : seconds_(seconds) {}

    void hear(const ChildLine& line) {
        if (line.name == "state") {
            state_ = std::to_string(static_cast<int>(line.value));
            say(line.answer, "count");
        } else if (line.name == "timer_events" && !measuring_) {
            countWakeUps(line);
        } else if (line.name == "timer_events") {
            countTicks(line);
        }
    }

  private:
    // The child has just answered "count": it sleeps again before the first snapshot.
    void countWakeUps(const ChildLine& line) {
        measuring_ = true;
        ticksFrom_ = line.results["ticks"];
        timerEventsFrom_ = line.value;
        countedFromMs_ = line.results["count_at_ms"];
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        const WakeUps from = wakeUpsOf(line.child);
        std::this_thread::sleep_for(std::chrono::milliseconds(static_cast<int>(seconds_ * 1000)));
        const WakeUps to = wakeUpsOf(line.child);
        const double spanS = (to.atMs - from.atMs) / 1000.0;
        line.results[state_ + "_main_hz"] =
            static_cast<double>(to.mainThread - from.mainThread) / spanS;
        line.results[state_ + "_process_hz"] =
            static_cast<double>(to.process - from.process) / spanS;
        line.results[state_ + "_threads"] = to.threads;
        say(line.answer, "count");
    }

    void countTicks(const ChildLine& line) {
        measuring_ = false;
        const double spanS = (line.results["count_at_ms"] - countedFromMs_) / 1000.0;
        line.results[state_ + "_clock_hz"] = (line.results["ticks"] - ticksFrom_) / spanS;
        line.results[state_ + "_timer_hz"] = (line.value - timerEventsFrom_) / spanS;
        say(line.answer, "next");
    }

    double seconds_;
    std::string state_;
    bool measuring_ = false;
    double ticksFrom_ = 0;
    double timerEventsFrom_ = 0;
    double countedFromMs_ = 0;
};

}  // namespace

int runIdle(BenchApplication& application) {
    IdleGame game(application);
    return game.exec();
}

Results runIdleStates(double seconds) {
    IdleCounter counter(seconds);
    return runChildProcess({"idle", "0"}, [&](const ChildLine& line) { counter.hear(line); });
}

}  // namespace zarb::bench
