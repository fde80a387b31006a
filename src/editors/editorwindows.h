#pragma once
// Makes the editor windows known to the main window, each under the command code
// that opens it.
void RegisterEditorWindows();
