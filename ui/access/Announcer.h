#pragma once

#include <QObject>
#include <QString>

class QAccessibleInterface;

// Speaks short texts through the screen reader the player already uses, and
// does nothing while none is running. Qt 6.4 has no announcement of its own,
// and a screen reader keeps quiet about text the program writes into a box or
// a label. What Orca does speak is a notification that shows: the announcer is
// a status bar, outside the window's tree of controls and never drawn, that
// holds one notification; each text renames the notification and shows it
// again. Inside a status bar a notification is spoken by its text alone,
// without a role name before it.
class Announcer final : public QObject
{
    Q_OBJECT
public:
    explicit Announcer(QObject *window);

    void announce(const QString &text);
    QString text() const { return m_text; } // the last text announced

    // What a screen reader sees of the announcer and its notification; null for any other object.
    static QAccessibleInterface *accessibleInterface(QObject *object);

private:
    QObject *m_notification;
    QString m_text;
};
