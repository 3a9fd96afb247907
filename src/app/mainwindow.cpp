#include "mainwindow.h"

#include <QApplication>
#include <QDebug>
#include <QFont>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QMenuBar>

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent)
{
    setWindowTitle(QStringLiteral("Plimb"));
    resize(1250, 800);

    menuBar()->setStyleSheet(QStringLiteral("QMenuItem{margin:20px;}"));
    menuBar()->addMenu(tr("文件(&F)"));
    menuBar()->addMenu(tr("编辑(&E)"));
    menuBar()->addMenu(tr("工具(&T)"));
    menuBar()->addMenu(tr("排列(&A)"));
    menuBar()->addMenu(tr("语言(&L)"));
    menuBar()->addMenu(tr("帮助(&H)"));

    mDesignView = new QGraphicsView(this);
    mDesignView->setObjectName(QStringLiteral("designView"));
    mDesignView->setScene(new QGraphicsScene(mDesignView));
    setCentralWidget(mDesignView);

    show();
}

void MainWindow::setApplication(QApplication *application)
{
    mApplication = application;
    QFont font(QStringLiteral("微软雅黑"));
    font.setPixelSize(12);
    mApplication->setFont(font);
}
