#include "image/models.h"
#include "core/appstate.h"
#include "image/bytes.h"
#include "image/imagemap.h"
#include "image/numbers.h"

TMacType::TMacType(const QString &code, int channelCount, const QString &displayName)
    : m_code(code), m_displayName(displayName), m_channelCount(channelCount)
{
}

void TMacList::Add(const TMacType &model)
{
    m_models.append(std::make_shared<const TMacType>(model));
}

const TMacType *TMacList::ByIndex(int i) const
{
    return i >= 0 && i < m_models.size() ? m_models[i].get() : nullptr;
}

const TMacType *TMacList::ByName(const QString &displayName) const
{
    for (const auto &m : m_models) {
        if (m->displayName() == displayName)
            return m.get();
    }
    return nullptr;
}

const TMacType *TMacList::ByCode(const QString &code) const
{
    for (const auto &m : m_models) {
        if (m->code() == code)
            return m.get();
    }
    return nullptr;
}

void TMacList::FillNames(QStringList &names) const
{
    names.clear();
    for (const auto &m : m_models)
        names.append(m->displayName());
}

void TFrqList::Add(const QString &name, quint8 code)
{
    m_bands.append({name, code});
}

quint8 TFrqList::CodeOf(const QString &name) const
{
    for (const auto &band : m_bands) {
        if (band.first == name)
            return band.second;
    }
    return 0xF0;
}

QString TFrqList::NameOf(quint8 code) const
{
    for (const auto &band : m_bands) {
        if (band.second == code)
            return band.first;
    }
    return m_bands.size() > 5 ? m_bands[5].first : QString();
}

void BuildBandTable()
{
    static const char *const names[] = {
        " 27 -  72MHz", " 67 -  72MHz", "134 - 174MHz", "200 - 260MHz",
        "320 - 400MHz", "400 - 470MHz", "400 - 520MHz", "134 - 520MHz",
    };
    for (int i = 0; i < 8; ++i)
        BandNames.Add(QLatin1String(names[i]), quint8(0xF0 + i));
}

void BuildModelTable()
{
    AppState.SerialEditable = true;
    AppState.ProductName = QStringLiteral("ZE-4K");
    AppState.VersionText = QStringLiteral(" V1.2");

    TMacType uhf(QStringLiteral("4k45"), 108, AppState.ProductName + QStringLiteral("(UHF)"));
    uhf.SetLimits(470.0, 400.0);
    uhf.AddBand(QStringLiteral("400 - 470MHz"));
    uhf.SetDefaultBand(QStringLiteral("400 - 470MHz"));
    ModelList.Add(uhf);

    TMacType mhf(QStringLiteral("4k46"), 108, AppState.ProductName + QStringLiteral("(MHF)"));
    mhf.SetLimits(470.0, 400.0);
    for (const char *band : {"134 - 174MHz", "200 - 260MHz", "320 - 400MHz", "400 - 520MHz", "134 - 520MHz"})
        mhf.AddBand(QLatin1String(band));
    mhf.SetDefaultBand(QStringLiteral("134 - 174MHz"));
    ModelList.Add(mhf);
}

BandRange ParseBandRange(const QString &text)
{
    BandRange range;
    const int dash = text.indexOf(QLatin1Char('-'));
    if (dash < 0)
        return range;
    const QString rest = text.mid(dash + 1);
    const int mhz = rest.indexOf(QLatin1String("MHz"));
    if (mhz < 0)
        return range;
    const auto low = parseDecimal(text.left(dash));
    const auto high = parseDecimal(rest.left(mhz));
    if (!low || !high)
        return range;
    range.low = *low;
    range.high = *high;
    range.ok = true;
    return range;
}

bool SelectModelAndBand(const QString &modelCode, const QString &bandText, quint8 bandCode,
                        bool takeLimits)
{
    const TMacType *model = ModelList.ByCode(modelCode);
    if (!model)
        return false;
    AppState.BandCode = (bandCode >> 4) == 0xA ? bandCode : BandNames.CodeOf(bandText);
    AppState.CurrentModel = model;
    AppState.ModelName = model->displayName();
    AppState.ModelCode = model->code();
    AppState.ModelHigh = model->high();
    AppState.ModelLow = model->low();
    AppState.ChannelCount = model->channelCount();
    AppState.BandText = model->defaultBand();
    if (takeLimits) {
        AppState.BandText = bandText;
        const BandRange range = ParseBandRange(bandText);
        AppState.BandLow = range.low;
        AppState.BandHigh = range.high;
    }
    return true;
}

QString UserBandText(double low, double high)
{
    return formatFixed(low, 3, 3) + QStringLiteral(" - ") + formatFixed(high, 3, 3) + QStringLiteral("MHz");
}

bool SelectModelFromImage(const QString &modelCode)
{
    if (!ModelList.ByCode(modelCode))
        return false;
    const ImageBytes &img = AppState.Image;
    const quint8 b = img[imagemap::IdentBandCode];
    const int flag = b >> 4;
    int n = 5;
    if (ModelList.ByIndex(0)->code() != modelCode && (b & 0x0F) <= 7)
        n = b & 0x0F;
    QString text = BandNames.NameOf(quint8(0xF0 + n));
    quint8 code = quint8(0xF0 + n);
    if (flag == 0xA) {
        const double low = bytes::get32(img, imagemap::IdentBandLow) * double(imagemap::FrequencyUnit) / 100000.0;
        const double high = bytes::get32(img, imagemap::IdentBandHigh) * double(imagemap::FrequencyUnit) / 100000.0;
        const BandRange band = ParseBandRange(text);
        if (band.low <= low && low <= band.high && band.low <= high && high <= band.high && low < high) {
            text = UserBandText(low, high);
            code = quint8(0xA0 + n);
        }
    }
    return SelectModelAndBand(modelCode, text, code, true);
}
