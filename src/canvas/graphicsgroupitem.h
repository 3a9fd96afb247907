#pragma once

#include "canvas/designitem.h"

#include <QGraphicsItem>
#include <QMap>
#include <QObject>

// A user group: selects and moves several items as one. It is no part of the
// document; its members keep their own elements.
class GraphicsGroupItem : public QObject, public DesignItem<GraphicsGroupItem, QGraphicsItem>
{
    Q_OBJECT
    Q_INTERFACES(QGraphicsItem)

public:
    enum { Type = UserType + 1 };

    explicit GraphicsGroupItem(SVGView *view, QGraphicsItem *parent = nullptr);

    int type() const override { return Type; }
    // The selection bounds of the members, in the group's coordinates.
    QRectF boundingRect() const override;
    QPainterPath shape() const override;
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option,
               QWidget *widget = nullptr) override;

    QList<QGraphicsItem *> members() const { return mMembers; }
    void setMembers(const QList<QGraphicsItem *> &members);
    QMap<QString, QString> properties() const { return mProperties; }
    void setProperties(const QMap<QString, QString> &properties) { mProperties = properties; }
    // Call when members moved, so the scene's index follows the new bounds.
    void boundsChanged() { prepareGeometryChange(); }

signals:
    void rightSelected(QGraphicsItem *item);
    void leftSelected(QGraphicsItem *item);
    void leftCtlSelected(QGraphicsItem *item);

protected:
    // Unlike the design items, a group leaves context menus to Qt.
    void contextMenuEvent(QGraphicsSceneContextMenuEvent *event) override
    {
        QGraphicsItem::contextMenuEvent(event);
    }
    void mousePressEvent(QGraphicsSceneMouseEvent *event) override;

private:
    QList<QGraphicsItem *> mMembers;
    QMap<QString, QString> mProperties;
};
