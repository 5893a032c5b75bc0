// Runs the tst_*.qml cases against the compiled-in QML module.
#include <QObject>
#include <QQmlEngine>
#include <QQmlExtensionPlugin>
#include <QtQuickTest>

Q_IMPORT_QML_PLUGIN(modules_qmlPlugin)

class Setup : public QObject
{
    Q_OBJECT
public slots:
    void qmlEngineAvailable(QQmlEngine *engine)
    {
        // The module lives under "qrc:/modules/qml", as in the program.
        engine->addImportPath(QStringLiteral("qrc:/"));
    }
};

QUICK_TEST_MAIN_WITH_SETUP(r770qml, Setup)

#include "tst_qml.moc"
