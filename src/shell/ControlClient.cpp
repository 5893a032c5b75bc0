#include "shell/ControlClient.h"

#include "shell/ControlService.h"
#include "shell/DiagnosticsReport.h"

#include <QCommandLineParser>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusInterface>
#include <QDBusReply>
#include <QFileInfo>

#include <cstdio>

namespace {

// A profile switch sends every page to the mouse: allow it its time.
constexpr int callTimeout = 60000;

const QString optionList = QStringLiteral("list-profiles");
const QString optionProfile = QStringLiteral("profile");
const QString optionDpi = QStringLiteral("dpi-stage");
const QString optionShow = QStringLiteral("show");
const QString optionQuit = QStringLiteral("quit");
const QString optionReport = QStringLiteral("report");

void printLine(const QString &text)
{
    std::fprintf(stdout, "%s\n", qPrintable(text));
}

int fail(int code, const QString &message)
{
    std::fprintf(stderr, "R770: %s\n", qPrintable(message));
    return code;
}

bool instanceRuns(QDBusConnection &bus)
{
    return bus.isConnected() && bus.interface() &&
           bus.interface()->isServiceRegistered(QString::fromLatin1(ControlService::ServiceName));
}

// The exit code of a failed call: no instance when the object is not there.
int callFailed(const QDBusError &error)
{
    if (error.type() == QDBusError::ServiceUnknown || error.type() == QDBusError::UnknownObject ||
        error.type() == QDBusError::UnknownInterface || error.type() == QDBusError::Disconnected)
        return fail(ControlNoInstance, QStringLiteral("no running instance answers"));
    return fail(ControlRefused, error.message());
}

// The row a NAME-or-ROW argument means, or -1.
int rowOf(const QString &argument, const QStringList &names)
{
    const int exact = int(names.indexOf(argument));
    if (exact >= 0)
        return exact;
    bool isNumber = false;
    const int row = argument.toInt(&isNumber);
    if (isNumber)
        return row;
    for (int i = 0; i < names.size(); ++i) {
        if (names.at(i).compare(argument, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

class Client
{
public:
    explicit Client(QDBusConnection &connection)
        : control(QString::fromLatin1(ControlService::ServiceName),
                  QString::fromLatin1(ControlService::ObjectPath),
                  QString::fromLatin1(ControlService::InterfaceName), connection)
    {
        control.setTimeout(callTimeout);
    }

    int run(const ControlRequest &request);

private:
    bool readProfiles(QStringList *names, int *active, int *code);

    QDBusInterface control;
};

bool Client::readProfiles(QStringList *names, int *active, int *code)
{
    const QVariant list = control.property("Profiles");
    if (!list.isValid()) {
        *code = callFailed(control.lastError());
        return false;
    }
    *names = list.toStringList();
    *active = control.property("ActiveProfile").toInt();
    return true;
}

int Client::run(const ControlRequest &request)
{
    int code = ControlOk;
    QStringList names;
    int active = -1;
    if (request.listProfiles) {
        if (!readProfiles(&names, &active, &code))
            return code;
        for (int i = 0; i < names.size(); ++i)
            printLine(QStringLiteral("%1 %2 %3")
                          .arg(i == active ? QLatin1Char('*') : QLatin1Char(' '))
                          .arg(i)
                          .arg(names.at(i)));
    }
    if (!request.profile.isEmpty()) {
        if (!readProfiles(&names, &active, &code))
            return code;
        const int row = rowOf(request.profile, names);
        if (row < 0)
            return fail(ControlRefused,
                        QStringLiteral("no profile is named %1").arg(request.profile));
        const QDBusMessage reply = control.call(QStringLiteral("SwitchProfile"), row);
        if (reply.type() == QDBusMessage::ErrorMessage)
            return callFailed(QDBusError(reply));
        printLine(QStringLiteral("profile %1 %2").arg(row).arg(names.value(row)));
    }
    if (request.dpiStage != 0) {
        const QDBusMessage reply = control.call(QStringLiteral("SetDpiStage"), request.dpiStage);
        if (reply.type() == QDBusMessage::ErrorMessage)
            return callFailed(QDBusError(reply));
        printLine(QStringLiteral("DPI stage %1").arg(request.dpiStage));
    }
    if (request.show) {
        const QDBusMessage reply = control.call(QStringLiteral("ShowWindow"));
        if (reply.type() == QDBusMessage::ErrorMessage)
            return callFailed(QDBusError(reply));
    }
    if (!request.reportPath.isEmpty()) {
        const QDBusReply<QString> report = control.call(QStringLiteral("Report"));
        if (!report.isValid())
            return callFailed(report.error());
        QString error;
        if (!writeDiagnosticsReport(report.value(), request.reportPath, &error))
            return fail(ControlRefused,
                        QStringLiteral("cannot write %1: %2").arg(request.reportPath, error));
        printLine(request.reportPath);
    }
    if (request.quit) {
        const QDBusMessage reply = control.call(QStringLiteral("Quit"));
        if (reply.type() == QDBusMessage::ErrorMessage)
            return callFailed(QDBusError(reply));
    }
    return code;
}

} // namespace

void addControlOptions(QCommandLineParser &parser)
{
    parser.addOption(
        {optionList,
         QStringLiteral("Print the profiles of the running instance; * marks the active one.")});
    parser.addOption({optionProfile,
                      QStringLiteral("Switch the running instance to a profile, by name or row."),
                      QStringLiteral("NAME-or-ROW")});
    parser.addOption(
        {optionDpi, QStringLiteral("Make DPI stage N (1-based) current."), QStringLiteral("N")});
    parser.addOption({optionShow, QStringLiteral("Show the running instance's window.")});
    parser.addOption({optionQuit, QStringLiteral("Quit the running instance.")});
    parser.addOption({optionReport, QStringLiteral("Write a diagnostics report to FILE."),
                      QStringLiteral("FILE")});
}

bool readControlOptions(const QCommandLineParser &parser, ControlRequest *request, QString *error)
{
    request->listProfiles = parser.isSet(optionList);
    request->profile = parser.value(optionProfile);
    request->show = parser.isSet(optionShow);
    request->quit = parser.isSet(optionQuit);
    if (parser.isSet(optionProfile) && request->profile.isEmpty()) {
        *error = QStringLiteral("--profile needs a name or a row");
        return false;
    }
    if (parser.isSet(optionDpi)) {
        bool ok = false;
        request->dpiStage = parser.value(optionDpi).toInt(&ok);
        if (!ok || request->dpiStage < 1) {
            *error = QStringLiteral("--dpi-stage needs a stage number from 1");
            return false;
        }
    }
    // Resolved now: start-up changes the working directory.
    if (parser.isSet(optionReport))
        request->reportPath = QFileInfo(parser.value(optionReport)).absoluteFilePath();
    return true;
}

int runControlClient(const ControlRequest &request)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    // A report without an instance would need one that opens the mouse.
    if (!instanceRuns(bus))
        return fail(ControlNoInstance, QStringLiteral("no instance is running"));
    Client client(bus);
    return client.run(request);
}
