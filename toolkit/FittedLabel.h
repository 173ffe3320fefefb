#pragma once

#include <QFont>
#include <QLabel>

// A label that keeps its designed box and shows its whole text in it: the text is drawn in the
// design's font, made smaller only as far as needed for every word-wrapped line to fit. The
// boxes were measured for a Windows font whose Thai lines are lower than those of the Thai
// fonts found elsewhere; without this, a seat name or a status line would lose its last line.
class FittedLabel : public QLabel
{
    Q_OBJECT
public:
    FittedLabel(const QFont &designFont, QWidget *parent);

    void setFittedText(const QString &text);
    // The font the text is drawn in when it fits; font() is what it is drawn in now.
    const QFont &designFont() const { return m_designFont; }

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void fit();

    QFont m_designFont;
};
