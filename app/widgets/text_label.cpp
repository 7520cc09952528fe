#include "text_label.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QTextDocument>

namespace sublumo {

namespace {

class TextLabelAccessible : public QAccessibleWidget {
public:
    explicit TextLabelAccessible(QLabel* label) : QAccessibleWidget(label) {}

    QAccessible::Role role() const override {
        return label()->pixmap().isNull() ? QAccessible::StaticText : QAccessible::Graphic;
    }

    QString text(QAccessible::Text kind) const override {
        if (kind != QAccessible::Name)
            return QAccessibleWidget::text(kind);
        const QString own = widget()->accessibleName();
        return own.isEmpty() ? plainText() : own;
    }

    // A caption names the field it belongs to.
    QList<QPair<QAccessibleInterface*, QAccessible::Relation>> relations(
        QAccessible::Relation match) const override {
        auto found = QAccessibleWidget::relations(match);
        if ((match & QAccessible::Labelled) && label()->buddy() != nullptr) {
            if (QAccessibleInterface* buddy =
                    QAccessible::queryAccessibleInterface(label()->buddy()))
                found.append({buddy, QAccessible::Labelled});
        }
        return found;
    }

private:
    QLabel* label() const { return static_cast<QLabel*>(widget()); }

    QString plainText() const {
        const QString shown = label()->text();
        const Qt::TextFormat format = label()->textFormat();
        if (format == Qt::RichText || (format == Qt::AutoText && Qt::mightBeRichText(shown))) {
            QTextDocument document;
            document.setHtml(shown);
            return document.toPlainText();
        }
        return shown;
    }
};

QAccessibleInterface* makeAccessible(const QString& className, QObject* object) {
    if (className == QLatin1String(TextLabel::staticMetaObject.className()))
        return new TextLabelAccessible(static_cast<TextLabel*>(object));
    return nullptr;
}

}  // namespace

TextLabel::TextLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
    static const bool installed = [] {
        QAccessible::installFactory(makeAccessible);
        return true;
    }();
    Q_UNUSED(installed);
}

}  // namespace sublumo
