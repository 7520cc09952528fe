#pragma once

#include <QImage>
#include <QPrinter>
#include <QStringList>
#include <deque>

#include "platform/platform_services.h"

namespace sublumo {

// Answers every dialog from a script and records what the program asked for.
class ScriptedPlatform final : public PlatformServices {
public:
    bool askYesNo(QWidget*, const QString& title, const QString& text) override {
        questions << title + ": " + text;
        if (yesNoAnswers.empty())
            return false;
        const bool answer = yesNoAnswers.front();
        yesNoAnswers.pop_front();
        return answer;
    }
    void showError(QWidget*, const QString& text) override { errors << text; }
    void showInfo(QWidget*, const QString& title, const QString& text) override {
        infos << title + "\n" + text;
    }
    std::optional<QString> askSavePath(QWidget*, const QString& proposedName, const QString& filter,
                                       const QString& suffix) override {
        saveRequests << proposedName + "|" + filter + "|" + suffix;
        return savePath;
    }
    QStringList askOpenPaths(QWidget*, const QString& title, const QString& filter,
                             bool many) override {
        openRequests << title + "|" + filter + (many ? "|many" : "|one");
        return openPaths;
    }
    int askChoice(QWidget*, const QString& title, const QString& text,
                  const QStringList& choices) override {
        questions << title + ": " + text + " [" + choices.join(QLatin1Char('/')) + "]";
        if (choiceAnswers.empty())
            return -1;
        const int answer = choiceAnswers.front();
        choiceAnswers.pop_front();
        return answer;
    }
    std::optional<QString> askText(QWidget*, const QString& title, const QString& label,
                                   const QString& proposed) override {
        questions << title + ": " + label + " [" + proposed + "]";
        if (textAnswers.empty())
            return std::nullopt;
        const QString answer = textAnswers.front();
        textAnswers.pop_front();
        return answer;
    }
    int askItem(QWidget*, const QString& title, const QString& label,
                const QStringList& items) override {
        questions << title + ": " + label + " [" + items.join(QLatin1Char('/')) + "]";
        if (choiceAnswers.empty())
            return -1;
        const int answer = choiceAnswers.front();
        choiceAnswers.pop_front();
        return answer;
    }
    void openAddress(const QString& address) override { openedAddresses << address; }
    QImage captureWindow(QWidget*) override {
        ++captures;
        return capturedImage;
    }
    void setStayOnTop(QWidget*, bool onTop) override { stayOnTopCalls.push_back(onTop); }
    // A chosen printer prints into the PDF file `printPath`.
    bool askPrint(QWidget*, QPrinter& printer) override {
        ++printRequests;
        if (!printPath)
            return false;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(*printPath);
        return true;
    }

    std::deque<bool> yesNoAnswers;
    std::deque<int> choiceAnswers;    // -1 when the script runs out; askItem takes them too
    std::deque<QString> textAnswers;  // cancelled when the script runs out
    QStringList openPaths;
    std::optional<QString> savePath;
    QImage capturedImage;

    QStringList questions, errors, infos, saveRequests, openRequests, openedAddresses;
    int captures = 0;
    std::optional<QString> printPath;
    int printRequests = 0;
    std::vector<bool> stayOnTopCalls;
};

}  // namespace sublumo
