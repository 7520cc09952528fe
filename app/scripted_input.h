#pragma once

#include <QByteArray>
#include <QObject>

class QSocketNotifier;
class QWidget;

namespace sublumo {

// Lets a test drive the real program as a user would, one line of its standard input at a
// time, and answers each line on standard output once it is done:
//   "page <index>"            shows that page, as a click on its tab does
//   "type <control> <text>"   focuses the field, selects what it holds and types the text key
//                             by key ("group/name" where the name alone is not enough)
//   "click <control>"         clicks a button or a check box
//   "close"                   closes the window, as its close box does
// Answers: "done <line number>", or "failed <line number>: <why>". Only started when the
// environment holds SUBLUMO_SCRIPTED_INPUT, so the program never reads its input otherwise.
class ScriptedInput : public QObject {
    Q_OBJECT
public:
    static constexpr char kEnvironmentKey[] = "SUBLUMO_SCRIPTED_INPUT";

    // Starts reading when the environment asks for it; otherwise does nothing.
    static void startIfAsked(QWidget& window);

private:
    explicit ScriptedInput(QWidget& window);
    void readInput();
    void run(const QByteArray& line);
    QString runCommand(const QString& line);
    QWidget* control(const QString& path) const;

    QWidget& m_window;
    QSocketNotifier* m_notifier = nullptr;
    QByteArray m_pending;
    int m_lineNumber = 0;
};

}  // namespace sublumo
