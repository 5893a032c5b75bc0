#include "device/FrameCodec.h"
#include "device/Hid_Thread.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTest>

class tst_FrameCodec : public QObject
{
    Q_OBJECT
private slots:
    void checksums();
    void scrambleVectors();
    void roundTripAndUnusedCodeBytes();
    void secrecyCodeLength();
};

void tst_FrameCodec::checksums()
{
    Hid_Thread link(nullptr, nullptr);
    uchar zeros[7] = {};
    QCOMPARE(link.hidCS(zeros), uchar(0xFF));
    uchar rate[7] = {0x01, 0x01, 0, 0, 0, 0, 0};
    QCOMPARE(link.hidCS(rate), uchar(0xFD));
    uchar dpi[7] = {0x8B, 0, 0, 0, 0, 0, 0};
    QCOMPARE(link.hidCS(dpi), uchar(0x74));
    uchar read[7] = {0x8C, 0x01, 0, 0, 0, 0, 0};
    QCOMPARE(link.hidCS(read), uchar(0x72));
    // The sum wraps modulo 256 before the complement.
    uchar big[7] = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    QCOMPARE(link.hidCS(big), uchar(0x06));
}

void tst_FrameCodec::scrambleVectors()
{
    QFile file(QStringLiteral(R770_TEST_DATA_DIR "/scramble-vectors.txt"));
    QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
    Hid_Thread link(nullptr, nullptr);
    int checked = 0;
    while (!file.atEnd()) {
        const QByteArray line = file.readLine().trimmed();
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        const QList<QByteArray> parts = line.split(' ');
        QCOMPARE(parts.size(), 3);
        uchar code[8] = {};
        QVERIFY(FrameCodec::applySecrecyCode(QString::fromLatin1(parts[0]), code));
        const QByteArray plain = QByteArray::fromHex(parts[1]);
        const QByteArray scrambled = QByteArray::fromHex(parts[2]);
        uchar buf[8];
        memcpy(buf, plain.constData(), 8);
        link.USBDataEncryption(buf, code);
        QCOMPARE(QByteArray(reinterpret_cast<char *>(buf), 8).toHex(), scrambled.toHex());
        link.USBDataDecipher(buf, code);
        QCOMPARE(QByteArray(reinterpret_cast<char *>(buf), 8).toHex(), plain.toHex());
        ++checked;
    }
    QVERIFY(checked >= 12);
}

void tst_FrameCodec::roundTripAndUnusedCodeBytes()
{
    QRandomGenerator random(770);
    for (int n = 0; n < 2000; ++n) {
        uchar code[8];
        uchar frame[8];
        for (uchar &b : code)
            b = uchar(random.bounded(256));
        for (uchar &b : frame)
            b = uchar(random.bounded(256));
        uchar buf[8];
        memcpy(buf, frame, 8);
        FrameCodec::scramble(buf, code);
        // Bytes 0 and 7 of the code take no part.
        uchar other[8];
        memcpy(other, code, 8);
        other[0] ^= 0xFF;
        other[7] ^= 0x55;
        uchar buf2[8];
        memcpy(buf2, frame, 8);
        FrameCodec::scramble(buf2, other);
        QCOMPARE(memcmp(buf, buf2, 8), 0);
        FrameCodec::descramble(buf, code);
        QCOMPARE(memcmp(buf, frame, 8), 0);
    }
}

void tst_FrameCodec::secrecyCodeLength()
{
    uchar code[8] = {0, 1, 2, 3, 4, 5, 6, 7};
    QVERIFY(!FrameCodec::applySecrecyCode(QStringLiteral("12345"), code));
    QVERIFY(!FrameCodec::applySecrecyCode(QStringLiteral("1234567"), code));
    QCOMPARE(QByteArray(reinterpret_cast<char *>(code), 8).toHex(), QByteArray("0001020304050607"));
    QVERIFY(FrameCodec::applySecrecyCode(QStringLiteral("274915"), code));
    QCOMPARE(QByteArray(reinterpret_cast<char *>(code), 8).toHex(), QByteArray("0032373439313507"));
}

QTEST_GUILESS_MAIN(tst_FrameCodec)
#include "tst_framecodec.moc"
