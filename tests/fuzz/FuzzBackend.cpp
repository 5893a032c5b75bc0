#include "FuzzBackend.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSettings>
#include <QTemporaryDir>

#include <chrono>
#include <cstdlib>
#include <filesystem>

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

// The folders of a data folder.
const QStringList &dataFolders()
{
    static const QStringList names = {QStringLiteral("gun"), QStringLiteral("i18n"),
                                      QStringLiteral("img"), QStringLiteral("macro"),
                                      QStringLiteral("setting")};
    return names;
}

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

FuzzFolder::FuzzFolder()
{
    // In memory where the system offers it: each input restores files, which
    // on a disk costs far more than the input itself.
    static QTemporaryDir root = QFileInfo(QStringLiteral("/dev/shm")).isWritable()
                                    ? QTemporaryDir(QStringLiteral("/dev/shm/r770fuzz-XXXXXX"))
                                    : QTemporaryDir();
    dir = root.path();
}

FuzzFolder &FuzzFolder::shared(std::initializer_list<const char *> shippedFiles)
{
    static FuzzFolder folder;
    static const bool shipped = [&] {
        for (const char *file : shippedFiles)
            folder.shippedFiles.append(QLatin1String(file));
        folder.shippedFiles.sort();
        folder.modules = folder.path(QString()).toStdString();
        for (const QString &sub : dataFolders()) {
            QDir().mkpath(folder.path(sub));
            folder.folders.push_back(folder.path(sub).toStdString());
        }
        for (const QString &file : std::as_const(folder.shippedFiles))
            folder.shippedPaths.push_back(folder.path(file).toStdString());
        return true;
    }();
    Q_UNUSED(shipped);
    return folder;
}

QString FuzzFolder::path(const QString &relative) const
{
    return dir + QStringLiteral("/modules/") + relative;
}

FuzzFolder::Input::Input(FuzzFolder &folder, const QString &relative, const QByteArray &content)
    : previous(QDir::currentPath())
{
    folder.restore(relative);
    folder.write(relative, content);
    QDir::setCurrent(folder.dir);
}

FuzzFolder::Input::~Input()
{
    QDir::setCurrent(previous);
}

void FuzzFolder::write(const QString &relative, const QByteArray &content)
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
    f.close();
    std::error_code error;
    const std::filesystem::path file = f.fileName().toStdString();
    written.insert(relative, {std::filesystem::file_size(file, error),
                              std::filesystem::last_write_time(file, error), false});
    Q_ASSERT(QFileInfo(f.fileName()).lastModified() == QDateTime::fromSecsSinceEpoch(stamp));
}

void FuzzFolder::ship(const QString &relative)
{
    write(relative, FuzzBackend::shipped(relative));
    written[relative].asShipped = true;
}

void FuzzFolder::restore(const QString &inputFile)
{
    namespace fs = std::filesystem;
    std::error_code error;
    // The folders carry a time of the folder's own too. Adding, removing or
    // renaming an entry sets a folder's time to now, so only the folders whose
    // time moved can hold what the last input left, and only those are read.
    static const fs::file_time_type folderTime = std::chrono::file_clock::from_sys(
        std::chrono::sys_seconds(std::chrono::seconds(978307200)));
    const auto moved = [&](const fs::path &folder) {
        return fs::last_write_time(folder, error) != folderTime;
    };
    if (moved(modules)) {
        for (const fs::directory_entry &entry : fs::directory_iterator(modules, error)) {
            const QString name = QString::fromStdString(entry.path().filename().string());
            if (!entry.is_directory(error)) {
                if (name != inputFile && !shippedFiles.contains(name))
                    fs::remove(entry.path(), error);
            } else if (!dataFolders().contains(name)) {
                fs::remove_all(entry.path(), error);
            }
        }
        for (const fs::path &folder : folders)
            fs::create_directory(folder, error);
    }
    for (size_t n = 0; n < folders.size(); ++n) {
        if (!moved(folders[n]))
            continue;
        for (const fs::directory_entry &entry : fs::directory_iterator(folders[n], error)) {
            const QString relative = dataFolders()[qsizetype(n)] + QLatin1Char('/') +
                                     QString::fromStdString(entry.path().filename().string());
            if (entry.is_directory(error))
                fs::remove_all(entry.path(), error);
            else if (relative != inputFile && !shippedFiles.contains(relative))
                fs::remove(entry.path(), error);
        }
    }
    // A shipped file is written again unless it is still the folder's copy.
    for (qsizetype n = 0; n < shippedFiles.size(); ++n) {
        if (shippedFiles[n] == inputFile)
            continue;
        const auto it = written.constFind(shippedFiles[n]);
        const fs::path &file = shippedPaths[size_t(n)];
        if (it == written.cend() || !it->asShipped || fs::file_size(file, error) != it->size ||
            fs::last_write_time(file, error) != it->time)
            ship(shippedFiles[n]);
    }
    // Last, since a shipped file written where the last input had removed or
    // replaced it moves its folder's time again.
    if (moved(modules))
        fs::last_write_time(modules, folderTime, error);
    for (const fs::path &folder : folders) {
        if (moved(folder))
            fs::last_write_time(folder, folderTime, error);
    }
    Q_ASSERT(isShipped(inputFile));
}

bool FuzzFolder::isShipped(const QString &inputFile) const
{
    const QString root = path(QString());
    QStringList found;
    QDirIterator files(root, QDir::Files | QDir::Hidden | QDir::System,
                       QDirIterator::Subdirectories);
    while (files.hasNext())
        found.append(files.next().mid(root.size()));
    found.removeAll(inputFile);
    found.sort();
    QStringList expected = shippedFiles;
    expected.removeAll(inputFile);
    if (found != expected)
        return false;
    for (const QString &relative : std::as_const(expected)) {
        QFile f(path(relative));
        if (!f.open(QIODevice::ReadOnly) || f.readAll() != FuzzBackend::shipped(relative))
            return false;
    }
    return QDir(root).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name) ==
           dataFolders();
}

namespace {

// The run's link to a mouse of each chip family, connected as detection
// does, with the firmware as the connection left it.
struct FamilyLink
{
    explicit FamilyLink(bool chip560)
        : fixture(chip560 ? VirtualMouseConfig{.chipType = QStringLiteral("560")}
                          : VirtualMouseConfig{})
    {
        if (!fixture.connectMouse())
            std::abort();
        connected = fixture.mouse.firmwareState();
    }
    LinkFixture fixture;
    FirmwareState connected;
};

FamilyLink &familyOf(const QString &chipType)
{
    // Never destroyed: the process ends with them.
    static FamilyLink &link553 = *new FamilyLink(false);
    static FamilyLink &link560 = *new FamilyLink(true);
    return chipType == QLatin1String("560") ? link560 : link553;
}

std::unique_ptr<myQQuickView> newView()
{
    FuzzBackend::ensureApplication();
    return std::make_unique<myQQuickView>();
}

} // namespace

FuzzView::FuzzView() : view(newView()), link(familyOf(view->chipType()).fixture)
{
    view->setFileDialogs(&dialogs);
    view->setHidLink(&link.link);
    forgetTraffic();
}

FuzzView::~FuzzView()
{
    // Pending settings are written while the folder is the input's.
    view.reset();
}

void FuzzView::forgetTraffic()
{
    // Every input ends with the link free (readAsPages checks), so the link
    // is as connecting left it once the firmware is too.
    if (!link.link.isHidFree())
        std::abort();
    link.mouse.setFirmwareState(familyOf(link.mouse.config().chipType).connected);
    link.reset();
    link.observer.clear();
    link.observer.setChipType(view->chipType());
}

FuzzImport::FuzzImport(std::initializer_list<const char *> shippedFiles, const QString &file,
                       const uint8_t *data, size_t size)
    : folder(FuzzFolder::shared(shippedFiles)), input(folder, file, FuzzBackend::bytes(data, size)),
      path(folder.path(file))
{
    fuzz = std::make_unique<FuzzView>();
    fuzz->dialogs.answer = path;
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
