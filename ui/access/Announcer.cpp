#include "Announcer.h"

#include <QAccessible>
#include <QAccessibleObject>

namespace {

// The status bar: its one child is the notification.
class AccessibleAnnouncer final : public QAccessibleObject
{
public:
    using QAccessibleObject::QAccessibleObject;
    QAccessibleInterface *parent() const override { return QAccessible::queryAccessibleInterface(object()->parent()); }
    QAccessibleInterface *child(int index) const override
    {
        return index == 0 ? QAccessible::queryAccessibleInterface(object()->children().value(0)) : nullptr;
    }
    int childCount() const override { return 1; }
    int indexOfChild(const QAccessibleInterface *child) const override { return child && child->parent() == this ? 0 : -1; }
    QString text(QAccessible::Text) const override { return {}; }
    QAccessible::Role role() const override { return QAccessible::StatusBar; }
    QAccessible::State state() const override
    {
        QAccessible::State never;
        never.invisible = true; // it is never drawn
        return never;
    }
};

// The notification: its name is the last text announced.
class AccessibleAnnouncement final : public QAccessibleObject
{
public:
    using QAccessibleObject::QAccessibleObject;
    QAccessibleInterface *parent() const override { return QAccessible::queryAccessibleInterface(object()->parent()); }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Name ? static_cast<const Announcer *>(object()->parent())->text() : QString();
    }
    QAccessible::Role role() const override { return QAccessible::Notification; }
    QAccessible::State state() const override { return {}; }
};

} // namespace

Announcer::Announcer(QObject *window)
    : QObject(window)
    , m_notification(new QObject(this))
{
    m_notification->setObjectName(QStringLiteral("Ansage"));
}

void Announcer::announce(const QString &text)
{
    m_text = text;
    if (!QAccessible::isActive())
        return;
    // The new name first, so that the screen reader reads the new text when the notification shows.
    QAccessibleEvent renamed(m_notification, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&renamed);
    QAccessibleEvent shown(m_notification, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
}

QAccessibleInterface *Announcer::accessibleInterface(QObject *object)
{
    if (auto *announcer = qobject_cast<Announcer *>(object))
        return new AccessibleAnnouncer(announcer);
    if (auto *announcer = qobject_cast<Announcer *>(object ? object->parent() : nullptr))
        return object == announcer->m_notification ? new AccessibleAnnouncement(object) : nullptr;
    return nullptr;
}
