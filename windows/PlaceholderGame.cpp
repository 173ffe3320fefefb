#include "windows/PlaceholderGame.h"

#include "toolkit/DesignCanvas.h"
#include "toolkit/FittedLabel.h"
#include "toolkit/ThaiFonts.h"

#include <QLabel>

namespace {
const QString kNotice = QStringLiteral("ขออภัยเกมอยู่ในระหว่างการผลิต");
constexpr int kClientHeight = 3195;
} // namespace

PlaceholderGame::PlaceholderGame(GameKind kind, int widthTwips, QRect noticeTwips, QWidget *parent)
    : GameWindow(kind, widthTwips, kClientHeight, parent)
{
    auto *notice = new FittedLabel(designFont(18, true), client());
    notice->setObjectName(QStringLiteral("Label1"));
    client()->place(notice, noticeTwips);
    notice->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    notice->setFittedText(kNotice);
}

Frm9ga::Frm9ga(QWidget *parent)
    : PlaceholderGame(GameKind::NineGa, 5160, QRect(0, 960, 5055, 735), parent)
{
    setObjectName(QStringLiteral("Frm9ga"));
}

Frmdum::Frmdum(QWidget *parent)
    : PlaceholderGame(GameKind::Dummy, 5115, QRect(0, 1200, 5175, 735), parent)
{
    setObjectName(QStringLiteral("Frmdum"));
}
