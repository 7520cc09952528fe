#pragma once

#include <QWidget>

#include "number_text.h"

class QPlainTextEdit;
class QTabWidget;
class QTimer;
class QToolButton;

namespace sublumo {

class EnclosurePage;
class ParameterPanel;
class PlatformServices;
class SummaryBox;

// The main window: the pages "Loudspeaker", "Enclosure" and "Formulas", the icon strip at the
// top right, the window's size per page and the short deferred work after a page is shown.
class MainWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr int kNarrowWidth = 566;
    static constexpr int kWideWidth = 747;
    static constexpr int kTallHeight = 670;
    static constexpr int kShortHeight = 269;
    static constexpr int kPageTimerMs = 300;

    MainWindow(PlatformServices& platform, QString programDirectory, QWidget* parent = nullptr);

    ParameterPanel& parameterPanel() const { return *m_panel; }
    EnclosurePage& enclosurePage() const { return *m_enclosure; }
    bool isTall() const { return m_tall; }
    bool isPinned() const { return m_pinned; }
    QTimer& pageTimer() const { return *m_pageTimer; }

    void setTall(bool tall);
    void setPinned(bool pinned);
    void showPage(int index);
    void takeScreenshot();
    void showInfo();

signals:
    // The page timer fired on "Enclosure": the selected box type starts its design.
    void enclosureStartRequested();

private:
    QWidget* buildLoudspeakerPage();
    void buildIconStrip();
    QToolButton* addStripButton(const QString& objectName, const QString& tooltip,
                                const QString& clickDoes, int iconKind);
    void onPageChanged(int index);
    void onPageTimer();
    void applySize();
    void placeIconStrip();
    void focusOnLoudspeakerPage();
    void rebuildFormulas();
    QString captionWithDriverName() const;

    PlatformServices& m_platform;
    QString m_programDirectory;
    NumberFormat m_format;
    bool m_tall = true;
    bool m_pinned = false;

    QTabWidget* m_pages = nullptr;
    ParameterPanel* m_panel = nullptr;
    SummaryBox* m_summary = nullptr;
    QTabWidget* m_lowerArea = nullptr;
    EnclosurePage* m_enclosure = nullptr;
    QPlainTextEdit* m_formulas = nullptr;
    QTimer* m_pageTimer = nullptr;

    QWidget* m_iconStrip = nullptr;
    QToolButton* m_expand = nullptr;
    QToolButton* m_contract = nullptr;
    QToolButton* m_showText = nullptr;
    QToolButton* m_pinOff = nullptr;
    QToolButton* m_pinOn = nullptr;
};

}  // namespace sublumo
