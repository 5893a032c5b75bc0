#include "LinkFixture.h"

LinkFixture::LinkFixture(const VirtualMouseConfig &config) : mouse(config), link(&mouse, &clock)
{
    mouse.setClock(&clock);
    observer.setChipType(config.chipType);
    link.setOwner(&observer);
}

LinkFixture::~LinkFixture()
{
    link.stopListener();
    link.waitForListener();
}

QByteArray LinkFixture::apConfigText() const
{
    const VirtualMouseConfig c = mouse.config();
    QByteArray text;
    text += "[common]\ndeviceCount=2\n\n";
    text += "[0]\ntype=0\nvid=04d9\npid=8008\nusagePage=ff01\nusage=0001\nusagePage2=ff02\n"
            "usage2=0001\nreportLength=64\n";
    text += "isEncode=" + QByteArray(c.keyboardIsEncode ? "true" : "false") + "\n";
    text += "sCode=" + c.keyboardSCode.toLatin1() + "\n\n";
    text += "[1]\ntype=1\nvid=04d9\npid=a1ee\nusagePage=ff00\nusage=ff00\nusagePage2=ff01\n"
            "usage2=ff01\n";
    text += "reportLength=" + QByteArray::number(c.reportLength) + "\n";
    text += "isEncode=" + QByteArray(c.isEncode ? "true" : "false") + "\n";
    text += "sCode=" + c.sCode.toLatin1() + "\n\n";
    text += "[mouse]\nicType=" + c.chipType.toLatin1() + "\n";
    return text;
}

QList<DeviceEntry> LinkFixture::deviceTable()
{
    const VirtualMouseConfig c = mouse.config();
    DeviceEntry keyboard;
    keyboard.type = 0;
    keyboard.vid = 0x04D9;
    keyboard.pid = 0x8008;
    keyboard.usagePage = 0xFF01;
    keyboard.usage = 0x0001;
    keyboard.usagePage2 = 0xFF02;
    keyboard.usage2 = 0x0001;
    keyboard.reportLength = 64;
    keyboard.isEncode = c.keyboardIsEncode;
    keyboard.sCode = c.keyboardSCode;
    DeviceEntry m;
    m.type = 1;
    m.vid = 0x04D9;
    m.pid = 0xA1EE;
    m.usagePage = 0xFF00;
    m.usage = 0xFF00;
    m.usagePage2 = 0xFF01;
    m.usage2 = 0xFF01;
    m.reportLength = c.reportLength;
    m.isEncode = c.isEncode;
    m.sCode = c.sCode;
    QList<DeviceEntry> table{keyboard, m};
    link.findDevicePaths(table);
    return table;
}

bool LinkFixture::connectMouse()
{
    link.setDeviceTable(deviceTable());
    link.clearHidBusy();
    return link.chkDeviceIsEnCode(1);
}

void LinkFixture::reset()
{
    mouse.clearCalls();
    clock.clearSleeps();
}

QList<QByteArray> LinkFixture::sentFrames() const
{
    QList<QByteArray> out;
    for (const HidCall &c : mouse.calls())
        if (c.op == QLatin1String("hid_send_feature_report"))
            out.append(c.data);
    return out;
}

QList<QByteArray> LinkFixture::writtenReports() const
{
    QList<QByteArray> out;
    for (const HidCall &c : mouse.calls())
        if (c.op == QLatin1String("hid_write"))
            out.append(c.data);
    return out;
}

QList<HidCall> LinkFixture::commandCalls() const
{
    QList<HidCall> out;
    for (const HidCall &c : mouse.calls())
        if (c.path != QLatin1String(VirtualMouse::NotificationPath) &&
            c.path != QLatin1String(VirtualMouse::KeyboardNotificationPath))
            out.append(c);
    return out;
}
