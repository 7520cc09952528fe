#include "icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>

namespace sublumo {

namespace {

// Every icon is drawn on a 16 x 16 grid and scaled to the pixmap, so one drawing serves 1x and
// 2x. Lines of odd width sit on half units to stay sharp at 16 pixels.
constexpr double kGrid = 16.0;

const QColor kInk(0x30, 0x3a, 0x48);
const QColor kBlue(0x1f, 0x6f, 0xc5);
const QColor kGrey(0x8a, 0x90, 0x98);
const QColor kRed(0xd0, 0x32, 0x2a);
const QColor kPaper(0xfb, 0xfb, 0xf8);

QPen pen(const QColor& colour, double width) {
    return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// A vertical arrow between a bar (the window's lower edge) and its head: down to grow the
// window, up to shrink it.
void drawVerticalArrow(QPainter& p, bool down) {
    // Distances are measured from the bar; mirrored for the upward arrow.
    const auto y = [down](double fromBar) { return down ? fromBar : kGrid - fromBar; };
    p.setPen(pen(kInk, 1.5));
    p.drawLine(QPointF(2.5, y(2.5)), QPointF(13.5, y(2.5)));
    p.setPen(pen(kBlue, 2.0));
    p.drawLine(QPointF(8, y(5)), QPointF(8, y(12)));
    p.setPen(Qt::NoPen);
    p.setBrush(kBlue);
    p.drawPolygon(QPolygonF({QPointF(3.5, y(8.5)), QPointF(12.5, y(8.5)), QPointF(8, y(13.5))}));
}

void drawExpand(QPainter& p) {
    drawVerticalArrow(p, true);
}

void drawContract(QPainter& p) {
    drawVerticalArrow(p, false);
}

// A sheet with a folded corner and four lines of text.
void drawShowText(QPainter& p) {
    QPainterPath sheet;
    sheet.moveTo(2.5, 1.5);
    sheet.lineTo(10.5, 1.5);
    sheet.lineTo(13.5, 4.5);
    sheet.lineTo(13.5, 14.5);
    sheet.lineTo(2.5, 14.5);
    sheet.closeSubpath();
    p.setPen(pen(kInk, 1.0));
    p.setBrush(kPaper);
    p.drawPath(sheet);
    p.drawPolyline(QPolygonF({QPointF(10.5, 1.5), QPointF(10.5, 4.5), QPointF(13.5, 4.5)}));
    p.setPen(pen(kBlue, 1.0));
    const double lengths[] = {5.0, 8.0, 8.0, 6.0};
    for (int i = 0; i < 4; ++i) {
        const double y = 5.5 + 2.0 * i;
        p.drawLine(QPointF(4.5, y), QPointF(4.5 + lengths[i], y));
    }
}

// A camera body with its lens and the viewfinder hump.
void drawScreenshot(QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    p.drawRoundedRect(QRectF(5, 2.5, 6, 3), 1, 1);
    p.drawRoundedRect(QRectF(1, 4.5, 14, 9.5), 2, 2);
    p.setBrush(kPaper);
    p.drawEllipse(QPointF(8, 9.25), 3.6, 3.6);
    p.setBrush(kBlue);
    p.drawEllipse(QPointF(8, 9.25), 2.4, 2.4);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(7.1, 8.4), 0.8, 0.8);
    p.setBrush(QColor(0xf0, 0xc0, 0x30));
    p.drawRect(QRectF(11.5, 6, 2, 1.2));
}

// A push pin standing on its point, drawn upright and then turned.
void drawPin(QPainter& p, const QColor& head, double angle) {
    p.translate(8, 8);
    p.rotate(angle);
    p.translate(-8, -8);
    p.setPen(pen(kInk, 1.2));
    p.drawLine(QPointF(8, 10), QPointF(8, 15));
    p.setPen(pen(head.darker(140), 1.0));
    p.setBrush(head);
    p.drawRoundedRect(QRectF(5, 1, 6, 2.5), 1, 1);
    p.drawPolygon(
        QPolygonF({QPointF(6.2, 3.5), QPointF(9.8, 3.5), QPointF(10.5, 7.5), QPointF(5.5, 7.5)}));
    p.drawRoundedRect(QRectF(3, 7.5, 10, 2.5), 1.2, 1.2);
}

void drawStayOnTopOff(QPainter& p) {
    drawPin(p, kGrey, 40);
}

void drawStayOnTopOn(QPainter& p) {
    drawPin(p, kRed, 0);
}

// A lower-case "i" in a blue disc, built from shapes so that no font can change it.
void drawInfo(QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(kBlue);
    p.drawEllipse(QPointF(8, 8), 7.5, 7.5);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(8, 4.6), 1.35, 1.35);
    p.drawRoundedRect(QRectF(6.8, 6.8, 2.4, 6.4), 0.8, 0.8);
}

// A magnifying glass: a lens on a handle.
void drawWebSearch(QPainter& p) {
    p.setPen(pen(kInk, 3.0));
    p.drawLine(QPointF(10.5, 10.5), QPointF(14, 14));
    p.setPen(pen(kInk, 1.6));
    p.setBrush(QColor(0xd8, 0xe8, 0xfa));
    p.drawEllipse(QPointF(6.5, 6.5), 4.7, 4.7);
    p.setPen(pen(Qt::white, 1.2));
    p.drawArc(QRectF(3.6, 3.6, 5.8, 5.8), 100 * 16, 70 * 16);
}

// The diameter sign: a circle crossed by a slanted stroke.
void drawToggleDiameterArea(QPainter& p) {
    p.setPen(pen(kInk, 1.5));
    p.setBrush(QColor(0xd8, 0xe8, 0xfa));
    p.drawEllipse(QPointF(8, 8), 5, 5);
    p.setPen(pen(kBlue, 1.5));
    p.drawLine(QPointF(2.5, 13.5), QPointF(13.5, 2.5));
}

// A loudspeaker seen from the front: frame, surround, cone and dust cap.
void drawApplication(QPainter& p) {
    p.setPen(pen(kInk, 0.8));
    p.setBrush(QColor(0x50, 0x58, 0x64));
    p.drawRoundedRect(QRectF(0.5, 0.5, 15, 15), 3, 3);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x1a, 0x1e, 0x24));
    p.drawEllipse(QPointF(8, 8), 6.8, 6.8);
    QRadialGradient cone(QPointF(8, 8), 5.6, QPointF(6.5, 6.5));
    cone.setColorAt(0, QColor(0xc8, 0xcc, 0xd2));
    cone.setColorAt(1, QColor(0x6a, 0x72, 0x7c));
    p.setBrush(cone);
    p.drawEllipse(QPointF(8, 8), 5.6, 5.6);
    QRadialGradient cap(QPointF(8, 8), 2.2, QPointF(7.2, 7.2));
    cap.setColorAt(0, QColor(0x9a, 0xc4, 0xf2));
    cap.setColorAt(1, kBlue);
    p.setBrush(cap);
    p.drawEllipse(QPointF(8, 8), 2.2, 2.2);
}

// An arrow standing on a bar: the charts' +10 dB shift; upside down for -10 dB.
// An open folder: its back, and the front flap tilted towards the viewer.
void drawOpenDesign(QPainter& p) {
    p.setPen(pen(kInk, 1.0));
    p.setBrush(QColor(0xf0, 0xc0, 0x30).darker(115));
    p.drawPolygon(QPolygonF({QPointF(1.5, 3.5), QPointF(6, 3.5), QPointF(7.5, 5), QPointF(13.5, 5),
                             QPointF(13.5, 13.5), QPointF(1.5, 13.5)}));
    p.setBrush(QColor(0xf0, 0xc0, 0x30));
    p.drawPolygon(
        QPolygonF({QPointF(1.5, 13.5), QPointF(4, 7.5), QPointF(15.5, 7.5), QPointF(13.5, 13.5)}));
}

// A floppy disk: the body, its label and the metal shutter.
void drawSaveDesign(QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(kBlue);
    p.drawPolygon(QPolygonF({QPointF(1.5, 1.5), QPointF(12, 1.5), QPointF(14.5, 4),
                             QPointF(14.5, 14.5), QPointF(1.5, 14.5)}));
    p.setBrush(kPaper);
    p.drawRect(QRectF(3.5, 8.5, 9, 5));
    p.setBrush(kGrey);
    p.drawRect(QRectF(4.5, 1.5, 6, 4));
    p.setBrush(kInk);
    p.drawRect(QRectF(8.5, 2.2, 1.4, 2.6));
}

void drawShift(QPainter& p, bool up) {
    if (!up)
        p.setTransform(QTransform(1, 0, 0, -1, 0, kGrid), true);
    p.setPen(pen(kInk, 1.5));
    p.drawLine(QPointF(3.5, 13.5), QPointF(12.5, 13.5));
    p.setPen(Qt::NoPen);
    p.setBrush(kBlue);
    p.drawPolygon(QPolygonF({QPointF(8, 2.5), QPointF(13, 8), QPointF(10, 8), QPointF(10, 11.5),
                             QPointF(6, 11.5), QPointF(6, 8), QPointF(3, 8)}));
}

void draw(QPainter& p, IconKind kind) {
    switch (kind) {
        case IconKind::Expand:
            return drawExpand(p);
        case IconKind::Contract:
            return drawContract(p);
        case IconKind::ShowText:
            return drawShowText(p);
        case IconKind::Screenshot:
            return drawScreenshot(p);
        case IconKind::StayOnTopOff:
            return drawStayOnTopOff(p);
        case IconKind::StayOnTopOn:
            return drawStayOnTopOn(p);
        case IconKind::Info:
            return drawInfo(p);
        case IconKind::WebSearch:
            return drawWebSearch(p);
        case IconKind::ToggleDiameterArea:
            return drawToggleDiameterArea(p);
        case IconKind::ShiftUp:
            return drawShift(p, true);
        case IconKind::ShiftDown:
            return drawShift(p, false);
        case IconKind::Application:
            return drawApplication(p);
        case IconKind::OpenDesign:
            return drawOpenDesign(p);
        case IconKind::SaveDesign:
            return drawSaveDesign(p);
    }
}

// `pixels` device pixels for a 16-unit icon at the given scale.
QPixmap render(IconKind kind, int pixels, double devicePixelRatio) {
    QPixmap pixmap(pixels, pixels);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(pixels / kGrid, pixels / kGrid);
    draw(painter, kind);
    painter.end();
    pixmap.setDevicePixelRatio(devicePixelRatio);
    return pixmap;
}

}  // namespace

QIcon sublumoIcon(IconKind kind) {
    QIcon icon;
    icon.addPixmap(render(kind, 16, 1.0));
    icon.addPixmap(render(kind, 32, 2.0));
    // The window manager and the task bar ask for larger sizes of the program's own icon.
    if (kind == IconKind::Application)
        icon.addPixmap(render(kind, 64, 1.0));
    return icon;
}

}  // namespace sublumo
