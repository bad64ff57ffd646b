// The yardstick for the start-up benchmark: the least a Qt Widgets program of
// the game's shape does before its window appears. With --controls it also
// holds sixteen controls with the game's captions, to tell what text costs.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Zeichenfang 2007"));
    // The game's restored client area (6915 x 3195 twips) at the layout scale
    // it picks for Debian 12's default font, 1.15.
    window.resize(530, 245);
    if (app.arguments().contains(QStringLiteral("--controls"))) {
        int top = 0;
        for (const char *caption : {"&1 Worte mit 4 Buchstaben", "&2 Worte mit 6 Buchstaben", "&3 Worte mit 8 Buchstaben",
                                    "&4 Worte mit 10 Buchstaben", "&5 Worte mit 12 Buchstaben", "&Ende"})
            (new QPushButton(QString::fromUtf8(caption), &window))->setGeometry(135, top += 46, 94, 38);
        for (const char *caption : {"&Zur\u00fcck", "&Neues Spiel", "&L\u00f6sung", "&Ratehilfe"})
            (new QPushButton(QString::fromUtf8(caption), &window))->hide();
        for (const char *caption : {"Label1", "Ihre Eingabe:", "Ihre L\u00f6sung:", " "})
            (new QLabel(QString::fromUtf8(caption), &window))->hide();
        for (int box = 0; box < 2; ++box)
            (new QLineEdit(&window))->hide();
    }
    window.showMaximized();
    return app.exec();
}
