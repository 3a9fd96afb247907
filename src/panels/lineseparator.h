#pragma once

#include <QFrame>

// A thin horizontal line between the rows of a panel.
class LineSeparator : public QFrame
{
    Q_OBJECT
public:
    explicit LineSeparator(QWidget *parent = nullptr);
};
