#pragma once

#include "virtualmouse/VirtualMouse.h"

#include <QFile>
#include <QString>

#include <memory>

// The virtual mouse of the demo mode, set up like the mouse entry of the
// device table in apConfig.bin (isEncode, sCode, report length) with the
// firmware of "mouse/icType". It keeps no call log: its calls go only to a
// transcript, when one is open.
std::unique_ptr<VirtualMouse> makeDemoMouse(const QString &apConfigPath);

// Writes every call through the mouse to a file, one JSON object per line.
class TranscriptFile
{
public:
    // False when the file cannot be created.
    bool open(const QString &path, VirtualMouse &mouse);
    ~TranscriptFile();

private:
    QFile file;
    VirtualMouse *attached = nullptr;
};
