// The game under measure: the splash's first frame, PLAY!, the mode and level chosen from the
// menus, F1, and from half a second after the serve the ticks, frames and CPU time of
// `seconds` of play.

#include <QTimer>
#include <QWidget>

#include "bench/bench_players.h"
#include "bench/desktop_runs.h"
#include "bench/game_under_test.h"

namespace zarb::bench {

namespace {

class MeasuredGame {
  public:
    MeasuredGame(BenchApplication& application, double startedMs, double seconds, GamePlay play)
        : application_(application), startedMs_(startedMs), seconds_(seconds), play_(play) {
        game_.afterTick = [this] { onTick(); };
        application_.painted = [this](QObject* receiver, double endMs, double paintCpuMs) {
            onPaint(receiver, endMs, paintCpuMs);
        };
    }

    ~MeasuredGame() { application_.painted = nullptr; }

    int exec() {
        game_.start();
        return game_.program.ended() ? 1 : QApplication::exec();
    }

  private:
    // Two players keep the rally going with A and Z and with ' and /, as key events to the
    // window; in the busy game nobody plays.
    void onTick() {
        if (!span_.open || game_.platform.gameWindow() == nullptr) {
            return;
        }
        span_.ticksMs.push_back(game_.lastTickMs);
        span_.refreshMs += game_.lastRefreshCpuMs;
        if (play_ != GamePlay::busy) {
            const auto press = [this](int key, bool down) { game_.press(key, down); };
            left_.steer(game_.zarb(), press);
            right_.steer(game_.zarb(), press);
        }
    }

    void onPaint(QObject* receiver, double endMs, double paintCpuMs) {
        if (!splashSeen_ && receiver == game_.platform.splashWindow()) {
            splashSeen_ = true;
            report("first_frame_ms", endMs - startedMs_);
            // A person presses PLAY! once the splash is there.
            QTimer::singleShot(0, [this] { game_.pressPlay(); });
        } else if (field_ == nullptr && game_.platform.gameWindow() != nullptr &&
                   receiver == game_.field()) {
            field_ = game_.field();
            report("field_first_frame_ms", endMs - startedMs_);
            startPlaying();
        } else if (receiver == field_) {
            span_.notePaint(paintCpuMs);
        }
    }

    void startPlaying() {
        QWidget& window = game_.window();
        report("width", window.width());
        report("height", window.height());
        report("field_width", field_->width());
        report("field_height", field_->height());
        game_.choose(play_ == GamePlay::busy ? "mnuLevel5" : "mnuTwo");
        tapKey(window, Qt::Key_F1);
        measureAfterSettling(
            span_, seconds_,
            // The parent stops a stalled game a while after this line.
            [] { report("playing", 1); }, [this] { reportPlay(); });
    }

    void reportPlay() {
        const ZarbWindow& w = game_.zarb();
        report("points", w.player1Score + w.player2Score);
        report("ball_moving", w.ballDirX != dir::kAtRest ? 1 : 0);
        if (play_ == GamePlay::stalled) {
            reportStall(span_.ticksMs);
        }
    }

    BenchApplication& application_;
    double startedMs_;
    double seconds_;
    GamePlay play_;
    GameUnderTest game_;
    MeasuredSpan span_;
    Player left_{Qt::Key_A, Qt::Key_Z, true};
    Player right_{Qt::Key_Apostrophe, Qt::Key_Slash, false};
    bool splashSeen_ = false;
    QWidget* field_ = nullptr;
};

}  // namespace

int runGame(BenchApplication& application, double startedMs, double seconds, GamePlay play) {
    MeasuredGame game(application, startedMs, seconds, play);
    return game.exec();
}

}  // namespace zarb::bench
