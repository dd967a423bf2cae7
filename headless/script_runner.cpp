#include "headless/script_runner.h"

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <istream>
#include <limits>
#include <optional>
#include <ostream>
#include <vector>

#include "game/menu_bar.h"
#include "headless/json.h"
#include "headless/names.h"
#include "headless/values.h"

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
        const SplashButton* button = findSplashButton(name, "_Click");
        const Handler windowHandler = button != nullptr ? nullptr : findHandler(name);
        if (button == nullptr && windowHandler == nullptr) {
            throw LineError("unknown command " + quoted(name));
        }
        expectWords(words_, 1, 2);
        const long long count =
            words_.size() == 2 ? wholeNumber(words_[1].text, 0, kMostRepeats, "the count") : 1;
        if (button != nullptr && !program_.splashLoaded()) {
            throw LineError("frmSplash has been unloaded: " + std::string(name) + " is gone");
        }
        for (long long i = 0; i < count && !program_.ended(); ++i) {
            if (button == nullptr) {
                (program_.loadZarb().*windowHandler)();
            } else if (program_.splashLoaded()) {
                (program_.*button->handler)();
            } else {
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
        bool acted = false;
        if (const SplashButton* button = findSplashButton(name, "")) {
            acted = program_.pressSplashButton(*button);
        } else if (const MenuBarEntry* entry = findMenuItem(name)) {
            acted = program_.chooseMenuItem(*entry);
        } else {
            throw LineError(isMenuHeadingOrSeparator(name)
                                ? quoted(name) +
                                      " is a menu heading or separator: it has no handler"
                                : "unknown menu item or button " + quoted(name));
        }
        if (!acted) {
            ignored(name);
        }
    }

    void close(std::string_view name) {
        const std::optional<WindowId> window = findWindow(name);
        if (!window) {
            throw LineError("unknown window " + quoted(name));
        }
        if (!program_.closeWindow(*window)) {
            ignored(name);
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

    // Every name is checked before anything is printed, so a bad name prints nothing; the
    // answer is then written value by value, never held whole (a line of names may ask for
    // many long Captions).
    void get() {
        expectWords(words_, 2, words_.size());
        for (std::size_t i = 1; i < words_.size(); ++i) {
            if (!windowFlag(words_[i].text)) {
                loadedValue(words_[i].text);
            }
        }
        out_ << '{';
        for (std::size_t i = 1; i < words_.size(); ++i) {
            const std::string_view name = words_[i].text;
            std::optional<std::string> value = windowFlag(name);
            if (!value) {
                value = valueJson(*program_.zarb(), loadedValue(name));
            }
            out_ << (i > 1 ? "," : "") << jsonString(name) << ':' << *value;
        }
        out_ << "}\n";
    }

    void state() {
        char separator = '{';
        if (ZarbWindow* window = program_.zarb()) {
            for (const NamedValue& named : windowValues()) {
                out_ << separator << jsonString(named.name) << ':' << valueJson(*window, named);
                separator = ',';
            }
        }
        for (const char* name :
             {"frmSplash.Loaded", "frmSplash.Visible", "frmZarb.Loaded", "frmZarb.Visible"}) {
            out_ << separator << jsonString(name) << ':' << *windowFlag(name);
            separator = ',';
        }
        out_ << "}\n";
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

    HeadlessPlatform& platform_;
    Program& program_;
    std::ostream& out_;
    std::string_view line_;
    const std::vector<Word>& words_;
};

}  // namespace

ScriptRunner::ScriptRunner(std::ostream& out, std::ostream& err, std::size_t longestLine)
    : out_(out),
      err_(err),
      longestLine_(longestLine),
      platform_(clock_, out),
      program_(platform_, clock_) {
    program_.start();
}

void ScriptRunner::lineError(long lineNumber, const std::string& what) {
    anyError_ = true;
    err_ << "error: line " << lineNumber << ": " << what << '\n';
}

bool ScriptRunner::runLine(std::string_view line, long lineNumber) {
    const std::vector<Word> words = splitWords(line);
    if (words.empty()) {
        return true;
    }
    try {
        Command(platform_, program_, out_, line, words).execute();
    } catch (const LineError& error) {
        lineError(lineNumber, error.what());
    }
    return !program_.ended();
}

int ScriptRunner::stopped(const std::string& what) {
    // The reason, when the failed read or write left one.
    const int reason = errno;
    err_.clear();
    err_ << "error: " << what << (reason != 0 ? ": " + std::string(std::strerror(reason)) : "")
         << std::endl;
    return 2;
}

int ScriptRunner::run(std::istream& in, std::string_view source) {
    // One byte more than the longest line, for getline's closing null.
    std::string line(longestLine_ + 1, '\0');
    const auto room = static_cast<std::streamsize>(line.size());
    const std::string cannotRead = "cannot read " + std::string(source);
    long lineNumber = 0;
    bool going = true;
    while (going) {
        errno = 0;
        in.getline(line.data(), room);
        const std::streamsize taken = in.gcount();
        if (in.bad()) {
            return stopped(cannotRead);
        }
        if (in.fail() && !in.eof()) {
            // Longer than the longest line: said at once, since its end may be far off or never
            // come, and the rest of it is skipped, never held.
            lineError(++lineNumber, "line longer than " + std::to_string(longestLine_) + " bytes");
            in.clear();
            in.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
            if (in.bad()) {
                return stopped(cannotRead);
            }
        } else if (taken == 0 && in.eof()) {
            break;
        } else {
            // The line break, when there is one, is taken but not kept.
            const auto length = static_cast<std::size_t>(in.eof() ? taken : taken - 1);
            going = runLine(std::string_view(line.data(), length), ++lineNumber);
        }
        going = going && !in.eof();
        // A program playing through a pipe sees every answer before the game waits for more.
        if (!going || in.rdbuf()->in_avail() <= 0) {
            out_.flush();
        }
        if (!out_ || !err_) {
            return stopped("cannot write the output");
        }
    }
    out_.flush();
    if (!out_) {
        return stopped("cannot write the output");
    }
    return anyError_ ? 1 : 0;
}

}  // namespace zarb::headless
