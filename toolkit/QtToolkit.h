#pragma once

#include "toolkit/Toolkit.h"

// The real toolkit: Qt message boxes with Thai buttons, and QCoreApplication::exit().
class QtToolkit final : public Toolkit
{
public:
    Answer messageBox(QWidget *parent, const QString &prompt, Style style,
                      const QString &title) override;
    void endProgram() override;
    bool isEnding() const override { return m_ending; }

private:
    bool m_ending = false;
};
