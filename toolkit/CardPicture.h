#pragma once

#include <QLabel>

// A card slot or the pack on the table: a label showing one of the card library's pictures at
// exactly the size it is laid out at, for its screen's device pixel ratio. The picture is made
// anew when the label is resized (a hidden label, once it is shown again) or moves to a screen of
// another ratio; moving it, as a slide does, costs no picture. pixmap() is the picture shown.
class CardPicture : public QLabel
{
    Q_OBJECT
public:
    explicit CardPicture(QWidget *parent);

    // The face of suit (1 spades to 4 clubs) and rank (1 ace to 13 king).
    void showFace(int suit, int rank);
    void showBack();
    void showPack();
    // Asks the card library for the picture again, as after a change of the faces' style.
    void redraw() { refresh(); }
    // Draws the picture narrowed to widthFraction (0 to 1) of its width about its vertical
    // centre line, the table showing on either side: a frame of the card turning over.
    void setSqueeze(qreal widthFraction);
    qreal squeeze() const { return m_squeeze; }

protected:
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    bool event(QEvent *event) override;

private:
    enum class Picture { None, Face, Back, Pack };
    void refresh();

    Picture m_picture = Picture::None;
    int m_suit = 0;
    int m_rank = 0;
    qreal m_squeeze = 1;
};
