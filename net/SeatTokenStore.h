#pragma once

#include <QString>

#include <chrono>

namespace net {

// The seat tokens of the tables this person's game sits at, kept on disk so that a game started
// again after a crash (or a closed program that never left) takes its seat and its money back
// rather than a fresh seat. One file for each table (its address, port and join code), readable
// by its owner alone, written whole or not at all. A token is good only while the host keeps
// the seat of a lost connection: one not kept again (keep()) within maxAge is no longer given.
class SeatTokenStore
{
public:
    static constexpr std::chrono::milliseconds kDefaultMaxAge { 60'000 };

    // folder: where the files go (made when needed); empty: the user's data folder for the game
    // (with none, such as with no home, nothing is kept).
    explicit SeatTokenStore(QString folder = {}, std::chrono::milliseconds maxAge = kDefaultMaxAge);

    // The token kept for the table, empty when none is, or when it is older than maxAge.
    QString token(const QString &host, quint16 port, const QString &code) const;
    // Keeps (or keeps again, with the time now) the token for the table; false when it could not
    // be written.
    bool keep(const QString &host, quint16 port, const QString &code, const QString &token);
    // The person left the table, or the host knows the token no more.
    void forget(const QString &host, quint16 port, const QString &code);

    // The file of the table's token.
    QString filePath(const QString &host, quint16 port, const QString &code) const;

private:
    QString m_folder;
    std::chrono::milliseconds m_maxAge;
};

} // namespace net
