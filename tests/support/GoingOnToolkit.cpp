#include "support/GoingOnToolkit.h"

GoingOnToolkit::GoingOnToolkit()
{
    Toolkit::install(this);
}

GoingOnToolkit::~GoingOnToolkit()
{
    Toolkit::install(nullptr);
}

Toolkit::Answer GoingOnToolkit::messageBox(QWidget *, const QString &prompt, Style style,
                                           const QString &title)
{
    switch (style) {
    case Style::Ok:
        ++m_outcomes;
        if (onOutcome)
            onOutcome(prompt, title);
        return Answer::Ok;
    case Style::StopOk:
        ++m_gamesLost;
        return Answer::Ok;
    case Style::QuestionYesNo:
        return Answer::Yes;
    case Style::QuestionYesNoDefaultNo:
        break;
    case Style::WarningOkCancel:
        break;
    }
    ++m_unexpected;
    return Answer::Cancel;
}
