#include "history/HistoryStore.h"

HistoryStore::HistoryStore(const QString &path)
    : m_connection(path)
    , m_writer(m_connection)
    , m_reader(m_connection, [this] { return m_writer.sessionId(); })
{
}
