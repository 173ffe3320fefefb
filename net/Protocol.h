#pragma once

#include "table/TableEvents.h"

#include <QByteArray>
#include <QByteArrayView>

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

// The messages between a table's host and the people at it, on the wire: each one a 4-byte
// big-endian length, then that many bytes of one CBOR map whose "t" names its kind. The host
// sends welcome, rejected, refused, event, chat and notice; a person's game sends hello, action,
// shown and chat. Anything else, a message over kMaxMessageBytes, or bytes that are not such a map
// is refused by the decoder: it returns no message and a reason, and never throws.
namespace net {

inline constexpr int kProtocolVersion = 1;
inline constexpr std::uint32_t kMaxMessageBytes = 64 * 1024;
inline constexpr int kDefaultPort = 47100;
// The longest chat line and name, in characters (UTF-16 code units).
inline constexpr int kMaxChatChars = 200;
inline constexpr int kMaxNameChars = 40;

// This game's version, as a hello carries it: people play together only with the same one.
std::string gameVersion();

// The quick phrases a person may send with one key; sent by their number.
const std::vector<std::string> &quickPhrases();

// A person's game asks for a seat: the join code the host shows, and the seat token it was given
// when it comes back after a lost connection (empty the first time).
struct Hello
{
    int protocol = kProtocolVersion;
    std::string gameVersion;
    std::string name;
    std::string code;
    std::string token;
    // With a token: the last step of the table the person's game was told before it lost the
    // connection (0: none, such as a game started afresh); the host tells it what came after.
    std::uint64_t seenStep = 0;
    friend bool operator==(const Hello &, const Hello &) = default;
};
// The host seated the person: their seat and the token that brings them back to it.
struct Welcome
{
    int seat = 0;
    std::string token;
    friend bool operator==(const Welcome &, const Welcome &) = default;
};
// Why the host does not seat the person (a reason code and its Thai text); the host closes the
// connection after it.
// TableClosed ends every connection of a table whose host closes it: nothing to come back to.
// Name and NameTaken: the name may not sit at the table (the text says why); TooManyTries: too
// many wrong join codes came lately, and the code was not looked at.
enum class Rejection {
    Version,
    Code,
    TableFull,
    TokenInUse,
    UnknownToken,
    BadMessages,
    TableClosed,
    Name,
    NameTaken,
    TooManyTries
};
struct Rejected
{
    Rejection reason = Rejection::Code;
    std::string text;
    friend bool operator==(const Rejected &, const Rejected &) = default;
};
// An action for the seat the connection holds; the message names no seat.
struct ActionMessage
{
    table::Action action;
    friend bool operator==(const ActionMessage &, const ActionMessage &) = default;
};
struct Refused
{
    table::Refusal refusal = table::Refusal::NotSeated;
    std::string text;
    friend bool operator==(const Refused &, const Refused &) = default;
};
struct EventMessage
{
    std::uint64_t step = 0;
    table::Event event;
    friend bool operator==(const EventMessage &, const EventMessage &) = default;
};
struct Shown
{
    std::uint64_t step = 0;
    friend bool operator==(const Shown &, const Shown &) = default;
};
// A chat line: plain text, or a quick phrase by number (phrase -1 for text). From a person the
// seat and name are not sent; the host fills them in when it passes the line on. The decoder
// takes any text of the right length: whether it is a plain line (isPlainText) is for the host
// to refuse with a reason and for a game to leave unshown, never a reason to end a connection.
struct Chat
{
    int seat = 0;
    std::string name;
    std::string text;
    int phrase = -1;
    friend bool operator==(const Chat &, const Chat &) = default;
};
// What a chat line says: its text, or its quick phrase (UTF-8).
std::string chatText(const Chat &chat);
// The host tells one person something about what they sent (their chat lines are dropped, say),
// in Thai; only they see it.
struct Notice
{
    std::string text;
    friend bool operator==(const Notice &, const Notice &) = default;
};

using Message = std::variant<Hello, Welcome, Rejected, ActionMessage, Refused, EventMessage, Shown,
                             Chat, Notice>;

enum class Sender { Person, Host };
// Who may send a message of this kind.
Sender senderOf(const Message &message);

// The Thai text of a rejection. For Version, the two game versions are named.
std::string rejectionText(Rejection reason, const std::string &hostVersion = {},
                          const std::string &personVersion = {});

// The message with its length prefix, ready for the socket.
QByteArray encode(const Message &message);

struct Decoded
{
    std::optional<Message> message;
    const char *error = nullptr; // why it was refused, for the log (not shown to anyone)
};
// One message's bytes (no length prefix) as sent by from; a kind the other side sends is refused.
Decoded decode(QByteArrayView body, Sender from);

// Cuts the bytes of a connection into messages, however they arrive. A length over
// kMaxMessageBytes is refused from the prefix alone, before its bytes are kept; after that the
// reader stays failed (the stream cannot be followed further).
class FrameReader
{
public:
    void feed(QByteArrayView bytes);
    // The next whole message's body, or nothing while it has not all arrived (or failed()).
    std::optional<QByteArray> next();
    bool failed() const { return m_failed; }
    qsizetype buffered() const { return m_buffer.size(); }

private:
    QByteArray m_buffer;
    bool m_failed = false;
};

} // namespace net
