#include "tests/fuzz/random_scripts.h"

#include <string_view>
#include <vector>

#include "tests/fuzz/seeded_random.h"

namespace zarb::fuzz {

namespace {

// The program's words, as its manual lists them; the test keeps its own copy on purpose, so
// that a name the program forgets to accept shows up as an error line.
const std::vector<std::string> kQuietHandlers = {
    "Form_Load",           "tmrBall_Timer",   "tmrLeft_Timer",   "tmrRight_Timer",
    "tmrStart_Timer",      "mnuNew_Click",    "mnuEnd_Click",    "mnuPause_Click",
    "mnuSluggish_Click",   "mnuSlow_Click",   "mnuMedium_Click", "mnuFast_Click",
    "mnuReallyfast_Click", "mnuOne_Click",    "mnuTwo_Click",    "mnuLevel1_Click",
    "mnuLevel2_Click",     "mnuLevel3_Click", "mnuLevel4_Click", "mnuLevel5_Click",
    "cmdPlay_Click"};
// Each of these prints a message box every time it runs.
const std::vector<std::string> kBoxHandlers = {"mnuRules_Click", "mnuControls_Click",
                                               "mnuAbout_Click", "cmdInfo_Click"};
const std::vector<std::string> kEndingHandlers = {"Form_Unload", "mnuExit_Click", "cmdExit_Click"};
const std::vector<std::string> kNotHandlers = {
    "mnuFile_Click", "mnuSpeed_Click", "mnuSep1_Click", "tmrball_Timer", "Form_KeyPress",
    "cmdPlay",       "mnuNew",         "Form_Load()",   "frmZarb",       "RUN",
    "Run",           "STATE",          "Get",           "imgBall.Left"};

const std::vector<std::string> kClickable = {
    "mnuNew",    "mnuEnd",      "mnuPause",      "mnuSluggish", "mnuSlow",
    "mnuMedium", "mnuFast",     "mnuReallyfast", "mnuOne",      "mnuTwo",
    "mnuLevel1", "mnuLevel2",   "mnuLevel3",     "mnuLevel4",   "mnuLevel5",
    "mnuRules",  "mnuControls", "mnuAbout",      "cmdPlay",     "cmdInfo"};
const std::vector<std::string> kEndingClicks = {"mnuExit", "cmdExit"};
const std::vector<std::string> kHeadings = {"mnuFile",  "mnuEdit", "mnuSpeed", "mnuPlayers",
                                            "mnuLevel", "mnuHelp", "mnuSep1",  "mnuSep2"};

const std::vector<std::string> kWholeVariables = {
    "ballDirX",     "ballDirY",       "speedSetting", "players",      "level",
    "keyLeftUp",    "keyLeftDown",    "keyRightUp",   "keyRightDown", "player1Score",
    "player2Score", "predictionLine", "obstacleDir"};
const std::vector<std::string> kDecimalVariables = {
    "ballStepY",       "deflectY", "hitOffset",    "ticksToPaddle", "opponentGap",
    "opponentHomeGap", "travelY",  "edgeDistance", "aimDir",        "predictedTop"};
const std::vector<std::string> kPictures = {"imgBall", "imgBall2", "imgLeft", "imgRight",
                                            "shpObstacle"};
const std::vector<std::string> kLabels = {"lblLabel", "lblPlayer1", "lblPlayer2",
                                          "lblWin",   "lblLevel",   "lblPause"};
const std::vector<std::string> kTimers = {"tmrBall", "tmrLeft", "tmrRight", "tmrStart"};
const std::vector<std::string> kMenus = {
    "mnuFile",   "mnuNew",        "mnuEnd",      "mnuPause",    "mnuExit",
    "mnuEdit",   "mnuSpeed",      "mnuSluggish", "mnuSlow",     "mnuMedium",
    "mnuFast",   "mnuReallyfast", "mnuPlayers",  "mnuOne",      "mnuTwo",
    "mnuLevel",  "mnuLevel1",     "mnuLevel2",   "mnuLevel3",   "mnuLevel4",
    "mnuLevel5", "mnuHelp",       "mnuRules",    "mnuControls", "mnuAbout"};
const std::vector<std::string> kWindowFlags = {"frmSplash.Loaded", "frmSplash.Visible",
                                               "frmZarb.Loaded", "frmZarb.Visible"};

enum class Kind { Whole, Decimal, Flag, TimerOn, Interval, Caption, ReadOnly };

struct Name {
    std::string text;
    Kind kind;
};

std::vector<Name> buildNames() {
    std::vector<Name> names;
    for (const std::string& v : kWholeVariables) {
        names.push_back({v, Kind::Whole});
    }
    for (const std::string& v : kDecimalVariables) {
        names.push_back({v, Kind::Decimal});
    }
    for (const auto* controls : {&kPictures, &kLabels}) {
        for (const std::string& c : *controls) {
            for (const char* p : {".Left", ".Top", ".Width", ".Height"}) {
                names.push_back({c + p, Kind::Decimal});
            }
            names.push_back({c + ".Visible", Kind::Flag});
            if (controls == &kLabels) {
                names.push_back({c + ".Caption", Kind::Caption});
            }
        }
    }
    for (const std::string& t : kTimers) {
        names.push_back({t + ".Enabled", Kind::TimerOn});
        names.push_back({t + ".Interval", Kind::Interval});
    }
    for (const std::string& m : kMenus) {
        names.push_back({m + ".Caption", Kind::Caption});
        names.push_back({m + ".Checked", Kind::Flag});
        names.push_back({m + ".Enabled", Kind::Flag});
    }
    for (const std::string& w : kWindowFlags) {
        names.push_back({w, Kind::ReadOnly});
    }
    return names;
}

const std::vector<Name>& allNames() {
    static const std::vector<Name> names = buildNames();
    return names;
}

class ScriptWriter {
  public:
    ScriptWriter(SeededRandom& random, const ScriptShape& shape) : r_(random), shape_(shape) {}

    std::string script() {
        costlyLeft_ = r_.chance(shape_.costlyPerMille, 1000) ? 1 : 0;
        std::string text;
        // Most scripts open the game first, so that the game window's names are there to use.
        if (r_.chance(3, 4)) {
            text += r_.chance(1, 2) ? "cmdPlay_Click\n" : "click cmdPlay\n";
        }
        const auto lines = static_cast<int>(r_.between(0, shape_.mostLines));
        for (int i = 0; i < lines; ++i) {
            text += line();
            text += r_.chance(1, 40) ? "\r\n" : "\n";
        }
        return text;
    }

  private:
    std::string line() {
        if (r_.chance(shape_.endingPerMille, 1000)) {
            return endingLine();
        }
        if (costlyLeft_ > 0 && r_.chance(1, 30)) {
            --costlyLeft_;
            return costlyLine();
        }
        switch (r_.weighted({14, 10, 10, 2, 12, 18, 8, 2, 2, 5, 1, 3, 8})) {
            case 0:
                return handlerLine();
            case 1:
                return keyLine();
            case 2:
                return clickLine();
            case 3:
                return closeLine();
            case 4:
                return runLine();
            case 5:
                return setLine();
            case 6:
                return getLine();
            case 7:
                return r_.chance(9, 10) ? "state" : "state " + nameWord();
            case 8:
                return seedLine();
            case 9:
                return binaryLine(static_cast<std::size_t>(r_.between(0, 200)));
            case 10:
                return longLine();
            case 11:
                return commentLine();
            default:
                return mutated(r_.chance(1, 2) ? setLine() : handlerLine());
        }
    }

    std::string endingLine() {
        switch (r_.below(3)) {
            case 0:
                return r_.pick(kEndingHandlers);
            case 1:
                return "click " + r_.pick(kEndingClicks);
            default:
                return std::string("close ") + (r_.chance(1, 2) ? "frmSplash" : "frmZarb");
        }
    }

    // Valid, but it asks for a lot of work: the program must still finish within its bound.
    std::string costlyLine() {
        if (r_.chance(1, 2)) {
            return "run 86400000";
        }
        return r_.pick(kTimers) + "_Timer 10000000";
    }

    std::string handlerLine() {
        if (r_.chance(1, 12)) {
            return r_.pick(kNotHandlers) + optionalCount(20);
        }
        if (r_.chance(1, 8)) {
            return r_.pick(kBoxHandlers) + optionalCount(5);
        }
        return r_.pick(kQuietHandlers) + optionalCount(1000);
    }

    std::string optionalCount(long long most) {
        switch (r_.weighted({60, 25, 5, 10})) {
            case 0:
                return "";
            case 1:
                return " " + std::to_string(r_.between(0, 5));
            case 2:
                return " " + std::to_string(r_.between(0, most));
            default:
                return " " + std::string(r_.pick({"-1", "10000001", "1e3", "3.5", "abc", "+2",
                                                  "++2", "0x10", "99999999999999999999999", "2 3",
                                                  "-0", "00000000000000000000000001"}));
        }
    }

    std::string keyLine() {
        std::string text = r_.chance(3, 5) ? "Form_KeyDown" : "Form_KeyUp";
        switch (r_.weighted({50, 30, 20})) {
            case 0:
                text +=
                    " " + std::to_string(r_.pick(std::vector<int>{65, 90, 222, 191, 112, 113, 27}));
                break;
            case 1:
                text += " " + std::to_string(r_.between(0, 255));
                break;
            default:
                text +=
                    r_.pick({" 256", " -1", " 65.0", " A", " 99999999999", "", " +27", " 0x41"});
        }
        switch (r_.weighted({60, 30, 10})) {
            case 0:
                break;
            case 1:
                text += " " + std::to_string(r_.between(0, 7));
                break;
            default:
                text += r_.pick({" 8", " -1", " 1 2", " shift", " 7.0"});
        }
        return text;
    }

    std::string clickLine() {
        switch (r_.weighted({70, 10, 10, 10})) {
            case 0:
                return "click " + r_.pick(kClickable);
            case 1:
                return "click " + r_.pick(kHeadings);
            case 2:
                return "click " + mutatedWord(r_.pick(kClickable));
            default:
                return r_.chance(1, 2) ? "click" : "click mnuNew mnuEnd";
        }
    }

    std::string closeLine() {
        // The windows themselves end the program: here only what cannot be closed.
        return "close " + std::string(r_.pick({"frmzarb", "frmSplash2", "mnuFile", "", "imgBall",
                                               "frmZarb frmSplash"}));
    }

    std::string runLine() {
        switch (r_.weighted({50, 20, 30})) {
            case 0:
                return "run " + (r_.chance(2, 3) ? std::to_string(r_.between(0, 300))
                                                 : decimalBetween(0, 300));
            case 1:
                return "run " + std::to_string(r_.between(300, 60000));
            default:
                return "run " + std::string(r_.pick(
                                    {"-1", "-0", "86400000.5", "86400001", "1e9", "nan", "inf",
                                     "-inf", "1e-999", "15.625", "0x10", "", "1 2", "1e99999",
                                     "99999999999999999999999999999", ".", "1e", "0.0000001"}));
        }
    }

    std::string setLine() {
        if (r_.chance(1, 8)) {
            return "set " + nameWord() + " " + anyValue();
        }
        const Name& name = r_.pick(allNames());
        if (r_.chance(1, 4)) {
            return "set " + name.text + " " + anyValue();
        }
        if (r_.chance(1, 20)) {
            return "set " + name.text;  // missing value
        }
        std::string value = valueOf(name.kind);
        if (r_.chance(1, 20)) {
            value += " " + anyValue();  // extra argument
        }
        return "set " + name.text + " " + value;
    }

    std::string valueOf(Kind kind) {
        switch (kind) {
            case Kind::Whole:
                return wholeValue();
            case Kind::Decimal:
                return decimalValue();
            case Kind::Flag:
            case Kind::TimerOn:
            case Kind::ReadOnly:
                return flagValue();
            case Kind::Interval:
                return r_.chance(4, 5) ? std::to_string(r_.between(1, 65535))
                                       : std::string(r_.pick({"0", "65536", "-1", "1.5", "x"}));
            case Kind::Caption:
                return captionValue();
        }
        return "";
    }

    std::string anyValue() {
        switch (r_.below(6)) {
            case 0:
                return wholeValue();
            case 1:
                return decimalValue();
            case 2:
                return flagValue();
            case 3:
                return captionValue();
            case 4:
                return binaryWord();
            default:
                return std::string(r_.pick({"", "\"\"", "#", "# comment"}));
        }
    }

    std::string wholeValue() {
        switch (r_.weighted({40, 20, 20, 20})) {
            case 0:
                return std::to_string(r_.between(-5, 20));
            case 1:
                return std::to_string(r_.pick(std::vector<long long>{
                    0, 1, 2, 3, 4, 5, 10, 115, 140, 160, 185, 230, 4000, 6500, 2147483647,
                    -2147483647 - 1, 2147483646, -2147483647}));
            case 2:
                return std::to_string(static_cast<int>(r_.next()));
            default:
                return std::string(r_.pick({"2147483648", "-2147483649", "1.5", "1e3", "0x1f",
                                            "++1", "+-1", "nan", "+7", "-0", "0007", "",
                                            "9999999999999999999999999999999999", "1,000"}));
        }
    }

    std::string decimalBetween(long long lowest, long long highest) {
        return std::to_string(r_.between(lowest, highest)) + "." +
               std::to_string(r_.between(0, 999999));
    }

    std::string decimalValue() {
        switch (r_.weighted({30, 20, 20, 30})) {
            case 0:
                return std::to_string(r_.between(-20000, 20000));
            case 1:
                return decimalBetween(-20000, 20000);
            case 2:
                return std::to_string(r_.between(1, 9)) + "." +
                       std::to_string(r_.between(0, 9999)) + "e" +
                       std::to_string(r_.between(-50, 40));
            default:
                return std::string(r_.pick({"3.4028235e38",
                                            "-3.4028235e38",
                                            "3.4028236e38",
                                            "1e-45",
                                            "1e-50",
                                            "1e-99999999999999999999",
                                            "1e99999999999999999999",
                                            ".5",
                                            "5.",
                                            "-.5e+2",
                                            "00012.500",
                                            "1e39",
                                            "-1e39",
                                            "nan",
                                            "NaN",
                                            "inf",
                                            "-inf",
                                            "Infinity",
                                            "1e",
                                            "e5",
                                            ".",
                                            "-",
                                            "1.2.3",
                                            "0x1p3",
                                            "1,5",
                                            "-0",
                                            "+0.0",
                                            "16777217",
                                            "0.1",
                                            "340282356779733661637539395458142568448"}));
        }
    }

    std::string flagValue() {
        return std::string(
            r_.pick({"true", "false", "1", "0", "true", "false", "True", "yes", "2", "", "-1"}));
    }

    std::string captionValue() {
        switch (r_.below(4)) {
            case 0:
                return "\"" + printable(static_cast<std::size_t>(r_.between(0, 30))) + "\"";
            case 1:
                return std::string(
                    r_.pick({"\"Player 1 Wins!\"", "\"\"", "\"a # b\" # comment", "\"tab\\there\"",
                             "\"\\u00e9t\\u00e9\"", "\"\\ud83d\\ude00\"", "\"\xc3\xa9\"",
                             "\"line\\r\\nbreak\"", "\"\\\"quoted\\\"\"", "\"\\/\\b\\f\""}));
            case 2:
                return std::string(
                    r_.pick({"\"open", "\"\\ud800\"", "\"\\udc00\"", "\"\\x41\"", "\"\x01\"",
                             "\"\xff\"", "\"\xc0\xaf\"", "\"a\" b", "plain words", "\"\\u12\"",
                             "\"\\ud800\\u0041\"", "\"\xed\xa0\x80\"", "\"\xf4\x90\x80\x80\""}));
            default:
                return "\"" + binaryWord() + "\"";
        }
    }

    std::string getLine() {
        std::string text = "get";
        const auto count = r_.chance(1, 30) ? r_.between(50, 500) : r_.between(0, 8);
        for (long long i = 0; i < count; ++i) {
            text += " " + (r_.chance(5, 6) ? r_.pick(allNames()).text : nameWord());
        }
        return text;
    }

    std::string seedLine() {
        switch (r_.below(3)) {
            case 0:
                return "seed " + std::to_string(r_.next() & 0xffffffffULL);
            case 1:
                return "seed " + std::string(r_.pick({"0", "4294967295", "4294967296", "-1", "1.5",
                                                      "", "x", "1 2"}));
            default:
                return "seed " + std::to_string(r_.between(0, 100));
        }
    }

    // A word that is not one of the program's names, though it may look like one.
    std::string nameWord() {
        switch (r_.below(4)) {
            case 0:
                return mutatedWord(r_.pick(allNames()).text);
            case 1:
                return r_.pick(kPictures) + "." + std::string(r_.pick({"left", "Caption", "X"}));
            case 2:
                return binaryWord();
            default:
                return std::string(
                    r_.pick({"imgBall.", ".Left", "frmZarb.Enabled", "mnuSep1.Checked",
                             "tmrBall.Interval.Enabled", "lblWin.caption", "imgBall..Left",
                             "imgBall.Left.Top"}));
        }
    }

    std::string mutatedWord(std::string word) {
        if (word.empty()) {
            return "x";
        }
        const std::size_t at = r_.below(word.size());
        switch (r_.below(4)) {
            case 0:
                word.erase(at, 1);
                break;
            case 1:
                word[at] = static_cast<char>(word[at] ^ 0x20);  // the case of a letter
                break;
            case 2:
                word.insert(at, 1, static_cast<char>(r_.between(33, 126)));
                break;
            default:
                word += word;
        }
        return word;
    }

    std::string printable(std::size_t length) {
        std::string text;
        for (std::size_t i = 0; i < length; ++i) {
            char c = static_cast<char>(r_.between(32, 126));
            text += c == '"' || c == '\\' ? 'x' : c;
        }
        return text;
    }

    // Bytes of every value but the line break, blanks excluded: one word.
    std::string binaryWord() {
        std::string text;
        const auto length = r_.between(1, 12);
        for (long long i = 0; i < length; ++i) {
            char c = static_cast<char>(r_.between(0, 255));
            text += c == '\n' || c == ' ' || c == '\t' || c == '\r' ? '\x7f' : c;
        }
        return text;
    }

    std::string binaryLine(std::size_t length) {
        std::string text;
        for (std::size_t i = 0; i < length; ++i) {
            const char c = static_cast<char>(r_.between(0, 255));
            text += c == '\n' ? '\0' : c;
        }
        return text;
    }

    std::string longLine() {
        const auto length = static_cast<std::size_t>(r_.chance(1, 20) ? r_.between(200000, 1000000)
                                                                      : r_.between(4000, 60000));
        switch (r_.below(6)) {
            case 0: {
                std::string text = "get";
                while (text.size() < length) {
                    text += " " + r_.pick(allNames()).text;
                }
                return text;
            }
            case 1:
                return "set lblWin.Caption \"" + printable(length) + "\"";
            case 2:
                return "set imgBall.Left 1" + std::string(length, '0');
            case 3:
                return "run " + std::string(length, '0') + "1";
            case 4:
                return "tmrLeft_Timer " + std::string(length, '0') + "2";
            default:
                return binaryLine(length);
        }
    }

    std::string commentLine() {
        return std::string(r_.pick({"", "   ", "\t", "# a comment", "  # indented", "state # why",
                                    "#state", "run 10#no blank before the hash",
                                    "get imgBall.Left # imgBall.Top", "\r", "\f\v"}));
    }

    std::string mutated(std::string text) {
        if (text.empty()) {
            return text;
        }
        const std::size_t at = r_.below(text.size());
        switch (r_.below(6)) {
            case 0:
                text[at] = static_cast<char>(r_.between(0, 255));
                if (text[at] == '\n') {
                    text[at] = '\0';
                }
                break;
            case 1:
                text.erase(at);
                break;
            case 2:
                text.insert(at, 1, "#\r\t\0\x80"[r_.below(5)]);
                break;
            case 3:
                text += " " + text;
                break;
            case 4:
                for (char& c : text) {
                    c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
                }
                break;
            default:
                text = "  \t" + text + " \t ";
        }
        return text;
    }

    SeededRandom& r_;
    const ScriptShape& shape_;
    int costlyLeft_ = 0;
};

}  // namespace

std::string randomScript(std::uint64_t seed, std::uint64_t index, const ScriptShape& shape) {
    SeededRandom random(seed * 0x100000001b3ULL ^ (index + 1) * 0x9e3779b97f4a7c15ULL);
    return ScriptWriter(random, shape).script();
}

}  // namespace zarb::fuzz
