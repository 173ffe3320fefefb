#include "toolkit/QtToolkit.h"

#include "toolkit/GameSettings.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>

namespace {

const QString kOkText = QStringLiteral("ตกลง");
const QString kCancelText = QStringLiteral("ยกเลิก");
const QString kYesText = QStringLiteral("ใช่");
const QString kNoText = QStringLiteral("ไม่ใช่");

QtToolkit *realToolkit()
{
    static QtToolkit toolkit;
    return &toolkit;
}

Toolkit *installedToolkit = nullptr;

} // namespace

Toolkit &Toolkit::instance()
{
    return installedToolkit ? *installedToolkit : *realToolkit();
}

void Toolkit::install(Toolkit *toolkit)
{
    installedToolkit = toolkit;
}

Toolkit::Answer QtToolkit::messageBox(QWidget *parent, const QString &prompt, Style style,
                                      const QString &title)
{
    if (!parent)
        parent = QApplication::activeWindow();
    QPointer<QMessageBox> box(new QMessageBox(parent));
    box->setAttribute(Qt::WA_DeleteOnClose, false);
    box->setWindowTitle(title);
    box->setText(prompt);

    QPushButton *accept = nullptr;
    QPushButton *reject = nullptr;
    switch (style) {
    case Style::Ok:
        accept = box->addButton(kOkText, QMessageBox::AcceptRole);
        break;
    case Style::StopOk:
        box->setIcon(QMessageBox::Critical);
        accept = box->addButton(kOkText, QMessageBox::AcceptRole);
        break;
    case Style::QuestionYesNo:
    case Style::QuestionYesNoDefaultNo:
        box->setIcon(QMessageBox::Question);
        accept = box->addButton(kYesText, QMessageBox::YesRole);
        reject = box->addButton(kNoText, QMessageBox::NoRole);
        break;
    case Style::WarningOkCancel:
        box->setIcon(QMessageBox::Warning);
        accept = box->addButton(kOkText, QMessageBox::AcceptRole);
        reject = box->addButton(kCancelText, QMessageBox::RejectRole);
        break;
    }
    box->setDefaultButton(style == Style::QuestionYesNoDefaultNo ? reject : accept);
    box->setEscapeButton(reject ? reject : accept);
    box->exec();

    const bool accepted = box && box->clickedButton() == accept;
    delete box.data();
    const bool yesNo = style == Style::QuestionYesNo || style == Style::QuestionYesNoDefaultNo;
    if (accepted)
        return yesNo ? Answer::Yes : Answer::Ok;
    return yesNo ? Answer::No : Answer::Cancel;
}

void QtToolkit::playSound(Sound sound)
{
    // Asked each time: the entry may have been switched in any window since. With sounds off
    // the player is never reached, so its library is never loaded.
    if (GameSettings().sound())
        m_sounds.play(sound);
}

void QtToolkit::endProgram()
{
    m_ending = true;
    // exit() rather than quit(): it also unwinds every nested modal exec().
    QCoreApplication::exit(0);
}
