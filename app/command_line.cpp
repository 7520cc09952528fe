#include "command_line.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <QTimer>
#include <cstdio>

#include "main_window.h"
#include "program_info.h"

namespace sublumo {

namespace {

constexpr int kMisuseStatus = 2;

void print(std::FILE* stream, const QString& text) {
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fflush(stream);
}

int misuse(const QCommandLineParser& parser, const QString& why) {
    print(stderr, QStringLiteral("sublumo: %1\n\n%2").arg(why, parser.helpText()));
    return kMisuseStatus;
}

}  // namespace

StartRequest readCommandLine(int& argc, char* argv[]) {
    const QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Designs loudspeaker boxes from driver parameters."));
    // Not addHelpOption(): its --help-all lists Qt's own options, which this parser refuses.
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Displays this help."));
    parser.addOption(help);
    const QCommandLineOption version = parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("file"),
                                 QStringLiteral("A design file (.sublumo) to open at start."),
                                 QStringLiteral("[file]"));
    if (!parser.parse(QCoreApplication::arguments()))
        return {misuse(parser, parser.errorText()), {}};
    if (parser.isSet(help)) {
        print(stdout, parser.helpText());
        return {0, {}};
    }
    if (parser.isSet(version)) {
        print(stdout, QString::fromLatin1(kProgramTitle) + QLatin1Char('\n'));
        return {0, {}};
    }
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1)
        return {
            misuse(parser,
                   QStringLiteral("one design file at a time; %1 were given.").arg(files.size())),
            {}};
    if (files.isEmpty())
        return {};
    return {std::nullopt, QFileInfo(files.front()).absoluteFilePath()};
}

void openAtStart(MainWindow& window, const StartRequest& request) {
    if (request.designFile.isEmpty())
        return;
    QTimer::singleShot(0, &window,
                       [&window, file = request.designFile] { window.openDesignFile(file); });
}

}  // namespace sublumo
