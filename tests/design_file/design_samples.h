#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <string_view>

#include "design_document.h"
#include "number_text.h"

namespace sublumo::design_file {

// A closed box on two drivers in parallel with one stored design, its number texts written
// with `format`'s separator as the window's fields would hold them.
DesignDocument smallDesign(NumberFormat format);

// Designs with every page key set, random texts and exact random numbers; `boxType` 0, 1 or 2.
class RandomDesigns {
public:
    explicit RandomDesigns(std::uint64_t seed) : m_random(seed) {}
    DesignDocument design(int boxType, NumberFormat format);

private:
    double number();
    std::string numberText(NumberFormat format);
    std::string text();
    memory::Slot slot(int boxType);
    bool chance(int percent);

    std::mt19937_64 m_random;
};

// `text` with its first `from` replaced by `to`.
std::string replaced(std::string text, std::string_view from, std::string_view to);
// The number of the line on which `part` first appears, counted from 1.
std::size_t lineOf(std::string_view text, std::string_view part);

}  // namespace sublumo::design_file
