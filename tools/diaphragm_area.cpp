#include "diaphragm_area.h"

#include <cmath>

#include "derived_quantities.h"

namespace sublumo::tools {

namespace {

constexpr char kZero[] = "0";

double circle(double diameter) {
    return pi * diameter * diameter / 4.0;
}

// Area in mm^2 of the shape before the former is subtracted; 0 where the shape's dimensions
// do not describe it.
double shapeArea(DiaphragmShape shape, double d, double dPrime, double e) {
    switch (shape) {
        case DiaphragmShape::Round:
            return circle(d + e);
        case DiaphragmShape::Square: {
            if (!(dPrime > 0.0 && d > dPrime))
                return 0.0;
            const double r2 = (d - dPrime) + e;
            return dPrime * dPrime + 2.0 * dPrime * r2 + circle(r2);
        }
        case DiaphragmShape::Elliptic:
            if (!(dPrime > 0.0 && d < dPrime))
                return 0.0;
            return pi * (d + e) * (dPrime + e) / 4.0;
        case DiaphragmShape::Oval:
            if (!(dPrime > 0.0 && d < dPrime))
                return 0.0;
            return circle(d + e) + (d + e) * (dPrime - d);
    }
    return 0.0;
}

// The effective area in mm^2, or nothing when an input does not read or the area is negative.
std::optional<double> effectiveArea(const SurfaceAreaInputs& in, const ReadInput& d,
                                    const ReadInput& dPrime, const ReadInput& s,
                                    const ReadInput& f) {
    const bool readsOtherSide = otherSideEnabled(in.shape);
    if (!d.value || !s.value || !f.value || (readsOtherSide && !dPrime.value))
        return {};
    const double k = in.surround == SurroundShare::Third ? 2.0 / 3.0 : 1.0;
    const double other = readsOtherSide ? *dPrime.value : 0.0;
    if (!(*f.value < *d.value))
        return 0.0;
    const double shape = shapeArea(in.shape, *d.value, other, *s.value * k);
    if (shape == 0.0)
        return 0.0;
    const double area = shape - circle(*f.value);
    if (area < 0.0 || !std::isfinite(area))
        return {};
    return area;
}

}  // namespace

DiaphragmShape nextShape(DiaphragmShape shape) {
    switch (shape) {
        case DiaphragmShape::Round:
            return DiaphragmShape::Square;
        case DiaphragmShape::Square:
            return DiaphragmShape::Elliptic;
        case DiaphragmShape::Elliptic:
            return DiaphragmShape::Oval;
        case DiaphragmShape::Oval:
            return DiaphragmShape::Round;
    }
    return DiaphragmShape::Round;
}

SurroundShare toggleSurround(SurroundShare share) {
    return share == SurroundShare::Third ? SurroundShare::Half : SurroundShare::Third;
}

std::string surroundLabel(SurroundShare share) {
    return share == SurroundShare::Third ? "(1/3)" : "(1/2)";
}

std::string surfaceAreaCaption(DiaphragmShape shape) {
    const char* name = "round";
    switch (shape) {
        case DiaphragmShape::Round:
            name = "round";
            break;
        case DiaphragmShape::Square:
            name = "square";
            break;
        case DiaphragmShape::Elliptic:
            name = "elliptic";
            break;
        case DiaphragmShape::Oval:
            name = "oval";
            break;
    }
    return std::string(" Effective surface area of ") + name + " diaphragm ";
}

bool otherSideEnabled(DiaphragmShape shape) {
    return shape != DiaphragmShape::Round;
}

SurfaceAreaResult computeSurfaceArea(const SurfaceAreaInputs& in, NumberFormat format) {
    const ReadInput d = readInput(in.d, kZero, format);
    const ReadInput dPrime = readInput(in.dPrime, kZero, format);
    const ReadInput s = readInput(in.s, kZero, format);
    const ReadInput f = readInput(in.f, kZero, format);

    SurfaceAreaResult out;
    out.d = d.field;
    out.dPrime = dPrime.field;
    out.s = s.field;
    out.f = f.field;
    out.dPrimeEnabled = otherSideEnabled(in.shape);
    out.caption = surfaceAreaCaption(in.shape);
    out.surroundLabel = surroundLabel(in.surround);

    const double area = effectiveArea(in, d, dPrime, s, f).value_or(0.0);
    out.sd = formatNumber(roundToDecimals(area, 0) / 100.0, format);
    out.dd = showRounded(derived::Dd(area / 100.0), 1, format);  // area in mm², Sd in cm²
    return out;
}

DriverTransfer surfaceAreaTransfer(const std::string& ddText, DiaphragmEntryMode current) {
    DriverTransfer transfer;
    if (current == DiaphragmEntryMode::Area)
        transfer.entryMode = DiaphragmEntryMode::Diameter;
    transfer.writes.push_back({Param::Dd, ddText});
    transfer.focus = Param::Dd;
    return transfer;
}

CrossMultiplicationResult computeCrossMultiplication(const CrossMultiplicationInputs& in,
                                                     NumberFormat format) {
    const ReadInput known = readInput(in.knownPixels, kZero, format);
    const ReadInput a = readInput(in.a, kZero, format);
    const ReadInput unknown = readInput(in.unknownPixels, kZero, format);

    CrossMultiplicationResult out{known.field, a.field, unknown.field, kZero};
    if (known.value && a.value && unknown.value)
        out.b = showOrZero(finiteOrNothing(*a.value / *known.value * *unknown.value), 1, format);
    return out;
}

}  // namespace sublumo::tools
