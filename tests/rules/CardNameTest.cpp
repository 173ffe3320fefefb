#include "rules/CardName.h"

#include <gtest/gtest.h>

using namespace cards;

namespace {

TEST(CardName, WhatAScreenReaderSays)
{
    EXPECT_EQ(cardName({ 1, 9 }), "9 โพดำ");
    EXPECT_EQ(cardName({ 3, 12 }), "Q ข้าวหลามตัด");
    EXPECT_EQ(cardName({ 2, 1 }), "A โพแดง");
    EXPECT_EQ(cardName({ 4, 10 }), "10 ดอกจิก");
    EXPECT_EQ(cardName({ 0, 0 }), "หลังไพ่");
    EXPECT_EQ(cardName({ 5, 3 }), "หลังไพ่");
}

} // namespace
