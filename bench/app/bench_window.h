#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "main_window.h"
#include "scripted_platform.h"

namespace sublumo::bench {

// A database of `count` plausible drivers, written as the program writes it.
inline void writeDatabase(const QString& path, int count) {
    QByteArray bytes;
    bytes.reserve(count * 140);
    for (int i = 0; i < count; ++i) {
        const int dd = 60 + i % 400;
        bytes += "[Maker " + QByteArray::number(i % 97) + " Woofer " + QByteArray::number(i) +
                 "]\r\nQms=" + QByteArray::number(2 + i % 7) + ".5\r\nQes=0.3" +
                 QByteArray::number(i % 10) + "\r\nfs=" + QByteArray::number(20 + i % 80) +
                 "\r\nMms=" + QByteArray::number(10 + i % 150) +
                 "\r\nDd=" + QByteArray::number(dd) +
                 "\r\nRe=5.6\r\nHc=\r\nHg=\r\nPe=\r\nLe=\r\nURL=https://"
                 "\r\n\r\n";
    }
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

// The main window of one benchmark, with a program directory of its own: empty, or holding a
// database of `records` drivers. Never the working directory, where a database or settings
// left by another run would change what the window shows and does.
struct BenchWindow {
    explicit BenchWindow(int records = 0) : window(platform, prepared(directory, records)) {}

    QTemporaryDir directory;
    ScriptedPlatform platform;
    MainWindow window;

private:
    static QString prepared(const QTemporaryDir& directory, int records) {
        if (records > 0)
            writeDatabase(QDir(directory.path()).filePath(QStringLiteral("sublumo_tsp.ini")),
                          records);
        return directory.path();
    }
};

}  // namespace sublumo::bench
