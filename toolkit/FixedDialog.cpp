#include "toolkit/FixedDialog.h"

#include "toolkit/CardLibrary.h"

#include <QKeyEvent>

namespace {
Qt::WindowFlags flagsOf(FixedDialog::Frame frame)
{
    const Qt::WindowFlags titleBar = Qt::CustomizeWindowHint | Qt::WindowTitleHint
        | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (frame == FixedDialog::Frame::Resizable)
        return Qt::Window | titleBar | Qt::WindowMaximizeButtonHint;
    return Qt::Dialog | titleBar;
}
} // namespace

FixedDialog::FixedDialog(Escape escape, QWidget *parent, Frame frame)
    : QDialog(parent, flagsOf(frame))
    , m_escape(escape)
{
    setWindowIcon(CardLibrary::windowIcon());
}

void FixedDialog::keyPressEvent(QKeyEvent *event)
{
    if (m_escape == Escape::Ignored && event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
