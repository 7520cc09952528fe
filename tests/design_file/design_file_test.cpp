#include "design_file.h"

#include <gtest/gtest.h>

#include "design_samples.h"
#include "test_files.h"

namespace sublumo::design_file {
namespace {

using testing::readBytes;
using testing::TempDir;

constexpr NumberFormat kDot{'.'};
constexpr NumberFormat kComma{','};

TEST(DesignFileWriter, WritesASmallDesignAsPlainIniText) {
    const std::string expected =
        "[Sublumo design]\r\n"
        "format=1\r\n"
        "program=\"3.04\"\r\n"
        "\r\n"
        "[driver]\r\n"
        "name=\" W8 \\\"Pro\\\" \"\r\n"
        "Qms=2.5\r\n"
        "Qes=0.35\r\n"
        "fs=30\r\n"
        "Mms=60\r\n"
        "Dd=260\r\n"
        "Re=5.6\r\n"
        "Hc=12\r\n"
        "Hg=6\r\n"
        "Pe=150\r\n"
        "Le=1.20\r\n"
        "URL=\"https://example.com/w8\"\r\n"
        "\r\n"
        "[enclosurePage]\r\n"
        "typbox=closed\r\n"
        "chartKind=Excursion\r\n"
        "\r\n"
        "[numdri]\r\n"
        "Nd=2\r\n"
        "zapojeni=parallel\r\n"
        "isobaric=1\r\n"
        "\r\n"
        "[closedBox]\r\n"
        "Vb=50.5\r\n"
        "infinite=0\r\n"
        "\r\n"
        "[Slot 2]\r\n"
        "conditions=\" W8 (2x in P: 2.8 Ohm), +0.1 Ohm, +0 g, 20 °C, 90.5 dB/1 m/2.83 V "
        "(1.43/0.01 W) \"\r\n"
        "design=\"C: Vb=50.5 l (100 %), Qtc=0.707\"\r\n"
        "frequency=20 250 500\r\n"
        "relative=-12.25 0.1 0\r\n"
        "absolute=78.5 90.75 90.5\r\n"
        "box=closed\r\n"
        "Vb=infinite\r\n"
        "ff=1.2\r\n"
        "M=0.125\r\n"
        "Cms=0.000469\r\n"
        "Rms=4.52\r\n"
        "Bl=13.45\r\n"
        "S=0.0530929\r\n"
        "Re=2.8\r\n"
        "Le=0.0006\r\n"
        "Rs=0.1\r\n"
        "Rtot=2.9\r\n"
        "Xmax=3\r\n"
        "Pe=150\r\n"
        "N=2\r\n"
        "U=2.83\r\n"
        "d=1\r\n"
        "fcg=0\r\n"
        "ventLine=17\r\n"
        "equaliser=1\r\n"
        "fp=30\r\n"
        "Qp=0.707\r\n"
        "C2=0.0000001\r\n"
        "k=0.64\r\n"
        "R1=12130\r\n"
        "R2=15530\r\n"
        "R3=48510\r\n"
        "C1=0.00000108\r\n"
        "C3=0.00000027\r\n"
        "gain=12.04\r\n"
        "input driver/name=\"W8\"\r\n"
        "input driver/Qms=2.5\r\n"
        "input driver/Qes=\r\n"
        "input driver/fs=\r\n"
        "input driver/Mms=\r\n"
        "input driver/Dd=\r\n"
        "input driver/Re=\r\n"
        "input driver/Hc=\r\n"
        "input driver/Hg=\r\n"
        "input driver/Pe=\r\n"
        "input driver/Le=\r\n"
        "input driver/URL=\"\"\r\n"
        "input enclosurePage/typbox=closed\r\n"
        "input closedBox/Vb=40.5\r\n"
        "\r\n";
    TempDir dir;
    const std::string path = dir.file("w8.sublumo");
    ASSERT_TRUE(writeDesignFile(path, smallDesign(kComma)));
    EXPECT_EQ(readBytes(path), expected);

    for (NumberFormat format : {kDot, kComma}) {
        const DesignFileRead read = readDesignFile(path, format);
        ASSERT_TRUE(read) << errorMessage(read.error);
        EXPECT_EQ(*read.document, smallDesign(format)) << format.decimalSeparator;
    }
}

TEST(DesignFileReader, RandomDesignsComeBackExactly) {
    RandomDesigns random(20260421);
    for (int i = 0; i < 300; ++i) {
        const NumberFormat format = i % 2 ? kComma : kDot;
        const DesignDocument document = random.design((i / 2) % 4, format);
        const auto text = designFileText(document);
        ASSERT_TRUE(text) << "design " << i;
        const DesignFileRead read = parseDesignFile(*text, "random.sublumo", format);
        ASSERT_TRUE(read) << "design " << i << ": " << errorMessage(read.error);
        ASSERT_EQ(*read.document, document) << "design " << i;
    }
}

TEST(DesignFileReader, ReadsCommasAndPassesOverWhatItDoesNotKnow) {
    std::string text = *designFileText(smallDesign(kDot));
    text = replaced(text, "Vb=50.5", "Vb=50,5\r\ncolour=red");
    text = replaced(text, "[numdri]", "; written by hand\r\n[future]\r\nthing=1\r\n\r\n[numdri]");
    text = replaced(text, "zapojeni=parallel", "ZAPOJENI=Parallel");
    const DesignFileRead read = parseDesignFile(text, "hand.sublumo", kDot);
    ASSERT_TRUE(read) << errorMessage(read.error);
    EXPECT_EQ(*read.document, smallDesign(kDot));
}

TEST(DesignFileWriter, AFieldHoldingNoNumberIsWrittenEmpty) {
    DesignDocument document = smallDesign(kDot);
    document.setPageValue("closedBox", "Vb", "1..5");
    document.setPageValue("numdri", "zapojeni", "diagonal");
    const DesignFileRead read = parseDesignFile(*designFileText(document), "x.sublumo", kDot);
    ASSERT_TRUE(read) << errorMessage(read.error);
    EXPECT_EQ(*read.document->pageValue("closedBox", "Vb"), "");
    EXPECT_EQ(*read.document->pageValue("numdri", "zapojeni"), "");
}

TEST(DesignFileWriter, AValueNoFileCanHoldIsRefusedAndNothingIsWritten) {
    DesignDocument document = smallDesign(kDot);
    document.memorySlots[1].curves.relative[1] = std::nan("");
    TempDir dir;
    const std::string path = dir.file("nan.sublumo");
    const DesignFileWrite written = writeDesignFile(path, document);
    EXPECT_FALSE(written);
    EXPECT_FALSE(written.errorText.empty());
    EXPECT_FALSE(testing::fileExists(path));
}

}  // namespace
}  // namespace sublumo::design_file
