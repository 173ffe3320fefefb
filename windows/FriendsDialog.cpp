#include "windows/FriendsDialog.h"

#include "net/JoinCode.h"
#include "net/TableAddress.h"
#include "net/TableAnnouncement.h"
#include "net/TableDiscovery.h"
#include "toolkit/GameSettings.h"
#include "toolkit/LiveRegion.h"
#include "toolkit/ThaiFonts.h"
#include "windows/NameValidator.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHostAddress>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

const QString kCaption = QStringLiteral("เล่นกับเพื่อน");
const QString kNameLabel = QStringLiteral("ชื่อของคุณ (&N)");
const QString kHostChoice = QStringLiteral("เปิดโต๊ะให้เพื่อนเข้าร่วม (&H)");
const QString kJoinChoice = QStringLiteral("เข้าร่วมโต๊ะของเพื่อน (&J)");
const QString kPortLabel = QStringLiteral("พอร์ต (&P)");
const QString kHostCodeLabel = QStringLiteral("รหัสเข้าร่วม (บอกเพื่อน)");
const QString kFoundLabel = QStringLiteral("โต๊ะที่พบในเครือข่าย (&T)");
const QString kNoneFound = QStringLiteral("ยังไม่พบโต๊ะ พิมพ์ที่อยู่โต๊ะได้");
const QString kFoundTable = QStringLiteral("%1 — %2:%3 (ว่าง %4 ที่)");
const QString kAddressLabel = QStringLiteral("ที่อยู่โต๊ะ (&A)");
const QString kCodeLabel = QStringLiteral("รหัสเข้าร่วม (&C)");
// The confirming button says what it does, following the choice.
const QString kOpenTable = QStringLiteral("เปิดโต๊ะ");
const QString kJoinTable = QStringLiteral("เข้าร่วม");
const QString kCancel = QStringLiteral("ยกเลิก");
const QString kNeedName = QStringLiteral("ใส่ชื่อของคุณก่อน");
const QString kBadAddress = QStringLiteral("ที่อยู่โต๊ะไม่ถูกต้อง เช่น 192.168.1.20:47100");
const QString kNeedCode = QStringLiteral("ใส่รหัสเข้าร่วม 6 หลักที่เจ้าของโต๊ะบอก");

} // namespace

FriendsDialog::FriendsDialog(TableFinder *finder, QWidget *parent)
    : FixedDialog(Escape::Closes, parent)
    , m_finder(finder)
{
    setObjectName(QStringLiteral("FriendsDialog"));
    setWindowTitle(kCaption);
    setFont(designFont(10));
    // Wide enough for a table's name and address on one line.
    setMinimumWidth(fontMetrics().averageCharWidth() * 56);

    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("txtname"));
    m_name->setValidator(new NameValidator(m_name));
    m_host = new QRadioButton(kHostChoice, this);
    m_host->setObjectName(QStringLiteral("optHost"));
    m_join = new QRadioButton(kJoinChoice, this);
    m_join->setObjectName(QStringLiteral("optJoin"));
    m_host->setChecked(true);

    m_hostPart = new QWidget(this);
    m_port = new QSpinBox(m_hostPart);
    m_port->setObjectName(QStringLiteral("port"));
    m_port->setRange(1024, 65535);
    m_port->setValue(kTablePort);
    m_hostCode = new QLabel(net::makeJoinCode(), m_hostPart);
    m_hostCode->setObjectName(QStringLiteral("hostCode"));
    m_hostCode->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_hostCode->setAccessibleName(kHostCodeLabel + QLatin1Char(' ') + m_hostCode->text());
    auto *hostForm = new QFormLayout(m_hostPart);
    hostForm->addRow(kPortLabel, m_port);
    hostForm->addRow(kHostCodeLabel, m_hostCode);

    m_joinPart = new QWidget(this);
    m_found = new QListWidget(m_joinPart);
    m_found->setObjectName(QStringLiteral("foundTables"));
    m_found->setAccessibleName(kFoundLabel);
    m_address = new QLineEdit(m_joinPart);
    m_address->setObjectName(QStringLiteral("address"));
    m_code = new QLineEdit(m_joinPart);
    m_code->setObjectName(QStringLiteral("code"));
    m_code->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9]{0,%1}").arg(net::kJoinCodeLength)), m_code));
    auto *foundLabel = new QLabel(kFoundLabel, m_joinPart);
    foundLabel->setBuddy(m_found);
    auto *joinForm = new QFormLayout(m_joinPart);
    joinForm->addRow(foundLabel);
    joinForm->addRow(m_found);
    joinForm->addRow(kAddressLabel, m_address);
    joinForm->addRow(kCodeLabel, m_code);

    m_problem = new QLabel(this);
    m_problem->setObjectName(QStringLiteral("problem"));
    m_problem->setWordWrap(true);
    LiveRegion::expose(m_problem);

    auto *buttons = new QDialogButtonBox(this);
    m_ok = buttons->addButton(kOpenTable, QDialogButtonBox::AcceptRole);
    m_ok->setObjectName(QStringLiteral("ok"));
    m_ok->setDefault(true);
    buttons->addButton(kCancel, QDialogButtonBox::RejectRole)
        ->setObjectName(QStringLiteral("cancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &FriendsDialog::tryAccept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *nameForm = new QFormLayout;
    nameForm->addRow(kNameLabel, m_name);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(nameForm);
    layout->addWidget(m_host);
    layout->addWidget(m_hostPart);
    layout->addWidget(m_join);
    layout->addWidget(m_joinPart);
    layout->addWidget(m_problem);
    layout->addWidget(buttons);

    connect(m_host, &QRadioButton::toggled, this, &FriendsDialog::showRole);
    connect(m_found, &QListWidget::currentRowChanged, this, [this](int row) {
        if (m_finder && row >= 0 && row < int(m_finder->tables().size())) {
            const FoundTable &table = m_finder->tables()[std::size_t(row)];
            m_address->setText(
                QStringLiteral("%1:%2").arg(table.address.toString()).arg(table.announcement.port));
        }
    });
    if (m_finder)
        connect(m_finder, &TableFinder::tablesChanged, this, &FriendsDialog::showFoundTables);
    // The name last played under, and the table last joined, offered again.
    const GameSettings settings;
    m_name->setText(settings.friendsName());
    m_address->setText(settings.lastJoinedTable());
    showFoundTables();
    showRole();
}

void FriendsDialog::showRole()
{
    const bool hosts = m_host->isChecked();
    m_hostPart->setEnabled(hosts);
    m_joinPart->setEnabled(!hosts);
    m_ok->setText(hosts ? kOpenTable : kJoinTable);
}

void FriendsDialog::showFoundTables()
{
    const int row = m_found->currentRow();
    m_found->clear();
    if (!m_finder || m_finder->tables().empty()) {
        auto *none = new QListWidgetItem(kNoneFound, m_found);
        none->setFlags(Qt::NoItemFlags);
        return;
    }
    for (const FoundTable &table : m_finder->tables())
        m_found->addItem(kFoundTable.arg(table.announcement.name, table.address.toString())
                             .arg(table.announcement.port)
                             .arg(table.announcement.freeSeats));
    if (row >= 0 && row < m_found->count())
        m_found->setCurrentRow(row);
}

void FriendsDialog::tryAccept()
{
    const auto refuse = [this](const QString &problem, QWidget *where) {
        m_problem->setText(problem);
        m_problem->setAccessibleName(problem);
        LiveRegion::announce(m_problem);
        where->setFocus(Qt::OtherFocusReason);
    };
    FriendsChoice choice;
    choice.name = m_name->text().trimmed();
    if (choice.name.isEmpty())
        return refuse(kNeedName, m_name);
    if (m_host->isChecked()) {
        choice.role = FriendsChoice::Role::Host;
        choice.port = static_cast<quint16>(m_port->value());
        choice.code = m_hostCode->text();
    } else {
        choice.role = FriendsChoice::Role::Join;
        const auto address = net::parseTableAddress(m_address->text(), kTablePort);
        if (!address)
            return refuse(kBadAddress, m_address);
        if (!net::isJoinCode(m_code->text()))
            return refuse(kNeedCode, m_code);
        choice.address = address->first;
        choice.port = address->second;
        choice.code = m_code->text();
    }
    GameSettings settings;
    settings.setFriendsName(choice.name);
    if (choice.role == FriendsChoice::Role::Join)
        settings.setLastJoinedTable(m_address->text().trimmed());
    m_choice = choice;
    accept();
}
