#include "number_text_buffer.h"

namespace sublumo {

void appendNumberText(std::string& out, double v, NumberFormat format) {
    out += formatNumber(v, format);
}

}  // namespace sublumo
