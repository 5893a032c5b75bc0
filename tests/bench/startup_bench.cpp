// Start-up benchmark: time from process start to the main window being
// mapped on the X server, peak memory, and CPU use while idle, for the program
// in demo mode and, in the same run and turn by turn, for a bare Qt Quick
// window of the same size, so that figures taken on a busy machine can still
// be compared. Prints figures; it passes or fails on nothing but being able to
// measure.
#include "ProgramCopy.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcessEnvironment>
#include <QThread>

#include <X11/Xlib.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
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

// CPU time of the process in nanoseconds: the run time of each of its threads
// from the scheduler (clock ticks are far too coarse for an idle process).
double cpuNs(qint64 pid)
{
    const QDir tasks(QStringLiteral("/proc/%1/task").arg(pid));
    double total = 0;
    for (const QString &task : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile schedstat(tasks.filePath(task) + QStringLiteral("/schedstat"));
        if (schedstat.open(QIODevice::ReadOnly))
            total += schedstat.readAll().split(' ').first().toDouble();
    }
    return total;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

struct Figures
{
    std::vector<double> mapMs, peakMb, idleCpu;
};

// Measures one started process: time to its mapped window (from clock), its
// idle CPU over a quiet period after start-up settled, and its peak memory.
bool measure(Display *display, QProcess &process, const QElapsedTimer &clock, Figures &figures)
{
    if (!waitForMainWindow(display, 20000))
        return false;
    figures.mapMs.push_back(double(clock.nsecsElapsed()) / 1e6);
    QThread::msleep(2000);
    const qint64 pid = process.processId();
    const double before = cpuNs(pid);
    QThread::msleep(5000);
    const double after = cpuNs(pid);
    figures.idleCpu.push_back(100.0 * (after - before) / 5e9);
    figures.peakMb.push_back(double(statusKb(pid, "VmHWM:")) / 1024.0);
    return true;
}

void stop(QProcess &process)
{
    process.kill();
    process.waitForFinished(5000);
}

void printRun(const char *what, int run, const Figures &figures)
{
    std::printf("run %d: %-14s window mapped %6.1f ms, peak memory %5.1f MB, idle CPU %.3f %%\n",
                run, what, figures.mapMs.back(), figures.peakMb.back(), figures.idleCpu.back());
}

void printMedians(const char *what, int runs, const Figures &figures)
{
    std::printf("startup benchmark (median of %d): %-14s window mapped %.1f ms, peak memory "
                "%.1f MB, idle CPU %.3f %%\n",
                runs, what, median(figures.mapMs), median(figures.peakMb), median(figures.idleCpu));
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
    double load[1] = {0};
    if (getloadavg(load, 1) == 1)
        std::printf("startup benchmark: load average %.2f on %ld processors\n", load[0],
                    sysconf(_SC_NPROCESSORS_ONLN));

    const int runs = 5;
    Figures bare, program;
    for (int run = 1; run <= runs; ++run) {
        {
            QProcess window;
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
            window.setProcessEnvironment(env);
            XSync(display, True);
            QElapsedTimer clock;
            clock.start();
            window.start(QStringLiteral(BARE_WINDOW_EXECUTABLE), {});
            window.waitForStarted(5000);
            const bool mapped = measure(display, window, clock, bare);
            stop(window);
            if (!mapped) {
                std::printf("startup benchmark: run %d: the bare window was not mapped within "
                            "20 s\n",
                            run);
                return 1;
            }
            printRun("bare window:", run, bare);
        }
        ProgramCopy copy(QStringLiteral(R770_EXECUTABLE),
                         QStringLiteral(R770_EXECUTABLE_DIR "/modules"));
        XSync(display, True);
        QElapsedTimer clock;
        clock.start();
        auto process =
            copy.start(QStringList(QStringLiteral("--virtual-mouse")), {}, QStringLiteral("xcb"));
        const bool mapped = measure(display, *process, clock, program);
        stop(*process);
        if (!mapped) {
            std::printf("startup benchmark: run %d: the window was not mapped within 20 s\n", run);
            return 1;
        }
        printRun("program:", run, program);
    }
    printMedians("bare window:", runs, bare);
    printMedians("program:", runs, program);
    std::printf("startup benchmark: program / bare window: window mapped %.2f, peak memory "
                "%.2f\n",
                median(program.mapMs) / median(bare.mapMs),
                median(program.peakMb) / median(bare.peakMb));
    XCloseDisplay(display);
    return 0;
}
