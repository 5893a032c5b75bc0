#include "DemoSession.h"

#include <QDBusInterface>
#include <QDBusMessage>
#include <QDBusReply>
#include <QDeadlineTimer>
#include <QDir>
#include <QJsonDocument>
#include <QStandardPaths>
#include <QTest>
#include <QUuid>

#include <limits>

DemoSession::DemoSession()
    : connectionName(QStringLiteral("demo-") + QUuid::createUuid().toString(QUuid::Id128)),
      programCopy(QStringLiteral(R770_EXECUTABLE), QStringLiteral(R770_EXECUTABLE_DIR "/modules"))
{
}

DemoSession::~DemoSession()
{
    if (process && QTest::currentTestFailed())
        qWarning("program output:\n%s", output().right(8000).constData());
    mouseInterface.reset();
    QDBusConnection::disconnectFromBus(connectionName);
    if (process)
        kill();
    if (busDaemon.state() != QProcess::NotRunning) {
        busDaemon.terminate();
        busDaemon.waitForFinished(5000);
    }
}

bool DemoSession::startBus(QString *whyNot, Display display, const QStringList &tools)
{
    QStringList needed = tools;
    needed << QStringLiteral("dbus-daemon");
    if (display == Display::Needed) {
        if (qEnvironmentVariableIsEmpty("DISPLAY")) {
            *whyNot = QStringLiteral("no X display; run under xvfb-run");
            return false;
        }
        needed << QStringLiteral("xdotool");
    }
    for (const QString &tool : needed) {
        if (QStandardPaths::findExecutable(tool).isEmpty()) {
            *whyNot = QStringLiteral("%1 is not installed").arg(tool);
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
    if (address.isEmpty()) {
        *whyNot = QStringLiteral("dbus-daemon gives no address");
        return false;
    }
    // Where the tests find what they click: the program's accessibility
    // tree, on the accessibility bus that its session bus starts.
    accessibleTree = display == Display::Needed && a11y.connect(whyNot, bus());
    return accessibleTree || display == Display::Optional;
}

std::unique_ptr<DemoSession>
DemoSession::startCopy(const QString &chip, const std::function<void(ProgramCopy &)> &prepare,
                       const QStringList &tools)
{
    auto demo = std::make_unique<DemoSession>();
    QString whyNot;
    if (!demo->startBus(&whyNot, Display::Needed, tools)) {
        QTest::qSkip(qPrintable(whyNot), __FILE__, __LINE__);
        return nullptr;
    }
    if (!chip.isEmpty())
        demo->copy().write(QStringLiteral("setting/apConfig.bin"), QStringLiteral("mouse/icType"),
                           chip);
    if (prepare)
        prepare(demo->copy());
    if (QTest::currentTestFailed())
        return nullptr;
    if (!demo->launch()) {
        // The session's end prints what the program said.
        QTest::qFail("the program did not come up", __FILE__, __LINE__);
        return nullptr;
    }
    return demo;
}

void DemoSession::addChipRows()
{
    QTest::addColumn<QString>("chip");
    for (const char *chip : {"553", "560"})
        QTest::newRow(chip) << QString::fromLatin1(chip);
}

QDBusConnection DemoSession::bus() const
{
    return QDBusConnection::connectToBus(address, connectionName);
}

QProcessEnvironment DemoSession::environment() const
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), address);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), qEnvironmentVariableIsEmpty("DISPLAY")
                                                      ? QStringLiteral("offscreen")
                                                      : QStringLiteral("xcb"));
    // The global capture is chosen for an X session.
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.remove(QStringLiteral("XDG_SESSION_TYPE"));
    // The desktop's pointer settings go to a key file of our own.
    env.insert(QStringLiteral("GSETTINGS_BACKEND"), QStringLiteral("keyfile"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), desktopConfig.path());
    if (accessibleTree)
        env.insert(QStringLiteral("QT_LINUX_ACCESSIBILITY_ALWAYS_ON"), QStringLiteral("1"));
    return env;
}

bool DemoSession::start(const QStringList &arguments)
{
    process = std::make_unique<QProcess>();
    process->setProcessEnvironment(environment());
    process->setProcessChannelMode(QProcess::MergedChannels);
    printed.clear();
    window = {};
    // The new program's virtual mouse takes the name again.
    mouseInterface.reset();
    process->start(programCopy.executable(), arguments);
    return process->waitForStarted(5000);
}

bool DemoSession::launch(const QStringList &arguments)
{
    // Slow under the sanitizers and on a loaded machine.
    if (!start(arguments) || !waitForOutput("Device Connect", 60000) || !findWindow(30000))
        return false;
    if (accessibleTree && !a11y.attach(process->processId(), 15000)) {
        qWarning("the program is not on the accessibility bus");
        return false;
    }
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
    kill();
    return false;
}

void DemoSession::kill()
{
    if (process->state() == QProcess::NotRunning)
        return;
    process->kill();
    process->waitForFinished(5000);
}

DemoSession::Run DemoSession::runAgain(const QStringList &arguments)
{
    QProcess again;
    again.setProcessEnvironment(environment());
    again.start(programCopy.executable(), arguments);
    Run run;
    if (!again.waitForFinished(30000)) {
        again.kill();
        again.waitForFinished(1000);
        return run;
    }
    run.code = again.exitStatus() == QProcess::NormalExit ? again.exitCode() : -1;
    run.out = again.readAllStandardOutput();
    run.err = again.readAllStandardError();
    return run;
}

bool DemoSession::runInSession(const QString &tool, const QStringList &arguments,
                               QByteArray *output)
{
    return XDisplay::run(tool, arguments, output, environment());
}

double DemoSession::pointerSpeed()
{
    QByteArray speed;
    const bool ran =
        runInSession(QStringLiteral("gsettings"),
                     {QStringLiteral("get"), QStringLiteral("org.gnome.desktop.peripherals.mouse"),
                      QStringLiteral("speed")},
                     &speed);
    bool number = false;
    const double value = speed.trimmed().toDouble(&number);
    return ran && number ? value : std::numeric_limits<double>::quiet_NaN();
}

bool DemoSession::findWindow(int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    do {
        // One look, then a pause of 100 ms.
        window = XDisplay::findProgramWindow(process->processId(), 0);
        if (!window.id.isEmpty())
            return true;
    } while (!deadline.hasExpired() && process->state() == QProcess::Running);
    return false;
}

bool DemoSession::windowVisible()
{
    QByteArray ids;
    xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--pid"),
             QString::number(process->processId())},
            &ids);
    return ids.split('\n').contains(window.id.toLatin1());
}

bool DemoSession::xdotool(const QStringList &arguments, QByteArray *output)
{
    return XDisplay::run(QStringLiteral("xdotool"), arguments, output);
}

QRect DemoSession::where(const QString &name, const QString &role, const AccessibleApp::Node &under)
{
    const AccessibleApp::Node control = a11y.find(name, role, under);
    const QRect inWindow = a11y.extents(control);
    if (inWindow.isEmpty()) {
        qWarning("no %s \"%s\" on screen", role.isEmpty() ? "control" : qPrintable(role),
                 qPrintable(name));
        return {};
    }
    return inWindow;
}

QPoint DemoSession::dpiKnob(int stage)
{
    const AccessibleApp::Node slider = a11y.find(QStringLiteral("DPI %1").arg(stage), Role::slider);
    const QRect track = a11y.extents(slider);
    if (track.isEmpty())
        return {};
    // The slider reads out its stage's dpi, of 200..12000 on the 158 pixels
    // its 12-pixel knob travels from 3, upwards from the track's foot.
    const int knobX = 3 + (a11y.description(slider).toInt() - 200) * 158 / 11800;
    return {track.center().x(), track.top() + track.height() - (knobX + 6)};
}

bool DemoSession::click(const QString &name, const QString &role, const AccessibleApp::Node &under,
                        int button)
{
    const QRect control = where(name, role, under);
    return !control.isEmpty() && click(control.center(), button);
}

bool DemoSession::click(QPoint at, int button, int settleMs)
{
    return XDisplay::click(window, at, button, settleMs);
}

bool DemoSession::drag(QPoint from, QPoint to)
{
    return XDisplay::drag(window, from, to);
}

bool DemoSession::moveTo(QPoint at, const QStringList &then)
{
    return xdotool(XDisplay::moveTo(window, at) << then);
}

QDBusInterface &DemoSession::mouse()
{
    if (!mouseInterface) {
        mouseInterface = std::make_unique<QDBusInterface>(
            QStringLiteral("com.zerant.molta.R770"), QStringLiteral("/VirtualMouse"),
            QStringLiteral("com.zerant.molta.R770.VirtualMouse"), bus());
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

bool DemoSession::shoot(const QString &folder, const QString &name)
{
    if (QStandardPaths::findExecutable(QStringLiteral("import")).isEmpty())
        return false;
    QDir().mkpath(folder);
    return XDisplay::run(QStringLiteral("import"),
                         {QStringLiteral("-window"), QStringLiteral("root"),
                          folder + QLatin1Char('/') + name + QStringLiteral(".png")});
}
