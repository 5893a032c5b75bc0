#pragma once

#include "shell/ControlClient.h"

#include <QString>
#include <QStringList>

// Options the program takes on its command line.
struct CommandLineOptions
{
    bool virtualMouse = false; // talk to a built-in virtual mouse instead of the HID devices
    QString transcriptPath;    // write every HID call to this file (virtual mouse only)
    ControlRequest control;    // asks a running instance through its control interface
    bool hidden = false;       // start with the window hidden (the login start)
    enum class Autostart
    {
        Unchanged,
        On,
        Off
    } autostart = Autostart::Unchanged; // write or remove the login start, then exit
    bool helpRequested = false;
    QString helpText;
    QString error; // set when the command line could not be understood
};

CommandLineOptions parseCommandLine(const QStringList &arguments);
