#include "support/AnsweringToolkit.h"

AnsweringToolkit::AnsweringToolkit()
{
    Toolkit::install(this);
}

AnsweringToolkit::~AnsweringToolkit()
{
    Toolkit::install(nullptr);
}

Toolkit::Answer AnsweringToolkit::messageBox(QWidget *, const QString &, Style style,
                                             const QString &)
{
    switch (style) {
    case Style::Ok:
        ++m_outcomes;
        return Answer::Ok;
    case Style::StopOk:
        ++m_gamesLost;
        return Answer::Ok;
    case Style::QuestionYesNo:
        return Answer::Yes;
    case Style::WarningOkCancel:
        break;
    }
    return Answer::Cancel;
}
