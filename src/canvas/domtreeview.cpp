#include "canvas/domtreeview.h"

#include "canvas/svgview.h"
#include "document/svgdocument.h"

DomTreeView::DomTreeView(QSize sizeHint)
    : QTreeView(nullptr)
    , mSizeHintSize(sizeHint)
{
    setIndentation(10);
    connect(this, &QTreeView::clicked, this, &DomTreeView::nodeClicked);
}

void DomTreeView::setSVGView(SVGView *view)
{
    if (!view)
        return;
    mView = view;
    setModel(view->document());
    setRootIsDecorated(true);
}

void DomTreeView::nodeClicked(const QModelIndex &) {}
