// ze4k-radio-sim: a virtual ZE-4K radio on a pseudo-terminal.
#include "pty.h"
#include "radiooptions.h"
#include "virtualradio.h"
#include <QCommandLineParser>
#include <QCoreApplication>
#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("ze4k-radio-sim"));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("A virtual ZE-4K radio on a pseudo-terminal. Prints the device to open as the first line.\n"
                       "STEP is one of handshake, ident, ack, read:N, readack:N, write:N (N a block, 0 to 126)."));
    parser.addHelpOption();
    addRadioOptions(parser);
    const auto usageError = [](const QString &message) {
        std::fprintf(stderr, "ze4k-radio-sim: %s\n", qPrintable(message));
        return 2;
    };
    if (!parser.parse(QCoreApplication::arguments()))
        return usageError(parser.errorText());
    if (parser.isSet(QStringLiteral("help"))) {
        std::fputs(qPrintable(parser.helpText()), stdout);
        return 0;
    }
    if (!parser.positionalArguments().isEmpty())
        return usageError(QStringLiteral("unexpected argument: %1").arg(parser.positionalArguments().first()));
    RadioOptions options;
    QString error;
    if (!radioOptionsFromParser(parser, &options, &error))
        return usageError(error);
    options.keepTrace = false;  // it may serve for days; --trace prints as it goes

    // Asked to stop as early as possible, so that the link never outlives the program.
    callOnTerminationRequest(&app, [] { QCoreApplication::quit(); });
    VirtualRadio radio(options);
    if (!radio.start(&error)) {
        std::fprintf(stderr, "ze4k-radio-sim: %s\n", qPrintable(error));
        return 1;
    }
    std::printf("%s\n", qPrintable(radio.devicePath()));
    std::fflush(stdout);

    QObject::connect(&radio, &VirtualRadio::sessionEnded, &app, [&options](VirtualRadio::Session session) {
        if (options.once && session != VirtualRadio::Session::Incomplete)
            QCoreApplication::quit();
    });
    QObject::connect(&radio, &VirtualRadio::saveFailed, &app, [](const QString &message) {
        std::fprintf(stderr, "ze4k-radio-sim: %s\n", qPrintable(message));
    });
    // Without its device there is nothing left to serve.
    QObject::connect(&radio, &VirtualRadio::cablePulled, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    return app.exec();
}
