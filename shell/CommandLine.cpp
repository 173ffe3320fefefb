#include "shell/CommandLine.h"

#include "net/JoinCode.h"
#include "net/PlayerText.h"
#include "net/Protocol.h"
#include "net/TableAddress.h"
#include "net/TableAnnouncement.h"

#include <QCommandLineParser>
#include <QSysInfo>

#include <algorithm>
#include <array>

namespace {

struct OptionText
{
    QStringList names;
    QString value; // empty for a switch
    QString description;
};

const QString kHelp = QStringLiteral("help");
const QString kHost = QStringLiteral("host");
const QString kJoin = QStringLiteral("join");
const QString kPort = QStringLiteral("port");
const QString kCode = QStringLiteral("code");
const QString kName = QStringLiteral("name");
const QString kAnnounce = QStringLiteral("announce");
const QString kNoAnnounce = QStringLiteral("no-announce");

// The options in the order the help lists them.
const std::array<OptionText, 8> &options()
{
    static const std::array<OptionText, 8> list { {
        { { QStringLiteral("h"), kHelp }, {}, QStringLiteral("แสดงตัวเลือกเหล่านี้แล้วจบ") },
        { { kHost },
          {},
          QStringLiteral("เปิดโต๊ะเล่นกับเพื่อนโดยไม่มีหน้าต่าง (เช่น บนเครื่องที่ว่างอยู่) "
                         "บันทึกผู้ที่เข้าร่วมและออกจากโต๊ะ จบด้วย Ctrl+C หรือ SIGTERM") },
        { { kPort },
          QStringLiteral("พอร์ต"),
          QStringLiteral("พอร์ต TCP ของโต๊ะที่เปิดด้วย --host (ค่าเริ่มต้น %1; 0 คือพอร์ตว่างใดก็ได้)")
              .arg(net::kDefaultPort) },
        { { kCode },
          QStringLiteral("รหัส"),
          QStringLiteral("รหัสเข้าร่วม %1 หลัก: ของโต๊ะที่เปิด (ไม่ใส่ก็สุ่มให้) "
                         "หรือที่เจ้าของโต๊ะบอก (--join)")
              .arg(net::kJoinCodeLength) },
        { { kJoin },
          QStringLiteral("ที่อยู่:พอร์ต"),
          QStringLiteral("เข้าร่วมโต๊ะของเพื่อนที่ที่อยู่นี้ เช่น 192.168.1.20:47100 หรือ [::1]:47100") },
        { { kName },
          QStringLiteral("ชื่อ"),
          QStringLiteral("ชื่อของคุณที่โต๊ะ (--join) หรือชื่อโต๊ะที่ประกาศในเครือข่าย (--host)") },
        { { kAnnounce },
          {},
          QStringLiteral("ประกาศโต๊ะที่เปิดด้วย --host ในเครือข่ายท้องถิ่นทุกวินาที (UDP broadcast "
                         "พอร์ต %1) ให้เพื่อนในวงเดียวกันเห็นโต๊ะในหน้าต่างเล่นกับเพื่อน")
              .arg(kAnnouncementPort) },
        { { kNoAnnounce },
          {},
          QStringLiteral("ไม่ประกาศโต๊ะ (ค่าเริ่มต้นของ --host): โต๊ะที่ไม่มีหน้าต่างมักเปิดบนเครื่องเช่า "
                         "ซึ่งการประกาศจะไปถึงเครือข่ายของผู้ให้บริการ ไม่ใช่เพื่อน "
                         "เพื่อนเข้าร่วมด้วยที่อยู่:พอร์ตและรหัส") },
    } };
    return list;
}

QString helpText()
{
    QString text = QStringLiteral("ป๊อกเด้ง: เกมไพ่ป๊อกเด้ง\n\n"
                                  "ใช้: pokdeng [ตัวเลือก]\n"
                                  "ไม่มีตัวเลือก: เปิดหน้าต่างเริ่มเกม\n"
                                  "  pokdeng --host [--port พอร์ต] [--code รหัส] [--announce]\n"
                                  "  pokdeng --join ที่อยู่:พอร์ต --code รหัส --name ชื่อ\n\n"
                                  "ตัวเลือก:\n");
    // Each description on a line of its own: Thai marks take no column, so columns of Thai text
    // padded by their length would not line up.
    for (const OptionText &option : options()) {
        QStringList names;
        for (const QString &name : option.names)
            names.append((name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name);
        text += QStringLiteral("  ") + names.join(QStringLiteral(", "));
        if (!option.value.isEmpty())
            text += QStringLiteral(" <") + option.value + QLatin1Char('>');
        text += QStringLiteral("\n      ") + option.description + QLatin1Char('\n');
    }
    return text;
}

// The options of Qt's own that a QApplication reads and takes out of the arguments.
const QStringList &qtOptions()
{
    static const QStringList names = {
        QStringLiteral("platform"),
        QStringLiteral("platformpluginpath"),
        QStringLiteral("platformtheme"),
        QStringLiteral("plugin"),
        QStringLiteral("qwindowgeometry"),
        QStringLiteral("qwindowicon"),
        QStringLiteral("qwindowtitle"),
        QStringLiteral("reverse"),
        QStringLiteral("session"),
        QStringLiteral("display"),
        QStringLiteral("geometry"),
        QStringLiteral("style"),
        QStringLiteral("stylesheet"),
        QStringLiteral("widgetcount"),
        QStringLiteral("nograb"),
        QStringLiteral("dograb"),
        QStringLiteral("sync"),
    };
    return names;
}

CommandLine error(const QString &text)
{
    return { CommandLine::Mode::Error, {}, text };
}

// The reason a name breaks the record's name rules, or nothing: the host's own reasons.
QString nameProblem(const QString &name)
{
    if (!name.isValidUtf16())
        return QStringLiteral("ชื่อมีอักขระที่เก็บไม่ได้");
    const auto refusal = net::nameRefusal(name.toStdString());
    return refusal ? QString::fromStdString(*refusal) : QString();
}

} // namespace

CommandLine parseCommandLine(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    for (const OptionText &option : options())
        parser.addOption(QCommandLineOption(option.names, option.description, option.value));
    if (!parser.parse(arguments)) {
        if (!parser.unknownOptionNames().isEmpty()) {
            const QStringList unknown = parser.unknownOptionNames();
            // Named: the first that is not one of Qt's own.
            const auto own
                = std::find_if(unknown.begin(), unknown.end(),
                               [](const QString &option) { return !qtOptions().contains(option); });
            const QString name = own != unknown.end() ? *own : unknown.front();
            CommandLine wrong = error(
                QStringLiteral("ไม่รู้จักตัวเลือก %1%2")
                    .arg(name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--"), name));
            // With no table hosted and no help asked for, the options may be the window
            // system's: a QApplication takes them out.
            const bool windowed = !arguments.contains(QStringLiteral("--host"))
                && !arguments.contains(QStringLiteral("-host"))
                && !arguments.contains(QStringLiteral("--help"))
                && !arguments.contains(QStringLiteral("-h"));
            wrong.leavesQtOptions = windowed
                && std::all_of(unknown.begin(), unknown.end(),
                               [](const QString &option) { return qtOptions().contains(option); });
            return wrong;
        }
        // The only other failure: an option that takes a value came last, with none after it.
        return error(QStringLiteral("ตัวเลือก %1 ต้องมีค่าตามหลัง").arg(arguments.back()));
    }
    if (!parser.positionalArguments().isEmpty())
        return error(QStringLiteral("ไม่รู้จัก %1").arg(parser.positionalArguments().front()));
    if (parser.isSet(kHelp))
        return { CommandLine::Mode::Help, {}, helpText() };
    for (const QString &option : { kPort, kCode, kName, kJoin })
        if (parser.values(option).size() > 1)
            return error(QStringLiteral("ใส่ --%1 ได้ครั้งเดียว").arg(option));

    const bool hosts = parser.isSet(kHost);
    const bool joins = parser.isSet(kJoin);
    if (hosts && joins)
        return error(QStringLiteral("เลือก --host หรือ --join อย่างใดอย่างหนึ่ง"));
    if (!hosts && !joins) {
        for (const QString &option : { kPort, kCode, kName, kAnnounce, kNoAnnounce })
            if (parser.isSet(option))
                return error(QStringLiteral("--%1 ใช้คู่กับ --host หรือ --join เท่านั้น").arg(option));
        return {};
    }

    FriendsChoice choice;
    if (parser.isSet(kCode)) {
        choice.code = parser.value(kCode).trimmed();
        if (!net::isJoinCode(choice.code))
            return error(
                QStringLiteral("รหัสเข้าร่วมต้องเป็นตัวเลข %1 หลัก เช่น 482913").arg(net::kJoinCodeLength));
    }
    choice.name = parser.value(kName).trimmed();

    if (hosts) {
        choice.role = FriendsChoice::Role::Host;
        if (parser.isSet(kAnnounce) && parser.isSet(kNoAnnounce))
            return error(QStringLiteral("เลือก --announce หรือ --no-announce อย่างใดอย่างหนึ่ง"));
        choice.announce = parser.isSet(kAnnounce);
        choice.port = net::kDefaultPort;
        if (parser.isSet(kPort)) {
            bool ok = false;
            const uint port = parser.value(kPort).trimmed().toUInt(&ok);
            if (!ok || port > 65535)
                return error(QStringLiteral("พอร์ตต้องเป็นตัวเลข 0 ถึง 65535 (0 คือพอร์ตว่างใดก็ได้)"));
            choice.port = static_cast<quint16>(port);
        }
        if (choice.code.isEmpty())
            choice.code = net::makeJoinCode();
        if (choice.name.isEmpty())
            choice.name = QSysInfo::machineHostName().left(net::kMaxNameChars);
        else if (const QString problem = nameProblem(choice.name); !problem.isEmpty())
            return error(problem);
        return { CommandLine::Mode::Host, choice, {} };
    }

    choice.role = FriendsChoice::Role::Join;
    for (const QString &option : { kAnnounce, kNoAnnounce })
        if (parser.isSet(option))
            return error(QStringLiteral("--%1 ใช้กับ --host เท่านั้น").arg(option));
    if (parser.isSet(kPort))
        return error(QStringLiteral("--port ใช้กับ --host เท่านั้น พอร์ตของโต๊ะที่เข้าร่วมอยู่ใน "
                                    "--join ที่อยู่:พอร์ต"));
    const auto address = net::parseTableAddress(parser.value(kJoin), net::kDefaultPort);
    if (!address)
        return error(QStringLiteral("ที่อยู่โต๊ะไม่ถูกต้อง เช่น 192.168.1.20:47100 หรือ [::1]:47100"));
    choice.address = address->first;
    choice.port = address->second;
    if (choice.code.isEmpty())
        return error(QStringLiteral("ใส่รหัสเข้าร่วมที่เจ้าของโต๊ะบอกด้วย --code"));
    if (!parser.isSet(kName))
        return error(QStringLiteral("ใส่ชื่อของคุณด้วย --name"));
    if (const QString problem = nameProblem(choice.name); !problem.isEmpty())
        return error(problem);
    return { CommandLine::Mode::Join, choice, {} };
}
