#pragma once
// What an import would do, shown before the image changes: the channels it sets,
// the lines it leaves out and why, and for a CSV file whether the other channels
// are emptied first. Ok goes ahead, Cancel changes nothing.
#include <QDialog>

struct ImportPlan;
class QCheckBox;
class QLabel;
class QListWidget;

class TfImportReport : public QDialog
{
    Q_OBJECT
public:
    TfImportReport(const ImportPlan &plan, const QString &file, QWidget *parent = nullptr);

    bool clearOthers() const;

    // Positions of the texts in the hidden list lbTexts; the skip reasons follow them
    // in the order of CsvSkip::Reason.
    enum Text { ChannelsText, SkippedText, LineText, JsonPartsText, FirstReasonText };

private:
    QString text(int index) const;

    bool m_csv = false;
    QListWidget *lbTexts = nullptr;
    QCheckBox *cxClearOthers = nullptr;
};
