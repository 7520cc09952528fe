#include "platform/png_writer.h"

#include <png.h>

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QTemporaryDir>
#include <vector>

namespace sublumo {
namespace {

// The file as libpng reads it, without Qt in between.
struct DecodedPng {
    bool ok = false;
    png_uint_32 width = 0, height = 0, format = 0;
    std::vector<png_byte> rgb;

    QColor at(int x, int y) const {
        const size_t i = (static_cast<size_t>(y) * width + static_cast<size_t>(x)) * 3;
        return QColor(rgb[i], rgb[i + 1], rgb[i + 2]);
    }
};

DecodedPng readPng(const QString& path) {
    DecodedPng result;
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    const QByteArray name = QFile::encodeName(path);
    if (!png_image_begin_read_from_file(&image, name.constData()))
        return result;
    result.width = image.width;
    result.height = image.height;
    result.format = image.format;
    image.format = PNG_FORMAT_RGB;
    result.rgb.resize(PNG_IMAGE_SIZE(image));
    result.ok = png_image_finish_read(&image, nullptr, result.rgb.data(), 0, nullptr) != 0;
    png_image_free(&image);
    return result;
}

// Red with a green pixel and a blue corner, given with an alpha channel that the PNG leaves out.
QImage testPicture(int width, int height) {
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(QColor(200, 30, 40));
    image.setPixelColor(5, 7, QColor(0, 255, 0));
    QPainter painter(&image);
    painter.fillRect(QRect(width - 10, height - 8, 10, 8), QColor(10, 20, 250));
    return image;
}

QStringList entries(const QString& directory) {
    return QDir(directory).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

TEST(PngWriter, WritesAnRgbPngThatLibpngReadsBack) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Driver A.png"));
    const PngWriteResult written = writePng(testPicture(41, 29), path);
    ASSERT_TRUE(written.ok) << written.error.toStdString();

    const DecodedPng png = readPng(path);
    ASSERT_TRUE(png.ok);
    EXPECT_EQ(png.width, 41u);
    EXPECT_EQ(png.height, 29u);
    EXPECT_EQ(png.format, static_cast<png_uint_32>(PNG_FORMAT_RGB));  // 8-bit colour, no alpha
    EXPECT_EQ(png.at(0, 0), QColor(200, 30, 40));
    EXPECT_EQ(png.at(5, 7), QColor(0, 255, 0));
    EXPECT_EQ(png.at(40, 28), QColor(10, 20, 250));
    EXPECT_EQ(png.at(31, 21), QColor(10, 20, 250));
    EXPECT_EQ(png.at(30, 21), QColor(200, 30, 40));
    EXPECT_EQ(png.at(31, 20), QColor(200, 30, 40));
    EXPECT_EQ(entries(dir.path()), QStringList{QStringLiteral("Driver A.png")});
}

TEST(PngWriter, ReplacesAnExistingFileWhole) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("shot.png"));
    ASSERT_TRUE(writePng(testPicture(300, 200), path).ok);
    ASSERT_TRUE(writePng(testPicture(20, 10), path).ok);
    const DecodedPng png = readPng(path);
    ASSERT_TRUE(png.ok);
    EXPECT_EQ(png.width, 20u);
    EXPECT_EQ(png.height, 10u);
    EXPECT_EQ(entries(dir.path()), QStringList{QStringLiteral("shot.png")});
}

TEST(PngWriter, AFolderThatDoesNotExistIsReportedAndNothingIsLeft) {
    QTemporaryDir dir;
    const QString missing = dir.filePath(QStringLiteral("no such folder"));
    const PngWriteResult written = writePng(testPicture(8, 8), missing + QStringLiteral("/a.png"));
    EXPECT_FALSE(written.ok);
    EXPECT_FALSE(written.error.isEmpty());
    EXPECT_FALSE(QFile::exists(missing));
    EXPECT_TRUE(entries(dir.path()).isEmpty());
}

TEST(PngWriter, AnImageLibpngRefusesLeavesTheOldFileAlone) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("old.png"));
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("previous picture");
    old.close();

    const PngWriteResult written = writePng(QImage(), path);
    EXPECT_FALSE(written.ok);
    EXPECT_TRUE(written.error.contains(QStringLiteral("IHDR")))
        << written.error.toStdString();  // libpng's own words
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), QByteArray("previous picture"));
    EXPECT_EQ(entries(dir.path()), QStringList{QStringLiteral("old.png")});
}

}  // namespace
}  // namespace sublumo
