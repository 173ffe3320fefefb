#pragma once

#include "toolkit/WindowPlace.h"

#include <QDialog>
#include <QPointer>

#include <utility>

// The game's windows with a title bar: a caption, the icon and a close box, no minimise box. A
// fixed window has no maximise box either; a resizable one (a game window) has one and is a
// normal window to the desktop, which lets it be maximised. Escape closes the small windows; a
// window whose close would throw away a game or end the program ignores it and closes by its
// close box alone, or by its key (Ctrl+W). Every one of them also ends the program on its key
// (Ctrl+Q), and shows the focus ring.
class FixedDialog : public QDialog
{
    Q_OBJECT
public:
    enum class Escape { Closes, Ignored };
    enum class Frame { Fixed, Resizable };

protected:
    FixedDialog(Escape escape, QWidget *parent, Frame frame = Frame::Fixed);
    void keyPressEvent(QKeyEvent *event) override;

private:
    Escape m_escape;
};

// Opens a new Dialog over parent and waits until it closes; a closed dialog deletes itself. The
// dialog is made from arguments, if any, then parent.
template<typename Dialog, typename... Arguments>
void runModal(QWidget *parent, Arguments &&...arguments)
{
    QPointer<Dialog> dialog(new Dialog(std::forward<Arguments>(arguments)..., parent));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    windowplace::placeOver(dialog, parent);
    dialog->exec();
}
