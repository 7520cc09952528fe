#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>

#include "bandpass_box.h"
#include "closed_box.h"
#include "test_driver.h"
#include "vented_box.h"

namespace sublumo::enclosure {
namespace {

constexpr NumberFormat kDot{'.'};

enum class Choice { ClosedButterworth, BandpassFlat, BandpassRipple, VentedAutoCalculation };

// The volume a choice writes for an equivalent driver of this Qts' and Vas', or nothing.
std::optional<std::string> writtenVolume(Choice choice, double Qts, double Vas) {
    EquivalentDriver e;
    e.fs = 30;
    e.Qts = Qts;
    e.Vas = Vas;
    const DriverParameters d = test::makeDriver();
    switch (choice) {
        case Choice::ClosedButterworth:
            return closedAlignmentVolume(e, 2, "0", kDot);
        case Choice::BandpassFlat:
        case Choice::BandpassRipple: {
            const auto a =
                bandpassAlignment(d, {1}, e, choice == Choice::BandpassFlat ? 0 : 1, "0", kDot);
            if (!a)
                return std::nullopt;
            EXPECT_GT(std::stod(a->Vf), 0);
            return a->Vr;
        }
        case Choice::VentedAutoCalculation: {
            const auto a = ventedAutoCalculation(d, {1}, e, kDot);
            return a ? std::optional<std::string>(a->Vb) : std::nullopt;
        }
    }
    return std::nullopt;
}

TEST(DesignedVolume, NoChoiceEverWritesAVolumeThatIsNotPositive) {
    struct Row {
        const char* name;
        Choice choice;
        double Qts;
        double Vas;
        bool applied;
    };
    const Row rows[] = {
        {"closed, Qts' below Qtc", Choice::ClosedButterworth, 0.4, 50, true},
        {"closed, Qts' above Qtc", Choice::ClosedButterworth, 0.8, 50, false},
        {"closed, Qts' equal to Qtc", Choice::ClosedButterworth, std::sqrt(0.5), 50, false},
        {"closed, rounds to 0 l", Choice::ClosedButterworth, 0.4, 0.001, false},
        {"bandpass S=0.7, Qts' 0.8", Choice::BandpassFlat, 0.8, 50, false},
        {"bandpass S=0.6, Qts' 0.8", Choice::BandpassRipple, 0.8, 50, true},
        {"bandpass, rounds to 0 l", Choice::BandpassRipple, 0.4, 0.001, false},
        {"vented", Choice::VentedAutoCalculation, 0.4, 50, true},
        {"vented, rounds to 0 l", Choice::VentedAutoCalculation, 0.4, 0.001, false},
        {"vented, no Qts'", Choice::VentedAutoCalculation, 0.0, 50, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const auto volume = writtenVolume(row.choice, row.Qts, row.Vas);
        ASSERT_EQ(volume.has_value(), row.applied);
        if (volume) {
            EXPECT_GT(std::stod(*volume), 0);
        }
    }
}

}  // namespace
}  // namespace sublumo::enclosure
