#include "XDisplay.h"

#include <QDeadlineTimer>
#include <QProcess>
#include <QTest>

namespace XDisplay {

bool run(const QString &program, const QStringList &arguments, QByteArray *output,
         const QProcessEnvironment &environment)
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    if (!process.waitForFinished(10000)) {
        qWarning("%s did not finish", qPrintable(program));
        process.kill();
        process.waitForFinished(1000);
        return false;
    }
    if (output)
        *output = process.readAllStandardOutput();
    const bool done = process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    // xdotool search ends with 1 and no message while nothing matches.
    const QByteArray errors = process.readAllStandardError();
    if (!done && !errors.isEmpty())
        qWarning("%s failed: %s", qPrintable(program), errors.constData());
    return done;
}

Window findProgramWindow(qint64 pid, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    do {
        QByteArray ids;
        run(QStringLiteral("xdotool"),
            {QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--pid"),
             QString::number(pid)},
            &ids);
        for (const QByteArray &id : ids.split('\n')) {
            QByteArray shell;
            if (id.trimmed().isEmpty() ||
                !run(QStringLiteral("xdotool"),
                     {QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"),
                      QString::fromLatin1(id.trimmed())},
                     &shell))
                continue;
            if (!shell.contains("WIDTH=1024\n") || !shell.contains("HEIGHT=640\n"))
                continue;
            Window window{QString::fromLatin1(id.trimmed()), {}};
            for (const QByteArray &line : shell.split('\n')) {
                if (line.startsWith("X="))
                    window.origin.setX(line.mid(2).toInt());
                if (line.startsWith("Y="))
                    window.origin.setY(line.mid(2).toInt());
            }
            return window;
        }
        QTest::qWait(100);
    } while (!deadline.hasExpired());
    return {};
}

QStringList moveTo(const Window &window, QPoint at)
{
    const QPoint p = window.origin + at;
    return {QStringLiteral("mousemove"), QString::number(p.x()), QString::number(p.y())};
}

bool click(const Window &window, QPoint at, int button, int settleMs)
{
    const bool done = run(QStringLiteral("xdotool"),
                          moveTo(window, at) << QStringLiteral("click") << QString::number(button));
    // Drop-downs and knobs animate for up to 180 ms.
    QTest::qWait(settleMs);
    return done;
}

bool drag(const Window &window, QPoint from, QPoint to)
{
    const QStringList pause{QStringLiteral("sleep"), QStringLiteral("0.1")};
    const bool done =
        run(QStringLiteral("xdotool"),
            moveTo(window, from) << QStringLiteral("mousedown") << QStringLiteral("1") << pause
                                 << moveTo(window, (from + to) / 2) << pause << moveTo(window, to)
                                 << pause << QStringLiteral("mouseup") << QStringLiteral("1"));
    QTest::qWait(300);
    return done;
}

} // namespace XDisplay
