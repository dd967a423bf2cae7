// The windows the game is weighed against. Each does the least a 64 Hz game must: a black field
// with the game's paddle and ball pictures (the same embedded resources), twice and once, moved
// and repainted on every tick of a clock paced by the rules' own RealClock. The bare one is a
// plain widget of the game window's whole size; the fair one also has the game window's kinds
// of parts: its menu bar with the same menus, and the score bar's labels drawn in the game's
// face over a field of the game's field size. Text and menus cost memory that pictures alone
// never do. The menus' captions and the labels' places are the rules' game window's.

#include <QAction>
#include <QMainWindow>
#include <QMenuBar>
#include <QPainter>
#include <QPixmap>
#include <QTimer>
#include <QWidget>
#include <cstdlib>
#include <unordered_map>

#include "bench/bench_players.h"
#include "bench/desktop_runs.h"
#include "forms/field_view.h"
#include "forms/game_font.h"
#include "game/real_clock.h"

namespace zarb::bench {

namespace {

// A black field and three pictures; with text, also the score bar the game draws under its
// field: the two score labels and the status line between them, in the game's face.
class BaselineField : public QWidget {
  public:
    BaselineField(const ZarbWindow& rules, bool withText)
        : rules_(rules),
          paddle_(QStringLiteral(":/paddle.gif")),
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
        const int floor = withText_ ? place(rules_.lblLabel).top() : height();
        // The ball runs to and fro across the field, the paddles ride up and down.
        const auto toAndFro = [](int step, int room) { return std::abs(step % (2 * room) - room); };
        const int x = toAndFro(frame_ * 10, width() - ball_.width());
        const int y = toAndFro(frame_ * 3, floor - ball_.height());
        const int paddleY = toAndFro(frame_ * 8, floor - paddle_.height());
        painter.drawPixmap(0, paddleY, paddle_);
        painter.drawPixmap(width() - paddle_.width(), floor - paddle_.height() - paddleY, paddle_);
        painter.drawPixmap(x, y, ball_);
        if (withText_) {
            drawScoreBar(painter, floor);
        }
    }

  private:
    // Where a control of the game window lies on this field, in pixels.
    QRect place(const Control& control) const {
        const double scale = height() / (forms::kFieldHeight * forms::kTwipsPerPixel);
        return QRectF(control.Left * scale, control.Top * scale, control.Width * scale,
                      control.Height * scale)
            .toRect();
    }

    void drawScoreBar(QPainter& painter, int top) {
        painter.fillRect(0, top, width(), height() - top, Qt::red);
        // The scores change every second, as they would in a lively match.
        const int points = frame_ / 64 % 10;
        painter.setPen(Qt::black);
        painter.setFont(forms::gameFont(12, true));
        drawLabel(painter, rules_.lblPlayer1, QStringLiteral("Player 1:  %1").arg(points));
        drawLabel(painter, rules_.lblPlayer2, QStringLiteral("Player 2:  %1").arg(9 - points));
        painter.setFont(forms::gameFont(13.5, true));
        const QRect status = place(rules_.lblWin);
        painter.fillRect(status, Qt::white);
        painter.drawText(status, Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap,
                         QStringLiteral("Two Players"));
    }

    void drawLabel(QPainter& painter, const Control& label, const QString& text) {
        const QRect where = place(label);
        painter.fillRect(where, Qt::white);
        painter.drawText(where, Qt::AlignLeft | Qt::AlignTop, text);
    }

    const ZarbWindow& rules_;
    QPixmap paddle_;
    QPixmap ball_;
    bool withText_;
    int frame_ = 0;
};

// The game window's menu bar, captions, separators and shortcuts, with no handlers.
void addGameMenus(QMenuBar& bar, const ZarbWindow& rules) {
    // Each heading's menu, for the entries that hang in it.
    std::unordered_map<const MenuItem*, QMenu*> menus;
    for (const MenuBarEntry& entry : kMenuBar) {
        const MenuItem& item = rules.*entry.item;
        const QString caption = QString::fromStdString(item.Caption);
        QMenu* host = item.parent == nullptr ? nullptr : menus.at(item.parent);
        if (entry.handler == nullptr) {
            menus.emplace(&item, host != nullptr ? host->addMenu(caption) : bar.addMenu(caption));
            continue;
        }
        if (entry.separatorBefore) {
            host->addSeparator();
        }
        QAction* action = host->addAction(caption);
        action->setCheckable(entry.checkable);
        if (entry.shortcut != 0) {
            action->setShortcut(QKeySequence(QStringLiteral("Ctrl+") + QChar(entry.shortcut)));
        }
    }
}

class Baseline {
  public:
    Baseline(BenchApplication& application, double startedMs, double seconds, int width, int height,
             bool fair)
        : application_(application),
          startedMs_(startedMs),
          seconds_(seconds),
          field_(rules_.window(), fair) {
        field_.setFixedSize(width, height);
        if (fair) {
            window_.setCentralWidget(&field_);
            addGameMenus(*window_.menuBar(), rules_.window());
            shown_ = &window_;
        }
        timer_.setSingleShot(true);
        timer_.setTimerType(Qt::PreciseTimer);
        QObject::connect(&timer_, &QTimer::timeout, [this] { onTimer(); });
        application_.painted = [this](QObject* receiver, double endMs, double paintCpuMs) {
            onPaint(receiver, endMs, paintCpuMs);
        };
    }
    ~Baseline() { application_.painted = nullptr; }

    int exec() {
        shown_->show();
        const double now = nowMs();
        pace_.start(now);
        timer_.start(pace_.waitMs(now));
        return QApplication::exec();
    }

  private:
    // The game's pace: a tick at each deadline, woken on the nearest whole millisecond.
    void onTimer() {
        const double now = nowMs();
        const bool due = pace_.due(now);
        timer_.start(pace_.waitMs(now));
        if (!due) {
            return;  // woke early
        }
        if (span_.open) {
            span_.ticksMs.push_back(now);
        }
        field_.step();
    }

    void onPaint(QObject* receiver, double endMs, double paintCpuMs) {
        if (receiver != &field_) {
            return;
        }
        if (!seen_) {
            seen_ = true;
            report("first_frame_ms", endMs - startedMs_);
            // As long as the game waits before its rally is measured.
            measureAfterSettling(span_, seconds_, nullptr, nullptr);
        }
        span_.notePaint(paintCpuMs);
    }

    BenchApplication& application_;
    double startedMs_;
    double seconds_;
    // The rules' game window, never played: its menus' captions, its labels' places, and a
    // timer always enabled (the paddles'), so the pace never sleeps.
    SimulatedGame rules_;
    RealClock pace_{rules_.program};
    // The window first: it must outlive the field it holds.
    QMainWindow window_;
    BaselineField field_;
    QWidget* shown_ = &field_;
    QTimer timer_;
    MeasuredSpan span_;
    bool seen_ = false;
};

}  // namespace

int runBaseline(BenchApplication& application, double startedMs, double seconds, int width,
                int height, bool fair) {
    Baseline baseline(application, startedMs, seconds, width, height, fair);
    return baseline.exec();
}

}  // namespace zarb::bench
