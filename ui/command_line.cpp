#include "ui/command_line.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>

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
    const QCommandLineOption render(
        QStringLiteral("render"),
        QStringLiteral("Run LESSON without a window, on the FIR page unless the lesson shows the "
                       "IIR page, and write scope.png, samples.csv, a copy of the lesson and the "
                       "pictures of the views it opens into the folder --out names."),
        QStringLiteral("LESSON"));
    const QCommandLineOption out(QStringLiteral("out"),
                                 QStringLiteral("The folder --render writes into (made when "
                                                "missing; files there are replaced)."),
                                 QStringLiteral("DIR"));
    const QCommandLineOption samples(
        QStringLiteral("samples"),
        QStringLiteral("Samples --render runs (default: until %1 sweeps have been drawn).")
            .arg(RenderSweeps),
        QStringLiteral("N"));
    parser.addOption(render);
    parser.addOption(out);
    parser.addOption(samples);
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
    for (const QCommandLineOption* option : {&render, &out, &samples})
        if (parser.values(*option).size() > 1)
            UsageError(QStringLiteral("--%1 given more than once").arg(option->names().constFirst()));
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1)
        UsageError(QStringLiteral("more than one FILE given; name one lesson or coefficient file"));
    CommandLine line;
    if (!parser.isSet(render)) {
        if (parser.isSet(out) || parser.isSet(samples))
            UsageError(QStringLiteral("--out and --samples go with --render LESSON"));
        if (!files.isEmpty())
            line.file = files.constFirst();
        return line;
    }
    if (!files.isEmpty())
        UsageError(QStringLiteral("--render takes its LESSON and no other FILE"));
    if (!parser.isSet(out) || parser.value(out).isEmpty())
        UsageError(QStringLiteral("--render needs --out DIR, the folder to write into"));
    RenderRequest request;
    request.lesson = QFile::encodeName(parser.value(render)).toStdString();
    request.folder = QFile::encodeName(parser.value(out)).toStdString();
    if (parser.isSet(samples)) {
        bool isNumber = false;
        const long long count = parser.value(samples).toLongLong(&isNumber);
        if (!isNumber || count < 1)
            UsageError(QStringLiteral("--samples needs a whole number above 0, not '%1'")
                           .arg(parser.value(samples)));
        request.samples = count;
    }
    line.render = request;
    return line;
}
