#include "radiooptions.h"
#include <QCommandLineParser>

namespace {

constexpr int BlockCount = 127;

bool readBlock(const QString &text, int *block)
{
    bool ok = false;
    const int n = text.toInt(&ok);
    if (!ok || n < 0 || n >= BlockCount)
        return false;
    *block = n;
    return true;
}

} // namespace

std::optional<RadioStep> RadioStep::parse(const QString &text)
{
    const QString name = text.section(QLatin1Char(':'), 0, 0).trimmed().toLower();
    const bool hasBlock = text.contains(QLatin1Char(':'));
    const QString blockText = text.section(QLatin1Char(':'), 1);
    RadioStep step;
    int block = -1;
    if (!name.isEmpty() && name.at(0).isDigit() && !hasBlock) {
        if (!readBlock(name, &block))
            return std::nullopt;
        step.kind = Block;
        step.block = block;
        return step;
    }
    if (name == QLatin1String("handshake"))
        step.kind = Handshake;
    else if (name == QLatin1String("ident"))
        step.kind = Ident;
    else if (name == QLatin1String("ack"))
        step.kind = Ack;
    else if (name == QLatin1String("read"))
        step.kind = Read;
    else if (name == QLatin1String("readack"))
        step.kind = ReadAck;
    else if (name == QLatin1String("write"))
        step.kind = Write;
    else
        return std::nullopt;
    const bool takesBlock = step.kind == Read || step.kind == ReadAck || step.kind == Write;
    if (hasBlock) {
        if (!takesBlock || !readBlock(blockText.trimmed(), &block))
            return std::nullopt;
        step.block = block;
    }
    return step;
}

QString RadioStep::toString() const
{
    QString name;
    switch (kind) {
    case Handshake: return QStringLiteral("handshake");
    case Ident: return QStringLiteral("ident");
    case Ack: return QStringLiteral("ack");
    case Read: name = QStringLiteral("read"); break;
    case ReadAck: name = QStringLiteral("readack"); break;
    case Write: name = QStringLiteral("write"); break;
    case Block: return QString::number(block);
    }
    return block < 0 ? name : name + QLatin1Char(':') + QString::number(block);
}

bool RadioStep::covers(const RadioStep &happening) const
{
    const bool blockMatches = block < 0 || block == happening.block;
    if (kind == Block)
        return (happening.kind == Read || happening.kind == Write) && blockMatches;
    return kind == happening.kind && blockMatches;
}

void addRadioOptions(QCommandLineParser &parser)
{
    parser.addOptions({
        {QStringLiteral("image"), QStringLiteral("Hold the image of this data file (and its model)."),
         QStringLiteral("FILE")},
        {QStringLiteral("save"), QStringLiteral("Save the memory as a data file after each completed write."),
         QStringLiteral("FILE")},
        {QStringLiteral("model"), QStringLiteral("Model code of the ident reply, four characters (default 4k45)."),
         QStringLiteral("CODE")},
        {QStringLiteral("link"), QStringLiteral("Make a symbolic link to the radio's device."),
         QStringLiteral("PATH")},
        {QStringLiteral("wire"), QStringLiteral("Pace every byte at the cable's speed: 2400 baud, 11 bits a byte.")},
        {QStringLiteral("once"), QStringLiteral("Exit after the first completed read or write.")},
        {QStringLiteral("trace"), QStringLiteral("Print every exchange on stderr.")},
        {QStringLiteral("silent-at"), QStringLiteral("Give no answer at STEP (repeatable)."), QStringLiteral("STEP")},
        {QStringLiteral("stray-byte"), QStringLiteral("Send a stray 0x00 before the handshake ACK.")},
        {QStringLiteral("late-ack"),
         QStringLiteral("Answer MS milliseconds late at STEP (default: every ACK)."), QStringLiteral("MS[:STEP]")},
        {QStringLiteral("wrong-ack"), QStringLiteral("Answer 0x15 instead at STEP (repeatable)."),
         QStringLiteral("STEP")},
        {QStringLiteral("burst"), QStringLiteral("Answer the ident with N bytes in one write."), QStringLiteral("N")},
        {QStringLiteral("cable-pull"),
         QStringLiteral("Close the device when block N is read or written (or at STEP)."), QStringLiteral("N|STEP")},
        {QStringLiteral("repeat-faults"),
         QStringLiteral("Faults strike every time their step comes, not only the first time.")},
    });
}

bool radioOptionsFromParser(const QCommandLineParser &parser, RadioOptions *options, QString *error)
{
    const auto bad = [error](const QString &option, const QString &value, const QString &why) {
        if (error)
            *error = QStringLiteral("--%1 %2: %3").arg(option, value, why);
        return false;
    };
    const auto step = [&](const QString &option, const QString &value, RadioStep *into) {
        const auto parsed = RadioStep::parse(value);
        if (!parsed)
            return bad(option, value,
                       QStringLiteral("expected handshake, ident, ack, read:N, readack:N, write:N "
                                      "or a block number N (0 to 126)"));
        *into = *parsed;
        return true;
    };

    RadioOptions o;
    o.imagePath = parser.value(QStringLiteral("image"));
    o.savePath = parser.value(QStringLiteral("save"));
    o.linkPath = parser.value(QStringLiteral("link"));
    o.wire = parser.isSet(QStringLiteral("wire"));
    o.once = parser.isSet(QStringLiteral("once"));
    o.printTrace = parser.isSet(QStringLiteral("trace"));
    if (parser.isSet(QStringLiteral("model"))) {
        const QString code = parser.value(QStringLiteral("model"));
        const QByteArray bytes = code.toLatin1();
        if (code.size() != 4 || bytes.size() != 4 || QString::fromLatin1(bytes) != code)
            return bad(QStringLiteral("model"), code, QStringLiteral("expected four 8-bit characters"));
        o.modelCode = bytes;
    }

    RadioFaults &f = o.faults;
    for (const QString &value : parser.values(QStringLiteral("silent-at"))) {
        RadioStep s;
        if (!step(QStringLiteral("silent-at"), value, &s))
            return false;
        f.silentAt.append(s);
    }
    for (const QString &value : parser.values(QStringLiteral("wrong-ack"))) {
        RadioStep s;
        if (!step(QStringLiteral("wrong-ack"), value, &s))
            return false;
        f.wrongAckAt.append(s);
    }
    f.strayByte = parser.isSet(QStringLiteral("stray-byte"));
    if (parser.isSet(QStringLiteral("late-ack"))) {
        const QString value = parser.value(QStringLiteral("late-ack"));
        bool ok = false;
        f.lateMs = value.section(QLatin1Char(':'), 0, 0).toInt(&ok);
        if (!ok || f.lateMs <= 0)
            return bad(QStringLiteral("late-ack"), value, QStringLiteral("expected a delay in milliseconds above 0"));
        if (value.contains(QLatin1Char(':'))) {
            RadioStep s;
            if (!step(QStringLiteral("late-ack"), value.section(QLatin1Char(':'), 1), &s))
                return false;
            f.lateAt = s;
        }
    }
    if (parser.isSet(QStringLiteral("burst"))) {
        const QString value = parser.value(QStringLiteral("burst"));
        bool ok = false;
        f.burstBytes = value.toInt(&ok);
        if (!ok || f.burstBytes < 16 || f.burstBytes > 4096)
            return bad(QStringLiteral("burst"), value, QStringLiteral("expected a byte count from 16 to 4096"));
    }
    if (parser.isSet(QStringLiteral("cable-pull"))) {
        RadioStep s;
        if (!step(QStringLiteral("cable-pull"), parser.value(QStringLiteral("cable-pull")), &s))
            return false;
        f.cablePullAt = s;
    }
    f.repeat = parser.isSet(QStringLiteral("repeat-faults"));
    *options = o;
    return true;
}

std::optional<RadioOptions> parseRadioArguments(const QStringList &arguments, QString *error)
{
    QCommandLineParser parser;
    addRadioOptions(parser);
    if (!parser.parse(arguments)) {
        if (error)
            *error = parser.errorText();
        return std::nullopt;
    }
    if (!parser.positionalArguments().isEmpty()) {
        if (error)
            *error = QStringLiteral("unexpected argument: %1").arg(parser.positionalArguments().first());
        return std::nullopt;
    }
    RadioOptions options;
    if (!radioOptionsFromParser(parser, &options, error))
        return std::nullopt;
    return options;
}
