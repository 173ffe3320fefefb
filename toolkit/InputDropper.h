#pragma once

#include <QObject>

// Swallows the user's mouse, key and touch input for as long as it lives: while a card moves or
// turns over. QEventLoop::ExcludeUserInputEvents would only defer it: a click made meanwhile
// would land afterwards on whatever is under the mouse.
class InputDropper final : public QObject
{
public:
    InputDropper();
    ~InputDropper() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};
