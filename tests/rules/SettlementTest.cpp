#include "rules/pokdeng/Settlement.h"
#include "support/RowName.h"

#include <gtest/gtest.h>

using namespace pokdeng;
using Outcome = Settlement::Outcome;

namespace {

struct SettlementCase
{
    const char *name;
    HandValue user;
    HandValue dealer;
    int userPoints;
    double bet;
    Outcome outcome;
    double moneyChange;
    const char *title;
    const char *text;
};

class Settling : public ::testing::TestWithParam<SettlementCase>
{
};

TEST_P(Settling, MoneyTitleAndTextByteForByte)
{
    const auto &c = GetParam();
    const Settlement s = settle(c.user, c.dealer, c.userPoints, c.bet);
    EXPECT_EQ(s.outcome, c.outcome);
    EXPECT_DOUBLE_EQ(s.moneyChange, c.moneyChange);
    EXPECT_EQ(s.title, c.title);
    EXPECT_EQ(s.text, c.text);
}

// One row for each of the message texts; the blanks differ from row to row.
const SettlementCase kRounds[] = {
    { "win_with_three_of_a_kind",
      { 14, 5, "ตอง 6" },
      { 12, 3, "เซียน Q" },
      8,
      1000,
      Outcome::UserWins,
      5000,
      "ชนะ",
      "คุณตอง 6  เจ้าเซียน Q คุณชนะได้เงินมา  5000 บาท" },
    { "win_with_court_cards",
      { 10, 3, "สามเหลือง" },
      { 7, 0, "7แต้ม" },
      0,
      1000,
      Outcome::UserWins,
      3000,
      "ชนะ",
      "คุณสามเหลือง  เจ้า7แต้ม คุณชนะได้เงินมา 3000 บาท" },
    { "win_with_two_card_deng",
      { 16, 2, "ป๊อก 9สองเด้ง" },
      { 9, 0, "9 หลัง" },
      9,
      5000,
      Outcome::UserWins,
      10000,
      "ชนะ",
      "คุณป๊อก 9สองเด้ง เจ้า9 หลัง คุณชนะได้เงินมา 10000บาท" },
    { "win_with_three_card_deng",
      { 9, 3, "9 หลังสามเด้ง" },
      { 8, 0, "8 หลัง" },
      9,
      1000,
      Outcome::UserWins,
      3000,
      "ชนะ",
      "คุณ9 หลังสามเด้ง เจ้า8 หลัง คุณชนะได้เงินมา 3000 บาท" },
    { "plain_win_has_no_blank_around_the_amount",
      { 6, 0, "6แต้ม" },
      { 0, 0, "บอดสนิท" },
      6,
      1000,
      Outcome::UserWins,
      1000,
      "ชนะ",
      "คุณ6แต้ม  เจ้าบอดสนิท คุณชนะได้เงินมา1000บาท" },
    { "loss_to_three_of_a_kind",
      { 7, 0, "7แต้ม" },
      { 14, 5, "ตองK" },
      7,
      1000,
      Outcome::UserLoses,
      -5000,
      "แพ้",
      "เจ้าตองK  คุณ7แต้ม  คุณแพ้เสียเงิน 5000 บาท" },
    { "loss_to_two_card_deng",
      { 7, 0, "7แต้ม" },
      { 15, 2, "ป๊อก 8สองเด้ง" },
      7,
      1000,
      Outcome::UserLoses,
      -2000,
      "แพ้",
      "เจ้าป๊อก 8สองเด้ง  คุณ7แต้ม คุณแพ้เสียเงิน 2000 บาท" },
    { "plain_loss",
      { 2, 0, "2แต้ม" },
      { 5, 0, "5แต้ม" },
      2,
      500.5,
      Outcome::UserLoses,
      -500.5,
      "แพ้",
      "เจ้า5แต้ม  คุณ2แต้ม คุณแพ้เสียเงิน 500.5 บาท" },
    { "tie_of_two_nothings",
      { 0, 0, "บอดสนิท" },
      { 0, 3, "บอดสนิท" },
      0,
      1000,
      Outcome::Tie,
      0,
      "ชน",
      "0แต้ม ชน" },
    { "different_three_of_a_kinds_tie",
      { 14, 5, "ตองA" },
      { 14, 5, "ตองK" },
      3,
      1000,
      Outcome::Tie,
      0,
      "ชน",
      "3แต้ม ชน" },
    { "two_card_and_three_card_seven_tie",
      { 7, 2, "7แต้มสองเด้ง" },
      { 7, 0, "7แต้ม" },
      7,
      1000,
      Outcome::Tie,
      0,
      "ชน",
      "7แต้ม ชน" },
};

INSTANTIATE_TEST_SUITE_P(Rounds, Settling, ::testing::ValuesIn(kRounds), RowNamer());

TEST(PayoutMultiplier, KindBeforeMultiplierEntry)
{
    struct Row
    {
        int kind, entry, expected;
    } rows[] = { { 14, 5, 5 }, { 14, 0, 5 }, { 13, 3, 3 }, { 10, 2, 3 }, { 16, 2, 2 },
                 { 9, 3, 3 },  { 7, 0, 1 },  { 15, 0, 1 }, { 0, 3, 3 } };
    for (const auto &row : rows)
        EXPECT_EQ(payoutMultiplier(row.kind, row.entry), row.expected)
            << "kind " << row.kind << " entry " << row.entry;
}

TEST(SettlementAmounts, LocaleDecimalPointInTheText)
{
    const auto s = settle({ 6, 0, "6แต้ม" }, { 2, 0, "2แต้ม" }, 6, 750.25, ",");
    EXPECT_EQ(s.text, "คุณ6แต้ม  เจ้า2แต้ม คุณชนะได้เงินมา750,25บาท");
    EXPECT_DOUBLE_EQ(s.moneyChange, 750.25);
}

} // namespace
