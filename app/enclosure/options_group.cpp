#include "options_group.h"

#include <QLineEdit>
#include <array>

namespace sublumo {

namespace {

constexpr std::array<DesignFieldRow, 3> kRows = {{
    {"Rs", "Rs", "Ohm",
     "Series resistance added to driver (amplifier output resistance, wires, resistors, "
     "coils...)",
     "0.1", DesignFieldKind::Decimal},
    {"M+", "M+", "g", "Weight of mass added to cone", "0", DesignFieldKind::Decimal},
    {"Tvc", "Tvc", "°C", "Voice-coil temperature", "20", DesignFieldKind::Decimal},
}};

constexpr std::array<EnterLink, 3> kEnter = {{{"Rs", "M+"}, {"M+", "Tvc"}, {"Tvc", "Rs"}}};

}  // namespace

OptionsGroup::OptionsGroup(PlatformServices& platform, NumberFormat format, QWidget* parent)
    : DesignGroup(QStringLiteral("additionalOptions"), QStringLiteral(" Additional options "),
                  platform, format, parent) {
    addRows(kRows, 0);
    linkEnter(kEnter);
}

void OptionsGroup::setFieldsEnabled(bool enabled) {
    for (const char* name : {"Rs", "M+", "Tvc"}) field(name)->setEnabled(enabled);
}

}  // namespace sublumo
