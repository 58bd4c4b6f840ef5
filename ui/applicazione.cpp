// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/applicazione.h"

#include <QApplication>
#include <QIcon>

namespace form8 {

void presentaApplicazione()
{
    QApplication::setApplicationName(QStringLiteral("misuradistanza"));
    QApplication::setApplicationVersion(QStringLiteral(MISURA_VERSIONE));
    // Lets the desktop match the window to its menu entry and icon. On X11
    // the window's class is the application name, which the entry names as
    // its StartupWMClass.
    QApplication::setDesktopFileName(QStringLiteral(MISURA_ID));
    QIcon icona;
    for (const char* file : {":/icona-16.png", ":/icona-32.png", ":/icona-48.png"})
        icona.addFile(QString::fromLatin1(file));
    QApplication::setWindowIcon(icona);
}

} // namespace form8
