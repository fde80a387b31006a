#pragma once
// The message texts of the current language.
#include <QString>

class TLanguage
{
public:
    QString Confirmation = QStringLiteral("Confirmation");
    QString ExitProgram = QStringLiteral("Do you wish to exit program?");
    QString SaveProgram = QStringLiteral("Do you wish to save the changes?");
    QString Channel = QStringLiteral("Channel");
    QString Info = QStringLiteral(" Information");
    QString OutRange = QStringLiteral("Frequecy is Out of range.");
    QString Caution = QStringLiteral("Caution");
    QString FileExists = QStringLiteral("The File is exists,replace it?");
    QString ComError = QStringLiteral("Please check all connections and communication port settings.");
    QString ModError = QStringLiteral("Model Type Wrong.");
    QString ClearData = QStringLiteral("Do you wish to Clear Data?");
    QString Modforce = QStringLiteral("Do you wish to Force write data?");
    QString ErrRange = QStringLiteral("The frequecy number come amiss!");
    QString ReadOk = QStringLiteral("Reading Completed.");
    QString WriteOk = QStringLiteral("Writing Completed.");
    QString LPortError = QStringLiteral("Cannot Open Commcmication Port.");
    QString ImportNothing = QStringLiteral("Nothing was imported; the data are unchanged.");
    QString ExportFailed = QStringLiteral("The file was not written.");
};

// Fills every text of LangTexts from section "Language" of the language file,
// each key missing from the file keeping its built-in text.
void LoadMessages(const QString &languageName);
