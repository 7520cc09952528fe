#include "mms_measurement.h"

#include <cmath>
#include <initializer_list>

#include "derived_quantities.h"

namespace sublumo::tools {

namespace {

constexpr char kZero[] = "0";

bool allRead(std::initializer_list<const ReadInput*> inputs) {
    for (const ReadInput* input : inputs)
        if (!input->value)
            return false;
    return true;
}

std::string coneVolumeLine(const ReadInput& outer, const ReadInput& inner, const ReadInput& height,
                           NumberFormat format) {
    if (!allRead({&outer, &inner, &height}))
        return {};
    if (*outer.value == 0.0 || *inner.value == 0.0 || *height.value == 0.0)
        return {};
    const double a1 = pi * *outer.value * *outer.value / 4.0;
    const double a2 = pi * *inner.value * *inner.value / 4.0;
    const double litres = (a1 + a2 + std::sqrt(a1 * a2)) * *height.value / 3.0 * 1e-6;
    if (!std::isfinite(litres))
        return {};
    return "Vc: " + showRounded(litres, 3, format) + " l";
}

// Mms in g from the measured Vas (l) and Sd (cm^2).
std::optional<double> closedBoxMms(double fs, double vas, double sd) {
    return finiteOrNothing(derived::MmsFromCompliance(fs, derived::CmsFromVas(vas, sd)));
}

}  // namespace

AddedMassResult computeAddedMass(const AddedMassInputs& in, NumberFormat format) {
    const ReadInput fs = readInput(in.fs, kZero, format);
    const ReadInput newFs = readInput(in.newFs, kZero, format);
    const ReadInput madd = readInput(in.madd, kZero, format);

    AddedMassResult out;
    out.fs = fs.field;
    out.newFs = newFs.field;
    out.madd = madd.field;
    double mms = 0.0;
    if (allRead({&fs, &newFs, &madd}) && *fs.value > 0.0 && *fs.value > *newFs.value &&
        *newFs.value > 0.0) {
        const double shift = *newFs.value * 100.0 / *fs.value - 100.0;
        const double ratio = *fs.value / *newFs.value;
        out.shiftLine = "Shift in fs: " + showRounded(shift, 1, format) + " %";
        mms = finiteOrNothing(*madd.value / (ratio * ratio - 1.0)).value_or(0.0);
    }
    out.mms = showRounded(mms, 1, format);
    out.addEnabled = out.okEnabled = out.mms != kZero;
    return out;
}

DriverTransfer addedMassTransfer(const std::string& mmsText) {
    DriverTransfer transfer;
    transfer.writes.push_back({Param::Mms, mmsText});
    transfer.focus = Param::Mms;
    return transfer;
}

ClosedBoxResult computeClosedBox(const ClosedBoxInputs& in, NumberFormat format) {
    const ReadInput fs = readInput(in.fs, kZero, format);
    const ReadInput newFs = readInput(in.newFs, kZero, format);
    const ReadInput vbox = readInput(in.vbox, kZero, format);
    const ReadInput sd = readInput(in.sd, kZero, format);
    const ReadInput outer = readInput(in.coneOuter, kZero, format);
    const ReadInput inner = readInput(in.coneInner, kZero, format);
    const ReadInput height = readInput(in.coneHeight, kZero, format);

    ClosedBoxResult out;
    out.fs = fs.field;
    out.newFs = newFs.field;
    out.vbox = vbox.field;
    out.sd = sd.field;
    out.coneOuter = outer.field;
    out.coneInner = inner.field;
    out.coneHeight = height.field;
    out.coneVolumeLine = coneVolumeLine(outer, inner, height, format);
    double vas = 0.0;
    if (allRead({&fs, &newFs, &vbox}) && *fs.value > 0.0 &&
        *fs.value<*newFs.value&& * newFs.value> 0.0) {
        const double shift = 100.0 - *fs.value * 100.0 / *newFs.value;
        const double ratio = *newFs.value / *fs.value;
        out.shiftLine = "Shift in fs: +" + showRounded(shift, 1, format) + " %";
        if (*vbox.value > 0.0)
            vas = (ratio * ratio - 1.0) * *vbox.value;
    }
    out.vas = showRounded(vas, 2, format);
    std::optional<double> mms;
    if (fs.value && sd.value)
        mms = closedBoxMms(*fs.value, vas, *sd.value);
    out.mms = showOrZero(mms, 1, format);
    out.okEnabled = out.mms != kZero;
    return out;
}

DriverTransfer closedBoxTransfer(const ClosedBoxResult& result, DiaphragmEntryMode current) {
    DriverTransfer transfer;
    if (current == DiaphragmEntryMode::Diameter)
        transfer.entryMode = DiaphragmEntryMode::Area;
    transfer.writes = {{Param::Sd, result.sd.text}, {Param::Mms, result.mms}};
    transfer.focus = Param::Mms;
    return transfer;
}

}  // namespace sublumo::tools
