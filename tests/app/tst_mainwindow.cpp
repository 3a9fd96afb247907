#include "app/mainwindow.h"

#include <QGraphicsView>
#include <QtTest>

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void opensAtItsSizeWithTheDesignArea();
};

void TestMainWindow::opensAtItsSizeWithTheDesignArea()
{
    MainWindow window;
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(window.size(), QSize(1250, 800));
    auto *view = qobject_cast<QGraphicsView *>(window.centralWidget());
    QVERIFY(view);
    QCOMPARE(view->objectName(), QStringLiteral("designView"));
    QVERIFY(view->scene());
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
