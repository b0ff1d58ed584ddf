#include "store/text_codec.h"

#include <cstdint>

namespace tarvelo {
namespace {

// Unicode code points of the Windows-1252 bytes 0x80-0x9F. The undefined
// bytes (0x81, 0x8D, 0x8F, 0x90, 0x9D) keep their own value.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void AppendUtf8(std::string& out, std::uint32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// The Windows-1252 byte of a code point, or '?' when the code page lacks it.
char AnsiByteOf(std::uint32_t cp) {
    if (cp < 0x100) {
        return static_cast<char>(cp);
    }
    for (int i = 0; i < 32; ++i) {
        if (kHighControls[i] == cp) {
            return static_cast<char>(0x80 + i);
        }
    }
    return '?';
}

bool IsContinuation(unsigned char b) {
    return (b & 0xC0) == 0x80;
}

} // namespace

std::string ToEngineText(std::string_view ansi) {
    std::string out;
    out.reserve(ansi.size() + ansi.size() / 4);
    for (char c : ansi) {
        const auto b = static_cast<unsigned char>(c);
        if (b >= 0x80 && b <= 0x9F) {
            AppendUtf8(out, kHighControls[b - 0x80]);
        } else {
            AppendUtf8(out, b);
        }
    }
    return out;
}

// Going through the UTF-8 text from its start:
// - a byte below 0x80 is copied;
// - a lead byte 0xC0-0xDF with a continuation byte gives the byte of its code
//   point, or "?"; both bytes are used up; with a following byte that is no
//   continuation byte it gives "?" and that byte is read afresh;
// - a lead byte 0xE0-0xEF with at least two more bytes: a well-formed
//   three-byte sequence gives the byte of its code point, or "?"; otherwise
//   "?", using up the lead and at most two following continuation bytes;
// - a lead byte 0xF0-0xF7 with at least three more bytes gives "?" and uses
//   up at most three following continuation bytes;
// - anything else (a stray continuation byte, 0xF8-0xFF, a lead byte too
//   close to the end) is dropped.
std::string FromEngineText(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    const std::size_t n = utf8.size();
    std::size_t i = 0;
    auto at = [&](std::size_t k) { return static_cast<unsigned char>(utf8[k]); };
    while (i < n) {
        const unsigned char lead = at(i);
        const std::size_t left = n - i - 1;
        if (lead < 0x80) {
            out += static_cast<char>(lead);
            i += 1;
        } else if (lead >= 0xC0 && lead <= 0xDF && left >= 1) {
            if (IsContinuation(at(i + 1))) {
                out += AnsiByteOf(((lead & 0x1Fu) << 6) | (at(i + 1) & 0x3Fu));
                i += 2;
            } else {
                out += '?';
                i += 1;
            }
        } else if (lead >= 0xE0 && lead <= 0xEF && left >= 2) {
            if (IsContinuation(at(i + 1)) && IsContinuation(at(i + 2))) {
                const std::uint32_t cp =
                    ((lead & 0x0Fu) << 12) | ((at(i + 1) & 0x3Fu) << 6) | (at(i + 2) & 0x3Fu);
                // An overlong form of a low code point is not well-formed.
                out += cp >= 0x800 ? AnsiByteOf(cp) : '?';
                i += 3;
            } else {
                out += '?';
                i += 1;
                for (int k = 0; k < 2 && i < n && IsContinuation(at(i)); ++k) {
                    i += 1;
                }
            }
        } else if (lead >= 0xF0 && lead <= 0xF7 && left >= 3) {
            out += '?';
            i += 1;
            for (int k = 0; k < 3 && i < n && IsContinuation(at(i)); ++k) {
                i += 1;
            }
        } else {
            i += 1;
        }
    }
    return out;
}

} // namespace tarvelo
