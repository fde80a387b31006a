#include "core/startup.h"
#include "core/appstate.h"
#include "core/apppaths.h"
#include "core/langtexts.h"
#include "core/printtables.h"
#include "core/settings.h"
#include "image/channelcodec.h"
#include "image/image.h"
#include "image/models.h"

void CreateDataModule()
{
    Printing = PrintTables();
    ModelList = TMacList();
    AppState = TALL();
    ChannelScratch = TChannel();
    BandNames = TFrqList();
    LangTexts = TLanguage();

    AppState.AppDir = AppPaths::appDir();
    AppState.CurrentChannel = 1;
    BuildBandTable();
    BuildModelTable();
    LoadSettings();
    LoadMessages(AppState.LanguageName);
    AppState.MaxOffset = 70.0;
    AppState.FillingControls = false;
}

void SelectStartModel()
{
    const TMacType *first = ModelList.ByIndex(0);
    SelectModelAndBand(first->code(), first->defaultBand(), 0xF0, false);
    NewImage();
    const BandRange range = ParseBandRange(AppState.BandText);
    AppState.BandLow = range.low;
    AppState.BandHigh = range.high;
    AppState.Modified = false;
}
