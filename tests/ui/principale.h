// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The main of every window test: headless on the offscreen platform unless
// the environment asks for another one.

#include <QApplication>
#include <QtTest>

#define MISURA_TEST_MAIN(Classe)                                                                   \
    int main(int argc, char* argv[])                                                               \
    {                                                                                              \
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))                                        \
            qputenv("QT_QPA_PLATFORM", "offscreen");                                               \
        QApplication applicazione(argc, argv);                                                     \
        Classe prova;                                                                              \
        return QTest::qExec(&prova, argc, argv);                                                   \
    }
