#pragma once

#include "closed_box.h"
#include "enclosure/design_group.h"

namespace sublumo {

class OptionList;

// " Enclosure parameters " of the closed box: Vb (or "infinite") and fill in, Qtc, fc, f3, peak
// and Ca/Cm out; the Qtc caption opens the alignment list.
class ClosedBoxGroup : public DesignGroup {
    Q_OBJECT
public:
    ClosedBoxGroup(PlatformServices& platform, NumberFormat format, QWidget* parent,
                   QWidget* listHost);

    enclosure::ClosedBoxInputs inputs() const;
    void display(const enclosure::ClosedBoxResult& result);
    // A usable driver: Vb takes the focus, fill follows "infinite", the captions act.
    void start();
    void setInputsEnabled(bool enabled);
    bool infinite() const { return m_infinite; }
    void setInfinite(bool infinite);
    OptionList* alignments() const { return m_alignments; }

signals:
    void alignmentListToggled();

private:
    bool m_infinite = false;
    QLineEdit* m_infiniteText = nullptr;
    OptionList* m_alignments = nullptr;
};

}  // namespace sublumo
