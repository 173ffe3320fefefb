#include "net/SeatTokenKeeper.h"

#include "net/TableClient.h"

#include <utility>

namespace net {

SeatTokenKeeper::SeatTokenKeeper(TableClient &client, SeatTokenStore &store, QString host,
                                 quint16 port, QString code, QObject *parent)
    : QObject(parent)
    , m_client(client)
    , m_store(store)
    , m_host(std::move(host))
    , m_port(port)
    , m_code(std::move(code))
{
    connect(&client, &TableClient::welcomed, this, &SeatTokenKeeper::keep);
    connect(&client, &TableClient::rejected, this, &SeatTokenKeeper::forget);
    connect(&client, &TableClient::disconnected, this, &SeatTokenKeeper::forget);
    connect(&m_refresh, &QTimer::timeout, this, [this] {
        if (m_client.isConnected())
            keep();
    });
    m_refresh.start(kRefreshMs);
    if (client.seat() != 0)
        keep();
}

void SeatTokenKeeper::keep()
{
    if (!m_client.token().isEmpty())
        m_store.keep(m_host, m_port, m_code, m_client.token());
}

void SeatTokenKeeper::forget()
{
    m_store.forget(m_host, m_port, m_code);
}

} // namespace net
