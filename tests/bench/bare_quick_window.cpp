// The yardstick of the start-up benchmark: a bare Qt Quick window of the
// program's size, built the way the program builds its own (a widget window
// hosting a QQuickWidget on the software scene graph), with an empty scene.
#include <QApplication>
#include <QQuickWidget>
#include <QQuickWindow>
#include <QSGRendererInterface>
#include <QUrl>

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QUICK_BACKEND"))
        QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    auto *view = new QQuickWidget(&window);
    view->setSource(QUrl(QStringLiteral("qrc:/bare/Bare.qml")));
    window.resize(view->size());
    window.showNormal();
    return app.exec();
}
