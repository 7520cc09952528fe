#include "linkwitz_circuit_panel.h"

#include <QGridLayout>
#include <QLineEdit>
#include <QPainter>
#include <array>

namespace sublumo {

namespace {

constexpr std::array<DesignFieldRow, 7> kRows = {{
    {"C2", "C2", "uF", "Value of capacitor C2", "0.1", DesignFieldKind::Decimal},
    {"R1", "R1", "kOhm", "Value of resistor R1", "", DesignFieldKind::Output},
    {"R2", "R2", "kOhm", "Value of resistor R2", "", DesignFieldKind::Output},
    {"R3", "R3", "kOhm", "Value of resistor R3", "", DesignFieldKind::Output},
    {"C1", "C1", "uF", "Value of capacitor C1", "", DesignFieldKind::Output},
    {"C3", "C3", "uF", "Value of capacitor C3", "", DesignFieldKind::Output},
    {"gain", "gain", "dB", "DC gain", "", DesignFieldKind::Output},
}};

// Our own drawing of the equaliser: two T networks (R1-C2-R1 with C1 to R2, R3-C2-R3 with C3
// to R2) around an inverting op-amp.
class CircuitSchematic : public QWidget {
public:
    explicit CircuitSchematic(QWidget* parent) : QWidget(parent) {
        setObjectName(QStringLiteral("linkwitzSchematic"));
        setAccessibleName(QStringLiteral("Linkwitz transform circuit"));
        setAccessibleDescription(
            QStringLiteral("Input T network R1, C2, R1 with C1 and R2 to ground; feedback T "
                           "network R3, C2, R3 with C3 and R2; inverting op-amp"));
        setFixedSize(250, 150);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(Qt::black, 1.2));
        p.setFont(QFont(font().family(), 7));
        // Input T: R1 - node - R1 - op-amp "-" input, shunt C1 and R2 from the node.
        resistor(p, QPointF(10, 100), QPointF(60, 100), QStringLiteral("R1"));
        capacitor(p, QPointF(60, 100), QPointF(110, 100), QStringLiteral("C2"));
        resistor(p, QPointF(110, 100), QPointF(160, 100), QStringLiteral("R1"));
        p.drawLine(QPointF(85, 100), QPointF(85, 115));
        capacitor(p, QPointF(85, 115), QPointF(85, 140), QStringLiteral("C1"));
        // Feedback T over the op-amp: R3 - C2 - R3, shunt C3 and R2.
        p.drawLine(QPointF(160, 100), QPointF(160, 40));
        resistor(p, QPointF(160, 40), QPointF(185, 40), QStringLiteral("R3"));
        capacitor(p, QPointF(185, 40), QPointF(210, 40), QStringLiteral("C2"));
        resistor(p, QPointF(210, 40), QPointF(240, 40), QStringLiteral("R3"));
        p.drawLine(QPointF(240, 40), QPointF(240, 110));
        p.drawLine(QPointF(197, 40), QPointF(197, 55));
        capacitor(p, QPointF(197, 55), QPointF(197, 70), QStringLiteral("C3"));
        resistor(p, QPointF(197, 70), QPointF(197, 90), QStringLiteral("R2"));
        // Op-amp triangle.
        const QPolygonF amp({QPointF(165, 85), QPointF(165, 135), QPointF(215, 110)});
        p.drawPolygon(amp);
        p.drawText(QPointF(168, 100), QStringLiteral("−"));
        p.drawText(QPointF(168, 128), QStringLiteral("+"));
        p.drawLine(QPointF(215, 110), QPointF(245, 110));
        p.drawText(QPointF(2, 95), QStringLiteral("in"));
        p.drawText(QPointF(225, 125), QStringLiteral("out"));
    }

private:
    static void resistor(QPainter& p, QPointF a, QPointF b, const QString& name) {
        const QPointF mid = (a + b) / 2;
        const bool horizontal = a.y() == b.y();
        const QRectF body = horizontal ? QRectF(mid.x() - 8, mid.y() - 3, 16, 6)
                                       : QRectF(mid.x() - 3, mid.y() - 6, 6, 12);
        p.drawLine(a, horizontal ? QPointF(body.left(), a.y()) : QPointF(a.x(), body.top()));
        p.drawLine(horizontal ? QPointF(body.right(), a.y()) : QPointF(a.x(), body.bottom()), b);
        p.drawRect(body);
        p.drawText(horizontal ? mid + QPointF(-6, -5) : mid + QPointF(5, 3), name);
    }
    static void capacitor(QPainter& p, QPointF a, QPointF b, const QString& name) {
        const QPointF mid = (a + b) / 2;
        const bool horizontal = a.y() == b.y();
        const QPointF gap = horizontal ? QPointF(2, 0) : QPointF(0, 2);
        const QPointF plate = horizontal ? QPointF(0, 6) : QPointF(6, 0);
        p.drawLine(a, mid - gap);
        p.drawLine(mid + gap, b);
        p.drawLine(mid - gap - plate, mid - gap + plate);
        p.drawLine(mid + gap - plate, mid + gap + plate);
        p.drawText(horizontal ? mid + QPointF(-6, -8) : mid + QPointF(8, 3), name);
    }
};

}  // namespace

LinkwitzCircuitPanel::LinkwitzCircuitPanel(PlatformServices& platform, NumberFormat format,
                                           QWidget* parent)
    : DesignGroup(QStringLiteral("linkwitzCircuit"), QStringLiteral("Linkwitz transform circuit"),
                  platform, format, parent) {
    addRows(kRows, 0);
    grid()->addWidget(new CircuitSchematic(this), 0, 3, static_cast<int>(kRows.size()), 1);
    setAutoFillBackground(true);
    hide();
}

void LinkwitzCircuitPanel::display(const enclosure::LinkwitzResult& r) {
    setText("C2", r.inputs.C2);
    setText("R1", r.R1);
    setText("R2", r.R2);
    setText("R3", r.R3);
    setText("C1", r.C1);
    setText("C3", r.C3);
    setText("gain", r.gain);
}

void LinkwitzCircuitPanel::setInputEnabled(bool enabled) {
    field("C2")->setEnabled(enabled);
}

}  // namespace sublumo
