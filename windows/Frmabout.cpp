#include "windows/Frmabout.h"

#include "toolkit/CardLibrary.h"
#include "toolkit/FittedLabel.h"
#include "toolkit/ThaiFonts.h"
#include "toolkit/Twips.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>

namespace {

const QString kCaption = QStringLiteral("ABOUT");
const QString kClose = QStringLiteral("ปิด");
// Three parts, each on a line of its own.
const QString kCredits = QStringLiteral("สร้างด้วย C++ และ Qt 6\n"
                                        "โดยทีมงานป๊อกเด้ง\n"
                                        "ติดต่อ pokdeng@example.org");

const QRect kShape1 = twips::rect(240, 120, 3255, 1215);

} // namespace

Frmabout::Frmabout(QWidget *parent)
    : FixedDialog(Escape::Closes, parent)
{
    setObjectName(QStringLiteral("Frmabout"));
    setWindowTitle(kCaption);
    setFont(designFont(12));
    setFixedSize(twips::size(3765, 1845));

    // The frame is drawn over the credits, so their label leaves its background to the window.
    auto *credits = new FittedLabel(designFont(12), this);
    credits->setObjectName(QStringLiteral("Label1"));
    credits->setGeometry(twips::rect(135, 240, 3495, 975));
    credits->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // The label reaches further left than the frame; its text starts inside the frame.
    credits->setContentsMargins(twips::toPixels(240 - 135) + 4, 2, 4, 0);
    credits->setFittedText(kCredits);

    auto *close = new QPushButton(kClose, this);
    close->setObjectName(QStringLiteral("Command1"));
    close->setGeometry(twips::rect(1275, 1440, 1215, 375));
    close->setFont(designFont(8.25));
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
}

void Frmabout::paintEvent(QPaintEvent *)
{
    // The frame around the credits, and the line along the left edge.
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawRect(kShape1.adjusted(0, 0, -1, -1));
    painter.drawLine(0, 0, 0, twips::toPixels(1800));
}
