#include "virtualmouse/DemoMouse.h"

#include "device/DeviceEntry.h"

#include <QSettings>

std::unique_ptr<VirtualMouse> makeDemoMouse(const QString &apConfigPath)
{
    QSettings apConfig(apConfigPath, QSettings::IniFormat);
    VirtualMouseConfig config;
    config.chipType = apConfig.value(QStringLiteral("mouse/icType")).toString();
    const QList<DeviceEntry> table = readDeviceTable(apConfig);
    for (const DeviceEntry &e : table) {
        if (e.vid == 0x04D9 && e.pid == 0xA1EE) {
            config.isEncode = e.isEncode;
            config.sCode = e.sCode;
            config.reportLength = e.reportLength;
        }
    }
    auto mouse = std::make_unique<VirtualMouse>(config);
    // Nothing in the program reads the call log, and a demo may run for days.
    mouse->setKeepsCalls(false);
    return mouse;
}

bool TranscriptFile::open(const QString &path, VirtualMouse &mouse)
{
    file.setFileName(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text))
        return false;
    attached = &mouse;
    // The mouse calls the sink under its own lock, so lines never interleave.
    mouse.setCallSink([this](const HidCall &call) {
        file.write(call.toJsonLine() + '\n');
        file.flush();
    });
    return true;
}

TranscriptFile::~TranscriptFile()
{
    if (attached)
        attached->setCallSink({});
}
