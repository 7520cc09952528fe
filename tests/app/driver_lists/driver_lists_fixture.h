#pragma once

// A main window over a database and settings file of the test's own, in a temporary program
// directory, with the steps a user takes on the page "List of drivers".
#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <memory>

#include "main_window.h"
#include "scripted_platform.h"
#include "ui_test_helpers.h"

namespace sublumo::ui_test {

struct StoredDriver {
    QString name;
    QString qms = "2.5", qes = "0.35", fs = "30", mms = "60", dd = "260", re = "5.6";
};

inline QByteArray recordText(const StoredDriver& d) {
    return ("[" + d.name + "]\r\nQms=" + d.qms + "\r\nQes=" + d.qes + "\r\nfs=" + d.fs +
            "\r\nMms=" + d.mms + "\r\nDd=" + d.dd + "\r\nRe=" + d.re +
            "\r\nHc=\r\nHg=\r\nPe=\r\nLe=\r\nURL=https://\r\n\r\n")
        .toUtf8();
}

class DriverListsFixture : public ::testing::Test {
protected:
    void writeFile(const char* name, const QByteArray& bytes) {
        QFile file(QDir(dir.path()).filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QByteArray readFile(const char* name) const {
        QFile file(QDir(dir.path()).filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    void writeDatabase(const std::vector<StoredDriver>& drivers) {
        QByteArray bytes;
        for (const StoredDriver& d : drivers) bytes += recordText(d);
        writeFile("sublumo_tsp.ini", bytes);
    }
    void start() {
        window = std::make_unique<MainWindow>(platform, dir.path());
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }

    template <typename T = QWidget>
    T* find(const char* name) const {
        return findByName<T>(window.get(), name);
    }
    QListView* list(const char* name) const { return find<QListView>(name); }
    QTabWidget* tabs() const { return find<QTabWidget>("listTabs"); }
    QString text(const char* name) const { return find<QLineEdit>(name)->text(); }
    QString countText() const { return find<QLabel>("countLabel")->text(); }
    bool enabled(const char* button) const { return find<QPushButton>(button)->isEnabled(); }

    static QStringList rows(QListView* view) {
        QStringList out;
        for (int r = 0; r < view->model()->rowCount(); ++r)
            out << view->model()->index(r, 0).data().toString();
        return out;
    }
    static int selected(QListView* view) {
        const QModelIndex current = view->currentIndex();
        return current.isValid() && view->selectionModel()->isSelected(current) ? current.row()
                                                                                : -1;
    }
    void clickRow(QListView* view, int row) {
        const QModelIndex index = view->model()->index(row, 0);
        view->scrollTo(index);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
    }
    void doubleClickRow(QListView* view, int row) {
        const QModelIndex index = view->model()->index(row, 0);
        view->scrollTo(index);
        const QPoint at = view->visualRect(index).center();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at);
    }
    void showTab(int index) { clickTab(tabs(), index); }
    void click(const char* button) { clickButton(window.get(), button); }
    void typeDriver(const QString& name) {
        typeReferenceDriver(window.get());
        typeInto(window.get(), "driverNameField", name);
    }

    QTemporaryDir dir;
    ScriptedPlatform platform;
    std::unique_ptr<MainWindow> window;
};

}  // namespace sublumo::ui_test
