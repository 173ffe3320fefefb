#include "windows/TableLine.h"

#include "toolkit/LiveRegion.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace {
const QString kCopy = QStringLiteral("คัดลอก");
const QString kCopyName = QStringLiteral("คัดลอกที่อยู่และรหัสให้เพื่อน");
const QString kCopied = QStringLiteral("คัดลอกแล้ว");
} // namespace

TableLine::TableLine(QWidget *parent)
    : QWidget(parent)
    , m_line(new QLabel(this))
    , m_copy(new QPushButton(kCopy, this))
{
    m_line->setObjectName(QStringLiteral("tableLine"));
    m_line->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_copy->setObjectName(QStringLiteral("copyTableLine"));
    m_copy->setAccessibleName(kCopyName);
    m_copy->setToolTip(kCopyName);
    m_copy->hide();
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_line, 1);
    layout->addWidget(m_copy);
    connect(m_copy, &QPushButton::clicked, this, [this] {
        QGuiApplication::clipboard()->setText(m_toCopy);
        LiveRegion::say(window(), kCopied);
    });
    hide();
}

void TableLine::showLine(const QString &line, const QString &toCopy)
{
    m_line->setText(line);
    m_line->setAccessibleName(line);
    m_toCopy = toCopy;
    m_copy->setVisible(!toCopy.isEmpty());
    setVisible(!line.isEmpty());
    if (!line.isEmpty())
        LiveRegion::say(window(), line);
}

QString TableLine::text() const
{
    return m_line->text();
}
