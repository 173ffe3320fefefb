#include "toolkit/FixedDialog.h"

#include "toolkit/CardLibrary.h"
#include "toolkit/FocusRing.h"
#include "toolkit/Shortcuts.h"
#include "toolkit/Toolkit.h"

#include <QAction>
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
