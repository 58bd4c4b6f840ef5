// SPDX-License-Identifier: GPL-3.0-or-later
#include "finestranuda.h"

#include "ui/fabbricacontrolli.h"

#include <QFrame>

namespace banco {

FinestraNuda::FinestraNuda(QWidget* parent) : QWidget(parent)
{
    setFont(form8::carattere(form8::Carattere::finestra));
    for (const form8::Controllo& c : form8::controlli) {
        if (c.tipo != form8::Tipo::immagine) {
            form8::creaControllo(c, this);
            continue;
        }
        // An empty box with the same border in place of each picture.
        auto* riquadro = new QFrame(this);
        riquadro->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
        form8::posiziona(*riquadro, c);
    }
}

} // namespace banco
