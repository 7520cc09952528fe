#pragma once

#include <string>

#include "calculator_text.h"

namespace sublumo::tools {

struct EnclosureResonancesInputs {
    std::string width = "240";   // mm
    std::string height = "420";  // mm
    std::string depth = "180";   // mm
};

struct EnclosureResonancesResult {
    InputText width, height, depth;
    TextLines lines;
};

EnclosureResonancesResult computeEnclosureResonances(const EnclosureResonancesInputs& in,
                                                     NumberFormat format);

struct GoldenRatioInputs {
    std::string minimalSize = "150";  // mm
};

struct GoldenRatioResult {
    InputText minimalSize;
    TextLines lines;
};

GoldenRatioResult computeGoldenRatio(const GoldenRatioInputs& in, NumberFormat format);

}  // namespace sublumo::tools
