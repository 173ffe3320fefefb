#include "windows/Frmpoint.h"

#include "history/ScoreStore.h"
#include "toolkit/DisplayText.h"
#include "toolkit/ThaiFonts.h"
#include "toolkit/Twips.h"

#include <QLabel>
#include <QLocale>
#include <QPainter>
#include <QPushButton>

namespace {

const QString kHeading = QStringLiteral("จำนวนเงินที่ทำได้สูงสุด คือ");
const QString kBy = QStringLiteral("โดย");
const QString kBaht = QStringLiteral(" บาท");
const QString kOk = QStringLiteral("OK");

const QRect kShape1 = twips::rect(120, 120, 3735, 2175);

QLabel *makeLabel(QWidget *parent, const QString &name, const QString &text, const QRect &place,
                  Qt::Alignment alignment, bool bold)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setGeometry(place);
    label->setAlignment(alignment | Qt::AlignTop);
    // Plain text: a name such as "<b>" is shown as typed, never read as markup.
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setFont(designFont(8.25, bold));
    return label;
}

} // namespace

Frmpoint::Frmpoint(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("Frmpoint"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFont(designFont(8.25));
    setFixedSize(twips::size(3960, 2385));

    Label2 = makeLabel(this, QStringLiteral("Label2"), kHeading, twips::rect(743, 240, 2175, 255),
                       Qt::AlignHCenter, false);
    lblpoint = makeLabel(this, QStringLiteral("lblpoint"), QString(),
                         twips::rect(713, 600, 2655, 255), Qt::AlignHCenter, true);
    Label1 = makeLabel(this, QStringLiteral("Label1"), kBy, twips::rect(1920, 1080, 375, 255),
                       Qt::AlignLeft, false);
    Lblname = makeLabel(this, QStringLiteral("Lblname"), QString(),
                        twips::rect(353, 1440, 3255, 255), Qt::AlignHCenter, true);

    Command1 = new QPushButton(kOk, this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setGeometry(twips::rect(1463, 1800, 1095, 375));
    Command1->setDefault(true);
    connect(Command1, &QPushButton::clicked, this, &Frmpoint::Command1_Click);
    Command1->setFocus();

    Form_Load();
}

void Frmpoint::Form_Load()
{
    const cards::ScoreRecord record = readScoreFile();
    maxname = QString::fromStdString(record.name);
    maxpoint = record.money;

    Lblname->setText(maxname);
    lblpoint->setText(displayDecimal(maxpoint) + kBaht);
}

void Frmpoint::Command1_Click()
{
    accept();
}

void Frmpoint::paintEvent(QPaintEvent *event)
{
    QDialog::paintEvent(event);
    // Shape1: a thin outline in the window-text colour, the only frame this window has.
    QPainter painter(this);
    painter.setPen(QPen(palette().color(QPalette::WindowText), 0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(kShape1.adjusted(0, 0, -1, -1));
}
