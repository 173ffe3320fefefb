#include "toolkit/ThaiFonts.h"

#include <QApplication>
#include <QFont>

namespace {
const QString kDesignFamily = QStringLiteral("MS Sans Serif");
}

void installThaiFontSubstitutions()
{
    const QStringList thaiFaces = { QStringLiteral("Tahoma"), QStringLiteral("Loma"),
                                    QStringLiteral("Tlwg Typo"), QStringLiteral("Garuda") };
    QFont::insertSubstitutions(kDesignFamily, thaiFaces);
    QFont::insertSubstitutions(QStringLiteral("Tahoma"), { QStringLiteral("Loma") });
    QApplication::setFont(designFont(8.25));
}

QFont designFont(double pointSize, bool bold)
{
    QFont font(kDesignFamily);
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}
