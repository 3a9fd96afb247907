#pragma once

#include <QMainWindow>
#include <memory>

class DomTreeView;
class QApplication;
class QGraphicsView;
class SVGView;

class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    // Keeps the application object and sets the interface-wide font.
    void setApplication(QApplication *application);

    SVGView *svgView() const { return mSvgView; }

    // Empties the view's job list and fills it from the current design.
    void gcodeGenerate();

signals:
    void addImage(QString fileBase64, qreal width, qreal height);
    void addSvg(QString svgText);

protected:
    void showEvent(QShowEvent *event) override;

private:
    QApplication *mApplication = nullptr;
    SVGView *mSvgView = nullptr;
    QGraphicsView *mDesignView = nullptr;
    // Created without a parent and never shown; it follows the document's model.
    std::unique_ptr<DomTreeView> mDomTreeView;
    bool mFitted = false;
};
