#include "windows/NameValidator.h"

#include "rules/ScoreFile.h"

NameValidator::NameValidator(QObject *parent)
    : QValidator(parent)
{
}

QValidator::State NameValidator::validate(QString &input, int &) const
{
    // Invalid, not Intermediate: the line edit then undoes the keystroke or the paste at once.
    if (!input.isValidUtf16())
        return Invalid;
    return cards::checkName(input.toStdString()) == cards::NameProblem::None ? Acceptable : Invalid;
}
