#pragma once

// A whole session played step by step while the program's own windows run their loops: every
// tick the current step looks at the windows and, when they are ready for it, gives the action
// to take. The action is posted rather than called, because it may open a modal window whose
// loop the session goes on in. A step not done within the time allowed fails the test
// and ends every loop, so that nothing hangs.
#include <QApplication>
#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

class SessionSteps final : public QObject
{
public:
    using Action = std::function<void()>;
    struct Step
    {
        std::string what;
        // The action to take now, or an empty one while the windows are not ready for it.
        std::function<Action()> ready;
        // When given, the step takes actions until this holds (a round: a bet, a turn, a box),
        // each a moment after the last so that a press has landed before the next is chosen.
        std::function<bool()> done = {};
    };

    explicit SessionSteps(std::vector<Step> steps, int allowedMs = 60000)
        : m_steps(std::move(steps))
        , m_allowedMs(allowedMs)
    {
        connect(&m_tick, &QTimer::timeout, this, &SessionSteps::tick);
        m_tick.start(20);
        m_sinceProgress.start();
    }

    bool finished() const { return m_next == m_steps.size(); }
    std::string waitingFor() const { return finished() ? "" : m_steps[m_next].what; }

    // The shown top-level window with that object name that takes input now (the topmost modal
    // window, or any when none is modal), or nullptr.
    static QWidget *window(const char *name)
    {
        QWidget *modal = QApplication::activeModalWidget();
        if (modal)
            return modal->objectName() == QLatin1String(name) ? modal : nullptr;
        for (QWidget *widget : QApplication::topLevelWidgets())
            if (widget->isVisible() && widget->objectName() == QLatin1String(name))
                return widget;
        return nullptr;
    }

private:
    void tick()
    {
        if (finished())
            return;
        const Step &step = m_steps[m_next];
        if (step.done && step.done()) {
            ++m_next;
            m_sinceProgress.restart();
            return;
        }
        if (step.done && m_sinceAction.isValid() && m_sinceAction.elapsed() < kSettleMs)
            return;
        if (Action action = step.ready()) {
            if (m_told != m_next)
                std::fprintf(stderr, "step %zu: %s\n", m_next + 1, step.what.c_str());
            m_told = m_next;
            if (!step.done) {
                ++m_next;
                m_sinceProgress.restart();
            }
            m_sinceAction.start();
            QMetaObject::invokeMethod(this, action, Qt::QueuedConnection);
        } else if (m_sinceProgress.elapsed() > m_allowedMs) {
            ADD_FAILURE() << "the session stopped before: " << waitingFor();
            m_tick.stop();
            QCoreApplication::exit(1);
        }
    }

    // A press through the accessibility interface clicks 100 ms later.
    static constexpr int kSettleMs = 250;

    std::vector<Step> m_steps;
    std::size_t m_next = 0;
    std::size_t m_told = std::size_t(-1); // the last step whose name went to the log
    int m_allowedMs;
    QTimer m_tick;
    QElapsedTimer m_sinceProgress, m_sinceAction;
};
