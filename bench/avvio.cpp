// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up from process start to the window's first paint, for Form8 or for
// the bare window with the same controls, so that bench/run can count the
// instructions and the peak memory of each and compare them. Usage:
//   bench_avvio form8|nuda

#include "finestranuda.h"

#include "ui/applicazione.h"
#include "ui/form8.h"

#include <QApplication>
#include <QEvent>

#include <cstring>
#include <memory>

namespace {

// Ends the program as soon as the window it watches has painted once.
class PrimoDisegno final : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override
    {
        if (evento->type() == QEvent::Paint)
            QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
        return QObject::eventFilter(oggetto, evento);
    }
};

} // namespace

int main(int argc, char* argv[])
{
    if (argc != 2 || (std::strcmp(argv[1], "form8") != 0 && std::strcmp(argv[1], "nuda") != 0))
        return 2;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    // The same start as the program's own, up to the window it shows.
    QApplication applicazione(argc, argv);
    form8::presentaApplicazione();

    std::unique_ptr<QWidget> finestra;
    if (std::strcmp(argv[1], "form8") == 0)
        finestra = std::make_unique<Form8>();
    else
        finestra = std::make_unique<banco::FinestraNuda>();
    PrimoDisegno osservatore;
    finestra->installEventFilter(&osservatore);
    finestra->showMaximized();
    return QApplication::exec();
}
