#pragma once

#include <QImage>
#include <QString>

namespace sublumo {

struct PngWriteResult {
    bool ok = false;
    QString error;  // the system's or libpng's text when ok is false
};

// Encodes the image as an 8-bit RGB PNG with libpng and writes it safely: to a temporary file
// beside the target, flushed, then renamed over it.
PngWriteResult writePng(const QImage& image, const QString& path);

}  // namespace sublumo
