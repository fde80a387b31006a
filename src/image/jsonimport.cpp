#include "image/jsonimport.h"
#include "core/appstate.h"
#include "image/bytes.h"
#include "image/channelcodec.h"
#include "image/channeledit.h"
#include "image/image.h"
#include "image/imagejson.h"
#include "image/imagemap.h"
#include "image/numbers.h"
#include "image/settingsblock.h"
#include "image/tones.h"
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSet>
#include <cmath>

namespace {

// Thrown inside the reader only; it ends as the plan's error text.
struct Refused
{
    QString why;
};

[[noreturn]] void refuse(const QString &why)
{
    throw Refused{why};
}

qint64 tenHz(double mhz)
{
    return roundHalfAway(mhz * 100000.0);
}

QString shown(const QJsonValue &v)
{
    if (v.isString())
        return QLatin1Char('\'') + v.toString() + QLatin1Char('\'');
    if (v.isDouble())
        return QString::number(v.toDouble(), 'g', 12);
    return QString::fromUtf8(QJsonDocument(QJsonArray{v}).toJson(QJsonDocument::Compact)).mid(1).chopped(1);
}

// Numbers may be written as JSON numbers or, as the export writes frequencies, as texts.
std::optional<double> number(const QJsonValue &v)
{
    if (v.isDouble())
        return v.toDouble();
    if (v.isString())
        return parseDecimal(v.toString());
    return std::nullopt;
}

int integer(const QJsonValue &v, int low, int high, const QString &what)
{
    const auto n = number(v);
    if (!n || *n != std::floor(*n) || *n < low || *n > high)
        refuse(QStringLiteral("%1 %2 is not a whole number from %3 to %4").arg(what, shown(v)).arg(low).arg(high));
    return int(*n);
}

double frequency(const QJsonValue &v, const QString &what)
{
    const auto f = number(v);
    if (!f)
        refuse(QStringLiteral("%1 %2 is not a number of MHz").arg(what, shown(v)));
    return *f;
}

QString bandText()
{
    return mhzText(AppState.BandLow) + QStringLiteral(" - ") + mhzText(AppState.BandHigh) + QStringLiteral(" MHz");
}

void checkInBand(double mhz, const QString &what)
{
    if (tenHz(mhz) < tenHz(AppState.BandLow) || tenHz(mhz) > tenHz(AppState.BandHigh))
        refuse(QStringLiteral("%1 %2 MHz is outside the band %3").arg(what, mhzText(mhz), bandText()));
}

void checkKeys(const QJsonObject &o, const QStringList &known, const QString &where)
{
    for (auto it = o.begin(); it != o.end(); ++it) {
        if (!known.contains(it.key()))
            refuse(QStringLiteral("%1unknown key '%2'").arg(where, it.key()));
    }
}

const struct FlagKey
{
    const char *name;
    int field;
} FlagKeys[] = {
    {"TxStop", FieldTxStop},       {"BusyLock", FieldBusyLock},   {"Bandwidth", FieldBandwidth},
    {"TxPower", FieldTxPower},     {"Compander", FieldCompander}, {"Scrambler", FieldScrambler},
    {"Epilogue", FieldEpilogue},   {"Vox", FieldVox},             {"ScanDelete", FieldScanDelete},
};

// A tone by its index, its tone-list text or both (which must then agree: the DCS
// code 532 is listed twice, so only the index tells the two apart).
std::optional<int> tone(const QJsonObject &o, const QString &key, const QString &where)
{
    const QJsonValue indexValue = o.value(key + QStringLiteral("Index"));
    const QJsonValue textValue = o.value(key);
    std::optional<int> index;
    if (!indexValue.isUndefined())
        index = integer(indexValue, 0, ToneCount - 1, where + key + QStringLiteral("Index"));
    if (textValue.isUndefined())
        return index;
    const QString text = textValue.toString().trimmed();
    int byText = text.compare(QLatin1String("None"), Qt::CaseInsensitive) == 0 ? 0 : toneIndexOf(text.toUpper());
    if (!textValue.isString() || byText < 0)
        refuse(QStringLiteral("%1%2 %3 is not in the tone list").arg(where, key, shown(textValue)));
    if (index && ToneText(*index) != ToneText(byText))
        refuse(QStringLiteral("%1%2 %3 and %2Index %4 name different tones").arg(where, key, shown(textValue)).arg(*index));
    return index ? index : byText;
}

JsonChannel readChannel(const QJsonObject &o, bool memory, const QString &where)
{
    QStringList known = {QStringLiteral("RxFrequency"), QStringLiteral("TxFrequency"), QStringLiteral("Offset"),
                         QStringLiteral("Duplex"), QStringLiteral("DecodeTone"), QStringLiteral("EncodeTone"),
                         QStringLiteral("DecodeToneIndex"), QStringLiteral("EncodeToneIndex"), QStringLiteral("Name")};
    for (const FlagKey &f : FlagKeys) {
        if (memory || f.field != FieldScanDelete)
            known << QLatin1String(f.name);
    }
    if (memory)
        known << QStringLiteral("Number");
    checkKeys(o, known, where);

    JsonChannel c;
    if (memory)
        c.number = integer(o.value(QStringLiteral("Number")), 1, qMin(AppState.ChannelCount, imagemap::LastMemoryChannel),
                           where + QStringLiteral("Number"));
    else
        c.number = imagemap::VfoChannelNumber;

    const QJsonValue rxValue = o.value(QStringLiteral("RxFrequency"));
    if (rxValue.isUndefined() && memory)
        refuse(where + QStringLiteral("RxFrequency is missing"));
    if (!rxValue.isUndefined()) {
        c.rx = RoundFrequency(0, frequency(rxValue, where + QStringLiteral("RxFrequency")));
        checkInBand(*c.rx, where + QStringLiteral("RxFrequency"));
    }
    // The frequency-mode channel keeps its RX when the object leaves it out.
    TChannel current;
    DecodeChannel(c.number, current);
    const double rx = c.rx.value_or(current.RxFrequency);

    const QJsonValue offsetValue = o.value(QStringLiteral("Offset"));
    const QJsonValue duplexValue = o.value(QStringLiteral("Duplex"));
    const QJsonValue txValue = o.value(QStringLiteral("TxFrequency"));
    std::optional<double> tx;
    if (!txValue.isUndefined())
        tx = RoundFrequency(StepClass(rx), frequency(txValue, where + QStringLiteral("TxFrequency")));
    if (!offsetValue.isUndefined() || !duplexValue.isUndefined()) {
        // Offset and direction are what the record holds; TX, when given, must follow from them.
        c.offset = offsetValue.isUndefined() ? 0.0 : RoundFrequency(0, frequency(offsetValue, where + QStringLiteral("Offset")));
        if (*c.offset < 0 || *c.offset > MaxTxDistance)
            refuse(QStringLiteral("%1Offset %2 MHz is not from 0 to 70 MHz").arg(where, mhzText(*c.offset)));
        c.duplex = duplexValue.isUndefined() ? 0 : integer(duplexValue, 0, 2, where + QStringLiteral("Duplex"));
        const double follows = *c.duplex == 1 ? rx + *c.offset : *c.duplex == 2 ? rx - *c.offset : rx;
        if (tx && tenHz(*tx) != tenHz(follows))
            refuse(QStringLiteral("%1TxFrequency %2 MHz does not follow from RX, Offset and Duplex (%3 MHz)")
                       .arg(where, mhzText(*tx), mhzText(follows)));
        tx = follows;
    } else if (tx) {
        if (!TxWithinReach(rx, *tx))
            refuse(QStringLiteral("%1TxFrequency %2 MHz is more than 70 MHz from RX %3 MHz").arg(where, mhzText(*tx), mhzText(rx)));
        const qint64 d = tenHz(*tx) - tenHz(rx);
        c.offset = std::llabs(d) / 100000.0;
        c.duplex = d > 0 ? 1 : d < 0 ? 2 : 0;
    }
    if (memory && tx)
        checkInBand(*tx, where + QStringLiteral("TX"));

    c.decodeTone = tone(o, QStringLiteral("DecodeTone"), where);
    c.encodeTone = tone(o, QStringLiteral("EncodeTone"), where);
    for (const FlagKey &f : FlagKeys) {
        const QJsonValue v = o.value(QLatin1String(f.name));
        if (!v.isUndefined())
            c.flags[f.field] = integer(v, 0, 1, where + QLatin1String(f.name));
    }
    const QJsonValue nameValue = o.value(QStringLiteral("Name"));
    if (!nameValue.isUndefined()) {
        const QString name = nameValue.toString();
        bool fits = nameValue.isString() && name.size() <= imagemap::record::NameLength;
        for (QChar ch : name)
            fits = fits && IsNameCharacter(ch);
        if (!fits)
            refuse(QStringLiteral("%1Name %2 is not up to 6 of A-Z, 0-9, space, '-', '*' and '+'").arg(where, shown(nameValue)));
        c.name = name.toUpper();   // not trimmed: a stored name may end in spaces
    }
    return c;
}

QString channelPlace(const QJsonObject &o, int i)
{
    const QJsonValue n = o.value(QStringLiteral("Number"));
    return QStringLiteral("Channels[%1]%2: ").arg(i).arg(n.isDouble() ? QStringLiteral(" (channel %1)").arg(n.toDouble()) : QString());
}

void readChannels(const QJsonValue &value, JsonImportPlan &plan)
{
    if (!value.isArray())
        refuse(QStringLiteral("Channels is not a list"));
    QList<JsonChannel> channels;
    QSet<int> seen;
    const QJsonArray array = value.toArray();
    for (int i = 0; i < array.size(); ++i) {
        if (!array.at(i).isObject())
            refuse(QStringLiteral("Channels[%1] is not an object").arg(i));
        const QJsonObject o = array.at(i).toObject();
        const JsonChannel c = readChannel(o, true, channelPlace(o, i));
        if (seen.contains(c.number))
            refuse(QStringLiteral("%1channel %2 is given twice").arg(channelPlace(o, i)).arg(c.number));
        seen.insert(c.number);
        channels.append(c);
    }
    plan.channels = channels;
}

double fmFrequency(const QJsonValue &v, const QString &what)
{
    const double f = frequency(v, what);
    if (tenHz(f) < 7600000 || tenHz(f) > 10800000)
        refuse(QStringLiteral("%1 %2 MHz is not from 76 to 108 MHz").arg(what, mhzText(f)));
    return parseDecimal(NormalizeFmFrequency(mhzText(f)).text).value_or(76.0);
}

void readFm(const QJsonObject &root, JsonImportPlan &plan)
{
    if (root.contains(QStringLiteral("FmVfoFrequency")))
        plan.fmVfo = fmFrequency(root.value(QStringLiteral("FmVfoFrequency")), QStringLiteral("FmVfoFrequency"));
    if (!root.contains(QStringLiteral("FmChannels")))
        return;
    const QJsonValue value = root.value(QStringLiteral("FmChannels"));
    if (!value.isArray())
        refuse(QStringLiteral("FmChannels is not a list"));
    std::map<int, double> fm;
    const QJsonArray array = value.toArray();
    for (int i = 0; i < array.size(); ++i) {
        const QString where = QStringLiteral("FmChannels[%1]: ").arg(i);
        if (!array.at(i).isObject())
            refuse(QStringLiteral("FmChannels[%1] is not an object").arg(i));
        const QJsonObject o = array.at(i).toObject();
        checkKeys(o, {QStringLiteral("Number"), QStringLiteral("Frequency")}, where);
        const int n = integer(o.value(QStringLiteral("Number")), 1, imagemap::FmChannelCount, where + QStringLiteral("Number"));
        if (fm.count(n - 1))
            refuse(QStringLiteral("%1FM channel %2 is given twice").arg(where).arg(n));
        fm[n - 1] = fmFrequency(o.value(QStringLiteral("Frequency")), where + QStringLiteral("Frequency"));
    }
    plan.fmChannels = fm;
}

void readSettings(const QJsonValue &value, JsonImportPlan &plan)
{
    if (!value.isObject())
        refuse(QStringLiteral("Settings is not an object"));
    const QJsonObject o = value.toObject();
    for (auto it = o.begin(); it != o.end(); ++it) {
        const SettingInfo *s = settingByName(it.key());
        if (!s || !*s->name)
            refuse(QStringLiteral("Settings: unknown setting '%1'").arg(it.key()));
        plan.settings.append({s->offset, integer(it.value(), 0, s->maximum, QStringLiteral("Settings: ") + it.key())});
    }
}

void readSerial(const QJsonValue &value, JsonImportPlan &plan)
{
    const QString text = value.toString();
    bool fits = value.isString() && text.size() <= imagemap::SerialNumberSize;
    for (QChar c : text)
        fits = fits && c.unicode() >= 0x20 && c.unicode() <= 0x7E;
    if (!fits)
        refuse(QStringLiteral("SerialNumber %1 is not up to 16 printable characters").arg(shown(value)));
    plan.serialNumber = text;
}

// The write time as DecodeWriteTime shows it, never-written fields (255) included.
void readWriteTime(const QJsonValue &value, JsonImportPlan &plan)
{
    static const QRegularExpression layout(QStringLiteral("^(\\d{1,5})-(\\d{1,3})-(\\d{1,3}) (\\d{1,3}):(\\d{1,3}):(\\d{1,3})$"));
    const auto m = layout.match(value.toString());
    bool fits = value.isString() && m.hasMatch() && m.captured(1).toInt() <= 0xFFFF;
    QByteArray bytes;
    if (fits) {
        const int year = m.captured(1).toInt();
        bytes.append(char(year & 0xFF)).append(char(year >> 8));
        for (int i = 2; i <= 6; ++i) {
            const int part = m.captured(i).toInt();
            fits = fits && part <= 0xFF;
            bytes.append(char(part));
        }
    }
    if (!fits)
        refuse(QStringLiteral("WriteTime %1 is not of the form yyyy-MM-dd HH:mm:ss").arg(shown(value)));
    plan.writeTime = bytes;
}

void readRaw(const QJsonValue &value, JsonImportPlan &plan)
{
    if (!value.isObject())
        refuse(QStringLiteral("RawBytes is not an object"));
    const QJsonObject o = value.toObject();
    QStringList known;
    for (const RawRegion &r : JsonRawRegions())
        known << QLatin1String(r.name);
    checkKeys(o, known, QStringLiteral("RawBytes: "));
    for (const RawRegion &r : JsonRawRegions()) {
        const QJsonValue v = o.value(QLatin1String(r.name));
        if (v.isUndefined())
            continue;
        static const QRegularExpression hex(QStringLiteral("^[0-9A-Fa-f]*$"));
        const QString text = v.toString();
        if (!v.isString() || text.size() != 2 * r.size || !hex.match(text).hasMatch())
            refuse(QStringLiteral("RawBytes: %1 is not %2 bytes in hexadecimal").arg(QLatin1String(r.name)).arg(r.size));
        plan.raw.append({r.offset, QByteArray::fromHex(text.toLatin1())});
    }
}

// Model and band are the image's: frequencies of another band would be held to
// this one's limits and stored as something else.
void checkModelAndBand(const QJsonObject &root)
{
    const QString here = QStringLiteral("model %1, band %2").arg(AppState.ModelCode, AppState.BandText);
    const auto mismatch = [&](const QString &what) {
        refuse(QStringLiteral("the file is for %1, the image is %2: make an image of that model and band first")
                   .arg(what, here));
    };
    const QJsonValue model = root.value(QStringLiteral("ModelCode"));
    if (!model.isUndefined() && model.toString() != AppState.ModelCode)
        mismatch(QStringLiteral("model %1").arg(shown(model)));
    const QJsonValue code = root.value(QStringLiteral("BandCode"));
    if (!code.isUndefined() && (!code.isDouble() || code.toDouble() != AppState.BandCode))
        mismatch(QStringLiteral("band code %1").arg(shown(code)));
    for (const auto &[key, limit] : {std::pair{"BandLow", AppState.BandLow}, std::pair{"BandHigh", AppState.BandHigh}}) {
        const QJsonValue v = root.value(QLatin1String(key));
        if (v.isUndefined())
            continue;
        const auto f = number(v);
        if (!f || LimitValue(*f) != LimitValue(limit))
            mismatch(QStringLiteral("%1 %2").arg(QLatin1String(key), shown(v)));
    }
}

void readRoot(const QJsonObject &root, JsonImportPlan &plan)
{
    checkKeys(root,
              {QStringLiteral("ModelCode"), QStringLiteral("ModelName"), QStringLiteral("BandText"),
               QStringLiteral("BandCode"), QStringLiteral("BandLow"), QStringLiteral("BandHigh"),
               QStringLiteral("SerialNumber"), QStringLiteral("WriteTime"), QStringLiteral("Channels"),
               QStringLiteral("VfoChannel"), QStringLiteral("FmVfoFrequency"), QStringLiteral("FmChannels"),
               QStringLiteral("Settings"), QStringLiteral("RawBytes")},
              QString());
    checkModelAndBand(root);
    if (root.contains(QStringLiteral("Channels")))
        readChannels(root.value(QStringLiteral("Channels")), plan);
    if (root.contains(QStringLiteral("VfoChannel"))) {
        if (!root.value(QStringLiteral("VfoChannel")).isObject())
            refuse(QStringLiteral("VfoChannel is not an object"));
        plan.vfo = readChannel(root.value(QStringLiteral("VfoChannel")).toObject(), false, QStringLiteral("VfoChannel: "));
    }
    readFm(root, plan);
    if (root.contains(QStringLiteral("Settings")))
        readSettings(root.value(QStringLiteral("Settings")), plan);
    if (root.contains(QStringLiteral("SerialNumber")))
        readSerial(root.value(QStringLiteral("SerialNumber")), plan);
    if (root.contains(QStringLiteral("WriteTime")))
        readWriteTime(root.value(QStringLiteral("WriteTime")), plan);
    if (root.contains(QStringLiteral("RawBytes")))
        readRaw(root.value(QStringLiteral("RawBytes")), plan);
}

void write(int n, int field, const QString &text)
{
    WriteChannelField(n, field, text);
}

// A memory channel is stored whole: emptied, created with the new-channel values,
// then every field the object gives.
void storeMemoryChannel(const JsonChannel &c)
{
    const int n = c.number;
    EraseChannel(n);
    SetChannelRx(n, *c.rx);
    if (c.offset) {
        write(n, FieldOffset, mhzText(*c.offset));
        write(n, FieldDuplex, QString::number(*c.duplex));
    }
    if (c.decodeTone)
        write(n, FieldDecodeTone, QString::number(*c.decodeTone));
    if (c.encodeTone)
        write(n, FieldEncodeTone, QString::number(*c.encodeTone));
    for (const auto &[field, value] : c.flags)
        write(n, field, QString::number(value));
    if (c.name)
        write(n, FieldName, *c.name);
}

std::uint8_t flagOf(const TChannel &t, int field)
{
    switch (field) {
    case FieldTxStop: return t.TxStop;
    case FieldBusyLock: return t.BusyLock;
    case FieldBandwidth: return t.Bandwidth;
    case FieldTxPower: return t.TxPower;
    case FieldCompander: return t.Compander;
    case FieldScrambler: return t.Scrambler;
    case FieldEpilogue: return t.Epilogue;
    case FieldVox: return t.Vox;
    default: return t.ScanDelete;
    }
}

// The frequency-mode channel's fields are written one by one, each only when it
// reads differently: a field never written keeps its bytes.
void storeVfo(const JsonChannel &c)
{
    const int n = imagemap::VfoChannelNumber;
    TChannel t;
    DecodeChannel(n, t);
    if (c.rx && tenHz(*c.rx) != tenHz(t.RxFrequency))
        write(n, FieldRxFrequency, mhzText(*c.rx));
    if (c.offset && tenHz(*c.offset) != tenHz(t.Offset))
        write(n, FieldOffset, mhzText(*c.offset));
    if (c.duplex && *c.duplex != t.Duplex)
        write(n, FieldDuplex, QString::number(*c.duplex));
    if (c.decodeTone && *c.decodeTone != t.DecodeTone)
        write(n, FieldDecodeTone, QString::number(*c.decodeTone));
    if (c.encodeTone && *c.encodeTone != t.EncodeTone)
        write(n, FieldEncodeTone, QString::number(*c.encodeTone));
    for (const auto &[field, value] : c.flags) {
        if (value != flagOf(t, field))
            write(n, field, QString::number(value));
    }
    if (c.name && *c.name != t.Name)
        write(n, FieldName, *c.name);
}

void storeFm(const JsonImportPlan &plan)
{
    if (plan.fmVfo && tenHz(*plan.fmVfo) != tenHz(DecodeFmChannel(imagemap::FmVfoIndex)))
        WriteFmChannel(imagemap::FmVfoIndex, mhzText(*plan.fmVfo));
    if (!plan.fmChannels)
        return;
    for (int i = 0; i < imagemap::FmChannelCount; ++i) {
        const auto it = plan.fmChannels->find(i);
        const double now = DecodeFmChannel(i);
        if (it == plan.fmChannels->end()) {
            if (now > 0)
                WriteFmChannel(i, QString());
        } else if (now < 0 || tenHz(now) != tenHz(it->second)) {
            WriteFmChannel(i, mhzText(it->second));
        }
    }
}

} // namespace

JsonImportPlan ReadImageJson(const QByteArray &data)
{
    JsonImportPlan plan;
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(data, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        plan.error = QStringLiteral("not JSON: %1 at character %2").arg(parseError.errorString()).arg(parseError.offset);
        return plan;
    }
    if (!doc.isObject()) {
        plan.error = QStringLiteral("not a JSON object");
        return plan;
    }
    try {
        readRoot(doc.object(), plan);
    } catch (const Refused &refused) {
        JsonImportPlan refusedPlan;
        refusedPlan.error = refused.why;
        return refusedPlan;
    }
    return plan;
}

void ApplyJsonImport(const JsonImportPlan &plan)
{
    if (!plan.usable())
        return;
    ImageBytes &img = AppState.Image;
    // The raw bytes first: the named fields then change only what they read differently.
    for (const auto &[offset, bytes] : plan.raw) {
        for (int i = 0; i < bytes.size(); ++i)
            img[offset + i] = std::uint8_t(bytes.at(i));
    }
    if (plan.channels) {
        QSet<int> given;
        for (const JsonChannel &c : *plan.channels) {
            storeMemoryChannel(c);
            given.insert(c.number);
        }
        for (int n = 1; n <= AppState.ChannelCount && n <= imagemap::LastMemoryChannel; ++n) {
            if (!given.contains(n) && !IsChannelEmpty(n))
                EraseChannel(n);
        }
    }
    if (plan.vfo)
        storeVfo(*plan.vfo);
    storeFm(plan);
    for (const auto &[offset, value] : plan.settings)
        img[offset] = std::uint8_t(value);
    if (plan.serialNumber) {
        const QString padded = (*plan.serialNumber + QString(imagemap::SerialNumberSize, QLatin1Char(' ')))
                                   .left(imagemap::SerialNumberSize);
        if (DecodeSerialNumber() != padded)
            EncodeSerialNumber(*plan.serialNumber);
    }
    if (plan.writeTime) {
        for (int i = 0; i < plan.writeTime->size(); ++i)
            img[imagemap::WriteTime + i] = std::uint8_t(plan.writeTime->at(i));
    }
}
