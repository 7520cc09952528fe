#pragma once

#include <string>

#include "calculator_text.h"

namespace sublumo::tools {

// The level label after "Hz/": the crossover point is where the branches are 3 or 6 dB down.
enum class CrossoverLevel { Minus3dB, Minus6dB };

CrossoverLevel toggleCrossoverLevel(CrossoverLevel level);
std::string crossoverLevelLabel(CrossoverLevel level);

struct CrossoverInputs {
    std::string z = "8";      // Ohm
    std::string fc = "2000";  // Hz
    CrossoverLevel level = CrossoverLevel::Minus3dB;
};

struct CrossoverResult {
    InputText z, fc;
    std::string levelLabel;
    TextLines lines;
};

CrossoverResult computeCrossover(const CrossoverInputs& in, NumberFormat format);

struct LPadInputs {
    std::string z = "8";   // Ohm
    std::string a = "3";   // dB
    std::string p = "50";  // W
};

struct LPadResult {
    InputText z, a, p;
    std::string voltageLabel;  // "(U=20 Vrms)", after "P"
    TextLines lines;
};

LPadResult computeLPad(const LPadInputs& in, NumberFormat format);

// An empty "Re" or "Le" is refilled from the driver where the driver has one.
struct ZobelInputs {
    std::string re = "6";  // Ohm
    std::string le;        // mH; starts as 0.8 in the user's format
};

struct ZobelResult {
    InputText re, le;
    TextLines lines;
};

ZobelResult computeZobel(const ZobelInputs& in, const DriverParameters& driver,
                         NumberFormat format);

}  // namespace sublumo::tools
