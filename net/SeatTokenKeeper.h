#pragma once

#include "net/SeatTokenStore.h"

#include <QObject>
#include <QString>
#include <QTimer>

namespace net {

class TableClient;

// Keeps the seat token of a client's table in a store while the host keeps the seat: written
// when the host seats the client (and again when it takes the seat back), written again every
// kRefreshMs while connected, so that its age tells how long ago the connection was last
// known to be alive. Forgotten when the seat is gone: the host refused the client (the table
// closed, the token is unknown), the connection ended for good (the person left, the seat could
// not be taken back in time), or forget() is called. A client destroyed without leaving (the
// program ended or crashed) leaves its token for the next start.
class SeatTokenKeeper final : public QObject
{
    Q_OBJECT
public:
    static constexpr int kRefreshMs = 10'000;

    // client and store must outlive the keeper. A client already seated has its token kept now.
    SeatTokenKeeper(TableClient &client, SeatTokenStore &store, QString host, quint16 port,
                    QString code, QObject *parent = nullptr);

    void forget();

private:
    void keep();

    TableClient &m_client;
    SeatTokenStore &m_store;
    QString m_host;
    quint16 m_port;
    QString m_code;
    QTimer m_refresh;
};

} // namespace net
