#pragma once

#include <QGraphicsView>

class QAction;
class QMenu;
class QtCornerBox;
class QtRuleBar;
class SVGView;

// The canvas in the main window: zooms with the wheel about the pointer,
// pans while the right button is held on empty canvas, keeps a ruler along
// the top and the left edge, and passes files dropped on it on by kind.
class DesignView : public QGraphicsView
{
    Q_OBJECT

public:
    static constexpr double zoomStep = 1.3;
    static constexpr int rulerThickness = 16;

    explicit DesignView(QWidget *parent);

    // Configures the view for `view`'s scene and creates the menu, the
    // rulers and the corner box.
    void setUp(SVGView *view);
    // Recomputes both rulers' ranges from the current transform.
    void updateRuler();

    SVGView *svgView() const { return mView; }
    // The menu canvas items open on a right click; they compare the chosen
    // action with deleteAction().
    QMenu *contextMenu() const { return mContextMenu; }
    QAction *deleteAction() const { return mDeleteAction; }
    // Opens the menu of `view`'s design view, if it has one, at `screenPos`.
    static void showContextMenu(SVGView *view, const QPoint &screenPos);
    QtRuleBar *horizontalRuler() const { return mHorizontalRuler; }
    QtRuleBar *verticalRuler() const { return mVerticalRuler; }
    QtCornerBox *cornerBox() const { return mCornerBox; }

    // While set, scroll requests move the canvas and the rulers follow.
    bool scrollEnabled() const { return mScrollEnabled; }
    void setScrollEnabled(bool enabled) { mScrollEnabled = enabled; }

signals:
    // One per dropped local file with a known ending, in drop order.
    void imageDropped(const QString &path);
    void svgDropped(const QString &path);
    void dxfDropped(const QString &path);
    void pltDropped(const QString &path);
    void deleteRequested();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    bool selectToolActive() const;
    void releaseLeft(QMouseEvent *event);
    void dispatchDroppedFile(const QString &path);

    QAction *mDeleteAction = nullptr;
    SVGView *mView = nullptr;
    QMenu *mContextMenu = nullptr;
    bool mScrollEnabled = false;
    QtRuleBar *mHorizontalRuler = nullptr;
    QtRuleBar *mVerticalRuler = nullptr;
    QtCornerBox *mCornerBox = nullptr;
};
