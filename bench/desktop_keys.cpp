// Key to screen: single presses of the left paddle's keys in a one-player match, each at a
// random moment (a random wait after the last one has shown), and for each the time from the
// key-down reaching the game window to the end of the window update that painted the paddle at
// its new place.

#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <random>
#include <vector>

#include "bench/desktop_runs.h"
#include "bench/game_under_test.h"
#include "game/field_layout.h"

namespace zarb::bench {

namespace {

class KeyPresses {
  public:
    KeyPresses(BenchApplication& application, int presses)
        : application_(application), presses_(presses) {
        game_.afterTick = [this] { onTick(); };
        application_.keyDown = [this](double ms) {
            if (heldKey_ != 0) {
                downMs_ = ms;
                phases_.push_back(ms - lastTickMs_);
            }
        };
        application_.painted = [this](QObject* receiver, double, double) { onPaint(receiver); };
        application_.updated = [this](QObject* receiver, double endMs) {
            onUpdated(receiver, endMs);
        };
    }
    ~KeyPresses() {
        application_.keyDown = nullptr;
        application_.painted = nullptr;
        application_.updated = nullptr;
    }

    int exec() {
        game_.start();
        game_.pressPlay();
        application_.keyWindow = &game_.window();
        tapKey(game_.window(), Qt::Key_F1);
        QTimer::singleShot(kServeAndSettleMs, [this] { pressLater(); });
        // Each press shows within a few ticks; a run that takes minutes has lost its way.
        QTimer::singleShot(std::max(60, presses_ / 5) * 1000, [] {
            std::fprintf(stderr, "zarb-bench-desktop: the key presses stopped showing\n");
            QCoreApplication::exit(1);
        });
        return QApplication::exec();
    }

  private:
    void onTick() {
        lastTickMs_ = nowMs();
        // New Game before the computer wins: no box interrupts the presses.
        if (heldKey_ == 0 && game_.zarb().player2Score >= 8) {
            tapKey(game_.window(), Qt::Key_F1);
        }
    }

    void pressLater() {
        QTimer::singleShot(waitMs_(random_), Qt::PreciseTimer, [this] { pressNow(); });
    }

    void pressNow() {
        const ZarbWindow& w = game_.zarb();
        // Towards the ball's home in the middle of the field, so the paddle has room to move.
        const bool high = w.imgLeft.Top + layout::kPaddleMiddle < layout::kBallHomeTop;
        heldKey_ = high ? Qt::Key_Z : Qt::Key_A;
        topBefore_ = w.imgLeft.Top;
        movedPainted_ = false;
        game_.press(heldKey_, true);
    }

    void onPaint(QObject* receiver) {
        // Found once: a search of the window's children on every paint would add to the times.
        if (field_ == nullptr && game_.platform.gameWindow() != nullptr) {
            field_ = game_.field();
        }
        if (heldKey_ != 0 && field_ != nullptr && receiver == field_ &&
            game_.zarb().imgLeft.Top != topBefore_) {
            movedPainted_ = true;
        }
    }

    void onUpdated(QObject* receiver, double endMs) {
        if (heldKey_ == 0 || !movedPainted_ || receiver != application_.keyWindow) {
            return;
        }
        latencies_.push_back(endMs - downMs_);
        afterTicks_.push_back(endMs - lastTickMs_);
        const int key = heldKey_;
        heldKey_ = 0;
        game_.press(key, false);
        if (static_cast<int>(latencies_.size()) < presses_) {
            pressLater();
            return;
        }
        reportPresses();
        QCoreApplication::exit(0);
    }

    void reportPresses() {
        report("key_presses", static_cast<double>(latencies_.size()));
        report("key_median_ms", percentile(latencies_, 0.5));
        report("key_p99_ms", percentile(latencies_, 0.99));
        report("key_worst_ms", percentile(latencies_, 1.0));
        report("key_phase_min_ms", percentile(phases_, 0.0));
        report("key_phase_max_ms", percentile(phases_, 1.0));
        report("tick_to_screen_median_ms", percentile(afterTicks_, 0.5));
        report("tick_to_screen_p99_ms", percentile(afterTicks_, 0.99));
    }

    BenchApplication& application_;
    int presses_;
    GameUnderTest game_;
    std::mt19937 random_{20261206};
    std::uniform_int_distribution<int> waitMs_{0, 2 * static_cast<int>(TimerService::kTickMs)};
    std::vector<double> latencies_;
    std::vector<double> phases_;      // how long after a clock tick each key went down
    std::vector<double> afterTicks_;  // from the end of the tick that moved the paddle
    double lastTickMs_ = 0;
    double downMs_ = 0;
    float topBefore_ = 0;
    int heldKey_ = 0;
    bool movedPainted_ = false;
    QWidget* field_ = nullptr;
};

}  // namespace

int runKeys(BenchApplication& application, int presses) {
    KeyPresses keys(application, presses);
    return keys.exec();
}

}  // namespace zarb::bench
