#pragma once
// What the memory channel editor and the frequency-mode channel editor share: the
// "Information" page with the frequency boxes, the tone lists, the fixed lists and
// the check boxes, how a decoded channel is shown in them and the texts they write,
// the tone rule, the frequency check with its message, and the flag that keeps
// filling the controls from writing back.
#include "shell/mainwindow.h"
#include <QWidget>
#include <initializer_list>

class NumberBox;
class QCheckBox;
class QComboBox;
class QGridLayout;
class QLabel;
class QPushButton;
class QTabWidget;
class TChannel;
class ToneBox;

class ChannelForm : public QWidget, public ChildForm
{
    Q_OBJECT
public:
    // Writes every control's value into the image. Does nothing while filling.
    virtual void StoreChannel() = 0;

protected:
    ChannelForm(const QString &objectName, QWidget *parent);

    // Building: the editor adds its rows in its own order, then the check boxes it
    // shows (the others stay hidden) and the Close button.
    QLabel *addRow(const char *labelName, const QString &caption, QWidget *field);
    void finishLayout(std::initializer_list<QCheckBox *> shownChecks);

    // The channel this editor writes.
    virtual int channelNumber() const = 0;
    // The text written for a channel field; the editor adds the fields of its own controls.
    virtual QString fieldText(int field) const;
    // Writes the RX box, then, unless it is empty (which erases the channel), the
    // given fields in order; the image counts as changed.
    void storeChannelFields(std::initializer_list<int> fields) const;

    // The shared controls from a decoded channel, and the values of a new channel.
    void showChannel(const TChannel &channel);
    void showNewChannelValues();
    // Controls that hold channel data (all but the frequency box).
    QList<QWidget *> dataControls() const;

    // A typed frequency held to the band; a text that is not a number, or one outside
    // the band, is replaced by a band limit after the "ErrRange" message (warned
    // tells whether it was shown).
    double ValidateFrequency(const QString &text, bool *warned = nullptr);
    void showRangeMessage();
    double boxValue(const NumberBox *box, double fallback) const;

    void showEvent(QShowEvent *event) override;
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

    bool Filling = false;
    // Set while code, not the user, changes the second frequency box.
    bool m_txGuard = false;

    QTabWidget *m_pages = nullptr;
    NumberBox *eRx = nullptr;
    NumberBox *eTX = nullptr;
    ToneBox *cxRxDcts = nullptr;
    ToneBox *cxTxDcts = nullptr;
    QComboBox *cxWn = nullptr;
    QComboBox *cxPower = nullptr;
    QComboBox *cxTxDis = nullptr;
    QCheckBox *cxBclo = nullptr;
    QCheckBox *cxScan = nullptr;
    QCheckBox *cxComp = nullptr;
    QCheckBox *cxScrm = nullptr;
    QCheckBox *cxTxRev = nullptr;
    QCheckBox *chpppy = nullptr;
    QCheckBox *cxVox = nullptr;

private:
    ToneBox *addToneBox(const char *name);
    QComboBox *addList(const char *name, const QStringList &items);
    QCheckBox *addCheck(const char *name, const QString &caption);
    void showTone(ToneBox *box, int index);
    void toneChanged(ToneBox *box);
    void FormShow();

    QWidget *m_page = nullptr;
    QGridLayout *m_rows = nullptr;
    QPushButton *btnClose = nullptr;
    bool m_shown = false;
};
