#include "tests/fuzz/legal_play.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <initializer_list>
#include <map>
#include <set>
#include <sstream>
#include <string_view>
#include <tuple>

#include "game/program.h"
#include "game/timers.h"
#include "tests/fuzz/seeded_random.h"
#include "tools/headless/script_runner.h"

namespace zarb::fuzz {

namespace {

using headless::ScriptRunner;

constexpr double kTickMs = TimerService::kTickMs;
constexpr int kSpeeds[] = {115, 140, 160, 185, 230};

enum class Setting { Speed, Players, Level };
struct SettingItem {
    const char* name;
    Setting what;
    int value;
};
const SettingItem kSettingItems[] = {
    {"mnuSluggish", Setting::Speed, 115},   {"mnuSlow", Setting::Speed, 140},
    {"mnuMedium", Setting::Speed, 160},     {"mnuFast", Setting::Speed, 185},
    {"mnuReallyfast", Setting::Speed, 230}, {"mnuOne", Setting::Players, 1},
    {"mnuTwo", Setting::Players, 2},        {"mnuLevel1", Setting::Level, 1},
    {"mnuLevel2", Setting::Level, 2},       {"mnuLevel3", Setting::Level, 3},
    {"mnuLevel4", Setting::Level, 4},       {"mnuLevel5", Setting::Level, 5},
};

const SettingItem* findSetting(std::string_view name) {
    for (const SettingItem& item : kSettingItems) {
        if (name == item.name) {
            return &item;
        }
    }
    return nullptr;
}

struct HelpItem {
    const char* name;
    const char* title;
};
const HelpItem kHelpItems[] = {{"mnuRules", "Rules of Zarb"},
                               {"mnuControls", "Keyboard Controls"},
                               {"mnuAbout", "About Zarb"}};

int speedIndex(int speed) {
    for (int i = 0; i < 5; ++i) {
        if (kSpeeds[i] == speed) {
            return i;
        }
    }
    return -1;
}

// The ball's height at a serve and after End Game: above the obstacle on the levels that have one.
float serveTop(int level) {
    return level == 2 || level == 5 ? 875.0f : 3720.0f;
}

std::string modeText(int players) {
    return players == 1 ? "One Player Mode" : "Two Player Mode";
}

std::string boxLine(const std::string& title, const std::string& text) {
    return R"({"msgbox":{"title":")" + title + R"(","text":")" + text + "\"}}\n";
}

// Thrown by a check that does not hold.
struct Broken {
    std::string rule, detail;
};

template <typename... Parts>
std::string text(const Parts&... parts) {
    std::ostringstream out;
    out.precision(9);
    ((out << parts), ...);
    return out.str();
}

// The detail of a check, put into words only when the check fails: the checks run after every
// clock tick, and most of them hold.
template <typename... Parts>
struct Said {
    std::tuple<const Parts&...> parts;
    std::string str() const {
        return std::apply([](const auto&... each) { return text(each...); }, parts);
    }
};

template <typename... Parts>
Said<Parts...> say(const Parts&... parts) {
    return Said<Parts...>{std::tie(parts...)};
}

void require(bool holds, const char* rule, const std::string& detail) {
    if (!holds) {
        throw Broken{rule, detail};
    }
}

template <typename... Parts>
void require(bool holds, const char* rule, const Said<Parts...>& detail) {
    if (!holds) {
        throw Broken{rule, detail.str()};
    }
}

std::vector<std::string> words(std::string_view line) {
    std::vector<std::string> out;
    std::istringstream in{std::string(line)};
    for (std::string word; in >> word;) {
        out.push_back(word);
    }
    return out;
}

// The shortest decimal that reads back as `ms`, without an exponent.
std::string decimal(double ms) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, ms, std::chars_format::fixed);
    return std::string(buffer, result.ptr);
}

// What the checks read of the game window, after a step or a clock tick.
struct Seen {
    std::int32_t ballDirX, ballDirY, speedSetting, players, level, predictionLine, obstacleDir;
    std::int32_t keys[4];  // keyLeftUp, keyLeftDown, keyRightUp, keyRightDown
    std::int32_t score[2];
    float ballStepY, aimDir;
    float ballLeft, ballTop, ball2Top, obstacleLeft, floorTop;
    float leftLeft, leftTop, leftHeight, rightLeft, rightTop, rightHeight;
    bool ballVisible, ball2Visible, obstacleVisible, pauseTextVisible;
    std::string win, label[2], levelCaption;
    bool tmrBall, tmrLeft, tmrRight, tmrStart;
    bool pauseChecked, pauseEnabled, speedMenu, playersMenu, levelMenu;
    int checkedSpeed, checkedPlayers, checkedLevel;  // -1 unless exactly one item is checked

    bool moving() const { return ballDirX != 0 || ballDirY != 0; }
};

int onlyChecked(std::initializer_list<std::pair<const MenuItem*, int>> items) {
    int found = -1, count = 0;
    for (const auto& [item, value] : items) {
        if (item->Checked) {
            found = value;
            ++count;
        }
    }
    return count == 1 ? found : -1;
}

Seen see(const ZarbWindow& w) {
    Seen s;
    s.ballDirX = w.ballDirX;
    s.ballDirY = w.ballDirY;
    s.speedSetting = w.speedSetting;
    s.players = w.players;
    s.level = w.level;
    s.predictionLine = w.predictionLine;
    s.obstacleDir = w.obstacleDir;
    s.keys[0] = w.keyLeftUp;
    s.keys[1] = w.keyLeftDown;
    s.keys[2] = w.keyRightUp;
    s.keys[3] = w.keyRightDown;
    s.score[0] = w.player1Score;
    s.score[1] = w.player2Score;
    s.ballStepY = w.ballStepY;
    s.aimDir = w.aimDir;
    s.ballLeft = w.imgBall.Left;
    s.ballTop = w.imgBall.Top;
    s.ball2Top = w.imgBall2.Top;
    s.obstacleLeft = w.shpObstacle.Left;
    s.floorTop = w.lblLabel.Top;
    s.leftLeft = w.imgLeft.Left;
    s.leftTop = w.imgLeft.Top;
    s.leftHeight = w.imgLeft.Height;
    s.rightLeft = w.imgRight.Left;
    s.rightTop = w.imgRight.Top;
    s.rightHeight = w.imgRight.Height;
    s.ballVisible = w.imgBall.Visible;
    s.ball2Visible = w.imgBall2.Visible;
    s.obstacleVisible = w.shpObstacle.Visible;
    s.pauseTextVisible = w.lblPause.Visible;
    s.win = w.lblWin.Caption;
    s.label[0] = w.lblPlayer1.Caption;
    s.label[1] = w.lblPlayer2.Caption;
    s.levelCaption = w.lblLevel.Caption;
    s.tmrBall = w.tmrBall.Enabled();
    s.tmrLeft = w.tmrLeft.Enabled();
    s.tmrRight = w.tmrRight.Enabled();
    s.tmrStart = w.tmrStart.Enabled();
    s.pauseChecked = w.mnuPause.Checked;
    s.pauseEnabled = w.mnuPause.Enabled;
    s.speedMenu = w.mnuSpeed.Enabled;
    s.playersMenu = w.mnuPlayers.Enabled;
    s.levelMenu = w.mnuLevel.Enabled;
    s.checkedSpeed = onlyChecked({{&w.mnuSluggish, 115},
                                  {&w.mnuSlow, 140},
                                  {&w.mnuMedium, 160},
                                  {&w.mnuFast, 185},
                                  {&w.mnuReallyfast, 230}});
    s.checkedPlayers = onlyChecked({{&w.mnuOne, 1}, {&w.mnuTwo, 2}});
    s.checkedLevel = onlyChecked({{&w.mnuLevel1, 1},
                                  {&w.mnuLevel2, 2},
                                  {&w.mnuLevel3, 3},
                                  {&w.mnuLevel4, 4},
                                  {&w.mnuLevel5, 5}});
    return s;
}

struct BallText {
    const Seen& s;
};

std::ostream& operator<<(std::ostream& out, const BallText& ball) {
    const Seen& s = ball.s;
    return out << "ball at (" << s.ballLeft << ", " << s.ballTop << ") with ballDirX " << s.ballDirX
               << ", ballDirY " << s.ballDirY << ", ballStepY " << s.ballStepY << " on level "
               << s.level;
}

BallText ballText(const Seen& s) {
    return BallText{s};
}

// The flat object that `state` prints, name by name.
std::map<std::string, std::string> stateEntries(const std::string& json) {
    std::map<std::string, std::string> entries;
    std::size_t at = 1;
    while (at < json.size() && json[at] == '"') {
        const std::size_t nameEnd = json.find('"', at + 1);
        const std::string name = json.substr(at + 1, nameEnd - at - 1);
        std::size_t valueEnd = nameEnd + 2;
        bool inString = false;
        for (; valueEnd < json.size(); ++valueEnd) {
            const char c = json[valueEnd];
            if (inString && c == '\\') {
                ++valueEnd;
            } else if (c == '"') {
                inString = !inString;
            } else if (!inString && (c == ',' || c == '}')) {
                break;
            }
        }
        entries[name] = json.substr(nameEnd + 2, valueEnd - nameEnd - 2);
        at = valueEnd + 1;
    }
    return entries;
}

// Fails unless the two `state` lines differ only in the allowed names.
void requireOnlyChanged(const std::string& before, const std::string& after,
                        std::initializer_list<std::string_view> allowed, const char* rule) {
    if (before == after) {
        return;
    }
    const auto was = stateEntries(before);
    const auto now = stateEntries(after);
    std::string changed;
    for (const auto& [name, value] : now) {
        const auto old = was.find(name);
        const bool same = old != was.end() && old->second == value;
        if (!same && std::find(allowed.begin(), allowed.end(), name) == allowed.end()) {
            changed +=
                " " + name + " " + (old == was.end() ? "(new)" : old->second) + " -> " + value;
        }
    }
    require(changed.empty(), rule, "changed:" + changed);
}

class Referee {
  public:
    Referee(PlayCounts& counts, const ExtraRule* extra)
        : runner_(out_, err_), counts_(counts), extra_(extra) {}

    std::optional<Failure> play(const Steps& steps, std::string* finalState) {
        for (std::size_t i = 0; i < steps.size(); ++i) {
            cutRun_.reset();
            try {
                step(steps[i], static_cast<long>(i + 1));
            } catch (const Broken& broken) {
                return Failure{i, broken.rule, broken.detail, cutRun_};
            }
            if (runner_.program().platform().ended()) {
                break;
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

    void step(const std::string& line, long lineNumber) {
        const std::vector<std::string> word = words(line);
        ++counts_.steps;
        if (word.at(0) == "run") {
            run(line, word.at(1), lineNumber);
            return;
        }
        const bool zarbShown = program().zarbVisible();
        const bool splashShown = program().splashVisible();
        const std::optional<Seen> before =
            program().zarbLoaded() ? std::optional<Seen>(see(*program().zarb())) : std::nullopt;
        const std::string stateBefore = snapshot();
        err_.str("");
        runner_.runLine(line, lineNumber);
        const std::string printed = out_.str();
        out_.str("");
        require(err_.str().empty(), "a step a person can take is never an error", err_.str());
        const std::string stateAfter = snapshot();
        require(program().zarbLoaded() || word[0] != "click" || word[1] != "cmdPlay",
                "PLAY! loads the game window", line);
        if (word[0] == "click") {
            click(word.at(1), zarbShown, splashShown, before, printed, stateBefore, stateAfter);
        } else {
            require(zarbShown && before.has_value(), "keys reach the game window once it is shown",
                    line + " was sent before PLAY!");
            key(word[0] == "Form_KeyDown", std::stoi(word.at(1)), *before, printed, stateBefore,
                stateAfter);
        }
        if (program().zarbLoaded()) {
            checkAlways(see(*program().zarb()));
        }
    }

    // Time passes tick by tick exactly as the program's `run` makes it pass, with the rules
    // checked after every clock tick.
    void run(const std::string& line, const std::string& span, long lineNumber) {
        if (!program().zarbLoaded()) {
            err_.str("");
            runner_.runLine(line, lineNumber);
            out_.str("");
            require(err_.str().empty(), "a step a person can take is never an error", err_.str());
            return;
        }
        Clock& clock = program().clock();
        TimerService& timers = program().timers();
        ZarbWindow& w = *program().zarb();
        const double startMs = clock.nowMs();
        const double endMs = startMs + std::strtod(span.c_str(), nullptr);
        while (!program().platform().ended()) {
            const double tickMs = static_cast<double>(timers.ticks() + 1) * kTickMs;
            if (tickMs > endMs) {
                break;
            }
            const Seen before = see(w);
            const bool serveDue = w.tmrStart.dueAt(tickMs);
            out_.str("");
            timers.tick();
            ++counts_.ticks;
            try {
                const Seen after = see(w);
                checkTick(before, after, serveDue, out_.str());
                checkAlways(after);
            } catch (const Broken&) {
                cutRun_ = "run " + spanEndingAt(startMs, tickMs);
                throw;
            }
        }
        out_.str("");
        if (!program().platform().ended()) {
            clock.setNowMs(endMs);
        }
    }

    // The fewest decimals that make a run from startMs end on the tick at tickMs.
    static std::string spanEndingAt(double startMs, double tickMs) {
        const double exact = tickMs - startMs;
        for (double scale = 1; scale <= 1e6; scale *= 10) {
            const double span = std::ceil(exact * scale) / scale;
            if (startMs + span >= tickMs && startMs + span < tickMs + kTickMs) {
                return decimal(span);
            }
        }
        double span = exact;
        while (startMs + span < tickMs) {
            span = std::nextafter(span, tickMs);
        }
        return decimal(span);
    }

    void click(const std::string& name, bool zarbShown, bool splashShown,
               const std::optional<Seen>& before, const std::string& printed,
               const std::string& stateBefore, const std::string& stateAfter) {
        const SettingItem* setting = findSetting(name);
        bool inReach = false;
        if (name == "cmdPlay" || name == "cmdInfo") {
            inReach = splashShown;
        } else {
            // mnuPause is disabled for good: Esc is the only way to pause.
            inReach = zarbShown && name != "mnuPause" && (setting == nullptr || settingsOpen_);
        }
        if (!inReach) {
            require(printed == R"({"ignored":")" + name + "\"}\n",
                    "a click on an item out of reach is ignored", "printed " + printed);
            requireOnlyChanged(stateBefore, stateAfter, {},
                               "a click on an item out of reach changes nothing");
            ++counts_.ignoredClicks;
            counts_.ignoredSettingClicks += setting != nullptr ? 1 : 0;
            return;
        }
        require(printed.find(R"({"ignored")") == std::string::npos,
                "a click on an item in reach is carried out", name + " printed " + printed);
        if (name == "cmdPlay") {
            require(!program().splashLoaded() && program().zarbVisible(),
                    "PLAY! closes the splash and shows the game window", printed);
            return;
        }
        if (name == "cmdInfo") {
            require(printed.rfind(R"({"msgbox":{"title":"Keyboard Controls")", 0) == 0 &&
                        program().zarbLoaded() && !program().zarbVisible(),
                    "INFO shows the controls over the splash", printed);
            return;
        }
        const Seen after = see(*program().zarb());
        if (name == "mnuNew") {
            newGame(after);
        } else if (name == "mnuEnd") {
            endGame(*before, after);
        } else if (setting != nullptr) {
            chooseSetting(*setting, after, stateBefore, stateAfter);
        } else {
            help(name, *before, after, printed, stateBefore, stateAfter);
        }
    }

    void key(bool down, int code, const Seen& before, const std::string& printed,
             const std::string& stateBefore, const std::string& stateAfter) {
        const Seen after = see(*program().zarb());
        static constexpr int kMovementKeys[] = {keys::kA, keys::kZ, keys::kApostrophe,
                                                keys::kSlash};
        static constexpr const char* kFlags[] = {"keyLeftUp", "keyLeftDown", "keyRightUp",
                                                 "keyRightDown"};
        const auto movement = std::find(std::begin(kMovementKeys), std::end(kMovementKeys), code);
        if (movement != std::end(kMovementKeys)) {
            const auto flag = static_cast<std::size_t>(movement - std::begin(kMovementKeys));
            const std::size_t partner = flag ^ 1;
            if (down) {
                require(after.keys[flag] == 1 && after.keys[partner] == 0,
                        "a movement key takes over from its partner",
                        say(kFlags[flag], " ", after.keys[flag], ", ", kFlags[partner], " ",
                            after.keys[partner]));
                requireOnlyChanged(stateBefore, stateAfter, {kFlags[flag], kFlags[partner]},
                                   "a movement key changes only its held-key flags");
            } else {
                require(after.keys[flag] == 0, "releasing a movement key clears its flag",
                        say(kFlags[flag], " ", after.keys[flag]));
                requireOnlyChanged(stateBefore, stateAfter, {kFlags[flag]},
                                   "releasing a movement key changes only its flag");
            }
            return;
        }
        if (down && code == keys::kF1) {
            newGame(after);
        } else if (down && code == keys::kF2) {
            endGame(before, after);
        } else if (down && code == keys::kEscape) {
            pauseOrResume(before, after);
        } else {
            require(printed.empty(), "other keys do nothing", printed);
            requireOnlyChanged(stateBefore, stateAfter, {}, "other keys do nothing");
        }
    }

    void gameEndedChecks(const Seen& after, const char* rule) {
        require(after.score[0] == 0 && after.score[1] == 0 && !after.moving() &&
                    after.ballLeft == 5760 && after.ballTop == serveTop(after.level) &&
                    after.ballVisible && !after.tmrBall && after.tmrLeft && after.tmrRight &&
                    !after.pauseChecked && !after.pauseTextVisible && after.win == "Game Ended" &&
                    after.keys[0] == 0 && after.keys[1] == 0 && after.keys[2] == 0 &&
                    after.keys[3] == 0,
                rule,
                say(ballText(after), ", scores ", after.score[0], "-", after.score[1], ", tmrBall ",
                    after.tmrBall, ", status '", after.win, "'"));
        paused_ = false;
        settingsOpen_ = true;
        rally_ = false;
    }

    void newGame(const Seen& after) {
        gameEndedChecks(after, "New Game ends any match and waits to serve a new one");
        require(
            after.tmrStart && after.label[0] == "Player 1:  0" && after.label[1] == "Player 2:  0",
            "New Game starts the serve timer and shows both scores at 0",
            say("tmrStart ", after.tmrStart, ", labels '", after.label[0], "' '", after.label[1],
                "'"));
        ++counts_.newGames;
    }

    void endGame(const Seen& before, const Seen& after) {
        gameEndedChecks(after, "End Game stops the match with the ball at rest");
        require(!after.tmrStart && after.label[0] == before.label[0] &&
                    after.label[1] == before.label[1],
                "End Game serves no more and keeps the old scores on show",
                say("tmrStart ", after.tmrStart, ", labels '", after.label[0], "' '",
                    after.label[1], "'"));
        ++counts_.endGames;
    }

    void pause(const Seen& after) {
        require(after.pauseChecked && !after.tmrBall && !after.tmrLeft && !after.tmrRight &&
                    !after.tmrStart && after.win == "Paused" && after.pauseTextVisible,
                "a pause stops all four timers and says so",
                say("timers ball ", after.tmrBall, " left ", after.tmrLeft, " right ",
                    after.tmrRight, " start ", after.tmrStart, ", status '", after.win, "'"));
        paused_ = true;
        ++counts_.pauses;
    }

    void pauseOrResume(const Seen& before, const Seen& after) {
        if (!paused_) {
            pause(after);
            return;
        }
        const bool noPointYet = before.score[0] == 0 && before.score[1] == 0;
        const bool won = before.score[0] == 10 || before.score[1] == 10;
        const bool betweenPoints = !noPointYet && !won && !before.moving();
        const int resumeCase = noPointYet ? 0 : won ? 1 : betweenPoints ? 2 : 3;
        const std::string status = won ? (before.score[0] == 10 ? "Player 1 Wins" : "Player 2 Wins")
                                       : modeText(before.players);
        require(!after.pauseChecked && after.tmrBall && after.tmrLeft && after.tmrRight &&
                    after.tmrStart == betweenPoints && !after.pauseTextVisible &&
                    after.win == status,
                "a resume restarts the timers the phase of the match needs",
                say("resume case ", "ABCD"[resumeCase], ": timers ball ", after.tmrBall, " left ",
                    after.tmrLeft, " right ", after.tmrRight, " start ", after.tmrStart,
                    ", status '", after.win, "'"));
        paused_ = false;
        ++counts_.resumes[resumeCase];
    }

    void help(const std::string& name, const Seen& before, const Seen& after,
              const std::string& printed, const std::string& stateBefore,
              const std::string& stateAfter) {
        const HelpItem* item = nullptr;
        for (const HelpItem& each : kHelpItems) {
            item = name == each.name ? &each : item;
        }
        require(item != nullptr, "the steps are the ones a person can take", name);
        require(
            printed.rfind(R"({"msgbox":{"title":")" + std::string(item->title) + "\"", 0) == 0 &&
                std::count(printed.begin(), printed.end(), '\n') == 1,
            "a Help item shows its box", printed);
        // The timers tick behind a box, so a running match is paused before it opens.
        if (before.tmrBall && !paused_) {
            pause(after);
            ++counts_.helpPauses;
            requireOnlyChanged(
                stateBefore, stateAfter,
                {"tmrBall.Enabled", "tmrLeft.Enabled", "tmrRight.Enabled", "tmrStart.Enabled",
                 "mnuPause.Checked", "lblWin.Caption", "lblPause.Visible"},
                "a Help item pauses and changes nothing else");
        } else {
            requireOnlyChanged(stateBefore, stateAfter, {}, "a Help item changes nothing");
        }
    }

    void chooseSetting(const SettingItem& item, const Seen& after, const std::string& stateBefore,
                       const std::string& stateAfter) {
        switch (item.what) {
            case Setting::Speed:
                require(after.speedSetting == item.value && after.checkedSpeed == item.value,
                        "a speed item sets the speed and its check",
                        say(item.name, ": speedSetting ", after.speedSetting));
                requireOnlyChanged(
                    stateBefore, stateAfter,
                    {"speedSetting", "mnuSluggish.Checked", "mnuSlow.Checked", "mnuMedium.Checked",
                     "mnuFast.Checked", "mnuReallyfast.Checked"},
                    "a speed item changes only the speed");
                break;
            case Setting::Players:
                require(after.players == item.value && after.checkedPlayers == item.value,
                        "a player item sets the mode and its check",
                        say(item.name, ": players ", after.players));
                requireOnlyChanged(stateBefore, stateAfter,
                                   {"players", "mnuOne.Checked", "mnuTwo.Checked"},
                                   "a player item changes only the mode");
                break;
            case Setting::Level:
                require(after.level == item.value && after.checkedLevel == item.value &&
                            after.levelCaption == "Level " + std::to_string(item.value) &&
                            after.ballTop == serveTop(item.value) &&
                            after.obstacleVisible == (item.value == 2 || item.value == 5) &&
                            after.ball2Visible == (item.value == 3),
                        "a level item sets the level and lays out its field",
                        say(item.name, ": level ", after.level, ", ", ballText(after)));
                requireOnlyChanged(stateBefore, stateAfter,
                                   {"level", "lblLevel.Caption", "mnuLevel1.Checked",
                                    "mnuLevel2.Checked", "mnuLevel3.Checked", "mnuLevel4.Checked",
                                    "mnuLevel5.Checked", "predictionLine", "shpObstacle.Visible",
                                    "shpObstacle.Left", "imgBall.Top", "imgBall2.Visible"},
                                   "a level item changes only the level and its field");
                break;
        }
    }

    void checkTick(const Seen& b, const Seen& a, bool serveDue, const std::string& printed) {
        if (paused_) {
            require(a.ballLeft == b.ballLeft && a.ballTop == b.ballTop && a.leftTop == b.leftTop &&
                        a.rightTop == b.rightTop && a.obstacleLeft == b.obstacleLeft &&
                        a.score[0] == b.score[0] && a.score[1] == b.score[1] && printed.empty(),
                    "nothing moves during a pause", say(ballText(a)));
            return;
        }
        const int gained[2] = {a.score[0] - b.score[0], a.score[1] - b.score[1]};
        require(
            gained[0] >= 0 && gained[0] <= 1 && gained[1] >= 0 && gained[1] <= 1 &&
                gained[0] + gained[1] <= 1,
            "a clock tick scores at most one point",
            say("scores ", b.score[0], "-", b.score[1], " became ", a.score[0], "-", a.score[1]));
        if (gained[0] + gained[1] == 1) {
            const int winner = gained[0] == 1 ? 1 : 2;
            const int score = a.score[winner - 1];
            require(rally_ && b.moving(), "a point is scored only in a rally", say(ballText(b)));
            rally_ = false;
            ++counts_.points;
            require(!a.moving() && a.ballLeft == (a.level == 2 || a.level == 5 ? 5750 : 5760) &&
                        a.ballTop == serveTop(a.level),
                    "a point puts the ball at rest at its serve position", say(ballText(a)));
            require(a.win == text("Player ", winner, " Wins!") &&
                        a.label[winner - 1] == text("Player ", winner, ":  ", score),
                    "a point shows the rally's winner and the new score",
                    say("status '", a.win, "', label '", a.label[winner - 1], "'"));
            if (score < 10) {
                require(a.tmrStart && printed.empty(),
                        "below ten points the next serve is on its way",
                        say("tmrStart ", a.tmrStart, ", printed ", printed));
            } else {
                require(
                    printed == boxLine("Zarb", text("Player ", winner, " Wins!")) && !a.tmrStart,
                    "a won match names its winner in a message box and serves no more",
                    say("printed ", printed, ", tmrStart ", a.tmrStart));
                settingsOpen_ = true;
                ++counts_.matchesWon[a.players == 1 ? 0 : 1];
            }
        } else {
            require(printed.empty(), "only the end of a match shows a message box on a tick",
                    printed);
        }
        if (serveDue) {
            require(!b.moving(), "the start timer serves only a ball at rest", say(ballText(b)));
            rally_ = true;
            settingsOpen_ = false;
            ++counts_.serves;
            counts_.levelsServed |= 1u << a.level;
            counts_.speedsServed |= 1u << std::max(0, speedIndex(a.speedSetting));
            counts_.modesServed |= 1u << a.players;
            require((a.ballDirX == 1 || a.ballDirX == 2) && (a.ballDirY == 1 || a.ballDirY == 2) &&
                        a.ballStepY >= 10 && a.ballStepY <= 59 &&
                        a.ballStepY == std::floor(a.ballStepY),
                    "a serve sends the ball off with a whole vertical step from 10 to 59",
                    say(ballText(a)));
            require(!a.tmrStart && a.tmrBall && a.win == modeText(a.players) &&
                        a.ballTop == serveTop(a.level) && a.ballLeft == b.ballLeft,
                    "a serve starts the ball timer from the serve height and shows the mode",
                    say(ballText(a), ", tmrStart ", a.tmrStart, ", tmrBall ", a.tmrBall,
                        ", status '", a.win, "'"));
        } else if (!b.moving()) {
            require(!a.moving(), "the ball moves only between a serve and the next point",
                    say("a resting ball started without a serve: ", ballText(a)));
            if (a.ballLeft != b.ballLeft || a.ballTop != b.ballTop) {
                // Level 3's wrap copies the second picture's wrapped height even to a resting
                // ball, when one of the pictures stands on an edge of the field.
                const bool onEdge = b.ballTop <= 0 || b.ballTop >= b.floorTop || b.ball2Top <= 0 ||
                                    b.ball2Top >= b.floorTop;
                require(a.ballLeft == b.ballLeft && b.level == 3 && onEdge,
                        "the ball moves only between a serve and the next point",
                        say("a resting ball moved from ", ballText(b), " to ", ballText(a)));
                ++counts_.restingWraps;
            }
        }
    }

    // The rules that hold after every step and every tick of legal play.
    void checkAlways(const Seen& a) {
        require(a.score[0] >= 0 && a.score[0] <= 10 && a.score[1] >= 0 && a.score[1] <= 10 &&
                    !(a.score[0] == 10 && a.score[1] == 10),
                "the scores stay from 0 to 10", say(a.score[0], "-", a.score[1]));
        if (a.score[0] == 10 || a.score[1] == 10) {
            const int winner = a.score[0] == 10 ? 1 : 2;
            const bool shown = paused_ ? a.win == "Paused"
                                       : a.win == text("Player ", winner, " Wins!") ||
                                             a.win == text("Player ", winner, " Wins");
            require(shown && a.label[winner - 1] == text("Player ", winner, ":  10") &&
                        !a.moving() && !a.tmrStart,
                    "a finished match shows its winner and serves no more",
                    say("status '", a.win, "', label '", a.label[winner - 1], "', ", ballText(a),
                        ", tmrStart ", a.tmrStart));
        }
        const float leftLowest = static_cast<float>(double{a.floorTop} - a.leftHeight);
        const float rightLowest = static_cast<float>(double{a.floorTop} - a.rightHeight);
        require(a.leftLeft == 15 && a.leftTop >= 0 && a.leftTop <= leftLowest &&
                    a.rightLeft == 11450 && a.rightTop >= 0 && a.rightTop <= rightLowest,
                "the paddles stay within their limits",
                say("left paddle at (", a.leftLeft, ", ", a.leftTop, "), right at (", a.rightLeft,
                    ", ", a.rightTop, "), lowest Top ", leftLowest));
        require(a.ballDirX >= 0 && a.ballDirX <= 2 && a.ballDirY >= 0 && a.ballDirY <= 2 &&
                    (a.ballDirX == 0) == (a.ballDirY == 0) &&
                    (a.obstacleDir == 0 || a.obstacleDir == 1) &&
                    (a.aimDir == 0 || a.aimDir == 1 || a.aimDir == 2),
                "the direction codes stay in their ranges",
                say(ballText(a), ", obstacleDir ", a.obstacleDir, ", aimDir ", a.aimDir));
        bool flagsAreFlags = true;
        for (const std::int32_t flag : a.keys) {
            flagsAreFlags = flagsAreFlags && (flag == 0 || flag == 1);
        }
        require(flagsAreFlags && !(a.keys[0] == 1 && a.keys[1] == 1) &&
                    !(a.keys[2] == 1 && a.keys[3] == 1),
                "the held-key flags are 0 or 1 and never both of a pair",
                say(a.keys[0], a.keys[1], a.keys[2], a.keys[3]));
        require(
            a.level >= 1 && a.level <= 5 && speedIndex(a.speedSetting) >= 0 &&
                (a.players == 1 || a.players == 2) && a.checkedSpeed == a.speedSetting &&
                a.checkedPlayers == a.players && a.checkedLevel == a.level &&
                a.levelCaption == "Level " + std::to_string(a.level) &&
                a.predictionLine == (a.level == 2 || a.level == 5 ? 6500 : 4000),
            "the settings keep valid values and their checks follow them",
            say("level ", a.level, " (checked ", a.checkedLevel, ", '", a.levelCaption,
                "'), speed ", a.speedSetting, " (checked ", a.checkedSpeed, "), players ",
                a.players, " (checked ", a.checkedPlayers, "), predictionLine ", a.predictionLine));
        require(a.speedMenu == settingsOpen_ && a.playersMenu == settingsOpen_ &&
                    a.levelMenu == settingsOpen_,
                "the settings menus are disabled exactly from a serve until End Game, New Game "
                "or the end of the match",
                say("expected ", settingsOpen_ ? "enabled" : "disabled", ", Speed ", a.speedMenu,
                    ", Players ", a.playersMenu, ", Level ", a.levelMenu));
        require(a.moving() == rally_, "the ball moves only between a serve and the next point",
                say(rally_ ? "in a rally, " : "out of a rally, ", ballText(a)));
        if (a.moving()) {
            const float limit = a.players == 1 ? 350.0f : 500.0f;
            require(!a.tmrStart && (a.tmrBall || paused_) && std::fabs(a.ballStepY) <= limit,
                    "a rally runs on the ball timer with a vertical step within its limit",
                    say(ballText(a), ", tmrBall ", a.tmrBall, ", tmrStart ", a.tmrStart));
        } else {
            require(a.ballLeft == 5760 || a.ballLeft == 5750,
                    "a resting ball rests in the middle of the field", say(ballText(a)));
        }
        require(a.pauseChecked == paused_ && !a.pauseEnabled,
                "mnuPause is checked exactly while the game is paused, and never enabled",
                say("expected ", paused_ ? "paused" : "not paused", ", checked ", a.pauseChecked,
                    ", enabled ", a.pauseEnabled));
        if (paused_) {
            require(!a.tmrBall && !a.tmrLeft && !a.tmrRight && !a.tmrStart && a.pauseTextVisible &&
                        a.win == "Paused",
                    "a pause stops all four timers and says so",
                    say("timers ball ", a.tmrBall, " left ", a.tmrLeft, " right ", a.tmrRight,
                        " start ", a.tmrStart, ", status '", a.win, "'"));
        } else {
            require(a.tmrLeft && a.tmrRight && !a.pauseTextVisible,
                    "out of a pause the paddle timers run and the pause text is hidden",
                    say("tmrLeft ", a.tmrLeft, ", tmrRight ", a.tmrRight, ", lblPause ",
                        a.pauseTextVisible));
        }
        if (extra_ != nullptr) {
            if (const auto problem = extra_->check(*program().zarb())) {
                throw Broken{extra_->name, *problem};
            }
        }
    }

    std::ostringstream out_, err_;
    ScriptRunner runner_;
    PlayCounts& counts_;
    const ExtraRule* extra_;
    // What the checks expect, from the steps and ticks seen so far.
    bool paused_ = false;
    bool settingsOpen_ = true;
    bool rally_ = false;
    std::optional<std::string> cutRun_;
};

// Key steps need the game window on screen: PLAY! must come first.
bool stepsInLegalOrder(const Steps& steps) {
    bool shown = false;
    for (const std::string& step : steps) {
        shown = shown || step == "click cmdPlay";
        if (!shown && step.rfind("Form_Key", 0) == 0) {
            return false;
        }
    }
    return true;
}

// The steps up to the failing one, with a failing run cut to end on the failing tick.
Steps upToFailure(const Steps& steps, const Failure& failure) {
    Steps cut(steps.begin(), steps.begin() + static_cast<std::ptrdiff_t>(failure.step));
    cut.push_back(failure.cutRun ? *failure.cutRun : steps[failure.step]);
    return cut;
}

}  // namespace

void PlayCounts::add(const PlayCounts& o) {
    steps += o.steps, ticks += o.ticks, serves += o.serves, points += o.points;
    for (int i = 0; i < 2; ++i) {
        matchesWon[i] += o.matchesWon[i];
    }
    for (int i = 0; i < 4; ++i) {
        resumes[i] += o.resumes[i];
    }
    helpPauses += o.helpPauses, ignoredClicks += o.ignoredClicks;
    ignoredSettingClicks += o.ignoredSettingClicks, pauses += o.pauses;
    newGames += o.newGames, endGames += o.endGames, restingWraps += o.restingWraps;
    levelsServed |= o.levelsServed, speedsServed |= o.speedsServed, modesServed |= o.modesServed;
}

std::string PlayCounts::summary() const {
    return text(steps, " steps, ", ticks, " clock ticks, ", serves, " serves, ", points,
                " points, matches won ", matchesWon[0], " (one player) and ", matchesWon[1],
                " (two players), ", newGames, " New Game, ", endGames, " End Game, ", pauses,
                " pauses (", helpPauses, " by Help), resumes by case A ", resumes[0], " B ",
                resumes[1], " C ", resumes[2], " D ", resumes[3], ", ", ignoredClicks,
                " ignored clicks (", ignoredSettingClicks, " on settings), ", restingWraps,
                " level-3 wraps of a resting ball");
}

Steps randomLegalPlay(std::uint64_t seed, std::size_t length) {
    SeededRandom r(seed ^ 0x5bd1e995ULL);
    Steps steps;
    const auto runStep = [&r] {
        switch (r.weighted({60, 25, 12, 3})) {
            case 0:
                return r.chance(1, 4)
                           ? "run " + decimal(static_cast<double>(r.between(0, 4000)) / 16)
                           : "run " + std::to_string(r.between(0, 250));
            case 1:
                return "run " + std::to_string(r.between(250, 3000));
            case 2:
                return "run " + std::to_string(r.between(3000, 20000));
            default:
                return "run " + std::to_string(r.between(20000, 90000));
        }
    };
    // On the splash: INFO, time passing and clicks that the hidden game window must ignore.
    while (r.chance(1, 3)) {
        switch (r.below(3)) {
            case 0:
                steps.push_back("click cmdInfo");
                break;
            case 1:
                steps.push_back(runStep());
                break;
            default:
                steps.push_back("click " +
                                std::string(r.pick({"mnuNew", "mnuLevel3", "mnuRules"})));
        }
    }
    steps.push_back("click cmdPlay");
    // Every level, speed and mode from the first seeds on.
    steps.push_back(text("click mnuLevel", seed % 5 + 1));
    steps.push_back("click " + std::string(kSettingItems[seed / 5 % 5].name));
    steps.push_back(seed / 25 % 2 == 0 ? "click mnuOne" : "click mnuTwo");
    // A calm player lets matches run to their end; a restless one restarts, ends and pauses.
    const bool calm = r.chance(1, 2);
    const std::vector<std::string> helpItems = {"mnuRules", "mnuControls", "mnuAbout"};
    while (steps.size() < length) {
        const std::string shift = r.chance(1, 10) ? text(" ", r.between(0, 7)) : "";
        switch (r.weighted({20, 12, 30, calm ? 1u : 4u, calm ? 1u : 2u, 4, 2, 6, 1, 3, 1})) {
            case 0:
                steps.push_back(
                    text("Form_KeyDown ", r.pick(std::vector<int>{65, 90, 222, 191}), shift));
                break;
            case 1:
                steps.push_back(
                    text("Form_KeyUp ", r.pick(std::vector<int>{65, 90, 222, 191}), shift));
                break;
            case 2:
                steps.push_back(runStep());
                break;
            case 3:
                steps.push_back(r.chance(3, 4) ? "Form_KeyDown 112" + shift : "click mnuNew");
                break;
            case 4:
                steps.push_back(r.chance(3, 4) ? "Form_KeyDown 113" + shift : "click mnuEnd");
                break;
            case 5:
                steps.push_back("Form_KeyDown 27" + shift);
                break;
            case 6:
                steps.push_back("click " + r.pick(helpItems));
                break;
            case 7:
                steps.push_back("click " + std::string(kSettingItems[r.below(12)].name));
                break;
            case 8:
                steps.push_back("click mnuPause");
                break;
            case 9:
                steps.push_back(text(r.chance(1, 2) ? "Form_KeyDown " : "Form_KeyUp ",
                                     r.between(0, 255), shift));
                break;
            default:
                steps.push_back(r.chance(1, 2) ? "Form_KeyUp 112" : "Form_KeyUp 27");
        }
    }
    return steps;
}

std::optional<Failure> playAndCheck(const Steps& steps, PlayCounts* counts, const ExtraRule* extra,
                                    std::string* finalState) {
    PlayCounts own;
    Referee referee(counts != nullptr ? *counts : own, extra);
    return referee.play(steps, finalState);
}

Steps shrinkFailure(const Steps& steps, const Failure& failure, const ExtraRule* extra,
                    Failure& shrunk) {
    shrunk = failure;
    // A candidate counts only if it breaks the same rule; it is kept cut at its own failure.
    const auto stillFails = [&](Steps& candidate) {
        if (candidate.empty() || !stepsInLegalOrder(candidate)) {
            return false;
        }
        const std::optional<Failure> found = playAndCheck(candidate, nullptr, extra);
        if (!found || found->rule != failure.rule) {
            return false;
        }
        candidate = upToFailure(candidate, *found);
        shrunk = *found;
        shrunk.step = candidate.size() - 1;
        shrunk.cutRun.reset();
        return true;
    };
    Steps best = upToFailure(steps, failure);
    if (!stillFails(best)) {
        return steps;  // not repeatable: keep what was found
    }
    const auto removeChunks = [&] {
        std::size_t parts = 2;
        while (best.size() >= 2) {
            const std::size_t chunk = (best.size() + parts - 1) / parts;
            bool removed = false;
            for (std::size_t start = 0; start < best.size() && !removed; start += chunk) {
                Steps candidate(best.begin(), best.begin() + static_cast<std::ptrdiff_t>(start));
                candidate.insert(candidate.end(),
                                 best.begin() + static_cast<std::ptrdiff_t>(
                                                    std::min(best.size(), start + chunk)),
                                 best.end());
                if (stillFails(candidate)) {
                    best = candidate;
                    parts = std::max<std::size_t>(parts - 1, 2);
                    removed = true;
                }
            }
            if (!removed) {
                if (parts >= best.size()) {
                    break;
                }
                parts = std::min(best.size(), parts * 2);
            }
        }
    };
    // Time spent earlier can often be spent later instead: a run goes into the next run, which
    // then covers both spans. Two runs in a row are exactly one run of both spans.
    const auto mergeRuns = [&] {
        for (std::size_t i = 0; i < best.size();) {
            std::size_t next = i + 1;
            while (next < best.size() && best[next].rfind("run ", 0) != 0) {
                ++next;
            }
            if (best[i].rfind("run ", 0) == 0 && next < best.size()) {
                Steps candidate = best;
                candidate[next] = "run " + decimal(std::strtod(best[i].c_str() + 4, nullptr) +
                                                   std::strtod(best[next].c_str() + 4, nullptr));
                candidate.erase(candidate.begin() + static_cast<std::ptrdiff_t>(i));
                if (stillFails(candidate)) {
                    best = candidate;
                    continue;
                }
            }
            ++i;
        }
    };
    // Steps that only matter together, like a pause and its resume around another step, go
    // in pairs; tried once the list is short.
    const auto removePairs = [&] {
        constexpr std::size_t kLongestForPairs = 40;
        bool removed = true;
        while (removed && best.size() <= kLongestForPairs) {
            removed = false;
            for (std::size_t i = 0; i < best.size() && !removed; ++i) {
                for (std::size_t j = i + 1; j < best.size() && !removed; ++j) {
                    Steps candidate = best;
                    candidate.erase(candidate.begin() + static_cast<std::ptrdiff_t>(j));
                    candidate.erase(candidate.begin() + static_cast<std::ptrdiff_t>(i));
                    if (stillFails(candidate)) {
                        best = candidate;
                        removed = true;
                    }
                }
            }
        }
    };
    mergeRuns();
    removeChunks();
    removePairs();
    // Shorter runs, each by halving the span to the shortest that still breaks the rule.
    for (std::size_t i = 0; i < best.size(); ++i) {
        if (best[i].rfind("run ", 0) != 0) {
            continue;
        }
        double lo = 0, hi = std::strtod(best[i].c_str() + 4, nullptr);
        for (int tries = 0; tries < 24 && hi - lo > 0.001 && i < best.size(); ++tries) {
            const double mid = std::round((lo + hi) / 2 * 1000) / 1000;
            Steps candidate = best;
            candidate[i] = "run " + decimal(mid);
            if (stillFails(candidate)) {
                best = candidate;
                hi = mid;
            } else {
                lo = mid;
            }
        }
    }
    mergeRuns();
    removeChunks();
    removePairs();
    // A key's modifier mask is left off where the keys act the same without it.
    for (std::size_t i = 0; i < best.size(); ++i) {
        const std::vector<std::string> word = words(best[i]);
        if (word.size() == 3 && word[0].rfind("Form_Key", 0) == 0) {
            Steps candidate = best;
            candidate[i] = word[0] + " " + word[1];
            if (stillFails(candidate)) {
                best = candidate;
            }
        }
    }
    Steps final = best;
    stillFails(final);
    return final;
}

std::string replayScript(std::uint64_t seed, const Steps& steps, const Failure& failure) {
    std::string detail = failure.detail;
    std::replace(detail.begin(), detail.end(), '\n', ' ');
    std::string script =
        text("# Random legal play from seed ", seed, " breaks a rule at its last step (",
             steps.size(), " steps).\n", "# rule: ", failure.rule, "\n# what: ", detail,
             "\n# replay: zarb-headless < this file; the state line shows the "
             "state the rule was checked on.\n");
    for (std::size_t i = 0; i < steps.size(); ++i) {
        script += i == failure.step && failure.cutRun ? *failure.cutRun : steps[i];
        script += "\n";
        if (i == failure.step) {
            break;
        }
    }
    return script + "state\n";
}

}  // namespace zarb::fuzz
