#pragma once

#include <QObject>

class QSocketNotifier;

// Turns SIGTERM and SIGINT into a Qt signal on the event loop, so the program ends as it would
// by itself (connections closed, files written) rather than dying where the signal found it.
// The handler only writes the signal's number to a pipe of its own; a socket notifier reads it
// on the loop. One at a time: while it lives, it holds both signals; its end puts the default
// handling back.
class EndSignals final : public QObject
{
    Q_OBJECT
public:
    explicit EndSignals(QObject *parent = nullptr);
    ~EndSignals() override;

    // Whether both handlers are in place.
    bool isWatching() const { return m_notifier != nullptr; }

signals:
    // SIGTERM or SIGINT came (signal is its number).
    void received(int signal);

private:
    void readSignal();

    QSocketNotifier *m_notifier = nullptr;
};
