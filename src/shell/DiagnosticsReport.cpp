#include "shell/DiagnosticsReport.h"

#include "backend/myQQuickView.h"
#include "device/HidApi.h"
#include "platform/ActiveWindowWatcher.h"
#include "shell/DetectionRecord.h"
#include "shell/DeviceConnectedFlag.h"
#include "shell/InputHook.h"
#include "shell/Widget.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QSaveFile>
#include <QSet>
#include <QSysInfo>
#include <QSystemTrayIcon>
#include <QTextStream>

#include <cstdio>

namespace {

QString hex4(quint16 value)
{
    return QStringLiteral("%1").arg(value, 4, 16, QLatin1Char('0'));
}

QString yesNo(bool value)
{
    return value ? QStringLiteral("yes") : QStringLiteral("no");
}

void section(QTextStream &out, const char *title)
{
    out << '\n' << "== " << title << " ==" << '\n';
}

void deviceTable(QTextStream &out, const QList<DeviceEntry> &table)
{
    if (table.isEmpty())
        out << "(empty)\n";
    for (int i = 0; i < table.size(); ++i) {
        const DeviceEntry &e = table.at(i);
        out << "[" << i << "] type " << e.type << ", " << hex4(e.vid) << ':' << hex4(e.pid)
            << ", command " << hex4(e.usagePage) << ':' << hex4(e.usage) << ", notification "
            << hex4(e.usagePage2) << ':' << hex4(e.usage2) << ", reportLength " << e.reportLength
            << ", isEncode "
            << (e.isEncode ? "true" : "false")
            // The secrecy code itself stays out of reports.
            << ", sCode " << (e.sCode == QLatin1String("274915") ? "default" : "custom") << '\n'
            << "    command path: "
            << (e.commandPath.isEmpty() ? QStringLiteral("(not found)") : e.commandPath) << '\n'
            << "    notification path: "
            << (e.notificationPath.isEmpty() ? QStringLiteral("(not found)") : e.notificationPath)
            << '\n';
    }
}

void vendorDevices(QTextStream &out, HidApi *api, const QList<DeviceEntry> &table)
{
    if (!api) {
        out << "(no HID access)\n";
        return;
    }
    QSet<quint16> vendors;
    for (const DeviceEntry &e : table)
        vendors.insert(e.vid);
    if (vendors.isEmpty())
        out << "(no vendor configured)\n";
    for (quint16 vid : vendors) {
        out << "vendor " << hex4(vid) << ":\n";
        HidDeviceInfo *list = api->enumerate(vid, 0);
        if (!list)
            out << "    (no HID device of this vendor)\n";
        for (HidDeviceInfo *d = list; d; d = d->next) {
            HidDevice *device = api->openPath(d->path.c_str());
            if (device)
                api->close(device);
            out << "    " << hex4(d->vendorId) << ':' << hex4(d->productId) << " interface "
                << d->interfaceNumber << " usage " << hex4(d->usagePage) << ':' << hex4(d->usage)
                << " path " << QString::fromLocal8Bit(d->path.c_str()) << " opens "
                << yesNo(device != nullptr) << '\n';
        }
        api->freeEnumeration(list);
    }
}

void udevRule(QTextStream &out)
{
    const QStringList folders{
        QStringLiteral("/etc/udev/rules.d"), QStringLiteral("/run/udev/rules.d"),
        QStringLiteral("/usr/local/lib/udev/rules.d"), QStringLiteral("/usr/lib/udev/rules.d"),
        QStringLiteral("/lib/udev/rules.d")};
    bool found = false;
    for (const QString &folder : folders) {
        const QString path = folder + QStringLiteral("/70-r770-mouse.rules");
        if (QFile::exists(path)) {
            out << "installed: " << path << '\n';
            found = true;
        }
    }
    if (!found)
        out << "not installed (70-r770-mouse.rules in none of the udev rule folders)\n";
}

void desktop(QTextStream &out)
{
    out << "session type: " << qEnvironmentVariable("XDG_SESSION_TYPE", QStringLiteral("(unset)"))
        << '\n'
        << "desktop: " << qEnvironmentVariable("XDG_CURRENT_DESKTOP", QStringLiteral("(unset)"))
        << '\n'
        << "Qt platform: " << QGuiApplication::platformName() << '\n'
        << "tray available: " << yesNo(QSystemTrayIcon::isSystemTrayAvailable()) << '\n'
        << "tray messages: " << yesNo(QSystemTrayIcon::supportsMessages()) << '\n';
    const InputHook *hook = InputHook::instance();
    const QStringList capture = hook ? hook->captureSources() : QStringList();
    out << "key and button capture: "
        << (capture.isEmpty() ? QStringLiteral("none") : capture.join(QStringLiteral("; ")))
        << '\n';
    QDBusConnection bus = QDBusConnection::sessionBus();
    // Running now, or started by the bus on the first notification.
    const QString notifier = QStringLiteral("org.freedesktop.Notifications");
    bool notifications = bus.isConnected() && bus.interface() &&
                         bus.interface()->isServiceRegistered(notifier).value();
    if (bus.isConnected() && !notifications) {
        const QDBusReply<QStringList> activatable = bus.call(QDBusMessage::createMethodCall(
            QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
            QStringLiteral("org.freedesktop.DBus"), QStringLiteral("ListActivatableNames")));
        notifications = activatable.isValid() && activatable.value().contains(notifier);
    }
    out << "session bus: " << yesNo(bus.isConnected()) << '\n'
        << "desktop notifications: " << yesNo(notifications) << '\n'
        << "per-program profiles: "
        << (activeWindowTrackingAvailable() ? "available (X11)" : "unavailable") << '\n';
}

void detection(QTextStream &out, Widget &widget)
{
    const DetectionRecord record = lastDetection();
    if (!record.done) {
        out << "no device check has run\n";
        return;
    }
    out << "at: " << record.when.toString(Qt::ISODate) << '\n';
    if (record.connectedEntry >= 0 && record.connectedEntry < record.table.size()) {
        const DeviceEntry &e = record.table.at(record.connectedEntry);
        out << "result: connected entry " << record.connectedEntry << " (" << hex4(e.vid) << ':'
            << hex4(e.pid) << ")\n";
    } else {
        int withPath = 0;
        for (const DeviceEntry &e : record.table)
            withPath += e.commandPath.isEmpty() ? 0 : 1;
        out << "result: no device verified (" << record.table.size() << " entries, " << withPath
            << " with a command interface)\n";
    }
    out << "connected flag: " << yesNo(deviceConnected()) << '\n'
        << "listener running: " << yesNo(widget.link().isListenerRunning()) << '\n';
}

} // namespace

QString diagnosticsReport(Widget &widget)
{
    QString text;
    QTextStream out(&text);
    out << "R770 configuration utility: diagnostics report\n";

    section(out, "Program");
    out << "program: " << QCoreApplication::applicationFilePath() << '\n'
        << "version: " << R770_VERSION << '\n'
        << "Qt: " << qVersion() << " (built with " << QT_VERSION_STR << ")\n"
        << "system: " << QSysInfo::prettyProductName() << ", kernel " << QSysInfo::kernelVersion()
        << ", " << QSysInfo::currentCpuArchitecture() << '\n';

    section(out, "Data folder");
    const QDir modules(QStringLiteral("./modules"));
    out << "folder: " << modules.absolutePath() << '\n'
        << "chip type: " << widget.view()->chipType() << '\n'
        << "current profile: " << widget.view()->currentProfileIndex() << '\n';
    // Macros by count only: their contents are the user's own.
    const QStringList macros =
        QDir(QStringLiteral("./modules/macro")).entryList({QStringLiteral("*.bin")}, QDir::Files);
    out << "macro files: " << macros.size() << '\n';

    section(out, "Device table");
    deviceTable(out, widget.link().deviceTable());

    section(out, "HID devices of the configured vendors");
    vendorDevices(out, widget.link().hidApi(), widget.link().deviceTable());

    section(out, "udev rule");
    udevRule(out);

    section(out, "Desktop");
    desktop(out);

    section(out, "Last detection");
    detection(out, widget);
    out.flush();
    return text;
}

bool writeDiagnosticsReport(const QString &text, const QString &path, QString *error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text) || file.write(text.toUtf8()) < 0 ||
        !file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

int writeReportFile(Widget &widget, const QString &path)
{
    QString error;
    if (!writeDiagnosticsReport(diagnosticsReport(widget), path, &error)) {
        std::fprintf(stderr, "R770: cannot write %s: %s\n", qPrintable(path), qPrintable(error));
        return 1;
    }
    std::fprintf(stdout, "%s\n", qPrintable(path));
    return 0;
}
