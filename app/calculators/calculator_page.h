#pragma once

#include <QWidget>
#include <array>
#include <vector>

#include "calculators/calculator_panel.h"

class QButtonGroup;
class QRadioButton;

namespace sublumo {

// The "Advanced options" page: three single-choice menus on the right choose which of the
// thirteen calculator panels shows at the one place on the left.
class CalculatorPage : public QWidget {
    Q_OBJECT
public:
    static constexpr int kMenuCount = 3;
    static constexpr int kPanelTop = 6;

    CalculatorPage(PlatformServices& platform, NumberFormat format, ParameterPanel& driver,
                   QWidget* parent = nullptr);

    // As a click on the item does; `index` counts over all three menus in order.
    void select(int index);
    int selectedIndex() const { return m_selected; }
    CalculatorPanel* panel(int index) const { return m_items[index].panel; }
    static int itemCount();

private:
    struct Item {
        CalculatorPanel* panel = nullptr;
        QRadioButton* button = nullptr;
        int menu = 0;
    };

    QWidget* buildMenus();
    void applyAvailability();

    CalculatorContext m_context;
    std::vector<Item> m_items;
    // Every panel, the ones inside others too: each hears what the solver decided.
    std::vector<CalculatorPanel*> m_panels;
    std::array<QButtonGroup*, kMenuCount> m_menus{};
    int m_selected = -1;
};

}  // namespace sublumo
