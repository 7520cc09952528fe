#include "png_writer.h"

#include <png.h>

#include <QByteArray>
#include <QSaveFile>
#include <cstring>
#include <new>

namespace sublumo {

namespace {

// Where libpng's handlers leave their messages: the error before it jumps back, and the last
// warning, which often says what the error does not ("Image width is zero in IHDR").
struct PngErrorText {
    char message[256] = {};
    char warning[256] = {};
};

void keep(char (&buffer)[256], png_const_charp message) {
    std::strncpy(buffer, message != nullptr ? message : "", sizeof buffer - 1);
}

void onPngError(png_structp png, png_const_charp message) {
    keep(static_cast<PngErrorText*>(png_get_error_ptr(png))->message, message);
    png_longjmp(png, 1);
}

void onPngWarning(png_structp png, png_const_charp message) {
    keep(static_cast<PngErrorText*>(png_get_error_ptr(png))->warning, message);
}

QString describe(const PngErrorText& text) {
    QString description = QString::fromUtf8(text.message);
    if (text.warning[0] != '\0')
        description += QStringLiteral(" (%1)").arg(QString::fromUtf8(text.warning));
    return description;
}

void onPngWrite(png_structp png, png_bytep data, size_t length) {
    auto* bytes = static_cast<QByteArray*>(png_get_io_ptr(png));
    bool appended = true;
    try {
        bytes->append(reinterpret_cast<const char*>(data), static_cast<qsizetype>(length));
    } catch (const std::bad_alloc&) {
        appended = false;  // no exception may cross libpng's C frames
    }
    if (!appended)
        png_error(png, "Out of memory while encoding the image");
}

void onPngFlush(png_structp) {}

// Everything between setjmp and a possible longjmp lives here, with nothing that needs a
// destructor, so that a jump out of libpng skips no clean-up.
bool encodeRows(png_structp png, png_infop info, const QImage& rgb) {
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_set_IHDR(png, info, static_cast<png_uint_32>(rgb.width()),
                 static_cast<png_uint_32>(rgb.height()), 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < rgb.height(); ++y) png_write_row(png, rgb.constScanLine(y));
    png_write_end(png, nullptr);
    return true;
}

// The PNG file's bytes, or libpng's message in `error`.
bool encodePng(const QImage& image, QByteArray& bytes, QString& error) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    PngErrorText errorText;
    png_structp png =
        png_create_write_struct(PNG_LIBPNG_VER_STRING, &errorText, onPngError, onPngWarning);
    png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
    bool encoded = false;
    if (info != nullptr) {
        png_set_write_fn(png, &bytes, onPngWrite, onPngFlush);
        encoded = encodeRows(png, info, rgb);
        if (!encoded)
            error = describe(errorText);
    } else {
        error = QStringLiteral("Out of memory while encoding the image");
    }
    png_destroy_write_struct(&png, &info);
    return encoded;
}

}  // namespace

PngWriteResult writePng(const QImage& image, const QString& path) {
    QByteArray bytes;
    QString error;
    if (!encodePng(image, bytes, error))
        return {false, error};
    // QSaveFile writes beside the target and renames over it only after commit() has flushed
    // it to disk; on any failure the temporary file is removed and the target is untouched.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return {false, file.errorString()};
    return {true, {}};
}

}  // namespace sublumo
