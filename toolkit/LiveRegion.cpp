#include "toolkit/LiveRegion.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>

namespace {

const char kLiveProperty[] = "pokdengLiveRegion";

class LiveLabelInterface final : public QAccessibleWidget
{
public:
    explicit LiveLabelInterface(QLabel *label)
        : QAccessibleWidget(label, QAccessible::Notification)
    {
    }

    QString text(QAccessible::Text kind) const override
    {
        if (kind == QAccessible::Name) {
            const QString name = widget()->accessibleName();
            return name.isEmpty() ? static_cast<const QLabel *>(widget())->text() : name;
        }
        return QAccessibleWidget::text(kind);
    }
};

QAccessibleInterface *liveLabelFactory(const QString &className, QObject *object)
{
    if (className == QLatin1String("QLabel") && object && object->property(kLiveProperty).toBool())
        return new LiveLabelInterface(static_cast<QLabel *>(object));
    return nullptr;
}

} // namespace

void LiveRegion::expose(QLabel *label)
{
    static const bool installed = [] {
        QAccessible::installFactory(liveLabelFactory);
        return true;
    }();
    static_cast<void>(installed);
    label->setProperty(kLiveProperty, true);
}

void LiveRegion::announce(QLabel *label)
{
    if (!label->isVisible())
        return;
    QAccessibleInterface *interface = QAccessible::queryAccessibleInterface(label);
    if (!interface || interface->text(QAccessible::Name).isEmpty())
        return;
    QAccessibleEvent shown(label, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
}
