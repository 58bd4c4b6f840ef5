// SPDX-License-Identifier: GPL-3.0-or-later
// Shows the program's one window; everything else happens in it.

#include "ui/applicazione.h"
#include "ui/form8.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication applicazione(argc, argv);
    form8::presentaApplicazione();

    Form8 form8;
    form8.showMaximized();
    return QApplication::exec();
}
