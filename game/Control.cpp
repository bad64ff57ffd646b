#include "Control.h"

QString controlName(Control control)
{
    switch (control) {
    case Control::Cmd1: return QStringLiteral("Cmd1");
    case Control::Cmd2: return QStringLiteral("Cmd2");
    case Control::Cmd3: return QStringLiteral("Cmd3");
    case Control::Cmd4: return QStringLiteral("Cmd4");
    case Control::cmd5: return QStringLiteral("cmd5");
    case Control::CmdEnde: return QStringLiteral("CmdEnde");
    case Control::LblInfo: return QStringLiteral("LblInfo");
    case Control::LblZeichen: return QStringLiteral("LblZeichen");
    case Control::TxtUser: return QStringLiteral("TxtUser");
    case Control::LblIhreLösung: return QStringLiteral(u"LblIhreLösung");
    case Control::TxtIhreLösung: return QStringLiteral(u"TxtIhreLösung");
    case Control::LblLösVersuch: return QStringLiteral(u"LblLösVersuch");
    case Control::CmdZurück: return QStringLiteral(u"CmdZurück");
    case Control::CmdNeuesSpiel: return QStringLiteral("CmdNeuesSpiel");
    case Control::CmdLösung: return QStringLiteral(u"CmdLösung");
    case Control::CmdRatehilfe: return QStringLiteral("CmdRatehilfe");
    }
    return {};
}
