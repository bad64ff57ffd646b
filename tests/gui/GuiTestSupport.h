#pragma once

#include "Form1.h"
#include "FakePlatform.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <memory>

// The texts a box reported, in the order the reports arrived.
inline QStringList recordedTexts(const QSignalSpy &changes)
{
    QStringList texts;
    for (const QList<QVariant> &change : changes)
        texts.append(change.front().toString());
    return texts;
}

// Answers every message box the game opens with OK and remembers what it showed.
class MessageBoxCatcher
{
public:
    struct Seen
    {
        QString title;
        QString text;
        QMessageBox::Icon icon;
        QList<QAbstractButton *>::size_type buttonCount;
        QString buttonText;
    };

    MessageBoxCatcher()
    {
        m_timer.setInterval(10);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box)
                return;
            const QList<QAbstractButton *> buttons = box->buttons();
            seen.append({box->windowTitle(), box->text(), box->icon(), buttons.size(),
                         buttons.isEmpty() ? QString() : buttons.front()->text()});
            if (onShown)
                onShown();
            box->button(QMessageBox::Ok) ? box->button(QMessageBox::Ok)->click() : box->reject();
        });
        m_timer.start();
    }

    QList<Seen> seen;
    std::function<void()> onShown;

private:
    QTimer m_timer;
};

template<typename T = QWidget>
T *widget(const Form1 &form, Control control)
{
    return qobject_cast<T *>(form.control(control));
}

inline QLineEdit *letterBox(const Form1 &form) { return widget<QLineEdit>(form, Control::TxtUser); }
inline QLineEdit *solutionBox(const Form1 &form) { return widget<QLineEdit>(form, Control::TxtIhreLösung); }
inline QPushButton *button(const Form1 &form, Control control) { return widget<QPushButton>(form, control); }

// Shows the window as the program does and makes it active, so access keys work.
inline bool showActive(Form1 &form)
{
    form.showMaximized();
    form.activateWindow();
    return QTest::qWaitForWindowActive(&form);
}

// The control that holds the focus in the game window. After a message box the
// offscreen platform does not activate the window again, so ask the window itself.
inline QString focusName()
{
    for (QWidget *top : QApplication::topLevelWidgets()) {
        if (qobject_cast<Form1 *>(top) && top->isVisible() && top->focusWidget())
            return top->focusWidget()->objectName();
    }
    return {};
}

// Each test function gets a fresh window, shown and active, on a fixed clock.
class WindowTest : public QObject
{
    Q_OBJECT

protected slots:
    void init()
    {
        m_form = std::make_unique<Form1>(m_platform);
        QVERIFY(showActive(*m_form));
    }
    void cleanup() { m_form.reset(); }

protected:
    FakePlatform m_platform;
    std::unique_ptr<Form1> m_form;
};

inline char *toString(Control control)
{
    return qstrdup(qPrintable(controlName(control)));
}
