#include "net/PlayerText.h"

#include "rules/ScoreFile.h"

#include <QList>
#include <QStringView>

namespace net {

namespace {

    constexpr char32_t kZeroWidthJoiner = 0x200D;

    bool isPlainCharacter(char32_t c)
    {
        if (c == kZeroWidthJoiner)
            return true;
        switch (QChar::category(c)) {
        case QChar::Other_Control:
        case QChar::Other_Format:
        case QChar::Other_Surrogate:
        case QChar::Separator_Line:
        case QChar::Separator_Paragraph:
            return false;
        default:
            return true;
        }
    }

} // namespace

bool isPlainText(const QString &text)
{
    for (const char32_t c : text.toUcs4())
        if (!isPlainCharacter(c))
            return false;
    return true;
}

std::optional<std::string> nameRefusal(const std::string &name)
{
    const QString text = QString::fromStdString(name);
    if (text.trimmed().isEmpty())
        return "ชื่อต้องไม่ว่าง";
    switch (cards::checkName(name)) {
    case cards::NameProblem::None:
        return std::nullopt;
    case cards::NameProblem::Separator:
        return "ชื่อต้องไม่มีเครื่องหมาย $";
    case cards::NameProblem::ControlCharacter:
        return "ชื่อต้องไม่มีอักขระควบคุม (เช่น แท็บหรือขึ้นบรรทัดใหม่)";
    case cards::NameProblem::NotInCodePage:
        return "ชื่อมีอักขระที่เก็บไม่ได้ ใช้อักษรไทย อังกฤษ ตัวเลข และเครื่องหมายทั่วไป";
    case cards::NameProblem::TooLong:
        return "ชื่อยาวเกิน " + std::to_string(cards::kMaxNameLength) + " ตัวอักษร";
    }
    return std::nullopt;
}

QString nameKey(const QString &name)
{
    return name.normalized(QString::NormalizationForm_KC).toCaseFolded().simplified();
}

QString loggable(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (const char32_t c : text.toUcs4()) {
        if (c != U'\\' && isPlainCharacter(c))
            out.append(QString::fromUcs4(&c, 1));
        else
            out.append(QStringLiteral("\\u{%1}").arg(static_cast<uint>(c), 0, 16));
    }
    return out;
}

QString loggable(const std::string &utf8)
{
    return loggable(QString::fromStdString(utf8));
}

} // namespace net
