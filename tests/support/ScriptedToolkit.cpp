#include "support/ScriptedToolkit.h"

#include <gtest/gtest.h>

ScriptedToolkit::ScriptedToolkit()
{
    Toolkit::install(this);
}

ScriptedToolkit::~ScriptedToolkit()
{
    Toolkit::install(nullptr);
}

Toolkit::Answer ScriptedToolkit::messageBox(QWidget *, const QString &prompt, Style style,
                                            const QString &title)
{
    m_boxes.push_back({ prompt, style, title });
    if (m_look)
        m_look(m_boxes.back());
    if (m_answers.empty()) {
        ADD_FAILURE() << "unexpected message box \"" << title.toStdString()
                      << "\": " << prompt.toStdString();
        const bool yesNo = style == Style::QuestionYesNo || style == Style::QuestionYesNoDefaultNo;
        return yesNo ? Answer::No : Answer::Cancel;
    }
    Answer answer = m_answers.front();
    m_answers.pop_front();
    return answer;
}
