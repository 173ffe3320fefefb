#pragma once

#include "support/ScriptedRandom.h"
#include "support/ScriptedToolkit.h"
#include "toolkit/CardSlider.h"
#include "windows/Frmpok.h"

#include <QFile>

#include <gtest/gtest.h>

#include <memory>

// The table window's test fixture: a fresh table with no score file, cards dealt from the
// script in random, every box answered from the script in toolkit, slides instant. A test fails
// when it leaves scripted numbers or answers unused.
class ScriptedTable : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QFile::remove(QStringLiteral("point.pon"));
        CardSlider::setInstant(true);
        table = std::make_unique<Frmpok>(nullptr, &random);
    }
    void TearDown() override
    {
        EXPECT_TRUE(random.isUsedUp()) << "scripted numbers left over";
        EXPECT_TRUE(toolkit.allAnswersUsed()) << "an expected message box never came";
    }

    // The table's control or menu entry of that object name; fails the test when there is none.
    template<class T = QWidget> T *control(const char *name) const
    {
        T *widget = table->findChild<T *>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }

    ScriptedToolkit toolkit;
    ScriptedRandom random;
    std::unique_ptr<Frmpok> table;
};
