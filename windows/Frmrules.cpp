#include "windows/Frmrules.h"

#include "rules/CardName.h"
#include "rules/pokdeng/HandEvaluation.h"
#include "rules/pokdeng/Settlement.h"
#include "toolkit/CardLibrary.h"
#include "toolkit/HandPicture.h"
#include "toolkit/Shortcuts.h"
#include "toolkit/ThaiFonts.h"
#include "toolkit/WindowPlace.h"

#include <QPointer>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include <array>
#include <vector>

namespace {

const QString kCaption = QStringLiteral("วิธีเล่น");
const QString kClose = QStringLiteral("ปิด");

// The cards' design height: big enough to tell K, Q and J apart.
constexpr int kCardHeight = 96;

// What the keys do at the table, in the order a round uses them, and in every window.
struct KeyLine
{
    Command command;
    const char *text;
};
const KeyLine kKeyLines[] = {
    { shortcuts::betCommand(1),
      "ลงเงิน 1,000 บาท (2 คือ 5,000 บาท, 3 คือ 10,000 บาท, 4 ครึ่งของหน้าตัก, 5 หมดหน้าตัก)" },
    { Command::Draw, "จั่วไพ่" },
    { Command::Stand, "ไม่จั่ว หรือหงายไพ่" },
    { Command::SaveRecord, "เก็บสถิติ (หรือ Enter ในช่องชื่อ)" },
    { Command::Restart, "เริ่มใหม่ (หรือ Ctrl+N)" },
    { Command::ShowRecord, "สถิติ" },
    { Command::History, "ประวัติการเล่น" },
    { Command::Rules, "วิธีเล่น" },
    { Command::Calculator, "ตัวช่วยคำนวณ เปิดหรือปิด" },
    { Command::HighContrast, "สีตัดกันชัด เปิดหรือปิด" },
    { Command::Sound, "เสียง เปิดหรือปิด" },
    { Command::FourColourDeck, "ไพ่สี่สี เปิดหรือปิด" },
    { Command::CardFlip, "พลิกไพ่ เปิดหรือปิด" },
    { Command::About, "เกี่ยวกับโปรแกรม" },
    { Command::ZoomIn, "ขยายหน้าต่าง ทีละครึ่งของขนาดเดิม (หรือ Ctrl++)" },
    { Command::ZoomOut, "ย่อหน้าต่าง" },
    { Command::ZoomReset, "หน้าต่างขนาดเดิม" },
    { Command::PlayPokDeng, "เลือกเกม ป๊อกเด้ง (Ctrl+2 และ Ctrl+3 เกมอื่น)" },
    { Command::PlayWithFriends, "เล่นกับเพื่อน: เปิดโต๊ะหรือเข้าร่วมโต๊ะ" },
    { Command::OpenMenuBar, "ไปที่แถบเมนู เปิดเมนูแรก (หรือกด Alt)" },
    { Command::CloseWindow, "ปิดหน้าต่าง" },
    { Command::Quit, "ปิดโปรแกรม" },
};
// Full screen has no command of its own: the game window takes F11 itself.
const char kFullScreenKey[] = "F11";
const char kFullScreenText[] = "เต็มจอ หรือกลับมาขนาดเดิม";

QString keyTable()
{
    const QString row = QStringLiteral("<tr><td><b>%1</b></td><td>%2</td></tr>");
    QString rows;
    for (const KeyLine &line : kKeyLines) {
        rows += row.arg(shortcuts::keyText(line.command).toHtmlEscaped(),
                        QString::fromUtf8(line.text).toHtmlEscaped());
        if (line.command == Command::ZoomReset)
            rows += row.arg(QString::fromUtf8(kFullScreenKey), QString::fromUtf8(kFullScreenText));
    }
    return QStringLiteral("<table cellspacing=\"0\" cellpadding=\"3\">") + rows
        + QStringLiteral("</table>");
}

// The page, in the order a new player meets the rules. {hand:CARDS} marks an example hand: its
// cards are drawn there, with the label and the payout the rulebook gives them below.
const char kPage[] = R"(
<h2>วิธีเล่นป๊อกเด้ง</h2>

<h3>ที่นั่งรอบโต๊ะ</h3>
<p>โต๊ะมีสี่ที่ คือ คุณ, "ขา 1", "ขาบ๊วย" และเจ้ามือ ("ไพ่ เจ้า มือ") สามที่หลังเล่นโดยคอมพิวเตอร์
คุณได้เสียกับเจ้ามือเท่านั้น ขา 1 และขาบ๊วยจั่วและเปิดไพ่ให้เห็น แต่ไม่ได้เทียบไพ่หรือจ่ายเงินกับใคร
คุณเริ่มโต๊ะด้วยเงิน 10000 บาท</p>

<h3>ค่าไพ่และแต้ม</h3>
<p>A นับ 1 ไพ่ 2 ถึง 9 นับตามตัวเลข ส่วน 10, J, Q และ K นับเป็น 0<br>
แต้มของมือคือหลักหน่วยของผลรวม เช่น 7 กับ 8 รวมได้ 15 จึงได้ 5 แต้ม</p>
<table cellspacing="0" cellpadding="4"><tr><td>{hand:7S 8D}</td><td>{hand:KH 9C}</td></tr></table>

<h3>ลงเงิน</h3>
<p>ทุกตาเริ่มจากเลือกเงินเดิมพันหนึ่งอย่าง</p>
<ul>
<li>"ครึ่งของหน้าตัก" ครึ่งหนึ่งของเงินที่มี ไม่ปัดเศษ</li>
<li>"1,000 บาท", "5,000 บาท" และ "10,000 บาท" เลือกได้เมื่อมีเงินไม่น้อยกว่าจำนวนนั้น</li>
<li>"หมดหน้าตัก" เงินทั้งหมดที่มี</li>
</ul>
<p>เงินยังไม่ถูกหักตอนลง จะบวกหรือลบเมื่อจบตา ถ้าเจ้ามือชนะด้วยไพ่ที่จ่ายหลายเท่า
คุณเสียมากกว่าเงินที่ลงได้ จนเงินติดลบก็ได้</p>

<h3>แจกไพ่และลำดับการเล่น</h3>
<p>ทุกที่ได้ไพ่สองใบ ไพ่ของคุณหงายให้เห็น ไพ่ของที่อื่นคว่ำอยู่จนถึงตอนเปิดไพ่
ใครจั่วได้อีกใบเดียว ลำดับคือ ขา 1, คุณ, ขาบ๊วย แล้วเจ้ามือ
จากนั้นเปิดไพ่ทุกใบ แล้วเทียบไพ่ของคุณกับของเจ้ามือ</p>

<h3>ตาของคุณ</h3>
<ul>
<li>สองใบได้ 8 หรือ 9 แต้ม คือ "ป๊อก" จั่วไม่ได้ กด "หงายไพ่" เพื่อเปิดไพ่</li>
<li>0 ถึง 3 แต้ม ต้องกด "จั่วไพ่" จะอยู่ไม่ได้</li>
<li>4 ถึง 7 แต้ม เลือกกด "จั่วไพ่" หรือ "ไม่จั่ว" ก็ได้</li>
</ul>
<p>เมื่อคุณป๊อกแล้วครั้งหนึ่ง ปุ่ม "ไม่จั่ว" จะขึ้นว่า "หงายไพ่" ไปจนกว่าจะเริ่มโต๊ะใหม่
แต่ยังใช้ไม่จั่วได้เหมือนเดิม</p>

<h3>ขา 1 และขาบ๊วย</h3>
<ul>
<li>0 ถึง 3 แต้ม จั่วเสมอ</li>
<li>5 แต้มขึ้นไป ไม่จั่ว</li>
<li>4 แต้ม ถ้าสองใบเป็นดอกเดียวกันไม่จั่ว ถ้าต่างดอกก็โยนเหรียญ จั่วหรือไม่จั่วอย่างละครึ่ง</li>
</ul>

<h3>เจ้ามือ</h3>
<p>เจ้ามือไม่เห็นไพ่ของคุณ รู้เพียงว่าคุณจั่วหรือไม่ (ป๊อกนับว่าไม่จั่ว)</p>
<table border="1" cellspacing="0" cellpadding="4">
<tr><th>แต้มเจ้ามือ</th><th>คุณไม่จั่ว</th><th>คุณจั่ว</th></tr>
<tr><td align="center">0 ถึง 3</td><td>จั่ว</td><td>จั่ว</td></tr>
<tr><td align="center">4</td><td>จั่ว</td><td>โยนเหรียญ จั่วหรือไม่จั่วอย่างละครึ่ง</td></tr>
<tr><td align="center">5</td><td>จั่ว</td><td>ไม่จั่ว</td></tr>
<tr><td align="center">6 ถึง 9</td><td>ไม่จั่ว</td><td>ไม่จั่ว</td></tr>
</table>

<h3>ลำดับไพ่ จากสูงไปต่ำ</h3>
<table cellspacing="0" cellpadding="4">
<tr><td>{hand:KS 9D}</td><td valign="middle">1. <b>ป๊อก 9</b> สองใบได้ 9 แต้ม</td></tr>
<tr><td>{hand:5C 3D}</td><td valign="middle">2. <b>ป๊อก 8</b> สองใบได้ 8 แต้ม</td></tr>
<tr><td>{hand:6S 6H 6D}</td><td valign="middle">3. <b>ตอง</b> สามใบหน้าเดียวกัน นับเป็นตองไม่ว่าได้กี่แต้ม
เช่น ตอง 6 ได้ 8 แต้ม หรือตอง A ได้ 3 แต้ม ยกเว้น 3 สามใบ ซึ่งได้ 9 แต้มจึงนับเป็น 9 หลัง</td></tr>
<tr><td>{hand:KS KH QD}</td><td valign="middle">4. <b>เซียน K</b> K สองใบ กับ Q หรือ J</td></tr>
<tr><td>{hand:QS QC JH}</td><td valign="middle">5. <b>เซียน Q</b> Q สองใบ กับ K หรือ J</td></tr>
<tr><td>{hand:JD JC KS}</td><td valign="middle">6. <b>เซียน J</b> J สองใบ กับ K หรือ Q</td></tr>
<tr><td>{hand:KS QH JD}</td><td valign="middle">7. <b>สามเหลือง</b> K, Q และ J อย่างละใบ</td></tr>
<tr><td>{hand:3S 3H 3D}</td><td valign="middle">8. <b>9 หลัง</b> สามใบได้ 9 แต้ม</td></tr>
<tr><td>{hand:2C 3H 3S}</td><td valign="middle">9. <b>8 หลัง</b> สามใบได้ 8 แต้ม</td></tr>
<tr><td>{hand:9D 8S}</td><td valign="middle">10. <b>7 แต้ม ลงไปถึง 1 แต้ม</b> แต้มมากชนะแต้มน้อย ไม่ว่าสองใบหรือสามใบ</td></tr>
<tr><td>{hand:KS KH 10D}</td><td valign="middle">11. <b>บอดสนิท</b> สามใบได้ 0 แต้ม แพ้ทุกมือ เว้นแต่เจอบอดสนิทด้วยกันซึ่งถือว่าชน</td></tr>
</table>
<p>ไพ่ลำดับเดียวกันถือว่า "ชน" คือเสมอกัน ไม่ดูแต้ม ดอก หรือหน้าไพ่อีก
เช่น ตอง A กับตอง K, 7 แต้มสองใบกับ 7 แต้มสามใบ หรือป๊อก 9 กับป๊อก 9</p>

<h3>เด้ง</h3>
<ul>
<li><b>สองเด้ง</b> ไพ่สองใบ (ไม่ได้จั่ว) ที่เป็นดอกเดียวกันหรือหน้าเดียวกัน จ่าย 2 เท่า ทั้งป๊อกและแต้มธรรมดา</li>
<li><b>สามเด้ง</b> ไพ่สามใบดอกเดียวกัน ที่เป็น 9 หลัง, 8 หลัง หรือ 1 ถึง 7 แต้ม จ่าย 3 เท่า
สามเหลืองดอกเดียวกันไม่เด้งเพิ่ม จ่าย 3 เท่าเท่าเดิม</li>
</ul>
<table cellspacing="0" cellpadding="4"><tr><td>{hand:4H 5H}</td><td>{hand:7C 7D}</td></tr>
<tr><td>{hand:2H 5H 9H}</td><td>{hand:KH QH JH}</td></tr></table>

<h3>จ่ายเงิน</h3>
<p>มือที่ลำดับสูงกว่าชนะ ฝ่ายแพ้จ่ายตามมือของฝ่ายชนะ</p>
<table border="1" cellspacing="0" cellpadding="4">
<tr><th>มือที่ชนะ</th><th>จ่าย</th></tr>
<tr><td>ตอง</td><td align="center">5 เท่า</td></tr>
<tr><td>เซียน K, เซียน Q, เซียน J, สามเหลือง</td><td align="center">3 เท่า</td></tr>
<tr><td>สามเด้ง</td><td align="center">3 เท่า</td></tr>
<tr><td>สองเด้ง</td><td align="center">2 เท่า</td></tr>
<tr><td>อื่น ๆ</td><td align="center">1 เท่า</td></tr>
</table>
<p>เมื่อเจ้ามือชนะ คุณเสียตามมือของเจ้ามือ เช่น เจ้ามือป๊อก 8 สองเด้ง คุณเสีย 2 เท่าของเงินที่ลง</p>
<p>ถ้าชน เงินไม่เปลี่ยน</p>

<h3>หมดตัว</h3>
<p>จบตาแล้วถ้าเงินเหลือน้อยกว่า 1000 บาท เกมจบ แล้วถามว่าต้องการเล่นใหม่ไหม<br>
ตอบ "ใช่" เริ่มโต๊ะใหม่ด้วยเงิน 10000 บาท ตอบ "ไม่ใช่" ปิดโปรแกรม</p>

<h3>เก็บสถิติ</h3>
<p>จบตาแล้วถ้าเงินมากกว่าสถิติที่บันทึกไว้ ใส่ชื่อแล้วกด "เก็บสถิติ" ได้ เก็บแล้วเกมจะเริ่มโต๊ะใหม่
ดูสถิติได้จากเมนู "สถิติ"</p>

<h3>ตัวช่วยคำนวณ</h3>
<p>เปิดได้จากเมนู "ตัวช่วย" เมื่อถึงตาคุณ บรรทัดใต้โต๊ะจะบอกโอกาสชนะ เสมอ และแพ้ของแต่ละทางที่เลือกได้
("จั่วไพ่" หรือ "ไม่จั่ว") กับเงินที่ได้หรือเสียโดยเฉลี่ยต่อตา เช่น "เฉลี่ยได้ 149.7 บาท ต่อตา"
"เฉลี่ยเสีย 312.2 บาท ต่อตา" หรือ "เฉลี่ยเสมอตัว" ทางที่ดีกว่าคือทางที่ได้มากกว่าหรือเสียน้อยกว่าโดยเฉลี่ย</p>
<p>ตัวเลขนับจากไพ่สองใบของคุณเท่านั้น ไพ่อีก 50 ใบที่คุณไม่เห็นมีโอกาสเป็นใบใดก็ได้เท่ากัน
นับทุกแบบที่ไพ่ของคุณและของเจ้ามือจะออกได้ โดยเจ้ามือจั่วตามกติกาข้างบน ถ้าเจ้ามือต้องโยนเหรียญ นับครึ่งต่อครึ่ง
ตัวเลขจึงเป็นค่าเฉลี่ยของการเล่นหลายๆ ตา ไม่ใช่คำทำนายตาเดียว</p>

<h3>ปุ่มลัด</h3>
{keys}
)";

const QString kPays = QStringLiteral("ชนะได้ %1 เท่า");
const QString kNeverWins = QStringLiteral("ไม่ชนะใคร");

struct ExampleHand
{
    std::vector<cards::Card> cards;
    pokdeng::HandValue value;
};

std::optional<cards::Card> cardFromCode(const QString &code)
{
    static const QString suits = QStringLiteral("SHDC");
    static const QStringList ranks
        = { QStringLiteral("A"), QStringLiteral("2"),  QStringLiteral("3"), QStringLiteral("4"),
            QStringLiteral("5"), QStringLiteral("6"),  QStringLiteral("7"), QStringLiteral("8"),
            QStringLiteral("9"), QStringLiteral("10"), QStringLiteral("J"), QStringLiteral("Q"),
            QStringLiteral("K") };
    const auto suit = suits.indexOf(code.right(1));
    const auto rank = ranks.indexOf(code.chopped(1));
    if (code.size() < 2 || suit < 0 || rank < 0)
        return std::nullopt;
    return cards::Card { static_cast<std::uint8_t>(suit + 1), static_cast<std::int16_t>(rank + 1) };
}

// The hand written as "7S 8D", valued as the table values a hand at settlement: a third card
// is one that was drawn.
ExampleHand exampleHand(const QString &codes)
{
    ExampleHand example;
    for (const QString &code : codes.split(QLatin1Char(' '))) {
        if (const auto card = cardFromCode(code))
            example.cards.push_back(*card);
    }
    Q_ASSERT_X(example.cards.size() == 2 || example.cards.size() == 3, "Frmrules",
               "an example hand has two or three cards");
    std::array<cards::Card, 3> hand {};
    int sum = 0;
    for (std::size_t i = 0; i < example.cards.size() && i < 3; ++i) {
        hand[i] = example.cards[i];
        sum += cards::cardValue(hand[i].rank);
    }
    example.value = pokdeng::evaluateHand(hand, sum % 10, example.cards.size() == 3);
    return example;
}

} // namespace

Frmrules::Frmrules(QWidget *parent)
    : FixedDialog(Escape::Closes, parent, Frame::Resizable)
{
    setObjectName(QStringLiteral("Frmrules"));
    setWindowTitle(kCaption);
    setWindowIcon(CardLibrary::windowIcon());
    setFont(designFont(10));
    setAttribute(Qt::WA_DeleteOnClose);

    auto *layout = new QVBoxLayout(this);
    txtRules = new QTextBrowser(this);
    txtRules->setObjectName(QStringLiteral("txtRules"));
    txtRules->setOpenLinks(false);
    layout->addWidget(txtRules);
    auto *close = new QPushButton(kClose, this);
    close->setObjectName(QStringLiteral("cmdClose"));
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    layout->addWidget(close, 0, Qt::AlignRight);

    // Each example becomes its cards, with its label in bold and what it pays below.
    const qreal ratio = devicePixelRatioF();
    QString page = QString::fromUtf8(kPage);
    page.replace(QLatin1String("{keys}"), keyTable());
    qsizetype at = 0;
    while ((at = page.indexOf(QLatin1String("{hand:"), at)) >= 0) {
        const qsizetype end = page.indexOf(QLatin1Char('}'), at);
        const QString codes = page.mid(at + 6, end - at - 6);
        const ExampleHand example = exampleHand(codes);
        const QUrl url(QStringLiteral("hand:")
                       + QString(codes).replace(QLatin1Char(' '), QLatin1Char('-')));
        txtRules->document()->addResource(QTextDocument::ImageResource, url,
                                          handPicture(example.cards, kCardHeight, ratio));
        const int multiplier
            = pokdeng::payoutMultiplier(example.value.kind, example.value.multiplier);
        const QString pays
            = example.value.kind == pokdeng::kNothing ? kNeverWins : kPays.arg(multiplier);
        // The cards by name under their picture: what screen readers read of the example.
        QStringList names;
        for (const cards::Card &card : example.cards)
            names << QString::fromStdString(cards::cardName(card));
        const QString cardNames = names.join(QStringLiteral(", ")).toHtmlEscaped();
        const QString row
            = QStringLiteral("<img src=\"%1\" width=\"%2\" height=\"%3\" alt=\"%4\"><br>%4<br>"
                             "<b>%5</b> %6")
                  .arg(url.toString())
                  .arg(handPictureWidth(static_cast<int>(example.cards.size()), kCardHeight))
                  .arg(kCardHeight)
                  .arg(cardNames, QString::fromStdString(example.value.label).toHtmlEscaped(),
                       pays);
        page.replace(at, end - at + 1, row);
        at += row.size();
    }
    txtRules->setHtml(page);
    resize(720, 760);
}

Frmrules *Frmrules::showBeside(QWidget *parent)
{
    static QPointer<Frmrules> shown;
    QWidget *owner = parent ? parent->window() : nullptr;
    if (shown && shown->parentWidget() != owner) {
        shown->close();
        shown = nullptr;
    }
    if (!shown) {
        shown = new Frmrules(owner);
        // Beside the table, not over it, where the screen has room.
        windowplace::placeBeside(shown, owner);
    }
    shown->show();
    shown->raise();
    shown->activateWindow();
    return shown;
}
