#include "windows/ChatPanel.h"

#include "net/Protocol.h"
#include "toolkit/LiveRegion.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

namespace {

const QString kLinesName = QStringLiteral("แชต");
const QString kTypedName = QStringLiteral("พิมพ์ข้อความ แล้วกด Enter");
const QString kLine = QStringLiteral("%1: %2");

// A line as it may be shown: no line breaks or other control characters, at most the length.
QString plainLine(const QString &text)
{
    QString line;
    for (const QChar ch : text.left(ChatPanel::kMostLength))
        line += (ch.category() == QChar::Other_Control || ch == QChar::LineSeparator
                 || ch == QChar::ParagraphSeparator)
            ? QLatin1Char(' ')
            : ch;
    return line.trimmed();
}

} // namespace

ChatPanel::ChatPanel(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("chat"));
    m_lines = new QPlainTextEdit(this);
    m_lines->setObjectName(QStringLiteral("chatLines"));
    m_lines->setReadOnly(true);
    m_lines->setMaximumBlockCount(kMostLines);
    m_lines->setAccessibleName(kLinesName);
    m_typed = new QLineEdit(this);
    m_typed->setObjectName(QStringLiteral("chatTyped"));
    m_typed->setMaxLength(kMostLength);
    m_typed->setPlaceholderText(kTypedName);
    m_typed->setAccessibleName(kTypedName);
    connect(m_typed, &QLineEdit::returnPressed, this, &ChatPanel::sendTyped);

    auto *phrases = new QHBoxLayout;
    const auto &quick = net::quickPhrases();
    for (int number = 0; number < int(quick.size()); ++number) {
        auto *button = new QPushButton(QString::fromStdString(quick[std::size_t(number)]), this);
        button->setObjectName(QStringLiteral("phrase%1").arg(number + 1));
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, [this, number] { emit saidPhrase(number); });
        phrases->addWidget(button);
    }
    auto *switchKey = new QShortcut(QKeySequence(Qt::Key_F6), this);
    connect(switchKey, &QShortcut::activated, this, [this] {
        if (m_typed->hasFocus())
            emit tableWanted();
        else
            m_typed->setFocus(Qt::ShortcutFocusReason);
    });
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_lines);
    layout->addWidget(m_typed);
    layout->addLayout(phrases);
}

void ChatPanel::sendTyped()
{
    const QString text = plainLine(m_typed->text());
    m_typed->clear();
    if (!text.isEmpty())
        emit said(text);
}

void ChatPanel::addLine(const QString &name, const QString &text, bool mine)
{
    const QString line = kLine.arg(plainLine(name), plainLine(text));
    // appendPlainText never reads markup: "<b>" stays "<b>".
    m_lines->appendPlainText(line);
    if (!mine)
        LiveRegion::say(window(), line);
}

void ChatPanel::addNotice(const QString &text)
{
    const QString line = plainLine(text);
    m_lines->appendPlainText(line);
    LiveRegion::say(window(), line);
}

QStringList ChatPanel::lines() const
{
    return m_lines->toPlainText().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}
