#include "tools/headless/script_runner.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <istream>
#include <limits>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <vector>

#include "tools/headless/json.h"
#include "tools/headless/names.h"

namespace zarb::headless {

void HeadlessPlatform::showMessage(const std::string& title, const std::string& text) {
    out_ << "{\"msgbox\":{\"title\":" << jsonString(title) << ",\"text\":" << jsonString(text)
         << "}}\n";
}

void HeadlessPlatform::endProgram() {
    if (!ended()) {
        out_ << "{\"end\":true}\n";
    }
    Platform::endProgram();
}

namespace {

constexpr long long kMostRepeats = 10000000;
constexpr std::uint64_t kLongestRunMicroseconds = 86'400'000'000;

// A line that cannot be carried out: it changes nothing and the script goes on.
struct LineError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct Word {
    std::string_view text;
    std::size_t end;  // where the word ends in its line
};

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

// The words of a line, up to a word that starts a comment.
std::vector<Word> splitWords(std::string_view line) {
    std::vector<Word> words;
    std::size_t at = 0;
    while (at < line.size()) {
        while (at < line.size() && isBlank(line[at])) {
            ++at;
        }
        if (at >= line.size() || line[at] == '#') {
            break;
        }
        const std::size_t start = at;
        while (at < line.size() && !isBlank(line[at])) {
            ++at;
        }
        words.push_back({line.substr(start, at - start), at});
    }
    return words;
}

std::string quoted(std::string_view text) {
    constexpr std::size_t kLongest = 60;
    std::string shown(text.substr(0, kLongest));
    for (char& c : shown) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte >= 0x7f) {
            c = '?';
        }
    }
    return "'" + shown + (text.size() > kLongest ? "...'" : "'");
}

long long wholeNumber(std::string_view text, long long lowest, long long highest,
                      const char* what) {
    std::string_view digits = text;
    if (!digits.empty() && digits[0] == '+') {
        digits.remove_prefix(1);
    }
    long long value = 0;
    const auto result = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    // One sign at most: "+-5" and "++5" are not whole numbers.
    const bool secondSign = text.size() > 1 && text[0] == '+' && (text[1] == '+' || text[1] == '-');
    if (digits.empty() || secondSign || result.ec != std::errc() ||
        result.ptr != digits.data() + digits.size() || value < lowest || value > highest) {
        throw LineError(std::string(what) + " must be a whole number from " +
                        std::to_string(lowest) + " to " + std::to_string(highest) + ", not " +
                        quoted(text));
    }
    return value;
}

// A plain decimal: digits with an optional point, sign and exponent; no inf, nan or hex.
bool looksDecimal(std::string_view text) {
    std::size_t at = 0;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
        ++at;
    }
    std::size_t digits = 0;
    while (at < text.size() && text[at] >= '0' && text[at] <= '9') {
        ++at, ++digits;
    }
    if (at < text.size() && text[at] == '.') {
        ++at;
        while (at < text.size() && text[at] >= '0' && text[at] <= '9') {
            ++at, ++digits;
        }
    }
    if (digits == 0) {
        return false;
    }
    if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
        ++at;
        if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
            ++at;
        }
        std::size_t exponentDigits = 0;
        while (at < text.size() && text[at] >= '0' && text[at] <= '9') {
            ++at, ++exponentDigits;
        }
        if (exponentDigits == 0) {
            return false;
        }
    }
    return at == text.size();
}

// Where the first significant digit of a plain decimal stands: 0 for the units, -1 for the
// tenths, 2 for the hundreds. Reads the exponent with saturation, so 1e-99999999999999999999
// still counts as tiny; a decimal of zeros only is not asked about.
long long leadingDigitPlace(std::string_view text) {
    constexpr long long kFarOut = 1'000'000'000'000LL;
    std::size_t at = text[0] == '+' || text[0] == '-' ? 1 : 0;
    long long place = -1;  // the units' place is 0: a digit before the point adds one
    bool seenPoint = false;
    bool seenSignificant = false;
    for (; at < text.size() && text[at] != 'e' && text[at] != 'E'; ++at) {
        if (text[at] == '.') {
            seenPoint = true;
        } else if (!seenSignificant && text[at] == '0') {
            place -= seenPoint ? 1 : 0;
        } else if (!seenSignificant) {
            seenSignificant = true;
            place += seenPoint ? 0 : 1;
        } else if (!seenPoint) {
            ++place;
        }
    }
    long long exponent = 0;
    if (at < text.size()) {
        ++at;
        const bool negative = text[at] == '-';
        at += text[at] == '+' || text[at] == '-' ? 1 : 0;
        for (; at < text.size(); ++at) {
            exponent = std::min(exponent * 10 + (text[at] - '0'), kFarOut);
        }
        exponent = negative ? -exponent : exponent;
    }
    return place + exponent;
}

// A plain decimal read as the nearest value of type T: nothing if it is not a plain decimal or
// lies beyond T's largest value; too close to zero for T, it reads as zero of its sign.
template <typename T>
std::optional<T> nearestValue(std::string_view text) {
    if (!looksDecimal(text)) {
        return std::nullopt;
    }
    const std::string_view number = text[0] == '+' ? text.substr(1) : text;
    T value = 0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        if (leadingDigitPlace(text) >= 0) {
            return std::nullopt;
        }
        return number[0] == '-' ? -T{0} : T{0};
    }
    if (result.ec != std::errc() || result.ptr != number.data() + number.size() ||
        !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

// The nearest single-precision value of a finite decimal that single precision can hold.
float singleDecimal(std::string_view text) {
    const std::optional<float> value = nearestValue<float>(text);
    if (!value) {
        throw LineError("expected a finite decimal that single precision can hold, not " +
                        quoted(text));
    }
    return *value;
}

// Read exactly, digit by digit: runs add up on the clock as their decimals do.
ClockTime runSpan(std::string_view text) {
    const std::optional<ClockTime> span = ClockTime::fromDecimalMs(text);
    if (!span || *span > ClockTime::fromMicroseconds(kLongestRunMicroseconds)) {
        throw LineError("run takes milliseconds from 0 to 86400000, not " + quoted(text));
    }
    return *span;
}

bool flag(std::string_view text) {
    if (text == "true" || text == "1") {
        return true;
    }
    if (text == "false" || text == "0") {
        return false;
    }
    throw LineError("expected true, false, 1 or 0, not " + quoted(text));
}

void expectWords(const std::vector<Word>& words, std::size_t least, std::size_t most) {
    if (words.size() < least) {
        throw LineError(std::string(words[0].text) + ": missing argument");
    }
    if (words.size() > most) {
        throw LineError(std::string(words[0].text) + ": extra argument " +
                        quoted(words[most].text));
    }
}

std::string valueJson(ZarbWindow& window, const NamedValue& named) {
    const ValueRef ref = named.resolve(window, named);
    switch (ref.kind) {
        case ValueKind::Whole:
            return std::to_string(*static_cast<std::int32_t*>(ref.target));
        case ValueKind::Score:
            return std::to_string(*static_cast<std::int64_t*>(ref.target));
        case ValueKind::Decimal:
            return jsonNumber(*static_cast<float*>(ref.target));
        case ValueKind::Flag:
            return *static_cast<bool*>(ref.target) ? "true" : "false";
        case ValueKind::TimerOn:
            return static_cast<Timer*>(ref.target)->Enabled() ? "true" : "false";
        case ValueKind::Interval:
            return std::to_string(static_cast<Timer*>(ref.target)->Interval());
        case ValueKind::Caption:
            return jsonString(*static_cast<std::string*>(ref.target));
    }
    return "null";
}

// What a line asks of the program: parsed in full before anything is changed.
class Command {
  public:
    Command(HeadlessPlatform& platform, Program& program, std::ostream& out, std::string_view line,
            const std::vector<Word>& words)
        : platform_(platform), program_(program), out_(out), line_(line), words_(words) {}

    void execute() {
        const std::string_view name = words_[0].text;
        if (name == "run") {
            expectWords(words_, 2, 2);
            program_.timers().run(runSpan(words_[1].text));
        } else if (name == "set") {
            set();
        } else if (name == "get") {
            get();
        } else if (name == "state") {
            expectWords(words_, 1, 1);
            state();
        } else if (name == "click") {
            expectWords(words_, 2, 2);
            click(words_[1].text);
        } else if (name == "close") {
            expectWords(words_, 2, 2);
            close(words_[1].text);
        } else if (name == "seed") {
            expectWords(words_, 2, 2);
            platform_.random().setBase(static_cast<std::uint32_t>(
                wholeNumber(words_[1].text, 0, 4294967295LL, "the seed")));
        } else if (name == "Form_KeyDown" || name == "Form_KeyUp") {
            key(name == "Form_KeyDown");
        } else {
            handler(name);
        }
    }

  private:
    void handler(std::string_view name) {
        const bool splashHandler =
            name == "cmdPlay_Click" || name == "cmdInfo_Click" || name == "cmdExit_Click";
        const Handler windowHandler = splashHandler ? nullptr : findHandler(name);
        if (!splashHandler && windowHandler == nullptr) {
            throw LineError("unknown command " + quoted(name));
        }
        expectWords(words_, 1, 2);
        const long long count =
            words_.size() == 2 ? wholeNumber(words_[1].text, 0, kMostRepeats, "the count") : 1;
        if (splashHandler && !program_.splashLoaded()) {
            throw LineError("frmSplash has been unloaded: " + std::string(name) + " is gone");
        }
        for (long long i = 0; i < count && !platform_.ended(); ++i) {
            if (name == "cmdPlay_Click") {
                program_.cmdPlay_Click();
            } else if (name == "cmdInfo_Click") {
                program_.cmdInfo_Click();
            } else if (name == "cmdExit_Click") {
                program_.cmdExit_Click();
            } else {
                (program_.loadZarb().*windowHandler)();
            }
            if (splashHandler && !program_.splashLoaded()) {
                break;  // PLAY! unloaded the splash: its handlers are gone
            }
        }
    }

    void key(bool down) {
        expectWords(words_, 2, 3);
        const int code = static_cast<int>(wholeNumber(words_[1].text, 0, 255, "the key code"));
        const int shift =
            words_.size() == 3
                ? static_cast<int>(wholeNumber(words_[2].text, 0, 7, "the shift mask"))
                : 0;
        ZarbWindow& window = program_.loadZarb();
        if (down) {
            window.Form_KeyDown(code, shift);
        } else {
            window.Form_KeyUp(code, shift);
        }
    }

    void click(std::string_view name) {
        if (name == "cmdPlay" || name == "cmdInfo" || name == "cmdExit") {
            if (!program_.splashVisible()) {
                ignored(name);
            } else if (name == "cmdPlay") {
                program_.cmdPlay_Click();
            } else if (name == "cmdInfo") {
                program_.cmdInfo_Click();
            } else {
                program_.cmdExit_Click();
            }
            return;
        }
        const ClickableItem* clickable = findClickableItem(name);
        if (clickable == nullptr) {
            throw LineError(isMenuHeadingOrSeparator(name)
                                ? quoted(name) +
                                      " is a menu heading or separator: it has no handler"
                                : "unknown menu item or button " + quoted(name));
        }
        ZarbWindow* window = program_.zarb();
        if (window == nullptr || !program_.zarbVisible() ||
            !(window->*clickable->item).reachable()) {
            ignored(name);
            return;
        }
        (window->*clickable->handler)();
    }

    void close(std::string_view name) {
        if (name == "frmSplash") {
            program_.splashVisible() ? program_.closeSplash() : ignored(name);
        } else if (name == "frmZarb") {
            program_.zarbVisible() ? program_.closeZarb() : ignored(name);
        } else {
            throw LineError("unknown window " + quoted(name));
        }
    }

    void ignored(std::string_view name) { out_ << "{\"ignored\":" << jsonString(name) << "}\n"; }

    std::optional<std::string> windowFlag(std::string_view name) {
        const auto text = [](bool value) { return std::string(value ? "true" : "false"); };
        if (name == "frmSplash.Loaded") {
            return text(program_.splashLoaded());
        }
        if (name == "frmSplash.Visible") {
            return text(program_.splashVisible());
        }
        if (name == "frmZarb.Loaded") {
            return text(program_.zarbLoaded());
        }
        if (name == "frmZarb.Visible") {
            return text(program_.zarbVisible());
        }
        return std::nullopt;
    }

    const NamedValue& loadedValue(std::string_view name) {
        const NamedValue* named = findWindowValue(name);
        if (named == nullptr) {
            throw LineError("unknown name " + quoted(name));
        }
        if (!program_.zarbLoaded()) {
            throw LineError("frmZarb is not loaded: " + std::string(name) + " does not exist");
        }
        return *named;
    }

    void get() {
        expectWords(words_, 2, words_.size());
        std::string object = "{";
        for (std::size_t i = 1; i < words_.size(); ++i) {
            const std::string_view name = words_[i].text;
            std::optional<std::string> value = windowFlag(name);
            if (!value) {
                const NamedValue& named = loadedValue(name);
                value = valueJson(*program_.zarb(), named);
            }
            if (i > 1) {
                object += ',';
            }
            object += jsonString(name);
            object += ':';
            object += *value;
        }
        out_ << object << "}\n";
    }

    void state() {
        std::string object = "{";
        if (ZarbWindow* window = program_.zarb()) {
            for (const NamedValue& named : windowValues()) {
                object += jsonString(named.name) + ":" + valueJson(*window, named) + ",";
            }
        }
        for (const char* name :
             {"frmSplash.Loaded", "frmSplash.Visible", "frmZarb.Loaded", "frmZarb.Visible"}) {
            object += jsonString(name) + ":" + *windowFlag(name) + ",";
        }
        object.back() = '}';
        out_ << object << "\n";
    }

    void set() {
        expectWords(words_, 3, words_.size());
        const std::string_view name = words_[1].text;
        if (windowFlag(name)) {
            throw LineError(std::string(name) + " is read only");
        }
        const NamedValue& named = loadedValue(name);
        const ValueRef ref = named.resolve(*program_.zarb(), named);
        if (ref.kind == ValueKind::Caption) {
            *static_cast<std::string*>(ref.target) = caption(line_.substr(words_[1].end));
            return;
        }
        expectWords(words_, 3, 3);
        const std::string_view value = words_[2].text;
        switch (ref.kind) {
            case ValueKind::Whole:
                *static_cast<std::int32_t*>(ref.target) = static_cast<std::int32_t>(wholeNumber(
                    value, std::numeric_limits<std::int32_t>::min(),
                    std::numeric_limits<std::int32_t>::max(), std::string(name).c_str()));
                break;
            case ValueKind::Score:
                *static_cast<std::int64_t*>(ref.target) = wholeNumber(
                    value, std::numeric_limits<std::int32_t>::min(),
                    std::numeric_limits<std::int32_t>::max(), std::string(name).c_str());
                break;
            case ValueKind::Decimal:
                *static_cast<float*>(ref.target) = singleDecimal(value);
                break;
            case ValueKind::Flag:
                *static_cast<bool*>(ref.target) = flag(value);
                break;
            case ValueKind::TimerOn:
                static_cast<Timer*>(ref.target)->setEnabled(flag(value));
                break;
            case ValueKind::Interval:
                static_cast<Timer*>(ref.target)
                    ->setInterval(static_cast<int>(wholeNumber(value, 1, 65535, "an Interval")));
                break;
            case ValueKind::Caption:
                break;
        }
    }

    // The rest of the line is one JSON string, which may be followed by a comment.
    static std::string caption(std::string_view rest) {
        std::size_t at = 0;
        while (at < rest.size() && isBlank(rest[at])) {
            ++at;
        }
        std::size_t used = 0;
        const std::optional<std::string> text = readJsonString(rest.substr(at), used);
        if (!text) {
            throw LineError("a Caption takes one JSON string");
        }
        at += used;
        const std::size_t tail = at;
        while (at < rest.size() && isBlank(rest[at])) {
            ++at;
        }
        if (at < rest.size() && (rest[at] != '#' || at == tail)) {
            throw LineError("extra argument after the Caption's string");
        }
        return *text;
    }

    HeadlessPlatform& platform_;
    Program& program_;
    std::ostream& out_;
    std::string_view line_;
    const std::vector<Word>& words_;
};

}  // namespace

ScriptRunner::ScriptRunner(std::ostream& out, std::ostream& err)
    : out_(out), err_(err), platform_(out), program_(platform_) {
    platform_.useClock(program_.clock());
    program_.start();
}

bool ScriptRunner::runLine(std::string_view line, long lineNumber) {
    if (platform_.ended()) {
        return false;
    }
    const std::vector<Word> words = splitWords(line);
    if (words.empty()) {
        return true;
    }
    try {
        Command(platform_, program_, out_, line, words).execute();
    } catch (const LineError& error) {
        anyError_ = true;
        err_ << "error: line " << lineNumber << ": " << error.what() << '\n';
    }
    return !platform_.ended();
}

int ScriptRunner::run(std::istream& in) {
    std::string line;
    long lineNumber = 0;
    while (std::getline(in, line)) {
        if (!runLine(line, ++lineNumber)) {
            break;
        }
    }
    out_.flush();
    return anyError_ ? 1 : 0;
}

}  // namespace zarb::headless
