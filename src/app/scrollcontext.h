#pragma once

#include <QScrollArea>

class QVBoxLayout;

// The scrolling content of a dock: panels stacked from the top in an inner
// widget named "techarea".
class ScrollContext : public QScrollArea
{
    Q_OBJECT

public:
    explicit ScrollContext(QWidget *parent = nullptr);

    void addWidget(QWidget *widget);

private:
    QVBoxLayout *mLayout = nullptr;
};
