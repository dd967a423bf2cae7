#include "headless/json.h"

#include <charconv>
#include <cmath>
#include <cstdint>

namespace zarb::headless {

std::string jsonNumber(float value) {
    if (!std::isfinite(value)) {
        return "null";
    }
    // The shortest digits that read back as the same float, laid out as JSON writers commonly
    // do: plain for whole numbers below 1e21 and for fractions down to 1e-6 (so 100000 is
    // 100000, not 1e+05), an exponent without padding (1e-7, 3.4028235e+38) beyond.
    char buffer[32];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific);
    const std::string_view scientific(buffer, static_cast<std::size_t>(result.ptr - buffer));
    const std::size_t e = scientific.find('e');
    const bool negative = scientific[0] == '-';
    std::string digits;
    for (const char c : scientific.substr(0, e)) {
        if (c >= '0' && c <= '9') {
            digits += c;
        }
    }
    int exponent = 0;
    const std::string_view exponentText = scientific.substr(e + 1);
    std::from_chars(exponentText.data() + (exponentText[0] == '+' ? 1 : 0),
                    exponentText.data() + exponentText.size(), exponent);

    // n: where the decimal point falls, counted in digits from the first one.
    const int k = static_cast<int>(digits.size());
    const int n = exponent + 1;
    std::string out = negative ? "-" : "";
    // One append at a time: GCC's optimiser misreads chains of + on strings as overlapping.
    if (n > 21 || n <= -6) {
        out += digits[0];
        if (k > 1) {
            out += '.';
            out.append(digits, 1);
        }
        // The exponent as to_chars wrote it, its sign kept and its padding zero dropped.
        out += 'e';
        out += exponentText[0];
        out.append(exponentText, exponentText.find_first_not_of('0', 1));
    } else if (n <= 0) {
        out += "0.";
        out.append(static_cast<std::size_t>(-n), '0');
        out += digits;
    } else if (k <= n) {
        out += digits;
        out.append(static_cast<std::size_t>(n - k), '0');
    } else {
        out.append(digits, 0, static_cast<std::size_t>(n));
        out += '.';
        out.append(digits, static_cast<std::size_t>(n));
    }
    return out;
}

std::string jsonString(std::string_view text) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string out = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (byte < 0x20 || byte == 0x7f) {
                    out += "\\u00";
                    out += kHex[byte >> 4];
                    out += kHex[byte & 15];
                } else {
                    out += c;
                }
        }
    }
    out += '"';
    return out;
}

namespace {

void appendUtf8(std::string& out, std::uint32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xc0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3f));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xe0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3f));
        out += static_cast<char>(0x80 | (code & 0x3f));
    } else {
        out += static_cast<char>(0xf0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3f));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3f));
        out += static_cast<char>(0x80 | (code & 0x3f));
    }
}

std::optional<std::uint32_t> readHex4(std::string_view text, std::size_t at) {
    if (at + 4 > text.size()) {
        return std::nullopt;
    }
    std::uint32_t code = 0;
    const auto result = std::from_chars(text.data() + at, text.data() + at + 4, code, 16);
    if (result.ec != std::errc() || result.ptr != text.data() + at + 4) {
        return std::nullopt;
    }
    return code;
}

// The length of the well-formed UTF-8 sequence at text[at], or 0 if it is not one.
std::size_t utf8Length(std::string_view text, std::size_t at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    std::size_t length = 0;
    std::uint32_t code = 0;
    if (lead >= 0xc2 && lead <= 0xdf) {
        length = 2;
        code = lead & 0x1f;
    } else if (lead >= 0xe0 && lead <= 0xef) {
        length = 3;
        code = lead & 0x0f;
    } else if (lead >= 0xf0 && lead <= 0xf4) {
        length = 4;
        code = lead & 0x07;
    } else {
        return 0;
    }
    if (at + length > text.size()) {
        return 0;
    }
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[at + i]);
        if ((next & 0xc0) != 0x80) {
            return 0;
        }
        code = code << 6 | (next & 0x3f);
    }
    const bool overlong = (length == 3 && code < 0x800) || (length == 4 && code < 0x10000);
    const bool surrogate = code >= 0xd800 && code <= 0xdfff;
    return overlong || surrogate || code > 0x10ffff ? 0 : length;
}

}  // namespace

std::optional<std::string> takeJsonString(std::string_view& text) {
    if (text.empty() || text[0] != '"') {
        return std::nullopt;
    }
    std::string out;
    std::size_t at = 1;
    while (at < text.size()) {
        const auto byte = static_cast<unsigned char>(text[at]);
        if (byte == '"') {
            text.remove_prefix(at + 1);
            return out;
        }
        if (byte < 0x20) {
            return std::nullopt;
        }
        if (byte >= 0x80) {
            const std::size_t length = utf8Length(text, at);
            if (length == 0) {
                return std::nullopt;
            }
            out.append(text.substr(at, length));
            at += length;
            continue;
        }
        if (byte != '\\') {
            out += static_cast<char>(byte);
            ++at;
            continue;
        }
        if (at + 1 >= text.size()) {
            return std::nullopt;
        }
        const char escape = text[at + 1];
        at += 2;
        switch (escape) {
            case '"':
            case '\\':
            case '/':
                out += escape;
                break;
            case 'b':
                out += '\b';
                break;
            case 'f':
                out += '\f';
                break;
            case 'n':
                out += '\n';
                break;
            case 'r':
                out += '\r';
                break;
            case 't':
                out += '\t';
                break;
            case 'u': {
                const auto high = readHex4(text, at);
                if (!high) {
                    return std::nullopt;
                }
                at += 4;
                std::uint32_t code = *high;
                if (code >= 0xdc00 && code <= 0xdfff) {
                    return std::nullopt;
                }
                if (code >= 0xd800 && code <= 0xdbff) {
                    if (at + 2 > text.size() || text[at] != '\\' || text[at + 1] != 'u') {
                        return std::nullopt;
                    }
                    const auto low = readHex4(text, at + 2);
                    if (!low || *low < 0xdc00 || *low > 0xdfff) {
                        return std::nullopt;
                    }
                    at += 6;
                    code = 0x10000 + ((code - 0xd800) << 10) + (*low - 0xdc00);
                }
                appendUtf8(out, code);
                break;
            }
            default:
                return std::nullopt;
        }
    }
    return std::nullopt;
}

}  // namespace zarb::headless
