// New, Open, Save and Save As of the main window.
#include "shell/mainwindow.h"
#include "core/appstate.h"
#include "core/langtexts.h"
#include "core/showmsg.h"
#include "image/datafile.h"
#include "image/image.h"
#include "shell/filedialogs.h"
#include <QFileInfo>

namespace {

void showFileError(const DataFileResult &result)
{
    ShowMsg(LangTexts.Confirmation, result.message(), MsgInformation);
}

} // namespace

// Before the image is replaced: offer to save the changes. False when the user
// wanted them saved and the save did not happen (cancelled or failed): the command
// that asked is then cancelled and the changes stay.
bool TfMainFrm::askSaveBeforeDiscarding()
{
    if (!AppState.Modified)
        return true;
    if (ShowMsg(LangTexts.Confirmation, LangTexts.SaveProgram, MsgQuestion) != MsgYes)
        return true;
    return DoSave();
}

void TfMainFrm::startNewImage()
{
    NewImage();
    CurrentFile.clear();
    UpdateStatus();
    RefreshViews(1);
    AppState.Modified = false;
}

bool TfMainFrm::DoNew()
{
    if (!askSaveBeforeDiscarding())
        return false;
    startNewImage();
    return true;
}

bool TfMainFrm::DoOpen()
{
    if (!askSaveBeforeDiscarding())
        return false;
    const QString path = AskOpenDataFile(this);
    if (path.isEmpty())
        return false;
    CurrentFile = path;
    const DataFileResult result = ReadDataFile(path);
    if (!result.ok()) {
        CurrentFile.clear();
        showFileError(result);
        UpdateStatus();
        return false;
    }
    UpdateStatus();
    RefreshViews(1);
    AppState.Modified = false;
    return true;
}

bool TfMainFrm::writeCurrentFile()
{
    const DataFileResult result = WriteDataFile(CurrentFile);
    if (!result.ok())
        showFileError(result);
    return result.ok();
}

bool TfMainFrm::DoSave()
{
    bool saved = false;
    if (!CurrentFile.isEmpty()) {
        saved = writeCurrentFile();
    } else {
        const QString path = AskSaveDataFile(this);
        if (!path.isEmpty()) {
            CurrentFile = path;
            if (!QFileInfo::exists(path)
                || ShowMsg(LangTexts.Confirmation, LangTexts.FileExists, MsgQuestion) == MsgYes)
                saved = writeCurrentFile();
            else
                CurrentFile.clear();
        }
    }
    UpdateStatus();
    return saved;
}

bool TfMainFrm::DoSaveAs()
{
    CurrentFile.clear();
    return DoSave();
}
