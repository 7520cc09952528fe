#pragma once

#include <array>
#include <string>

#include "driver_parameters.h"
#include "number_text.h"

namespace sublumo {

// The three forms of the summary, in the order of their buttons and of the settings value.
enum class SummaryForm { Plain = 0, ForumTags = 1, HtmlTags = 2 };

struct SummaryOptions {
    SummaryForm form = SummaryForm::Plain;
    bool colourMark = false;
};

// The colour mark only means something where there are tags to carry it.
bool colourMarkEnabled(SummaryForm form);

// The four lines of the summary. `diameterFieldText` is the Dd field exactly as displayed.
std::array<std::string, 4> buildDriverSummary(const DriverParameters& params,
                                              const std::string& diameterFieldText,
                                              SummaryOptions options, NumberFormat format);

// The file name proposed for a screenshot of this driver (without extension).
std::string proposedScreenshotFileName(const std::string& driverName);

// The address of a web search for the driver's name; empty when the name is empty.
std::string driverWebSearchAddress(const std::string& driverName);

}  // namespace sublumo
