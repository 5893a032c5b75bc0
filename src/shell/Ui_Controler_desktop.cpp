#include "shell/Ui_Controler.h"

#include "platform/ActiveWindowWatcher.h"
#include "shell/DiagnosticsReport.h"
#include "shell/Widget.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QStandardPaths>

bool Ui_Controler::appProfilesAvailable()
{
    return activeWindow && activeWindow->isAvailable();
}

QString Ui_Controler::appProfilesUnavailableReason()
{
    if (!activeWindow)
        return QStringLiteral("The program does not follow the active window.");
    return activeWindow->unavailableReason();
}

void Ui_Controler::saveReport()
{
    auto *widget = qobject_cast<Widget *>(window);
    if (!widget)
        return;
    const QString start = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation) +
                          QStringLiteral("/r770-report.txt");
    const QString path =
        QFileDialog::getSaveFileName(widget, tr("Save Report"), start, tr("Text (*.txt)"));
    if (path.isEmpty())
        return;
    QString error;
    if (!writeDiagnosticsReport(diagnosticsReport(*widget), path, &error))
        QMessageBox::warning(widget, widget->windowTitle(),
                             tr("Cannot write %1: %2").arg(path, error));
}
