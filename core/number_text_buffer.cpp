#include "number_text_buffer.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <optional>

namespace sublumo {

namespace {

__extension__ typedef unsigned __int128 Wide;

constexpr int kDigits = 15;
constexpr std::uint64_t kLow = 100'000'000'000'000;     // 10^14
constexpr std::uint64_t kHigh = 1'000'000'000'000'000;  // 10^15
// Scaling by up to 10^22 keeps m·10^p below 2^127.
constexpr int kMaxScale = 22;

constexpr std::array<Wide, kMaxScale + 1> kPowers = [] {
    std::array<Wide, kMaxScale + 1> p{};
    p[0] = 1;
    for (int i = 1; i <= kMaxScale; ++i) p[i] = p[i - 1] * 10;
    return p;
}();

// 10^-9 .. 10^15 as doubles; the negative powers are the nearest doubles, the exact integer
// check in toDecimal corrects a guess they get wrong.
constexpr int kLowestExponent = -8;
constexpr int kHighestExponent = 14;
constexpr std::array<double, kHighestExponent - kLowestExponent + 3> kDecades = {
    1e-9, 1e-8, 1e-7, 1e-6, 1e-5, 1e-4, 1e-3, 1e-2, 1e-1, 1e0,  1e1,  1e2, 1e3,
    1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15};

// floor(log10 |v|) from the binary exponent: floor(e·log10 2) is it or one below.
int decimalExponent(double magnitude, int binaryExponent) {
    const int guess = std::clamp((binaryExponent * 1233) >> 12, kLowestExponent, kHighestExponent);
    const double next = kDecades[static_cast<std::size_t>(guess - kLowestExponent + 2)];
    return guess < kHighestExponent && magnitude >= next ? guess + 1 : guess;
}

// |v| = m·2^-shift exactly, with m < 2^53.
struct Binary {
    std::uint64_t m;
    int shift;
};

Binary decompose(double magnitude) {
    const auto bits = std::bit_cast<std::uint64_t>(magnitude);
    const int biased = static_cast<int>(bits >> 52);
    const std::uint64_t fraction = bits & ((std::uint64_t{1} << 52) - 1);
    return {fraction | (std::uint64_t{1} << 52), 1075 - biased};
}

// |v|·10^p rounded half to even, and floor(|v|·10^p).
struct Scaled {
    std::uint64_t rounded;
    std::uint64_t whole;
};

Scaled scale(Binary b, int p) {
    const Wide n = Wide{b.m} * kPowers[p];
    const Wide half = Wide{1} << (b.shift - 1);
    const Wide mask = (Wide{1} << b.shift) - 1;
    auto rounded = static_cast<std::uint64_t>((n + half) >> b.shift);
    if ((n & mask) == half)
        rounded &= ~std::uint64_t{1};  // a tie goes to the even neighbour
    return {rounded, static_cast<std::uint64_t>(n >> b.shift)};
}

// The 15 significant digits of |v| rounded half to even, and the decimal exponent of the
// first; empty outside the range the exact integer arithmetic covers.
struct Decimal {
    std::uint64_t digits;
    int exponent;
};

std::optional<Decimal> toDecimal(double magnitude) {
    if (!(magnitude >= 1e-8 && magnitude < 1e15))
        return std::nullopt;
    const Binary b = decompose(magnitude);
    // The range bounds the exponent to -8..14, which keeps the scale within 0..22.
    int exponent = decimalExponent(magnitude, 52 - b.shift);
    Scaled s = scale(b, kDigits - 1 - exponent);
    // The guess can be one off next to a negative power of ten; the exact integer settles it.
    if (s.whole >= kHigh)
        s = scale(b, kDigits - 1 - ++exponent);
    if (s.whole < kLow)
        s = scale(b, kDigits - 1 - --exponent);
    if (s.rounded == kHigh)
        return Decimal{kLow, exponent + 1};
    return Decimal{s.rounded, exponent};
}

// "00" to "99" as the two bytes of a little-endian word.
constexpr std::array<std::uint16_t, 100> kPairs = [] {
    std::array<std::uint16_t, 100> p{};
    for (int i = 0; i < 100; ++i)
        p[i] = static_cast<std::uint16_t>(('0' + i / 10) | (('0' + i % 10) << 8));
    return p;
}();

// The eight digits of v < 10^8 as the bytes of a word, first digit lowest.
std::uint64_t eightDigits(std::uint32_t v) {
    const std::uint32_t high = v / 10000;
    const std::uint32_t low = v % 10000;
    return std::uint64_t{kPairs[high / 100]} | std::uint64_t{kPairs[high % 100]} << 16 |
           std::uint64_t{kPairs[low / 100]} << 32 | std::uint64_t{kPairs[low % 100]} << 48;
}

// The fifteen digits of q, first digit in the lowest byte; byte 15 is a spare "0".
Wide fifteenDigits(std::uint64_t q) {
    constexpr std::uint64_t kSeven = 10'000'000;
    const std::uint64_t first = eightDigits(static_cast<std::uint32_t>(q / kSeven));
    const std::uint64_t rest = eightDigits(static_cast<std::uint32_t>(q % kSeven * 10));
    return Wide{first} | Wide{rest} << 64;
}

// Digits that remain once the trailing zeros are dropped (at least one).
int significantDigits(Wide digits) {
    constexpr std::uint64_t kZeros = 0x3030303030303030;
    const Wide x = digits ^ (Wide{kZeros} << 64 | kZeros);  // a "0" byte becomes 0
    const auto high = static_cast<std::uint64_t>(x >> 64);
    const auto low = static_cast<std::uint64_t>(x);
    const int zeroBytes = high ? std::countl_zero(high) / 8 : 8 + std::countl_zero(low) / 8;
    return 16 - zeroBytes;
}

void store(char* out, Wide bytes) {
    std::memcpy(out, &bytes, sizeof bytes);
}

// Everything is built in registers and stored 16 bytes at a time; the length returned counts
// only what belongs to the text, and kMaxShortNumberText leaves room for the rest.
std::size_t writePlain(char* text, bool negative, Decimal d, char separator) {
    const Wide digits = fifteenDigits(d.digits);
    const int count = significantDigits(digits);
    // Signs alternate in a response table: no branch for them.
    *text = '-';
    char* out = text + negative;
    if (d.exponent < 0) {
        *out++ = '0';
        *out++ = separator;
        std::memset(out, '0', 8);
        out += -d.exponent - 1;
        store(out, digits);
        return static_cast<std::size_t>(out + count - text);
    }
    const int whole = d.exponent + 1;
    store(out, digits);
    if (whole >= count) {
        std::memset(out + count, '0', 16);
        return static_cast<std::size_t>(out + whole - text);
    }
    out += whole;
    *out++ = separator;
    store(out, digits >> (8 * whole));
    return static_cast<std::size_t>(out + count - whole - text);
}

}  // namespace

std::size_t writeShortNumberText(char* out, double v, NumberFormat format) {
    if (v == 0.0 || !std::isfinite(v)) {
        *out = '0';
        return 1;
    }
    const auto decimal = toDecimal(std::fabs(v));
    if (!decimal)
        return 0;
    return writePlain(out, v < 0, *decimal, format.decimalSeparator);
}

void appendNumberText(std::string& out, double v, NumberFormat format) {
    char text[kMaxShortNumberText];
    const std::size_t n = writeShortNumberText(text, v, format);
    if (n == 0)
        out += formatNumber(v, format);
    else
        out.append(text, n);
}

}  // namespace sublumo
