#pragma once

#include <QWidget>

#include "driver_summary.h"

class QCheckBox;
class QPlainTextEdit;
class QRadioButton;

namespace sublumo {

class ParameterPanel;

// The four-line driver summary laid over the top of the "Loudspeaker" page, with its form
// choice and colour mark, ready for copying into a forum post or a web page.
class SummaryBox : public QWidget {
    Q_OBJECT
public:
    SummaryBox(const ParameterPanel& panel, NumberFormat format, QWidget* parent = nullptr);

    SummaryOptions options() const;
    void setOptions(SummaryOptions options);
    QString text() const;

    void toggleShown();
    void rebuild();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QRadioButton* addFormButton(const QString& caption, const QString& objectName);

    const ParameterPanel& m_panel;
    NumberFormat m_format;
    QPlainTextEdit* m_text = nullptr;
    QRadioButton* m_formButtons[3] = {};
    QCheckBox* m_colourMark = nullptr;
};

}  // namespace sublumo
