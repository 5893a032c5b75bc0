#include "virtualmouse/VirtualFirmware.h"

#include "device/FrameCodec.h"

#include <QJsonArray>

namespace {

QJsonArray bytesJson(const unsigned char *data, int length)
{
    QJsonArray a;
    for (int i = 0; i < length; ++i)
        a.append(int(data[i]));
    return a;
}

QJsonArray bytesJson(const QByteArray &data)
{
    return bytesJson(reinterpret_cast<const unsigned char *>(data.constData()), int(data.size()));
}

QJsonObject mapJson(const QMap<int, QByteArray> &map)
{
    QJsonObject o;
    for (auto it = map.cbegin(); it != map.cend(); ++it)
        o.insert(QString::number(it.key()), bytesJson(it.value()));
    return o;
}

QJsonObject mapJson(const QMap<int, int> &map)
{
    QJsonObject o;
    for (auto it = map.cbegin(); it != map.cend(); ++it)
        o.insert(QString::number(it.key()), it.value());
    return o;
}

} // namespace

VirtualFirmware::VirtualFirmware(const QString &chipType) : chip(chipType)
{
    for (QByteArray &block : state.profileBlocks)
        block = QByteArray(128, '\0');
}

bool VirtualFirmware::command(const unsigned char *frame)
{
    if (FrameCodec::checksum(frame + 1) != frame[8])
        return false;
    std::copy(frame, frame + 9, lastFrame.begin());
    bulkExpected = 0;
    bulkData.clear();
    const unsigned char cmd = frame[1];
    const unsigned char *p = frame + 2;
    answerFrame.fill(0);
    answerFrame[1] = cmd;
    if (cmd == 0x00 || cmd >= 0x80) {
        getCommand(cmd, p);
    } else {
        bulkExpected = bulkLengthOf(cmd, p);
        if (bulkExpected == 0)
            setCommand(cmd, p);
    }
    answerFrame[8] = FrameCodec::checksum(answerFrame.data() + 1);
    return true;
}

int VirtualFirmware::bulkLengthOf(unsigned char cmd, const unsigned char *p) const
{
    if (is560())
        return (cmd == 0x0C || cmd == 0x0D || cmd == 0x0F) ? p[1] : 0;
    return (cmd == 0x10 || cmd == 0x11 || cmd == 0x12 || cmd == 0x13) ? p[1] : 0;
}

void VirtualFirmware::bulkReport(const unsigned char *payload, int length)
{
    if (pendingBulk() <= 0)
        return;
    const int take = qMin(length, pendingBulk());
    bulkData.append(reinterpret_cast<const char *>(payload), take);
    if (pendingBulk() == 0)
        applyBulk();
}

QByteArray VirtualFirmware::takeBulkOut()
{
    QByteArray out = bulkOut;
    bulkOut.clear();
    return out;
}

void VirtualFirmware::getCommand(unsigned char cmd, const unsigned char *p)
{
    unsigned char *a = answerFrame.data() + 2;
    bulkOut.clear();
    switch (cmd) {
    case 0x00: // echo of the four bytes
        std::copy(p, p + 4, a);
        break;
    case 0x83:
        std::copy(state.keyboardOptions.begin(), state.keyboardOptions.end(), a);
        break;
    case 0x81:
        a[0] = state.keyboardOptions[0];
        a[1] = state.keyboardOptions[1];
        break;
    case 0x82: // current profile ("560") or right-hand state ("553")
        a[0] = is560() ? (unsigned char)state.currentProfile : (unsigned char)state.rightHand;
        break;
    case 0x84:
        a[0] = p[0];
        a[1] = (unsigned char)state.profileDpiStage.value(p[0], 1);
        break;
    case 0x8B:
        a[0] = (unsigned char)state.currentDpiStage;
        break;
    case 0x8C:
        if (p[0] < 5)
            bulkOut = state.profileBlocks[p[0]];
        else
            bulkOut = QByteArray(128, '\0');
        break;
    default:
        break;
    }
}

void VirtualFirmware::setCommand(unsigned char cmd, const unsigned char *p)
{
    if (is560()) {
        switch (cmd) {
        case 0x01:
            state.keyboardOptions[0] = p[0];
            state.keyboardOptions[1] = p[1];
            break;
        case 0x02:
            state.currentProfile = p[0];
            break;
        case 0x03:
            state.profileReportRate[p[0]] = p[1];
            break;
        case 0x04:
            state.profileDpiStage[p[0]] = p[1];
            break;
        default:
            break;
        }
        return;
    }
    switch (cmd) {
    case 0x01:
        state.reportRate = p[0];
        break;
    case 0x02:
        state.currentKeyMatrix = p[0];
        break;
    case 0x03:
        std::copy(p, p + 4, state.keyboardOptions.begin());
        break;
    case 0x04:
        std::copy(p + 1, p + 5, state.gunData.begin());
        break;
    case 0x0B:
        state.currentDpiStage = p[0];
        break;
    case 0x0C:
        std::copy(p, p + 3, state.fixColor.begin());
        break;
    case 0x0D:
        std::copy(p, p + 3, state.ledEffect.begin());
        break;
    default:
        break;
    }
}

void VirtualFirmware::applyBulk()
{
    const unsigned char cmd = lastFrame[1];
    const unsigned char slot = lastFrame[2];
    if (is560()) {
        if (cmd == 0x0C && slot < 5)
            state.profileBlocks[slot] = bulkData.left(128).leftJustified(128, '\0');
        else if (cmd == 0x0D && slot >= 1 && slot <= 4)
            state.keyMatrices[slot] = bulkData;
        else if (cmd == 0x0F)
            state.macros[slot] = bulkData;
        return;
    }
    if (cmd == 0x10) {
        state.led8Type = slot;
        state.led8Colors = bulkData;
    } else if (cmd == 0x11) {
        state.dpiStageCount = slot;
        state.dpiTable = bulkData.left(8).leftJustified(8, '\0');
    } else if (cmd == 0x12 && slot >= 1 && slot <= 4) {
        state.keyMatrices[slot] = bulkData;
    } else if (cmd == 0x13) {
        state.macros[slot] = bulkData;
    }
}

QByteArray VirtualFirmware::pressDpiButton(int stage)
{
    if (is560())
        state.profileDpiStage[state.currentProfile] = stage;
    else
        state.currentDpiStage = stage;
    return QByteArray::fromRawData("\x06\x07\x00", 3) + char(stage);
}

QByteArray VirtualFirmware::switchRightHand(bool on)
{
    state.rightHand = on;
    QByteArray report("\x06\x0d\x00\x00", 4);
    report[2] = on ? 1 : 0;
    return report;
}

QJsonObject VirtualFirmware::toJson() const
{
    QJsonObject o;
    o.insert(QStringLiteral("chipType"), chip);
    o.insert(QStringLiteral("reportRate"), state.reportRate);
    o.insert(QStringLiteral("keyboardOptions"),
             bytesJson(state.keyboardOptions.data(), is560() ? 2 : 4));
    o.insert(QStringLiteral("dpiStageCount"), state.dpiStageCount);
    o.insert(QStringLiteral("dpiTable"), bytesJson(state.dpiTable));
    o.insert(QStringLiteral("currentDpiStage"), state.currentDpiStage);
    o.insert(QStringLiteral("keyMatrices"), mapJson(state.keyMatrices));
    o.insert(QStringLiteral("currentKeyMatrix"), state.currentKeyMatrix);
    o.insert(QStringLiteral("macros"), mapJson(state.macros));
    o.insert(QStringLiteral("ledEffect"), bytesJson(state.ledEffect.data(), 3));
    o.insert(QStringLiteral("fixColor"), bytesJson(state.fixColor.data(), 3));
    o.insert(QStringLiteral("led8Type"), state.led8Type);
    o.insert(QStringLiteral("led8Colors"), bytesJson(state.led8Colors));
    o.insert(QStringLiteral("gunData"), bytesJson(state.gunData.data(), 4));
    o.insert(QStringLiteral("rightHand"), state.rightHand);
    if (is560()) {
        o.insert(QStringLiteral("currentProfile"), state.currentProfile);
        o.insert(QStringLiteral("profileReportRate"), mapJson(state.profileReportRate));
        o.insert(QStringLiteral("profileDpiStage"), mapJson(state.profileDpiStage));
        QJsonArray blocks;
        for (const QByteArray &b : state.profileBlocks)
            blocks.append(bytesJson(b));
        o.insert(QStringLiteral("profileBlocks"), blocks);
    }
    return o;
}
