#include "core/appstate.h"
#include "core/langtexts.h"
#include "core/printtables.h"
#include "image/channelcodec.h"
#include "image/models.h"

// The program-wide objects, in the order start-up fills them.
PrintTables Printing;
TMacList ModelList;
TALL AppState;
TChannel ChannelScratch;
TFrqList BandNames;
TLanguage LangTexts;
