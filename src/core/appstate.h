#pragma once
// The application state and the other program-wide objects. Each exists once;
// every window, the command-line tool and the tests reach them through this header.
#include <QString>
#include "image/bytes.h"

class TMacType;

class TALL
{
public:
    QString LanguageName;
    int LanguageIndex = 0;
    int CurrentChannel = 0;
    QString PortName;
    QString AppDir;
    QString ProductName;
    QString VersionText;
    int ChannelCount = 0;
    quint8 BandCode = 0;
    QString ModelName;
    QString BandText;
    double ModelHigh = 0.0;
    double ModelLow = 0.0;
    double BandHigh = 0.0;
    double BandLow = 0.0;
    double MaxOffset = 0.0;
    QString ModelCode;
    int PicID = 0;
    bool Modified = false;
    bool FillingControls = false;
    QString HelpPrefix;
    bool SerialEditable = false;
    const TMacType *CurrentModel = nullptr;
    ImageBytes Image{};
};

class TLanguage;
class TMacList;
class TFrqList;
class TChannel;

extern TALL AppState;
extern TLanguage LangTexts;
extern TMacList ModelList;
extern TFrqList BandNames;
extern TChannel ChannelScratch;
