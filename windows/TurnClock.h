#pragma once

#include <QElapsedTimer>
#include <QLabel>
#include <QString>
#include <QTimer>

// The time left for a turn at a table others share, as a line under the table: "ตาของคุณ: เหลือ
// 25 วินาที", counted down each second from the table's limit. Hidden while no timed turn runs
// (a table of one person is never timed). For the person's own turn, screen readers hear the
// time given as it starts and once more when kWarnAtSeconds are left.
class TurnClock final : public QLabel
{
public:
    static constexpr int kWarnAtSeconds = 10;

    explicit TurnClock(QWidget *parent = nullptr);

    // A turn of limitMs starts (0: untimed, nothing shows); whose: "ตาของคุณ" or "ตาของ <name>".
    void start(const QString &whose, int limitMs, bool own);
    void stop();
    int secondsLeft() const;

private:
    void tick();

    QTimer m_ticks;
    QElapsedTimer m_since;
    QString m_whose;
    int m_limitMs = 0;
    bool m_own = false;
    bool m_warned = false;
};
