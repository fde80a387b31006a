#include "image/imagejson.h"
#include "core/appstate.h"
#include "image/channelcodec.h"
#include "image/image.h"
#include "image/imagemap.h"
#include "image/numbers.h"
#include "image/settingsblock.h"
#include "image/tones.h"
#include <QJsonArray>

namespace {

QJsonObject channelObject(const TChannel &c, bool memoryChannel)
{
    QJsonObject o;
    o.insert(QStringLiteral("RxFrequency"), mhzText(c.RxFrequency));
    o.insert(QStringLiteral("TxFrequency"), mhzText(c.TxFrequency));
    o.insert(QStringLiteral("Offset"), mhzText(c.Offset));
    o.insert(QStringLiteral("Duplex"), c.Duplex);
    o.insert(QStringLiteral("DecodeTone"), ToneText(c.DecodeTone));
    o.insert(QStringLiteral("EncodeTone"), ToneText(c.EncodeTone));
    o.insert(QStringLiteral("DecodeToneIndex"), c.DecodeTone);
    o.insert(QStringLiteral("EncodeToneIndex"), c.EncodeTone);
    o.insert(QStringLiteral("TxStop"), c.TxStop);
    o.insert(QStringLiteral("BusyLock"), c.BusyLock);
    o.insert(QStringLiteral("Bandwidth"), c.Bandwidth);
    o.insert(QStringLiteral("TxPower"), c.TxPower);
    o.insert(QStringLiteral("Compander"), c.Compander);
    o.insert(QStringLiteral("Scrambler"), c.Scrambler);
    o.insert(QStringLiteral("Epilogue"), c.Epilogue);
    o.insert(QStringLiteral("Vox"), c.Vox);
    if (memoryChannel)
        o.insert(QStringLiteral("ScanDelete"), c.ScanDelete);
    o.insert(QStringLiteral("Name"), c.Name);
    return o;
}

} // namespace

const QList<RawRegion> &JsonRawRegions()
{
    static const QList<RawRegion> regions = {
        {"VfoChannel", imagemap::VfoChannel, imagemap::ChannelRecordSize},
        {"FmBlock", imagemap::FmChannelTable, imagemap::ChannelEmptyBits - imagemap::FmChannelTable},
        {"ScanDeleteBits", imagemap::ScanDeleteBits, imagemap::SettingsBlock - imagemap::ScanDeleteBits},
        {"SerialNumber", imagemap::SerialNumber, imagemap::SerialNumberSize},
    };
    return regions;
}

QJsonObject ImageToJson()
{
    QJsonObject root;
    root.insert(QStringLiteral("ModelCode"), AppState.ModelCode);
    root.insert(QStringLiteral("ModelName"), AppState.ModelName);
    root.insert(QStringLiteral("BandText"), AppState.BandText);
    root.insert(QStringLiteral("BandCode"), AppState.BandCode);
    root.insert(QStringLiteral("BandLow"), AppState.BandLow);
    root.insert(QStringLiteral("BandHigh"), AppState.BandHigh);
    root.insert(QStringLiteral("SerialNumber"), DecodeSerialNumber());
    root.insert(QStringLiteral("WriteTime"), DecodeWriteTime());

    QJsonArray channels;
    for (int n = 1; n <= AppState.ChannelCount && n <= imagemap::LastMemoryChannel; ++n) {
        TChannel c;
        if (!DecodeChannel(n, c))
            continue;
        QJsonObject o = channelObject(c, true);
        o.insert(QStringLiteral("Number"), n);
        channels.append(o);
    }
    root.insert(QStringLiteral("Channels"), channels);

    TChannel vfo;
    DecodeChannel(imagemap::VfoChannelNumber, vfo);
    root.insert(QStringLiteral("VfoChannel"), channelObject(vfo, false));

    root.insert(QStringLiteral("FmVfoFrequency"), mhzText(DecodeFmChannel(imagemap::FmVfoIndex)));
    QJsonArray fm;
    for (int i = 0; i < imagemap::FmChannelCount; ++i) {
        const double f = DecodeFmChannel(i);
        if (f <= 0)
            continue;
        QJsonObject o;
        o.insert(QStringLiteral("Number"), i + 1);
        o.insert(QStringLiteral("Frequency"), mhzText(f));
        fm.append(o);
    }
    root.insert(QStringLiteral("FmChannels"), fm);

    QJsonObject settings;
    for (int i = 0; i < SettingCount; ++i) {
        const SettingInfo &s = settingAt(i);
        if (*s.name)
            settings.insert(QLatin1String(s.name), AppState.Image[s.offset]);
    }
    root.insert(QStringLiteral("Settings"), settings);

    QJsonObject raw;
    for (const RawRegion &r : JsonRawRegions()) {
        const QByteArray part(reinterpret_cast<const char *>(AppState.Image.data()) + r.offset, r.size);
        raw.insert(QLatin1String(r.name), QString::fromLatin1(part.toHex().toUpper()));
    }
    root.insert(QStringLiteral("RawBytes"), raw);
    return root;
}
