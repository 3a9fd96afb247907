#pragma once

#include "canvas/scene.h"
#include "canvas/svgview.h"
#include "designfixture.h"
#include "document/svgdocument.h"

#include <QApplication>
#include <QGraphicsView>
#include <QMouseEvent>
#include <QScrollBar>
#include <QtTest>

// A design shown in a real view, with mouse gestures sent the way a user
// makes them: press and release through QTest, moves with the button held.
class CanvasFixture
{
public:
    explicit CanvasFixture(const QString &body, double zoom = 1)
    {
        mView.document()->setSvgText(
                DesignFixture::svg(body, QStringLiteral("width='1000' height='1000'")));
        mView.scene()->setSceneRect(0, 0, 1000, 1000);
        mWidget.setScene(mView.scene());
        mView.setDesignView(&mWidget);
        mWidget.setAlignment(Qt::AlignLeft | Qt::AlignTop);
        mWidget.resize(900, 700);
        mWidget.scale(zoom, zoom);
        mWidget.show();
        mWidget.horizontalScrollBar()->setValue(0);
        mWidget.verticalScrollBar()->setValue(0);
    }

    SVGView &view() { return mView; }
    Scene *scene() { return mView.scene(); }
    QGraphicsView &widget() { return mWidget; }
    Node *node(const QString &id) { return DesignFixture::nodeById(mView, id); }
    QGraphicsItem *item(const QString &id) { return mView.itemOf(node(id)); }
    QString text() const { return mView.document()->toSvgText(); }
    QString attribute(const QString &id, const QString &name)
    {
        return node(id)->element().attribute(name);
    }

    QPoint toView(const QPointF &scenePos) const { return mWidget.mapFromScene(scenePos); }

    void press(const QPoint &at, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
               Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mousePress(mWidget.viewport(), button, modifiers, at);
        mButtons = button;
        mModifiers = modifiers;
    }
    void moveTo(const QPoint &at)
    {
        QMouseEvent event(QEvent::MouseMove, at, mWidget.viewport()->mapToGlobal(at), Qt::NoButton,
                          mButtons, mModifiers);
        QApplication::sendEvent(mWidget.viewport(), &event);
    }
    void release(const QPoint &at, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mouseRelease(mWidget.viewport(), button, mModifiers, at);
        mButtons = Qt::NoButton;
    }
    // Press, two moves and release: by `offset` view pixels from `from`.
    void drag(const QPoint &from, const QPoint &offset,
              Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        press(from, modifiers);
        moveTo(from + offset / 2);
        moveTo(from + offset);
        release(from + offset);
    }
    void click(const QPoint &at, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        press(at, modifiers);
        release(at);
    }

private:
    SVGView mView;
    QGraphicsView mWidget;
    Qt::MouseButtons mButtons = Qt::NoButton;
    Qt::KeyboardModifiers mModifiers = Qt::NoModifier;
};
