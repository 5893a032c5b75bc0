#pragma once

#include "RecordingObserver.h"
#include "device/Hid_Thread.h"
#include "virtualmouse/VirtualClock.h"
#include "virtualmouse/VirtualMouse.h"

#include <QByteArray>
#include <QList>

// The real link on a virtual mouse and a virtual clock, with a recording
// observer as its window. Usage:
//
//   LinkFixture f({.chipType = "560", .isEncode = true, .sCode = "A1b2C3"});
//   QVERIFY(f.connectMouse());          // table + echo check, as detection does
//   f.reset();                          // forget the calls and sleeps so far
//   f.link.hid560_04H_SetCurrentDPI(3);
//   QCOMPARE(f.sentFrames(), {LinkFixture::hex("000401030000000000f7")});
//   QCOMPARE(f.clock.sleeps(), (QList<int>{64, 64}));
//   f.mouse.firmwareState().profileDpiStage[1] == 3
//
// The observer's chip type and profile number follow the mouse's chip type
// and profile 1 unless a test sets them.
class LinkFixture
{
public:
    explicit LinkFixture(const VirtualMouseConfig &config = {});
    ~LinkFixture();

    // The apConfig.bin text of a table [keyboard, mouse] with the mouse's
    // isEncode and sCode (and the keyboard's), "mouse/icType" = chip type.
    QByteArray apConfigText() const;
    // Table [keyboard (group 0), mouse (group 1)] with paths looked up through
    // the seam, as detection builds it.
    QList<DeviceEntry> deviceTable();
    // Puts that table into the link and runs the echo check on the mouse
    // (entry 1). True when the mouse answered the echo.
    bool connectMouse();
    // Forgets the calls and sleeps recorded so far.
    void reset();

    // Command frames as they travelled (scrambled when the entry says so),
    // hid_write reports, and the plain frames the firmware took.
    QList<QByteArray> sentFrames() const;
    QList<QByteArray> writtenReports() const;
    QList<QByteArray> plainFrames() const { return mouse.receivedFrames(); }
    // The calls on the command interface only (no listener calls).
    QList<HidCall> commandCalls() const;

    static QByteArray hex(const char *text) { return QByteArray::fromHex(text); }

    VirtualClock clock;
    VirtualMouse mouse;
    RecordingObserver observer;
    Hid_Thread link;
};
