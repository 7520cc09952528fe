#include "design_lines.h"

namespace sublumo::memory {

namespace {

std::string ventPart(const VentTexts& v) {
    const std::string tail = " mm, k=" + v.endCorrection + ", 1Rv=" + v.firstResonance + " Hz";
    switch (v.shape) {
        case VentShape::Round:
            return v.count + "xCv " + v.diameter + "x" + v.length + tail;
        case VentShape::Rectangular:
            return v.count + "xRv " + v.width + "x" + v.height + "x" + v.length + tail;
        case VentShape::Triangular:
            return v.count + "xTv " + v.width + "x" + v.height + "x" + v.length + tail;
    }
    return {};
}

std::string closedLine(const ClosedTexts& c) {
    const std::string volume =
        c.infiniteVolume ? std::string("infinite") : c.volume + " l (" + c.fill + " %)";
    return "C: Vb=" + volume + ", Qtc=" + c.qtc + ", fc=" + c.fc + " Hz, f3=" + c.f3 +
           " Hz, peak=" + c.peak + " dB, Ca/Cm=" + c.caCm + " %";
}

std::string ventedLine(const VentedTexts& v) {
    return "V: Vb=" + v.volume + " l (" + v.fill + " %), fb=" + v.fb + " Hz, " + ventPart(v.vent);
}

std::string bandpassLine(const BandpassTexts& b) {
    return "B: Vr/Vf=" + b.rearVolume + "/" + b.frontVolume + " l (" + b.sealedFill + "/" +
           b.ventedFill + " %), fb=" + b.fb + " Hz, " + ventPart(b.vent);
}

std::string radiatorLine(const PassiveRadiatorTexts& p) {
    return "P: Vb=" + p.volume + " l, fb=" + p.fb + " Hz, fp=" + p.fp + " Hz, Np=" + p.count +
           ", M+p=" + p.addedMass + " g";
}

}  // namespace

std::string conditionsLine(const ConditionTexts& t) {
    const std::string who = t.driverName.empty() ? std::string(" unnamed") : " " + t.designLabel;
    return who + ", +" + t.seriesResistance + " Ohm, +" + t.addedMass + " g, " +
           t.voiceCoilTemperature + " \u00b0C, " + t.level + " dB/" + t.distance + " m/" +
           t.voltage + " V (" + t.driverPower + "/" + t.resistorPower + " W) ";
}

std::string designLine(const DesignTexts& texts) {
    switch (texts.type) {
        case EnclosureType::Closed:
            return closedLine(texts.closed);
        case EnclosureType::Vented:
            return ventedLine(texts.vented);
        case EnclosureType::Bandpass:
            return bandpassLine(texts.bandpass);
        case EnclosureType::PassiveRadiator:
            return radiatorLine(texts.radiator);
    }
    return {};
}

}  // namespace sublumo::memory
