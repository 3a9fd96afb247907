#pragma once

#include <QSize>
#include <QTreeView>

class QAction;
class QMenu;
class SVGView;

// The tree of the design's elements over the document's item model.
// Expanding every row makes the model create every element object.
class DomTreeView : public QTreeView
{
    Q_OBJECT

public:
    explicit DomTreeView(QSize sizeHint);

    // A null view is ignored.
    void setSVGView(SVGView *view);
    QSize sizeHint() const override { return mSizeHintSize; }

    QMenu *contextMenu() const { return mContextMenu; }
    QAction *deleteNodeAction() const { return mDeleteNodeAction; }

signals:
    // The menu's "delete node" on the first selected row.
    void deleteNodeRequested(const QModelIndex &index);

public slots:
    void nodeClicked(const QModelIndex &index);

protected:
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    void requestDelete();

    QSize mSizeHintSize;
    QMenu *mContextMenu = nullptr;
    QAction *mDeleteNodeAction = nullptr;
    SVGView *mView = nullptr;
};
