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
    const QCommandLineOption hidden(
        QStringLiteral("hidden"),
        QStringLiteral("Start without showing the window (tray icon and notifications only)."));
    const QCommandLineOption autostart(
        QStringLiteral("autostart"),
        QStringLiteral("Start the program hidden at login (on), or no longer (off), then exit."),
        QStringLiteral("on|off"));
    parser.addOption(help);
    parser.addOption(virtualMouse);
    parser.addOption(transcript);
    parser.addOption(hidden);
    parser.addOption(autostart);
    addControlOptions(parser);

    CommandLineOptions options;
    if (!parser.parse(arguments))
        options.error = parser.errorText();
    options.helpRequested = parser.isSet(help);
    options.helpText = parser.helpText();
    options.virtualMouse = parser.isSet(virtualMouse);
    options.transcriptPath = parser.value(transcript);
    options.hidden = parser.isSet(hidden);
    if (parser.isSet(autostart)) {
        const QString value = parser.value(autostart);
        if (value == QLatin1String("on"))
            options.autostart = CommandLineOptions::Autostart::On;
        else if (value == QLatin1String("off"))
            options.autostart = CommandLineOptions::Autostart::Off;
        else if (options.error.isEmpty())
            options.error = QStringLiteral("--autostart takes on or off, not \"%1\"").arg(value);
    }
    if (options.error.isEmpty())
        readControlOptions(parser, &options.control, &options.error);
    return options;
}
