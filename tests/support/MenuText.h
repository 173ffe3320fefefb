#pragma once

#include <QRegularExpression>
#include <QString>

// A menu entry's words without the letter that follows them, "(&G)" in its text or "(G)" in
// what screen readers are given: "เลือกเกม(&G)" reads "เลือกเกม".
inline QString plainMenuText(QString text)
{
    static const QRegularExpression letter(QStringLiteral("\\(&?.\\)$"));
    return text.remove(letter);
}
