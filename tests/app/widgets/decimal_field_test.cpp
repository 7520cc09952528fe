#include "widgets/decimal_field.h"

#include <gtest/gtest.h>
#include <QFocusEvent>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <initializer_list>

#include "scripted_platform.h"

namespace sublumo {
namespace {

// A shown, active window with one field of each kind and two further fields to move to.
struct FieldWindow {
    explicit FieldWindow(char separator = '.') {
        const NumberFormat format{separator};
        field = new DecimalField(platform, format, &window);
        signedField = new SignedDecimalField(platform, format, &window);
        next = new DecimalField(platform, format, &window);
        alternative = new QLineEdit(&window);
        auto* layout = new QVBoxLayout(&window);
        for (QWidget* w : std::initializer_list<QWidget*>{field, signedField, next, alternative})
            layout->addWidget(w);
        window.show();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    // The field focused and holding `text`, as if the user had just typed it.
    DecimalField* start(const QString& text, bool isSigned = false) {
        DecimalField* f = isSigned ? signedField : field;
        f->setFocus();
        f->setText(text);
        return f;
    }

    ScriptedPlatform platform;
    QWidget window;
    DecimalField* field;
    DecimalField* signedField;
    DecimalField* next;
    QLineEdit* alternative;
};

struct TypingCase {
    const char* name;
    char separator;
    bool isSigned;
    const char* keys;
    const char* shown;
};

TEST(DecimalField, KeyFilterLetsOnlyNumbersThrough) {
    const TypingCase cases[] = {
        {"point locale", '.', false, "1.5", "1.5"},
        {"comma typed on a comma locale", ',', false, "1,5", "1,5"},
        {"point typed on a comma locale", ',', false, "1.5", "1,5"},
        {"comma typed on a point locale", '.', false, "1,5", "1.5"},
        {"letters, blanks and signs discarded", '.', false, "1a b+x2*", "12"},
        {"minus discarded by an unsigned field", '.', false, "-3", "3"},
        {"minus kept by a signed field", '.', true, "-3,5", "-3.5"},
        {"signed field still discards letters", ',', true, "-e1", "-1"},
    };
    for (const TypingCase& c : cases) {
        SCOPED_TRACE(c.name);
        FieldWindow w(c.separator);
        DecimalField* f = w.start(QString(), c.isSigned);
        QTest::keyClicks(f, QString::fromLatin1(c.keys));
        EXPECT_EQ(f->text(), QString::fromLatin1(c.shown));
    }
}

TEST(DecimalField, EditingKeysAndShortcutsKeepWorking) {
    FieldWindow w;
    DecimalField* f = w.start(QString());
    QTest::keyClicks(f, QStringLiteral("12"));
    QTest::keyClick(f, Qt::Key_Backspace);
    QTest::keyClicks(f, QStringLiteral("45"));
    QTest::keyClick(f, Qt::Key_Left);
    QTest::keyClick(f, Qt::Key_Left);
    QTest::keyClick(f, Qt::Key_Delete);
    QTest::keyClick(f, Qt::Key_Home);
    QTest::keyClicks(f, QStringLiteral("9"));
    QTest::keyClick(f, Qt::Key_End);
    QTest::keyClick(f, Qt::Key_Left, Qt::ShiftModifier);
    QTest::keyClicks(f, QStringLiteral("7"));
    EXPECT_EQ(f->text(), QStringLiteral("917"));

    QTest::keyClick(f, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(f->selectedText(), QStringLiteral("917"));
    QTest::keyClick(f, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(f->text(), QString());
    QTest::keyClick(f, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(f->text(), QStringLiteral("917"));
    QTest::keyClick(f, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(f->text(), QString());
}

struct StepCase {
    const char* name;
    char separator;
    bool isSigned;
    const char* before;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    const char* after;
};

TEST(DecimalField, UpAndDownStepToWholeTenthsOrHundredths) {
    const Qt::KeyboardModifiers none = Qt::NoModifier;
    const Qt::KeyboardModifiers shift = Qt::ShiftModifier;
    const Qt::KeyboardModifiers ctrl = Qt::ControlModifier;
    const StepCase cases[] = {
        {"Up rounds to a whole number", '.', false, "7.35", Qt::Key_Up, none, "8"},
        {"Up rounds ties to even", '.', false, "1.5", Qt::Key_Up, none, "2"},
        {"Shift+Up rounds ties to even", '.', false, "7.25", Qt::Key_Up, shift, "7.3"},
        {"Ctrl+Up on hundredths", '.', false, "0.125", Qt::Key_Up, ctrl, "0.13"},
        {"Ctrl wins over Shift", '.', false, "7.254", Qt::Key_Up, shift | ctrl, "7.26"},
        {"Ctrl+Down at 0.01 floors at zero", '.', false, "0.01", Qt::Key_Down, ctrl, "0"},
        {"Down below 1 gives zero", '.', false, "0.4", Qt::Key_Down, none, "0"},
        {"Down from 1.6 rounds 0.6 up", '.', false, "1.6", Qt::Key_Down, none, "1"},
        {"Shift+Down at 0.1 floors at zero", '.', false, "0.1", Qt::Key_Down, shift, "0"},
        {"Shift+Down on tenths", '.', false, "0.25", Qt::Key_Down, shift, "0.1"},
        {"comma locale", ',', false, "7,25", Qt::Key_Up, shift, "7,3"},
        {"signed Down goes below zero", '.', true, "0.4", Qt::Key_Down, none, "-1"},
        {"signed Down rounds ties to even", '.', true, "-2.5", Qt::Key_Down, none, "-4"},
        {"signed Shift+Down from zero", '.', true, "0", Qt::Key_Down, shift, "-0.1"},
        {"signed Ctrl+Down through zero", ',', true, "0,005", Qt::Key_Down, ctrl, "-0,01"},
        {"text that does not parse", '.', false, "1.2.3", Qt::Key_Up, none, "1.2.3"},
        {"empty text", '.', false, "", Qt::Key_Down, none, ""},
    };
    for (const StepCase& c : cases) {
        SCOPED_TRACE(c.name);
        FieldWindow w(c.separator);
        DecimalField* f = w.start(QString::fromLatin1(c.before), c.isSigned);
        QTest::keyClick(f, c.key, c.modifiers);
        EXPECT_EQ(f->text(), QString::fromLatin1(c.after));
    }
}

TEST(DecimalField, EveryStepIsAChangeTheOwnerSees) {
    FieldWindow w;
    DecimalField* f = w.start(QStringLiteral("7.35"));
    QSignalSpy changes(f, &QLineEdit::textChanged);
    QTest::keyClick(f, Qt::Key_Up);
    QTest::keyClick(f, Qt::Key_Up, Qt::ShiftModifier);
    ASSERT_EQ(changes.count(), 2);
    EXPECT_EQ(changes.at(0).at(0).toString(), QStringLiteral("8"));
    EXPECT_EQ(changes.at(1).at(0).toString(), QStringLiteral("8.1"));

    f->setReadOnly(true);  // a derived value is the solver's, not the keyboard's
    QTest::keyClick(f, Qt::Key_Up);
    EXPECT_EQ(f->text(), QStringLiteral("8.1"));
}

struct LeaveCase {
    const char* name;
    char separator;
    bool isSigned;
    const char* before;
    const char* after;
};

TEST(DecimalField, LeavingTidiesTheNumber) {
    const LeaveCase cases[] = {
        {"leading separator gets a zero", '.', false, ".25", "0.25"},
        {"comma locale", ',', false, ",25", "0,25"},
        {"surrounding blanks trimmed", '.', false, " 5.5 ", "5.5"},
        {"zero left as it is", '.', false, "0", "0"},
        {"zero with decimals left as it is", '.', false, ".0", ".0"},
        {"negative left as it is", '.', true, "-.5", "-.5"},
        {"plain number unchanged", ',', false, "12,75", "12,75"},
    };
    for (const LeaveCase& c : cases) {
        SCOPED_TRACE(c.name);
        FieldWindow w(c.separator);
        DecimalField* f = w.start(QString::fromLatin1(c.before), c.isSigned);
        QTest::keyClick(f, Qt::Key_Tab);
        EXPECT_FALSE(f->hasFocus());
        EXPECT_EQ(f->text(), QString::fromLatin1(c.after));
        EXPECT_TRUE(w.platform.errors.isEmpty());
    }
}

TEST(DecimalField, LeavingTextThatIsNoNumberReportsItOnce) {
    FieldWindow w(',');
    DecimalField* f = w.start(QStringLiteral("1.5"));  // pasted with the wrong separator
    QTest::keyClick(f, Qt::Key_Tab);
    EXPECT_EQ(f->text(), QStringLiteral("1.5"));
    ASSERT_EQ(w.platform.errors.size(), 1);
    EXPECT_EQ(w.platform.errors.front(),
              QStringLiteral("'1.5' is not a valid floating point value"));

    f->setText(QString());
    f->setFocus();
    QTest::keyClick(f, Qt::Key_Tab);
    ASSERT_EQ(w.platform.errors.size(), 2);
    EXPECT_EQ(w.platform.errors.back(), QStringLiteral("'' is not a valid floating point value"));

    // Switched off or hidden while it has the focus, the field is no longer the user's to mend.
    f->setFocus();
    f->setEnabled(false);
    EXPECT_FALSE(f->hasFocus());
    f->setEnabled(true);
    f->setFocus();
    f->hide();
    EXPECT_FALSE(f->hasFocus());
    EXPECT_EQ(w.platform.errors.size(), 2);
}

TEST(DecimalField, SwitchingWindowsOrOpeningAMenuIsNotLeaving) {
    FieldWindow w;
    DecimalField* f = w.start(QStringLiteral("x.25"));
    for (Qt::FocusReason reason : {Qt::ActiveWindowFocusReason, Qt::PopupFocusReason}) {
        QFocusEvent out(QEvent::FocusOut, reason);
        QCoreApplication::sendEvent(f, &out);
    }
    EXPECT_TRUE(w.platform.errors.isEmpty());
}

// An error box that, like a real modal one, takes the focus through other fields while it is up.
class FocusTakingPlatform final : public PlatformServices {
public:
    bool askYesNo(QWidget*, const QString&, const QString&) override { return false; }
    void showError(QWidget*, const QString& text) override {
        errors << text;
        if (passThrough.size() == 2) {
            passThrough[0]->setFocus(Qt::OtherFocusReason);
            passThrough[1]->setFocus(Qt::OtherFocusReason);
        }
    }
    void showInfo(QWidget*, const QString&, const QString&) override {}
    std::optional<QString> askSavePath(QWidget*, const QString&, const QString&,
                                       const QString&) override {
        return std::nullopt;
    }
    QStringList askOpenPaths(QWidget*, const QString&, const QString&, bool) override {
        return {};
    }
    int askChoice(QWidget*, const QString&, const QString&, const QStringList&) override {
        return -1;
    }
    std::optional<QString> askText(QWidget*, const QString&, const QString&,
                                   const QString&) override {
        return std::nullopt;
    }
    int askItem(QWidget*, const QString&, const QString&, const QStringList&) override {
        return -1;
    }
    void openAddress(const QString&) override {}
    QImage captureWindow(QWidget*) override { return {}; }
    void setStayOnTop(QWidget*, bool) override {}
    bool askPrint(QWidget*, QPrinter&) override { return false; }

    QStringList errors;
    QList<QWidget*> passThrough;
};

TEST(DecimalField, AnErrorBoxDoesNotOpenAnotherOne) {
    FocusTakingPlatform platform;
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* first = new DecimalField(platform, NumberFormat{'.'}, &window);
    auto* second = new DecimalField(platform, NumberFormat{'.'}, &window);
    auto* third = new QLineEdit(&window);
    for (QWidget* widget : std::initializer_list<QWidget*>{first, second, third})
        layout->addWidget(widget);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    first->setText(QStringLiteral("a"));
    second->setText(QStringLiteral("b"));
    platform.passThrough = {second, third};
    first->setFocus();
    QTest::keyClick(first, Qt::Key_Tab);
    EXPECT_EQ(platform.errors,
              QStringList{QStringLiteral("'a' is not a valid floating point value")});
}

TEST(DecimalField, EnterMovesOnWithoutTypingAnything) {
    FieldWindow w;
    DecimalField* f = w.start(QStringLiteral("2.5"));
    QSignalSpy enters(f, &DecimalField::enterPressed);
    QTest::keyClick(f, Qt::Key_Return);
    EXPECT_EQ(enters.count(), 1);
    EXPECT_TRUE(f->hasFocus());  // no target: the owner decides what Enter does
    EXPECT_EQ(f->text(), QStringLiteral("2.5"));

    f->setEnterTarget(w.next, w.alternative);
    QTest::keyClick(f, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(enters.count(), 2);
    EXPECT_TRUE(w.next->hasFocus());
    EXPECT_EQ(f->text(), QStringLiteral("2.5"));
}

TEST(DecimalField, EnterFallsBackWhereTheTargetCannotTakeFocus) {
    struct BlockCase {
        const char* name;
        void (*block)(DecimalField&);
    };
    const BlockCase cases[] = {
        {"disabled", [](DecimalField& t) { t.setEnabled(false); }},
        {"hidden", [](DecimalField& t) { t.hide(); }},
        {"read-only", [](DecimalField& t) { t.setReadOnly(true); }},
        {"out of the focus order", [](DecimalField& t) { t.setFocusPolicy(Qt::NoFocus); }},
    };
    for (const BlockCase& c : cases) {
        SCOPED_TRACE(c.name);
        FieldWindow w;
        c.block(*w.next);
        DecimalField* f = w.start(QStringLiteral("1"));
        f->setEnterTarget(w.next, w.alternative);
        QTest::keyClick(f, Qt::Key_Return);
        EXPECT_TRUE(w.alternative->hasFocus());
    }
}

TEST(DecimalField, EnterWithNowhereToGoKeepsTheFocus) {
    FieldWindow w;
    w.next->setEnabled(false);
    w.alternative->setEnabled(false);
    DecimalField* f = w.start(QStringLiteral("1"));
    f->setEnterTarget(w.next, w.alternative);
    QTest::keyClick(f, Qt::Key_Return);
    EXPECT_TRUE(f->hasFocus());
    f->setEnterTarget(w.next);
    QTest::keyClick(f, Qt::Key_Return);
    EXPECT_TRUE(f->hasFocus());

    f->setEnterTarget(w.alternative);
    w.alternative->setEnabled(true);
    delete w.alternative;  // a page rebuilt under the field
    QTest::keyClick(f, Qt::Key_Return);
    EXPECT_TRUE(f->hasFocus());
}

TEST(DecimalField, ScreenReadersGetTheParameterNameAndHint) {
    FieldWindow w;
    w.field->setObjectName(QStringLiteral("Qms"));
    w.field->setToolTip(QStringLiteral("Mechanical Q"));
    EXPECT_EQ(w.field->accessibleName(), QStringLiteral("Qms"));
    EXPECT_EQ(w.field->accessibleDescription(), QStringLiteral("Mechanical Q"));

    w.next->setAccessibleName(QStringLiteral("Resonance frequency"));
    w.next->setAccessibleDescription(QStringLiteral("Owner's hint"));
    w.next->setObjectName(QStringLiteral("fs"));
    w.next->setToolTip(QStringLiteral("fs"));
    EXPECT_EQ(w.next->accessibleName(), QStringLiteral("Resonance frequency"));
    EXPECT_EQ(w.next->accessibleDescription(), QStringLiteral("Owner's hint"));
}

}  // namespace
}  // namespace sublumo
