#include "toolkit/DisplayText.h"

#include "rules/PlainDecimal.h"

#include <QLocale>

QString localeDecimalPoint()
{
    return QLocale().decimalPoint();
}

QString displayDecimal(double value)
{
    QString text = QString::fromStdString(pokdeng::plainDecimal(value));
    text.replace(QLatin1Char('.'), localeDecimalPoint());
    return text;
}
