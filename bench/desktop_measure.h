#pragma once

// What a child of the desktop benchmark measures with, and how it tells its parent: times on
// the machine-wide clock, CPU time and peak memory, an application that sees paints, window
// updates, key-downs and timer events in its event dispatch, and result lines "name value".

#include <QApplication>
#include <functional>
#include <vector>

class QWidget;

namespace zarb::bench {

// Milliseconds on the machine-wide monotonic clock, the same in parent and child.
double nowMs();
// The CPU time of the calling thread: a paint or refresh timed this way is not lengthened by
// other programs running on the machine meanwhile.
double threadCpuMs();
// The CPU time of the whole process, and its peak resident memory.
double cpuMs();
double peakRssMiB();

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

    bool notify(QObject* receiver, QEvent* event) override;
};

// Keeps the offscreen platform's notes of what it cannot do out of the tables.
void quietMessages(QtMsgType type, const QMessageLogContext& context, const QString& text);

// What a child measures between two moments of its run.
struct MeasuredSpan {
    double wallStartMs = 0;
    double cpuStartMs = 0;
    std::vector<double> ticksMs;
    long frames = 0;
    double paintMs = 0;
    double refreshMs = 0;
    bool open = false;

    void begin();
    // A frame painted while the span is open.
    void notePaint(double paintCpuMs);
};

// From F1 the serve comes a second later; measuring starts half a second after it.
inline constexpr int kServeAndSettleMs = 1500;

// Opens the span kServeAndSettleMs from now and closes it `seconds` later: reports it, then
// what `reportMore` adds and the peak memory, and leaves the event loop. `opened` runs as the
// span opens.
void measureAfterSettling(MeasuredSpan& span, double seconds, std::function<void()> opened,
                          std::function<void()> reportMore);

// The value below which this fraction of the values lie (nearest rank).
double percentile(std::vector<double> values, double fraction);

// One result line for the parent.
void report(const char* name, double value);

// The ticks after a stall: how many came at once, and the rate from then on.
void reportStall(const std::vector<double>& ticksMs);

// A key pressed and released at once on the window, as a person taps it.
void tapKey(QWidget& window, int key);

}  // namespace zarb::bench
