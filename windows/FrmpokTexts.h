#pragma once

#include <QString>

// Every text the table window shows of its own, in one place. The blanks are the game's own.
namespace frmpok_text {

inline const QString kSaveButton = QStringLiteral("เก็บสถิติ");
inline const QString kHiddenOption = QStringLiteral("Option2");
inline const QString kStand = QStringLiteral("ไม่จั่ว");
inline const QString kShowCards = QStringLiteral("หงายไพ่");
inline const QString kDraw = QStringLiteral("จั่วไพ่");
inline const QString kYourName = QStringLiteral("ชื่อคุณ");
inline const QString kFirstSeatLabel = QStringLiteral("ขา 1");
inline const QString kLastSeatLabel = QStringLiteral("ขาบ๊วย");
inline const QString kDealerLabel = QStringLiteral("ไพ่ เจ้า มือ");
inline const QString kMoneyLeft = QStringLiteral("เงินคงเหลือ =");
inline const QString kPack = QStringLiteral("กองไพ่");
inline const QString kLostPrompt = QStringLiteral("คุณแพ้แล้ว คุณมีเงินไม่พอเล่นครับ ");
inline const QString kLostTitle = QStringLiteral("แพ้แล้ว");
inline const QString kPlayAgainPrompt = QStringLiteral("ต้องการเล่นใหม่ ? ");
inline const QString kPlayAgainTitle = QStringLiteral("เริ่มใหม่");
inline const QString kRecordEntry = QStringLiteral("สถิติ");
inline const QString kAboutEntry = QStringLiteral("เกี่ยวกับโปรแกรม");
inline const QString kHelpersMenu = QStringLiteral("ตัวช่วย");
inline const QString kHistoryEntry = QStringLiteral("ประวัติการเล่น");
inline const QString kRulesEntry = QStringLiteral("วิธีเล่น");
inline const QString kHighContrastEntry = QStringLiteral("สีตัดกันชัด");
inline const QString kSoundEntry = QStringLiteral("เสียง");
inline const QString kFourColourEntry = QStringLiteral("ไพ่สี่สี");
inline const QString kCardFlipEntry = QStringLiteral("พลิกไพ่");
inline const QString kWithFriendsEntry = QStringLiteral("เล่นกับเพื่อน");

// A helper turned on or off, as screen readers tell it: "เปิดตัวช่วยคำนวณ", "ปิดสีตัดกันชัด".
inline const QString kTurnedOn = QStringLiteral("เปิด");
inline const QString kTurnedOff = QStringLiteral("ปิด");

// The odds advisor: its menu entry, and the pieces of its line at the user's turn, e.g.
// "จั่วไพ่: ชนะ 41.6% เสมอ 9.5% แพ้ 49.0% เฉลี่ยเสีย 209.0 บาท ต่อตา". The average is what the
// choice wins ("เฉลี่ยได้") or loses ("เฉลี่ยเสีย") a round over many rounds, or "เฉลี่ยเสมอตัว"
// when that is nothing.
inline const QString kAdvisorEntry = QStringLiteral("ตัวช่วยคำนวณ");
inline const QString kAdviceWin = QStringLiteral("ชนะ");
inline const QString kAdviceTie = QStringLiteral("เสมอ");
inline const QString kAdviceLoss = QStringLiteral("แพ้");
inline const QString kAdviceGains = QStringLiteral("เฉลี่ยได้ %1 บาท ต่อตา");
inline const QString kAdviceLoses = QStringLiteral("เฉลี่ยเสีย %1 บาท ต่อตา");
inline const QString kAdviceEven = QStringLiteral("เฉลี่ยเสมอตัว");
inline const QString kAdviceBetter = QStringLiteral("(ดีกว่า)");

// What screen readers say of controls whose picture says it to the eye.
inline const QString kNoBetChosen = QStringLiteral("ยังไม่ได้เลือกเดิมพัน");
inline const QString kMoneyName = QStringLiteral("เงินคงเหลือ %1"); // the money line as one name
// Whose card a slot holds, seat by seat: the first seat, the user, the last seat, the dealer.
inline const QString kSlotOwners[] = { QStringLiteral("ไพ่ขา 1"), QStringLiteral("ไพ่ของคุณ"),
                                       QStringLiteral("ไพ่ขาบ๊วย"), QStringLiteral("ไพ่เจ้ามือ") };

// Whose hand a settled result label tells: the user's, the dealer's.
inline const QString kResultOwners[] = { QStringLiteral("คุณ "), QStringLiteral("เจ้ามือ ") };

// At a table others share, what screen readers are told of the other people there, by name.
inline const QString kPersonJoined = QStringLiteral("%1 เข้าร่วมโต๊ะ");
inline const QString kPersonLeft = QStringLiteral("%1 ออกจากโต๊ะ");
inline const QString kPersonLost = QStringLiteral("%1 หลุดจากโต๊ะ");
inline const QString kPersonBack = QStringLiteral("%1 กลับมาที่โต๊ะ");
// A seat holder's name while their connection is lost.
inline const QString kLostConnection = QStringLiteral("%1 (หลุด)");
// A person who let a limit run out is away: the table plays for them until they act again. Their
// name on the seat, what the others hear as they go and come back, and the line under the
// person's own table.
inline const QString kNotHere = QStringLiteral("%1 (ไม่อยู่)");
inline const QString kPersonAway = QStringLiteral("%1 ไม่อยู่ โต๊ะเล่นแทน");
inline const QString kPersonPlaysAgain = QStringLiteral("%1 กลับมาเล่นแล้ว");
inline const QString kYouAreAway = QStringLiteral("คุณไม่อยู่ โต๊ะเล่นแทนคุณ กดเลือกเดิมพันเพื่อกลับมาเล่น");
inline const QString kPersonBet = QStringLiteral("%1 วางเดิมพัน %2 บาท");
inline const QString kPersonsTurn = QStringLiteral("ตาของ %1");
inline const QString kYourTurn = QStringLiteral("ตาของคุณ");
inline const QString kChooseABet = QStringLiteral("เลือกเดิมพัน");
inline const QString kPersonsResult = QStringLiteral("%1 %2");

} // namespace frmpok_text
