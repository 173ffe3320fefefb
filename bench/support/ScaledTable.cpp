#include "support/ScaledTable.h"

#include "support/OffscreenApplication.h"

#include <QWindow>

std::unique_ptr<Frmpok> showScaledTable(cards::RandomSource &random, int scale, QSize &designSize)
{
    auto table = std::make_unique<Frmpok>(nullptr, &random);
    table->show();
    while (!table->windowHandle() || !table->windowHandle()->isExposed())
        settleEvents();
    auto *client = table->findChild<QWidget *>(QStringLiteral("client"));
    const int menuHeight = table->height() - client->height();
    if (designSize.isEmpty())
        designSize = client->size();
    table->resize(designSize * scale + QSize(0, menuHeight));
    while (client->size() != designSize * scale)
        settleEvents();
    settleEvents();
    return table;
}
