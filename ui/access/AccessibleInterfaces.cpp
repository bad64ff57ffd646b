#include "AccessibleInterfaces.h"

#include "AccessibleTextBox.h"
#include "Announcer.h"
#include "GameTextBox.h"

#include <QAccessible>

namespace {

// The game's own answers to screen readers, for its text boxes and its announcer.
QAccessibleInterface *accessibleInterface(const QString &, QObject *object)
{
    if (auto *box = qobject_cast<GameTextBox *>(object))
        return new AccessibleTextBox(box);
    return Announcer::accessibleInterface(object);
}

} // namespace

void installAccessibleInterfaces()
{
    QAccessible::installFactory(accessibleInterface);
}
