#include "app/mainwindow.h"

#include "canvas/domtreeview.h"
#include "canvas/scene.h"
#include "canvas/svgview.h"
#include "document/svgdocument.h"

#include <QApplication>
#include <QDebug>
#include <QFont>
#include <QGraphicsView>
#include <QMenuBar>
#include <QTimer>

namespace {
// The work area until the operate panel reports the engraver's: 150 mm square.
constexpr double defaultWorkAreaMm = 150;
constexpr double unitsPerMm = 12.5;
} // namespace

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

    mSvgView = new SVGView(this);
    connect(this, &MainWindow::addImage, mSvgView->scene(), &Scene::addImage);
    connect(this, &MainWindow::addSvg, mSvgView->scene(), &Scene::addSvg);
    mDesignView = new QGraphicsView(this);
    mDesignView->setObjectName(QStringLiteral("designView"));
    mDesignView->setMinimumSize(200, 200);
    mDesignView->setScene(mSvgView->scene());
    mDesignView->setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    mSvgView->setDesignView(mDesignView);
    setCentralWidget(mDesignView);

    mSvgView->setSceneBound(defaultWorkAreaMm * unitsPerMm, defaultWorkAreaMm * unitsPerMm);

    // Development aid: PLIMB_OPEN_DESIGN=FILE shows that design at start-up.
    const QString design = qEnvironmentVariable("PLIMB_OPEN_DESIGN");
    if (!design.isEmpty() && !mSvgView->openFile(design))
        qDebug() << "PLIMB_OPEN_DESIGN: cannot open" << design;

    mDomTreeView = std::make_unique<DomTreeView>(QSize(256, 256));
    mDomTreeView->setSVGView(mSvgView);

    show();
}

MainWindow::~MainWindow()
{
    // The tree view watches the document's model, which goes with the SVGView.
    mDomTreeView.reset();
}

void MainWindow::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (mFitted)
        return;
    mFitted = true;
    // Fit once the view has its final size.
    QTimer::singleShot(0, this, [this] { mSvgView->fitView(); });
}

void MainWindow::setApplication(QApplication *application)
{
    mApplication = application;
    QFont font(QStringLiteral("微软雅黑"));
    font.setPixelSize(12);
    mApplication->setFont(font);
}

void MainWindow::gcodeGenerate()
{
    qDebug() << "gcodeGenerate";
    mSvgView->clearGcode();
    mSvgView->generateGcode(mSvgView->document()->toSvgText());
}
