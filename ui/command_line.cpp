#include "ui/command_line.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void UsageError(const QString& text) {
    std::fprintf(stderr, "signova: %s\n", text.toLocal8Bit().constData());
    std::exit(2);
}

} // namespace

CommandLine ParseCommandLine(const QCoreApplication& app) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("A DSP teaching program: signal generator, ADC, FIR and IIR filters, "
                       "DAC and oscilloscope."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(
        QStringLiteral("FILE"),
        QStringLiteral("A lesson (.signova) to open, or a coefficient file to load into the "
                       "table its //TYPE line names."),
        QStringLiteral("[FILE]"));
    if (!parser.parse(app.arguments()))
        UsageError(parser.errorText());
    if (parser.isSet(QStringLiteral("help")))
        parser.showHelp(0);
    if (parser.isSet(QStringLiteral("version")))
        parser.showVersion();
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1)
        UsageError(QStringLiteral("more than one FILE given; name one lesson or coefficient file"));
    CommandLine line;
    if (!files.isEmpty())
        line.file = files.constFirst();
    return line;
}
