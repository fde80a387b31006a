#include "editors/editorwindows.h"
#include "shell/mainwindow.h"

void RegisterEditorWindows()
{
    // One line per window: TfMainFrm::RegisterChildWindow(cmd::Code, [] { return new TfWindow; });
}
