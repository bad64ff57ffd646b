#include "Control.h"

#include <QStringView>

QString controlName(Control control)
{
    return QStringView(design(control).name).toString();
}
