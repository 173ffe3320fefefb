#pragma once

// The game as a screen reader sees it: the accessibility tree of its windows, walked from the
// application down, and the actions a screen reader or voice control carries out on it.
#include "support/MenuText.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QCoreApplication>
#include <QString>
#include <QStringList>

#include <vector>

namespace accessible {

inline bool isShown(QAccessibleInterface *interface)
{
    return interface && !interface->state().invisible;
}

// Every interface below root, depth first, root excluded; with shownOnly, only those shown and
// below shown ones.
inline std::vector<QAccessibleInterface *> below(QAccessibleInterface *root, bool shownOnly = true)
{
    std::vector<QAccessibleInterface *> found;
    if (!root)
        return found;
    for (int i = 0; i < root->childCount(); ++i) {
        QAccessibleInterface *child = root->child(i);
        if (!child || (shownOnly && !isShown(child)))
            continue;
        found.push_back(child);
        const std::vector<QAccessibleInterface *> deeper = below(child, shownOnly);
        found.insert(found.end(), deeper.begin(), deeper.end());
    }
    return found;
}

inline std::vector<QAccessibleInterface *> withRole(QAccessibleInterface *root,
                                                    QAccessible::Role role)
{
    std::vector<QAccessibleInterface *> found;
    for (QAccessibleInterface *interface : below(root))
        if (interface->role() == role)
            found.push_back(interface);
    return found;
}

// The first shown interface below root with that role and name, or nullptr.
inline QAccessibleInterface *find(QAccessibleInterface *root, QAccessible::Role role,
                                  const QString &name)
{
    // A menu entry goes by its words, whatever its letter.
    for (QAccessibleInterface *interface : withRole(root, role))
        if (interface->text(QAccessible::Name) == name
            || (role == QAccessible::MenuItem
                && plainMenuText(interface->text(QAccessible::Name)) == name))
            return interface;
    return nullptr;
}

// The names of the shown interfaces below root with that role and description, in tree order.
inline QStringList names(QAccessibleInterface *root, QAccessible::Role role,
                         const QString &description)
{
    QStringList found;
    for (QAccessibleInterface *interface : withRole(root, role))
        if (interface->text(QAccessible::Description) == description)
            found << interface->text(QAccessible::Name);
    return found;
}

// Carries out a named action ("Press", "Toggle") as a screen reader does.
inline void act(QAccessibleInterface *interface, const QString &action)
{
    if (interface && interface->actionInterface())
        interface->actionInterface()->doAction(action);
}

// The application's shown window with that role (an alert box, say), or nullptr.
inline QAccessibleInterface *window(QAccessible::Role role)
{
    QAccessibleInterface *application = QAccessible::queryAccessibleInterface(qApp);
    for (int i = 0; application && i < application->childCount(); ++i) {
        QAccessibleInterface *window = application->child(i);
        if (isShown(window) && window->role() == role)
            return window;
    }
    return nullptr;
}

// The text an alert box shows: the names of its shown static texts, joined.
inline QString alertText(QAccessibleInterface *alert)
{
    QStringList parts;
    for (QAccessibleInterface *text : withRole(alert, QAccessible::StaticText))
        if (!text->text(QAccessible::Name).isEmpty())
            parts << text->text(QAccessible::Name);
    return parts.join(QLatin1Char('\n'));
}

} // namespace accessible
