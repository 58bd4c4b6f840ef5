// SPDX-License-Identifier: GPL-3.0-or-later
#include "graficoatteso.h"

#include <QRect>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace prova {

namespace {

// The chart's blue, 0x00FF0000 in the program's 0x00BBGGRR.
constexpr calc::Colore blu = 0x00FF0000;

// The strip in twips: the frame's left edge, its top grid line, the end of
// the horizontal axis.
constexpr float sinistra = 500;
constexpr float cima = 6000;
constexpr float destra = 3880;

// Device pixels of margin around the strip, where nothing may be drawn.
constexpr int margine = 3;

void metti(QImage& immagine, int x, int y, QRgb colore)
{
    if (immagine.rect().contains(x, y))
        immagine.setPixel(x, y, colore);
}

} // namespace

int pixelDispositivo(float twips, double r)
{
    return static_cast<int>(std::floor(static_cast<double>(twips) * r / 15));
}

std::vector<Operazione> registraRun(const char* profondita, const char* angolo)
{
    Registro registro;
    try {
        static_cast<void>(calc::calcolodist(registro, profondita, angolo));
    } catch (const calc::ErroreCalcolo&) {
        // What was drawn until the failure stays drawn.
    }
    return registro.operazioni;
}

std::vector<Operazione> registraCornice()
{
    Registro registro;
    calc::disegnagriglia(registro);
    return registro.operazioni;
}

QImage graficoAtteso(const std::vector<Operazione>& operazioni, QSize dispositivo, double r,
                     const ColoriGrafico& colori)
{
    QImage atteso(dispositivo, QImage::Format_RGB32);
    atteso.fill(colori.sfondo);
    for (const Operazione& op : operazioni) {
        switch (op.tipo) {
        case Operazione::Tipo::pulisci:
            atteso.fill(colori.sfondo);
            break;
        case Operazione::Tipo::punto:
            metti(atteso, pixelDispositivo(op.x1, r), pixelDispositivo(op.y1, r),
                  colori.primoPiano);
            break;
        case Operazione::Tipo::puntoColorato:
            if (op.colore != blu)
                qFatal("a run drew in colour %x", op.colore);
            metti(atteso, pixelDispositivo(op.x1, r), pixelDispositivo(op.y1, r), colori.curva);
            break;
        case Operazione::Tipo::linea: {
            if (op.x1 != op.x2 && op.y1 != op.y2)
                qFatal("a slanting line");
            const int x1 = pixelDispositivo(op.x1, r);
            const int x2 = pixelDispositivo(op.x2, r);
            const int y1 = pixelDispositivo(op.y1, r);
            const int y2 = pixelDispositivo(op.y2, r);
            for (int y = std::min(y1, y2); y <= std::max(y1, y2); ++y)
                for (int x = std::min(x1, x2); x <= std::max(x1, x2); ++x)
                    metti(atteso, x, y, colori.primoPiano);
            break;
        }
        }
    }
    return atteso;
}

QString confrontaStriscia(const QImage& vista, const QImage& atteso, double r,
                          const QWidget& finestra)
{
    if (vista.size() != atteso.size())
        return QStringLiteral("the window is %1 x %2 device pixels, expected %3 x %4")
            .arg(vista.width())
            .arg(vista.height())
            .arg(atteso.width())
            .arg(atteso.height());

    // The controls' rectangles in device pixels, each device pixel that they
    // touch.
    std::vector<QRect> controlli;
    for (const QWidget* w : finestra.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (!w->isVisible())
            continue;
        const QRectF g(w->geometry());
        controlli.push_back(QRect(QPoint(static_cast<int>(std::floor(g.left() * r)),
                                         static_cast<int>(std::floor(g.top() * r))),
                                  QPoint(static_cast<int>(std::ceil((g.right() + 1) * r)) - 1,
                                         static_cast<int>(std::ceil((g.bottom() + 1) * r)) - 1)));
    }
    const auto sottoControllo = [&controlli](QPoint p) {
        return std::any_of(controlli.begin(), controlli.end(),
                           [p](const QRect& c) { return c.contains(p); });
    };

    const QRect striscia =
        QRect(QPoint(pixelDispositivo(sinistra, r) - margine, pixelDispositivo(cima, r) - margine),
              QPoint(pixelDispositivo(destra, r) + margine, vista.height() - 1)) &
        vista.rect();
    QString differenze;
    int quante = 0;
    for (int y = striscia.top(); y <= striscia.bottom(); ++y)
        for (int x = striscia.left(); x <= striscia.right(); ++x) {
            const QRgb visto = vista.pixel(x, y) | 0xFF000000;
            if (visto == atteso.pixel(x, y) || sottoControllo(QPoint(x, y)))
                continue;
            if (++quante <= 5)
                differenze += QStringLiteral("(%1, %2) is %3, expected %4; ")
                                  .arg(x)
                                  .arg(y)
                                  .arg(visto, 8, 16)
                                  .arg(atteso.pixel(x, y), 8, 16);
        }
    if (quante > 0)
        differenze += QStringLiteral("%1 device pixels differ at ratio %2").arg(quante).arg(r);
    return differenze;
}

} // namespace prova
