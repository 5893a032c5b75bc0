#include "FuzzBackend.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSettings>

#include <cstdlib>

namespace {

// The keys of the settings files: global ones in apConfig, the rest per profile.
const char *const settingKeys[] = {
    "common/deviceCount", "common/language",       "common/name",      "common/url",
    "mouse/colorValue",   "mouse/currentDpiCount", "mouse/doubleRate", "mouse/dpiBase",
    "mouse/dpiCount",     "mouse/dpiValueArray",   "mouse/icType",     "mouse/is55328",
    "mouse/isColorful",   "mouse/isGun",           "mouse/keyCount",   "mouse/lightValue",
    "mouse/lod",          "mouse/lodEn",           "mouse/maxDPI",     "mouse/minDPI",
    "mouse/mouseRate",    "mouse/profileNo",       "mouse/reportRate", "mouse/scrollRate",
    "mouse/selectGun",    "mouse/sensorType",
};

uchar byteOf(const QVariant &value)
{
    return static_cast<uchar>(value.toInt());
}

} // namespace

void FuzzBackend::ensureApplication()
{
    static QApplication *app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        qputenv("QT_QUICK_BACKEND", "software");
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
        static int argc = 1;
        static char name[] = "fuzz";
        static char *argv[] = {name, nullptr};
        return new QApplication(argc, argv);
    }();
    Q_UNUSED(app);
}

QByteArray FuzzBackend::shipped(const QString &relative)
{
    static QHash<QString, QByteArray> cache;
    auto it = cache.find(relative);
    if (it == cache.end()) {
        QFile f(QStringLiteral(R770_DATA_SOURCE_DIR "/") + relative);
        it = cache.insert(relative, f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray());
    }
    return *it;
}

QByteArray FuzzBackend::bytes(const uint8_t *data, size_t size)
{
    return QByteArray(reinterpret_cast<const char *>(data), qsizetype(size));
}

FuzzFolder::FuzzFolder() : previous(QDir::currentPath())
{
    // In memory where the system offers it: each input creates, writes and
    // removes a folder, which on a disk costs far more than the input itself.
    static QTemporaryDir root = QFileInfo(QStringLiteral("/dev/shm")).isWritable()
                                    ? QTemporaryDir(QStringLiteral("/dev/shm/r770fuzz-XXXXXX"))
                                    : QTemporaryDir();
    static quint64 count = 0;
    dir = root.path() + QLatin1Char('/') + QString::number(++count);
    for (const char *sub : {"setting", "macro", "gun", "i18n", "img"})
        QDir().mkpath(dir + QStringLiteral("/modules/") + QLatin1String(sub));
    QDir::setCurrent(dir);
}

FuzzFolder::~FuzzFolder()
{
    QDir::setCurrent(previous);
    QDir(dir).removeRecursively();
}

QString FuzzFolder::path(const QString &relative) const
{
    return dir + QStringLiteral("/modules/") + relative;
}

FuzzFolder &FuzzFolder::shared(std::initializer_list<const char *> shippedFiles)
{
    static FuzzFolder folder;
    static const bool shipped = [&] {
        for (const char *file : shippedFiles)
            folder.ship(QLatin1String(file));
        QDir::setCurrent(folder.previous);
        return true;
    }();
    Q_UNUSED(shipped);
    return folder;
}

FuzzFolder::Inside::Inside(const FuzzFolder &folder) : previous(QDir::currentPath())
{
    QDir::setCurrent(folder.dir);
}

FuzzFolder::Inside::~Inside()
{
    QDir::setCurrent(previous);
}

void FuzzFolder::write(const QString &relative, const QByteArray &content) const
{
    // Whole seconds from 2001 on: never the time of a write the back end made.
    static qint64 stamp = 978307200;
    QFile f(path(relative));
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        f.write(content);
        // The data first: what is still buffered would be written on close,
        // and that write would set the time to now.
        f.flush();
        f.setFileTime(QDateTime::fromSecsSinceEpoch(++stamp, Qt::UTC),
                      QFileDevice::FileModificationTime);
    }
}

void FuzzFolder::remove(const QString &relative) const
{
    QFile::remove(path(relative));
}

namespace {

// A mouse of the chip family the settings name, as a real one would be.
VirtualMouseConfig mouseFor(const QString &apConfig)
{
    VirtualMouseConfig config;
    if (QSettings(apConfig, QSettings::IniFormat)
            .value(QStringLiteral("mouse/icType"))
            .toString() == QLatin1String("560"))
        config.chipType = QStringLiteral("560");
    return config;
}

} // namespace

FuzzView::FuzzView() : link(mouseFor(QStringLiteral("./modules/setting/apConfig.bin")))
{
    FuzzBackend::ensureApplication();
    view = std::make_unique<myQQuickView>();
    view->setFileDialogs(&dialogs);
    view->setHidLink(&link.link);
    link.observer.setChipType(view->chipType());
    if (!link.connectMouse())
        std::abort();
}

FuzzView::~FuzzView()
{
    // Pending settings are written while the folder still exists.
    view.reset();
}

void FuzzView::forgetTraffic()
{
    link.reset();
    link.observer.clear();
}

void FuzzView::readAsPages()
{
    myQQuickView &v = *view;
    for (const char *key : settingKeys) {
        const QString k = QLatin1String(key);
        v.getData(k);
        v.getData(k, true);
        v.getDataList(k);
        v.getGlobalData(k);
    }
    QVariantList matrix;
    for (int n = 0; n < 16; ++n) {
        matrix += v.mouseGetKeydefine(n, false);
        v.mouseGetKeydefine(n, true);
        v.getData(QStringLiteral("mouseMacroKey/%1").arg(n));
    }
    for (int n = 0; n < 4; ++n) {
        v.getXYSensitive(n);
        v.getselectGun(n);
    }
    for (int type = 0; type < 4; ++type)
        v.getNameList(type);
    v.GetKeyboardoption();
    v.mouseReadCurrentProfile();

    // What the pages send from these values.
    v.mouseSetKeyMatrix(matrix, true, v.getGlobalData(QStringLiteral("mouse/selectGun")).toList());
    v.mouseSetDpi(v.getData(QStringLiteral("mouse/dpiCount")).toInt(),
                  v.getGlobalData(QStringLiteral("mouse/sensorType")).toString(),
                  v.getDataList(QStringLiteral("mouse/dpiValueArray")));
    v.mouseSetMaxDpi(v.getData(QStringLiteral("mouse/dpiCount")).toInt());
    v.mouseSetCurrentDPI(byteOf(v.getData(QStringLiteral("mouse/currentDpiCount"))));
    v.mouseSetReportRate(byteOf(v.getData(QStringLiteral("mouse/reportRate"))));
    v.mouseSetLod(byteOf(v.getData(QStringLiteral("mouse/lod"))),
                  byteOf(v.getData(QStringLiteral("mouse/lodEn"))));
    const QVariantList light = v.getDataList(QStringLiteral("mouse/lightValue"));
    v.mouseSetRGBEffect(byteOf(light.value(0)), byteOf(light.value(1)), byteOf(light.value(2)));
    v.mouseSetRGBColor(byteOf(light.value(3)), v.getDataList(QStringLiteral("mouse/colorValue")));
    v.mouseSwitchKeyMatrix(v.getGlobalData(QStringLiteral("mouse/profileNo")).toInt() + 1);
    v.setCurrentProfile(v.getGlobalData(QStringLiteral("mouse/profileNo")).toInt());
    const QVariantList macros = v.getNameList(0);
    if (!macros.isEmpty())
        v.deleteMacroUpdateProfile(macros.first());
    v.copyProfile(1, 0);
    if (!link.link.isHidFree())
        std::abort();
}
