#include "bench/desktop_measure.h"

#include <sys/resource.h>
#include <time.h>

#include <QKeyEvent>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>

#include "game/timers.h"

namespace zarb::bench {

double nowMs() {
    const auto sinceEpoch = std::chrono::steady_clock::now().time_since_epoch();
    return std::chrono::duration<double, std::milli>(sinceEpoch).count();
}

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

bool BenchApplication::notify(QObject* receiver, QEvent* event) {
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

void MeasuredSpan::begin() {
    wallStartMs = nowMs();
    cpuStartMs = cpuMs();
    ticksMs.clear();
    ticksMs.reserve(2048);
    frames = 0;
    paintMs = 0;
    refreshMs = 0;
    open = true;
}

void MeasuredSpan::notePaint(double paintCpuMs) {
    if (open) {
        ++frames;
        paintMs += paintCpuMs;
    }
}

double percentile(std::vector<double> values, double fraction) {
    if (values.empty()) {
        return 0;
    }
    std::sort(values.begin(), values.end());
    const auto rank = static_cast<std::size_t>(std::ceil(fraction * values.size()));
    return values[std::min(values.size(), std::max<std::size_t>(rank, 1)) - 1];
}

void report(const char* name, double value) {
    std::printf("%s %.6f\n", name, value);
    std::fflush(stdout);
}

namespace {

void reportSpan(const MeasuredSpan& span, double endWallMs, double endCpuMs) {
    const double wallMs = endWallMs - span.wallStartMs;
    const std::vector<double>& ticks = span.ticksMs;
    std::vector<double> intervals;
    for (std::size_t i = 1; i < ticks.size(); ++i) {
        intervals.push_back(ticks[i] - ticks[i - 1]);
    }
    const double spanMs = ticks.size() < 2 ? 0 : ticks.back() - ticks[0];
    const auto late = std::count_if(intervals.begin(), intervals.end(),
                                    [](double ms) { return ms > 1.5 * TimerService::kTickMs; });
    const auto perTick = [&](double ms) {
        return ticks.empty() ? 0 : 1000.0 * ms / static_cast<double>(ticks.size());
    };
    report("rate_hz", spanMs == 0 ? 0 : 1000.0 * static_cast<double>(intervals.size()) / spanMs);
    report("interval_median_ms", percentile(intervals, 0.5));
    report("interval_p99_ms", percentile(intervals, 0.99));
    report("interval_max_ms", percentile(intervals, 1.0));
    report("late_ticks", static_cast<double>(late));
    report("cpu_ms_per_s", 1000.0 * (endCpuMs - span.cpuStartMs) / wallMs);
    report("frames_per_s", 1000.0 * static_cast<double>(span.frames) / wallMs);
    report("paint_us", span.frames == 0 ? 0 : 1000.0 * span.paintMs / span.frames);
    report("refresh_us", perTick(span.refreshMs));
    report("seconds", wallMs / 1000.0);
}

}  // namespace

void measureAfterSettling(MeasuredSpan& span, double seconds, std::function<void()> opened,
                          std::function<void()> reportMore) {
    QTimer::singleShot(kServeAndSettleMs, [&span, opened = std::move(opened)] {
        span.begin();
        if (opened) {
            opened();
        }
    });
    QTimer::singleShot(kServeAndSettleMs + static_cast<int>(seconds * 1000),
                       [&span, reportMore = std::move(reportMore)] {
                           const double endWall = nowMs();
                           const double endCpu = cpuMs();
                           span.open = false;
                           reportSpan(span, endWall, endCpu);
                           if (reportMore) {
                               reportMore();
                           }
                           report("peak_rss_mib", peakRssMiB());
                           QCoreApplication::exit(0);
                       });
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

void tapKey(QWidget& window, int key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QCoreApplication::sendEvent(&window, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    QCoreApplication::sendEvent(&window, &release);
}

}  // namespace zarb::bench
