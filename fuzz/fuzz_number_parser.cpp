// Number texts come from files any locale wrote and from hand edits. The parsers must agree
// with each other, and every number they give must survive formatting and parsing again.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "fuzz_require.h"
#include "number_text.h"
#include "settings_store.h"
#include "stored_number.h"

namespace {

bool sameNumber(std::optional<double> a, std::optional<double> b) {
    if (a.has_value() != b.has_value())
        return false;
    return !a || std::memcmp(&*a, &*b, sizeof(double)) == 0;
}

void checkFormat(std::string_view text, sublumo::NumberFormat format) {
    const std::string normalised = sublumo::normaliseDecimal(text, format);
    require(normalised.size() == text.size());
    for (std::size_t i = 0; i < text.size(); ++i)
        require(normalised[i] == text[i] ||
                ((text[i] == '.' || text[i] == ',') && normalised[i] == format.decimalSeparator));

    // The database's quick reading gives exactly what the general parse of the normalised
    // text gives.
    const auto general = sublumo::parseDecimal(normalised, format, sublumo::SignRule::AllowMinus);
    require(sameNumber(sublumo::database::readStoredNumber(text, format), general));

    const auto unsignedValue = sublumo::parseDecimal(text, format, sublumo::SignRule::Unsigned);
    if (unsignedValue)
        require(std::isfinite(*unsignedValue) && !std::signbit(*unsignedValue));
    if (!general)
        return;
    require(std::isfinite(*general));

    // Fifteen significant digits read back to the same text.
    const auto written = sublumo::tryFormatNumber(*general, format);
    require(written.has_value());
    require(written->find_first_of("eEinfa") == std::string::npos);
    const auto back = sublumo::parseDecimal(*written, format);
    require(back.has_value());
    require(sublumo::formatNumber(*back, format) == *written);
    require(sublumo::formatRounded(*general, 3, format).size() > 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    checkFormat(text, {'.'});
    checkFormat(text, {','});
    if (const auto integer = sublumo::database::parseSettingsInteger(text))
        require(std::to_string(*integer) == text || text.front() == '-' || text.front() == '0');
    return 0;
}
