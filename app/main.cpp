#include "backend/myQQuickView.h"
#include "device/HidApi.h"
#include "platform/InputEvents.h"
#include "platform/PointerSettings.h"
#include "shell/Autostart.h"
#include "shell/CommandLine.h"
#include "shell/DataFolder.h"
#include "shell/DesktopControl.h"
#include "shell/DiagnosticsReport.h"
#include "shell/InputHook.h"
#include "shell/InputHookCallbacks.h"
#include "shell/QtSingleCoreApplication.h"
#include "shell/QuitSignals.h"
#include "shell/Ui_Controler.h"
#include "shell/Widget.h"
#include "virtualmouse/DemoMouse.h"
#ifndef Q_OS_WIN
#include "virtualmouse/VirtualMouseBus.h"
#endif

#include <QCoreApplication>
#include <QMetaObject>
#include <QQmlExtensionPlugin>
#include <QQuickWindow>
#include <QSGRendererInterface>

#include <cstdio>
#include <memory>
#include <optional>

Q_IMPORT_QML_PLUGIN(modules_qmlPlugin)

namespace {

int changeAutostart(bool on)
{
    QString error;
    if (!Autostart::setEnabled(on, QCoreApplication::applicationFilePath(), &error)) {
        std::fprintf(stderr, "R770: cannot change the start at login (%s): %s\n",
                     qPrintable(Autostart::entryPath()), qPrintable(error));
        return ControlRefused;
    }
    if (on)
        std::printf("R770 starts at login: %s\n", qPrintable(Autostart::entryPath()));
    else
        std::puts("R770 no longer starts at login");
    return ControlOk;
}

} // namespace

int main(int argc, char *argv[])
{
    // Flat pictures and rectangles: the software scene graph starts faster and
    // uses far less memory, unless the user asks for another backend.
    if (qEnvironmentVariableIsEmpty("QT_QUICK_BACKEND"))
        QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);

    auto app = std::make_unique<QtSingleCoreApplication>(argc, argv);
    const CommandLineOptions options = parseCommandLine(QCoreApplication::arguments());
    if (options.helpRequested || !options.error.isEmpty()) {
        if (!options.error.isEmpty())
            std::fprintf(stderr, "%s\n", qPrintable(options.error));
        std::fputs(qPrintable(options.helpText), options.error.isEmpty() ? stdout : stderr);
        return options.error.isEmpty() ? 0 : int(ControlRefused);
    }

    if (options.control.onlyQuit()) {
        // The lock file's socket reaches the running instance with or without a
        // session bus; this start never becomes one.
        if (app->isRunning() && app->sendMessage(QLatin1String(Widget::QuitMessage), 5000))
            return ControlOk;
        std::fputs("R770: no instance is running\n", stderr);
        return ControlNoInstance;
    }
    if (options.control.any()) {
        if (const std::optional<int> code = runControlClient(options.control))
            return *code;
    }
    if (options.autostart != CommandLineOptions::Autostart::Unchanged)
        return changeAutostart(options.autostart == CommandLineOptions::Autostart::On);
    if (app->isRunning()) {
        // A login start finds the program running already: nothing to show.
        if (!options.hidden)
            app->sendMessage(QString(), 5000);
        return 1;
    }
    // From here on SIGTERM and SIGINT wait for the event loop and quit like the tray's Quit.
    QuitSignals quitSignals;

    // Every data path is "./modules/...": make the executable's folder (or the
    // user's copy of an installed data folder) the working directory.
    QString executableDir = QCoreApplication::applicationFilePath();
    executableDir.truncate(executableDir.lastIndexOf(QLatin1Char('/')));
    setUpDataFolder(executableDir);

    // Demo mode: the virtual mouse stands in for the system's HID devices. It
    // must be chosen before the window builds its link.
    std::unique_ptr<VirtualMouse> demoMouse;
    TranscriptFile transcript;
    if (options.virtualMouse) {
        demoMouse = makeDemoMouse(QStringLiteral("./modules/setting/apConfig.bin"));
        if (!options.transcriptPath.isEmpty() &&
            !transcript.open(options.transcriptPath, *demoMouse))
            std::fprintf(stderr, "Cannot write the transcript %s\n",
                         qPrintable(options.transcriptPath));
        setDefaultHidApi(demoMouse.get());
    } else if (!options.transcriptPath.isEmpty()) {
        std::fputs("--virtual-mouse-transcript needs --virtual-mouse\n", stderr);
    }

    auto widget = std::make_unique<Widget>();
#ifndef Q_OS_WIN
    std::unique_ptr<VirtualMouseBus> demoBus;
#endif
    if (demoMouse) {
        // Pulling the mouse out or plugging it in raises the device-change notice.
        Widget *window = widget.get();
        demoMouse->setPlugHook([window](bool) {
            QMetaObject::invokeMethod(window, &Widget::onDeviceChange, Qt::QueuedConnection);
        });
#ifndef Q_OS_WIN
        demoBus = std::make_unique<VirtualMouseBus>(*demoMouse);
        demoBus->registerOnSessionBus();
#endif
    }
    QObject::connect(app.get(), &QtSingleCoreApplication::messageReceived, widget.get(),
                     &Widget::receiveMessage);
    QObject::connect(&quitSignals, &QuitSignals::quitRequested, widget.get(), &Widget::exitSYS);

    // Global key and button capture with its callbacks, and the copy-data
    // channel; a failed install leaves the program without capture, silently.
    auto inputHook = std::make_unique<InputHook>(0);
    registerInputHookCallbacks(*inputHook, widget.get(), app.get());
    // Where the desktop keeps other programs' input from us (Wayland), the
    // window's own keys and buttons still reach the capture boxes.
    widget->createWinId();
    inputHook->addFocusedWindowSource(createFocusedWindowEventSource(widget->windowHandle()));
    const auto pointerSettings = createPointerSettings();
    widget->view()->setPointerSettings(pointerSettings.get());

    auto desktopControl = std::make_unique<DesktopControl>(*widget);

    // A report with no instance running: one device check, the report, the end.
    const QString reportOnly = options.control.reportPath;
    if (reportOnly.isEmpty() && !options.hidden)
        widget->showNormal();
    widget->checkDevice();
    const int result = reportOnly.isEmpty() ? app->exec() : writeReportFile(*widget, reportOnly);

    inputHook->removeHooks();
    inputHook.reset();
    if (demoMouse)
        demoMouse->setPlugHook({});
#ifndef Q_OS_WIN
    demoBus.reset(); // leaves the session bus while the application still exists
#endif
    desktopControl.reset();
    widget.reset();
    app.reset();
    return result;
}
