#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "driver_parameters.h"
#include "number_text.h"

namespace sublumo::enclosure {

inline constexpr int kMaxDrivers = 9;

// The order of the four radio items of the connection group.
enum class Connection { Series, Parallel, SerParA, SerParB };
inline constexpr int kConnectionCount = 4;

struct DriverArrangement {
    int N = 1;
    Connection connection = Connection::Series;
    bool isobaric = false;  // counts only while N allows it
};

struct AdditionalOptions {
    double Rs = 0.1;     // Ohm
    double Mplus = 0.0;  // g
    double Tvc = 20.0;   // °C
};

struct AirConstants {
    double c = sublumo::cair;
    double rho = sublumo::rho;
};

struct ConnectionAvailability {
    bool groupEnabled = false;
    std::array<bool, kConnectionCount> items{};
    bool isobaricAllowed = false;
};

ConnectionAvailability connectionAvailability(int N);

// The one driver that stands for the whole arrangement.
struct EquivalentDriver {
    double Mms = 0;   // g, one driver with the added mass
    double fs = 0;    // Hz
    double Re = 0;    // Ohm, whole network at 20 °C
    double Bl = 0;    // T·m, whole network
    double kT = 1;    // voice-coil temperature factor
    double Rs = 0;    // Ohm
    double Rtot = 0;  // Ohm, hot network plus Rs
    double iso = 1;   // 0.5 for an isobaric arrangement
    double Vas = 0;   // litres
    double Qes = 0;
    double Qts = 0;
    double eta0 = 0;  // %
    double SPL = 0;   // dB at 1 W / 1 m
};

// A selection that the current N does not offer is computed as Series; the window keeps the
// selection itself.
Connection effectiveConnection(const DriverArrangement& arrangement);
double isobaricFactor(const DriverArrangement& arrangement);

EquivalentDriver computeEquivalentDriver(const DriverParameters& driver,
                                         const DriverArrangement& arrangement,
                                         const AdditionalOptions& options,
                                         const AirConstants& air = {});

// Every value finite: the guard the box designs put around the equivalent driver.
bool isFinite(const EquivalentDriver& equivalent);

// Load impedance of each wiring as the captions show it; a ser-par. wiring that the current N
// does not offer has none.
std::array<std::optional<double>, kConnectionCount> connectionImpedances(double Re, int N);
std::array<std::string, kConnectionCount> connectionCaptions(double Re, int N, NumberFormat format);

// The driver's name, and for N >= 2 the wiring and its impedance: "W8 (4x in S: 16 Ohm)".
std::string designLabel(std::string_view name, std::string_view countText, double Re,
                        const DriverArrangement& arrangement, NumberFormat format);

// A driver without a name is "unnamed" whatever its arrangement.
std::string windowCaption(std::string_view programTitle, std::string_view driverName,
                          std::string_view designLabelText);

// A usable driver has Qts > 0 and USPL > 0; without one the enclosure page shows nothing.
bool driverUsable(const DriverParameters& driver);

// The Nd field: an empty or malformed text reads as 1 and is rewritten so.
struct CountField {
    int N = 1;
    std::string text = "1";
};
CountField readCount(std::string_view text);

// What the arrangement refresh writes into the connection and option controls.
struct ArrangementView {
    std::string countText;
    bool optionFieldsEnabled = false;  // Rs, M+, Tvc and the source "on/off"
    bool sourceFieldsEnabled = false;  // U, the Pd caption and d
    bool countEnabled = false;
    bool groupEnabled = false;
    bool isobaricEnabled = false;
    std::array<bool, kConnectionCount> connectionEnabled{};
    // Not rebuilt without a usable driver: the controls keep their texts.
    std::optional<std::array<std::string, kConnectionCount>> captions;
    std::optional<std::string> designLabel;
};

struct ArrangementInputs {
    std::string countText;
    Connection connection = Connection::Series;
    bool isobaric = false;
    bool sourceOn = false;
};

ArrangementView refreshArrangementView(const DriverParameters& driver,
                                       const ArrangementInputs& inputs, NumberFormat format);

}  // namespace sublumo::enclosure
