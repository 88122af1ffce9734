#include "command_line.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

namespace aromelle {

namespace {

// The options QApplication and its platform plugins take out of argv themselves
// (Qt 6.4), with whether each takes a value. The X11 ones are read only on xcb;
// elsewhere Qt leaves them be, which is harmless.
struct QtOption {
    const char *name;
    bool takesValue;
};
constexpr QtOption kQtOptions[] = {
    {"platform", true},
    {"platformpluginpath", true},
    {"platformtheme", true},
    {"plugin", true},
    {"qwindowgeometry", true},
    {"qwindowicon", true},
    {"qwindowtitle", true},
    {"reverse", false},
    {"session", true},
    {"style", true},
    {"stylesheet", true},
    {"widgetcount", false},
    {"testability", false},
    {"qmljsdebugger", true},
    // X11
    {"display", true},
    {"geometry", true},
    {"title", true},
    {"icon", true},
    {"name", true},
    {"visual", true},
    {"nograb", false},
    {"dograb", false},
};

constexpr char kDescription[] =
    "Gives a perfume reading from a birth date: type a name, pick the day you were born,\n"
    "and Aromelle shows your sun sign's profile and the scents that suit it.";

constexpr char kQtOptionsNote[] =
    "\nQt's standard options are accepted as well, such as -platform, -style, -reverse\n"
    "and, on X11, -display and -geometry. See aromelle(1).\n";

void print(std::FILE *stream, const QString &text) {
    std::fputs(text.toLocal8Bit().constData(), stream);
}

QString usage(const QCommandLineParser &parser) {
    // Without an application object the parser cannot know the program's name.
    QString text = parser.helpText();
    text.replace(QStringLiteral("<executable_name>"), QCoreApplication::applicationName());
    return text + QString::fromLatin1(kQtOptionsNote);
}

} // namespace

CommandLine readCommandLine(int argc, const char *const *argv) {
    QCommandLineParser parser;
    // Qt's options are single-dash words: -platform is one option, not -p -l -a ...
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(QString::fromLatin1(kDescription));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help and exit."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Show the version and exit."));
    parser.addOption(help);
    parser.addOption(version);
    for (const QtOption &qt : kQtOptions) {
        QCommandLineOption option(QString::fromLatin1(qt.name));
        if (qt.takesValue)
            option.setValueName(QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }

    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);

    CommandLine result;
    QString error;
    if (!parser.parse(arguments))
        error = parser.errorText();
    else if (!parser.positionalArguments().isEmpty())
        error =
            QStringLiteral("Unexpected argument '%1'.").arg(parser.positionalArguments().first());
    if (!error.isEmpty()) {
        print(stderr, QCoreApplication::applicationName() + QStringLiteral(": ") + error +
                          QStringLiteral("\n\n") + usage(parser));
        result.exitStatus = kUsageError;
    } else if (parser.isSet(help)) {
        print(stdout, usage(parser));
        result.exitStatus = 0;
    } else if (parser.isSet(version)) {
        print(stdout, QCoreApplication::applicationName() + QLatin1Char(' ') +
                          QCoreApplication::applicationVersion() + QLatin1Char('\n'));
        result.exitStatus = 0;
    }
    result.styleChosen = parser.isSet(QStringLiteral("style"));
    return result;
}

} // namespace aromelle
