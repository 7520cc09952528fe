#pragma once

#include <QWidget>
#include <functional>

class QTabWidget;

namespace sublumo {

// A part of the window that is built the first time it is needed rather than at start-up: a
// page when it is first shown, a window when it is first asked for. Until then it is one empty
// object. buildAll() builds every part under an object at once, for code that needs the whole
// window as it will be (finding a control by its name, for instance).
class LazyPart : public QObject {
    Q_OBJECT
public:
    using Builder = std::function<void()>;

    LazyPart(Builder build, QObject* parent);

    bool isBuilt() const { return m_built; }
    // Runs the builder, once.
    void build();
    // Every part under `root`, including those that building one of them adds.
    static void buildAll(const QObject* root);

private:
    Builder m_build;
    bool m_built = false;
};

// A page of a tab widget whose content is built when the page is first shown or content() is
// first asked for; the content then fills the page.
class LazyPage : public QWidget {
    Q_OBJECT
public:
    using Builder = std::function<QWidget*()>;

    explicit LazyPage(Builder build, QWidget* parent = nullptr);

    bool isBuilt() const { return m_part->isBuilt(); }
    // The content, built if need be.
    QWidget* content();

protected:
    void showEvent(QShowEvent* event) override;

private:
    LazyPart* m_part = nullptr;
    QWidget* m_content = nullptr;
};

// Choosing a tab builds its page at once, also while the window is hidden, so that the page's
// controls exist as soon as a program step or a test has chosen it.
void buildPagesWhenChosen(QTabWidget* tabs);

}  // namespace sublumo
