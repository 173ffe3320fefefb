#pragma once

#include <QString>

#include <optional>
#include <utility>

namespace net {

// A table's address as a person types it: "host", "host:port", "[v6 address]:port"; the port
// is defaultPort when none is given. Nothing for an empty host or a port outside 1..65535.
std::optional<std::pair<QString, quint16>> parseTableAddress(const QString &text,
                                                             quint16 defaultPort);

} // namespace net
