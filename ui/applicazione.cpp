#include "ui/applicazione.h"

#include <QApplication>
#include <QIcon>

namespace form8 {

void presentaApplicazione()
{
    QApplication::setApplicationName(QStringLiteral("misuradistanza"));
    QApplication::setApplicationVersion(QStringLiteral("1.00"));
    // Lets the desktop match the window to its menu entry and icon.
    QApplication::setDesktopFileName(QStringLiteral("it.misuradistanza.MisuraDistanza"));
    QIcon icona;
    for (const char* file : {":/icona-16.png", ":/icona-32.png", ":/icona-48.png"})
        icona.addFile(QString::fromLatin1(file));
    QApplication::setWindowIcon(icona);
}

} // namespace form8
