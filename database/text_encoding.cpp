#include "text_encoding.h"

#include <array>
#include <cstdint>
#include <cstring>

namespace sublumo::database {

namespace {

// Code points of the bytes 0x80..0x9F in Windows-1252; the unassigned ones keep their number.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

bool isContinuation(unsigned char c) {
    return (c & 0xC0) == 0x80;
}

// Length of the valid sequence starting at text[i], or 0 when it is not valid UTF-8
// (overlong forms, surrogates and code points past U+10FFFF included).
std::size_t sequenceLength(std::string_view text, std::size_t i) {
    const auto at = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char c = at(i);
    const std::size_t left = text.size() - i;
    if (c < 0x80)
        return 1;
    if (c >= 0xC2 && c <= 0xDF)
        return left >= 2 && isContinuation(at(i + 1)) ? 2 : 0;
    if (c >= 0xE0 && c <= 0xEF) {
        if (left < 3 || !isContinuation(at(i + 1)) || !isContinuation(at(i + 2)))
            return 0;
        if (c == 0xE0 && at(i + 1) < 0xA0)
            return 0;
        if (c == 0xED && at(i + 1) >= 0xA0)
            return 0;
        return 3;
    }
    if (c >= 0xF0 && c <= 0xF4) {
        if (left < 4 || !isContinuation(at(i + 1)) || !isContinuation(at(i + 2)) ||
            !isContinuation(at(i + 3)))
            return 0;
        if (c == 0xF0 && at(i + 1) < 0x90)
            return 0;
        if (c == 0xF4 && at(i + 1) >= 0x90)
            return 0;
        return 4;
    }
    return 0;
}

char foldAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// The second byte of a Latin-1 capital after 0xC3 (U+00C0..U+00DE without the sign U+00D7).
bool isLatinCapitalTail(unsigned char c) {
    return c >= 0x80 && c <= 0x9E && c != 0x97;
}

// Folds byte by byte; a Latin-1 capital is the lead byte 0xC3 and a tail, so the folder
// remembers whether the byte before was that lead.
class Folder {
public:
    unsigned char operator()(unsigned char c) {
        if (m_afterLead && isLatinCapitalTail(c)) {
            m_afterLead = false;
            return static_cast<unsigned char>(c + 0x20);
        }
        c = static_cast<unsigned char>(foldAscii(static_cast<char>(c)));
        m_afterLead = c == 0xC3;
        return c;
    }

private:
    bool m_afterLead = false;
};

}  // namespace

std::string asReadBack(std::string_view text) {
    std::string single(text);
    for (char& c : single)
        if (c == '\r' || c == '\n')
            c = ' ';
    return std::string(stripLine(decodeLine(single)));
}

std::string_view stripLine(std::string_view text) {
    while (!text.empty() && static_cast<unsigned char>(text.front()) <= 0x20) text.remove_prefix(1);
    while (!text.empty() && static_cast<unsigned char>(text.back()) <= 0x20) text.remove_suffix(1);
    return text;
}

bool isValidUtf8(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        // Most files are plain ASCII: skip it 32 bytes at a time, then eight.
        while (i + 32 <= text.size()) {
            std::uint64_t words[4];
            std::memcpy(words, text.data() + i, sizeof words);
            if ((words[0] | words[1] | words[2] | words[3]) & 0x8080808080808080ULL)
                break;
            i += 32;
        }
        while (i + 8 <= text.size()) {
            std::uint64_t word = 0;
            std::memcpy(&word, text.data() + i, 8);
            if (word & 0x8080808080808080ULL)
                break;
            i += 8;
        }
        if (i >= text.size())
            break;
        const std::size_t length = sequenceLength(text, i);
        if (length == 0)
            return false;
        i += length;
    }
    return true;
}

std::string windows1252ToUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size() * 2);
    for (char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (c >= 0x80 && c <= 0x9F)
            appendUtf8(out, kHighControls[c - 0x80]);
        else
            appendUtf8(out, c);
    }
    return out;
}

std::string decodeLine(std::string_view text) {
    if (isValidUtf8(text))
        return std::string(text);
    return windows1252ToUtf8(text);
}

std::string foldCase(std::string_view text) {
    std::string out(text);
    Folder fold;
    for (char& c : out) c = static_cast<char>(fold(static_cast<unsigned char>(c)));
    return out;
}

bool equalsFolded(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    // Names and keys are nearly always looked up as they are written: the byte comparison
    // settles those without folding.
    if (a == b)
        return true;
    Folder foldA, foldB;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (foldA(static_cast<unsigned char>(a[i])) != foldB(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

namespace {

constexpr std::uint64_t kEveryByte = 0x0101010101010101ULL;
constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;

// A-Z made lower case in eight ASCII bytes at once: a byte's high bit tells whether it is at
// least 'A', and whether it is past 'Z'.
std::uint64_t foldAsciiWord(std::uint64_t word) {
    const std::uint64_t atLeastA = word + (0x80 - 'A') * kEveryByte;
    const std::uint64_t pastZ = word + (0x80 - 'Z' - 1) * kEveryByte;
    return word | ((atLeastA & ~pastZ & kHighBits) >> 2);
}

std::uint64_t mix(std::uint64_t hash, std::uint64_t word) {
    hash = (hash ^ word) * 1099511628211ULL;
    return hash ^ (hash >> 29);
}

}  // namespace

// The folded text is hashed eight bytes at a time; a word of plain ASCII, what names nearly
// always are, is folded at once, any other byte by byte.
std::uint64_t foldedHash(std::string_view text) {
    std::uint64_t hash = 1469598103934665603ULL ^ text.size();
    Folder fold;
    std::size_t i = 0;
    for (; i + 8 <= text.size(); i += 8) {
        std::uint64_t word = 0;
        std::memcpy(&word, text.data() + i, 8);
        if ((word & kHighBits) == 0) {
            hash = mix(hash, foldAsciiWord(word));
            fold = Folder();  // after an ASCII byte no capital's tail can follow
            continue;
        }
        std::uint64_t folded = 0;
        for (std::size_t k = 0; k < 8; ++k)
            folded |= static_cast<std::uint64_t>(fold(static_cast<unsigned char>(text[i + k])))
                      << (8 * k);
        hash = mix(hash, folded);
    }
    std::uint64_t last = 0;
    for (std::size_t k = 0; i + k < text.size(); ++k)
        last |= static_cast<std::uint64_t>(fold(static_cast<unsigned char>(text[i + k])))
                << (8 * k);
    return mix(hash, last);
}

std::string lowerAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = foldAscii(c);
    return out;
}

}  // namespace sublumo::database
