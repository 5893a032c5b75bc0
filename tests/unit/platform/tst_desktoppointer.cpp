// GLib first: its headers use "signals" as a name, which Qt defines as a macro.
#include <gio/gio.h>

#include "PlatformDoubles.h"
#include "TempDataFolder.h"
#include "backend/myQQuickView.h"
#include "platform/linux/PointerBackends.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <X11/Xlib.h>

namespace {

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString &path, const QByteArray &content)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(content);
}

} // namespace

// Runs with GSETTINGS_BACKEND=keyfile and a private XDG_CONFIG_HOME, so the
// user's own desktop is never touched.
class DesktopPointerTest : public QObject
{
    Q_OBJECT

    QTemporaryDir configHome;

    QString keyfilePath() const { return configHome.filePath("glib-2.0/settings/keyfile"); }
    QString kdeglobals() const { return configHome.filePath("kdeglobals"); }

    static double gnomeSpeed()
    {
        GSettings *settings = g_settings_new("org.gnome.desktop.peripherals.mouse");
        const double value = g_settings_get_double(settings, "speed");
        g_object_unref(settings);
        return value;
    }
    static int gnomeDoubleClick()
    {
        GSettings *settings = g_settings_new("org.gnome.desktop.peripherals.mouse");
        const int value = g_settings_get_int(settings, "double-click");
        g_object_unref(settings);
        return value;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(configHome.isValid());
        // Before GLib looks at them for the first time.
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(configHome.path()));
        qputenv("GSETTINGS_BACKEND", "keyfile");
        qunsetenv("XDG_CURRENT_DESKTOP");
        qunsetenv("KDE_FULL_SESSION");
        if (!GSettingsPointerBackend::available())
            QSKIP("org.gnome.desktop.peripherals.mouse is not installed");
    }

    void speedScale()
    {
        QCOMPARE(gnomeMouseSpeed(1), -1.0);
        QCOMPARE(gnomeMouseSpeed(10), 0.0);
        QCOMPARE(gnomeMouseSpeed(20), 1.0);
        QCOMPARE(gnomeMouseSpeed(4), -6.0 / 9.0);
        QCOMPARE(gnomeMouseSpeed(15), 0.5);
        QCOMPARE(x11AccelerationIn32nds(10), 32);
        QCOMPARE(x11AccelerationIn32nds(1), 1);
        QCOMPARE(x11AccelerationIn32nds(20), 112);
        QCOMPARE(x11AccelerationIn32nds(0), 0);
        QCOMPARE(x11AccelerationIn32nds(21), 0);
    }

    void slidersReachGnomeAndKde()
    {
        writeFile(kdeglobals(), "[General]\nColorScheme=Breeze\nWheelScrollLines=7\n\n"
                                "[KDE]\nSingleClick=false\nDoubleClickInterval=400\n\n"
                                "[WM]\nactiveBlend=1\n");
        std::vector<std::unique_ptr<PointerBackend>> backends;
        backends.push_back(std::make_unique<GSettingsPointerBackend>());
        backends.push_back(std::make_unique<KdeGlobalsPointerBackend>(kdeglobals()));
        DesktopPointerSettings desktop(std::move(backends));
        TempDataFolder folder;
        myQQuickView view;
        view.setPointerSettings(&desktop);

        const struct
        {
            uint step;
            double speed;
            int doubleClick;
        } steps[] = {{0, -1.0, 900}, {5, 0.0, 550}, {10, 1.0, 200}};
        for (const auto &s : steps) {
            view.mouseSetCursorSpeed(s.step);
            view.mouseSetDoubleClickSpeed(s.step);
            QCOMPARE(gnomeSpeed(), s.speed);
            QCOMPARE(gnomeDoubleClick(), s.doubleClick);
            QVERIFY(
                readFile(kdeglobals())
                    .contains("DoubleClickInterval=" + QByteArray::number(s.doubleClick) + "\n"));
        }
        // Stored in the user's keyfile, so it outlasts the program.
        const QByteArray keyfile = readFile(keyfilePath());
        QVERIFY2(keyfile.contains("[org/gnome/desktop/peripherals/mouse]"), keyfile);
        QVERIFY2(keyfile.contains("double-click=200"), keyfile);

        view.mouseSetVerticalScrollLines(1000);
        QCOMPARE(readFile(kdeglobals()),
                 QByteArray("[General]\nColorScheme=Breeze\nWheelScrollLines=7\n\n"
                            "[KDE]\nSingleClick=false\nDoubleClickInterval=200\n"
                            "WheelScrollLines=1000\n\n[WM]\nactiveBlend=1\n"));
    }

    void settingsNoBackendTakes()
    {
        // No KDE session and no kdeglobals: the wheel lines have nowhere to go.
        QFile::remove(kdeglobals());
        std::vector<std::unique_ptr<PointerBackend>> backends;
        backends.push_back(std::make_unique<GSettingsPointerBackend>());
        backends.push_back(std::make_unique<KdeGlobalsPointerBackend>(kdeglobals()));
        DesktopPointerSettings desktop(std::move(backends));
        TempDataFolder folder;
        myQQuickView view;
        view.setPointerSettings(&desktop);
        QTest::ignoreMessage(QtDebugMsg, "setVerticalScrollLines Failed");
        view.mouseSetVerticalScrollLines(3);
        QVERIFY(!QFile::exists(kdeglobals()));
        // A speed outside the scale is refused rather than clipped.
        QTest::ignoreMessage(QtDebugMsg, "setCursorSpeed Failed");
        view.mouseSetCursorSpeed(11);
        QCOMPARE(gnomeSpeed(), 1.0);

        // In a KDE session the file is created.
        qputenv("XDG_CURRENT_DESKTOP", "KDE");
        view.mouseSetVerticalScrollLines(3);
        qunsetenv("XDG_CURRENT_DESKTOP");
        QCOMPARE(readFile(kdeglobals()), QByteArray("[KDE]\nWheelScrollLines=3\n"));
    }

    void kdeFileEdits()
    {
        const QString path = configHome.filePath("edit-test");
        writeFile(path, "# comment\n[KDE]\nWheelScrollLines[$i]=3\n");
        QVERIFY(!setKdeConfigValue(path, "KDE", "WheelScrollLines", "5")); // locked
        writeFile(path, "[KDE][Other]\nWheelScrollLines=1\n[KDE]\n WheelScrollLines = 2\n");
        QVERIFY(setKdeConfigValue(path, "KDE", "WheelScrollLines", "5"));
        QCOMPARE(readFile(path),
                 QByteArray("[KDE][Other]\nWheelScrollLines=1\n[KDE]\nWheelScrollLines=5\n"));
        writeFile(path, "[General]\nA=1");
        QVERIFY(setKdeConfigValue(path, "KDE", "DoubleClickInterval", "550"));
        QCOMPARE(readFile(path), QByteArray("[General]\nA=1\n\n[KDE]\nDoubleClickInterval=550\n"));
    }

    void x11PointerControl()
    {
        if (qEnvironmentVariableIsEmpty("DISPLAY"))
            QSKIP("no X server");
        Display *display = XOpenDisplay(nullptr);
        if (!display)
            QSKIP("the X server cannot be reached");
        int numerator = 0, denominator = 0, threshold = 0;
        XGetPointerControl(display, &numerator, &denominator, &threshold);

        X11PointerBackend backend;
        QVERIFY(!backend.setMouseSpeed(0));
        QVERIFY(!backend.setMouseSpeed(21));
        QVERIFY(backend.setMouseSpeed(20));
        int n = 0, d = 0, t = 0;
        XGetPointerControl(display, &n, &d, &t);
        QCOMPARE(double(n) / d, 3.5);
        QCOMPARE(t, 1);
        QVERIFY(backend.setMouseSpeed(1));
        XGetPointerControl(display, &n, &d, &t);
        QCOMPARE(double(n) / d, 1.0 / 32);

        XChangePointerControl(display, True, True, numerator, denominator, threshold);
        XCloseDisplay(display);
    }
};

QTEST_MAIN(DesktopPointerTest)
#include "tst_desktoppointer.moc"
