#pragma once

#include "widgets/text_label.h"

namespace sublumo {

// A plain-text label that breaks its text into lines as wide as the label: at blanks, or inside
// a word that is wider than a whole line. A long text stays whole and readable where eliding
// would cut it off; the label grows in height instead. It is read as the text it shows.
class WrappedLabel : public TextLabel {
    Q_OBJECT
public:
    explicit WrappedLabel(const QString& text, QWidget* parent = nullptr);

    void setFullText(const QString& text);
    // The text before it was broken into lines.
    const QString& fullText() const { return m_fullText; }

    // The height follows from the lines the text takes at a width.
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void rewrap();
    QString linesAt(int width) const;

    QString m_fullText;
};

}  // namespace sublumo
