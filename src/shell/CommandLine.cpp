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
    parser.addOption(help);
    parser.addOption(virtualMouse);
    parser.addOption(transcript);
    addControlOptions(parser);

    CommandLineOptions options;
    if (!parser.parse(arguments))
        options.error = parser.errorText();
    options.helpRequested = parser.isSet(help);
    options.helpText = parser.helpText();
    options.virtualMouse = parser.isSet(virtualMouse);
    options.transcriptPath = parser.value(transcript);
    if (options.error.isEmpty())
        readControlOptions(parser, &options.control, &options.error);
    return options;
}
