#include "tests/fuzz/legal_play.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <iterator>
#include <sstream>
#include <string_view>

#include "game/program.h"
#include "game/timers.h"
#include "tests/fuzz/seeded_random.h"
#include "tools/headless/script_runner.h"

namespace zarb::fuzz {

namespace {

constexpr double kTickMs = TimerService::kTickMs;
constexpr int kSpeeds[] = {115, 140, 160, 185, 230};
// The speeds in the order of kSpeeds, then the modes and the levels.
constexpr std::string_view kSettingItems[] = {
    "mnuSluggish", "mnuSlow",   "mnuMedium", "mnuFast",   "mnuReallyfast", "mnuOne",
    "mnuTwo",      "mnuLevel1", "mnuLevel2", "mnuLevel3", "mnuLevel4",     "mnuLevel5"};
constexpr std::string_view kHelpItems[] = {"mnuRules", "mnuControls", "mnuAbout"};

template <typename List, typename Item>
bool contains(const List& list, const Item& item) {
    return std::find(std::begin(list), std::end(list), item) != std::end(list);
}

template <typename... Parts>
std::string text(const Parts&... parts) {
    std::ostringstream out;
    out.precision(9);
    ((out << parts), ...);
    return out.str();
}

// The shortest decimal that reads back as `ms`, without an exponent.
std::string decimal(double ms) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, ms, std::chars_format::fixed);
    return std::string(buffer, result.ptr);
}

bool isRun(const std::string& step) {
    return step.rfind("run ", 0) == 0;
}

double runSpan(const std::string& step) {
    return std::strtod(step.c_str() + 4, nullptr);
}

// Thrown by a rule that does not hold.
struct Broken {
    std::string rule, detail;
};

// The ball as a clock tick's checks compare it before and after the tick.
struct Ball {
    float left, top, top2, floorTop, stepY;
    std::int32_t dirX, dirY, level, points;

    bool moving() const { return dirX != 0 || dirY != 0; }
};

Ball ballOf(const ZarbWindow& w) {
    return {w.imgBall.Left, w.imgBall.Top, w.imgBall2.Top,
            w.lblLabel.Top, w.ballStepY,   w.ballDirX,
            w.ballDirY,     w.level,       w.player1Score + w.player2Score};
}

std::ostream& operator<<(std::ostream& out, const Ball& b) {
    return out << "ball at (" << b.left << ", " << b.top << ") with ballDirX " << b.dirX
               << ", ballDirY " << b.dirY << ", ballStepY " << b.stepY << " on level " << b.level;
}

class Referee {
  public:
    Referee(PlayCounts& counts, const ExtraRule* extra)
        : runner_(out_, err_), counts_(counts), extra_(extra) {}

    std::optional<Failure> play(const Steps& steps, std::string* finalState) {
        for (std::size_t i = 0; i < steps.size() && !program().platform().ended(); ++i) {
            cutRun_.reset();
            try {
                step(steps[i], static_cast<long>(i + 1));
            } catch (const Broken& broken) {
                return Failure{i, broken.rule, broken.detail, cutRun_};
            }
        }
        if (finalState != nullptr) {
            *finalState = snapshot();
        }
        return std::nullopt;
    }

  private:
    Program& program() { return runner_.program(); }

    std::string snapshot() {
        out_.str("");
        runner_.runLine("state", 0);
        std::string state = out_.str();
        out_.str("");
        return state;
    }

    // The detail is put into words only when a rule is broken: the rules are checked after every
    // clock tick, and they hold. The replay script's state line shows the rest of the window.
    void require(bool holds, const char* rule, const Ball* beforeTick = nullptr) {
        if (!holds) {
            throw Broken{
                rule,
                text(beforeTick != nullptr ? text("before the tick ", *beforeTick, ", after it ")
                                           : "",
                     ballOf(*program().zarb()), "; expected ", rally_ ? "a rally" : "no rally",
                     paused_ ? ", a pause" : ", no pause",
                     settingsOpen_ ? ", settings open" : ", settings closed")};
        }
    }

    void step(const std::string& line, long lineNumber) {
        ++counts_.steps;
        std::istringstream words(line);
        std::string command, name;
        words >> command >> name;
        if (command == "run" && program().zarbLoaded()) {
            run(runSpan(line));
            return;
        }
        // Reach as a person sees it; mnuPause is disabled for good, Esc is the way to pause.
        const bool setting = contains(kSettingItems, name);
        const bool inReach =
            command != "click" ||
            (name == "cmdPlay" || name == "cmdInfo"
                 ? program().splashVisible()
                 : program().zarbVisible() && name != "mnuPause" && (!setting || settingsOpen_));
        const bool ballTimerRan = program().zarbLoaded() && program().zarb()->tmrBall.Enabled();
        const std::string stateBefore = inReach ? "" : snapshot();
        err_.str("");
        runner_.runLine(line, lineNumber);
        out_.str("");
        if (!err_.str().empty()) {
            throw Broken{"a step a person can take is never an error", line + ": " + err_.str()};
        }
        if (!inReach && snapshot() != stateBefore) {
            throw Broken{"a click on an item out of reach changes nothing", line};
        }
        const int keyDown = command == "Form_KeyDown" ? std::atoi(name.c_str()) : -1;
        if (!inReach) {
            counts_.ignoredSettingClicks += setting ? 1 : 0;
        } else if (name == "mnuNew" || name == "mnuEnd" || keyDown == keys::kF1 ||
                   keyDown == keys::kF2) {
            paused_ = false;
            settingsOpen_ = true;
            rally_ = false;
        } else if (keyDown == keys::kEscape) {
            paused_ = !paused_;
            counts_.pauses += paused_ ? 1 : 0;
        } else if (contains(kHelpItems, name) && ballTimerRan && !paused_) {
            // The timers would tick behind the box, so a running match is paused before it opens.
            paused_ = true;
            ++counts_.pauses;
            ++counts_.helpPauses;
        }
        if (program().zarbLoaded()) {
            checkAlways(*program().zarb());
        }
    }

    // Time passes tick by tick exactly as the program's `run` makes it pass.
    void run(double span) {
        Clock& clock = program().clock();
        TimerService& timers = program().timers();
        const ZarbWindow& w = *program().zarb();
        const double startMs = clock.nowMs();
        const double endMs = startMs + span;
        while (!program().platform().ended()) {
            const double tickMs = static_cast<double>(timers.ticks() + 1) * kTickMs;
            if (tickMs > endMs) {
                break;
            }
            const Ball before = ballOf(w);
            const bool serveDue = w.tmrStart.dueAt(tickMs);
            timers.tick();
            ++counts_.ticks;
            try {
                checkTick(before, w, serveDue);
                checkAlways(w);
            } catch (const Broken&) {
                // The run is cut to end on this tick, in whole milliseconds where they do.
                double cut = std::ceil(tickMs - startMs);
                while (startMs + cut < tickMs) {
                    cut = std::nextafter(cut, tickMs);
                }
                cutRun_ = "run " + decimal(cut);
                throw;
            }
        }
        out_.str("");
        if (!program().platform().ended()) {
            clock.setNowMs(endMs);
        }
    }

    // A rally runs from a serve to the next point; the settings close at a serve.
    void checkTick(const Ball& b, const ZarbWindow& w, bool serveDue) {
        const Ball a = ballOf(w);
        if (a.points != b.points) {
            require(rally_ && b.moving(), "a point is scored only in a rally", &b);
            rally_ = false;
            if (w.player1Score == 10 || w.player2Score == 10) {
                settingsOpen_ = true;
                ++counts_.matchesWon[w.players == 1 ? 0 : 1];
            }
        }
        if (serveDue) {
            require(!b.moving(), "the start timer serves only a ball at rest", &b);
            rally_ = true;
            settingsOpen_ = false;
            const auto speed = std::find(std::begin(kSpeeds), std::end(kSpeeds), w.speedSetting);
            counts_.levelsServed |= 1u << w.level;
            counts_.speedsServed |= 1u << (speed - std::begin(kSpeeds));
            counts_.modesServed |= 1u << w.players;
        } else if (!b.moving()) {
            require(!a.moving(), "the ball moves only between a serve and the next point", &b);
            if (a.left != b.left || a.top != b.top) {
                // Level 3's wrap copies the second picture's wrapped height even to a resting
                // ball, when one of the pictures stands on an edge of the field.
                const bool onEdge =
                    b.top <= 0 || b.top >= b.floorTop || b.top2 <= 0 || b.top2 >= b.floorTop;
                require(a.left == b.left && b.level == 3 && onEdge,
                        "the ball moves only between a serve and the next point", &b);
                ++counts_.restingWraps;
            }
        }
    }

    // The rules that hold after every step and every tick of legal play.
    void checkAlways(const ZarbWindow& w) {
        const std::int32_t score[2] = {w.player1Score, w.player2Score};
        require(score[0] >= 0 && score[0] <= 10 && score[1] >= 0 && score[1] <= 10 &&
                    !(score[0] == 10 && score[1] == 10),
                "the scores stay from 0 to 10");
        const bool won = score[0] == 10 || score[1] == 10;
        const bool moving = w.ballDirX != 0 || w.ballDirY != 0;
        if (won) {
            const std::string player = score[0] == 10 ? "Player 1" : "Player 2";
            const std::string& status = w.lblWin.Caption;
            const bool shown = paused_ ? status == "Paused"
                                       : status == player + " Wins!" || status == player + " Wins";
            require(
                shown &&
                    (score[0] == 10 ? w.lblPlayer1 : w.lblPlayer2).Caption == player + ":  10" &&
                    !moving && !w.tmrStart.Enabled(),
                "a finished match shows its winner and serves no more");
        }
        const auto within = [&w](const Control& paddle, float left) {
            const auto lowest = static_cast<float>(double{w.lblLabel.Top} - paddle.Height);
            return paddle.Left == left && paddle.Top >= 0 && paddle.Top <= lowest;
        };
        require(within(w.imgLeft, 15) && within(w.imgRight, 11450),
                "the paddles stay within their limits");
        require(w.ballDirX >= 0 && w.ballDirX <= 2 && w.ballDirY >= 0 && w.ballDirY <= 2 &&
                    (w.ballDirX == 0) == (w.ballDirY == 0) &&
                    (w.obstacleDir == 0 || w.obstacleDir == 1) &&
                    (w.aimDir == 0 || w.aimDir == 1 || w.aimDir == 2),
                "the direction codes stay in their ranges");
        require(w.mnuSpeed.Enabled == settingsOpen_ && w.mnuPlayers.Enabled == settingsOpen_ &&
                    w.mnuLevel.Enabled == settingsOpen_,
                "the settings menus are disabled exactly from a serve until End Game, New Game "
                "or the end of the match");
        require(moving == rally_, "the ball moves only between a serve and the next point");
        const bool timersStopped = !w.tmrBall.Enabled() && !w.tmrLeft.Enabled() &&
                                   !w.tmrRight.Enabled() && !w.tmrStart.Enabled();
        require(w.mnuPause.Checked == paused_ && (!paused_ || timersStopped),
                "mnuPause is checked exactly while all four timers are stopped by a pause");
        // Once a point is scored, only a pause, the end of the match or End Game stop the serve.
        require(paused_ || rally_ || won || score[0] + score[1] == 0 || w.tmrStart.Enabled(),
                "between two points of a match the next serve is on its way");
        if (extra_ != nullptr) {
            require(extra_->holds(w), extra_->name.c_str());
        }
    }

    std::ostringstream out_, err_;
    headless::ScriptRunner runner_;
    PlayCounts& counts_;
    const ExtraRule* extra_;
    // What the rules expect, from the steps and ticks seen so far.
    bool paused_ = false;
    bool settingsOpen_ = true;
    bool rally_ = false;
    std::optional<std::string> cutRun_;
};

// The steps up to the failing one, with a failing run cut to end on the failing tick.
Steps upToFailure(const Steps& steps, const Failure& failure) {
    Steps cut(steps.begin(), steps.begin() + static_cast<std::ptrdiff_t>(failure.step));
    cut.push_back(failure.cutRun ? *failure.cutRun : steps[failure.step]);
    return cut;
}

}  // namespace

std::string PlayCounts::summary() const {
    return text(steps, " steps, ", ticks, " clock ticks, matches won ", matchesWon[0],
                " (one player) and ", matchesWon[1], " (two players), ", pauses, " pauses (",
                helpPauses, " by Help), ", ignoredSettingClicks, " clicks on disabled settings, ",
                restingWraps, " level-3 wraps of a resting ball");
}

Steps randomLegalPlay(std::uint64_t seed, std::size_t length) {
    SeededRandom r(seed ^ 0x5bd1e995ULL);
    Steps steps;
    const auto runStep = [&r] {
        constexpr long long kSpans[][2] = {{0, 250}, {250, 3000}, {3000, 20000}, {20000, 90000}};
        const std::size_t band = r.weighted({60, 25, 12, 3});
        if (band == 0 && r.chance(1, 4)) {
            return "run " + decimal(static_cast<double>(r.between(0, 4000)) / 16);
        }
        return "run " + std::to_string(r.between(kSpans[band][0], kSpans[band][1]));
    };
    // On the splash: INFO, time passing and clicks that the hidden game window must ignore.
    while (r.chance(1, 3)) {
        const std::size_t what = r.below(3);
        steps.push_back(what == 0   ? "click cmdInfo"
                        : what == 1 ? runStep()
                                    : text("click ", r.pick({"mnuNew", "mnuLevel3", "mnuRules"})));
    }
    steps.push_back("click cmdPlay");
    // Every level, speed and mode from the first seeds on.
    steps.push_back(text("click mnuLevel", seed % 5 + 1));
    steps.push_back(text("click ", kSettingItems[seed / 5 % 5]));
    steps.push_back(seed / 25 % 2 == 0 ? "click mnuOne" : "click mnuTwo");
    // A calm player lets matches run to their end; a restless one restarts, ends and pauses.
    const bool calm = r.chance(1, 2);
    const std::vector<int> movementKeys = {keys::kA, keys::kZ, keys::kApostrophe, keys::kSlash};
    const auto nextStep = [&]() -> std::string {
        const std::string shift = r.chance(1, 10) ? text(" ", r.between(0, 7)) : "";
        switch (r.weighted({20, 12, 30, calm ? 1u : 4u, calm ? 1u : 2u, 4, 2, 6, 1, 3, 1})) {
            case 0:
                return text("Form_KeyDown ", r.pick(movementKeys), shift);
            case 1:
                return text("Form_KeyUp ", r.pick(movementKeys), shift);
            case 2:
                return runStep();
            case 3:
                return r.chance(3, 4) ? "Form_KeyDown 112" + shift : "click mnuNew";
            case 4:
                return r.chance(3, 4) ? "Form_KeyDown 113" + shift : "click mnuEnd";
            case 5:
                return "Form_KeyDown 27" + shift;
            case 6:
                return text("click ", kHelpItems[r.below(3)]);
            case 7:
                return text("click ", kSettingItems[r.below(12)]);
            case 8:
                return "click mnuPause";
            case 9:
                return text(r.chance(1, 2) ? "Form_KeyDown " : "Form_KeyUp ", r.between(0, 255),
                            shift);
            default:
                return r.chance(1, 2) ? "Form_KeyUp 112" : "Form_KeyUp 27";
        }
    };
    while (steps.size() < length) {
        steps.push_back(nextStep());
    }
    return steps;
}

std::optional<Failure> playAndCheck(const Steps& steps, PlayCounts* counts, const ExtraRule* extra,
                                    std::string* finalState) {
    PlayCounts own;
    return Referee(counts != nullptr ? *counts : own, extra).play(steps, finalState);
}

Steps shrinkFailure(const Steps& steps, const Failure& failure, const ExtraRule* extra,
                    Failure& shrunk) {
    shrunk = failure;
    Steps best = upToFailure(steps, failure);
    // A change is kept if the steps still break the same rule with their keys after PLAY!; they
    // are kept cut at their own failure.
    const auto keep = [&](const Steps& candidate) {
        const auto play = std::find(candidate.begin(), candidate.end(), "click cmdPlay");
        const bool keysFirst = std::any_of(candidate.begin(), play, [](const std::string& step) {
            return step.rfind("Form_Key", 0) == 0;
        });
        const std::optional<Failure> found =
            keysFirst ? std::nullopt : playAndCheck(candidate, nullptr, extra);
        if (!found || found->rule != failure.rule) {
            return false;
        }
        best = upToFailure(candidate, *found);
        shrunk = *found;
        shrunk.step = best.size() - 1;
        shrunk.cutRun.reset();
        return true;
    };
    if (!keep(best)) {
        return steps;  // not repeatable: keep what was found
    }
    const auto at = [](Steps& list, std::size_t i) {
        return list.begin() + static_cast<std::ptrdiff_t>(std::min(i, list.size()));
    };
    // A change at each step in turn, again at the same step for as long as it is kept.
    const auto atEachStep = [&](const auto& change) {
        for (std::size_t i = 0; i < best.size(); ++i) {
            Steps candidate = best;
            while (change(candidate, i) && keep(candidate)) {
                candidate = best;
            }
        }
    };
    const auto removeBlock = [at](std::size_t size) {
        return [at, size](Steps& candidate, std::size_t i) {
            if (i >= candidate.size()) {
                return false;
            }
            candidate.erase(at(candidate, i), at(candidate, i + size));
            return true;
        };
    };
    // Time spent earlier can often be spent later: a run goes into the next run.
    const auto mergeIntoNextRun = [at](Steps& candidate, std::size_t i) {
        const auto next = std::find_if(at(candidate, i + 1), candidate.end(), isRun);
        if (next == candidate.end() || !isRun(candidate[i])) {
            return false;
        }
        *next = "run " + decimal(runSpan(candidate[i]) + runSpan(*next));
        candidate.erase(at(candidate, i));
        return true;
    };
    // A key's modifier mask goes where the keys act the same without it.
    const auto dropMask = [](Steps& candidate, std::size_t i) {
        const bool masked =
            i < candidate.size() && std::count(candidate[i].begin(), candidate[i].end(), ' ') == 2;
        if (masked) {
            candidate[i].erase(candidate[i].rfind(' '));
        }
        return masked;
    };
    const auto removeSteps = [&] {
        atEachStep(mergeIntoNextRun);
        for (std::size_t size = best.size() / 2; size > 1; size /= 2) {
            atEachStep(removeBlock(size));
        }
        for (std::size_t before = 0; before != best.size();) {
            before = best.size();
            atEachStep(removeBlock(1));
        }
        // Steps that only matter together, like a pause and its resume around another step.
        for (std::size_t gap = 1; gap < best.size() && best.size() <= 40; ++gap) {
            atEachStep([at, gap](Steps& candidate, std::size_t i) {
                if (i + gap >= candidate.size()) {
                    return false;
                }
                candidate.erase(at(candidate, i + gap));
                candidate.erase(at(candidate, i));
                return true;
            });
        }
    };
    removeSteps();
    // Each run is cut to the shortest span that still breaks the rule, by halving.
    for (std::size_t i = 0; i < best.size(); ++i) {
        double lo = 0, hi = isRun(best[i]) ? runSpan(best[i]) : 0;
        for (int tries = 0; tries < 24 && hi - lo > 0.001 && i < best.size(); ++tries) {
            const double mid = std::round((lo + hi) / 2 * 1000) / 1000;
            Steps candidate = best;
            candidate[i] = "run " + decimal(mid);
            if (keep(candidate)) {
                hi = mid;
            } else {
                lo = mid;
            }
        }
    }
    removeSteps();
    atEachStep(dropMask);
    return best;
}

std::string replayScript(std::uint64_t seed, const Steps& steps, const Failure& failure) {
    std::string detail = failure.detail;
    std::replace(detail.begin(), detail.end(), '\n', ' ');
    std::string script = text("# Random legal play from seed ", seed, " breaks a rule at step ",
                              failure.step + 1, ".\n# rule: ", failure.rule, "\n# what: ", detail,
                              "\n# replay: zarb-headless < this file\n");
    for (const std::string& step : upToFailure(steps, failure)) {
        script += step + "\n";
    }
    return script + "state\n";
}

}  // namespace zarb::fuzz
