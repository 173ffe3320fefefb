// How the table looks with the helpers "พลิกไพ่" and "ไพ่สี่สี": with the flip on the user's
// cards come out face down and turn over where they land, the rest turn over together at the
// reveal, each turn heard, the round itself unchanged; with the four-colour deck on the cards
// on the table are drawn in it, and switching it off draws them in the design's deck again.
#include "support/ScriptedTable.h"
#include "support/TableRound.h"
#include "toolkit/CardFlip.h"
#include "toolkit/CardLibrary.h"
#include "toolkit/GameSettings.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>

#include <gtest/gtest.h>

using Answer = Toolkit::Answer;

namespace {

class TableLooks : public ScriptedTable
{
protected:
    void SetUp() override
    {
        GameSettings().clear();
        ScriptedTable::SetUp();
    }
    void TearDown() override
    {
        ScriptedTable::TearDown();
        GameSettings().clear();
        CardLibrary::setDeck(CardLibrary::Deck::Design);
    }
};

TEST_F(TableLooks, WithTheFlipOnTheUsersCardsTurnOverWhereTheyLandAndTheRestAtTheReveal)
{
    GameSettings().setCardFlip(true);
    CardFlip::setInstant(true);
    tableround::bet(table.get(), random, "KS QS 8S | 3S 4H 2C | 5D 2D 3D | 6S KH 4C");
    // The deal: a turn after each of the user's two cards lands (slots 2 and 6).
    const std::vector<Sound> slide { Sound::SlideOut, Sound::Land };
    std::vector<Sound> expected { Sound::Bet };
    for (int slot = 1; slot <= 9; ++slot) {
        expected.insert(expected.end(), slide.begin(), slide.end());
        if (slot == 2 || slot == 6)
            expected.push_back(Sound::TurnOver);
    }
    EXPECT_EQ(toolkit.sounds(), expected);
    EXPECT_EQ(control<QLabel>("Imgpl2")->accessibleName(), QStringLiteral("3 โพดำ"));
    EXPECT_EQ(control<QLabel>("Imgpl6")->accessibleName(), QStringLiteral("4 โพแดง"));

    toolkit.clearSounds();
    toolkit.expect(Answer::Ok);
    control<QPushButton>("cmdnoreq")->click();
    ASSERT_EQ(toolkit.boxes().size(), 1u);
    EXPECT_EQ(toolkit.boxes()[0].title, QStringLiteral("ชนะ"));
    // One turn for every card turned over together at the reveal.
    EXPECT_EQ(toolkit.sounds(), (std::vector { Sound::TurnOver, Sound::Win }));
}

TEST_F(TableLooks, TheFourColourDeckDrawsTheTablesCardsAndSwitchingBackRedrawsThem)
{
    tableround::bet(table.get(), random, "KS QS 8S | 3D 4H 2C | 5D 2D 9C | 6S KH 4C");
    auto *userCard = control<QLabel>("Imgpl2");
    const QImage design = userCard->pixmap().toImage();
    control<QAction>("mnudeck")->trigger();
    const QImage fourColour = userCard->pixmap().toImage();
    EXPECT_NE(fourColour, design) << "the three of diamonds, now blue";
    control<QAction>("mnudeck")->trigger();
    EXPECT_EQ(userCard->pixmap().toImage(), design);

    toolkit.expect(Answer::Ok);
    control<QPushButton>("cmdnoreq")->click();
}

} // namespace
