#pragma once

#include <QMainWindow>

class QApplication;
class QGraphicsView;

class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);

    // Keeps the application object and sets the interface-wide font.
    void setApplication(QApplication *application);

private:
    QApplication *mApplication = nullptr;
    QGraphicsView *mDesignView = nullptr;
};
