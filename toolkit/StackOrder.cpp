#include "toolkit/StackOrder.h"

#include <QWidget>

QWidget *widgetAbove(QWidget *widget)
{
    if (!widget->parentWidget())
        return nullptr;
    const QObjectList &siblings = widget->parentWidget()->children();
    for (auto i = siblings.indexOf(widget) + 1; i < siblings.size(); ++i)
        if (siblings[i]->isWidgetType())
            return static_cast<QWidget *>(siblings[i]);
    return nullptr;
}
