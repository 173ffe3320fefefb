// เล่นกับเพื่อน: a typed table address is read as people write them; the dialog closes only on a
// complete choice and says in Thai what is missing; a table heard of on the loopback is listed
// and chosen with a click.
#include "windows/FriendsDialog.h"
#include "net/LocalAddresses.h"
#include "net/TableAddress.h"
#include "net/TableDiscovery.h"
#include "support/RowName.h"
#include "toolkit/GameSettings.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

struct TypedAddress
{
    const char *name;
    const char *text;
    std::optional<std::pair<QString, quint16>> read;
};

class TableAddresses : public ::testing::TestWithParam<TypedAddress>
{
};

TEST_P(TableAddresses, AreReadAsPeopleWriteThem)
{
    EXPECT_EQ(net::parseTableAddress(QString::fromUtf8(GetParam().text), 47100), GetParam().read);
}

std::pair<QString, quint16> at(const char *host, quint16 port)
{
    return { QString::fromLatin1(host), port };
}

INSTANTIATE_TEST_SUITE_P(
    Typed, TableAddresses,
    ::testing::Values(TypedAddress { "address and port", "192.168.1.5:47200",
                                     at("192.168.1.5", 47200) },
                      TypedAddress { "name alone", " gamebox.local ", at("gamebox.local", 47100) },
                      TypedAddress { "v6 in brackets", "[::1]:5000", at("::1", 5000) },
                      TypedAddress { "bare v6", "fe80::1", at("fe80::1", 47100) },
                      TypedAddress { "empty", "", std::nullopt },
                      TypedAddress { "port alone", ":47100", std::nullopt },
                      TypedAddress { "colon without port", "host:", std::nullopt },
                      TypedAddress { "port 0", "host:0", std::nullopt },
                      TypedAddress { "port past 65535", "host:70000", std::nullopt },
                      TypedAddress { "letters for port", "host:abc", std::nullopt },
                      TypedAddress { "a blank inside", "my host", std::nullopt },
                      TypedAddress { "unclosed bracket", "[::1:5000", std::nullopt }),
    RowNamer());

// What the host tells friends: the machine's addresses a friend can reach, IPv4 first, each as
// it is typed back into the join box; a machine with only the loopback has none to tell.
TEST(TableAddresses, TheHostOffersItsReachableAddressesIpv4First)
{
    const auto addresses = [](std::initializer_list<const char *> texts) {
        QList<QHostAddress> list;
        for (const char *text : texts)
            list.append(QHostAddress(QString::fromLatin1(text)));
        return list;
    };
    EXPECT_EQ(net::reachableAddresses(
                  addresses({ "127.0.0.1", "fd00::5", "fe80::1", "::1", "192.168.1.20",
                              "169.254.3.4", "10.0.0.3", "192.168.1.20", "0.0.0.0" })),
              addresses({ "192.168.1.20", "10.0.0.3", "fd00::5" }));
    EXPECT_TRUE(net::reachableAddresses(addresses({ "127.0.0.1", "::1" })).isEmpty());

    for (const auto &[host, text] :
         { std::pair { "192.168.1.20", "192.168.1.20:47100" }, { "fd00::5", "[fd00::5]:47100" } }) {
        EXPECT_EQ(net::tableAddressText(QHostAddress(QString::fromLatin1(host)), 47100),
                  QString::fromLatin1(text));
        EXPECT_EQ(net::parseTableAddress(QString::fromLatin1(text), 1), at(host, 47100))
            << "typed back as shown";
    }
}

template<class T> T *child(const QWidget &dialog, const char *name)
{
    T *found = dialog.findChild<T *>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}

TEST(FriendsDialog, HostingNeedsANameAndGivesTheCodeToTell)
{
    FriendsDialog dialog(nullptr);
    dialog.show();
    child<QPushButton>(dialog, "ok")->click();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(child<QLabel>(dialog, "problem")->text(), QStringLiteral("ใส่ชื่อของคุณก่อน"));
    EXPECT_FALSE(dialog.choice());

    child<QLineEdit>(dialog, "txtname")->setText(QStringLiteral("สมชาย"));
    child<QPushButton>(dialog, "ok")->click();
    ASSERT_TRUE(dialog.choice());
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.choice()->role, FriendsChoice::Role::Host);
    EXPECT_EQ(dialog.choice()->name, QStringLiteral("สมชาย"));
    EXPECT_EQ(dialog.choice()->port, kTablePort);
    EXPECT_EQ(dialog.choice()->code, child<QLabel>(dialog, "hostCode")->text());
    EXPECT_EQ(dialog.choice()->code.size(), 6);
}

TEST(FriendsDialog, JoiningATableHeardOnTheLoopbackWithItsCode)
{
    TableFinder finder(1, QHostAddress::LocalHost, 0);
    TableAnnouncer table({ 1, QStringLiteral("โต๊ะของแดง"), 47200, 2 },
                         { { QHostAddress::LocalHost, finder.port() } });
    FriendsDialog dialog(&finder);
    dialog.show();
    child<QLineEdit>(dialog, "txtname")->setText(QStringLiteral("ดำ"));
    child<QRadioButton>(dialog, "optJoin")->click();
    auto *found = child<QListWidget>(dialog, "foundTables");
    ASSERT_TRUE(QTest::qWaitFor([&] { return found->item(0)->flags() != Qt::NoItemFlags; }, 5000));
    EXPECT_EQ(found->item(0)->text(), QStringLiteral("โต๊ะของแดง — 127.0.0.1:47200 (ว่าง 2 ที่)"));
    found->setCurrentRow(0);
    EXPECT_EQ(child<QLineEdit>(dialog, "address")->text(), QStringLiteral("127.0.0.1:47200"));

    child<QPushButton>(dialog, "ok")->click();
    EXPECT_EQ(child<QLabel>(dialog, "problem")->text(),
              QStringLiteral("ใส่รหัสเข้าร่วม 6 หลักที่เจ้าของโต๊ะบอก"));
    QTest::keyClicks(child<QLineEdit>(dialog, "code"), QStringLiteral("12x3456"));
    child<QPushButton>(dialog, "ok")->click();
    ASSERT_TRUE(dialog.choice());
    EXPECT_EQ(*dialog.choice(),
              (FriendsChoice { FriendsChoice::Role::Join, QStringLiteral("ดำ"),
                               QStringLiteral("127.0.0.1"), 47200, QStringLiteral("123456") }));
}

TEST(FriendsDialog, ABadAddressIsSaidAndKeepsTheDialogOpen)
{
    FriendsDialog dialog(nullptr);
    dialog.show();
    child<QLineEdit>(dialog, "txtname")->setText(QStringLiteral("ดำ"));
    child<QRadioButton>(dialog, "optJoin")->click();
    child<QLineEdit>(dialog, "address")->setText(QStringLiteral("host:99999"));
    child<QLineEdit>(dialog, "code")->setText(QStringLiteral("123456"));
    child<QPushButton>(dialog, "ok")->click();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(
        child<QLabel>(dialog, "problem")->text().startsWith(QStringLiteral("ที่อยู่โต๊ะไม่ถูกต้อง")));
}

// The confirming button says what it will do; the name and the table joined last time are
// offered again, while a table hosted leaves the address as it was.
TEST(FriendsDialog, TheButtonSaysWhatItDoesAndTheLastChoiceIsOfferedAgain)
{
    GameSettings().clear();
    {
        FriendsDialog dialog(nullptr);
        dialog.show();
        auto *ok = child<QPushButton>(dialog, "ok");
        EXPECT_EQ(ok->text(), QStringLiteral("เปิดโต๊ะ"));
        EXPECT_TRUE(child<QLineEdit>(dialog, "txtname")->text().isEmpty());
        child<QRadioButton>(dialog, "optJoin")->click();
        EXPECT_EQ(ok->text(), QStringLiteral("เข้าร่วม"));
        child<QLineEdit>(dialog, "txtname")->setText(QStringLiteral("ดำ"));
        child<QLineEdit>(dialog, "address")->setText(QStringLiteral("192.168.1.20:47100"));
        child<QLineEdit>(dialog, "code")->setText(QStringLiteral("816081"));
        ok->click();
        ASSERT_TRUE(dialog.choice());
    }
    {
        FriendsDialog dialog(nullptr);
        EXPECT_EQ(child<QLineEdit>(dialog, "txtname")->text(), QStringLiteral("ดำ"));
        EXPECT_EQ(child<QLineEdit>(dialog, "address")->text(),
                  QStringLiteral("192.168.1.20:47100"));
        EXPECT_TRUE(child<QLineEdit>(dialog, "code")->text().isEmpty()) << "a code is for once";
        child<QLineEdit>(dialog, "txtname")->setText(QStringLiteral("แดง"));
        child<QPushButton>(dialog, "ok")->click();
        ASSERT_TRUE(dialog.choice());
        EXPECT_EQ(dialog.choice()->role, FriendsChoice::Role::Host);
    }
    const GameSettings settings;
    EXPECT_EQ(settings.friendsName(), QStringLiteral("แดง"));
    EXPECT_EQ(settings.lastJoinedTable(), QStringLiteral("192.168.1.20:47100"));
    GameSettings().clear();
}

} // namespace
