// The data folder that ships beside the program: every file is read back through
// QSettings, exactly as the back end and the pages read it, and checked for the keys,
// list lengths and value ranges they rely on. A failure names the file and the key.
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>

namespace {

const QString dataDir = QStringLiteral(R770_DATA_SOURCE_DIR);

QString path(const QString &relative)
{
    return dataDir + QLatin1Char('/') + relative;
}

QByteArray bytesOf(const QString &file)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QStringList profileFiles()
{
    QStringList files{QStringLiteral("setting/pD.bin")};
    for (int i = 1; i <= 10; ++i)
        files << QStringLiteral("setting/p%1.bin").arg(i);
    return files;
}

// Collects every inconsistency so one run reports all of them, each with its place.
class Problems
{
public:
    explicit Problems(const QString &file) : file(file) {}
    void at(const QString &where) { file = where; }
    void add(const QString &key, const QString &what) { list << file + ": " + key + ": " + what; }
    bool isEmpty() const { return list.isEmpty(); }
    QString text() const { return list.join(QLatin1Char('\n')); }

private:
    QString file;
    QStringList list;
};

// A settings file read the way the back end reads it.
class Ini
{
public:
    Ini(const QString &relative, Problems &problems)
        : s(path(relative), QSettings::IniFormat), p(problems)
    {
        p.at(relative);
        if (!QFile::exists(path(relative)))
            p.add(QStringLiteral("-"), QStringLiteral("file missing"));
    }

    bool has(const QString &key) { return s.contains(key); }
    QVariant raw(const QString &key) { return s.value(key); }

    QString text(const QString &key)
    {
        const QVariant v = s.value(key);
        if (!v.isValid())
            p.add(key, QStringLiteral("missing"));
        else if (v.typeId() != QMetaType::QString)
            p.add(key, QStringLiteral("reads as a list, not as one text"));
        return v.toString();
    }

    int number(const QString &key, int min, int max)
    {
        const QString t = text(key);
        bool ok = false;
        const int n = t.toInt(&ok);
        if (!t.isNull() && (!ok || n < min || n > max))
            p.add(key, QStringLiteral("'%1' is not a number in %2..%3").arg(t).arg(min).arg(max));
        return ok ? n : min;
    }

    bool flag(const QString &key)
    {
        const QString t = text(key);
        if (!t.isNull() && t != QLatin1String("true") && t != QLatin1String("false"))
            p.add(key, QStringLiteral("'%1' is neither true nor false").arg(t));
        return t == QLatin1String("true");
    }

    QList<int> numbers(const QString &key, qsizetype count, int min, int max)
    {
        const QVariant v = s.value(key);
        const QStringList items = v.toStringList();
        if (!v.isValid() || v.typeId() != QMetaType::QStringList || items.size() != count) {
            p.add(key, QStringLiteral("not a list of %1 values").arg(count));
            return QList<int>(count, min);
        }
        QList<int> out;
        for (const QString &item : items) {
            bool ok = false;
            const int n = item.toInt(&ok);
            if (!ok || n < min || n > max)
                p.add(key,
                      QStringLiteral("element '%1' is not in %2..%3").arg(item).arg(min).arg(max));
            out << (ok ? n : min);
        }
        return out;
    }

private:
    QSettings s;
    Problems &p;
};

// What the DPI page shows for a stored stage value: the knob is placed from the value and
// the value is then recomputed from the knob (158 knob steps, lowered to the value step).
int dpiPageShows(int value, int minDpi, int maxDpi, int base)
{
    const double ratio = double(value - minDpi) / double(maxDpi - minDpi);
    const int knob = int(158 * ratio) + 4;
    const double raw = (knob - 3) * double(maxDpi - minDpi) / 158 + minDpi;
    return int(std::floor(raw / base)) * base;
}

// Whether the sensor's stage code stands for exactly this value on a "553" chip.
bool sensorEncodes(const QString &sensor, int d)
{
    static const QList<int> steps3050{250,  500,  750,  1000, 1250, 1500,
                                      1750, 2000, 2500, 3000, 3500, 4000};
    if (sensor == QLatin1String("3360"))
        return d % 100 == 0 && d >= 100 && d / 100 - 1 <= 255;
    if (sensor == QLatin1String("3327"))
        return d % 100 == 0 && d / 100 <= 255;
    if (sensor == QLatin1String("3389"))
        return d % 50 == 0 && d / 50 <= 255;
    if (sensor == QLatin1String("3050"))
        return steps3050.contains(d);
    if (sensor == QLatin1String("4090"))
        return d <= 5000 ? d % 100 == 0 && d >= 100 : d % 200 == 0 && d / 200 <= 0x3F;
    return false;
}

using Definition = QList<int>;

// The device form the firmware keeps for a page-form layout.
QList<Definition> deviceForm(const QList<Definition> &page, bool is560)
{
    static const QHash<int, int> deviceType{{0, 1}, {1, 10}, {2, 0}, {3, 3}, {4, 9},
                                            {5, 7}, {6, 0},  {7, 0}, {8, 8}, {0xFF, 4}};
    QList<Definition> dev;
    for (Definition d : page) {
        const int category = d[0];
        d[0] = deviceType.value(category, category);
        if (category == 0 && d[2] == 0x1E && d[3] == 2)
            d[0] = 10; // double fire
        if (category == 4)
            d[2] += 1; // the mouse counts macro slots from 1
        if (category == 5 && d[2] == 4)
            d = is560 ? Definition{11, 0, 3, 3} : Definition{7, 0, 4, 1}; // sniper
        if (category == 6 &&
            (((d[2] == 0x21 || d[2] == 0x23) && d[3] == 2) || (d[2] == 0x94 && d[3] == 1)))
            d[0] = 3; // consumer usages
        dev << d;
    }
    dev.swapItemsAt(3, 4); // device slots 3, 4, 5 hold page buttons 4, 5, 3
    dev.swapItemsAt(4, 5);
    dev[8] = Definition{0x0C, 0, 0, 0};
    return dev;
}

// Name lists drop a second element that is only the one-name marker.
QStringList withoutMarker(QStringList names)
{
    if (names.size() == 2 && names[1] == QLatin1String("loadermorvel"))
        names.removeLast();
    return names;
}

struct Traits
{
    bool isColorful = false;
    bool is55328 = false;
    int minDpi = 0, maxDpi = 1, dpiBase = 1;
    QString sensor;
    QString icType;
};

Traits readTraits()
{
    Problems ignored(QString{});
    Ini ap(QStringLiteral("setting/apConfig.bin"), ignored);
    Traits t;
    t.isColorful = ap.flag(QStringLiteral("mouse/isColorful"));
    t.is55328 = ap.flag(QStringLiteral("mouse/is55328"));
    t.minDpi = ap.number(QStringLiteral("mouse/minDPI"), 1, 100000);
    t.maxDpi = ap.number(QStringLiteral("mouse/maxDPI"), 1, 100000);
    t.dpiBase = std::max(1, ap.number(QStringLiteral("mouse/dpiBase"), 1, 100000));
    t.sensor = ap.text(QStringLiteral("mouse/sensorType"));
    t.icType = ap.text(QStringLiteral("mouse/icType"));
    return t;
}

QStringList gunNames()
{
    QSettings guns(path(QStringLiteral("gun/gunData.bin")), QSettings::IniFormat);
    QStringList names;
    for (int row = 0;; ++row) {
        const QStringList record = guns.value(QStringLiteral("gunData/%1").arg(row)).toStringList();
        if (record.isEmpty())
            return names;
        names << record.first();
    }
}

// The sixteen button definitions of both hand layouts and the firmware defaults.
void checkKeyMatrices(Ini &ini, Problems &p, bool is560)
{
    QSet<QString> macros;
    for (const QString &name : QDir(path(QStringLiteral("macro"))).entryList({"*.bin"}))
        macros << name.chopped(4);
    for (const QString &group :
         {QStringLiteral("mouseKeyMatrix/"), QStringLiteral("mouseKeyMatrix0/")}) {
        int leftButtons = 0;
        for (int n = 0; n < 16; ++n) {
            const QString key = group + QString::number(n);
            const Definition d = ini.numbers(key, 4, 0, 255);
            const bool known = (d[0] >= 0 && d[0] <= 8) || d[0] == 0xFF;
            if (!known)
                p.add(key, QStringLiteral("unknown category %1").arg(d[0]));
            if (d[0] == 0 && d[2] == 0xF0)
                ++leftButtons;
            if (d[0] == 0 && !QList<int>{0, 0xF0, 0xF1, 0xF2, 0xF3, 0xF4, 0x1E}.contains(d[2]))
                p.add(key, QStringLiteral("unknown mouse function"));
            if ((d[0] == 5 && (d[2] < 1 || d[2] > 4)) || (d[0] == 8 && (d[2] < 1 || d[2] > 3)))
                p.add(key, QStringLiteral("DPI or gun function out of range"));
            if (d[0] == 4) {
                const QString bound = QStringLiteral("mouseMacroKey/%1").arg(d[2]);
                if (!macros.contains(ini.raw(bound).toString()))
                    p.add(bound, QStringLiteral("button %1 uses a macro without a file").arg(n));
            }
        }
        if (leftButtons == 0)
            p.add(group, QStringLiteral("no button keeps the left click"));
    }

    // The firmware defaults are the factory layout in the form the mouse stores.
    Problems ignored(QString{});
    Ini factory(QStringLiteral("setting/pD.bin"), ignored);
    QList<Definition> page;
    for (int n = 0; n < 16; ++n)
        page << factory.numbers(QStringLiteral("mouseKeyMatrix/%1").arg(n), 4, 0, 255);
    const QList<Definition> expected = deviceForm(page, is560);
    for (int n = 0; n < 16; ++n) {
        const QString key = QStringLiteral("mouseFwKeyMatrix/%1").arg(n);
        const Definition d = ini.numbers(key, 4, 0, 255);
        if (d != expected[n])
            p.add(key, QStringLiteral("differs from the factory layout in device form"));
    }
}

} // namespace

class TstShippedData : public QObject
{
    Q_OBJECT

private slots:
    void pristineConfigIsIdentical();
    void deviceTableAndTraits();
    void deviceTableFollowsReference();
    void profilesHoldEveryKeyInRange();
    void profilesStartAsTheDefault();
    void nameListsAndGunRecords();
    void languageFiles();
    void settingFilesAreInQSettingsOwnForm();
};

void TstShippedData::pristineConfigIsIdentical()
{
    const QByteArray current = bytesOf(path(QStringLiteral("setting/apConfig.bin")));
    QVERIFY2(!current.isEmpty(), "setting/apConfig.bin missing or empty");
    QVERIFY2(current == bytesOf(path(QStringLiteral("setting/apConfigD.bin"))),
             "setting/apConfigD.bin differs from setting/apConfig.bin");
}

void TstShippedData::deviceTableAndTraits()
{
    Problems p(QString{});
    Ini ap(QStringLiteral("setting/apConfig.bin"), p);

    const int count = ap.number(QStringLiteral("common/deviceCount"), 1, 16);
    int mice = 0;
    for (int i = 0; i < count; ++i) {
        const QString g = QString::number(i) + QLatin1Char('/');
        const auto hex = [&](const char *name) {
            const QString key = g + QLatin1String(name);
            bool ok = false;
            const uint v = ap.text(key).toUInt(&ok, 16);
            if (!ok || v == 0 || v > 0xFFFF)
                p.add(key, QStringLiteral("not a 16-bit hexadecimal id"));
            return v;
        };
        const uint type = ap.text(g + "type").toUInt(nullptr, 16);
        if (type > 1)
            p.add(g + "type", QStringLiteral("neither 0 (keyboard) nor 1 (mouse)"));
        mice += type == 1 ? 1 : 0;
        hex("vid");
        hex("pid");
        const uint page1 = hex("usagePage"), usage1 = hex("usage");
        const uint page2 = hex("usagePage2"), usage2 = hex("usage2");
        if (page1 == page2 && usage1 == usage2)
            p.add(g + "usagePage2", QStringLiteral("notification interface equals the command "
                                                   "interface"));
        ap.number(g + "reportLength", 8, 64);
        const bool encoded = ap.flag(g + "isEncode");
        const QString code = ap.text(g + "sCode");
        if (encoded && (code.size() != 6 || code.toLatin1().size() != 6))
            p.add(g + "sCode", QStringLiteral("a scrambled device needs six Latin-1 characters"));
    }
    if (mice != 1)
        p.add(QStringLiteral("common/deviceCount"), QStringLiteral("%1 mouse entries").arg(mice));

    if (ap.text(QStringLiteral("common/name")).isEmpty())
        p.add(QStringLiteral("common/name"), QStringLiteral("empty window title"));
    const QString language = ap.text(QStringLiteral("common/language"));
    if (!QFile::exists(path(QStringLiteral("i18n/%1.ini").arg(language))))
        p.add(QStringLiteral("common/language"),
              QStringLiteral("no file i18n/%1.ini").arg(language));
    if (!ap.text(QStringLiteral("common/url")).startsWith(QLatin1String("http")))
        p.add(QStringLiteral("common/url"), QStringLiteral("not a web address"));

    ap.flag(QStringLiteral("mouse/isColorful"));
    ap.flag(QStringLiteral("mouse/isGun"));
    ap.flag(QStringLiteral("mouse/is55328"));
    if (ap.text(QStringLiteral("mouse/icType")).isEmpty())
        p.add(QStringLiteral("mouse/icType"), QStringLiteral("empty chip type"));
    ap.number(QStringLiteral("mouse/keyCount"), 1, 8); // the mouse picture has eight badges
    ap.number(QStringLiteral("mouse/profileNo"), 0, 5);

    const Traits t = readTraits();
    if (t.minDpi >= t.maxDpi)
        p.add(QStringLiteral("mouse/maxDPI"), QStringLiteral("not above mouse/minDPI"));
    if (t.minDpi % t.dpiBase != 0)
        p.add(QStringLiteral("mouse/minDPI"), QStringLiteral("not a multiple of mouse/dpiBase"));
    // One knob step of the DPI page must be finer than the value step, otherwise stored
    // values come back lowered by a step.
    const double knobStep = double(t.maxDpi - t.minDpi) / 158;
    if (knobStep >= t.dpiBase)
        p.add(QStringLiteral("mouse/dpiBase"),
              QStringLiteral("not above one DPI knob step (%1)").arg(knobStep));
    for (int v = t.minDpi; v <= t.maxDpi; v += t.dpiBase) {
        if (!sensorEncodes(t.sensor, v)) {
            p.add(QStringLiteral("mouse/sensorType"),
                  QStringLiteral("sensor '%1' cannot encode %2, a value the DPI page offers")
                      .arg(t.sensor)
                      .arg(v));
            break;
        }
    }

    const QList<int> chosen = ap.numbers(QStringLiteral("mouse/selectGun"), 3, 0, 99);
    for (int row : chosen) {
        if (row >= gunNames().size())
            p.add(QStringLiteral("mouse/selectGun"), QStringLiteral("no gun record %1").arg(row));
    }
    QVERIFY2(p.isEmpty(), qPrintable(p.text()));
}

// The reference table compiled into the program, and the shipped device groups
// agreeing with it: a real mouse answers plain frames with the default code.
void TstShippedData::deviceTableFollowsReference()
{
    QFile resource(QStringLiteral(":/DevInfo.ini"));
    QVERIFY(resource.open(QIODevice::ReadOnly | QIODevice::Text));
    QCOMPARE(resource.readLine().trimmed(), QByteArray("; type 0: Keyboard, type 1: Mouse"));
    QSettings ref(resource.fileName(), QSettings::IniFormat);
    QCOMPARE(ref.value("common/isEncode").toString(), QStringLiteral("false"));
    QCOMPARE(ref.value("common/total").toInt(), 2);
    QCOMPARE(ref.value("1/pid").toString(), QStringLiteral("a1ee"));

    QSettings ap(path(QStringLiteral("setting/apConfig.bin")), QSettings::IniFormat);
    QCOMPARE(ap.value("common/deviceCount").toInt(), 2);
    for (const char *group : {"0", "1"}) {
        const QString g = QLatin1String(group) + QLatin1Char('/');
        for (const char *key :
             {"type", "vid", "pid", "usagePage", "usage", "usagePage2", "usage2", "reportLength"})
            QVERIFY2(ap.value(g + key) == ref.value(g + key), qPrintable(g + key));
        QCOMPARE(ap.value(g + "isEncode").toString(), QStringLiteral("false"));
        QCOMPARE(ap.value(g + "sCode", QStringLiteral("274915")).toString(),
                 QStringLiteral("274915"));
    }
}

void TstShippedData::profilesHoldEveryKeyInRange()
{
    const Traits t = readTraits();
    const int effects = 4 + (t.isColorful ? 7 : 0) + (t.is55328 ? 1 : 0);
    Problems p(QString{});
    for (const QString &file : profileFiles()) {
        Ini ini(file, p);
        const int stages = ini.number(QStringLiteral("mouse/dpiCount"), 1, 8);
        ini.number(QStringLiteral("mouse/currentDpiCount"), 1, stages);
        const QString dpiKey = QStringLiteral("mouse/dpiValueArray");
        for (int v : ini.numbers(dpiKey, 8, t.minDpi, t.maxDpi)) {
            if (v % t.dpiBase != 0 || dpiPageShows(v, t.minDpi, t.maxDpi, t.dpiBase) != v)
                p.add(dpiKey, QStringLiteral("%1 shows as %2 on the DPI page")
                                  .arg(v)
                                  .arg(dpiPageShows(v, t.minDpi, t.maxDpi, t.dpiBase)));
            if (!sensorEncodes(t.sensor, v))
                p.add(dpiKey, QStringLiteral("sensor '%1' cannot encode %2").arg(t.sensor).arg(v));
        }
        ini.number(QStringLiteral("mouse/reportRate"), 0, 3);
        ini.number(QStringLiteral("mouse/lod"), 3, 89);
        ini.flag(QStringLiteral("mouse/lodEn"));
        const QList<int> light = ini.numbers(QStringLiteral("mouse/lightValue"), 3, 0, 255);
        if (light[0] >= effects || light[1] > 4 || light[2] > 4)
            p.add(QStringLiteral("mouse/lightValue"),
                  QStringLiteral("not an effect below %1, speed and brightness steps 0..4")
                      .arg(effects));
        ini.numbers(QStringLiteral("mouse/colorValue"), 24, 0, 255);
        ini.number(QStringLiteral("mouse/mouseRate"), 3, 337);
        ini.number(QStringLiteral("mouse/doubleRate"), 3, 337);
        const int lines = ini.number(QStringLiteral("mouse/scrollRate"), 1, 1000);
        if (lines > 100 && lines != 1000)
            p.add(QStringLiteral("mouse/scrollRate"), QStringLiteral("neither 1..100 nor 1000"));
        ini.number(QStringLiteral("XYSensitive/0"), 0, 255);
        ini.number(QStringLiteral("XYSensitive/1"), 0, 255);
        for (int slot = 0; slot < 3; ++slot) {
            const QString key = QStringLiteral("selectGun/%1").arg(slot);
            if (!gunNames().contains(ini.text(key)))
                p.add(key, QStringLiteral("names no gun record"));
        }
        checkKeyMatrices(ini, p, t.icType == QLatin1String("560"));
    }
    QVERIFY2(p.isEmpty(), qPrintable(p.text()));
}

void TstShippedData::profilesStartAsTheDefault()
{
    const QByteArray factory = bytesOf(path(QStringLiteral("setting/pD.bin")));
    for (const QString &file : profileFiles())
        QVERIFY2(bytesOf(path(file)) == factory,
                 qPrintable(file + ": differs from setting/pD.bin"));
}

void TstShippedData::nameListsAndGunRecords()
{
    Problems p(QString{});
    {
        Ini guns(QStringLiteral("gun/gunData.bin"), p);
        const QStringList keys =
            QSettings(path(QStringLiteral("gun/gunData.bin")), QSettings::IniFormat).allKeys();
        if (keys.size() != 6) // the gun panel reads rows 0..5
            p.add(QStringLiteral("gunData"), QStringLiteral("%1 records, not 6").arg(keys.size()));
        QSet<QString> names;
        for (int row = 0; row < 6; ++row) {
            const QString key = QStringLiteral("gunData/%1").arg(row);
            const QStringList r = guns.raw(key).toStringList();
            if (r.size() != 6) {
                p.add(key, QStringLiteral("not name, key, period, x, y, times"));
                continue;
            }
            const auto in = [&](int i, int min, int max) {
                bool ok = false;
                const int v = r[i].toInt(&ok);
                if (!ok || v < min || v > max)
                    p.add(key, QStringLiteral("element %1 '%2' not in %3..%4")
                                   .arg(i)
                                   .arg(r[i])
                                   .arg(min)
                                   .arg(max));
            };
            if (r[0].isEmpty() || names.contains(r[0]))
                p.add(key, QStringLiteral("empty or repeated name"));
            names << r[0];
            if (r[1].isEmpty())
                p.add(key, QStringLiteral("no fire button"));
            in(2, 4, 90); // the rate knob offers 4..90 ms
            in(3, 0, 64);
            in(4, 0, 64);
            in(5, 0, 255);
        }
    }

    Ini names(QStringLiteral("setting/name.bin"), p);
    const QStringList profiles =
        withoutMarker(names.raw(QStringLiteral("profile/profileName")).toStringList());
    if (profiles.isEmpty() || profiles.size() > 6)
        p.add(QStringLiteral("profile/profileName"), QStringLiteral("not 1..6 profiles"));
    QSet<QChar> numbers;
    for (const QString &row : profiles) {
        if (row.size() < 2 || row.back() < QLatin1Char('0') || row.back() > QLatin1Char('5') ||
            numbers.contains(row.back()))
            p.add(QStringLiteral("profile/profileName"),
                  QStringLiteral("'%1' lacks its own profile digit").arg(row));
        numbers << row.back();
    }
    if (!profiles.isEmpty() && !profiles.first().endsWith(QLatin1Char('0')))
        p.add(QStringLiteral("profile/profileName"), QStringLiteral("first row is not profile 0"));
    Problems ignored(QString{});
    const int active = Ini(QStringLiteral("setting/apConfig.bin"), ignored)
                           .number(QStringLiteral("mouse/profileNo"), 0, 5);
    if (!numbers.contains(QChar(u'0' + active)))
        p.add(QStringLiteral("profile/profileName"), QStringLiteral("no row for mouse/profileNo"));

    // An empty list is stored as no key at all; every listed macro has its file.
    if (names.has(QStringLiteral("macro/macroName"))) {
        const QStringList macros =
            withoutMarker(names.raw(QStringLiteral("macro/macroName")).toStringList());
        if (macros.isEmpty())
            p.add(QStringLiteral("macro/macroName"), QStringLiteral("empty list kept as a key"));
        for (const QString &m : macros) {
            if (!QFile::exists(path(QStringLiteral("macro/%1.bin").arg(m))))
                p.add(QStringLiteral("macro/macroName"), QStringLiteral("no file for '%1'").arg(m));
        }
    }
    if (names.has(QStringLiteral("gun/gunName")) &&
        withoutMarker(names.raw(QStringLiteral("gun/gunName")).toStringList()) != gunNames())
        p.add(QStringLiteral("gun/gunName"), QStringLiteral("differs from the gun records"));
    if (names.has(QStringLiteral("gun/selectGun")) &&
        names.raw(QStringLiteral("gun/selectGun")) !=
            QSettings(path(QStringLiteral("setting/apConfig.bin")), QSettings::IniFormat)
                .value(QStringLiteral("mouse/selectGun")))
        p.add(QStringLiteral("gun/selectGun"), QStringLiteral("differs from mouse/selectGun"));
    QVERIFY2(p.isEmpty(), qPrintable(p.text()));
}

void TstShippedData::languageFiles()
{
    // Group and length of every text array of the pages; positions are fixed.
    const QList<std::pair<QString, int>> groups{
        {"main", 15},         {"keyMatrix", 5},    {"keyAssigment", 60},  {"dpiSetting", 1},
        {"lightControl", 20}, {"macroEditor", 20}, {"systemSetting", 15}, {"gunControl", 10},
        {"profile", 20},      {"keyCode", 133},    {"other", 8}};
    const QStringList files = QDir(path(QStringLiteral("i18n"))).entryList({"*.ini"});
    QVERIFY2(files.contains("English.ini") && files.contains("ChineseSimplified.ini"),
             "i18n: English.ini or ChineseSimplified.ini missing");

    Problems p(QString{});
    QHash<QString, QStringList> english;
    for (const QString &name : files) {
        Ini ini(QStringLiteral("i18n/") + name, p);
        QSettings raw(path(QStringLiteral("i18n/") + name), QSettings::IniFormat);
        QHash<QString, QStringList> texts;
        for (const auto &[group, size] : groups) {
            const int total = ini.number(group + QStringLiteral("/total"), size, size);
            raw.beginGroup(group);
            if (raw.childKeys().size() != total + 1)
                p.add(group, QStringLiteral("keys beyond 0..total-1"));
            raw.endGroup();
            for (int i = 0; i < total; ++i)
                texts[group] << ini.text(group + QLatin1Char('/') + QString::number(i));
        }
        for (const QString &t : texts["other"]) {
            if (t.isEmpty())
                p.add(QStringLiteral("other"), QStringLiteral("empty DPI-switch text"));
        }
        for (qsizetype i = 0; i < texts["keyCode"].size(); ++i) {
            if (texts["keyCode"][i].isEmpty())
                p.add(QStringLiteral("keyCode/%1").arg(i), QStringLiteral("key without a name"));
        }
        // Prefixes joined with a number keep their blank.
        if (!texts["keyAssigment"].value(0).endsWith(QLatin1Char(' ')))
            p.add(QStringLiteral("keyAssigment/0"), QStringLiteral("lost its trailing blank"));
        if (name == QLatin1String("English.ini"))
            english = texts;
        else if (name == QLatin1String("ChineseSimplified.ini") &&
                 !texts["main"].value(0).contains(
                     QRegularExpression(QStringLiteral("[\u4e00-\u9fff]"))))
            p.add(QStringLiteral("main/0"), QStringLiteral("no Chinese text"));
    }

    // Every language fills the same positions, and shares the key names: macro files store
    // events by key name, so a recording must decode whatever the language.
    for (const QString &name : files) {
        p.at(QStringLiteral("i18n/") + name);
        QSettings other(path(QStringLiteral("i18n/") + name), QSettings::IniFormat);
        for (const auto &[group, size] : groups) {
            for (int i = 0; i < english[group].size(); ++i) {
                const QString key = group + QLatin1Char('/') + QString::number(i);
                const QString t = other.value(key).toString();
                if (t.isEmpty() != english[group][i].isEmpty())
                    p.add(key, QStringLiteral("empty in one language only"));
                if (group == QLatin1String("keyCode") && t != english[group][i])
                    p.add(key, QStringLiteral("key name differs from English.ini"));
            }
        }
    }
    // Names that INI text must quote or escape come back as the keys they name.
    const QList<std::pair<int, QString>> escaped{{0x2E, "="}, {0x31, "\\"}, {0x33, ";"},
                                                 {0x35, "`"}, {0x36, ","},  {0x67, "KP="}};
    p.at(QStringLiteral("i18n/English.ini"));
    for (const auto &[code, text] : escaped) {
        if (english["keyCode"].value(code - 4) != text)
            p.add(QStringLiteral("keyCode/%1").arg(code - 4), QStringLiteral("not '%1'").arg(text));
    }
    QVERIFY2(p.isEmpty(), qPrintable(p.text()));
}

void TstShippedData::settingFilesAreInQSettingsOwnForm()
{
    // The program rewrites these files through QSettings; shipped in its own form, a
    // rewrite changes only the keys written and drops no comment or layout.
    QTemporaryDir tmp;
    QVERIFY(tmp.isValid());
    QStringList files = profileFiles();
    files << "setting/apConfig.bin"
          << "setting/name.bin"
          << "gun/gunData.bin";
    for (const QString &file : files) {
        const QString copy = tmp.filePath(QFileInfo(file).fileName());
        QVERIFY(QFile::copy(path(file), copy));
        {
            QSettings s(copy, QSettings::IniFormat);
            const QString key = s.allKeys().value(0);
            const QVariant value = s.value(key);
            s.setValue(key, QStringLiteral("changed"));
            s.sync();
            s.setValue(key, value);
        }
        // QSettings ends lines the platform's way; compare the text, not the line ends.
        const auto text = [](QByteArray b) { return b.replace("\r\n", "\n"); };
        QVERIFY2(text(bytesOf(copy)) == text(bytesOf(path(file))),
                 qPrintable(file + ": QSettings rewrites it differently"));
    }
}

QTEST_GUILESS_MAIN(TstShippedData)
#include "tst_shippeddata.moc"
