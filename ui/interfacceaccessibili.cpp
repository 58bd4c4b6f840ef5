// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/interfacceaccessibili.h"

#include "ui/annuncio.h"
#include "ui/diagramma.h"
#include "ui/form8.h"
#include "ui/riquadroimmagine.h"

#include <QAccessibleObject>
#include <QAccessibleWidget>
#include <QWidget>
#include <QWindow>

namespace form8 {

namespace {

// The window's children that are no widgets: the chart and the announcement.
QList<QObject*> parti(const QWidget& finestra)
{
    QList<QObject*> trovate;
    for (QObject* const figlio : finestra.children())
        if (qobject_cast<Diagramma*>(figlio) != nullptr ||
            qobject_cast<Annuncio*>(figlio) != nullptr)
            trovate << figlio;
    return trovate;
}

// The window: a frame, so that screen readers read its title as a window's,
// and a parent to the parts of it that are no widgets.
class FinestraAccessibile final : public QAccessibleWidget
{
public:
    explicit FinestraAccessibile(QWidget* finestra)
        : QAccessibleWidget(finestra, QAccessible::Window)
    {}

    int childCount() const override
    {
        return QAccessibleWidget::childCount() + static_cast<int>(parti(*widget()).size());
    }

    QAccessibleInterface* child(int indice) const override
    {
        // The widgets first, as Qt lists them, then the other parts.
        const int quantiWidget = QAccessibleWidget::childCount();
        if (indice < quantiWidget)
            return QAccessibleWidget::child(indice);
        const QList<QObject*> proprie = parti(*widget());
        if (indice - quantiWidget >= proprie.size())
            return nullptr;
        return QAccessible::queryAccessibleInterface(proprie.at(indice - quantiWidget));
    }

    int indexOfChild(const QAccessibleInterface* figlio) const override
    {
        const int trovato = parti(*widget()).indexOf(figlio->object());
        return trovato < 0 ? QAccessibleWidget::indexOfChild(figlio)
                           : QAccessibleWidget::childCount() + trovato;
    }
};

// A picture box: an image, which screen readers name and describe when the
// focus lands on it.
class ImmagineAccessibile final : public QAccessibleWidget, public QAccessibleImageInterface
{
public:
    explicit ImmagineAccessibile(RiquadroImmagine* riquadro)
        : QAccessibleWidget(riquadro, QAccessible::Graphic)
    {}

    void* interface_cast(QAccessible::InterfaceType tipo) override
    {
        if (tipo == QAccessible::ImageInterface)
            return static_cast<QAccessibleImageInterface*>(this);
        return QAccessibleWidget::interface_cast(tipo);
    }

    QString imageDescription() const override { return text(QAccessible::Description); }

    QSize imageSize() const override
    {
        return riquadro().immagine().deviceIndependentSize().toSize();
    }

    QPoint imagePosition() const override
    {
        return riquadro().mapToGlobal(riquadro().contentsRect().topLeft());
    }

private:
    const RiquadroImmagine& riquadro() const
    {
        return *static_cast<const RiquadroImmagine*>(widget());
    }
};

// A part of the window that is no widget: it has no children and takes no
// focus.
class ParteAccessibile : public QAccessibleObject
{
public:
    ParteAccessibile(QObject* parte, QWidget& finestra)
        : QAccessibleObject(parte), finestra_(finestra)
    {}

    QWindow* window() const override { return finestra_.window()->windowHandle(); }

    QAccessibleInterface* parent() const override
    {
        return QAccessible::queryAccessibleInterface(&finestra_);
    }

    QAccessibleInterface* child(int /*indice*/) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface* /*figlio*/) const override { return -1; }
    QAccessibleInterface* focusChild() const override { return nullptr; }

protected:
    QWidget& finestra() const { return finestra_; }

private:
    QWidget& finestra_;
};

// The chart, over its strip of the window.
class DiagrammaAccessibile final : public ParteAccessibile
{
public:
    explicit DiagrammaAccessibile(Diagramma* diagramma)
        : ParteAccessibile(diagramma, diagramma->finestra())
    {}

    QString text(QAccessible::Text quale) const override
    {
        switch (quale) {
        case QAccessible::Name:
            return Diagramma::nome();
        case QAccessible::Description:
            return diagramma().descrizione();
        default:
            return {};
        }
    }

    QRect rect() const override
    {
        const QRect zona = Diagramma::zona();
        return {finestra().mapToGlobal(zona.topLeft()), zona.size()};
    }

    QAccessible::Role role() const override { return QAccessible::Chart; }

    QAccessible::State state() const override
    {
        QAccessible::State stato;
        stato.invisible = !finestra().isVisible();
        stato.readOnly = true;
        return stato;
    }

private:
    Diagramma& diagramma() const { return *static_cast<Diagramma*>(object()); }
};

// The announcement: a notification, shown while it has something to say.
class AnnuncioAccessibile final : public ParteAccessibile
{
public:
    explicit AnnuncioAccessibile(Annuncio* annuncio)
        : ParteAccessibile(annuncio, annuncio->finestra())
    {}

    QString text(QAccessible::Text quale) const override
    {
        return quale == QAccessible::Name ? annuncio().testo() : QString();
    }

    QRect rect() const override { return {}; }

    QAccessible::Role role() const override { return QAccessible::Notification; }

    QAccessible::State state() const override
    {
        QAccessible::State stato;
        stato.invisible = annuncio().testo().isEmpty() || !finestra().isVisible();
        stato.readOnly = true;
        return stato;
    }

private:
    Annuncio& annuncio() const { return *static_cast<Annuncio*>(object()); }
};

QAccessibleInterface* fabbrica(const QString& /*classe*/, QObject* oggetto)
{
    if (auto* const finestra = qobject_cast<Form8*>(oggetto))
        return new FinestraAccessibile(finestra);
    if (auto* const riquadro = qobject_cast<RiquadroImmagine*>(oggetto))
        return new ImmagineAccessibile(riquadro);
    if (auto* const diagramma = qobject_cast<Diagramma*>(oggetto))
        return new DiagrammaAccessibile(diagramma);
    if (auto* const annuncio = qobject_cast<Annuncio*>(oggetto))
        return new AnnuncioAccessibile(annuncio);
    return nullptr;
}

} // namespace

void installaInterfacceAccessibili()
{
    // Qt keeps each factory once, however often it is installed.
    QAccessible::installFactory(fabbrica);
}

} // namespace form8
