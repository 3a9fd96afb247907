#include "canvas/domtreeview.h"

#include "canvas/svgview.h"
#include "document/svgdocument.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QMenu>

DomTreeView::DomTreeView(QSize sizeHint)
    : QTreeView(nullptr)
    , mSizeHintSize(sizeHint)
{
    setIndentation(10);
    mContextMenu = new QMenu(this);
    mDeleteNodeAction = new QAction(tr("删除节点"), mContextMenu);
    mContextMenu->addAction(mDeleteNodeAction);
    connect(mDeleteNodeAction, &QAction::triggered, this, &DomTreeView::requestDelete);
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

void DomTreeView::contextMenuEvent(QContextMenuEvent *event)
{
    QTreeView::contextMenuEvent(event);
    // Delivered from the viewport, in its coordinates.
    if (!indexAt(event->pos()).isValid())
        clearSelection();
    const QModelIndexList selected = selectionModel() ? selectionModel()->selectedIndexes()
                                                      : QModelIndexList();
    if (!selected.isEmpty() && selected.first().isValid())
        mContextMenu->popup(event->globalPos());
}

void DomTreeView::requestDelete()
{
    if (!selectionModel())
        return;
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    if (selected.isEmpty() || !selected.first().isValid())
        return;
    emit deleteNodeRequested(selected.first());
}
