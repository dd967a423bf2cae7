#include "tests/fuzz/json_lines.h"

#include <cstdint>

namespace zarb::fuzz {

namespace {

class JsonReader {
  public:
    explicit JsonReader(std::string_view text) : text_(text) {}

    std::optional<std::string> readObjectLine() {
        if (!object(0)) {
            return problem_;
        }
        if (at_ != text_.size()) {
            return "text after the object at byte " + std::to_string(at_);
        }
        return std::nullopt;
    }

  private:
    static constexpr int kDeepest = 64;

    bool fail(const std::string& what) {
        problem_ = what + " at byte " + std::to_string(at_);
        return false;
    }
    bool peek(char c) const { return at_ < text_.size() && text_[at_] == c; }

    bool value(int depth) {
        if (at_ >= text_.size()) {
            return fail("a value is missing");
        }
        const char c = text_[at_];
        if (c == '{') {
            return object(depth + 1);
        }
        if (c == '[') {
            return array(depth + 1);
        }
        if (c == '"') {
            return string();
        }
        if (c == '-' || (c >= '0' && c <= '9')) {
            return number();
        }
        for (const std::string_view word : {"true", "false", "null"}) {
            if (text_.substr(at_, word.size()) == word) {
                at_ += word.size();
                return true;
            }
        }
        return fail("not a JSON value");
    }

    bool object(int depth) {
        if (depth > kDeepest) {
            return fail("nested too deeply");
        }
        if (!peek('{')) {
            return fail("not an object");
        }
        ++at_;
        if (peek('}')) {
            ++at_;
            return true;
        }
        while (true) {
            if (!peek('"')) {
                return fail("a member name is not a string");
            }
            if (!string()) {
                return false;
            }
            if (!peek(':')) {
                return fail("':' is missing");
            }
            ++at_;
            if (!value(depth)) {
                return false;
            }
            if (peek(',')) {
                ++at_;
                continue;
            }
            if (peek('}')) {
                ++at_;
                return true;
            }
            return fail("',' or '}' is missing");
        }
    }

    bool array(int depth) {
        if (depth > kDeepest) {
            return fail("nested too deeply");
        }
        ++at_;
        if (peek(']')) {
            ++at_;
            return true;
        }
        while (true) {
            if (!value(depth)) {
                return false;
            }
            if (peek(',')) {
                ++at_;
                continue;
            }
            if (peek(']')) {
                ++at_;
                return true;
            }
            return fail("',' or ']' is missing");
        }
    }

    bool digits() {
        const std::size_t from = at_;
        while (at_ < text_.size() && text_[at_] >= '0' && text_[at_] <= '9') {
            ++at_;
        }
        return at_ > from;
    }

    bool number() {
        if (peek('-')) {
            ++at_;
        }
        if (peek('0')) {
            ++at_;
        } else if (!digits()) {
            return fail("a number has no digits");
        }
        if (peek('.')) {
            ++at_;
            if (!digits()) {
                return fail("a number has no digits after its point");
            }
        }
        if (peek('e') || peek('E')) {
            ++at_;
            if (peek('+') || peek('-')) {
                ++at_;
            }
            if (!digits()) {
                return fail("a number has no exponent digits");
            }
        }
        return true;
    }

    // The length of a well-formed UTF-8 sequence at at_, or 0.
    std::size_t utf8Sequence() const {
        const auto lead = static_cast<unsigned char>(text_[at_]);
        std::size_t length = 0;
        std::uint32_t code = 0;
        if (lead >= 0xc2 && lead <= 0xdf) {
            length = 2, code = lead & 0x1fu;
        } else if (lead >= 0xe0 && lead <= 0xef) {
            length = 3, code = lead & 0x0fu;
        } else if (lead >= 0xf0 && lead <= 0xf4) {
            length = 4, code = lead & 0x07u;
        } else {
            return 0;
        }
        if (at_ + length > text_.size()) {
            return 0;
        }
        for (std::size_t i = 1; i < length; ++i) {
            const auto next = static_cast<unsigned char>(text_[at_ + i]);
            if ((next & 0xc0) != 0x80) {
                return 0;
            }
            code = code << 6 | (next & 0x3fu);
        }
        const bool overlong = (length == 3 && code < 0x800) || (length == 4 && code < 0x10000);
        const bool surrogate = code >= 0xd800 && code <= 0xdfff;
        return overlong || surrogate || code > 0x10ffff ? 0 : length;
    }

    bool string() {
        ++at_;
        while (at_ < text_.size()) {
            const auto byte = static_cast<unsigned char>(text_[at_]);
            if (byte == '"') {
                ++at_;
                return true;
            }
            if (byte < 0x20) {
                return fail("an unescaped control character in a string");
            }
            if (byte >= 0x80) {
                const std::size_t length = utf8Sequence();
                if (length == 0) {
                    return fail("a string is not well-formed UTF-8");
                }
                at_ += length;
                continue;
            }
            if (byte != '\\') {
                ++at_;
                continue;
            }
            ++at_;
            if (at_ >= text_.size()) {
                break;
            }
            const char escape = text_[at_];
            if (escape == 'u') {
                for (std::size_t i = 1; i <= 4; ++i) {
                    const char h = at_ + i < text_.size() ? text_[at_ + i] : '\0';
                    const bool hex =
                        (h >= '0' && h <= '9') || (h >= 'a' && h <= 'f') || (h >= 'A' && h <= 'F');
                    if (!hex) {
                        return fail("a \\u escape without four hex digits");
                    }
                }
                at_ += 5;
            } else if (std::string_view("\"\\/bfnrt").find(escape) != std::string_view::npos) {
                ++at_;
            } else {
                return fail("an unknown escape in a string");
            }
        }
        return fail("a string is not closed");
    }

    std::string_view text_;
    std::size_t at_ = 0;
    std::string problem_;
};

}  // namespace

std::optional<std::string> jsonObjectProblem(std::string_view line) {
    return JsonReader(line).readObjectLine();
}

}  // namespace zarb::fuzz
