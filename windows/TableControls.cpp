#include "windows/TableControls.h"

#include "rules/CardName.h"
#include "rules/pokdeng/Seats.h"
#include "toolkit/CardPicture.h"
#include "toolkit/DesignCanvas.h"
#include "toolkit/FittedLabel.h"
#include "toolkit/LiveRegion.h"
#include "toolkit/Shortcuts.h"
#include "toolkit/ThaiFonts.h"
#include "windows/FrmpokTexts.h"
#include "windows/NameValidator.h"

#include <QButtonGroup>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStringList>

#include <algorithm>
#include <numeric>
#include <vector>

using namespace frmpok_text;
using pokdeng::BetOption;
using shortcuts::betCommand;

namespace {

const QColor kTableGreen(0, 128, 0);
// The seat labels' red as designed. It stands out from the green by 1.26:1 only; the
// high-contrast table, a remembered choice, draws them in white instead.
const QColor kSeatLabelRed(192, 0, 0);
// The high-contrast table's texts: white stands out from the green by 5.1:1, the money's pale
// yellow by 4.9:1.
const QColor kStrongText(255, 255, 255);
const QColor kStrongMoney(255, 255, 160);

enum class Kind { Label, FittedLabel, CardSlots, Pack, Button, Option, Bets, NameBox };
enum class Font { Window, Money, Result, Seat };
enum Look : unsigned {
    Plain = 0,
    Green = 1, // the table's green in its palette; the felt behind it shows through
    SeatRed = 2,
    RightAligned = 4,
    Hidden = 8,
};

struct ControlPlace
{
    Kind kind;
    const char *name;
    const QString *text;
    int left, top, width, height; // twips
    Font font;
    unsigned look;
    int tab; // place in the focus order; -1 takes no focus
};

struct BetPlace
{
    BetOption option;
    const char *name;
    const char *text;
    int left, top, width, height; // twips
    int tab;
    Command command;
};

// The bet options, one row each, in the order kBetOptions lists them: top to bottom, each on the
// key of its place in the column, in the table's colours. They are stacked where the Bets row of
// the controls below stands, in their focus order. "Opt500" keeps the first layout's name: it
// stakes half the money, not 500 baht. The options stand 60 twips left of where the first layout
// had them (just clear of the save button) and "ครึ่งของหน้าตัก" reaches the client area's right
// edge: so its text fits whole inside the window in a Thai font, and the options still line up.
constexpr std::array<BetPlace, pokdeng::kBetOptions.size()> kBets = { {
    { BetOption::Thousand, "Opt1000", "1,000 บาท", 4860, 1800, 1095, 255, 7, betCommand(1) },
    { BetOption::FiveThousand, "Opt5000", "5,000 บาท", 4860, 2160, 1095, 255, 6, betCommand(2) },
    { BetOption::TenThousand, "Opt10000", "10,000 บาท", 4860, 2520, 1215, 255, 12, betCommand(3) },
    { BetOption::HalfMoney, "Opt500", "ครึ่งของหน้าตัก", 4860, 2880, 1440, 255, 5, betCommand(4) },
    { BetOption::AllMoney, "Optall", "หมดหน้าตัก", 4860, 3240, 1215, 255, 14, betCommand(5) },
} };

constexpr bool listsEveryOptionInItsPlace()
{
    for (std::size_t i = 0; i < kBets.size(); ++i)
        if (kBets[i].option != pokdeng::kBetOptions[i] || std::size_t(kBets[i].option) != i)
            return false;
    return true;
}
static_assert(listsEveryOptionInItsPlace(), "one bet row per option, as kBetOptions lists them");

// The table's controls from the bottom of the stack up: a later control is drawn over an
// earlier one, so the pack covers every waiting card and a higher slot covers a lower one.
// The save button is a pixel lower than the name box beside it, so that its frame stays clear of
// the user's cards, and the name box a pixel narrower, so that their frames do not overlap.
const ControlPlace kControls[] = {
    { Kind::Label, "Lblmoney", nullptr, 3120, 3720, 1455, 255, Font::Money, Green, -1 },
    { Kind::Label, "Label1", &kMoneyLeft, 1920, 3720, 1215, 255, Font::Money, Green, -1 },
    { Kind::CardSlots, "Imgpl", nullptr, 2880, 1560, 1065, 1440, Font::Window, Plain, -1 },
    { Kind::FittedLabel, "lblresult1", nullptr, 2040, 4320, 2415, 375, Font::Result,
      Green | RightAligned, -1 },
    { Kind::FittedLabel, "Lblpl1", &kDealerLabel, 120, 120, 735, 1335, Font::Seat,
      Green | SeatRed | Hidden, -1 },
    { Kind::FittedLabel, "Lblpl3", &kLastSeatLabel, 120, 2880, 975, 375, Font::Seat,
      Green | SeatRed | Hidden, -1 },
    { Kind::FittedLabel, "Lblpl2", &kFirstSeatLabel, 3840, 240, 735, 495, Font::Seat,
      Green | SeatRed | Hidden, -1 },
    { Kind::Pack, "Image1", &kPack, 2760, 1560, 1200, 1575, Font::Window, Plain, -1 },
    { Kind::FittedLabel, "lblresult2", nullptr, 120, 1560, 1935, 375, Font::Result, Green, -1 },
    { Kind::Label, "Lblname", &kYourName, 1440, 3360, 495, 375, Font::Window, Green | Hidden, -1 },
    { Kind::Button, "Cmdreq", &kDraw, 1920, 4680, 1215, 495, Font::Window, Plain, 0 },
    { Kind::Button, "cmdnoreq", &kStand, 3240, 4680, 1215, 495, Font::Window, Hidden, 3 },
    { Kind::Bets, nullptr, nullptr, 0, 0, 0, 0, Font::Window, Green, -1 },
    // The "no bet chosen" option lies right of the client area and is hidden: it is never seen,
    // not even when a wide window leaves room beside the table.
    { Kind::Option, "Option2", &kHiddenOption, 6360, 3120, 615, 255, Font::Window, Hidden, -1 },
    { Kind::NameBox, "txtname", nullptr, 1920, 3240, 2160, 375, Font::Window, Hidden, 15 },
    { Kind::Button, "Cmdname", &kSaveButton, 4080, 3240, 735, 360, Font::Window, Hidden, 16 },
};

QFont fontOf(Font font, const QWidget *client)
{
    switch (font) {
    case Font::Money:
        return designFont(9.75, true);
    case Font::Result:
        return designFont(12, true);
    case Font::Seat:
        return designFont(18, true);
    case Font::Window:
        break;
    }
    return client->font();
}

// The table's green as the control's background colours. No control fills its background: the
// felt is the same green, and a filled box (an empty result label, an option's margin) would cut
// a green rectangle out of a card beneath it.
void applyLook(QWidget *widget, unsigned look)
{
    QPalette palette = widget->palette();
    if (look & Green) {
        palette.setColor(QPalette::Window, kTableGreen);
        palette.setColor(QPalette::Button, kTableGreen);
    }
    if (look & SeatRed)
        palette.setColor(QPalette::WindowText, kSeatLabelRed);
    widget->setPalette(palette);
}

QWidget *makeControl(const ControlPlace &entry, QWidget *client)
{
    const QString text = entry.text ? *entry.text : QString();
    const QFont font = fontOf(entry.font, client);
    switch (entry.kind) {
    case Kind::Label: {
        auto *label = new QLabel(text, client);
        label->setFont(font);
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        return label;
    }
    case Kind::FittedLabel: {
        auto *label = new FittedLabel(font, client);
        label->setAlignment(((entry.look & RightAligned) ? Qt::AlignRight : Qt::AlignLeft)
                            | Qt::AlignTop);
        label->setFittedText(text);
        return label;
    }
    case Kind::Pack: {
        auto *pack = new CardPicture(client);
        pack->setAccessibleName(text);
        return pack;
    }
    case Kind::Button:
        return new QPushButton(text, client);
    case Kind::Option:
        return new QRadioButton(text, client);
    case Kind::NameBox: {
        auto *box = new QLineEdit(client);
        box->setValidator(new NameValidator(box));
        box->setAccessibleName(kYourName);
        return box;
    }
    case Kind::CardSlots:
    case Kind::Bets:
        break;
    }
    return nullptr;
}

template<typename T> T *named(QWidget *client, const char *name)
{
    return client->findChild<T *>(QString::fromLatin1(name), Qt::FindDirectChildrenOnly);
}

} // namespace

void TableControls::showSeatHolder(int place, const QString &personName)
{
    const bool first = place == pokdeng::kFirstSeat;
    FittedLabel *label = first ? Lblpl2 : Lblpl3;
    const QString &seatName = first ? kFirstSeatLabel : kLastSeatLabel;
    label->setFittedText(personName.isEmpty() ? seatName
                                              : seatName + QStringLiteral(" · ") + personName);
}

void TableControls::showMoney(const QString &money)
{
    if (money == Lblmoney->text() && !Lblmoney->accessibleName().isEmpty())
        return;
    Lblmoney->setText(money);
    Lblmoney->setAccessibleName(kMoneyName.arg(money));
    LiveRegion::announce(Lblmoney);
}

void TableControls::showResult(int index, const QString &text, bool settled)
{
    FittedLabel *label = lblresult[static_cast<std::size_t>(index)];
    label->setFittedText(text);
    label->setAccessibleName(settled && !text.isEmpty() ? kResultOwners[index] + text : QString());
    LiveRegion::announce(label);
}

void TableControls::showCard(int slot, const cards::Card &card, bool face)
{
    CardPicture *picture = Imgpl[static_cast<std::size_t>(slot - 1)];
    if (face)
        picture->showFace(card.suit, card.rank);
    else
        picture->showBack();
    picture->setAccessibleName(
        QString::fromStdString(face ? cards::cardName(card) : cards::cardBackName()));
}

void TableControls::sayHand(int seat, const std::array<cards::Card, 3> &hand, int count)
{
    QStringList names;
    for (int i = 0; i < count && i < 3; ++i)
        names << QString::fromStdString(cards::cardName(hand[static_cast<std::size_t>(i)]));
    LiveRegion::say(Lblmoney->window(),
                    kSlotOwners[seat - 1] + QStringLiteral(": ")
                        + names.join(QStringLiteral(", ")));
}

void TableControls::showSaveControls(bool offered, bool lastSeatsThirdCardOut)
{
    Cmdname->setVisible(offered);
    txtname->setVisible(offered);
    Lblname->setVisible(offered && !lastSeatsThirdCardOut);
}

void TableControls::setupUi(DesignCanvas *client)
{
    client->setAutoFillBackground(true);
    QPalette felt = client->palette();
    felt.setColor(QPalette::Window, kTableGreen);
    client->setPalette(felt);

    std::vector<std::pair<int, QWidget *>> focusOrder;
    const auto setUp = [&](QWidget *control, const char *name, const QRect &place, unsigned look,
                           Qt::FocusPolicy focus, int tab) {
        control->setObjectName(QString::fromLatin1(name));
        client->place(control, place);
        applyLook(control, look);
        control->setVisible(!(look & Hidden));
        control->setFocusPolicy(tab < 0 ? Qt::NoFocus : focus);
        if (tab >= 0)
            focusOrder.emplace_back(tab, control);
    };
    for (const ControlPlace &entry : kControls) {
        const QRect place(entry.left, entry.top, entry.width, entry.height);
        if (entry.kind == Kind::CardSlots) {
            for (int k = 1; k <= pokdeng::kSlotCount; ++k) {
                auto *card = new CardPicture(client);
                card->setObjectName(QStringLiteral("Imgpl%1").arg(k));
                client->place(card, place);
                card->setAccessibleName(QString::fromStdString(cards::cardBackName()));
                card->setAccessibleDescription(kSlotOwners[pokdeng::seatOfSlot(k) - 1]);
                Imgpl[k - 1] = card;
            }
            continue;
        }
        if (entry.kind == Kind::Bets) {
            std::array<std::size_t, kBets.size()> stacked {};
            std::iota(stacked.begin(), stacked.end(), 0);
            std::sort(stacked.begin(), stacked.end(),
                      [](std::size_t a, std::size_t b) { return kBets[a].tab < kBets[b].tab; });
            for (std::size_t i : stacked) {
                const BetPlace &bet = kBets[i];
                bets[i] = new QRadioButton(QString::fromUtf8(bet.text), client);
                setUp(bets[i], bet.name, QRect(bet.left, bet.top, bet.width, bet.height),
                      entry.look, Qt::TabFocus, bet.tab);
            }
            continue;
        }
        setUp(makeControl(entry, client), entry.name, place, entry.look,
              entry.kind == Kind::NameBox ? Qt::StrongFocus : Qt::TabFocus, entry.tab);
    }
    std::sort(focusOrder.begin(), focusOrder.end());
    for (size_t i = 1; i < focusOrder.size(); ++i)
        QWidget::setTabOrder(focusOrder[i - 1].second, focusOrder[i].second);

    Image1 = named<CardPicture>(client, "Image1");
    Image1->showPack();
    Lblpl1 = named<FittedLabel>(client, "Lblpl1");
    Lblpl2 = named<FittedLabel>(client, "Lblpl2");
    Lblpl3 = named<FittedLabel>(client, "Lblpl3");
    lblresult
        = { named<FittedLabel>(client, "lblresult1"), named<FittedLabel>(client, "lblresult2") };
    Label1 = named<QLabel>(client, "Label1");
    Lblmoney = named<QLabel>(client, "Lblmoney");
    Lblname = named<QLabel>(client, "Lblname");
    txtname = named<QLineEdit>(client, "txtname");
    Cmdname = named<QPushButton>(client, "Cmdname");
    Cmdreq = named<QPushButton>(client, "Cmdreq");
    cmdnoreq = named<QPushButton>(client, "cmdnoreq");
    Option2 = named<QRadioButton>(client, "Option2");
    betGroup = new QButtonGroup(client);
    betGroup->addButton(Option2);
    for (QRadioButton *bet : bets)
        betGroup->addButton(bet);
    Option2->setChecked(true);
    // Never seen, but screen readers find it.
    Option2->setAccessibleName(kNoBetChosen);
    for (QLabel *live :
         { static_cast<QLabel *>(lblresult[0]), static_cast<QLabel *>(lblresult[1]), Lblmoney })
        LiveRegion::expose(live);
    m_plainText = client->palette().color(QPalette::Active, QPalette::WindowText);
    bindKeys();
}

void TableControls::setHighContrast(bool on)
{
    const std::pair<QWidget *, QColor> texts[] = {
        { Lblpl1, on ? kStrongText : kSeatLabelRed },
        { Lblpl2, on ? kStrongText : kSeatLabelRed },
        { Lblpl3, on ? kStrongText : kSeatLabelRed },
        { lblresult[0], on ? kStrongText : m_plainText },
        { lblresult[1], on ? kStrongText : m_plainText },
        { Label1, on ? kStrongMoney : m_plainText },
        { Lblmoney, on ? kStrongMoney : m_plainText },
        { Lblname, on ? kStrongText : m_plainText },
    };
    const auto paint = [](QWidget *widget, const QColor &colour) {
        // A bet that is not on offer keeps its greyed-out look.
        QPalette palette = widget->palette();
        palette.setColor(QPalette::Active, QPalette::WindowText, colour);
        palette.setColor(QPalette::Inactive, QPalette::WindowText, colour);
        widget->setPalette(palette);
    };
    for (const auto &[widget, colour] : texts)
        paint(widget, colour);
    for (QRadioButton *bet : bets)
        paint(bet, on ? kStrongText : m_plainText);
}

void TableControls::bindKeys()
{
    const std::pair<QAbstractButton *, Command> keyed[] = {
        { Cmdreq, Command::Draw },
        { cmdnoreq, Command::Stand },
        { Cmdname, Command::SaveRecord },
    };
    for (const auto &[button, command] : keyed)
        shortcuts::bindButton(button, command);
    for (std::size_t i = 0; i < kBets.size(); ++i)
        shortcuts::bindButton(bets[i], kBets[i].command);
}
