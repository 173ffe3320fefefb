#include "windows/Frmpok.h"

#include "rules/CardName.h"
#include "rules/Deal.h"
#include "rules/HandEvaluation.h"
#include "rules/Points.h"
#include "rules/SeatDecisions.h"
#include "rules/Settlement.h"
#include "rules/UserStatus.h"
#include "toolkit/CardLibrary.h"
#include "toolkit/CardSlider.h"
#include "toolkit/DisplayText.h"
#include "toolkit/FittedLabel.h"
#include "toolkit/ScoreStore.h"
#include "toolkit/ThaiFonts.h"
#include "toolkit/Toolkit.h"
#include "toolkit/Twips.h"
#include "windows/Frmabout.h"
#include "windows/Frmpoint.h"
#include "windows/NameValidator.h"
#include "windows/RecordSaver.h"

#include <QButtonGroup>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>

using namespace pokdeng;

namespace {

// Every text the table shows, in one place. The blanks are the game's own.
const QString kCaption = QStringLiteral("ป๊อกเด้ง");
const QString kSaveButton = QStringLiteral("เก็บสถิติ");
const QString kAllMoney = QStringLiteral("หมดหน้าตัก");
const QString kTenThousand = QStringLiteral("10,000 บาท");
const QString kHiddenOption = QStringLiteral("Option2");
const QString kThousand = QStringLiteral("1,000 บาท");
const QString kFiveThousand = QStringLiteral("5,000 บาท");
const QString kHalfMoney = QStringLiteral("ครึ่งของหน้าตัก");
const QString kStand = QStringLiteral("ไม่จั่ว");
const QString kShowCards = QStringLiteral("หงายไพ่");
const QString kDraw = QStringLiteral("จั่วไพ่");
const QString kYourName = QStringLiteral("ชื่อคุณ");
const QString kFirstSeatLabel = QStringLiteral("ขา 1");
const QString kLastSeatLabel = QStringLiteral("ขาบ๊วย");
const QString kDealerLabel = QStringLiteral("ไพ่ เจ้า มือ");
const QString kMoneyLeft = QStringLiteral("เงินคงเหลือ =");
const QString kLostPrompt = QStringLiteral("คุณแพ้แล้ว คุณมีเงินไม่พอเล่นครับ ");
const QString kLostTitle = QStringLiteral("แพ้แล้ว");
const QString kPlayAgainPrompt = QStringLiteral("ต้องการเล่นใหม่ ? ");
const QString kPlayAgainTitle = QStringLiteral("เริ่มใหม่");
const QString kRecordEntry = QStringLiteral("สถิติ");
const QString kAboutEntry = QStringLiteral("เกี่ยวกับโปรแกรม");

const QColor kTableGreen(0, 128, 0);
const QColor kSeatLabelRed(192, 0, 0);

constexpr int kClientWidth = 6300;
constexpr int kClientHeight = 5280;

QString fromUtf8(const std::string &text)
{
    return QString::fromStdString(text);
}

// A label that paints its own background, as every label of the table does.
QLabel *makeLabel(QWidget *parent, const char *name, const QString &text, QRect place,
                  const QColor &background)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(place);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setAutoFillBackground(true);
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, background);
    label->setPalette(palette);
    return label;
}

// A label in a large font that must show its whole text in its box.
FittedLabel *makeFittedLabel(QWidget *parent, const char *name, const QString &text, QRect place,
                             const QFont &font)
{
    auto *label = new FittedLabel(font, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(place);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setAutoFillBackground(true);
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, kTableGreen);
    label->setPalette(palette);
    label->setFittedText(text);
    return label;
}

// The felt under everything, and the bet options that stand on it. An option button paints its
// background in the Button colour; the push buttons keep theirs.
void paintGreen(QWidget *widget, bool isOption = false)
{
    widget->setAutoFillBackground(true);
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, kTableGreen);
    if (isOption)
        palette.setColor(QPalette::Button, kTableGreen);
    widget->setPalette(palette);
}

} // namespace

Frmpok::Frmpok(QWidget *parent, RandomSource *random)
    : GameWindow(GameKind::PokDeng, kClientWidth, kClientHeight, parent)
    , m_random(random ? *random : gameRandom())
{
    setObjectName(QStringLiteral("Frmpok"));
    setWindowTitle(kCaption);
    buildControls();
    buildMenu();
    formLoad();
}

// The controls are made from the bottom of the stack up: a later widget is drawn over an
// earlier one, so the pack covers every waiting card and a higher slot covers a lower one.
void Frmpok::buildControls()
{
    QWidget *table = client();
    paintGreen(table);
    const QFont moneyFont = designFont(9.75, true);
    const QFont resultFont = designFont(12, true);
    const QFont seatFont = designFont(18, true);

    Lblmoney
        = makeLabel(table, "Lblmoney", QString(), twips::rect(3120, 3720, 1455, 255), kTableGreen);
    Lblmoney->setFont(moneyFont);
    Label1
        = makeLabel(table, "Label1", kMoneyLeft, twips::rect(1920, 3720, 1215, 255), kTableGreen);
    Label1->setFont(moneyFont);

    for (int k = 1; k <= kSlotCount; ++k) {
        auto *card = new QLabel(table);
        card->setObjectName(QStringLiteral("Imgpl%1").arg(k));
        card->setGeometry(twips::rect(2880, 1560, 1065, 1440));
        card->setAccessibleName(fromUtf8(cardBackName()));
        m_Imgpl[k - 1] = card;
    }

    lblresult[0] = makeFittedLabel(table, "lblresult1", QString(),
                                   twips::rect(2040, 4320, 2415, 375), resultFont);
    lblresult[0]->setAlignment(Qt::AlignRight | Qt::AlignTop);

    Lblpl1 = makeFittedLabel(table, "Lblpl1", kDealerLabel, twips::rect(120, 120, 735, 1335),
                             seatFont);
    Lblpl3 = makeFittedLabel(table, "Lblpl3", kLastSeatLabel, twips::rect(120, 2880, 975, 375),
                             seatFont);
    Lblpl2 = makeFittedLabel(table, "Lblpl2", kFirstSeatLabel, twips::rect(3840, 240, 735, 495),
                             seatFont);
    for (QLabel *seat : { Lblpl1, Lblpl3, Lblpl2 }) {
        QPalette palette = seat->palette();
        palette.setColor(QPalette::WindowText, kSeatLabelRed);
        seat->setPalette(palette);
        seat->hide();
    }

    Image1 = new QLabel(table);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(twips::rect(2760, 1560, 1200, 1575));
    Image1->setPixmap(CardLibrary::pack());
    Image1->setAccessibleName(QStringLiteral("กองไพ่"));

    lblresult[1] = makeFittedLabel(table, "lblresult2", QString(),
                                   twips::rect(120, 1560, 1935, 375), resultFont);

    Lblname
        = makeLabel(table, "Lblname", kYourName, twips::rect(1440, 3360, 495, 375), kTableGreen);
    Lblname->hide();

    Cmdreq = new QPushButton(kDraw, table);
    Cmdreq->setObjectName(QStringLiteral("Cmdreq"));
    Cmdreq->setGeometry(twips::rect(1920, 4680, 1215, 495));
    cmdnoreq = new QPushButton(kStand, table);
    cmdnoreq->setObjectName(QStringLiteral("cmdnoreq"));
    cmdnoreq->setGeometry(twips::rect(3240, 4680, 1215, 495));
    cmdnoreq->hide();

    m_betGroup = new QButtonGroup(this);
    auto makeOption = [&](const char *name, const QString &text, QRect place, bool green) {
        auto *option = new QRadioButton(text, table);
        option->setObjectName(QString::fromLatin1(name));
        option->setGeometry(place);
        if (green)
            paintGreen(option, true);
        m_betGroup->addButton(option);
        return option;
    };
    Opt500 = makeOption("Opt500", kHalfMoney, twips::rect(4920, 2880, 1455, 255), true);
    Opt5000 = makeOption("Opt5000", kFiveThousand, twips::rect(4920, 2160, 1095, 255), true);
    Opt1000 = makeOption("Opt1000", kThousand, twips::rect(4920, 1800, 1095, 255), true);
    // The "no bet chosen" option lies right of the client area, where it is never seen.
    Option2 = makeOption("Option2", kHiddenOption, twips::rect(6360, 3120, 615, 255), false);
    Option2->setFocusPolicy(Qt::NoFocus);
    Option2->setChecked(true);
    Opt10000 = makeOption("Opt10000", kTenThousand, twips::rect(4920, 2520, 1215, 255), true);
    Optall = makeOption("Optall", kAllMoney, twips::rect(4920, 3240, 1215, 255), true);

    txtname = new QLineEdit(table);
    txtname->setObjectName(QStringLiteral("txtname"));
    txtname->setGeometry(twips::rect(1920, 3240, 2175, 375));
    txtname->setValidator(new NameValidator(txtname));
    txtname->setAccessibleName(kYourName);
    txtname->hide();
    Cmdname = new QPushButton(kSaveButton, table);
    Cmdname->setObjectName(QStringLiteral("Cmdname"));
    Cmdname->setGeometry(twips::rect(4080, 3240, 735, 375));
    Cmdname->hide();

    for (QWidget *w : { static_cast<QWidget *>(Cmdreq), static_cast<QWidget *>(cmdnoreq),
                        static_cast<QWidget *>(Opt500), static_cast<QWidget *>(Opt5000),
                        static_cast<QWidget *>(Opt1000), static_cast<QWidget *>(Opt10000),
                        static_cast<QWidget *>(Optall), static_cast<QWidget *>(txtname),
                        static_cast<QWidget *>(Cmdname) })
        w->setFocusPolicy(w == txtname ? Qt::StrongFocus : Qt::TabFocus);
    // Tab order as designed: the turn buttons, the bets, then the name line.
    QWidget *order[]
        = { Cmdreq, cmdnoreq, Opt500, Opt5000, Opt1000, Opt10000, Optall, txtname, Cmdname };
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    const std::pair<QRadioButton *, BetOption> bets[] = {
        { Opt500, BetOption::HalfMoney },     { Opt1000, BetOption::Thousand },
        { Opt5000, BetOption::FiveThousand }, { Opt10000, BetOption::TenThousand },
        { Optall, BetOption::AllMoney },
    };
    for (const auto &[button, option] : bets) {
        const BetOption chosen = option;
        connect(button, &QRadioButton::clicked, this, [this, chosen] { chooseBet(chosen); });
    }
    connect(Cmdreq, &QPushButton::clicked, this, &Frmpok::Cmdreq_Click);
    connect(cmdnoreq, &QPushButton::clicked, this, &Frmpok::cmdnoreq_Click);
    connect(Cmdname, &QPushButton::clicked, this, &Frmpok::Cmdname_Click);
}

void Frmpok::buildMenu()
{
    QAction *record = gameMenuBar()->addAction(kRecordEntry);
    record->setObjectName(QStringLiteral("mnupoint"));
    connect(record, &QAction::triggered, this, &Frmpok::mnupoint_Click);
    QAction *about = gameMenuBar()->addAction(kAboutEntry);
    about->setObjectName(QStringLiteral("mnuabout"));
    connect(about, &QAction::triggered, this, &Frmpok::mnuabout_Click);
}

// Every card back on the pack, hidden, no bet chosen and every bet on offer: the state between
// two rounds, before the money narrows the offer.
void Frmpok::clearForBets()
{
    for (int k = 1; k <= kSlotCount; ++k) {
        slot(k)->hide();
        slot(k)->move(twips::point(kPackPosition.left, kPackPosition.top));
    }
    Option2->setChecked(true);
    for (QRadioButton *option : { Opt10000, Opt5000, Opt1000, Opt500, Optall })
        option->setEnabled(true);
}

void Frmpok::formLoad()
{
    m_recordMoney = readScoreFile().money;
    clearForBets();
    m_money = kStartingMoney;
    m_bet = 500;
    Cmdreq->hide();
    showMoney();
    m_phase = Phase::Betting;
}

int Frmpok::points(int seat) const
{
    return isValidSeat(seat) ? m_points[seat - 1] : 0;
}

bool Frmpok::canClose() const
{
    // Cards in motion and a round being settled run to their end first.
    return m_phase != Phase::Dealing && m_phase != Phase::Resolving;
}

QRadioButton *Frmpok::optionButton(BetOption option) const
{
    switch (option) {
    case BetOption::Thousand:
        return Opt1000;
    case BetOption::FiveThousand:
        return Opt5000;
    case BetOption::TenThousand:
        return Opt10000;
    case BetOption::HalfMoney:
        return Opt500;
    case BetOption::AllMoney:
        return Optall;
    }
    return Optall;
}

bool Frmpok::userDrew() const
{
    return !slot(thirdSlotOf(kUserSeat))->isHidden();
}

void Frmpok::showMoney()
{
    Lblmoney->setText(displayDecimal(m_money));
}

void Frmpok::setSaveControlsVisible(bool visible)
{
    Cmdname->setVisible(visible);
    txtname->setVisible(visible);
    Lblname->setVisible(visible);
}

void Frmpok::chooseBet(BetOption option)
{
    // A click on the option already chosen, in the middle of a round, is ignored: a second deal
    // would let the player throw away a bad hand.
    if (m_phase != Phase::Betting)
        return;
    m_bet = stakeFor(option, m_money);
    for (BetOption other : { BetOption::Thousand, BetOption::FiveThousand, BetOption::TenThousand,
                             BetOption::HalfMoney, BetOption::AllMoney })
        if (other != option)
            optionButton(other)->setEnabled(false);
    startRound();
}

void Frmpok::startRound()
{
    m_phase = Phase::Dealing;
    showMoney();
    deal();
    showBacks();
    if (!slideDeal() || !firstSeatTurn())
        return;
    Lblpl1->show();
    Lblpl2->show();
    Lblpl3->show();
    if (points(kUserSeat) >= 4)
        cmdnoreq->show();
    m_phase = Phase::UserTurn;
}

void Frmpok::deal()
{
    m_cards = pokdeng::deal(m_random);
    for (int k = 1; k <= kSlotCount; ++k)
        showCard(k, true);
}

void Frmpok::showCard(int k, bool face)
{
    QLabel *card = slot(k);
    if (face) {
        card->setPixmap(CardLibrary::face(m_cards[k].suit, m_cards[k].rank));
        card->setAccessibleName(fromUtf8(cardName(m_cards[k])));
    } else {
        card->setPixmap(CardLibrary::back());
        card->setAccessibleName(fromUtf8(cardBackName()));
    }
}

void Frmpok::showBacks()
{
    for (int k = 1; k <= kSlotCount; ++k)
        if (seatOfSlot(k) != kUserSeat)
            showCard(k, false);
}

void Frmpok::showFaces()
{
    for (int k = 1; k <= kSlotCount; ++k)
        showCard(k, true);
}

bool Frmpok::slideDeal()
{
    for (int k = 1; k <= 8; ++k) {
        slot(k)->show();
        if (!CardSlider::slide(slot(k), slidePath(k)))
            return false;
    }
    return true;
}

bool Frmpok::slideThirdCard(int seat)
{
    const int k = thirdSlotOf(seat);
    return CardSlider::slide(k ? slot(k) : nullptr, pokdeng::slideThirdCard(seat));
}

bool Frmpok::firstSeatTurn()
{
    for (int seat = 1; seat <= kSeatCount; ++seat)
        m_points[seat - 1] = pointsAfterDeal(m_cards, seat);
    if (sideSeatDraws(m_cards, kFirstSeat, points(kFirstSeat), m_random)) {
        slot(thirdSlotOf(kFirstSeat))->show();
        if (!slideThirdCard(kFirstSeat))
            return false;
    }
    showUserStatus();
    return true;
}

void Frmpok::showUserStatus()
{
    const UserStatus status = userStatus(m_cards.ofSeat(kUserSeat), points(kUserSeat), userDrew());
    m_points[kUserSeat - 1] = status.points;
    lblresult[0]->setFittedText(fromUtf8(status.label));
    if (status.standBecomesShowCards)
        cmdnoreq->setText(kShowCards);
    Cmdreq->setVisible(status.drawShown);
    if (status.stand != UserStatus::StandButton::Untouched)
        cmdnoreq->setVisible(status.stand == UserStatus::StandButton::Shown);
}

void Frmpok::Cmdreq_Click()
{
    if (m_phase != Phase::UserTurn)
        return;
    m_phase = Phase::Resolving;
    const int k = thirdSlotOf(kUserSeat);
    slot(k)->show();
    Cmdreq->hide();
    cmdnoreq->hide();
    if (!CardSlider::slide(slot(k), slidePath(k)))
        return;
    showUserStatus();
    finishRound();
}

void Frmpok::cmdnoreq_Click()
{
    if (m_phase != Phase::UserTurn)
        return;
    m_phase = Phase::Resolving;
    Cmdreq->hide();
    cmdnoreq->hide();
    finishRound();
}

void Frmpok::finishRound()
{
    m_phase = Phase::Resolving;
    if (sideSeatDraws(m_cards, kLastSeat, points(kLastSeat), m_random)) {
        slot(thirdSlotOf(kLastSeat))->show();
        if (!slideThirdCard(kLastSeat))
            return;
    }
    if (dealerDraws(points(kDealerSeat), userDrew(), m_random)) {
        const int k = thirdSlotOf(kDealerSeat);
        m_points[kDealerSeat - 1] = pointsWithThirdCard(points(kDealerSeat), m_cards[k].rank);
        slot(k)->show();
        if (!slideThirdCard(kDealerSeat))
            return;
    }
    showFaces();
    settle();
}

void Frmpok::settle()
{
    const HandValue user = evaluateHand(m_cards.ofSeat(kUserSeat), points(kUserSeat), userDrew());
    const HandValue dealer = evaluateHand(m_cards.ofSeat(kDealerSeat), points(kDealerSeat),
                                          !slot(thirdSlotOf(kDealerSeat))->isHidden());
    lblresult[0]->setFittedText(fromUtf8(user.label));
    lblresult[1]->setFittedText(fromUtf8(dealer.label));
    const Settlement outcome = pokdeng::settle(user, dealer, points(kUserSeat), m_bet,
                                               localeDecimalPoint().toStdString());
    m_money += outcome.moneyChange;
    Toolkit::instance().messageBox(this, fromUtf8(outcome.text), Toolkit::Style::Ok,
                                   fromUtf8(outcome.title));
    if (Toolkit::instance().isEnding())
        return;
    showMoney();
    nextRound();
}

void Frmpok::nextRound()
{
    lblresult[0]->setFittedText(QString());
    lblresult[1]->setFittedText(QString());
    clearForBets();
    setSaveControlsVisible(beatsRecord(m_money, m_recordMoney));
    for (BetOption option :
         { BetOption::TenThousand, BetOption::FiveThousand, BetOption::Thousand })
        optionButton(option)->setEnabled(isOfferedAfterRound(option, m_money));
    m_phase = Phase::Betting;
    if (!isGameOver(m_money))
        return;

    m_phase = Phase::GameOver;
    Opt500->setEnabled(false);
    Toolkit &toolkit = Toolkit::instance();
    toolkit.messageBox(this, kLostPrompt, Toolkit::Style::StopOk, kLostTitle);
    if (toolkit.isEnding())
        return;
    if (toolkit.messageBox(this, kPlayAgainPrompt, Toolkit::Style::QuestionYesNo, kPlayAgainTitle)
        == Toolkit::Answer::Yes) {
        if (!toolkit.isEnding())
            switchTo(GameKind::PokDeng);
    } else {
        toolkit.endProgram();
    }
}

void Frmpok::Cmdname_Click()
{
    if (m_phase == Phase::Dealing || m_phase == Phase::Resolving)
        return;
    // Cancel and a failed save leave the game as it was; only a saved record starts afresh.
    if (confirmAndSaveRecord(this, txtname->text(), m_money) == SaveOutcome::Saved)
        switchTo(GameKind::PokDeng);
}

void Frmpok::mnupoint_Click()
{
    QPointer<Frmpoint> record(new Frmpoint(this));
    record->exec();
    delete record.data();
}

void Frmpok::mnuabout_Click()
{
    QPointer<Frmabout> about(new Frmabout(this));
    about->exec();
    delete about.data();
}
