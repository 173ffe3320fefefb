// Draws every window of the game into PNG files, for looking at what a change did to the
// screen: ./pokdeng_screenshots [folder]. Runs offscreen, whose pictures are the same as a real
// window's. The table is also drawn at twice its size, maximised (on a 1920 x 1080 screen:
// QT_QPA_PLATFORM=offscreen:configfile=F with F {"screens": [{"name": "s", "x": 0, "y": 0,
// "width": 1920, "height": 1080, "logicalDpi": 96, "dpr": 1}]}), at a wide odd size, and in the
// middle of a slide.
#include "history/ScoreStore.h"
#include "net/TableClient.h"
#include "net/TableHost.h"
#include "shell/Form1.h"
#include "support/GoingOnToolkit.h"
#include "support/OffscreenApplication.h"
#include "support/SimulatedPlay.h"
#include "support/TableRound.h"
#include "table/SeatLink.h"
#include "table/TableController.h"
#include "toolkit/CardFlip.h"
#include "toolkit/CardLibrary.h"
#include "toolkit/CardPicture.h"
#include "toolkit/CardSlider.h"
#include "toolkit/GameSettings.h"
#include "windows/ChatPanel.h"
#include "windows/FriendsDialog.h"
#include "windows/Frmabout.h"
#include "windows/Frmhistory.h"
#include "windows/Frmpoint.h"
#include "windows/Frmpok.h"
#include "windows/Frmrules.h"
#include "windows/PlaceholderGame.h"

#include <QAction>
#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTextBrowser>
#include <QTimer>

#include <functional>
#include <memory>
#include <optional>

namespace {

// Deals the given cards, slot by slot, then flips the seats' coins from a seeded source.
class DealingRandom final : public cards::RandomSource
{
public:
    explicit DealingRandom(const pokdeng::SlotCards &cards)
    {
        for (int slot = pokdeng::kSlotCount; slot >= 1; --slot) {
            m_numbers.push_back((cards[slot].rank - 0.5) / 13);
            m_numbers.push_back((cards[slot].suit - 0.5) / 4);
        }
    }
    double next() override
    {
        if (m_numbers.empty())
            return m_coins.next();
        const double r = m_numbers.back();
        m_numbers.pop_back();
        return r;
    }

private:
    std::vector<double> m_numbers;
    cards::SeededRandom m_coins { 1 };
};

pokdeng::SlotCards slotCards(const char *const (&bySlot)[pokdeng::kSlotCount])
{
    pokdeng::SlotCards cards;
    const QString suits = QStringLiteral("SHDC");
    for (int slot = 1; slot <= pokdeng::kSlotCount; ++slot) {
        const QString text = QString::fromLatin1(bySlot[slot - 1]);
        const QString rank = text.chopped(1);
        const int r = rank == QLatin1String("A") ? 1
            : rank == QLatin1String("J")         ? 11
            : rank == QLatin1String("Q")         ? 12
            : rank == QLatin1String("K")         ? 13
                                                 : rank.toInt();
        cards.set(slot,
                  { static_cast<std::uint8_t>(suits.indexOf(text.back()) + 1),
                    static_cast<std::int16_t>(r) });
    }
    return cards;
}

void save(QWidget &window, const QString &folder, const QString &name)
{
    window.show();
    QApplication::processEvents();
    window.grab().save(folder + QLatin1Char('/') + name + QStringLiteral(".png"));
}

// Runs the event loop until done() or 10 s have passed.
bool waitFor(const std::function<bool()> &done)
{
    QDeadlineTimer deadline(10'000);
    while (!done() && !deadline.hasExpired())
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
    return done();
}

// Three people at one table over this machine's loopback, in the host's turn: the host's window
// and two joining windows, each with its own cards face up in the user's place, and a chat.
void saveFriendsTable(const QString &folder)
{
    using pokdeng::kUserSeat;
    const QString code = QStringLiteral("482193");
    cards::SeededRandom deals(20261211);
    table::TableController table(deals);
    net::TableHost host(table, { code });
    host.listen(QHostAddress::LocalHost, 0);
    table::LocalSeat hostSeat(table, kUserSeat);
    Frmpok hosting(hostSeat, kUserSeat);
    hosting.showTableLine(
        QStringLiteral("โต๊ะของคุณเปิดที่พอร์ต %1 รหัสเข้าร่วม %2").arg(host.port()).arg(code));
    table.join("แดง", &hosting, kUserSeat);
    QObject::connect(&host, &net::TableHost::chatted, hosting.chatPanel(),
                     [&](const net::Chat &line) {
                         hosting.chatPanel()->addLine(QString::fromStdString(line.name),
                                                      QString::fromStdString(net::chatText(line)));
                     });

    struct Joining
    {
        net::TableClient client;
        std::unique_ptr<Frmpok> window;
    };
    std::array<Joining, 2> joining;
    const std::array<QString, 2> names = { QStringLiteral("ดำ"), QStringLiteral("ขาว") };
    for (std::size_t k = 0; k < joining.size(); ++k) {
        Joining &person = joining[k];
        person.client.connectTo(QStringLiteral("127.0.0.1"), host.port(), names[k], code);
        waitFor([&] { return person.client.seat() != 0; });
        person.window = std::make_unique<Frmpok>(person.client, person.client.seat());
        person.client.setView(person.window.get());
        person.window->showTableLine(QStringLiteral("เล่นที่โต๊ะ 127.0.0.1:%1").arg(host.port()));
        QObject::connect(&person.client, &net::TableClient::chatted, person.window->chatPanel(),
                         [&person](int from, const QString &name, const QString &text) {
                             person.window->chatPanel()->addLine(name, text,
                                                                 from == person.client.seat());
                         });
        person.window->show();
    }
    hosting.show();
    // Before the first deal: the seats say who holds them.
    waitFor([&] {
        return hosting.findChild<QLabel *>(QStringLiteral("Lblpl3"))->text().contains(names[1]);
    });
    save(hosting, folder, QStringLiteral("friends-lobby"));

    const auto bet = [](Frmpok &window) {
        auto *option = window.findChild<QRadioButton *>(QStringLiteral("Opt1000"));
        waitFor([&] { return option->isEnabled(); });
        option->click();
    };
    bet(hosting);
    for (Joining &person : joining)
        bet(*person.window);
    // ขา 1 stands (or draws), then it is the host's turn.
    Frmpok &first = *joining[0].window;
    waitFor([&] { return first.phase() == Frmpok::Phase::UserTurn; });
    auto *stand = first.findChild<QPushButton *>(QStringLiteral("cmdnoreq"));
    (stand->isVisible() ? stand : first.findChild<QPushButton *>(QStringLiteral("Cmdreq")))
        ->click();
    joining[0].client.say(QStringLiteral("ไพ่มาแล้ว"));
    joining[1].client.say(QStringLiteral("เก่งมาก"));
    waitFor([&] { return hosting.phase() == Frmpok::Phase::UserTurn; });
    waitFor([&] { return hosting.chatPanel()->lines().size() == 2; });
    waitFor([&] { return joining[1].window->chatPanel()->lines().size() == 2; });
    save(hosting, folder, QStringLiteral("friends-host"));
    hosting.resize(hosting.size() * 2);
    save(hosting, folder, QStringLiteral("friends-host-2x"));
    save(first, folder, QStringLiteral("friends-first"));
    save(*joining[1].window, folder, QStringLiteral("friends-last"));
    // ขาบ๊วย's person let a limit run out: every window marks them away.
    hosting.tell(0, table::SeatChanged { 3, true, names[1].toStdString(), true, true });
    waitFor([&] {
        return hosting.findChild<QLabel *>(QStringLiteral("Lblpl3"))
            ->text()
            .contains(QStringLiteral("ไม่อยู่"));
    });
    save(hosting, folder, QStringLiteral("friends-away"));
    for (Joining &person : joining)
        person.client.setView(nullptr);
    table.leave(kUserSeat);
}

} // namespace

int main(int argc, char *argv[])
{
    const QString folder
        = QDir().absoluteFilePath(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("."));
    OffscreenApplication app(argc, argv);
    QDir().mkpath(folder);
    QDir::setCurrent(folder);
    CardSlider::setInstant(true);
    writeScoreFile(QStringLiteral("สมชาย ใจดี"), 25000.5);

    Form1 start;
    save(start, folder, QStringLiteral("start"));

    cards::SeededRandom random(20261210);
    Frmpok table(nullptr, &random);
    save(table, folder, QStringLiteral("table-waiting"));
    tableround::bet(&table);
    save(table, folder, QStringLiteral("table-round"));
    const QSize designSize = table.size();
    const int menuHeight
        = designSize.height() - table.findChild<QWidget *>(QStringLiteral("client"))->height();
    const auto client = [&](QSize size) { return size + QSize(0, menuHeight); };
    table.resize(client(designSize.shrunkBy({ 0, menuHeight, 0, 0 }) * 2));
    save(table, folder, QStringLiteral("table-round-2x"));
    // The same table with ไพ่สี่สี, and with the user's cards halfway through turning over.
    table.findChild<QAction *>(QStringLiteral("mnudeck"))->trigger();
    save(table, folder, QStringLiteral("table-four-colour-2x"));
    table.findChild<QAction *>(QStringLiteral("mnudeck"))->trigger();
    for (const char *name : { "Imgpl2", "Imgpl6" })
        table.findChild<CardPicture *>(QString::fromLatin1(name))
            ->setSqueeze(CardFlip::widthAt(56));
    save(table, folder, QStringLiteral("table-flip-2x"));
    for (const char *name : { "Imgpl2", "Imgpl6" })
        table.findChild<CardPicture *>(QString::fromLatin1(name))->setSqueeze(1);
    table.resize(client(QSize(995, 834))); // 2.37 times
    save(table, folder, QStringLiteral("table-round-2.37x"));
    table.resize(client(QSize(1000, 500)));
    save(table, folder, QStringLiteral("table-round-wide"));
    table.showMaximized();
    save(table, folder, QStringLiteral("table-round-maximised"));
    table.showNormal();
    table.resize(designSize);
    QApplication::processEvents();

    // A card on its way, at 2x: drawn above the options and the labels it crosses.
    {
        Frmpok sliding(nullptr, &random);
        sliding.resize(client(designSize.shrunkBy({ 0, menuHeight, 0, 0 }) * 2));
        sliding.show();
        QApplication::processEvents();
        CardSlider::setInstant(false);
        QTimer::singleShot(1900,
                           [&] { save(sliding, folder, QStringLiteral("table-sliding-2x")); });
        tableround::bet(&sliding);
        CardSlider::setInstant(true);
    }
    // The windows below open at their design size again.
    GameSettings().clear();

    // The focus ring, around a bet option and around a turn button.
    Frmpok focused(nullptr, &random);
    focused.show();
    QApplication::setActiveWindow(&focused);
    auto *thousand = focused.findChild<QRadioButton *>(QStringLiteral("Opt1000"));
    thousand->setFocus(Qt::TabFocusReason);
    save(focused, folder, QStringLiteral("table-focus-bet"));
    thousand->click();
    tableround::shownTurn(&focused, tableround::kDrawFirst)->setFocus(Qt::TabFocusReason);
    save(focused, folder, QStringLiteral("table-focus-turn"));

    // A finished round whose money beats an empty record offers to save it.
    QFile::remove(QStringLiteral("point.pon"));
    std::optional<GoingOnToolkit> goingOn(std::in_place);
    Frmpok saving(nullptr, &random);
    tableround::playThrough(&saving);
    saving.findChild<QLineEdit *>(QStringLiteral("txtname"))->setText(QStringLiteral("สมหญิง"));
    save(saving, folder, QStringLiteral("table-save"));
    goingOn.reset();
    writeScoreFile(QStringLiteral("สมชาย ใจดี"), 25000.5);

    // The odds advisor at the user's turn: the user holds 3 of spades and ace of hearts (4 points,
    // two suits) for a stake of 1,000.
    DealingRandom known(
        slotCards({ "KS", "3S", "5D", "6S", "QS", "AH", "2D", "2H", "8S", "9D", "3D", "4C" }));
    Frmpok advised(nullptr, &known);
    advised.findChild<QAction *>(QStringLiteral("mnuodds"))->setChecked(true);
    tableround::bet(&advised);
    save(advised, folder, QStringLiteral("table-odds"));

    Frmpoint record;
    save(record, folder, QStringLiteral("record"));
    Frm9ga nineGa;
    save(nineGa, folder, QStringLiteral("9ga"));
    Frmdum dummy;
    save(dummy, folder, QStringLiteral("dummy"));
    Frmabout about;
    save(about, folder, QStringLiteral("about"));
    FriendsDialog friends(nullptr);
    friends.show();
    save(friends, folder, QStringLiteral("friends"));
    saveFriendsTable(folder);

    // The play history after a few hundred rounds over several tables, and the rules page.
    const QString historyFile = folder + QStringLiteral("/history.sqlite");
    for (const QString &suffix : { QString(), QStringLiteral("-wal"), QStringLiteral("-shm") })
        QFile::remove(historyFile + suffix);
    HistoryStore history(historyFile);
    playIntoHistory(history, 400, 20261210, 1'765'000'000'000);
    Frmhistory statistics(history);
    save(statistics, folder, QStringLiteral("history-table"));
    statistics.setScope(HistoryStore::Scope::AllTime);
    save(statistics, folder, QStringLiteral("history-all"));
    statistics.resize(640, 560);
    save(statistics, folder, QStringLiteral("history-small"));

    Frmrules rules;
    save(rules, folder, QStringLiteral("rules"));
    QScrollBar *scroll = rules.findChild<QTextBrowser *>()->verticalScrollBar();
    for (int page = 1; scroll->value() < scroll->maximum(); ++page) {
        scroll->setValue(scroll->value() + scroll->pageStep());
        save(rules, folder, QStringLiteral("rules-%1").arg(page));
    }
    return 0;
}
