#pragma once

#include "enclosure/design_group.h"
#include "vent.h"

namespace sublumo {

class OptionList;

// What the vented box and the bandpass front chamber share: the vent's fields (Dv, or Av and
// Bv, and Nv with its end correction), its shape picture, the fill list of the vented volume
// and the Sv, Lv, 1Rv and Va/Ma outputs.
class VentDesignGroup : public DesignGroup {
    Q_OBJECT
public:
    enclosure::VentFieldTexts ventFieldTexts() const;
    enclosure::VentShape shape() const { return m_shape; }
    std::size_t endCorrection() const { return m_endCorrection; }
    std::size_t fillAmount() const { return m_fillAmount; }
    enclosure::VentReadout readout() const { return m_readout; }

    void showVent(const enclosure::VentFieldTexts& fields, const enclosure::VentTexts& outputs);
    void setVentEnabled(bool enabled);
    void cycleShape();
    OptionList* endCorrections() const { return m_endCorrections; }
    OptionList* fills() const { return m_fills; }
    ClickableLabel* shapePicture() const { return m_shapePicture; }

signals:
    void endCorrectionListToggled();
    void fillListToggled();
    void ventEstimateRequested();

protected:
    VentDesignGroup(const QString& objectName, PlatformServices& platform, NumberFormat format,
                    QWidget* parent, QWidget* listHost, const QString& fillTitle,
                    const QString& fillHint);
    // Dv and Av share a row; Bv, Nv and the outputs follow.
    void addVentRows(int firstRow);
    // The fill caption sits beside the volume whose vent it lengthens.
    void placeFillCaption(int row);

private:
    void applyShape();
    void chooseEndCorrection(int row);
    void chooseFill(int row);
    void toggleReadout();

    enclosure::VentShape m_shape = enclosure::VentShape::Round;
    std::size_t m_endCorrection = enclosure::kDefaultEndCorrection;
    std::size_t m_fillAmount = enclosure::kDefaultFillAmount;
    enclosure::VentReadout m_readout = enclosure::VentReadout::Va;
    ClickableLabel* m_shapePicture = nullptr;
    ClickableLabel* m_endCorrectionCaption = nullptr;
    QLineEdit* m_kBox = nullptr;
    ClickableLabel* m_fillCaption = nullptr;
    OptionList* m_endCorrections = nullptr;
    OptionList* m_fills = nullptr;
};

}  // namespace sublumo
