#pragma once

#include <QValidator>

// The name box's rule: refuses, as they are typed or pasted, the characters the score file
// cannot keep ("$", control characters, characters outside the Thai code page) and any text
// longer than the record window can show. Blanks are welcome and nothing is trimmed; an empty
// box is acceptable too (the save asks for a name itself).
class NameValidator : public QValidator
{
    Q_OBJECT
public:
    explicit NameValidator(QObject *parent = nullptr);

    State validate(QString &input, int &pos) const override;
};
