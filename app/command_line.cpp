// SPDX-License-Identifier: MIT
// Parses the window program's options with QCommandLineParser.
#include "command_line.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <cstdio>

#ifndef KELVARA_VERSION
#define KELVARA_VERSION "0.0.0"
#endif

namespace kelvara::app {
namespace {

constexpr int kExitUsage = 2;

struct Parser {
    QCommandLineParser parser;
    QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")},
                            QStringLiteral("Show this help and exit.")};
    QCommandLineOption version{{QStringLiteral("v"), QStringLiteral("version")},
                               QStringLiteral("Show the version and exit.")};

    Parser()
    {
        // Qt's own options are single-dash words (-platform, -reverse): never read them as
        // bundles of one-letter options.
        parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
        parser.setApplicationDescription(
            QStringLiteral("Kelvara: HTML gradient text, one coloured FONT element per character.\n"
                           "Without options, opens the main window. See also kelvara-gen(1)."));
        parser.addOption(help);
        parser.addOption(version);
    }
};

void Print(std::FILE* stream, const QString& text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
}

}  // namespace

std::optional<int> HandleInformationOptions(int argc, const char* const* argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    Parser p;
    // Other options are left for the application object and the later check.
    p.parser.parse(arguments);
    if (p.parser.isSet(p.help)) {
        // The usage line names the program by the name it is installed under.
        int count = 1;
        char name[] = "kelvara";
        char* names[] = {name, nullptr};
        const QCoreApplication core(count, names);
        Print(stdout, p.parser.helpText());
        return 0;
    }
    if (p.parser.isSet(p.version)) {
        Print(stdout, QStringLiteral("Kelvara %1\n").arg(QLatin1String(KELVARA_VERSION)));
        return 0;
    }
    return std::nullopt;
}

std::optional<int> CheckRemainingArguments(const QStringList& arguments)
{
    Parser p;
    QString error;
    if (!p.parser.parse(arguments)) {
        error = p.parser.errorText();
    } else if (!p.parser.positionalArguments().isEmpty()) {
        error =
            QStringLiteral("unexpected argument '%1'.").arg(p.parser.positionalArguments().first());
    } else {
        return std::nullopt;
    }
    Print(stderr, QStringLiteral("kelvara: %1\nTry 'kelvara --help'.\n").arg(error));
    return kExitUsage;
}

}  // namespace kelvara::app
