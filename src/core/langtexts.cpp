#include "core/langtexts.h"
#include "core/appstate.h"
#include "core/apppaths.h"
#include "core/inifile.h"
#include "core/textcodec.h"

void LoadMessages(const QString &languageName)
{
    const IniFile ini(AppPaths::languageFile(languageName));
    const auto load = [&ini](const char *key, QString &field) {
        if (const auto text = ini.value("Language", key))
            field = decodeText(*text);
    };
    TLanguage &t = LangTexts;
    t = TLanguage();   // a key the file lacks gives the built-in text, not the previous language's
    load("Confirmation", t.Confirmation);
    load("ExitProgram", t.ExitProgram);
    load("SaveProgram", t.SaveProgram);
    load("Channel", t.Channel);
    load("Info", t.Info);
    load("OutRange", t.OutRange);
    load("Caution", t.Caution);
    load("FileExists", t.FileExists);
    load("ComError", t.ComError);
    load("ModError", t.ModError);
    load("ClearData", t.ClearData);
    load("Modforce", t.Modforce);
    load("ErrRange", t.ErrRange);
    load("ReadOk", t.ReadOk);
    load("WriteOk", t.WriteOk);
    load("LPortError", t.LPortError);
    load("ImportNothing", t.ImportNothing);
    load("ExportFailed", t.ExportFailed);
}
