#include "Form1.h"
#include "System.h"
#include "SystemPlatform.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>
#include <QSessionManager>

int main(int argc, char *argv[])
{
    // The command line is read before the window system is touched, so --help
    // and --version answer without a display. No option changes the game.
    const QStringList arguments = System::arguments(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Zeichenfang, a German word-guessing game for one player."));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Show this help and exit."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")}, QStringLiteral("Show the version and exit."));
    parser.addOptions({help, version});
    if (!parser.parse(arguments) || !parser.positionalArguments().isEmpty()) {
        const QString error = parser.errorText().isEmpty() ? QStringLiteral("no arguments are taken") : parser.errorText();
        System::printError(QStringLiteral("zeichenfang: ") + error + QStringLiteral(" Try 'zeichenfang --help'.\n"));
        return 2;
    }
    if (parser.isSet(help)) {
        System::printOut(parser.helpText().replace(QStringLiteral("<executable_name>"), QStringLiteral("zeichenfang")));
        return 0;
    }
    if (parser.isSet(version)) {
        System::printOut(QStringLiteral("zeichenfang " ZEICHENFANG_VERSION "\n"));
        return 0;
    }

    QApplication app(argc, argv);
    // The desktop entry the package installs, so the desktop shows the window as the game it launched.
    QGuiApplication::setDesktopFileName(QStringLiteral(ZEICHENFANG_APP_ID));
#if QT_CONFIG(sessionmanager)
    // Every start begins afresh: the desktop's session is asked not to restart the game.
    QObject::connect(&app, &QGuiApplication::saveStateRequest, &app,
                     [](QSessionManager &session) { session.setRestartHint(QSessionManager::RestartNever); });
#endif
    SystemPlatform platform;
    Form1 window(platform);
    // The icon the package installs into the theme. Finding it searches every icon folder
    // the desktop has, so that waits until the window is on the screen.
    QObject::connect(
        &window, &Form1::onScreen, &app,
        [] { QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral(ZEICHENFANG_APP_ID))); }, Qt::QueuedConnection);
    window.showMaximized();
    return app.exec();
}
