#include "toolkit/GameSettings.h"

#include <QSettings>

#include <gtest/gtest.h>

#include <functional>

namespace {

// The settings file as the game has always written it, read and written past GameSettings.
QSettings file()
{
    return QSettings(QStringLiteral("pokdeng"), QStringLiteral("pokdeng"));
}

class RememberedChoices : public ::testing::Test
{
protected:
    void SetUp() override { GameSettings().clear(); }
    void TearDown() override { GameSettings().clear(); }
};

// Each choice reads its default from an empty file, and is kept under the key files users
// already have hold: what an earlier version wrote is read back, and what is set lands there.
TEST_F(RememberedChoices, EachChoiceKeepsItsKeyAndDefault)
{
    const QByteArray placed("saved window geometry");
    const struct
    {
        const char *key;
        QVariant fallback;
        QVariant kept;
        std::function<QVariant()> get;
        std::function<void(const QVariant &)> set;
    } rows[] = {
        { "table/highContrast", false, true, [] { return QVariant(GameSettings().highContrast()); },
          [](const QVariant &v) { GameSettings().setHighContrast(v.toBool()); } },
        { "table/oddsAdvisor", false, true, [] { return QVariant(GameSettings().oddsAdvisor()); },
          [](const QVariant &v) { GameSettings().setOddsAdvisor(v.toBool()); } },
        { "table/sound", false, true, [] { return QVariant(GameSettings().sound()); },
          [](const QVariant &v) { GameSettings().setSound(v.toBool()); } },
        { "windows/pokdeng/geometry", QByteArray(), placed,
          [] { return QVariant(GameSettings().windowGeometry(GameKind::PokDeng)); },
          [](const QVariant &v) {
              GameSettings().setWindowGeometry(GameKind::PokDeng, v.toByteArray());
          } },
        { "windows/ninega/geometry", QByteArray(), placed,
          [] { return QVariant(GameSettings().windowGeometry(GameKind::NineGa)); },
          [](const QVariant &v) {
              GameSettings().setWindowGeometry(GameKind::NineGa, v.toByteArray());
          } },
        { "windows/dummy/geometry", QByteArray(), placed,
          [] { return QVariant(GameSettings().windowGeometry(GameKind::Dummy)); },
          [](const QVariant &v) {
              GameSettings().setWindowGeometry(GameKind::Dummy, v.toByteArray());
          } },
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.key);
        const QString key = QString::fromLatin1(row.key);
        GameSettings().clear();
        EXPECT_EQ(row.get(), row.fallback) << "from an empty file";
        file().setValue(key, row.kept);
        EXPECT_EQ(row.get(), row.kept) << "as an earlier version wrote it";
        row.set(row.fallback);
        EXPECT_EQ(file().value(key), row.fallback) << "set to its default";
        row.set(row.kept);
        EXPECT_EQ(file().value(key), row.kept);
        EXPECT_EQ(file().allKeys(), QStringList { key }) << "nothing else written";
    }
}

} // namespace
