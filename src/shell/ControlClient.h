#pragma once

#include <QString>

class QCommandLineParser;

// What the command line asks of a running instance through its control
// interface on the session bus.
struct ControlRequest
{
    bool listProfiles = false;
    QString profile;  // a name or a row number; empty = no switch
    int dpiStage = 0; // 1-based; 0 = no change
    bool show = false;
    bool quit = false;
    QString reportPath; // absolute; empty = no report

    bool any() const
    {
        return listProfiles || !profile.isEmpty() || dpiStage != 0 || show || quit ||
               !reportPath.isEmpty();
    }
    bool onlyQuit() const
    {
        return quit && !listProfiles && profile.isEmpty() && dpiStage == 0 && !show &&
               reportPath.isEmpty();
    }
};

void addControlOptions(QCommandLineParser &parser);
// False with *error set when an option's value cannot be used.
bool readControlOptions(const QCommandLineParser &parser, ControlRequest *request, QString *error);

// Exit codes of the control options (and of --help: 0, or 1 for a command
// line that cannot be understood). A control option never starts an
// instance: with none running, every one of them (--report included) ends
// with ControlNoInstance.
enum ControlExit
{
    ControlOk = 0,
    ControlRefused = 1,
    ControlNoInstance = 2
};

// Carries the request out against the running instance, printing each result
// or a one-line error, and returns the exit code.
int runControlClient(const ControlRequest &request);
