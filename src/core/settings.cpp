#include "core/settings.h"
#include "core/appstate.h"
#include "core/apppaths.h"
#include "core/inifile.h"
#include "core/textcodec.h"

namespace {

const QByteArray Section = "SysInfo";
// "中文|英文" in GBK: the default display names of the two languages.
const QByteArray DefaultDisplayNames = "\xD6\xD0\xCE\xC4|\xD3\xA2\xCE\xC4";

bool toInt32(const QByteArray &text, int *value)
{
    bool ok = false;
    const int v = text.trimmed().toInt(&ok, 10);
    if (ok)
        *value = v;
    return ok;
}

// PicID is kept as value + 1 and written back as value - 1; wrap like a 32-bit
// register so that every stored number survives the round trip.
int wrapAdd(int value, int delta)
{
    return int(quint32(value) + quint32(delta));
}

// Takes element number index (from 0) of a "|"-separated list the way the radio
// software always has: an index past the end or below 0 gives an empty name.
QString pickElement(QString rest, int index)
{
    QString element;
    for (int i = 0; i <= index; ++i) {
        // Once the list is used up every further element is empty: stop there
        // rather than count up to an index as large as INT_MAX.
        if (rest.isEmpty())
            return QString();
        const int bar = rest.indexOf(QLatin1Char('|'));
        if (bar >= 0) {
            element = rest.left(bar);
            rest.remove(0, bar + 1);
        } else {
            element = rest;
            rest.clear();
        }
    }
    return element;
}

} // namespace

QStringList splitLanguageList(const QString &value)
{
    QStringList pieces;
    QString rest = value;
    int bar;
    while ((bar = rest.indexOf(QLatin1Char('|'))) >= 0) {
        pieces.append(rest.left(bar));
        rest.remove(0, bar + 1);
    }
    if (!rest.isEmpty())
        pieces.append(rest);
    return pieces;
}

void LoadSettings()
{
    const IniFile ini(AppPaths::settingsFile());
    AppState.PortName = decodeText(ini.value(Section, "Com", "Com1"));
    const QByteArray defaultLanguage = ini.value(Section, "DefaultLanguage", "0");
    AppState.HelpPrefix = decodeText(ini.value(Section, "Help", "QX"));
    if (!toInt32(defaultLanguage, &AppState.LanguageIndex))
        AppState.LanguageIndex = 0;
    int picId = 0;
    AppState.PicID = toInt32(ini.value(Section, "PicID", "0"), &picId) ? wrapAdd(picId, 1) : 1;
    const QString languages = decodeText(ini.value(Section, "Language", "Chinese|English"));
    AppState.LanguageName = pickElement(languages, AppState.LanguageIndex);
}

bool SaveSettings()
{
    IniFile ini(AppPaths::settingsFile());
    ini.setValue(Section, "Com", encodeText(AppState.PortName));
    ini.setValue(Section, "DefaultLanguage", QByteArray::number(AppState.LanguageIndex));
    ini.setValue(Section, "PicID", QByteArray::number(wrapAdd(AppState.PicID, -1)));
    return ini.save();
}

void ListLanguages(QStringList &displayNames, QStringList &fileNames)
{
    const IniFile ini(AppPaths::settingsFile());
    fileNames.append(splitLanguageList(decodeText(ini.value(Section, "Language", "Chinese|English"))));
    const QByteArray displayKey = encodeText(AppState.LanguageName);
    displayNames.append(splitLanguageList(decodeText(ini.value(Section, displayKey, DefaultDisplayNames))));
}
