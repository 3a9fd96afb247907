#include "panels/lineseparator.h"

LineSeparator::LineSeparator(QWidget *parent)
    : QFrame(parent)
{
    setFrameShape(QFrame::HLine);
    setFrameShadow(QFrame::Plain);
    setLineWidth(3);
    setStyleSheet(QStringLiteral("QFrame {color: #D0D3D4 }"));
}
