#include "shell/CommandLine.h"

#include <QCommandLineParser>

CommandLineOptions parseCommandLine(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Configuration utility of the ZERANT MOLTA MOUSE R770."));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help and exit."));
    const QCommandLineOption virtualMouse(
        QStringLiteral("virtual-mouse"),
        QStringLiteral(
            "Demo mode: use a built-in virtual mouse instead of the system's HID devices."));
    const QCommandLineOption transcript(
        QStringLiteral("virtual-mouse-transcript"),
        QStringLiteral(
            "Write every HID call to FILE, one JSON object per line (with --virtual-mouse)."),
        QStringLiteral("FILE"));
    const QCommandLineOption quit(
        QStringLiteral("quit"),
        QStringLiteral("Ask the running instance to quit and exit (0 once it took the request, "
                       "1 when none runs)."));
    parser.addOption(help);
    parser.addOption(virtualMouse);
    parser.addOption(transcript);
    parser.addOption(quit);

    CommandLineOptions options;
    if (!parser.parse(arguments))
        options.error = parser.errorText();
    options.helpRequested = parser.isSet(help);
    options.helpText = parser.helpText();
    options.virtualMouse = parser.isSet(virtualMouse);
    options.transcriptPath = parser.value(transcript);
    options.quit = parser.isSet(quit);
    return options;
}
