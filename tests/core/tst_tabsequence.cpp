// The tab order as one sequence of all controls, with places that shift.
#include "TabSequence.h"

#include <QTest>

using Sequence = QList<Control>;
Q_DECLARE_METATYPE(Sequence)

namespace {
using enum Control;

Sequence toList(const TabSequence &tabs)
{
    return Sequence(tabs.sequence().begin(), tabs.sequence().end());
}

const Sequence DesignOrder = {Cmd1,          Cmd2,          Cmd3,          CmdZurück, Cmd4,    cmd5,
                              TxtUser,       LblZeichen,    TxtIhreLösung, CmdEnde,   LblIhreLösung,
                              LblLösVersuch, CmdNeuesSpiel, CmdLösung,     LblInfo,   CmdRatehilfe};
} // namespace

class TabSequenceTest : public QObject
{
    Q_OBJECT

private slots:
    void designOrder();
    void move_data();
    void move();
    void playOrderAndItsRepeat();
};

void TabSequenceTest::designOrder()
{
    TabSequence tabs;
    QCOMPARE(toList(tabs), DesignOrder);
    for (int place = 0; place < ControlCount; ++place)
        QCOMPARE(tabs.tabIndex(DesignOrder[place]), place);
}

void TabSequenceTest::move_data()
{
    QTest::addColumn<Control>("control");
    QTest::addColumn<int>("place");
    QTest::addColumn<Sequence>("expected");

    Sequence forward = DesignOrder;
    forward.move(0, 5);
    QTest::newRow("forward: the controls between move up") << Cmd1 << 5 << forward;

    Sequence backward = DesignOrder;
    backward.move(15, 2);
    QTest::newRow("backward: the controls between move down") << CmdRatehilfe << 2 << backward;

    QTest::newRow("its own place: nothing moves") << TxtUser << 6 << DesignOrder;

    Sequence toEnd = DesignOrder;
    toEnd.move(0, 15);
    QTest::newRow("to the last place") << Cmd1 << 15 << toEnd;
    QTest::newRow("beyond the last place ends last") << Cmd1 << 40 << toEnd;
}

void TabSequenceTest::move()
{
    QFETCH(Control, control);
    QFETCH(int, place);
    QFETCH(Sequence, expected);

    TabSequence tabs;
    tabs.setTabIndex(control, place);
    QCOMPARE(toList(tabs), expected);
}

void TabSequenceTest::playOrderAndItsRepeat()
{
    const Sequence play = {TxtUser, TxtIhreLösung, CmdZurück, Cmd1,    CmdNeuesSpiel, CmdLösung,     Cmd2,    Cmd3,
                           Cmd4,    cmd5,          LblZeichen, CmdEnde, LblIhreLösung, LblLösVersuch, LblInfo, CmdRatehilfe};
    TabSequence tabs;
    for (int round = 0; round < 2; ++round) {
        tabs.setTabIndex(TxtUser, 0);
        tabs.setTabIndex(TxtIhreLösung, 1);
        tabs.setTabIndex(CmdZurück, 2);
        tabs.setTabIndex(CmdNeuesSpiel, 4);
        tabs.setTabIndex(CmdLösung, 5);
        QCOMPARE(toList(tabs), play);
    }
}

QTEST_APPLESS_MAIN(TabSequenceTest)
#include "tst_tabsequence.moc"
