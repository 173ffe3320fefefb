#include "toolkit/FixedDialog.h"

#include "toolkit/CardLibrary.h"

#include <QKeyEvent>

FixedDialog::FixedDialog(Escape escape, QWidget *parent)
    : QDialog(parent,
              Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                  | Qt::WindowCloseButtonHint)
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
