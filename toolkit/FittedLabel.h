#pragma once

#include <QFont>
#include <QLabel>

// A label that keeps its designed box and shows its whole text in it: the text is drawn in the
// design's font (times the scale its window is shown at), made smaller only as far as needed for
// every word-wrapped line to fit. The boxes were measured for a Windows font whose Thai lines are
// lower than those of the Thai fonts found elsewhere; without this, a seat name or a status line
// would lose its last line. With no text it draws nothing, not even a background.
class FittedLabel : public QLabel
{
    Q_OBJECT
public:
    FittedLabel(const QFont &designFont, QWidget *parent);

    void setFittedText(const QString &text);
    // The font the text is drawn in at 1x when it fits; font() is what it is drawn in now.
    const QFont &designFont() const { return m_designFont; }
    // The box is shown scale times its design size: the text starts from the design font times
    // scale. The design canvas sets it.
    void setScale(qreal scale);
    qreal scale() const { return m_scale; }

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void fit();

    QFont m_designFont;
    qreal m_scale = 1;
};
