#include "windows/PlaceholderGame.h"

#include "toolkit/DesignCanvas.h"
#include "toolkit/FittedLabel.h"
#include "toolkit/ThaiFonts.h"

#include <QLabel>

namespace {
const QString kNotice = QStringLiteral("ขออภัยเกมอยู่ในระหว่างการผลิต");
// The window caption has no blank, unlike the menu entry and the start window's button.
const QString kNineGaCaption = QStringLiteral("9เก");
const QString kDummyCaption = QStringLiteral("ดัมมี่");
constexpr int kClientHeight = 3195;
} // namespace

PlaceholderGame::PlaceholderGame(GameKind kind, const QString &caption, int widthTwips,
                                 QRect noticeTwips, QWidget *parent)
    : GameWindow(kind, widthTwips, kClientHeight, parent)
{
    setWindowTitle(caption);
    auto *notice = new FittedLabel(designFont(18, true), client());
    notice->setObjectName(QStringLiteral("Label1"));
    client()->place(notice, noticeTwips);
    notice->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    notice->setFittedText(kNotice);
}

Frm9ga::Frm9ga(QWidget *parent)
    : PlaceholderGame(GameKind::NineGa, kNineGaCaption, 5160, QRect(0, 960, 5055, 735), parent)
{
    setObjectName(QStringLiteral("Frm9ga"));
}

Frmdum::Frmdum(QWidget *parent)
    : PlaceholderGame(GameKind::Dummy, kDummyCaption, 5115, QRect(0, 1200, 5175, 735), parent)
{
    setObjectName(QStringLiteral("Frmdum"));
}
