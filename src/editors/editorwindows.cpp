#include "editors/editorwindows.h"
#include "editors/batchedit.h"
#include "editors/channeleditor.h"
#include "editors/channelgrid.h"
#include "editors/fmfun.h"
#include "editors/freqeditor.h"
#include "editors/keyfun.h"
#include "editors/optfun.h"
#include "editors/radioinfo.h"
#include "editors/scanfun.h"
#include "editors/voxfun.h"
#include "shell/mainwindow.h"

void RegisterEditorWindows()
{
    // One line per window: TfMainFrm::RegisterChildWindow(cmd::Code, [] { return new TfWindow; });
    TfMainFrm::RegisterChildWindow(cmd::MemoryChannel, [] { return new TfChInfo; });
    TfMainFrm::RegisterChildWindow(cmd::RadioInformation, [] { return new TfInfoMsg; });
    TfMainFrm::RegisterChildWindow(cmd::OptionalFunction, [] { return new TfOptFun; });
    TfMainFrm::RegisterChildWindow(cmd::KeyFunction, [] { return new TfKeyFun; });
    TfMainFrm::RegisterChildWindow(cmd::VoxFunction, [] { return new TfVoxFun; });
    TfMainFrm::RegisterChildWindow(cmd::ScanInformation, [] { return new TfScanFun; });
    TfMainFrm::RegisterChildWindow(cmd::FmInformation, [] { return new TfFmFun; });
    TfMainFrm::RegisterChildWindow(cmd::ChannelEdit, [] { return new TfInfoEdit; });
    TfMainFrm::RegisterChildWindow(cmd::FreqChannel, [] { return new TfFreqEdit; });
    TfMainFrm::RegisterChildWindow(cmd::BatchEdit, [] { return new TfBatch; });
}
