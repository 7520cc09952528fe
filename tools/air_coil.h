#pragma once

#include <string>

#include "calculator_text.h"

namespace sublumo::tools {

struct AirCoilInputs {
    std::string innerDiameter = "20";  // "d", mm
    std::string height = "23";         // "h", mm
    std::string wireDiameter;          // "Dw", mm; starts as 0.8 in the user's format
    std::string turns = "374";
};

struct AirCoilResult {
    InputText innerDiameter, height, wireDiameter, turns;
    std::string wireSectionLabel;    // "(Sw=0.5 mm^2)", after "Dw"
    std::string turnsPerLayerLabel;  // "(26.6 turns/layer)", after "layers"
    std::string wireMassLabel;       // "(m=160.2 g)", after " l"
    std::string inductance;          // "L", mH
    std::string resistance;          // "R", Ohm
    std::string layers;
    std::string outerDiameter;  // "D", mm
    std::string wireLength;     // " l", m
};

AirCoilResult computeAirCoil(const AirCoilInputs& in, NumberFormat format);

}  // namespace sublumo::tools
