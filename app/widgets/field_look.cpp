#include "field_look.h"

#include <QApplication>
#include <QLineEdit>
#include <QPainter>
#include <QPalette>
#include <QPixmapCache>
#include <QPointer>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOptionFrame>
#include <array>
#include <cmath>

namespace sublumo {

namespace {

// Passes everything to the application's style and keeps the line edit panel (fill and frame)
// it draws as a picture, keyed by everything the style reads to draw it.
class CachedFrameStyle final : public QProxyStyle {
public:
    explicit CachedFrameStyle(QStyle* base) : QProxyStyle(base) {
        // These draw a frame from the option alone; others may animate it from the widget.
        const QString name = base->name().toLower();
        m_cacheable = name == QLatin1String("fusion") || name == QLatin1String("windows");
    }

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override {
        const auto* frame = qstyleoption_cast<const QStyleOptionFrame*>(option);
        const qreal ratio = painter->device()->devicePixelRatio();
        if (element != PE_PanelLineEdit || frame == nullptr || !m_cacheable ||
            ratio != std::floor(ratio) || !painter->transform().isIdentity()) {
            QProxyStyle::drawPrimitive(element, option, painter, widget);
            return;
        }
        // Everything the style reads to draw the panel, as the picture's name. Numbers side by
        // side: putting them into words took longer than drawing the picture.
        const std::array<qint64, 8> look = {frame->rect.width(),
                                            frame->rect.height(),
                                            static_cast<qint64>(frame->state),
                                            frame->palette.cacheKey(),
                                            frame->palette.currentColorGroup(),
                                            frame->lineWidth,
                                            static_cast<qint64>(frame->features),
                                            frame->direction * 1000 + static_cast<qint64>(ratio)};
        const QString key =
            QStringLiteral("sublumo-field ") +
            QString::fromLatin1(reinterpret_cast<const char*>(look.data()), sizeof look);
        QPixmap picture;
        if (!QPixmapCache::find(key, &picture)) {
            picture = QPixmap(frame->rect.size() * static_cast<int>(ratio));
            picture.setDevicePixelRatio(ratio);
            picture.fill(Qt::transparent);
            QPainter onPicture(&picture);
            QStyleOptionFrame atOrigin(*frame);
            atOrigin.rect.moveTo(0, 0);
            QProxyStyle::drawPrimitive(element, &atOrigin, &onPicture, widget);
            onPicture.end();
            QPixmapCache::insert(key, picture);
        }
        painter->drawPixmap(frame->rect.topLeft(), picture);
    }

private:
    bool m_cacheable = false;
};

}  // namespace

void setDerivedLook(QLineEdit* field, bool derived) {
    field->setReadOnly(derived);
    field->setFocusPolicy(derived ? Qt::NoFocus : Qt::StrongFocus);
    QPalette palette = field->palette();
    const QPalette& standard = QApplication::palette(field);
    palette.setColor(QPalette::Base,
                     derived ? standard.color(QPalette::Window) : standard.color(QPalette::Base));
    field->setPalette(palette);
}

void drawFrameFromCache(QLineEdit* field) {
    // One for the program, made from the application's style and ended with the application.
    static QPointer<CachedFrameStyle> style;
    if (style == nullptr) {
        QStyle* base = QStyleFactory::create(QApplication::style()->name());
        if (base == nullptr)
            return;  // a style of the program's own making: drawn by it as it is
        style = new CachedFrameStyle(base);
        style->setParent(qApp);
    }
    field->setStyle(style);
}

}  // namespace sublumo
