#pragma once
// The radio models of the family and the frequency bands they are built for.
#include <QList>
#include <QString>
#include <QStringList>
#include <memory>

class TMacType
{
public:
    TMacType(const QString &code, int channelCount, const QString &displayName);

    void AddBand(const QString &name) { m_bands.append(name); }
    void SetDefaultBand(const QString &name) { m_defaultBand = name; }
    void SetLimits(double high, double low) { m_high = high; m_low = low; }

    const QString &code() const { return m_code; }
    const QString &displayName() const { return m_displayName; }
    int channelCount() const { return m_channelCount; }
    const QStringList &bands() const { return m_bands; }
    const QString &defaultBand() const { return m_defaultBand; }
    double high() const { return m_high; }
    double low() const { return m_low; }

private:
    QString m_code;
    QString m_displayName;
    int m_channelCount;
    QStringList m_bands;
    QString m_defaultBand;
    double m_high = 0.0;
    double m_low = 0.0;
};

class TMacList
{
public:
    void Add(const TMacType &model);
    const TMacType *ByIndex(int i) const;
    const TMacType *ByName(const QString &displayName) const;
    const TMacType *ByCode(const QString &code) const;
    void FillNames(QStringList &names) const;
    int count() const { return int(m_models.size()); }

private:
    // Held by pointer so that AppState.CurrentModel stays valid while the list grows.
    QList<std::shared_ptr<const TMacType>> m_models;
};

class TFrqList
{
public:
    void Add(const QString &name, quint8 code);
    // Code of the first band of that name; 0xF0 when none matches.
    quint8 CodeOf(const QString &name) const;
    // Name of the first band with that code; the name at position 5 when none matches.
    QString NameOf(quint8 code) const;
    int count() const { return int(m_bands.size()); }

private:
    QList<QPair<QString, quint8>> m_bands;
};

struct BandRange
{
    double low = 0.0;
    double high = 0.0;
    bool ok = false;       // both numbers read
};

void BuildBandTable();
void BuildModelTable();

// "400 - 470MHz" and "410.000 - 450.000MHz" give their two limits in MHz.
BandRange ParseBandRange(const QString &text);

// Makes a model and band current. A band code with high nibble 0xA is taken as
// given, any other is looked up from the band text. With takeLimits the band text
// becomes BandText and its limits BandLow and BandHigh. False (and nothing changed)
// for a model code that is not in the model list.
bool SelectModelAndBand(const QString &modelCode, const QString &bandText, quint8 bandCode,
                        bool takeLimits);

// Makes the model current and takes band and user-defined limits from the image's
// ident block. False (and nothing changed) for an unknown model code.
bool SelectModelFromImage(const QString &modelCode);

// The user-defined band text of two limits: "410.000 - 450.000MHz".
QString UserBandText(double low, double high);
