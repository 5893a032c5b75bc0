#pragma once

#include "BackendTestData.h"
#include "LinkFixture.h"

#include <QTest>

#include <initializer_list>
#include <memory>

// A view on the real link to a virtual mouse of the given chip family, with
// its own data folder; the calls of the connection are already forgotten.
struct DeviceBench
{
    explicit DeviceBench(const Traits &traits) : fixture(configFor(traits))
    {
        writeSettingFiles(data, traits);
        view = std::make_unique<TestView>();
        view->setHidLink(&fixture.link);
        connected = fixture.connectMouse();
        fixture.reset();
    }

    static VirtualMouseConfig configFor(const Traits &traits)
    {
        VirtualMouseConfig config;
        config.chipType = QString::fromLatin1(traits.icType);
        return config;
    }

    FirmwareState firmware() const { return fixture.mouse.firmwareState(); }
    QList<QByteArray> frames() const { return fixture.plainFrames(); }
    QList<int> sleeps() const { return fixture.clock.sleeps(); }
    // Bulk bytes that followed the command frames, report ids removed.
    QByteArray bulk() const
    {
        QByteArray all;
        for (const QByteArray &report : fixture.writtenReports())
            all += report.mid(1);
        return all;
    }

    TempDataFolder data;
    LinkFixture fixture;
    std::unique_ptr<TestView> view;
    bool connected = false;
};

// A plain command frame: report id 0, the command, six parameters, and the
// checksum 0xFF minus the byte sum.
inline QByteArray frame(std::initializer_list<int> commandAndParams)
{
    QByteArray f(9, '\0');
    int i = 1;
    for (int b : commandAndParams)
        f[i++] = char(b);
    int sum = 0;
    for (int k = 1; k < 8; ++k)
        sum += uchar(f[k]);
    f[8] = char(0xFF - (sum & 0xFF));
    return f;
}

inline QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray out;
    for (int v : values)
        out += char(v);
    return out;
}

// The four bytes of slot s of a matrix.
inline QByteArray slotOf(const QByteArray &matrix, int s)
{
    return matrix.mid(4 * s, 4);
}
