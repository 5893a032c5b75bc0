#include "DemoSession.h"

#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusMessage>
#include <QDBusReply>
#include <QDeadlineTimer>
#include <QDir>
#include <QJsonDocument>
#include <QStandardPaths>
#include <QTest>
#include <QUuid>

bool runTool(const QString &program, const QStringList &arguments, QByteArray *output,
             int timeoutMs)
{
    QProcess p;
    p.start(program, arguments);
    if (!p.waitForFinished(timeoutMs)) {
        p.kill();
        p.waitForFinished(1000);
        return false;
    }
    if (output)
        *output = p.readAllStandardOutput();
    return p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

DemoSession::DemoSession()
    : connectionName(QStringLiteral("demo-") + QUuid::createUuid().toString(QUuid::Id128))
{
}

DemoSession::~DemoSession()
{
    mouseInterface.reset();
    QDBusConnection::disconnectFromBus(connectionName);
    if (process && process->state() != QProcess::NotRunning) {
        process->kill();
        process->waitForFinished(5000);
    }
    if (busDaemon.state() != QProcess::NotRunning) {
        busDaemon.terminate();
        busDaemon.waitForFinished(5000);
    }
}

bool DemoSession::startBus(QString *whyNot)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY")) {
        *whyNot = QStringLiteral("no X display; run under xvfb-run");
        return false;
    }
    for (const char *tool : {"xdotool", "dbus-daemon"}) {
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty()) {
            *whyNot = QStringLiteral("%1 is not installed").arg(QLatin1String(tool));
            return false;
        }
    }
    busDaemon.start(QStringLiteral("dbus-daemon"),
                    {QStringLiteral("--session"), QStringLiteral("--nofork"),
                     QStringLiteral("--print-address=1")});
    if (!busDaemon.waitForStarted(5000) || !busDaemon.waitForReadyRead(5000)) {
        *whyNot = QStringLiteral("dbus-daemon does not start");
        return false;
    }
    address = QString::fromLatin1(busDaemon.readLine().trimmed());
    return !address.isEmpty();
}

QProcessEnvironment DemoSession::environment() const
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), address);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    // The global capture is chosen for an X session.
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.remove(QStringLiteral("XDG_SESSION_TYPE"));
    // The desktop's pointer settings go to a key file of our own.
    env.insert(QStringLiteral("GSETTINGS_BACKEND"), QStringLiteral("keyfile"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), desktopConfig.path());
    return env;
}

bool DemoSession::launch(const QString &executable, const QStringList &arguments)
{
    process = std::make_unique<QProcess>();
    process->setProcessEnvironment(environment());
    process->setProcessChannelMode(QProcess::MergedChannels);
    printed.clear();
    window.clear();
    // The new program's virtual mouse takes the name again.
    mouseInterface.reset();
    process->start(executable, arguments);
    if (!process->waitForStarted(5000))
        return false;
    // Slow under the sanitizers and on a loaded machine.
    if (!waitForOutput("Device Connect", 60000) || !findWindow(30000))
        return false;
    QTest::qWait(1600); // the start-up lock
    return true;
}

QByteArray DemoSession::output()
{
    if (process)
        printed += process->readAll();
    return printed;
}

bool DemoSession::waitForOutput(const QByteArray &text, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    while (!output().contains(text)) {
        if (deadline.hasExpired() || process->state() == QProcess::NotRunning)
            return output().contains(text);
        QTest::qWait(50);
    }
    return true;
}

bool DemoSession::waitForExit(int timeoutMs)
{
    if (process->state() == QProcess::NotRunning)
        return true;
    if (process->waitForFinished(timeoutMs)) {
        output();
        return true;
    }
    process->kill();
    process->waitForFinished(5000);
    return false;
}

int DemoSession::runAgain(const QString &executable, const QStringList &arguments)
{
    QProcess again;
    again.setProcessEnvironment(environment());
    again.start(executable, arguments);
    if (!again.waitForFinished(10000)) {
        again.kill();
        again.waitForFinished(1000);
        return -1;
    }
    return again.exitStatus() == QProcess::NormalExit ? again.exitCode() : -1;
}

bool DemoSession::findWindow(int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    do {
        QByteArray ids;
        runTool(QStringLiteral("xdotool"),
                {QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--pid"),
                 QString::number(process->processId())},
                &ids);
        for (const QByteArray &id : ids.split('\n')) {
            QByteArray shell;
            if (id.trimmed().isEmpty() ||
                !runTool(QStringLiteral("xdotool"),
                         {QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"),
                          QString::fromLatin1(id.trimmed())},
                         &shell))
                continue;
            if (!shell.contains("WIDTH=1024\n") || !shell.contains("HEIGHT=640\n"))
                continue;
            for (const QByteArray &line : shell.split('\n')) {
                if (line.startsWith("X="))
                    origin.setX(line.mid(2).toInt());
                else if (line.startsWith("Y="))
                    origin.setY(line.mid(2).toInt());
            }
            window = QString::fromLatin1(id.trimmed());
            return true;
        }
        QTest::qWait(100);
    } while (!deadline.hasExpired() && process->state() == QProcess::Running);
    return false;
}

bool DemoSession::windowVisible()
{
    QByteArray ids;
    runTool(QStringLiteral("xdotool"),
            {QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--pid"),
             QString::number(process->processId())},
            &ids);
    return ids.split('\n').contains(window.toLatin1());
}

bool DemoSession::xdotool(const QStringList &arguments)
{
    return runTool(QStringLiteral("xdotool"), arguments);
}

bool DemoSession::click(QPoint at, int button, int settleMs)
{
    const QPoint p = origin + at;
    const bool done =
        xdotool({QStringLiteral("mousemove"), QString::number(p.x()), QString::number(p.y()),
                 QStringLiteral("click"), QString::number(button)});
    QTest::qWait(settleMs); // drop-downs and knobs animate
    return done;
}

bool DemoSession::drag(QPoint from, QPoint to)
{
    auto move = [this](QPoint at) {
        const QPoint p = origin + at;
        return QStringList{QStringLiteral("mousemove"), QString::number(p.x()),
                           QString::number(p.y()), QStringLiteral("sleep"), QStringLiteral("0.1")};
    };
    const bool done = xdotool(move(from) << QStringLiteral("mousedown") << QStringLiteral("1")
                                         << move((from + to) / 2) << move(to)
                                         << QStringLiteral("mouseup") << QStringLiteral("1"));
    QTest::qWait(300);
    return done;
}

QDBusInterface &DemoSession::mouse()
{
    if (!mouseInterface) {
        QDBusConnection bus = QDBusConnection::connectToBus(address, connectionName);
        mouseInterface = std::make_unique<QDBusInterface>(
            QStringLiteral("com.zerant.molta.R770"), QStringLiteral("/VirtualMouse"),
            QStringLiteral("com.zerant.molta.R770.VirtualMouse"), bus);
    }
    return *mouseInterface;
}

QJsonObject DemoSession::state(int timeoutMs)
{
    mouse().setTimeout(timeoutMs);
    QDBusReply<QString> reply = mouse().call(QStringLiteral("State"));
    return reply.isValid() ? QJsonDocument::fromJson(reply.value().toUtf8()).object()
                           : QJsonObject();
}

bool DemoSession::callMouse(const QString &method, const QVariantList &arguments, int timeoutMs)
{
    mouse().setTimeout(timeoutMs);
    const QDBusMessage reply = mouse().callWithArgumentList(QDBus::Block, method, arguments);
    return reply.type() == QDBusMessage::ReplyMessage;
}

void DemoSession::shoot(const QString &folder, const QString &name)
{
    if (QStandardPaths::findExecutable(QStringLiteral("import")).isEmpty())
        return;
    QDir().mkpath(folder);
    runTool(QStringLiteral("import"), {QStringLiteral("-window"), QStringLiteral("root"),
                                       folder + QLatin1Char('/') + name + QStringLiteral(".png")});
}
