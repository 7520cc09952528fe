#pragma once

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "driver_parameters.h"
#include "number_text.h"

namespace sublumo::tools::test {

inline constexpr NumberFormat kDot{'.'};
inline constexpr NumberFormat kComma{','};

// Rows of a table test carry a `name`; it becomes the case's name.
struct RowName {
    template <class Row>
    std::string operator()(const testing::TestParamInfo<Row>& info) const {
        return info.param.name;
    }
};

namespace {
// Each file's rows live in its unnamed namespace, which this joins: GoogleTest then prints a
// row by its name instead of as raw bytes.
template <class Row>
requires requires(const Row& row) {
    row.name;
}
void PrintTo(const Row& row, std::ostream* out) {
    *out << row.name;
}
}  // namespace

// The example driver of the solver (Qms 2.5, Qes 0.35, fs 30 Hz, Mms 60 g, Dd 260 mm,
// Re 5.6 Ohm), as the solver derives it from the typed texts.
DriverParameters exampleDriver();

// A driver with only Re, Le and Dd entered, for the calculators that refill from the driver.
DriverParameters driverWith(double re, double le, double dd);

}  // namespace sublumo::tools::test
