#include "ini_document.h"

#include <gtest/gtest.h>

namespace sublumo::database {
namespace {

using Names = std::vector<std::string>;

TEST(IniDocument, ReadsByTheRulesOfTheDatabaseFile) {
    const IniDocument doc = IniDocument::parse(
        "stray line before any header\r\n"
        "; a comment\r\n"
        "[  Maker One 10W  ]\r\n"
        "  Qms = 2.5 \r\n"
        "\r\n"
        ";Qes=9\r\n"
        "Qes=0.35\r\n"
        "no equals sign here\r\n"
        "URL=https://a.example/?q=1\r\n"
        "Empty=\r\n"
        "[Second]\n"
        "fs=30\n"
        "[maker one 10w]\r"
        "Qms=7\r");
    EXPECT_EQ(doc.sectionNames(), (Names{"Maker One 10W", "Second", "maker one 10w"}));
    EXPECT_EQ(doc.value("MAKER ONE 10W", "qms"), "2.5");  // the first of two equal names
    EXPECT_EQ(doc.value("Maker One 10W", "Qes"), "0.35");
    EXPECT_EQ(doc.value("Maker One 10W", "URL"), "https://a.example/?q=1");
    EXPECT_EQ(doc.value("Maker One 10W", "Empty"), "");
    EXPECT_EQ(doc.value("Maker One 10W", "Le"), "");
    EXPECT_EQ(doc.value("Nobody", "Qms"), "");
    EXPECT_EQ(doc.keys("Maker One 10W"), (Names{"Qms", "Qes", "URL", "Empty"}));
    EXPECT_EQ(doc.lineCount(0), 5u);  // the line without "=" stays in the record
    EXPECT_EQ(doc.value("second", "FS"), "30");
}

TEST(IniDocument, WritesHeadersKeyLinesAndOneEmptyLineAfterEverySection) {
    IniDocument doc = IniDocument::parse("; gone\r\n[A]\r\nx=1\r\nlost line\r\n\r\n\r\n[B]\r\n");
    doc.setValue("b", "y", "2");
    doc.setValue("C", "z", "");
    EXPECT_EQ(doc.serialize(), "[A]\r\nx=1\r\n\r\n[B]\r\ny=2\r\n\r\n[C]\r\nz=\r\n\r\n");
}

TEST(IniDocument, KeepsEveryOtherLineWhereAsked) {
    const std::string text =
        "; settings of a hand\r\n[Form]\r\n; note\r\nTop=5\r\nodd "
        "line\r\n\r\n[recent]\r\n0=A\r\n\r\n";
    IniDocument doc = IniDocument::parse(text, {true});
    EXPECT_EQ(doc.serialize(), text);
    doc.setValue("Form", "Top", "7");
    doc.setValue("Form", "Left", "9");
    EXPECT_EQ(doc.serialize(),
              "; settings of a hand\r\n[Form]\r\n; note\r\nTop=7\r\nodd line\r\nLeft=9\r\n\r\n"
              "[recent]\r\n0=A\r\n\r\n");
    EXPECT_EQ(doc.keys("Form"), (Names{"Top", "Left"}));
}

TEST(IniDocument, ReplacesInPlaceAppendsAndErases) {
    IniDocument doc = IniDocument::parse("[ABC]\r\nQms=1\r\nQes=2\r\n[Other]\r\nfs=3\r\n");
    doc.setValue("abc", "QMS", "9");  // the line keeps its place and its key's letter case
    doc.setValue("abc", "Le", "1.2");
    doc.setValue("New & Co", "Qms", "4");
    EXPECT_EQ(doc.serialize(),
              "[ABC]\r\nQms=9\r\nQes=2\r\nLe=1.2\r\n\r\n[Other]\r\nfs=3\r\n\r\n"
              "[New & Co]\r\nQms=4\r\n\r\n");
    doc.eraseSection("other");
    doc.eraseSection("missing");
    EXPECT_EQ(doc.sectionNames(), (Names{"ABC", "New & Co"}));
    EXPECT_EQ(doc.value("new & co", "qms"), "4");  // the index follows the erase
}

TEST(IniDocument, KeysAddedToRecordsInTurnStayWithTheirRecords) {
    IniDocument doc = IniDocument::parse("[A]\r\na=1\r\n[B]\r\nb=1\r\n[C]\r\nc=1\r\n");
    for (const char* key : {"x", "y"})
        for (const char* section : {"B", "A", "C", "A"}) doc.setValue(section, key, section);
    EXPECT_EQ(doc.serialize(),
              "[A]\r\na=1\r\nx=A\r\ny=A\r\n\r\n[B]\r\nb=1\r\nx=B\r\ny=B\r\n\r\n"
              "[C]\r\nc=1\r\nx=C\r\ny=C\r\n\r\n");
    EXPECT_EQ(doc.lineCount(0), 3u);
    EXPECT_EQ(doc.value("b", "X"), "B");
}

TEST(IniDocument, ErasingTheFirstOfTwoEqualNamesUncoversTheSecond) {
    IniDocument doc = IniDocument::parse("[X]\r\na=1\r\n[x]\r\na=2\r\n");
    doc.eraseSection("X");
    EXPECT_EQ(doc.value("X", "a"), "2");
}

TEST(IniDocument, ReadsLinesThatAreNotUtf8AsWindows1252AndWritesUtf8) {
    const IniDocument doc =
        IniDocument::parse("\xEF\xBB\xBF[B\xC3\xBChne]\r\nx=1\r\n[Caf\xE9]\r\nURL=\x93q\x94\r\n");
    EXPECT_EQ(doc.sectionNames(), (Names{"B\xC3\xBChne", "Caf\xC3\xA9"}));
    EXPECT_EQ(
        doc.serialize(),
        "[B\xC3\xBChne]\r\nx=1\r\n\r\n[Caf\xC3\xA9]\r\nURL=\xE2\x80\x9Cq\xE2\x80\x9D\r\n\r\n");
}

TEST(IniDocument, AByteOrderMarkInsideTheFileIsNoContent) {
    // Found by fuzzing: a kept line that began with a mark opened the written file with it.
    const std::string text =
        "\x01\xEF\xBB\xBF \xEF\xBB\xBF;note\r\n[\xEF\xBB\xBF"
        "A]\r\n";
    const IniDocument doc = IniDocument::parse(text, {true});
    EXPECT_EQ(doc.serialize(),
              ";note\r\n[\xEF\xBB\xBF"
              "A]\r\n\r\n");
    EXPECT_EQ(IniDocument::parse(doc.serialize(), {true}).serialize(), doc.serialize());
}

TEST(IniDocument, ALineBreakInAWrittenTextCannotSplitTheFile) {
    IniDocument doc;
    doc.setValue("A\r\n[B]", "URL", "x\ny=1");
    EXPECT_EQ(doc.serialize(), "[A  [B]]\r\nURL=x y=1\r\n\r\n");
    EXPECT_EQ(IniDocument::parse(doc.serialize()).sectionNames(), (Names{"A  [B]"}));
}

}  // namespace
}  // namespace sublumo::database
