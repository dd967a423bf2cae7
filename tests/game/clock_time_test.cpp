// The clock keeps decimal time exactly: spans written as decimals reach the ticks they add up
// to, and a timer counts its interval from the exact time it was enabled.

#include "game/clock_time.h"

#include <string>
#include <vector>

#include "tests/game/test_window.h"

namespace zarb::testing {
namespace {

struct SpanRow {
    const char* name;
    std::vector<std::string> spans;  // milliseconds, as a script writes them
    std::uint64_t wantTicks;
};
using DecimalRuns = WindowTable<SpanRow>;

// The clock ticks on whole multiples of a tick, so its time tells how many it has reached.
std::uint64_t ticksReached(const Clock& clock) {
    return clock.now().wholeMicroseconds() / TimerService::kTickMicroseconds;
}

TEST_P(DecimalRuns, ReachTheTicksTheyAddUpTo) {
    for (const std::string& span : row.spans) {
        game.timers.run(ClockTime::fromDecimalMs(span).value());
    }
    EXPECT_EQ(ticksReached(game.clock), row.wantTicks);
}

const std::string kNines(100, '9');
const SpanRow kSpanRows[] = {
    {"nine of 1.1 and one of 5.725 reach the first tick",
     {"1.1", "1.1", "1.1", "1.1", "1.1", "1.1", "1.1", "1.1", "1.1", "5.725"},
     1},
    {"a tick less a hair reaches no tick", {"15.6249999999999999999999"}, 0},
    {"the hair written with an exponent reaches it", {"15.6249999999999999999999", "1e-22"}, 1},
    {"parts of a microsecond carry into a whole one", {"0.0000003", "15.624999", "0.0000007"}, 1},
    {"an exponent moves the point", {"0.015625e3"}, 1},
    {"digits beyond those kept never round up", {"15.624" + kNines}, 0},
    {"a second is 64 ticks", {"1000"}, 64},
};
INSTANTIATE_TEST_SUITE_P(Rows, DecimalRuns, ::testing::ValuesIn(kSpanRows), rowName<SpanRow>);

struct CountRow {
    const char* name;
    const char* enabledAt;  // milliseconds
    bool wantFiredBy1015625;
};
using TimerCount = WindowTable<CountRow>;

// The start timer, 1000 ms, fires on the first tick at least a second after it was enabled.
TEST_P(TimerCount, StartsAtTheExactTimeOfEnabling) {
    game.timers.run(ClockTime::fromDecimalMs(row.enabledAt).value());
    w.tmrStart.setEnabled(true);
    while (ticksReached(game.clock) < 65) {  // tick 65 is 1015.625 ms
        game.timers.tick();
    }
    EXPECT_EQ(!w.tmrStart.Enabled(), row.wantFiredBy1015625);
}

const CountRow kCountRows[] = {
    {"enabled a hair before the first tick it fires on tick 65", "15.6249999999999999999999", true},
    {"enabled at the first tick it fires on tick 65", "15.625", true},
    {"enabled a hair after the first tick it waits", "15.6250000000000000000001", false},
    {"enabled a hair too fine to keep after the first tick it waits",
     "15.625000000000000000000000000000000000000000000000000000000000000000000000000000001", false},
};
INSTANTIATE_TEST_SUITE_P(Rows, TimerCount, ::testing::ValuesIn(kCountRows), rowName<CountRow>);

struct TextRow {
    const char* name;
    const char* text;
    bool wantSpan;
};
using SpanText = ::testing::TestWithParam<TextRow>;

TEST_P(SpanText, IsAPlainDecimalFromZeroUp) {
    EXPECT_EQ(ClockTime::fromDecimalMs(GetParam().text).has_value(), GetParam().wantSpan);
}

const TextRow kTextRows[] = {
    {"a zero may carry a minus sign", "-0.000e5", true},
    {"a tiny negative span is negative", "-1e-30", false},
    {"a plus sign is allowed", "+1.5", true},
    {"a point may stand at either end", ".5", true},
    {"the other end", "5.", true},
    {"nothing is no number", "", false},
    {"a sign alone is no number", "-", false},
    {"a point alone is no number", ".", false},
    {"two points are no number", "1.2.3", false},
    {"an exponent needs digits", "1e", false},
    {"a signed exponent needs digits", "1e-", false},
    {"an exponent alone is no number", "e5", false},
    {"two signs are no number", "+-5", false},
    {"a far exponent is still a number", "1e-99999999999999999999", true},
    {"no hex", "0x10", false},
};
INSTANTIATE_TEST_SUITE_P(Rows, SpanText, ::testing::ValuesIn(kTextRows), rowName<TextRow>);

// Spans written as numbers in code add up as their decimals do, below a millisecond too.
TEST(ClockTimeInCode, HalfMillisecondsAddUpToATick) {
    LoadedWindow game;
    for (int half = 0; half < 31; ++half) {
        game.timers.run(0.5);
    }
    EXPECT_EQ(ticksReached(game.clock), 0u);
    game.timers.run(0.625);
    EXPECT_EQ(ticksReached(game.clock), 1u);
}

// A span in code is the shortest decimal that names it, however many digits that takes.
TEST(ClockTimeInCode, ReadsAsItsShortestDecimal) {
    EXPECT_EQ(ClockTime::fromMs(1.1), ClockTime::fromDecimalMs("1.1"));
    EXPECT_EQ(ClockTime::fromMs(0.1 + 0.2), ClockTime::fromDecimalMs("0.30000000000000004"));
}

// The finest kept digits add up like the others.
TEST(ClockTimeSum, TheFinestKeptDigitsAddUp) {
    const ClockTime finest = ClockTime::fromDecimalMs("1e-74").value();
    EXPECT_EQ(finest + finest, ClockTime::fromDecimalMs("2e-74"));
}

}  // namespace
}  // namespace zarb::testing
