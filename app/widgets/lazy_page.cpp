#include "widgets/lazy_page.h"

#include <QTabWidget>
#include <QVBoxLayout>

namespace sublumo {

LazyPart::LazyPart(Builder build, QObject* parent) : QObject(parent), m_build(std::move(build)) {}

void LazyPart::build() {
    if (m_built)
        return;
    m_built = true;  // first: showing what the builder makes must not build it again
    m_build();
}

void LazyPart::buildAll(const QObject* root) {
    for (bool more = true; more;) {
        more = false;
        for (LazyPart* part : root->findChildren<LazyPart*>()) {
            if (!part->isBuilt()) {
                part->build();
                more = true;
            }
        }
    }
}

LazyPage::LazyPage(Builder build, QWidget* parent) : QWidget(parent) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    m_part = new LazyPart(
        [this, column, build = std::move(build)] {
            m_content = build();
            column->addWidget(m_content);
            // Focus given to the page goes to its content, as it did to the page itself.
            setFocusProxy(m_content);
            if (isVisible())
                m_content->show();
        },
        this);
}

QWidget* LazyPage::content() {
    m_part->build();
    return m_content;
}

void LazyPage::showEvent(QShowEvent* event) {
    m_part->build();
    QWidget::showEvent(event);
}

void buildPagesWhenChosen(QTabWidget* tabs) {
    QObject::connect(tabs, &QTabWidget::currentChanged, tabs, [tabs](int index) {
        if (auto* page = qobject_cast<LazyPage*>(tabs->widget(index)))
            page->content();
    });
}

}  // namespace sublumo
