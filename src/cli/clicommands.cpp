#include "cli/clicommands.h"
#include "core/appstate.h"
#include "image/channelcodec.h"
#include "image/datafile.h"
#include "image/image.h"
#include "image/imageedit.h"
#include "image/imagejson.h"
#include "image/imagemap.h"
#include "image/models.h"
#include "image/numbers.h"
#include "image/settingsblock.h"
#include "image/tones.h"
#include <QDir>
#include <QJsonDocument>
#include <QTextStream>
#include <cstdio>

namespace {

void printOut(const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
}

QString fileLabel(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

const TMacType *modelForNew(const QString &code)
{
    if (code.isEmpty())
        return ModelList.ByIndex(0);
    const TMacType *model = ModelList.ByCode(code);
    if (!model) {
        QStringList codes;
        for (int i = 0; i < ModelList.count(); ++i)
            codes << ModelList.ByIndex(i)->code();
        cliError(QStringLiteral("unknown model '%1' (models: %2)").arg(code, codes.join(QStringLiteral(", "))));
    }
    return model;
}

// Band names are compared without regard to blanks, so "134-174MHz" finds "134 - 174MHz".
QString bandForNew(const TMacType &model, const QString &text)
{
    if (text.isEmpty())
        return model.defaultBand();
    const auto squeeze = [](QString s) { return s.remove(QLatin1Char(' ')); };
    for (const QString &band : model.bands()) {
        if (squeeze(band) == squeeze(text))
            return band;
    }
    QStringList quoted;
    for (const QString &band : model.bands())
        quoted << QLatin1Char('"') + band + QLatin1Char('"');
    cliError(QStringLiteral("model %1 has no band \"%2\" (bands: %3)")
                 .arg(model.code(), text, quoted.join(QStringLiteral(", "))));
    return QString();
}

const char *const YesNo[] = {"Yes", "No"};
const char *const LowHigh[] = {"Low", "High"};
const char *const NarrowWide[] = {"Narrow", "Wide"};
const char *const AddDel[] = {"Add", "Del"};
const char *const OffOn[] = {"Off", "On"};
const char *const DuplexNames[] = {"OFF", "+Dup", "-Dup"};

QString channelLine(const QString &number, const TChannel &c, bool memory)
{
    return QStringLiteral("%1  %2  %3  %4  %5  %6  %7  %8  %9")
               .arg(number, 4)
               .arg(mhzText(c.RxFrequency), 10)
               .arg(mhzText(c.TxFrequency), 10)
               .arg(QLatin1String(DuplexNames[c.Duplex % 3]), -4)
               .arg(ToneText(c.DecodeTone), -6)
               .arg(ToneText(c.EncodeTone), -6)
               .arg(QLatin1String(LowHigh[c.TxPower]), -5)
               .arg(QLatin1String(NarrowWide[c.Bandwidth]), -6)
               .arg(memory ? QLatin1String(AddDel[c.ScanDelete]) : QLatin1String("-"), -4)
           + QStringLiteral("  %1  %2  %3  %4  %5  %6  %7\n")
                 .arg(QLatin1String(YesNo[c.TxStop]), -7)
                 .arg(QLatin1String(YesNo[c.Compander]), -9)
                 .arg(QLatin1String(YesNo[c.Scrambler]), -9)
                 .arg(QLatin1String(YesNo[c.BusyLock]), -9)
                 .arg(QLatin1String(OffOn[c.Epilogue]), -8)
                 .arg(QLatin1String(c.Vox ? "Off" : "On"), -3)
                 .arg(c.Name);
}

QString summary(const QString &path)
{
    QString out;
    QTextStream s(&out);
    s << "File:          " << fileLabel(path) << '\n'
      << "Model:         " << AppState.ModelName << " (" << AppState.ModelCode << ")\n"
      << "Band:          " << AppState.BandText << " (code 0x"
      << QString::number(AppState.BandCode, 16).toUpper() << ", " << mhzText(AppState.BandLow) << " - "
      << mhzText(AppState.BandHigh) << " MHz)\n"
      << "Serial number: " << DecodeSerialNumber() << '\n'
      << "Write time:    " << DecodeWriteTime() << "\n\n";

    const QString heading = QStringLiteral("  No.  RX [MHz]    TX [MHz]    Dup   Dec     Enc     Power  W/N     Scan"
                                           "  TX Stop  Compander  Scrambler  Busy Lock  Epilogue  VOX  Name\n");
    int used = 0;
    QString rows;
    for (int n = 1; n <= AppState.ChannelCount; ++n) {
        TChannel c;
        if (DecodeChannel(n, c)) {
            ++used;
            rows += channelLine(QString::number(n), c, true);
        }
    }
    s << "Channels in use: " << used << " of " << AppState.ChannelCount << '\n';
    if (used)
        s << heading << rows;
    TChannel vfo;
    DecodeChannel(imagemap::VfoChannelNumber, vfo);
    s << "\nFrequency-mode channel:\n" << heading << channelLine(QStringLiteral("VFO"), vfo, false);

    s << "\nFM frequency-mode frequency: " << mhzText(DecodeFmChannel(imagemap::FmVfoIndex)) << " MHz\n";
    s << "FM channels:";
    bool anyFm = false;
    for (int i = 0; i < imagemap::FmChannelCount; ++i) {
        const double f = DecodeFmChannel(i);
        if (f > 0) {
            s << "\n  " << QString::number(i + 1).rightJustified(2) << "  " << mhzText(f);
            anyFm = true;
        }
    }
    s << (anyFm ? "\n" : " none\n");

    s << "\nSettings:\n";
    for (int i = 0; i < SettingCount; ++i) {
        const SettingInfo &setting = settingAt(i);
        if (*setting.name)
            s << "  " << QString::fromLatin1(setting.name).leftJustified(22) << AppState.Image[setting.offset] << '\n';
    }
    return out;
}

} // namespace

void cliError(const QString &message)
{
    std::fprintf(stderr, "ze4k-cli: %s\n", message.toUtf8().constData());
}

bool cliSaveFile(const QString &path)
{
    const DataFileResult result = WriteDataFile(path);
    if (!result.ok())
        cliError(result.message());
    return result.ok();
}

bool cliLoadFile(const QString &path)
{
    const DataFileResult result = ReadDataFile(path);
    if (result.ok())
        return true;
    QString message = result.message();
    if (result.error == DataFileResult::ModelUnknown || result.error == DataFileResult::BandNotNumeric)
        message = fileLabel(path) + QStringLiteral(": ") + message;
    cliError(message);
    return false;
}

int cliNew(const QStringList &args)
{
    QString file, code, bandText, lowText, highText;
    bool haveLimits = false;
    double low = 0, high = 0;
    for (int i = 0; i < args.size(); ++i) {
        const QString &a = args[i];
        if (a == QLatin1String("--model") && i + 1 < args.size()) {
            code = args[++i];
        } else if (a == QLatin1String("--band") && i + 1 < args.size()) {
            bandText = args[++i];
        } else if (a == QLatin1String("--limits") && i + 2 < args.size()) {
            const auto l = parseDecimal(args[i + 1]);
            const auto h = parseDecimal(args[i + 2]);
            if (!l || !h) {
                cliError(QStringLiteral("limits '%1' '%2' are not numbers in MHz").arg(args[i + 1], args[i + 2]));
                return CliBadInput;
            }
            low = *l;
            high = *h;
            lowText = args[i + 1].trimmed();
            highText = args[i + 2].trimmed();
            haveLimits = true;
            i += 2;
        } else if (!a.startsWith(QLatin1String("--")) && file.isEmpty()) {
            file = a;
        } else {
            cliError(QStringLiteral("new: unexpected argument '%1'").arg(a));
            return CliUsage;
        }
    }
    if (file.isEmpty()) {
        cliError(QStringLiteral("new: no file given"));
        return CliUsage;
    }
    const TMacType *model = modelForNew(code);
    if (!model)
        return CliBadInput;
    const QString band = bandForNew(*model, bandText);
    if (band.isEmpty())
        return CliBadInput;
    QString text = band;
    quint8 bandCode = BandNames.CodeOf(band);
    if (haveLimits) {
        const BandRange range = ParseBandRange(band);
        if (low < range.low || high > range.high) {
            cliError(QStringLiteral("limits %1 - %2 MHz are not inside the band \"%3\"").arg(lowText, highText, band));
            return CliBadInput;
        }
        if (!(high > low)) {
            cliError(QStringLiteral("the upper limit must be above the lower limit"));
            return CliBadInput;
        }
        text = UserBandText(low, high);
        bandCode = quint8((bandCode & 0x0F) | 0xA0);
    }
    SelectModelAndBand(model->code(), text, bandCode, true);
    NewImage();
    return cliSaveFile(file) ? CliOk : CliBadInput;
}

int cliShow(const QStringList &args)
{
    QString file;
    bool json = false;
    for (const QString &a : args) {
        if (a == QLatin1String("--json")) {
            json = true;
        } else if (!a.startsWith(QLatin1String("--")) && file.isEmpty()) {
            file = a;
        } else {
            cliError(QStringLiteral("show: unexpected argument '%1'").arg(a));
            return CliUsage;
        }
    }
    if (file.isEmpty()) {
        cliError(QStringLiteral("show: no file given"));
        return CliUsage;
    }
    if (!cliLoadFile(file))
        return CliBadInput;
    if (json)
        printOut(QString::fromUtf8(QJsonDocument(ImageToJson()).toJson(QJsonDocument::Indented)));
    else
        printOut(summary(file));
    return CliOk;
}

int cliSet(const QStringList &args)
{
    if (args.isEmpty()) {
        cliError(QStringLiteral("set: no file given"));
        return CliUsage;
    }
    const QString file = args.first();
    QList<QPair<QString, QString>> edits;
    for (const QString &pair : args.mid(1)) {
        const int eq = pair.indexOf(QLatin1Char('='));
        if (eq <= 0) {
            cliError(QStringLiteral("set: '%1' is not KEY=VALUE").arg(pair));
            return CliUsage;
        }
        edits.append({pair.left(eq), pair.mid(eq + 1)});
    }
    if (edits.isEmpty()) {
        cliError(QStringLiteral("set: nothing to set"));
        return CliUsage;
    }
    if (!cliLoadFile(file))
        return CliBadInput;
    for (const auto &edit : edits) {
        const EditResult result = ApplyEdit(edit.first, edit.second);
        if (!result.ok) {
            cliError(result.message);
            return CliBadInput;
        }
    }
    return cliSaveFile(file) ? CliOk : CliBadInput;
}
