#pragma once

#include <functional>
#include <optional>
#include <string>

#include "arrangement.h"
#include "response.h"
#include "response_options.h"
#include "response_table.h"
#include "source_level.h"

namespace sublumo::enclosure {

// The fields every box design reads besides its own: arrangement, additional options,
// source / mic and cabin gain.
struct SharedInputs {
    ArrangementInputs arrangement;
    // An empty text stands for the field's default (Rs 0.1, M+ 0, Tvc 20, U 2.83, d 1,
    // lmax 2.2), which the recompute puts in with the locale's separator.
    std::string Rs;
    std::string Mplus;
    std::string Tvc;
    std::string U;
    std::string d;
    bool cabinGainOn = false;
    std::string lmax;
};

// Which curves of both charts a recompute draws; the ones not drawn are cleared.
struct CurvePlan {
    bool main = false;       // curve 0
    bool absolute = false;   // curve 0 and 9 also on the absolute chart (U > 0 and d > 0)
    bool cabinGain = false;  // curve 9
    bool linkwitz = false;   // curves 10 and 11
    // Said on the absolute chart while the design draws on the relative one only.
    std::string_view absoluteNote;
};

struct SharedResult {
    explicit SharedResult(NumberFormat format) : table(format) {}

    // The field texts with the defaults put into empty ones.
    std::string countText, Rs, Mplus, Tvc, U, d;
    DriverArrangement arrangement;
    // Empty when an option field holds no number or the driver gives no finite result.
    std::optional<EquivalentDriver> equivalent;
    SourceLevel source;
    bool optionsEnabled = false;  // memory "+", the cabin-gain and Linkwitz check boxes
    bool lmaxEnabled = false;
    std::optional<CabinGain> cabinGain;  // while its check box is ticked
    CurvePlan curves;
    ResponseTable table;
};

// Defaults step and equivalent driver: the start of every box recompute.
void beginDesign(SharedResult& result, const DriverParameters& driver, const SharedInputs& inputs,
                 NumberFormat format);

// The box's own validity test besides a positive volume: fs' > 0, the driver's Qts > 0 and
// Vas' > 0.
bool canPlot(const DriverParameters& driver, const SharedResult& shared, double volume);

// Source level step, the response options' enabled state by the volume, and the plot step
// (curves 0 and 9, columns 1-4) when the design passes canPlot.
void finishDesign(SharedResult& shared, const DriverParameters& driver, const SharedInputs& inputs,
                  double volume, const BoxDesign& box, NumberFormat format);
// The same for a box whose response the circuit model gives: `response` runs only when plotted.
void finishDesign(SharedResult& shared, const DriverParameters& driver, const SharedInputs& inputs,
                  double volume, const std::function<Curve()>& response, NumberFormat format);

// Columns 5-8 and curves 10 and 11 from the equaliser of a plotted closed box.
void addLinkwitzCurves(SharedResult& shared, const LinkwitzCircuit& circuit);

// A design field: empty text becomes the field's default before it is read.
std::string filled(const std::string& text, const std::string& whenEmpty);
std::string filled(const std::string& text, double whenEmpty, NumberFormat format);
// A sealed chamber's fill field: empty or above 100 becomes "100".
std::string filledFillPercent(const std::string& text, NumberFormat format);
std::optional<double> readField(const std::string& text, NumberFormat format);

// A volume an alignment or the auto-calculation writes, with 2 decimals; empty unless the text
// it gives is above zero, so that no choice ever fills a field with a box that cannot exist.
std::optional<std::string> designedVolumeText(double litres, NumberFormat format);

// The Vb, Vr and Vf hint: the volume in cubic feet, "1.766 ft^3".
std::optional<std::string> cubicFeetHint(const std::string& litresText, NumberFormat format);

}  // namespace sublumo::enclosure
