#include "toolkit/LiveRegion.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QLabel>

namespace {

const char kLiveProperty[] = "pokdengLiveRegion";
const char kNextSpeakerProperty[] = "pokdengNextSpeaker";
// How many sentences in a row say() keeps apart.
constexpr int kSpeakers = 6;

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

// Installed after Qt's own factory of widget interfaces, which is asked after it.
QAccessibleInterface *liveLabelFactory(const QString &className, QObject *object)
{
    if (className == QLatin1String("QLabel") && object && object->property(kLiveProperty).toBool())
        return new LiveLabelInterface(static_cast<QLabel *>(object));
    return nullptr;
}

// Every game window, whatever its own class. Qt's factory knows none of these class names.
QAccessibleInterface *gameWindowFactory(const QString &className, QObject *object)
{
    if (className == QLatin1String("GameWindow") && object && object->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::Window);
    return nullptr;
}

// Before any window is made: a window's interface is made, and kept, with its first title.
void installGameWindowFactory()
{
    QAccessible::installFactory(gameWindowFactory);
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(installGameWindowFactory)

void LiveRegion::expose(QLabel *label)
{
    static const bool installed = [] {
        QAccessible::installFactory(liveLabelFactory);
        return true;
    }();
    static_cast<void>(installed);
    label->setProperty(kLiveProperty, true);
    if (label->text().isEmpty() && label->accessibleName().isEmpty())
        label->hide();
}

void LiveRegion::announce(QLabel *label)
{
    QAccessibleInterface *interface = QAccessible::queryAccessibleInterface(label);
    if (!interface || interface->text(QAccessible::Name).isEmpty()) {
        label->hide();
        return;
    }
    if (label->isHidden()) {
        // Qt tells screen readers of a label as it shows, if its window is on the screen.
        label->show();
    } else if (label->isVisible()) {
        QAccessibleEvent shown(label, QAccessible::ObjectShow);
        QAccessible::updateAccessibility(&shown);
    }
}

void LiveRegion::say(QWidget *window, const QString &sentence)
{
    if (!window || sentence.isEmpty())
        return;
    const int next = window->property(kNextSpeakerProperty).toInt();
    window->setProperty(kNextSpeakerProperty, (next + 1) % kSpeakers);
    const QString name = QStringLiteral("lblspoken%1").arg(next + 1);
    auto *speaker = window->findChild<QLabel *>(name, Qt::FindDirectChildrenOnly);
    if (!speaker) {
        // No size and no text: nothing to see, nothing in the way of a click.
        speaker = new QLabel(window);
        speaker->setObjectName(name);
        speaker->setGeometry(0, 0, 0, 0);
        speaker->setAttribute(Qt::WA_TransparentForMouseEvents);
        speaker->hide();
        expose(speaker);
    }
    speaker->setAccessibleName(sentence);
    if (window->isVisible())
        announce(speaker);
}
