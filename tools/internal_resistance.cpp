#include "internal_resistance.h"

namespace sublumo::tools {

InternalResistanceResult computeInternalResistance(const InternalResistanceInputs& in,
                                                   NumberFormat format) {
    const ReadInput u1 = readInput(in.u1, "6", format);
    const ReadInput u2 = readInput(in.u2, formatNumber(5.9, format), format);
    const ReadInput rLoad = readInput(in.rLoad, formatNumber(3.3, format), format);
    InternalResistanceResult out{u1.field, u2.field, rLoad.field, {}};
    if (!u1.value || !u2.value || !rLoad.value || !(*u2.value > 0.0) || !(*u1.value > *u2.value))
        return out;
    const auto ri = finiteOrNothing((*u1.value / *u2.value - 1.0) * *rLoad.value);
    if (ri)
        out.lines = {"Internal resistance (Ri): " + showRounded(*ri, 3, format) + " Ohm"};
    return out;
}

}  // namespace sublumo::tools
