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

protected:
    void resizeEvent(QResizeEvent *event) override;
    bool event(QEvent *event) override;

private:
    enum class Picture { None, Face, Back, Pack };
    void refresh();

    Picture m_picture = Picture::None;
    int m_suit = 0;
    int m_rank = 0;
};
