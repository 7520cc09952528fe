#include "text_encoding.h"

#include <gtest/gtest.h>

namespace sublumo::database {
namespace {

TEST(TextEncoding, StripsBlanksAndControlCharactersAtBothEnds) {
    EXPECT_EQ(stripLine(" \t\x01[Name]\x7f"), "[Name]\x7f");  // DEL is not a control here
    EXPECT_EQ(stripLine("\r\n  a b \x1f"), "a b");
    EXPECT_EQ(stripLine(" \x02 "), "");
}

TEST(TextEncoding, TellsValidUtf8FromOtherBytes) {
    struct Row {
        const char* name;
        std::string text;
        bool valid;
    };
    const Row rows[] = {
        {"ascii", "Maker One 10W", true},
        {"two-byte",
         "B\xC3\xBC"
         "hne",
         true},
        {"three-byte euro", "\xE2\x82\xAC", true},
        {"four-byte", "\xF0\x9F\x94\x8A", true},
        {"latin-1 byte", "B\xFChne", false},
        {"truncated", "\xC3", false},
        {"overlong slash", "\xC0\xAF", false},
        {"overlong three-byte", "\xE0\x80\xAF", false},
        {"surrogate", "\xED\xA0\x80", false},
        {"past U+10FFFF", "\xF4\x90\x80\x80", false},
        {"lone continuation",
         "ab\x80"
         "cdefghij",
         false},
        {"invalid after a long ascii run", "abcdefghijklmnop\xFF", false},
    };
    for (const Row& row : rows) EXPECT_EQ(isValidUtf8(row.text), row.valid) << row.name;
}

TEST(TextEncoding, ReadsOtherLinesAsWindows1252) {
    EXPECT_EQ(decodeLine("B\xFChne"), "B\xC3\xBChne");
    EXPECT_EQ(decodeLine("\x80 5\xB0"), "\xE2\x82\xAC 5\xC2\xB0");
    EXPECT_EQ(decodeLine("\x81"), "\xC2\x81");  // unassigned: the C1 control of that number
    EXPECT_EQ(decodeLine("B\xC3\xBChne"), "B\xC3\xBChne");  // already UTF-8: unchanged
}

TEST(TextEncoding, MatchesNamesWithoutLetterCase) {
    EXPECT_TRUE(equalsFolded("Maker ONE", "maker one"));
    EXPECT_TRUE(equalsFolded("\xC3\x84tna", "\xC3\xA4TNA"));  // Ä and ä
    EXPECT_FALSE(equalsFolded("\xC3\x97", "\xC3\xB7"));       // × is no capital of ÷
    EXPECT_FALSE(equalsFolded("abc", "abd"));
    EXPECT_FALSE(equalsFolded("abc", "abcd"));
    EXPECT_EQ(foldCase("\xC3\x84-Z"), "\xC3\xA4-z");
    EXPECT_EQ(lowerAscii("\xC3\x84-Z"), "\xC3\x84-z");
}

TEST(TextEncoding, NamesEqualButForCaseHashAlike) {
    struct Row {
        std::string_view a, b;
    };
    // Across the eight-byte steps of the hash, an accented capital split over two of them, and
    // the characters either side of A-Z, which fold to nothing.
    const Row equal[] = {{"Maker One 10W", "MAKER ONE 10w"},
                         {"1234567Äbc", "1234567äBC"},
                         {"ABCDEFGHIJKLMNOPQRSTUVWXYZ", "abcdefghijklmnopqrstuvwxyz"},
                         {"@[`{ x", "@[`{ X"},
                         {"", ""}};
    for (const Row& row : equal) {
        EXPECT_TRUE(equalsFolded(row.a, row.b)) << row.a;
        EXPECT_EQ(foldedHash(row.a), foldedHash(row.b)) << row.a;
        EXPECT_EQ(foldedHash(row.a), foldedHash(foldCase(row.a))) << row.a;
    }
    EXPECT_FALSE(equalsFolded("@@@@@@@@", "````````"));
    EXPECT_FALSE(equalsFolded("[[[[[[[[", "{{{{{{{{"));
}

}  // namespace
}  // namespace sublumo::database
