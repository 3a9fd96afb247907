#pragma once

#include <QSize>
#include <QTreeView>

class SVGView;

// The tree of the design's elements over the document's item model.
class DomTreeView : public QTreeView
{
    Q_OBJECT

public:
    explicit DomTreeView(QSize sizeHint);

    // A null view is ignored.
    void setSVGView(SVGView *view);
    QSize sizeHint() const override { return mSizeHintSize; }

public slots:
    void nodeClicked(const QModelIndex &index);

private:
    QSize mSizeHintSize;
    SVGView *mView = nullptr;
};
