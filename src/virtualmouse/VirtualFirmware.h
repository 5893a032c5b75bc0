#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QMap>
#include <QString>

#include <array>

// What the mouse keeps, for both chip families.
struct FirmwareState
{
    int reportRate = 1;
    std::array<unsigned char, 4> keyboardOptions{}; // "553": four bytes; "560": the first two
    // DPI stages ("553"): count, the eight stage codes and the current stage (1-based).
    int dpiStageCount = 4;
    QByteArray dpiTable = QByteArray(8, '\0');
    int currentDpiStage = 1;
    QMap<int, QByteArray> keyMatrices; // 1..4: 64 bytes ("553") or 128 ("560")
    int currentKeyMatrix = 1;          // "553"
    QMap<int, QByteArray> macros;      // slot -> 128 bytes
    std::array<unsigned char, 3> ledEffect{};
    std::array<unsigned char, 3> fixColor{};
    int led8Type = 0;
    QByteArray led8Colors;
    std::array<unsigned char, 4> gunData{};
    bool rightHand = false;
    // "560": current profile, per-profile rate and DPI stage, the five blocks.
    int currentProfile = 1;
    QMap<int, int> profileReportRate;
    QMap<int, int> profileDpiStage;
    std::array<QByteArray, 5> profileBlocks{};
};

// The command interpreter of the mouse, on plain (descrambled) frames.
class VirtualFirmware
{
public:
    explicit VirtualFirmware(const QString &chipType = QStringLiteral("553"));

    QString chipType() const { return chip; }
    bool is560() const { return chip == QLatin1String("560"); }

    // A command frame of 9 bytes as the mouse received it. A frame with a
    // wrong checksum is ignored. Returns false when ignored.
    bool command(const unsigned char *frame);
    // Bytes of bulk data the last command still waits for.
    int pendingBulk() const { return bulkExpected - bulkData.size(); }
    // One output report's payload; the command applies once all has come.
    void bulkReport(const unsigned char *payload, int length);
    // The plain answer frame of the last get command (report id 0 first).
    std::array<unsigned char, 9> answer() const { return answerFrame; }
    // Bulk data the last get command has for the host (the 0x8C block).
    QByteArray takeBulkOut();

    // Physical events: the firmware changes its state and returns the 4-byte notification.
    QByteArray pressDpiButton(int stage);
    QByteArray switchRightHand(bool on);

    FirmwareState state;
    QJsonObject toJson() const;

private:
    void getCommand(unsigned char cmd, const unsigned char *p);
    void setCommand(unsigned char cmd, const unsigned char *p);
    void applyBulk();
    int bulkLengthOf(unsigned char cmd, const unsigned char *p) const;

    QString chip;
    std::array<unsigned char, 9> answerFrame{};
    std::array<unsigned char, 9> lastFrame{};
    int bulkExpected = 0;
    QByteArray bulkData;
    QByteArray bulkOut;
};
