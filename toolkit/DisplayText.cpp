#include "toolkit/DisplayText.h"

#include "rules/PlainDecimal.h"

#include <QLocale>

QString localeDecimalPoint()
{
    return QLocale().decimalPoint();
}

QString displayDecimal(double value)
{
    return QString::fromStdString(cards::plainDecimal(value, localeDecimalPoint().toStdString()));
}
