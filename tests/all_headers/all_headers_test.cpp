// Every public header of the pure libraries is compiled together with this file (see the
// CMake file); the names that once clashed must stay apart.
#include <gtest/gtest.h>

#include <type_traits>

#include "calculator_text.h"
#include "closed_box.h"
#include "driver_lists.h"
#include "driver_solver.h"
#include "level_combination.h"
#include "mms_measurement.h"
#include "vent.h"

namespace {

TEST(AllHeaders, LibrariesKeepTheirOwnNames) {
    static_assert(!std::is_same_v<sublumo::FieldWrite, sublumo::tools::FieldWrite>);
    static_assert(!std::is_same_v<sublumo::enclosure::VentShape, sublumo::tools::VentShape>);
    static_assert(
        !std::is_same_v<sublumo::enclosure::ClosedBoxInputs, sublumo::tools::ClosedBoxInputs>);
    // The solver and the lists speak of the same three tabs.
    const sublumo::DriverListPage shown = sublumo::DriverListPage::Memory;
    EXPECT_EQ(sublumo::database::countLabelText(shown, 0, 25), "#1/25");
}

}  // namespace
