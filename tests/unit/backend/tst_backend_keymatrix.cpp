#include "DeviceBench.h"

#include <QTest>

// Button definitions: storage, conversion to the device matrix and the gun
// matrices, on both chip families.
class BackendKeyMatrixTest : public QObject
{
    Q_OBJECT

private slots:
    void storesWithoutSending();
    void convertsPageDefinitions553();
    void convertsPageDefinitions560();
    void shortAndLongListsAreBounded();
    void rightHandLayout();
    void oneGunOfCountTwo553();
    void gunOfCountThree560();
    void resetAndSwitchMatrices();
    void keyboardOptionsAndProfileSelection();
};

namespace {

using Def = std::array<int, 4>;

// Sixteen buttons of "no function", with some set.
QVariantList pageMatrix(std::initializer_list<std::pair<int, Def>> buttons)
{
    QVariantList m;
    for (int n = 0; n < 16; ++n)
        m << 0xFF << 0 << 0 << 0;
    for (const auto &[button, def] : buttons)
        for (int i = 0; i < 4; ++i)
            m[4 * button + i] = def[i];
    return m;
}

// The page definitions of the conversion examples.
QVariantList examplePage()
{
    return pageMatrix({{0, {0, 0, 0xF0, 0}},     // left button
                       {1, {0, 0xF0, 0x1E, 2}},  // double fire
                       {2, {2, 0x01, 0x06, 0}},  // Ctrl+C
                       {3, {4, 1, 3, 0}},        // macro, repeat mode 1, slot 3
                       {4, {6, 0, 0x94, 1}},     // My PC
                       {5, {6, 0, 0xE3, 7}},     // Desktop
                       {6, {5, 0, 4, 0}},        // sniper
                       {7, {1, 0x04, 0x21, 2}},  // fire key A, 33 ms, twice
                       {8, {0, 0, 0xF1, 0}},     // whatever: slot 8 is fixed
                       {9, {3, 0, 0xE9, 0}},     // volume up
                       {10, {7, 0x08, 0x07, 0}}, // shortcut
                       {11, {5, 0, 1, 0}},       // DPI+
                       {12, {6, 0, 0x23, 2}},    // browser home
                       {13, {12, 1, 2, 3}}});    // unknown category, unchanged
}

QByteArray expectedDevice(bool chip560)
{
    QByteArray m;
    m += bytes({1, 0, 0xF0, 0});
    m += bytes({10, 0xF0, 0x1E, 2});
    m += bytes({0, 0x01, 0x06, 0});
    m += bytes({3, 0, 0x94, 1}); // slot 3 holds page button 4
    m += bytes({0, 0, 0xE3, 7}); // slot 4 holds page button 5
    m += bytes({9, 1, 4, 0});    // slot 5 holds page button 3
    m += chip560 ? bytes({11, 0, 3, 3}) : bytes({7, 0, 4, 1});
    m += bytes({10, 0x04, 0x21, 2}); // a fire key stays a fire key
    m += bytes({0x0C, 0, 0, 0});
    m += bytes({3, 0, 0xE9, 0});
    m += bytes({0, 0x08, 0x07, 0});
    m += bytes({7, 0, 1, 0});
    m += bytes({3, 0, 0x23, 2});
    m += bytes({12, 1, 2, 3});
    m += bytes({4, 0, 0, 0});
    m += bytes({4, 0, 0, 0});
    return m;
}

// A firmware default matrix: slot n holds n + 1, 0, 0xF0 + n % 5, 0x20 + n.
void writeFirmwareMatrix(TestView &view)
{
    for (int n = 0; n < 16; ++n)
        view.setData(QStringLiteral("mouseFwKeyMatrix/%1").arg(n),
                     QVariantList{n + 1, 0, 0xF0 + n % 5, 0x20 + n});
}

QByteArray firmwareMatrix()
{
    QByteArray m;
    for (int n = 0; n < 16; ++n)
        m += bytes({n + 1, 0, 0xF0 + n % 5, 0x20 + n});
    return m;
}

} // namespace

void BackendKeyMatrixTest::storesWithoutSending()
{
    DeviceBench bench({});
    QVERIFY(bench.connected);
    bench.view->setCurrentProfile(2);
    bench.fixture.reset();
    bench.view->mouseSetKeyMatrix(examplePage(), false, {});
    QVERIFY(bench.frames().isEmpty());
    bench.view->profileList.at(2)->sync();
    QSettings p3(bench.data.file(QStringLiteral("modules/setting/p3.bin")), QSettings::IniFormat);
    p3.beginGroup(QStringLiteral("mouseKeyMatrix"));
    QCOMPARE(p3.childKeys().size(), 16);
    QCOMPARE(p3.value(QStringLiteral("3")).toStringList(), (QStringList{"4", "1", "3", "0"}));
    QCOMPARE(p3.value(QStringLiteral("15")).toStringList(), (QStringList{"255", "0", "0", "0"}));
    QCOMPARE(bench.view->mouseGetKeydefine(4, false), (QVariantList{"6", "0", "148", "1"}));
    QCOMPARE(bench.view->mouseGetKeydefine(3, true), (QVariantList{"0", "0", "242", "0"}));
    QVERIFY(bench.view->mouseGetKeydefine(14, true).isEmpty());
}

void BackendKeyMatrixTest::convertsPageDefinitions553()
{
    DeviceBench bench({});
    QVERIFY(bench.connected);
    bench.view->mouseSetKeyMatrix(examplePage(), true, {100, 200, 300});
    QCOMPARE(bench.frames(), QList<QByteArray>{frame({0x12, 1, 0x40, 0x08})});
    QCOMPARE(bench.frames().first(), LinkFixture::hex("0012014008000000a4"));
    QCOMPARE(bench.bulk(), expectedDevice(false));
    // Two 32-byte reports between the settle delays.
    QCOMPARE(bench.sleeps(), (QList<int>{64, 64, 120, 120, 64, 64}));
    QCOMPARE(bench.firmware().keyMatrices.value(1), expectedDevice(false));
}

void BackendKeyMatrixTest::convertsPageDefinitions560()
{
    DeviceBench bench({.icType = "560"});
    QVERIFY(bench.connected);
    bench.view->setCurrentProfile(2);
    bench.fixture.reset();
    bench.view->mouseSetKeyMatrix(examplePage(), true, {});
    QCOMPARE(bench.frames(), QList<QByteArray>{frame({0x0D, 3, 0x80})});
    const QByteArray sent = expectedDevice(true) + QByteArray(64, '\0');
    QCOMPARE(bench.bulk(), sent);
    QCOMPARE(bench.sleeps(), (QList<int>{64, 64, 120, 120, 120, 120, 64, 64}));
    QCOMPARE(bench.firmware().keyMatrices.value(3), sent);
}

void BackendKeyMatrixTest::shortAndLongListsAreBounded()
{
    DeviceBench bench({});
    // Ten values: the rest count as 0 (a mouse button of code 0).
    QVariantList shortList = examplePage().mid(0, 10);
    bench.view->mouseSetKeyMatrix(shortList, true, {});
    const QByteArray m = bench.firmware().keyMatrices.value(1);
    QCOMPARE(slotOf(m, 1), bytes({10, 0xF0, 0x1E, 2}));
    QCOMPARE(slotOf(m, 2), bytes({0, 0x01, 0, 0}));
    QCOMPARE(slotOf(m, 15), bytes({1, 0, 0, 0}));
    QCOMPARE(bench.view->mouseGetKeydefine(2, false), (QVariantList{"2", "1", "0", "0"}));

    // Extra values are ignored.
    QVariantList longList = examplePage();
    for (int i = 0; i < 40; ++i)
        longList << 8 << 0 << 2 << 0;
    bench.fixture.reset();
    bench.view->mouseSetKeyMatrix(longList, true, {});
    QCOMPARE(bench.frames().size(), 1);
    QCOMPARE(bench.firmware().keyMatrices.value(1), expectedDevice(false));
}

void BackendKeyMatrixTest::rightHandLayout()
{
    DeviceBench bench({});
    bench.view->setData(QStringLiteral("mouseKeyMatrix/3"), QVariantList{0, 0, 0xF2, 0});
    bench.view->setData(QStringLiteral("mouseKeyMatrix0/3"), QVariantList{0, 0, 0xF3, 0});

    // A mouse that does not answer leaves the flag clear.
    bench.fixture.mouse.unplug();
    bench.view->mouseGetRight();
    QVERIFY(!bench.view->rightHand());
    bench.fixture.mouse.plug();
    bench.fixture.connectMouse();
    bench.fixture.reset();

    bench.view->mouseGetRight();
    QCOMPARE(bench.frames(), QList<QByteArray>{frame({0x8B})});
    QVERIFY(bench.view->rightHand());
    QCOMPARE(bench.view->mouseGetKeydefine(3, false), (QVariantList{"0", "0", "243", "0"}));

    bench.fixture.reset();
    bench.view->mouseSetKeyMatrix(examplePage(), true, {});
    QCOMPARE(bench.frames(), QList<QByteArray>{frame({0x12, 2, 0x40, 0x08})});
    QCOMPARE(bench.firmware().keyMatrices.value(2), expectedDevice(false));
    QCOMPARE(bench.view->getDataList(QStringLiteral("mouseKeyMatrix0/3")),
             (QVariantList{"4", "1", "3", "0"}));
    QCOMPARE(bench.view->getDataList(QStringLiteral("mouseKeyMatrix/3")),
             (QVariantList{"0", "0", "242", "0"}));
}

void BackendKeyMatrixTest::oneGunOfCountTwo553()
{
    DeviceBench bench({});
    writeFirmwareMatrix(*bench.view);
    // Whatever the page holds in the gun slot's second value, the mouse gets 0 there.
    bench.view->mouseSetKeyMatrix(pageMatrix({{0, {0, 0, 0xF0, 0}}, {2, {8, 7, 2, 0}}}), true,
                                  {50, 60, 70});

    QCOMPARE(bench.frames(),
             (QList<QByteArray>{frame({0x12, 1, 0x40, 0x08}), frame({0x12, 2, 0x40, 0x08}),
                                frame({0x12, 3, 0x40, 0x08}), frame({0x12, 4, 0x40, 0x08}),
                                frame({0x02, 1})}));
    const FirmwareState fw = bench.firmware();
    QCOMPARE(slotOf(fw.keyMatrices.value(1), 2), bytes({8, 0, 1, 1}));
    QCOMPARE(slotOf(fw.keyMatrices.value(2), 2), bytes({8, 0, 1, 2}));
    QCOMPARE(slotOf(fw.keyMatrices.value(3), 2), bytes({8, 0, 1, 0}));
    QCOMPARE(slotOf(fw.keyMatrices.value(4), 2), bytes({8, 0, 1, 0}));
    QCOMPARE(slotOf(fw.keyMatrices.value(1), 0), bytes({1, 0, 0xF0, 0}));
    QCOMPARE(slotOf(fw.keyMatrices.value(1), 8), bytes({0x0C, 0, 0, 0}));
    for (int k = 0; k < 3; ++k) {
        const QByteArray b = fw.keyMatrices.value(k + 2);
        QCOMPARE(slotOf(b, 0), bytes({0x0B, k, 50 + 10 * k, 0}));
        // The rest is the firmware matrix as stored: no conversion, no reordering.
        QCOMPARE(b.mid(12), firmwareMatrix().mid(12));
        QCOMPARE(slotOf(b, 1), slotOf(firmwareMatrix(), 1));
    }
    QCOMPARE(fw.currentKeyMatrix, 1);
    // The three bulk matrices and the switch: settle, reports, settle; then settle.
    QCOMPARE(bench.sleeps().size(), 4 * 6 + 2);
}

void BackendKeyMatrixTest::gunOfCountThree560()
{
    DeviceBench bench({.icType = "560"});
    writeFirmwareMatrix(*bench.view);
    bench.view->profileData[0][5] = 0x5A; // read from the mouse earlier
    bench.view->mouseSetKeyMatrix(pageMatrix({{1, {8, 0, 3, 0}}}), true, {11, 22});

    QCOMPARE(bench.frames(), (QList<QByteArray>{frame({0x0C, 0, 0x80}), frame({0x0D, 1, 0x80}),
                                                frame({0x0D, 2, 0x80}), frame({0x0D, 3, 0x80}),
                                                frame({0x0D, 4, 0x80}), frame({0x02, 1})}));
    const FirmwareState fw = bench.firmware();
    QCOMPARE(uchar(fw.profileBlocks[0][2]), uchar(31));
    QCOMPARE(uchar(fw.profileBlocks[0][5]), uchar(0x5A));
    QCOMPARE(slotOf(fw.keyMatrices.value(1), 1), bytes({8, 0, 1, 0}));
    QCOMPARE(slotOf(fw.keyMatrices.value(2), 1), bytes({8, 0, 3, 0x21}));
    QCOMPARE(slotOf(fw.keyMatrices.value(3), 1), bytes({8, 0, 3, 0x21}));
    QCOMPARE(slotOf(fw.keyMatrices.value(4), 1), bytes({8, 0, 0, 0x21}));
    // Missing periods count as 0.
    QCOMPARE(slotOf(fw.keyMatrices.value(2), 0), bytes({0x0B, 0, 11, 0}));
    QCOMPARE(slotOf(fw.keyMatrices.value(3), 0), bytes({0x0B, 1, 22, 0}));
    QCOMPARE(slotOf(fw.keyMatrices.value(4), 0), bytes({0x0B, 2, 0, 0}));
    QCOMPARE(fw.keyMatrices.value(4).mid(64), QByteArray(64, '\0'));
    QCOMPARE(fw.currentProfile, 1);

    // Count 1: bank mode 7 and the first gun matrix without pattern.
    bench.view->mouseSetKeyMatrix(pageMatrix({{1, {8, 0, 1, 0}}}), true, {11, 22, 33});
    QCOMPARE(uchar(bench.firmware().profileBlocks[0][2]), uchar(7));
    QCOMPARE(slotOf(bench.firmware().keyMatrices.value(2), 1), bytes({8, 0, 0, 0x21}));
    QCOMPARE(slotOf(bench.firmware().keyMatrices.value(3), 1), bytes({8, 0, 0, 0x21}));
}

void BackendKeyMatrixTest::resetAndSwitchMatrices()
{
    for (const char *chip : {"553", "560"}) {
        const bool is560 = QByteArray(chip) == "560";
        DeviceBench bench({.icType = chip});
        writeFirmwareMatrix(*bench.view);
        bench.view->mouseResetKeyMatrix();
        const int command = is560 ? 0x0D : 0x12;
        const QByteArray extra = is560 ? bytes({0x80}) : bytes({0x40, 0x08});
        QCOMPARE(bench.frames().size(), 3);
        for (int k = 0; k < 3; ++k) {
            QCOMPARE(bench.frames().at(k).mid(1, 2), bytes({command, k + 2}));
            QCOMPARE(bench.frames().at(k).mid(3, extra.size()), extra);
            QCOMPARE(bench.firmware().keyMatrices.value(k + 2).left(64), firmwareMatrix());
        }
        QVERIFY(!bench.firmware().keyMatrices.contains(1));

        bench.fixture.reset();
        bench.view->mouseSwitchKeyMatrix(3);
        bench.view->mouseSwitchKeyMatrix(0);
        bench.view->mouseSwitchKeyMatrix(5);
        if (is560) {
            QCOMPARE(bench.frames(), QList<QByteArray>{frame({0x02, 3})});
            QCOMPARE(bench.sleeps(), QList<int>{8});
            QCOMPARE(bench.firmware().currentProfile, 3);
        } else {
            QCOMPARE(bench.frames(), QList<QByteArray>{frame({0x02, 2})});
            QCOMPARE(bench.sleeps(), (QList<int>{64, 64}));
            QCOMPARE(bench.firmware().currentKeyMatrix, 2);
        }
    }
}

void BackendKeyMatrixTest::keyboardOptionsAndProfileSelection()
{
    DeviceBench bench({});
    bench.view->mouseSetKeyboardoption(1, 2, 3, 4);
    QCOMPARE(bench.frames(), QList<QByteArray>{frame({0x03, 1, 2, 3, 4})});
    QCOMPARE(bench.sleeps(), QList<int>{8});
    QCOMPARE(bench.view->GetKeyboardoption(), (QVariantList{1, 2, 3, 4}));

    for (const char *chip : {"553", "560"}) {
        DeviceBench b({.icType = chip});
        b.view->setCurrentProfile(0);
        b.view->setCurrentProfile(5);
        b.view->setCurrentProfile(10); // refused
        QCOMPARE(b.frames(), (QList<QByteArray>{frame({0x02, 1}), frame({0x02, 6})}));
        QCOMPARE(b.view->currentProfileIndex(), 5);
    }
}

QTEST_MAIN(BackendKeyMatrixTest)
#include "tst_backend_keymatrix.moc"
