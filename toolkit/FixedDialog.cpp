#include "toolkit/FixedDialog.h"

#include "toolkit/CardLibrary.h"
#include "toolkit/FocusRing.h"
#include "toolkit/Shortcuts.h"
#include "toolkit/Toolkit.h"

#include <QAction>
#include <QKeyEvent>

FixedDialog::FixedDialog(Escape escape, QWidget *parent)
    : QDialog(parent,
              Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                  | Qt::WindowCloseButtonHint)
    , m_escape(escape)
{
    setWindowIcon(CardLibrary::windowIcon());
    FocusRing::follow();

    // Closing by the keyboard is closing by the close box: a window that may not close now
    // refuses both alike.
    auto *closeWindow = new QAction(this);
    closeWindow->setObjectName(QStringLiteral("closeWindow"));
    shortcuts::bind(closeWindow, Command::CloseWindow);
    connect(closeWindow, &QAction::triggered, this, &QWidget::close);
    addAction(closeWindow);
    auto *quit = new QAction(this);
    quit->setObjectName(QStringLiteral("quit"));
    shortcuts::bind(quit, Command::Quit);
    connect(quit, &QAction::triggered, this, [] { Toolkit::instance().endProgram(); });
    addAction(quit);
}

void FixedDialog::keyPressEvent(QKeyEvent *event)
{
    if (m_escape == Escape::Ignored && event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
