#include "net/JoinCode.h"

#include <QRandomGenerator>

#include <algorithm>

namespace net {

QString makeJoinCode()
{
    return QString::number(QRandomGenerator::system()->bounded(100'000, 1'000'000));
}

bool isJoinCode(const QString &code)
{
    return code.size() == kJoinCodeLength && std::all_of(code.begin(), code.end(), [](QChar c) {
               return c >= QLatin1Char('0') && c <= QLatin1Char('9');
           });
}

} // namespace net
