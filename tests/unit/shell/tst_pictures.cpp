// The compiled-in pictures: every path the screens name must resolve to a
// picture of exactly the size its item is laid out for.
#include <QColor>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QList>
#include <QPoint>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QSize>
#include <QtTest>

#include <algorithm>
#include <memory>

namespace {

using PictureList = QList<QPair<QString, QSize>>;

QString skin(const char *group, const char *file)
{
    return QStringLiteral(":/%1/modules/img/skin1/%1/%2.png")
        .arg(QLatin1String(group), QLatin1String(file));
}

// Every picture the screens name, with the size its item is laid out for.
PictureList allPictures()
{
    PictureList all = {
        {":/modules/img/background.png", {1024, 640}},
        {":/modules/img/titleBar.png", {1024, 48}},
        {":/modules/img/titleLogo.png", {200, 42}},
    };
    struct Skinned
    {
        const char *group;
        const char *file;
        int width;
        int height;
    };
    const QList<Skinned> skinned = {
        {"index", "powerOn", 1024, 640},
        {"index", "company", 180, 32},
        {"index", "ask", 16, 16},
        {"index", "askH", 16, 16},
        {"index", "minBtn", 16, 16},
        {"index", "minBtnH", 16, 16},
        {"index", "closeBtn", 16, 16},
        {"index", "closeBtnH", 16, 16},
        {"index", "restBtn", 16, 16},
        {"index", "restBtnH", 16, 16},
        {"index", "restBtnP", 16, 16},
        {"index", "back", 16, 16},
        {"index", "backH", 16, 16},
        {"index", "sureBtn", 16, 16},
        {"index", "dropBtn", 12, 12},
        {"index", "dropBtnU", 12, 12},
        {"index", "checkBtn", 10, 10},
        {"index", "slide", 12, 12},
        {"mouse", "MouseFront", 243, 527},
        {"mouse", "Mouse0", 60, 93},
        {"lightControl", "colorBar", 185, 10},
        {"lightControl", "speedScale", 96, 6},
        {"macros", "macroKeyDelay", 16, 16},
        {"macros", "macroKeyPress", 16, 16},
        {"macros", "macroKeyRelease", 16, 16},
        {"macros", "macroMousePress", 16, 16},
        {"macros", "macroMouseRelease", 16, 16},
        {"gun", "M416", 128, 48},
        {"gun", "AKM", 128, 48},
        {"gun", "M16A4", 128, 48},
        {"gun", "SCAR-L", 128, 48},
        {"gun", "UNP9", 128, 48},
        {"gun", "Thomson", 128, 48},
        {"gun", "target", 190, 190},
    };
    for (const Skinned &p : skinned)
        all.append({skin(p.group, p.file), QSize(p.width, p.height)});
    return all;
}

// Hue the lighting page gives a knob centre p on the bar (six 30-pixel
// segments, red before the right end, white at it).
QColor hueAt(int p)
{
    const int w = 30;
    const int s = p / w;
    const int f = (p - s * w) * 255 / w;
    switch (s) {
    case 0:
        return QColor(255, f, 0);
    case 1:
        return QColor(255 - f, 255, 0);
    case 2:
        return QColor(0, 255, f);
    case 3:
        return QColor(0, 255 - f, 255);
    case 4:
        return QColor(f, 0, 255);
    case 5:
        return QColor(255, 0, 255 - f);
    default:
        return p > 182 ? QColor(255, 255, 255) : QColor(255, 0, 0);
    }
}

} // namespace

class tst_pictures : public QObject
{
    Q_OBJECT

private slots:
    void everyPictureHasItsPathAndSize()
    {
        for (const auto &[path, size] : allPictures()) {
            QVERIFY2(QFile::exists(path), qPrintable(path));
            const QImage image(path);
            QVERIFY2(!image.isNull(), qPrintable(path));
            QCOMPARE(image.size(), size);
        }
    }

    // The screens load them as Image sources with "qrc:" URLs.
    void qmlImagesLoadEveryPicture()
    {
        QQmlEngine engine;
        QQmlComponent component(&engine);
        component.setData("import QtQuick\nImage {}", QUrl());
        QVERIFY2(component.isReady(), qPrintable(component.errorString()));
        for (const auto &[path, size] : allPictures()) {
            const QUrl url(QStringLiteral("qrc") + path);
            std::unique_ptr<QObject> image(
                component.createWithInitialProperties({{"source", url}}));
            QVERIFY(image);
            QVERIFY2(image->property("status").toInt() == 1, qPrintable(url.toString())); // Ready
            QCOMPARE(QSize(image->property("implicitWidth").toInt(),
                           image->property("implicitHeight").toInt()),
                     size);
        }
    }

    // The badges of the mouse page sit on these points of the picture
    // (window badge centre minus the picture's place at x 390.5, y 32); the
    // flank badges hang half outside, so their buttons are checked just
    // inside the edge.
    void mouseButtonsLieUnderTheBadges()
    {
        const QImage mouse(skin("mouse", "MouseFront"));
        QVERIFY(!mouse.isNull());
        const QList<QPoint> buttons = {
            {63, 139},  // 1 left button
            {179, 139}, // 2 right button
            {121, 110}, // 3 wheel
            {121, 200}, // 4 DPI button
            {10, 240},  // 5 left flank, front
            {10, 321},  // 6 left flank, rear
            {232, 242}, // 7 right flank, front
            {232, 321}, // 8 right flank, rear
        };
        for (const QPoint &p : buttons)
            QVERIFY2(qAlpha(mouse.pixel(p)) == 255,
                     qPrintable(QStringLiteral("%1,%2").arg(p.x()).arg(p.y())));
        // Outside the body the picture is clear, so the background shows.
        QCOMPARE(qAlpha(mouse.pixel(2, 2)), 0);
        QCOMPARE(qAlpha(mouse.pixel(240, 520)), 0);
    }

    void colorBarMatchesTheKnobColours()
    {
        const QImage bar(skin("lightControl", "colorBar"));
        QVERIFY(!bar.isNull());
        for (int p : {0, 15, 30, 45, 60, 75, 90, 105, 120, 135, 150, 165, 178, 184}) {
            // Middle row, away from the bar's light and shade at the edges.
            const QColor got = bar.pixelColor(p, 5);
            const QColor want = hueAt(p);
            const int tolerance = 40;
            QVERIFY2(
                qAbs(got.red() - want.red()) <= tolerance &&
                    qAbs(got.green() - want.green()) <= tolerance &&
                    qAbs(got.blue() - want.blue()) <= tolerance,
                qPrintable(
                    QStringLiteral("p %1: got %2 want %3").arg(p).arg(got.name(), want.name())));
        }
    }

    void trayIconHoldsEverySize()
    {
        if (!QImageReader::supportedImageFormats().contains("ico"))
            QSKIP("no ico image plugin");
        QImageReader reader(QStringLiteral(R770_DATA_SOURCE_DIR "/img/logo.ico"));
        QVERIFY2(reader.canRead(), qPrintable(reader.errorString()));
        QList<int> sizes;
        do {
            const QImage image = reader.read();
            QVERIFY(!image.isNull());
            QCOMPARE(image.width(), image.height());
            sizes.append(image.width());
        } while (reader.jumpToNextImage());
        std::sort(sizes.begin(), sizes.end());
        QCOMPARE(sizes, QList<int>({16, 32, 48, 256}));
    }
};

QTEST_MAIN(tst_pictures)
#include "tst_pictures.moc"
