#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>

#include "calculators/calculator_panels.h"
#include "diaphragm_area.h"
#include "loudspeaker/parameter_panel.h"
#include "widgets/clickable_label.h"

namespace sublumo {

namespace {

using tools::DiaphragmShape;

constexpr FormRow kAreaRows[] = {
    {"areaD", "d", "mm", "Diameter of the diaphragm, or the length of one side", "0"},
    {"areaDPrime", "d'", "mm", "Length of the other side", "0"},
    {"areaS", "s", "mm", "Width of the surround", "0"},
    {"areaF", "f", "mm", "Diameter of the voice-coil former when no dust cap is used", "0"},
    {"areaDd", "Dd", "mm", "Equivalent diameter of the diaphragm", "0", FieldKind::Output},
    {"areaSd", "Sd", "cm^2", "Effective surface area of the diaphragm", "0", FieldKind::Output},
};

constexpr FormRow kCrossRows[] = {
    {"crossKnownPixels", "known", "px", "Measured length of the known dimension", "0"},
    {"crossA", "a", "mm", "Real length of the known dimension", "0"},
    {"crossUnknownPixels", "unknown", "px", "Measured length of the unknown dimension", "0"},
    {"crossB", "b", "mm", "Real length of the unknown dimension", "0", FieldKind::Output},
};

constexpr EnterStep kAreaCycle[] = {
    {"areaD", "areaDPrime", "areaS"},
    {"areaDPrime", "areaS"},
    {"areaS", "areaF"},
    {"areaF", "areaD"},
    {"crossKnownPixels", "crossA"},
    {"crossA", "crossUnknownPixels"},
    {"crossUnknownPixels", "crossKnownPixels"},
};

// The diaphragm seen from the front: the surround's outline and the cone inside it.
QPixmap shapeDrawing(DiaphragmShape shape) {
    constexpr int kSize = 64;
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, 1.5));
    painter.setBrush(QColor(200, 200, 200));
    const QRectF outer(4, 4, kSize - 8, kSize - 8);
    const QRectF wide(4, 16, kSize - 8, kSize - 32);
    auto draw = [&](const QRectF& r) {
        switch (shape) {
            case DiaphragmShape::Round:
                painter.drawEllipse(r);
                break;
            case DiaphragmShape::Square:
                painter.drawRoundedRect(r, r.width() / 5, r.height() / 5);
                break;
            case DiaphragmShape::Elliptic:
                painter.drawEllipse(r);
                break;
            case DiaphragmShape::Oval:
                painter.drawRoundedRect(r, r.height() / 2, r.height() / 2);
                break;
        }
    };
    const QRectF body =
        shape == DiaphragmShape::Round || shape == DiaphragmShape::Square ? outer : wide;
    draw(body);
    painter.setBrush(QColor(120, 120, 120));
    draw(body.adjusted(6, 6, -6, -6));
    painter.setBrush(Qt::black);
    painter.drawEllipse(body.center(), 5, 5);
    return pixmap;
}

class DiaphragmAreaPanel : public CalculatorPanel {
public:
    explicit DiaphragmAreaPanel(const CalculatorContext& c)
        : CalculatorPanel(c, QStringLiteral("diaphragmAreaPanel")) {
        m_frame = addFrame(fromStd(tools::surfaceAreaCaption(m_in.shape)),
                           QStringLiteral("diaphragmAreaFrame"));
        addRows(m_frame, kAreaRows);
        m_surround = makeLabel(fromStd(tools::surroundLabel(m_in.surround)),
                               QStringLiteral("areaSurround"), QString());
        makeSwitch(m_surround, QStringLiteral("Effective part of the surround; click to toggle"),
                   [this] {
                       m_in.surround = tools::toggleSurround(m_in.surround);
                       compute();
                   });
        row(QStringLiteral("areaS")).unitBox->insertWidget(1, m_surround);
        buildDrawing();
        m_ok = makeButton(QStringLiteral("OK"), QStringLiteral("areaOk"),
                          QStringLiteral("Puts Dd into the driver's Dd field"));
        grid(m_frame)->addWidget(m_ok, 5, 3, Qt::AlignRight);
        connect(m_ok, &QPushButton::clicked, this, [this] {
            transfer(tools::surfaceAreaTransfer(in(QStringLiteral("areaDd")), driverValues().mode));
        });
        m_cross = addFrame(QStringLiteral(" Cross-multiplication "),
                           QStringLiteral("crossMultiplicationFrame"));
        addRows(m_cross, kCrossRows);
        setEnterCycle(kAreaCycle);
        field(QStringLiteral("areaDPrime"))->setEnabled(false);
    }

    void recompute() override {
        m_in.d = in(QStringLiteral("areaD"));
        m_in.dPrime = in(QStringLiteral("areaDPrime"));
        m_in.s = in(QStringLiteral("areaS"));
        m_in.f = in(QStringLiteral("areaF"));
        const tools::SurfaceAreaResult r = tools::computeSurfaceArea(m_in, format());
        put(QStringLiteral("areaD"), r.d);
        put(QStringLiteral("areaDPrime"), r.dPrime);
        put(QStringLiteral("areaS"), r.s);
        put(QStringLiteral("areaF"), r.f);
        field(QStringLiteral("areaDPrime"))->setEnabled(r.dPrimeEnabled);
        m_frame->setTitle(fromStd(r.caption));
        m_frame->setAccessibleName(fromStd(r.caption).trimmed());
        showLabel(m_surround, r.surroundLabel);
        showText(QStringLiteral("areaDd"), r.dd);
        showText(QStringLiteral("areaSd"), r.sd);

        const tools::CrossMultiplicationResult x = tools::computeCrossMultiplication(
            {in(QStringLiteral("crossKnownPixels")), in(QStringLiteral("crossA")),
             in(QStringLiteral("crossUnknownPixels"))},
            format());
        put(QStringLiteral("crossKnownPixels"), x.knownPixels);
        put(QStringLiteral("crossA"), x.a);
        put(QStringLiteral("crossUnknownPixels"), x.unknownPixels);
        showText(QStringLiteral("crossB"), x.b);
    }

private:
    void buildDrawing() {
        m_drawing = makeLabel(QString(), QStringLiteral("areaShape"), QString());
        m_drawing->setAccessibleName(QStringLiteral("Diaphragm shape"));
        m_drawing->setPixmap(shapeDrawing(m_in.shape));
        makeSwitch(m_drawing, QStringLiteral("Click on drawing to change shape"), [this] {
            m_in.shape = tools::nextShape(m_in.shape);
            m_drawing->setPixmap(shapeDrawing(m_in.shape));
            field(QStringLiteral("areaDPrime"))->setEnabled(tools::otherSideEnabled(m_in.shape));
            focusField(QStringLiteral("areaD"));
            compute();
        });
        auto* note = new QLabel(QStringLiteral("Click on drawing\nto change shape"), this);
        note->setObjectName(QStringLiteral("areaShapeNote"));
        note->setAccessibleName(QStringLiteral("Click on drawing to change shape"));
        note->setAlignment(Qt::AlignCenter);
        grid(m_frame)->addWidget(m_drawing, 0, 3, 3, 1, Qt::AlignCenter);
        grid(m_frame)->addWidget(note, 3, 3, 2, 1, Qt::AlignHCenter | Qt::AlignTop);
    }

    tools::SurfaceAreaInputs m_in;
    QGroupBox* m_frame = nullptr;
    QGroupBox* m_cross = nullptr;
    ClickableLabel* m_surround = nullptr;
    ClickableLabel* m_drawing = nullptr;
    QPushButton* m_ok = nullptr;
};

}  // namespace

CalculatorPanel* makeDiaphragmAreaPanel(const CalculatorContext& context) {
    return new DiaphragmAreaPanel(context);
}

}  // namespace sublumo
