#pragma once

#include <QByteArrayView>

#include <string>

// What must hold for network play whatever bytes arrive. The fuzz targets abort when a check
// answers; the ordinary test suite replays their seeds and findings through the same checks.
namespace net::fuzz {

// Any bytes as a message body from either side: the decoder gives a message or a reason, never
// both or neither; a message it takes survives its own encoding; the frame reader, fed the bytes
// in two cuts, keeps no more than a message and a chunk and finds no more messages than the
// bytes hold. Returns what went wrong, or an empty text when all holds.
std::string checkMessageBytes(QByteArrayView bytes);

// The bytes as a script of what four connections do to a table's host with no socket: open,
// send bytes (raw, or a well-formed hello, action, shown or chat), lose the connection, two
// bytes an operation at least. The host never crashes, a connected seat is one the table knows,
// the table counts its people right, and no more connections are open than were opened. Needs a
// QCoreApplication. Returns what went wrong, or an empty text.
std::string checkHostScript(QByteArrayView script);

} // namespace net::fuzz
