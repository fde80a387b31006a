#pragma once
// File > Import Channels and File > Export Channels of the main window.
class TfMainFrm;

// Asks for a CSV or JSON file, shows what it would import and, on Ok, changes the
// image, reloads the windows and sets Modified. Nothing changes otherwise.
void ImportChannels(TfMainFrm &window);
// Asks for a file name and writes the channels as CSV or the image as JSON.
void ExportChannels(TfMainFrm &window);
