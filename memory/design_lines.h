#pragma once

#include <string>

#include "vent.h"

namespace sublumo::memory {

// The texts of the page's fields exactly as they are displayed: a stored design describes
// what the designer saw, never a reformatted number.
struct ConditionTexts {
    std::string driverName;            // the name field; empty means "unnamed"
    std::string designLabel;           // the driver name with its arrangement note
    std::string seriesResistance;      // Rs
    std::string addedMass;             // M+
    std::string voiceCoilTemperature;  // Tvc
    std::string level;                 // L
    std::string distance;              // d
    std::string voltage;               // U
    std::string driverPower;           // Pd
    std::string resistorPower;         // Pr
};

enum class EnclosureType { Closed, Vented, Bandpass, PassiveRadiator };
// The vent shapes are the box designs' own.
using enclosure::VentShape;

struct ClosedTexts {
    bool infiniteVolume = false;
    std::string volume;  // Vb
    std::string fill;
    std::string qtc;
    std::string fc;
    std::string f3;
    std::string peak;
    std::string caCm;  // Ca/Cm, as "29/71"
};

struct VentTexts {
    VentShape shape = VentShape::Round;
    std::string count;           // Nv
    std::string diameter;        // Dv
    std::string width;           // Av
    std::string height;          // Bv
    std::string length;          // Lv
    std::string endCorrection;   // k
    std::string firstResonance;  // 1Rv
};

struct VentedTexts {
    std::string volume;  // Vb
    std::string fill;
    std::string fb;
    VentTexts vent;
};

struct BandpassTexts {
    std::string rearVolume;   // Vr
    std::string frontVolume;  // Vf
    std::string sealedFill;
    std::string ventedFill;
    std::string fb;
    VentTexts vent;
};

struct PassiveRadiatorTexts {
    std::string volume;  // Vb
    std::string fb;
    std::string fp;
    std::string count;      // Np
    std::string addedMass;  // M+p
};

// Only the member of the selected type is read.
struct DesignTexts {
    EnclosureType type = EnclosureType::Closed;
    ClosedTexts closed;
    VentedTexts vented;
    BandpassTexts bandpass;
    PassiveRadiatorTexts radiator;
};

// The slot box's caption: the driver and the conditions it was driven under. Ends in a blank.
std::string conditionsLine(const ConditionTexts& texts);

// The text inside the slot box: the enclosure and its design values.
std::string designLine(const DesignTexts& texts);

}  // namespace sublumo::memory
