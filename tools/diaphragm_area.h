#pragma once

#include <string>

#include "calculator_text.h"

namespace sublumo::tools {

// The drawing cycles through the shapes in this order.
enum class DiaphragmShape { Round, Square, Elliptic, Oval };
// The effective part of the surround, as the label beside "s" reads: "(1/3)" or "(1/2)".
enum class SurroundShare { Third, Half };

DiaphragmShape nextShape(DiaphragmShape shape);
SurroundShare toggleSurround(SurroundShare share);
std::string surroundLabel(SurroundShare share);
std::string surfaceAreaCaption(DiaphragmShape shape);
// "d'" is an input of every shape but the round one.
bool otherSideEnabled(DiaphragmShape shape);

struct SurfaceAreaInputs {
    std::string d;       // diameter, or one side (mm)
    std::string dPrime;  // the other side (mm)
    std::string s;       // width of the surround (mm)
    std::string f;       // voice-coil former without dust cap (mm)
    DiaphragmShape shape = DiaphragmShape::Round;
    SurroundShare surround = SurroundShare::Third;
};

struct SurfaceAreaResult {
    InputText d, dPrime, s, f;
    bool dPrimeEnabled = false;
    std::string caption;
    std::string surroundLabel;
    std::string dd;  // mm, 1 decimal
    std::string sd;  // cm^2, whole mm^2
};

SurfaceAreaResult computeSurfaceArea(const SurfaceAreaInputs& in, NumberFormat format);

// "OK": the "Dd" text goes into the driver's Dd field, which must be the one open for entry.
DriverTransfer surfaceAreaTransfer(const std::string& ddText, DiaphragmEntryMode current);

struct CrossMultiplicationInputs {
    std::string knownPixels;    // measured length of the known dimension (px)
    std::string a;              // its real length (mm)
    std::string unknownPixels;  // measured length of the unknown dimension (px)
};

struct CrossMultiplicationResult {
    InputText knownPixels, a, unknownPixels;
    std::string b;  // mm, 1 decimal
};

CrossMultiplicationResult computeCrossMultiplication(const CrossMultiplicationInputs& in,
                                                     NumberFormat format);

}  // namespace sublumo::tools
