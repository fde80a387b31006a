#pragma once
// Shows the program's messages in Qt message boxes.
void InstallMessageBox();
