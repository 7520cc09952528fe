#pragma once

#include <string>

#include "calculator_text.h"

namespace sublumo::tools {

// An empty "Dd" of both calculators is refilled with the driver's Dd, or 120 mm without one.
struct NearFieldInputs {
    std::string dd;                           // mm
    std::string microphoneDistance = "1000";  // mm
};

struct NearFieldResult {
    InputText dd, microphoneDistance;
    TextLines lines;
};

NearFieldResult computeNearField(const NearFieldInputs& in, const DriverParameters& driver,
                                 NumberFormat format);

// Round vents have a diameter; rectangular ones a width and a height (the field after "x").
enum class VentShape { Round, Rectangle };

VentShape toggleVentShape(VentShape shape);
std::string ventLabel(VentShape shape);
// The height field after "x" shows only for rectangular vents.
bool ventHeightShown(VentShape shape);

struct ConeVentInputs {
    std::string dd;                 // mm
    std::string ventSize = "50";    // diameter, or width of a rectangle (mm)
    std::string ventHeight = "20";  // mm, rectangle only
    std::string ventCount = "1";    // a whole number
    VentShape shape = VentShape::Round;
};

struct ConeVentResult {
    InputText dd, ventSize, ventHeight, ventCount;
    std::string ventLabel;
    bool ventHeightShown = false;
    TextLines lines;
};

ConeVentResult computeConeVent(const ConeVentInputs& in, const DriverParameters& driver,
                               NumberFormat format);

}  // namespace sublumo::tools
