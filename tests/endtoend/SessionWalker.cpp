// Walks a whole session through the real program, as a person would with the mouse: loaded into
// the unchanged pokdeng binary with LD_PRELOAD, it starts with the QApplication and clicks its
// way from the start window through a round, a restart, the other games, the record and about
// windows and back, then closes the start window. It prints "walk complete" when every step was
// done, "walk failed" otherwise (and ends the process when a step does not come within a minute).
#include "support/MenuText.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <functional>
#include <unistd.h>
#include <vector>

namespace {

QWidget *window(const char *name)
{
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (widget->isVisible() && widget->objectName() == QLatin1String(name))
            return widget;
    return nullptr;
}

// The window that takes input now: the topmost modal one, or the start window when none is.
QWidget *activeWindow(const char *name)
{
    QWidget *modal = QApplication::activeModalWidget();
    QWidget *top = modal ? modal : window("Form1");
    return top && top->objectName() == QLatin1String(name) ? top : nullptr;
}

template<class T> T *control(QWidget *window, const char *name)
{
    return window ? window->findChild<T *>(QString::fromLatin1(name)) : nullptr;
}

using Action = std::function<void()>;

Action clickOn(QWidget *widget, QPoint where)
{
    QPointer<QWidget> target(widget);
    return [target, where] {
        if (target)
            QTest::mouseClick(target, Qt::LeftButton, {}, where);
    };
}

Action clickOn(QWidget *widget)
{
    return clickOn(widget, widget->rect().center());
}

// A click on an entry of the window's menu bar; one with a drop-down opens it.
Action barEntry(QWidget *window, const QString &text)
{
    auto *bar = window ? window->findChild<QMenuBar *>() : nullptr;
    if (bar)
        for (QAction *action : bar->actions())
            if (plainMenuText(action->text()) == text)
                return clickOn(bar, bar->actionGeometry(action).center());
    return {};
}

// A click on an entry of the open drop-down menu.
Action popupEntry(const QString &text)
{
    auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
    if (menu)
        for (QAction *action : menu->actions())
            if (plainMenuText(action->text()) == text)
                return clickOn(menu, menu->actionGeometry(action).center());
    return {};
}

Action closeWindow(QWidget *window)
{
    if (!window)
        return {};
    QPointer<QWidget> target(window);
    return [target] {
        if (target)
            target->close();
    };
}

class SessionWalker : public QObject
{
public:
    // A step looks at the windows and, when they are ready for it, gives the action to take.
    // The action may open a modal window and so return only much later: the walk moves on to
    // the next step before the action runs.
    using Action = std::function<void()>;
    struct Step
    {
        const char *what;
        std::function<Action()> ready;
    };

    explicit SessionWalker(QObject *parent)
        : QObject(parent)
    {
        buildSteps();
        connect(&m_tick, &QTimer::timeout, this, &SessionWalker::tick);
        m_tick.start(50);
        m_sinceProgress.start();
        connect(qApp, &QCoreApplication::aboutToQuit, this, [this] { report(); });
    }

private:
    void tick()
    {
        if (m_next >= m_steps.size())
            return;
        if (Action action = m_steps[m_next].ready()) {
            std::fprintf(stderr, "step %zu: %s\n", m_next + 1, m_steps[m_next].what);
            ++m_next;
            m_sinceProgress.restart();
            // Posted rather than called: a timer does not fire again while its own handler runs,
            // and the action may open a modal window whose loop the walk goes on in.
            QMetaObject::invokeMethod(this, action, Qt::QueuedConnection);
        } else if (m_sinceProgress.elapsed() > 60000) {
            std::fprintf(stderr, "walk failed: no way to %s\n", m_steps[m_next].what);
            std::fflush(stderr);
            _exit(4);
        }
    }

    void report()
    {
        if (m_next == m_steps.size())
            std::printf("walk complete: %zu steps\n", m_steps.size());
        else
            std::printf("walk failed at step %zu: %s\n", m_next + 1, m_steps[m_next].what);
        std::fflush(stdout);
    }

    void buildSteps()
    {
        auto button = [](const char *windowName, const char *buttonName) {
            return [=]() -> Action {
                auto *b = control<QAbstractButton>(activeWindow(windowName), buttonName);
                if (!b || !b->isVisible() || !b->isEnabled())
                    return {};
                return clickOn(b);
            };
        };
        auto bar = [](const char *windowName, QString text) {
            return [=] { return barEntry(activeWindow(windowName), text); };
        };
        auto popup = [](QString text) { return [=] { return popupEntry(text); }; };
        auto close = [](const char *windowName) {
            return [=] { return closeWindow(activeWindow(windowName)); };
        };

        m_steps = {
            { "open the table from the start window", button("Form1", "Command1") },
            { "bet 1,000 baht", button("Frmpok", "Opt1000") },
            { "end the turn: stand, or draw when standing is not offered",
              []() -> Action {
                  QWidget *table = activeWindow("Frmpok");
                  for (const char *name : { "cmdnoreq", "Cmdreq" }) {
                      auto *turn = control<QPushButton>(table, name);
                      if (turn && turn->isVisible())
                          return clickOn(turn);
                  }
                  return {};
              } },
            { "close the outcome box",
              []() -> Action {
                  auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
                  if (!box || !box->defaultButton())
                      return {};
                  std::fprintf(stderr, "  %s: %s\n", qUtf8Printable(box->windowTitle()),
                               qUtf8Printable(box->text()));
                  return clickOn(box->defaultButton());
              } },
            { "restart with เริ่มใหม่",
              [this]() -> Action {
                  QWidget *table = activeWindow("Frmpok");
                  auto *noBet = control<QRadioButton>(table, "Option2");
                  if (!noBet || !noBet->isChecked())
                      return {};
                  m_oldTable = table;
                  return barEntry(table, QStringLiteral("เริ่มใหม่"));
              } },
            { "open เลือกเกม on a fresh table",
              [this]() -> Action {
                  if (!m_oldTable.isNull())
                      return {};
                  return barEntry(activeWindow("Frmpok"), QStringLiteral("เลือกเกม"));
              } },
            { "choose 9 เก", popup(QStringLiteral("9 เก")) },
            { "open เลือกเกม in 9เก", bar("Frm9ga", QStringLiteral("เลือกเกม")) },
            { "choose ป๊อกเด้ง", popup(QStringLiteral("ป๊อกเด้ง")) },
            { "open สถิติ", bar("Frmpok", QStringLiteral("สถิติ")) },
            { "close the record window with OK", button("Frmpoint", "Command1") },
            { "open เกี่ยวกับโปรแกรม", bar("Frmpok", QStringLiteral("เกี่ยวกับโปรแกรม")) },
            { "close the about window with ปิด", button("Frmabout", "Command1") },
            { "close the table with its close box", close("Frmpok") },
            { "open ดัมมี่ from the start window again", button("Form1", "Command3") },
            { "close ดัมมี่", close("Frmdum") },
            { "close the start window", close("Form1") },
        };
    }

    std::vector<Step> m_steps;
    size_t m_next = 0;
    QTimer m_tick;
    QElapsedTimer m_sinceProgress;
    QPointer<QWidget> m_oldTable;
};

void startWalking()
{
    new SessionWalker(qApp);
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(startWalking)
