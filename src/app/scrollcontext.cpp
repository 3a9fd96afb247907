#include "app/scrollcontext.h"

#include <QVBoxLayout>

ScrollContext::ScrollContext(QWidget *parent)
    : QScrollArea(parent)
{
    setFrameShape(QFrame::NoFrame);
    setBackgroundRole(QPalette::Window);
    setWidgetResizable(true);
    auto *inner = new QWidget(this);
    inner->setObjectName(QStringLiteral("techarea"));
    inner->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    mLayout = new QVBoxLayout(inner);
    mLayout->setContentsMargins(0, 0, 0, 0);
    mLayout->setAlignment(Qt::AlignTop);
    setWidget(inner);
}

void ScrollContext::addWidget(QWidget *widget)
{
    mLayout->addWidget(widget);
}
