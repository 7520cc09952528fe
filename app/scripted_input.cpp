#include "scripted_input.h"

#include <unistd.h>
#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSocketNotifier>
#include <QTabWidget>
#include <cstdio>

namespace sublumo {

namespace {

// The key a user presses for the character; the text carries the character itself.
int keyFor(QChar c) {
    if (c.isDigit())
        return Qt::Key_0 + c.digitValue();
    if (c.toUpper() >= QLatin1Char('A') && c.toUpper() <= QLatin1Char('Z'))
        return Qt::Key_A + (c.toUpper().unicode() - 'A');
    switch (c.unicode()) {
        case '.':
            return Qt::Key_Period;
        case ',':
            return Qt::Key_Comma;
        case '-':
            return Qt::Key_Minus;
        case ' ':
            return Qt::Key_Space;
        default:
            return Qt::Key_unknown;
    }
}

void typeKeys(QLineEdit& field, const QString& text) {
    field.setFocus(Qt::OtherFocusReason);
    field.selectAll();
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, keyFor(c), Qt::NoModifier, QString(c));
        QApplication::sendEvent(&field, &press);
        QKeyEvent release(QEvent::KeyRelease, keyFor(c), Qt::NoModifier, QString(c));
        QApplication::sendEvent(&field, &release);
    }
}

}  // namespace

void ScriptedInput::startIfAsked(QWidget& window) {
    if (qEnvironmentVariableIsSet(kEnvironmentKey))
        new ScriptedInput(window);
}

ScriptedInput::ScriptedInput(QWidget& window) : QObject(&window), m_window(window) {
    m_notifier = new QSocketNotifier(STDIN_FILENO, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &ScriptedInput::readInput);
}

void ScriptedInput::readInput() {
    char buffer[4096];
    const ssize_t count = ::read(STDIN_FILENO, buffer, sizeof buffer);
    if (count <= 0) {
        m_notifier->setEnabled(false);  // the test is gone: nothing more will come
        return;
    }
    m_pending.append(buffer, static_cast<qsizetype>(count));
    for (qsizetype end = m_pending.indexOf('\n'); end >= 0; end = m_pending.indexOf('\n')) {
        const QByteArray line = m_pending.left(end);
        m_pending.remove(0, end + 1);
        run(line);
    }
}

void ScriptedInput::run(const QByteArray& line) {
    const QString failure = runCommand(QString::fromUtf8(line));
    const QByteArray answer =
        (failure.isEmpty() ? QStringLiteral("done %1\n").arg(++m_lineNumber)
                           : QStringLiteral("failed %1: %2\n").arg(++m_lineNumber).arg(failure))
            .toUtf8();
    std::fwrite(answer.constData(), 1, static_cast<std::size_t>(answer.size()), stdout);
    std::fflush(stdout);
}

// The reason it could not be done; empty when it was.
QString ScriptedInput::runCommand(const QString& line) {
    const QString command = line.section(QLatin1Char(' '), 0, 0);
    const QString target = line.section(QLatin1Char(' '), 1, 1);
    if (command == QLatin1String("close")) {
        m_window.close();
        return {};
    }
    if (command == QLatin1String("page")) {
        auto* pages = m_window.findChild<QTabWidget*>(QStringLiteral("pages"));
        if (pages == nullptr || target.toInt() < 0 || target.toInt() >= pages->count())
            return QStringLiteral("no page %1").arg(target);
        pages->setCurrentIndex(target.toInt());
        return {};
    }
    QWidget* widget = control(target);
    if (widget == nullptr)
        return QStringLiteral("no control %1").arg(target);
    if (command == QLatin1String("type")) {
        auto* field = qobject_cast<QLineEdit*>(widget);
        if (field == nullptr || !field->isEnabled())
            return QStringLiteral("%1 takes no typing").arg(target);
        typeKeys(*field, line.section(QLatin1Char(' '), 2));
        return {};
    }
    if (command == QLatin1String("click")) {
        auto* button = qobject_cast<QAbstractButton*>(widget);
        if (button == nullptr || !button->isEnabled())
            return QStringLiteral("%1 takes no click").arg(target);
        button->click();
        return {};
    }
    return QStringLiteral("unknown command %1").arg(command);
}

QWidget* ScriptedInput::control(const QString& path) const {
    QWidget* found = &m_window;
    for (const QString& name : path.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        found = found->findChild<QWidget*>(name);
        if (found == nullptr)
            return nullptr;
    }
    return found == &m_window ? nullptr : found;
}

}  // namespace sublumo
