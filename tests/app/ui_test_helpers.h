#pragma once

// What a UI test does as a user would: find a control by its name, type into it, click a
// tab or a button, and wait for the window to catch up without fixed sleeps.
#include <gtest/gtest.h>
#include <QAbstractButton>
#include <QAccessible>
#include <QLineEdit>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <functional>

#include "widgets/lazy_page.h"

namespace sublumo::ui_test {

inline constexpr int kWaitMs = 2000;

// Pages and windows that the program builds when first shown are built first, so that every
// control of the window can be found, shown or not.
template <typename T = QWidget>
T* findByName(const QObject* root, const char* name) {
    LazyPart::buildAll(root);
    T* found = root->findChild<T*>(QString::fromLatin1(name));
    if (found == nullptr)
        ADD_FAILURE() << "no control named " << name;
    return found;
}

// Waits for the event loop to make `done` true, at most kWaitMs.
inline bool waitUntil(const std::function<bool()>& done, int timeoutMs = kWaitMs) {
    return QTest::qWaitFor(done, timeoutMs);
}

// Focuses the field, selects what it holds and types the text key by key.
inline void typeInto(QLineEdit* field, const QString& text) {
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, text);
}

inline void typeInto(const QObject* root, const char* field, const QString& text) {
    if (auto* edit = findByName<QLineEdit>(root, field))
        typeInto(edit, text);
}

// The driver every page test starts from: Qms 2.5, Qes 0.35, fs 30, Mms 60, Dd 260, Re 5.6.
inline void typeReferenceDriver(const QObject* root) {
    typeInto(root, "Qms", "2.5");
    typeInto(root, "Qes", "0.35");
    typeInto(root, "fs", "30");
    typeInto(root, "Mms", "60");
    typeInto(root, "Dd", "260");
    typeInto(root, "Re", "5.6");
}

// What a screen reader reads as the control's name.
inline QString readName(QWidget* control) {
    QAccessibleInterface* read = QAccessible::queryAccessibleInterface(control);
    return read == nullptr ? QString() : read->text(QAccessible::Name);
}

inline void clickButton(const QObject* root, const char* name) {
    if (auto* button = findByName<QAbstractButton>(root, name))
        QTest::mouseClick(button, Qt::LeftButton);
}

// Clicks the tab's caption in the tab bar, as a mouse user switches pages.
inline void clickTab(QTabWidget* tabs, int index) {
    QTabBar* bar = tabs->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
}

}  // namespace sublumo::ui_test
