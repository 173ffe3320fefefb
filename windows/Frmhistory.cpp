#include "windows/Frmhistory.h"

#include "rules/CardName.h"
#include "rules/pokdeng/HandEvaluation.h"
#include "toolkit/DisplayText.h"
#include "toolkit/HandPicture.h"
#include "toolkit/ThaiFonts.h"
#include "toolkit/Toolkit.h"
#include "windows/HistoryTrouble.h"
#include "windows/MoneyChart.h"

#include <QButtonGroup>
#include <QDateTime>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include <cmath>

using pokdeng::PlayedHand;
using pokdeng::PlayedRound;
using pokdeng::Settlement;
using Scope = HistoryStore::Scope;

namespace {

// The window's texts.
const QString kCaption = QStringLiteral("ประวัติการเล่น");
const QString kThisTable = QStringLiteral("โต๊ะนี้");
const QString kAllRounds = QStringLiteral("ทุกตาที่บันทึกไว้");
const QString kFiguresTitle = QStringLiteral("สรุปผล");
const QString kRoundsCaption = QStringLiteral("จำนวนตาที่เล่น");
const QString kWonCaption = QStringLiteral("ชนะ");
const QString kTiedCaption = QStringLiteral("เสมอ");
const QString kLostCaption = QStringLiteral("แพ้");
const QString kBiggestWinCaption = QStringLiteral("ได้มากที่สุดในตาเดียว");
const QString kBiggestLossCaption = QStringLiteral("เสียมากที่สุดในตาเดียว");
const QString kBestMoneyCaption = QStringLiteral("เงินสูงสุดที่เคยมี");
const QString kLongestRunCaption = QStringLiteral("ชนะติดกันมากที่สุด");
const QString kKindsTitle = QStringLiteral("ผลตามไพ่ของคุณ");
const QStringList kKindColumns
    = { QStringLiteral("ไพ่"), QStringLiteral("ตา"), QStringLiteral("ชนะ"), QStringLiteral("เสมอ"),
        QStringLiteral("แพ้") };
const QString kChartTitle = QStringLiteral("เงินตามตาที่เล่น");
const QString kLatestTitle = QStringLiteral("%1 ตาล่าสุด");
const QStringList kLatestColumns
    = { QStringLiteral("เวลา"),      QStringLiteral("เดิมพัน"), QStringLiteral("ไพ่คุณ"),
        QStringLiteral("ไพ่เจ้ามือ"),   QStringLiteral("ผล"),    QStringLiteral("ได้เสีย"),
        QStringLiteral("เงินหลังจบตา") };
const QString kClear = QStringLiteral("ล้างประวัติ");
const QString kClose = QStringLiteral("ปิด");
const QString kClearPrompt
    = QStringLiteral("ต้องการล้างประวัติการเล่นทั้งหมดใช่ไหมครับ ? ล้างแล้วจะเอาคืนไม่ได้ ");
const QString kReadTrouble = QStringLiteral("อ่านประวัติการเล่นไม่ได้ครับ\nสาเหตุ: ");
const QString kClearFailed = QStringLiteral("ล้างประวัติไม่สำเร็จครับ\nสาเหตุ: ");
const QString kCount = QStringLiteral("%1 ตา");
const QString kCountShare = QStringLiteral("%1 ตา (%2%)");
const QString kBaht = QStringLiteral("%1 บาท");
const QString kNone = QStringLiteral("-");
const QString kTimeFormat = QStringLiteral("d MMM HH:mm");

const QColor kWonColour(0, 112, 40);
const QColor kLostColour(176, 16, 16);

// Cards tall enough to read their corners.
constexpr int kCardHeight = 52;
// The size the window opens at, where the screen has room for it.
constexpr QSize kOpeningSize(920, 680);

QString share(qint64 part, qint64 whole)
{
    const double percent = std::round(percentOf(part, whole) * 10) / 10;
    return kCountShare.arg(part).arg(displayDecimal(percent));
}

QString baht(const std::optional<double> &amount)
{
    return amount ? kBaht.arg(displayDecimal(*amount)) : kNone;
}

QString signedAmount(double amount)
{
    return amount > 0 ? QLatin1Char('+') + displayDecimal(amount) : displayDecimal(amount);
}

QTableWidgetItem *cell(const QString &text, Qt::Alignment alignment = Qt::AlignCenter)
{
    auto *item = new QTableWidgetItem(text);
    item->setTextAlignment(alignment | Qt::AlignVCenter);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

QTableWidget *makeTable(const QStringList &columns, const QString &name, QWidget *parent)
{
    auto *table = new QTableWidget(0, static_cast<int>(columns.size()), parent);
    table->setObjectName(name);
    table->setHorizontalHeaderLabels(columns);
    table->verticalHeader()->hide();
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Reached by Tab and left by Tab; the arrows, Page Up and Page Down and Home and End walk
    // its rows, which scroll along.
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setFocusPolicy(Qt::StrongFocus);
    table->setTabKeyNavigation(false);
    table->setWordWrap(false);
    return table;
}

} // namespace

Frmhistory::Frmhistory(HistoryStore &store, QWidget *parent)
    : FixedDialog(Escape::Closes, parent, Frame::Resizable)
    , m_store(store)
{
    setObjectName(QStringLiteral("Frmhistory"));
    setWindowTitle(kCaption);
    setFont(designFont(10));
    setSizeGripEnabled(true);
    buildControls();
    // This table's rounds first, when it has any.
    setScope(store.roundCount(Scope::ThisSession) > 0 ? Scope::ThisSession : Scope::AllTime);
}

void Frmhistory::buildControls()
{
    auto *layout = new QVBoxLayout(this);

    auto *scopes = new QHBoxLayout;
    optTable = new QRadioButton(kThisTable, this);
    optTable->setObjectName(QStringLiteral("optTable"));
    optAll = new QRadioButton(kAllRounds, this);
    optAll->setObjectName(QStringLiteral("optAll"));
    auto *group = new QButtonGroup(this);
    group->addButton(optTable);
    group->addButton(optAll);
    connect(optTable, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            setScope(Scope::ThisSession);
    });
    connect(optAll, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            setScope(Scope::AllTime);
    });
    scopes->addWidget(optTable);
    scopes->addWidget(optAll);
    scopes->addStretch();
    layout->addLayout(scopes);
    lblTrouble = new QLabel(this);
    lblTrouble->setObjectName(QStringLiteral("lblTrouble"));
    lblTrouble->setWordWrap(true);
    QPalette warning = lblTrouble->palette();
    warning.setColor(QPalette::WindowText, kLostColour);
    lblTrouble->setPalette(warning);
    lblTrouble->hide();
    layout->addWidget(lblTrouble);

    // The figures beside the chart; below them, on two pages, the latest rounds and the results
    // by the user's hand.
    auto *top = new QHBoxLayout;
    auto *figuresBox = new QGroupBox(kFiguresTitle, this);
    auto *figures = new QGridLayout(figuresBox);
    int row = 0;
    const auto addFigure = [&](const QString &caption, const char *name) {
        auto *value = new QLabel(figuresBox);
        value->setObjectName(QString::fromLatin1(name));
        value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        auto *label = new QLabel(caption, figuresBox);
        label->setBuddy(value);
        figures->addWidget(label, row, 0);
        figures->addWidget(value, row, 1);
        ++row;
        return value;
    };
    lblRounds = addFigure(kRoundsCaption, "lblRounds");
    lblWon = addFigure(kWonCaption, "lblWon");
    lblTied = addFigure(kTiedCaption, "lblTied");
    lblLost = addFigure(kLostCaption, "lblLost");
    lblBiggestWin = addFigure(kBiggestWinCaption, "lblBiggestWin");
    lblBiggestLoss = addFigure(kBiggestLossCaption, "lblBiggestLoss");
    lblBestMoney = addFigure(kBestMoneyCaption, "lblBestMoney");
    lblLongestRun = addFigure(kLongestRunCaption, "lblLongestRun");
    figures->setRowStretch(row, 1);
    figures->setColumnMinimumWidth(
        1, fontMetrics().horizontalAdvance(QStringLiteral("000000 ตา (00.0%)")));
    top->addWidget(figuresBox, 0);

    auto *chartBox = new QGroupBox(kChartTitle, this);
    auto *chartLayout = new QVBoxLayout(chartBox);
    chart = new MoneyChart(chartBox);
    chartLayout->addWidget(chart);
    top->addWidget(chartBox, 1);
    layout->addLayout(top, 2);

    auto *pages = new QTabWidget(this);
    pages->setObjectName(QStringLiteral("tabPages"));
    tblLatest = makeTable(kLatestColumns, QStringLiteral("tblLatest"), pages);
    tblLatest->setIconSize(QSize(handPictureWidth(3, kCardHeight), kCardHeight));
    tblLatest->verticalHeader()->setDefaultSectionSize(kCardHeight + 6);
    // The hands share what room is left; the other columns are fitted to their contents once
    // each time the list is filled, not at every layout.
    QHeaderView *latestHeader = tblLatest->horizontalHeader();
    latestHeader->setSectionResizeMode(2, QHeaderView::Stretch);
    latestHeader->setSectionResizeMode(3, QHeaderView::Stretch);
    pages->addTab(tblLatest, kLatestTitle.arg(kLatestRounds));
    tblKinds = makeTable(kKindColumns, QStringLiteral("tblKinds"), pages);
    tblKinds->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    tblKinds->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    pages->addTab(tblKinds, kKindsTitle);
    layout->addWidget(pages, 3);

    auto *buttons = new QHBoxLayout;
    cmdClear = new QPushButton(kClear, this);
    cmdClear->setObjectName(QStringLiteral("cmdClear"));
    cmdClear->setAutoDefault(false);
    connect(cmdClear, &QPushButton::clicked, this, &Frmhistory::cmdClear_Click);
    cmdClose = new QPushButton(kClose, this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    cmdClose->setDefault(true);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::accept);
    buttons->addWidget(cmdClear);
    buttons->addStretch();
    buttons->addWidget(cmdClose);
    layout->addLayout(buttons);

    // Wholly on a small screen too, its title bar included.
    QSize size = kOpeningSize;
    if (const QScreen *shown = parentWidget() ? parentWidget()->screen() : screen())
        size = size.boundedTo(shown->availableGeometry().size() - QSize(16, 48));
    resize(size);
}

void Frmhistory::setScope(Scope scope)
{
    m_scope = scope;
    {
        const QSignalBlocker blockTable(optTable);
        const QSignalBlocker blockAll(optAll);
        (scope == Scope::ThisSession ? optTable : optAll)->setChecked(true);
    }
    refresh();
}

void Frmhistory::refresh()
{
    showFigures(m_store.figures(m_scope));
    MoneySeries series = m_store.moneySeries(m_scope);
    chart->setSeries(std::move(series.money), std::move(series.tableStarts));
    showLatest(m_store.latestRounds(m_scope, kLatestRounds));
    optTable->setEnabled(m_store.sessionId().has_value());
    const bool troubled = m_store.trouble() != HistoryStore::Trouble::None;
    lblTrouble->setText(troubled ? kReadTrouble + historyTroubleText(m_store) : QString());
    lblTrouble->setVisible(troubled);
}

void Frmhistory::showFigures(const HistoryFigures &figures)
{
    const OutcomeCounts &outcomes = figures.outcomes;
    const qint64 rounds = outcomes.rounds();
    lblRounds->setText(kCount.arg(rounds));
    lblWon->setText(share(outcomes.won, rounds));
    lblTied->setText(share(outcomes.tied, rounds));
    lblLost->setText(share(outcomes.lost, rounds));
    lblBiggestWin->setText(baht(figures.biggestWin));
    lblBiggestLoss->setText(baht(figures.biggestLoss));
    lblBestMoney->setText(baht(figures.bestMoney));
    lblLongestRun->setText(kCount.arg(figures.longestWinningRun));

    tblKinds->setRowCount(static_cast<int>(figures.byUserKind.size()));
    int row = 0;
    for (const KindOutcomes &kind : figures.byUserKind) {
        tblKinds->setItem(
            row, 0, cell(QString::fromStdString(pokdeng::kindName(kind.kind)), Qt::AlignLeft));
        tblKinds->setItem(row, 1, cell(QString::number(kind.counts.rounds())));
        tblKinds->setItem(row, 2, cell(QString::number(kind.counts.won)));
        tblKinds->setItem(row, 3, cell(QString::number(kind.counts.tied)));
        tblKinds->setItem(row, 4, cell(QString::number(kind.counts.lost)));
        ++row;
    }
}

void Frmhistory::showLatest(const std::vector<PlayedRound> &rounds)
{
    const QLocale thai(QLocale::Thai, QLocale::Thailand);
    const qreal ratio = devicePixelRatioF();
    const auto handCell = [&](const PlayedHand &hand) {
        const QString label = QString::fromStdString(hand.value.label);
        auto *item = cell(label, Qt::AlignLeft);
        // The cards in words too, for a reader and for a closer look.
        QStringList names;
        for (int i = 0; i < hand.cardCount(); ++i)
            names << QString::fromStdString(cards::cardName(hand.cards[i]));
        item->setToolTip(names.join(QStringLiteral(", ")));
        item->setData(Qt::AccessibleTextRole, label + QStringLiteral(": ") + item->toolTip());
        item->setData(
            Qt::DecorationRole,
            handPicture(std::span(hand.cards.data(), static_cast<std::size_t>(hand.cardCount())),
                        kCardHeight, ratio));
        return item;
    };

    tblLatest->setRowCount(static_cast<int>(rounds.size()));
    int row = 0;
    for (const PlayedRound &round : rounds) {
        tblLatest->setItem(
            row, 0,
            cell(thai.toString(QDateTime::fromMSecsSinceEpoch(round.playedAtMs), kTimeFormat)));
        tblLatest->setItem(row, 1, cell(displayDecimal(round.stake), Qt::AlignRight));
        tblLatest->setItem(row, 2, handCell(round.user));
        tblLatest->setItem(row, 3, handCell(round.dealer));
        QTableWidgetItem *outcome = nullptr;
        switch (round.outcome) {
        case Settlement::Outcome::UserWins:
            outcome = cell(kWonCaption);
            outcome->setForeground(kWonColour);
            break;
        case Settlement::Outcome::UserLoses:
            outcome = cell(kLostCaption);
            outcome->setForeground(kLostColour);
            break;
        case Settlement::Outcome::Tie:
            outcome = cell(kTiedCaption);
            break;
        }
        tblLatest->setItem(row, 4, outcome);
        tblLatest->setItem(row, 5, cell(signedAmount(round.moneyChange), Qt::AlignRight));
        tblLatest->setItem(row, 6, cell(displayDecimal(round.moneyAfter), Qt::AlignRight));
        ++row;
    }
    for (const int column : { 0, 1, 4, 5, 6 })
        tblLatest->resizeColumnToContents(column);
}

void Frmhistory::cmdClear_Click()
{
    Toolkit &toolkit = Toolkit::instance();
    if (toolkit.messageBox(this, kClearPrompt, Toolkit::Style::QuestionYesNo, kClear)
        != Toolkit::Answer::Yes)
        return;
    if (!m_store.clear())
        toolkit.messageBox(this, kClearFailed + historyTroubleText(m_store), Toolkit::Style::StopOk,
                           kClear);
    setScope(Scope::AllTime);
}
