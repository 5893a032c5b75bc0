// Start-up benchmark: time from process start to the main window being
// mapped on the X server, peak memory, and CPU use while idle. Prints figures;
// it passes or fails on nothing but being able to measure.
#include "ProgramCopy.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>

#include <X11/Xlib.h>

#include <algorithm>
#include <cstdio>
#include <sys/select.h>
#include <unistd.h>
#include <vector>

namespace {

// Waits for a 1024 x 640 top-level window to be mapped; returns false on time-out.
bool waitForMainWindow(Display *display, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    const int fd = ConnectionNumber(display);
    while (clock.elapsed() < timeoutMs) {
        while (XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type != MapNotify)
                continue;
            XWindowAttributes attributes;
            if (XGetWindowAttributes(display, event.xmap.window, &attributes) &&
                attributes.width == 1024 && attributes.height == 640)
                return true;
        }
        fd_set set;
        FD_ZERO(&set);
        FD_SET(fd, &set);
        timeval wait{0, 5000};
        select(fd + 1, &set, nullptr, nullptr, &wait);
    }
    return false;
}

long statusKb(qint64 pid, const char *field)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith(field))
            return line.mid(qstrlen(field)).trimmed().split(' ').first().toLong();
    return -1;
}

// User plus system CPU time of the process, in clock ticks.
long cpuTicks(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray text = stat.readAll();
    const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
    return fields.size() > 12 ? fields[11].toLong() + fields[12].toLong() : -1;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    Display *display = XOpenDisplay(nullptr);
    if (!display) {
        std::printf("startup benchmark: no X display, nothing measured\n");
        return 0;
    }
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);

    const int runs = 5;
    std::vector<double> mapMs, peakMb, idleCpu;
    for (int run = 0; run < runs; ++run) {
        ProgramCopy program(QStringLiteral(R770_EXECUTABLE),
                            QStringLiteral(R770_EXECUTABLE_DIR "/modules"));
        XSync(display, True);
        QElapsedTimer clock;
        clock.start();
        auto process = program.start(QStringList(QStringLiteral("--virtual-mouse")), {},
                                     QStringLiteral("xcb"));
        if (!waitForMainWindow(display, 20000)) {
            std::printf("startup benchmark: run %d: the window was not mapped within 20 s\n",
                        run + 1);
            process->kill();
            process->waitForFinished();
            return 1;
        }
        mapMs.push_back(double(clock.nsecsElapsed()) / 1e6);

        // Let start-up work settle, then measure a quiet period.
        QThread::msleep(2000);
        const qint64 pid = process->processId();
        const long before = cpuTicks(pid);
        QThread::msleep(5000);
        const long after = cpuTicks(pid);
        idleCpu.push_back(100.0 * double(after - before) / double(sysconf(_SC_CLK_TCK)) / 5.0);
        peakMb.push_back(double(statusKb(pid, "VmHWM:")) / 1024.0);

        process->kill();
        process->waitForFinished(5000);
        std::printf("run %d: window mapped %.1f ms, peak memory %.1f MB, idle CPU %.2f %%\n",
                    run + 1, mapMs.back(), peakMb.back(), idleCpu.back());
    }
    std::printf("startup benchmark (median of %d): window mapped %.1f ms, peak memory %.1f MB, "
                "idle CPU %.2f %%\n",
                runs, median(mapMs), median(peakMb), median(idleCpu));
    XCloseDisplay(display);
    return 0;
}
