#pragma once

#include "enclosure/design_group.h"
#include "response_options.h"

namespace sublumo {

// "Linkwitz transform circuit": the schematic of the op-amp equaliser, the chosen C2 and the
// component values and DC gain computed from it.
class LinkwitzCircuitPanel : public DesignGroup {
    Q_OBJECT
public:
    LinkwitzCircuitPanel(PlatformServices& platform, NumberFormat format, QWidget* parent);

    void display(const enclosure::LinkwitzResult& result);
    void setInputEnabled(bool enabled);
};

}  // namespace sublumo
