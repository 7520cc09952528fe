// The program as a shell or a file manager starts it: the options are answered before any
// window exists, and a design named on the command line is opened once the window is up.
#include <gtest/gtest.h>
#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <cerrno>
#include <cstring>

#include "program_info.h"

namespace sublumo {
namespace {

struct CommandLineRow {
    const char* name;
    QStringList arguments;          // "<dir>" stands for a folder of the test's own
    std::optional<int> exitStatus;  // none: the window starts and the program keeps running
    QString stdoutHas;
    QString stderrHas;
};

void PrintTo(const CommandLineRow& row, std::ostream* out) {
    *out << row.name;
}

class CommandLine : public ::testing::TestWithParam<CommandLineRow> {
protected:
    // A copy of the program in a folder of its own, where it keeps its database and settings.
    static void SetUpTestSuite() {
        s_dir = new QTemporaryDir;
        ASSERT_TRUE(QFile::copy(QStringLiteral(SUBLUMO_PROGRAM), program()));
    }
    static void TearDownTestSuite() {
        delete s_dir;
        s_dir = nullptr;
    }
    static QString program() { return s_dir->filePath(QStringLiteral("sublumo")); }
    static QString dir() { return s_dir->path(); }

    static QTemporaryDir* s_dir;
};

QTemporaryDir* CommandLine::s_dir = nullptr;

QString errorText(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

QString usage() {
    return QStringLiteral("[options] [file]");
}

TEST_P(CommandLine, AnswersWithItsMessageAndExitStatus) {
    const CommandLineRow& row = GetParam();
    QStringList arguments;
    for (const QString& argument : row.arguments)
        arguments << QString(argument).replace(QStringLiteral("<dir>"), dir());
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    if (row.exitStatus) {
        // No display at all: a window would abort the program.
        environment.remove(QStringLiteral("DISPLAY"));
        environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    } else {
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    }
    process.setProcessEnvironment(environment);
    process.start(program(), arguments);
    ASSERT_TRUE(process.waitForStarted());
    const QString stderrHas = QString(row.stderrHas).replace(QStringLiteral("<dir>"), dir());

    if (row.exitStatus) {
        ASSERT_TRUE(process.waitForFinished());
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(process.exitCode(), *row.exitStatus);
        const QString out = QString::fromLocal8Bit(process.readAllStandardOutput());
        const QString err = QString::fromLocal8Bit(process.readAllStandardError());
        EXPECT_TRUE(out.contains(row.stdoutHas)) << out.toStdString();
        EXPECT_TRUE(err.contains(stderrHas)) << err.toStdString();
        return;
    }
    // The refusal is said, and the program goes on with its window.
    process.setReadChannel(QProcess::StandardError);
    QString err;
    const QDeadlineTimer deadline(30000);
    while (!err.contains(stderrHas) && process.state() == QProcess::Running &&
           !deadline.hasExpired())
        if (process.waitForReadyRead(100))
            err += QString::fromLocal8Bit(process.readAllStandardError());
    EXPECT_TRUE(err.contains(stderrHas)) << err.toStdString();
    EXPECT_EQ(process.state(), QProcess::Running);
    process.kill();
    process.waitForFinished();
}

INSTANTIATE_TEST_SUITE_P(
    Starts, CommandLine,
    ::testing::Values(
        CommandLineRow{"Help", {QStringLiteral("--help")}, 0, usage(), {}},
        CommandLineRow{"ShortHelp", {QStringLiteral("-h")}, 0, QStringLiteral("--version"), {}},
        CommandLineRow{"Version",
                       {QStringLiteral("--version")},
                       0,
                       QString::fromLatin1(kProgramTitle) + QLatin1Char('\n'),
                       {}},
        CommandLineRow{"UnknownOption",
                       {QStringLiteral("--colour")},
                       2,
                       {},
                       QStringLiteral("Unknown option 'colour'.\n\nUsage: ")},
        CommandLineRow{"TwoFiles",
                       {QStringLiteral("a.sublumo"), QStringLiteral("b.sublumo")},
                       2,
                       {},
                       QStringLiteral("one design file at a time; 2 were given.\n\nUsage: ")},
        CommandLineRow{"AMissingFile",
                       {QStringLiteral("<dir>/woofer.sublumo")},
                       std::nullopt,
                       {},
                       QStringLiteral("<dir>/woofer.sublumo: ") + errorText(ENOENT)},
        CommandLineRow{"AFolder",
                       {QStringLiteral("<dir>")},
                       std::nullopt,
                       {},
                       QStringLiteral("<dir>: ") + errorText(EISDIR)}),
    [](const auto& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace sublumo
