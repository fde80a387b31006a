#pragma once
// Start-up shared by the window program and the command-line tool.

// Creates and fills the program-wide objects in their fixed order: print tables,
// model list, application state, scratch channel, band names, message texts;
// then reads the settings file and the current language's message texts.
void CreateDataModule();

// Makes the first model with its default band current and builds a new image for
// it, as the main window does when it is first shown.
void SelectStartModel();
