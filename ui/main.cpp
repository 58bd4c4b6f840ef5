// Shows the program's one window; everything else happens in it.

#include "ui/form8.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char* argv[])
{
    QApplication applicazione(argc, argv);
    QApplication::setApplicationName(QStringLiteral("misuradistanza"));
    QApplication::setApplicationVersion(QStringLiteral("1.00"));
    // Lets the desktop match the window to its menu entry and icon.
    QApplication::setDesktopFileName(QStringLiteral("it.misuradistanza.MisuraDistanza"));
    QIcon icona;
    for (const char* file : {":/icona-16.png", ":/icona-32.png", ":/icona-48.png"})
        icona.addFile(QString::fromLatin1(file));
    QApplication::setWindowIcon(icona);

    Form8 form8;
    form8.showMaximized();
    return QApplication::exec();
}
