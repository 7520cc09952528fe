#include "design_samples.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>
#include <stdexcept>

namespace sublumo::design_file {

namespace {

std::string withSeparator(std::string text, NumberFormat format) {
    std::ranges::replace(text, '.', format.decimalSeparator);
    return text;
}

memory::Slot smallSlot(NumberFormat format) {
    memory::Slot slot;
    slot.filled = true;
    slot.conditions =
        " W8 (2x in P: 2.8 Ohm), +0.1 Ohm, +0 g, 20 °C, 90.5 dB/1 m/2.83 V (1.43/0.01 W) ";
    slot.design = "C: Vb=50.5 l (100 %), Qtc=0.707";
    slot.curves = {{20, 250, 500}, {-12.25, 0.1, 0}, {78.5, 90.75, 90.5}};
    enclosure::LimitInputs limits;
    limits.driver = {0.125, 0.000469, 4.52, 13.45, 0.0530929, 2.8, 0.0006, 0.1, 2.9, 2, 3, 150};
    limits.box = enclosure::SealedBox{std::numeric_limits<double>::infinity(), 1.2};
    limits.equaliser = enclosure::LinkwitzCircuit{30,    0.707, 1e-7,    0.64,    12130,
                                                  15530, 48510, 1.08e-6, 0.27e-6, 12.04};
    slot.limits = limits;
    DesignDocument inputs;
    inputs.driver.name = "W8";
    inputs.driver.values[0] = withSeparator("2.5", format);
    inputs.setPageValue("enclosurePage", "typbox", "closed");
    inputs.setPageValue("closedBox", "Vb", withSeparator("40.5", format));
    slot.inputs = slotInputs(inputs);
    return slot;
}

}  // namespace

DesignDocument smallDesign(NumberFormat format) {
    DesignDocument d;
    d.programVersion = "3.04";
    d.driver.name = " W8 \"Pro\" ";
    d.driver.values = {"2.5",
                       "0.35",
                       "30",
                       "60",
                       "260",
                       "5.6",
                       "12",
                       "6",
                       "150",
                       "1.20",
                       "https://example.com/w8"};
    for (std::size_t i = 0; i + 1 < d.driver.values.size(); ++i)
        d.driver.values[i] = withSeparator(d.driver.values[i], format);
    d.setPageValue("enclosurePage", "typbox", "closed");
    d.setPageValue("enclosurePage", "chartKind", "Excursion");
    d.setPageValue("numdri", "Nd", "2");
    d.setPageValue("numdri", "zapojeni", "parallel");
    d.setPageValue("numdri", "isobaric", "1");
    d.setPageValue("closedBox", "Vb", withSeparator("50.5", format));
    d.setPageValue("closedBox", "infinite", "0");
    d.memorySlots[1] = smallSlot(format);
    return d;
}

bool RandomDesigns::chance(int percent) {
    return std::uniform_int_distribution<int>(0, 99)(m_random) < percent;
}

// Mostly the sizes a design has; now and then any double at all, to hold the file to every
// last bit.
double RandomDesigns::number() {
    if (chance(5)) {
        for (;;) {
            const double any = std::bit_cast<double>(m_random());
            if (std::isfinite(any))
                return any;
        }
    }
    const double magnitude =
        std::pow(10.0, std::uniform_real_distribution<double>(-7, 5)(m_random));
    return chance(20) ? -magnitude : magnitude;
}

std::string RandomDesigns::numberText(NumberFormat format) {
    if (chance(5))
        return "";
    if (chance(10))
        return withSeparator("007.50", format);  // kept as typed, not reformatted
    return formatNumber(std::abs(number()), format);
}

// Blanks at the ends, quotes, backslashes, "=", brackets, line breaks and accents.
std::string RandomDesigns::text() {
    static constexpr std::string_view kPieces[] = {" ", "W8",   "\"", "\\",  "=", "[x]",  "°C",
                                                   "×", "\r\n", "\t", "Ohm", ";", "\x01", "é"};
    std::string out;
    const int count = std::uniform_int_distribution<int>(0, 12)(m_random);
    for (int i = 0; i < count; ++i)
        out += kPieces[std::uniform_int_distribution<std::size_t>(
            0, std::size(kPieces) - 1)(m_random)];
    return out;
}

memory::Slot RandomDesigns::slot(int boxType) {
    memory::Slot slot;
    slot.filled = true;
    slot.conditions = text();
    slot.design = text();
    const std::size_t points = std::uniform_int_distribution<std::size_t>(1, 201)(m_random);
    for (auto* curve : {&slot.curves.frequencies, &slot.curves.relative, &slot.curves.absolute})
        for (std::size_t i = 0; i < points; ++i) curve->push_back(number());
    if (chance(20))
        return slot;  // a design stored without its circuit
    enclosure::LimitInputs limits;
    const double inf = std::numeric_limits<double>::infinity();
    if (boxType == 0)
        limits.box = enclosure::SealedBox{chance(30) ? inf : number(), number()};
    else if (boxType == 1)
        limits.box =
            enclosure::PortedBox{number(), number(), number(), chance(30) ? inf : number()};
    else if (boxType == 2)
        limits.box = enclosure::BandpassChambers{number(), number(), number(), number(), number()};
    else
        limits.box =
            enclosure::PassiveRadiatorBox{number(),
                                          std::uniform_int_distribution<int>(1, 9)(m_random),
                                          number(),
                                          number(),
                                          number(),
                                          number(),
                                          chance(30) ? inf : number(),
                                          number(),
                                          number()};
    limits.driver = {number(), number(), number(), number(), number(), number(),
                     number(), number(), number(), 1,        number(), number()};
    limits.driver.N = std::uniform_int_distribution<int>(1, 9)(m_random);
    limits.U = number();
    limits.d = number();
    limits.cabinGainFcg = number();
    limits.ventVelocityLine = number();
    if (chance(50))
        limits.equaliser =
            enclosure::LinkwitzCircuit{number(), number(), number(), number(), number(),
                                       number(), number(), number(), number(), number()};
    slot.limits = limits;
    return slot;
}

DesignDocument RandomDesigns::design(int boxType, NumberFormat format) {
    DesignDocument d = inputs(boxType, format);
    for (memory::Slot& s : d.memorySlots)
        if (chance(60)) {
            s = slot(boxType);
            // Now and then a slot kept without its inputs, which cannot be loaded back.
            if (chance(70))
                s.inputs = slotInputs(inputs(static_cast<int>(m_random() % kBoxTypes.size()), format));
        }
    return d;
}

DesignDocument RandomDesigns::inputs(int boxType, NumberFormat format) {
    DesignDocument d;
    d.programVersion = "3.04";
    d.driver.name = text();
    for (std::size_t i = 0; i + 1 < d.driver.values.size(); ++i)
        d.driver.values[i] = numberText(format);
    d.driver.values.back() = text();
    for (const PageGroup& group : pageGroups()) {
        for (const PageKey& key : group.keys) {
            std::string value;
            switch (key.kind) {
                case ValueKind::Number:
                    value = numberText(format);
                    break;
                case ValueKind::Count:
                    value = std::to_string(1 + m_random() % 9);
                    break;
                case ValueKind::Flag:
                    value = chance(50) ? "1" : "0";
                    break;
                case ValueKind::Choice:
                    value = std::string(key.choices[m_random() % key.choices.size()]);
                    break;
            }
            d.setPageValue(group.name, key.name, value);
        }
    }
    d.setPageValue(kPageGroup, kBoxTypeKey,
                   std::string(kBoxTypes[static_cast<std::size_t>(boxType)]));
    return d;
}

std::string replaced(std::string text, std::string_view from, std::string_view to) {
    const std::size_t at = text.find(from);
    if (at == std::string::npos)
        throw std::invalid_argument("not in the text: " + std::string(from));
    return text.replace(at, from.size(), to);
}

std::size_t lineOf(std::string_view text, std::string_view part) {
    const std::size_t at = text.find(part);
    if (at == std::string_view::npos)
        throw std::invalid_argument("not in the text: " + std::string(part));
    return 1 + static_cast<std::size_t>(std::count(text.begin(), text.begin() + at, '\n'));
}

}  // namespace sublumo::design_file
