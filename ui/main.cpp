#include "Form1.h"
#include "SystemPlatform.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    SystemPlatform platform;
    Form1 window(platform);
    window.showMaximized();
    return app.exec();
}
