// The memory channel editor, the frequency-mode channel editor and the batch editor,
// opened from the main window and driven by typing, clicking, Enter and focus
// changes; each test checks what the window shows and the bytes of the image.
#include "testsupport.h"
#include "core/langtexts.h"
#include "editors/editorwindows.h"
#include "editors/tonebox.h"
#include "image/channelcodec.h"
#include "image/channeledit.h"
#include "image/imagemap.h"
#include "image/numbers.h"
#include "image/settingsblock.h"
#include "image/tones.h"
#include "shell/mainwindow.h"
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <memory>

namespace {

using testsupport::putBytes;

constexpr int Vfo = imagemap::VfoChannelNumber;

QByteArray recordBytes(int n)
{
    QByteArray bytes;
    for (int i = 0; i < 16; ++i)
        bytes.append(char(AppState.Image[16 * n + i]));
    return bytes;
}

// Selects what a field holds, so that typing replaces it.
void selectAll(QWidget *w)
{
    if (auto *edit = qobject_cast<QLineEdit *>(w))
        edit->selectAll();
    else if (auto *spin = qobject_cast<QAbstractSpinBox *>(w))
        spin->selectAll();
    else if (auto *combo = qobject_cast<QComboBox *>(w))
        combo->lineEdit()->selectAll();
}

// Puts the focus into a field and types over what it holds (an empty text clears it).
void typeInto(QWidget *w, const QString &text)
{
    w->setFocus(Qt::MouseFocusReason);
    QVERIFY(w->hasFocus());
    selectAll(w);
    if (text.isEmpty())
        QTest::keyClick(w, Qt::Key_Backspace);
    else
        QTest::keyClicks(w, text);
}

// Types into a field and ends the entry with Enter.
void enter(QWidget *w, const QString &text)
{
    typeInto(w, text);
    QTest::keyClick(w, Qt::Key_Return);
}

// Clicks a button, check box or radio button where its indicator or text is.
void click(QWidget *w)
{
    QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, QPoint(qMin(8, w->width() / 2), w->height() / 2));
}

QString comboText(QWidget *w)
{
    return qobject_cast<QComboBox *>(w)->currentText();
}

} // namespace

class TestChannelEditors : public QObject
{
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<TfMainFrm> m_window;
    std::unique_ptr<testsupport::MessageRecorder> m_messages;

    QWidget *open(int code)
    {
        m_window->ExecCommand(code);
        return m_window->child(code);
    }

    template<typename T = QWidget>
    T *field(QWidget *form, const char *name)
    {
        T *w = form->findChild<T *>(QLatin1String(name));
        if (!w)
            qWarning("no control %s", name);
        return w;
    }

    QStringList messageTexts() const
    {
        QStringList texts;
        for (const auto &m : m_messages->messages)
            texts << m.text;
        return texts;
    }

    void expectRangeMessages(int count)
    {
        QCOMPARE(m_messages->messages.size(), count);
        for (const auto &m : m_messages->messages) {
            QCOMPARE(m.caption, QStringLiteral("Caution"));
            QCOMPARE(m.text, QStringLiteral("The frequecy number come amiss!"));
            QCOMPARE(m.kind, int(MsgInformation));
        }
    }

    // The channel grid's text for a channel under a column title.
    QString gridText(int channel, const QString &title)
    {
        QWidget *grid = m_window->child(cmd::MemoryChannel);
        auto *table = grid ? grid->findChild<QTableWidget *>() : nullptr;
        if (!table)
            return QStringLiteral("<no grid>");
        for (int c = 0; c < table->columnCount(); ++c) {
            if (table->horizontalHeaderItem(c) && table->horizontalHeaderItem(c)->text() == title) {
                const QTableWidgetItem *item = table->item(channel - 1, c);
                return item ? item->text() : QString();
            }
        }
        return QStringLiteral("<no column>");
    }

    // A channel with data, as the grid would create it.
    void makeChannel(int n, double rx, double tx)
    {
        SetChannelRx(n, rx);
        SetChannelTx(n, tx);
    }

    void setBand(double low, double high)
    {
        AppState.BandLow = low;
        AppState.BandHigh = high;
    }

private slots:
    void initTestCase()
    {
        RegisterEditorWindows();
    }

    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        testsupport::freshState(m_dir->path());
        m_messages = std::make_unique<testsupport::MessageRecorder>();
        m_window = std::make_unique<TfMainFrm>();
        m_window->show();
        QApplication::setActiveWindow(m_window.get());
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        AppState.Modified = false;
    }

    void cleanup()
    {
        m_window.reset();
        m_messages.reset();
    }

    // ---- the memory channel editor ----

    void editorOpensAsAFramedChildWindow()
    {
        QWidget *form = open(cmd::ChannelEdit);
        QVERIFY(form);
        QCOMPARE(form->objectName(), QStringLiteral("fInfoEdit"));
        QCOMPARE(form->windowTitle(), QStringLiteral("Channel Edit"));
        auto *frame = qobject_cast<QMdiSubWindow *>(form->parentWidget());
        QVERIFY(frame);
        QCOMPARE(frame->pos(), QPoint(20, 20));
        QVERIFY(frame->windowFlags() & Qt::WindowMinimizeButtonHint);
        QVERIFY(!(frame->windowFlags() & Qt::WindowMaximizeButtonHint));
        auto *pages = field<QTabWidget>(form, "pcInfo");
        QCOMPARE(pages->count(), 1);
        QCOMPARE(pages->tabText(0), QStringLiteral("Information"));
        const QList<QPair<const char *, QString>> labels = {
            {"lbChannel", "Channel No."}, {"lbRx", "RX Frequency[MHz]"}, {"lbTx", "TX Frequency[MHz]"},
            {"lbRxDcts", "QT/DQT Deconde"}, {"lbTxDcts", "QT/DQT Encode"}, {"lbWn", "Wide/Narrow"},
            {"lbPower", "TX Power"}, {"lbName", "Name"}};
        for (const auto &label : labels)
            QCOMPARE(field<QLabel>(form, label.first)->text(), label.second);
        QVERIFY(field<QLabel>(form, "lbTxDis")->isHidden());
        QVERIFY(field(form, "cxTxDis")->isHidden());
        QVERIFY(field(form, "cxVox")->isHidden());
        QVERIFY(field(form, "chpppy")->isVisible());
        QCOMPARE(field<QCheckBox>(form, "chpppy")->text(), QStringLiteral("Beat Shift"));
        auto *tones = field<QComboBox>(form, "cxRxDcts");
        QCOMPARE(tones->count(), ToneCount);
        QCOMPARE(tones->itemText(136), QStringLiteral("D532N"));

        // A second command brings the same window to the front.
        QCOMPARE(open(cmd::ChannelEdit), form);
        field<QPushButton>(form, "btnClose")->click();
        QTRY_VERIFY(!m_window->child(cmd::ChannelEdit));
    }

    void editorShowsAnEmptyChannel()
    {
        AppState.CurrentChannel = 5;
        QWidget *form = open(cmd::ChannelEdit);
        QCOMPARE(field<QSpinBox>(form, "sexd")->value(), 5);
        QCOMPARE(field<QLineEdit>(form, "eRx")->text(), QString());
        QCOMPARE(field<QLineEdit>(form, "eTX")->text(), QString());
        QCOMPARE(comboText(field(form, "cxRxDcts")), QStringLiteral("None"));
        QCOMPARE(comboText(field(form, "cxTxDcts")), QStringLiteral("None"));
        QCOMPARE(comboText(field(form, "cxWn")), QStringLiteral("Wide"));
        QCOMPARE(comboText(field(form, "cxPower")), QStringLiteral("High"));
        QCOMPARE(comboText(field(form, "cxTxDis")), QStringLiteral("No"));
        for (const char *name : {"cxBclo", "cxScan", "cxComp", "cxScrm", "chpppy", "cxVox"})
            QVERIFY2(!field<QCheckBox>(form, name)->isChecked(), name);
        QVERIFY(field<QCheckBox>(form, "cxTxRev")->isChecked());
        QCOMPARE(field<QLineEdit>(form, "cxName")->text(), QString());
        QVERIFY(field(form, "sexd")->isEnabled());
        QVERIFY(field(form, "eRx")->isEnabled());
        for (const char *name : {"eTX", "cxRxDcts", "cxTxDcts", "cxWn", "cxPower", "cxBclo", "cxScan", "cxComp",
                                 "cxScrm", "cxTxRev", "chpppy", "cxName"})
            QVERIFY2(!field(form, name)->isEnabled(), name);
    }

    void editorShowsAChannelWithData()
    {
        makeChannel(3, 440.0, 445.5);
        WriteChannelField(3, FieldDecodeTone, QStringLiteral("12"));
        WriteChannelField(3, FieldEncodeTone, QStringLiteral("157"));
        WriteChannelField(3, FieldBusyLock, QStringLiteral("0"));
        WriteChannelField(3, FieldScanDelete, QStringLiteral("0"));
        WriteChannelField(3, FieldEpilogue, QStringLiteral("0"));
        WriteChannelField(3, FieldTxPower, QStringLiteral("0"));
        WriteChannelField(3, FieldName, QStringLiteral("RPT-1"));
        AppState.CurrentChannel = 3;
        QWidget *form = open(cmd::ChannelEdit);
        QCOMPARE(field<QLineEdit>(form, "eRx")->text(), QStringLiteral("440.00000"));
        QCOMPARE(field<QLineEdit>(form, "eTX")->text(), QStringLiteral("445.50000"));
        QCOMPARE(comboText(field(form, "cxRxDcts")), QStringLiteral("97.4"));
        QCOMPARE(comboText(field(form, "cxTxDcts")), QStringLiteral("D023I"));
        QCOMPARE(comboText(field(form, "cxPower")), QStringLiteral("Low"));
        QVERIFY(field<QCheckBox>(form, "cxBclo")->isChecked());
        QVERIFY(field<QCheckBox>(form, "cxScan")->isChecked());
        QVERIFY(!field<QCheckBox>(form, "cxComp")->isChecked());
        QVERIFY(!field<QCheckBox>(form, "cxTxRev")->isChecked());
        QCOMPARE(field<QLineEdit>(form, "cxName")->text(), QStringLiteral("RPT-1"));
        for (const char *name : {"eTX", "cxRxDcts", "cxWn", "chpppy", "cxName"})
            QVERIFY2(field(form, name)->isEnabled(), name);
        QVERIFY(!AppState.Modified);
    }

    void typingRxCreatesAChannel_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("messages");
        QTest::newRow("inside the band") << "435.0625" << "435.06250" << 0;
        QTest::newRow("rounded down") << "435.0031" << "435.00000" << 0;
        QTest::newRow("rounded up") << "435.0032" << "435.00625" << 0;
        QTest::newRow("above the band") << "480" << "470.00000" << 1;
        QTest::newRow("below the band") << "145" << "400.00000" << 1;
        QTest::newRow("not a number") << "4.3.5" << "400.00000" << 1;
    }
    void typingRxCreatesAChannel()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(int, messages);
        testsupport::fillPattern();
        EraseChannel(7);
        AppState.CurrentChannel = 7;
        QWidget *form = open(cmd::ChannelEdit);
        enter(field(form, "eRx"), typed);

        expectRangeMessages(messages);
        QCOMPARE(field<QLineEdit>(form, "eRx")->text(), shown);
        QCOMPARE(field<QLineEdit>(form, "eTX")->text(), shown);
        for (const char *name : {"eTX", "cxRxDcts", "cxName", "cxTxRev"})
            QVERIFY2(field(form, name)->isEnabled(), name);
        QVERIFY(AppState.Modified);

        TChannel c;
        QVERIFY(DecodeChannel(7, c));
        QCOMPARE(mhzText(c.RxFrequency), shown);
        QCOMPARE(mhzText(c.TxFrequency), shown);
        QCOMPARE(mhzText(c.Offset), QStringLiteral("0.00000"));
        // The new channel's values: tones none, wide, high, TX stop "No", busy lock,
        // scan add, compander, scrambler and VOX off, epilogue on, no name.
        QCOMPARE(recordBytes(7).mid(5), QByteArray::fromHex("00ff00ffffffffffffffff"));
        QCOMPARE(int(c.ScanDelete), 1);
        // The grid shows the same.
        QCOMPARE(gridText(7, "RX Frequency"), shown);
        QCOMPARE(gridText(7, "Scan Add"), QStringLiteral("Del"));
        QCOMPARE(gridText(7, "Epilogue"), QStringLiteral("On"));
    }

    void newChannelBytes()
    {
        AppState.CurrentChannel = 2;
        QWidget *form = open(cmd::ChannelEdit);
        enter(field(form, "eRx"), QStringLiteral("400.0625"));
        // 400.0625 MHz = 64010 units of 6.25 kHz = 0A FA 00, simplex.
        QCOMPARE(recordBytes(2).toHex(), QByteArray("0afa00000000ff00ffffffffffffffff"));
        QVERIFY(!IsChannelEmpty(2));
    }

    void rxChangeKeepsTx()
    {
        makeChannel(4, 440.0, 445.0);
        AppState.CurrentChannel = 4;
        QWidget *form = open(cmd::ChannelEdit);
        enter(field(form, "eRx"), QStringLiteral("441"));
        QCOMPARE(field<QLineEdit>(form, "eRx")->text(), QStringLiteral("441.00000"));
        QCOMPARE(field<QLineEdit>(form, "eTX")->text(), QStringLiteral("445.00000"));
        TChannel c;
        QVERIFY(DecodeChannel(4, c));
        QCOMPARE(mhzText(c.TxFrequency), QStringLiteral("445.00000"));
        QCOMPARE(mhzText(c.Offset), QStringLiteral("4.00000"));
        QCOMPARE(int(c.Duplex), 1);
        QCOMPARE(gridText(4, "RX Frequency"), QStringLiteral("441.00000"));
        QCOMPARE(gridText(4, "TX Frequency"), QStringLiteral("445.00000"));
    }

    void typingTx_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("duplex");
        QTest::addColumn<int>("messages");
        QTest::newRow("above RX") << "445.0032" << "445.00625" << 1 << 0;
        QTest::newRow("below RX") << "435" << "435.00000" << 2 << 0;
        QTest::newRow("above the band") << "471" << "470.00000" << 1 << 1;
        QTest::newRow("not a number") << "1.2.3" << "400.00000" << 2 << 1;
        // Clearing TX makes the channel simplex.
        QTest::newRow("cleared") << "" << "440.00000" << 0 << 0;
    }
    void typingTx()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(int, duplex);
        QFETCH(int, messages);
        makeChannel(6, 440.0, 442.0);
        AppState.CurrentChannel = 6;
        QWidget *form = open(cmd::ChannelEdit);
        enter(field(form, "eTX"), typed);
        expectRangeMessages(messages);
        QCOMPARE(field<QLineEdit>(form, "eTX")->text(), shown);
        TChannel c;
        QVERIFY(DecodeChannel(6, c));
        QCOMPARE(mhzText(c.RxFrequency), QStringLiteral("440.00000"));
        QCOMPARE(mhzText(c.TxFrequency), shown);
        QCOMPARE(int(c.Duplex), duplex);
        QCOMPARE(gridText(6, "TX Frequency"), shown);
        // A typed TX sends the user on to the decode tone.
        if (!typed.isEmpty())
            QVERIFY(field(form, "cxRxDcts")->hasFocus());
    }

    void txIsTakenWhenTheFocusLeaves()
    {
        makeChannel(6, 440.0, 440.0);
        AppState.CurrentChannel = 6;
        QWidget *form = open(cmd::ChannelEdit);
        typeInto(field(form, "eTX"), QStringLiteral("450"));
        QCOMPARE(recordBytes(6).mid(3, 2).toHex(), QByteArray("0000"));
        field(form, "cxName")->setFocus(Qt::TabFocusReason);
        QCOMPARE(field<QLineEdit>(form, "eTX")->text(), QStringLiteral("450.00000"));
        TChannel c;
        QVERIFY(DecodeChannel(6, c));
        QCOMPARE(mhzText(c.TxFrequency), QStringLiteral("450.00000"));
    }

    // TX further than 70 MHz from RX is held to RX +/- 70 MHz after one message.
    void txIsHeldWithinSeventyMegahertz_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("rx");
        QTest::addColumn<QString>("tx");
        QTest::newRow("TX far above") << "eTX" << "300" << "150.00000" << "220.00000";
        QTest::newRow("TX far below") << "eTX" << "134" << "150.00000" << "134.00000";
        QTest::newRow("RX moved away from TX") << "eRx" << "400" << "400.00000" << "330.00000";
        QTest::newRow("TX outside the band and far") << "eTX" << "600" << "150.00000" << "220.00000";
    }
    void txIsHeldWithinSeventyMegahertz()
    {
        QFETCH(QString, box);
        QFETCH(QString, typed);
        QFETCH(QString, rx);
        QFETCH(QString, tx);
        setBand(134.0, 520.0);
        makeChannel(8, 150.0, 200.0);
        AppState.CurrentChannel = 8;
        QWidget *form = open(cmd::ChannelEdit);
        enter(field(form, box.toLatin1().constData()), typed);
        expectRangeMessages(typed == "134" ? 0 : 1);
        QCOMPARE(field<QLineEdit>(form, "eRx")->text(), rx);
        QCOMPARE(field<QLineEdit>(form, "eTX")->text(), tx);
        TChannel c;
        QVERIFY(DecodeChannel(8, c));
        QCOMPARE(mhzText(c.RxFrequency), rx);
        QCOMPARE(mhzText(c.TxFrequency), tx);
        QVERIFY(TxWithinReach(c.RxFrequency, c.TxFrequency));
    }

    void clearingRxErasesTheChannel()
    {
        makeChannel(9, 440.0, 445.0);
        WriteChannelField(9, FieldName, QStringLiteral("ABC"));
        AppState.CurrentChannel = 9;
        QWidget *form = open(cmd::ChannelEdit);
        field<QCheckBox>(form, "chpppy")->click();
        enter(field(form, "eRx"), QString());
        QVERIFY(IsChannelEmpty(9));
        QCOMPARE(recordBytes(9), QByteArray(16, char(0xFF)));
        QCOMPARE(field<QLineEdit>(form, "eTX")->text(), QString());
        QCOMPARE(field<QLineEdit>(form, "cxName")->text(), QString());
        QVERIFY(!field<QCheckBox>(form, "chpppy")->isChecked());
        QVERIFY(field<QCheckBox>(form, "cxTxRev")->isChecked());
        for (const char *name : {"eTX", "cxRxDcts", "cxWn", "cxScan", "chpppy", "cxName"})
            QVERIFY2(!field(form, name)->isEnabled(), name);
        QCOMPARE(gridText(9, "RX Frequency"), QString());
        QCOMPARE(gridText(9, "Name"), QString());
    }

    void choosingATone_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("decode");
        QTest::addColumn<int>("encode");
        QTest::newRow("code in the encode list") << "cxTxDcts" << "D023N" << "D023N" << 12 << 51;
        QTest::newRow("whole number") << "cxRxDcts" << "67" << "67.0" << 1 << 20;
        QTest::newRow("rounded") << "cxRxDcts" << "88.54" << "88.5" << 9 << 20;
        QTest::newRow("cleared") << "cxTxDcts" << "" << "None" << 12 << 0;
        // Tones the list does not have leave the stored tone, and the list shows it again.
        QTest::newRow("clamped to 290") << "cxRxDcts" << "300" << "97.4" << 12 << 20;
        QTest::newRow("clamped to 30") << "cxRxDcts" << "5" << "97.4" << 12 << 20;
        QTest::newRow("no such code") << "cxTxDcts" << "D777N" << "127.3" << 12 << 20;
        QTest::newRow("lower-case suffix") << "cxTxDcts" << "D023n" << "127.3" << 12 << 20;
    }
    void choosingATone()
    {
        QFETCH(QString, box);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(int, decode);
        QFETCH(int, encode);
        makeChannel(10, 440.0, 440.0);
        WriteChannelField(10, FieldDecodeTone, QStringLiteral("12"));
        WriteChannelField(10, FieldEncodeTone, QStringLiteral("20"));
        AppState.CurrentChannel = 10;
        QWidget *form = open(cmd::ChannelEdit);
        auto *tone = field<QComboBox>(form, box.toLatin1().constData());
        enter(tone, typed);
        QCOMPARE(tone->currentText(), shown);
        TChannel c;
        QVERIFY(DecodeChannel(10, c));
        QCOMPARE(c.DecodeTone, decode);
        QCOMPARE(c.EncodeTone, encode);
        QCOMPARE(gridText(10, box == "cxRxDcts" ? "QT/DQT Dec" : "QT/DQT Enc"), shown);
    }

    void toneIsTakenFromTheListAndOnLeaving()
    {
        makeChannel(10, 440.0, 440.0);
        AppState.CurrentChannel = 10;
        QWidget *form = open(cmd::ChannelEdit);
        auto *decode = field<QComboBox>(form, "cxRxDcts");
        decode->setFocus(Qt::MouseFocusReason);
        QTest::keyClick(decode, Qt::Key_Down);
        QCOMPARE(decode->currentText(), QStringLiteral("67.0"));
        TChannel c;
        QVERIFY(DecodeChannel(10, c));
        QCOMPARE(c.DecodeTone, 1);
        // A typed tone counts when the user leaves the field.
        typeInto(decode, QStringLiteral("D754I"));
        QVERIFY(DecodeChannel(10, c));
        QCOMPARE(c.DecodeTone, 1);
        QTest::keyClick(decode, Qt::Key_Tab);
        QVERIFY(DecodeChannel(10, c));
        QCOMPARE(c.DecodeTone, 262);
        QCOMPARE(c.EncodeTone, 0);
    }

    void aSecondOfTwoEqualCodesStays()
    {
        makeChannel(10, 440.0, 440.0);
        WriteChannelField(10, FieldEncodeTone, QStringLiteral("136"));
        AppState.CurrentChannel = 10;
        QWidget *form = open(cmd::ChannelEdit);
        auto *encode = field<QComboBox>(form, "cxTxDcts");
        QCOMPARE(encode->currentText(), QStringLiteral("D532N"));
        encode->setFocus(Qt::MouseFocusReason);
        QTest::keyClick(encode, Qt::Key_Return);
        TChannel c;
        QVERIFY(DecodeChannel(10, c));
        QCOMPARE(c.EncodeTone, 136);
    }

    void pickedTones_data()
    {
        QTest::addColumn<QString>("picked");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("encode");
        QTest::newRow("listed") << "D023I" << "D023I" << 157;
        QTest::newRow("not listed") << "D143N" << "127.3" << 20;
        QTest::newRow("not listed either") << "D525N" << "127.3" << 20;
    }
    void pickedTones()
    {
        QFETCH(QString, picked);
        QFETCH(QString, shown);
        QFETCH(int, encode);
        makeChannel(10, 440.0, 440.0);
        WriteChannelField(10, FieldEncodeTone, QStringLiteral("20"));
        AppState.CurrentChannel = 10;
        QWidget *form = open(cmd::ChannelEdit);
        auto *box = field<ToneBox>(form, "cxTxDcts");
        // What the tone picker hands back after a double click.
        emit box->tonePicked(picked);
        QCOMPARE(box->currentText(), shown);
        TChannel c;
        QVERIFY(DecodeChannel(10, c));
        QCOMPARE(c.EncodeTone, encode);
    }

    void closingThePickerChangesNothing()
    {
        makeChannel(10, 440.0, 440.0);
        AppState.CurrentChannel = 10;
        QWidget *form = open(cmd::ChannelEdit);
        auto *box = field<ToneBox>(form, "cxRxDcts");
        const ImageBytes before = AppState.Image;
        bool closed = false;
        QTimer::singleShot(0, [&closed] {
            if (QWidget *picker = QApplication::activeModalWidget()) {
                picker->close();
                closed = true;
            }
        });
        QTest::mouseDClick(box->lineEdit(), Qt::LeftButton);
        QVERIFY(closed);
        QCOMPARE(box->currentText(), QStringLiteral("None"));
        QCOMPARE(testsupport::firstDifference(AppState.Image, before), QString());
        QVERIFY(!AppState.Modified);
    }

    void keyFilters_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("frequency") << "eRx" << "4a4-0,.5x" << "440.5";
        QTest::newRow("TX") << "eTX" << "44 1+" << "441";
        QTest::newRow("name") << "cxName" << "a.b#-1+" << "AB-1+";
        QTest::newRow("name is cut at six") << "cxName" << "abc def" << "ABC DE";
        QTest::newRow("tone") << "cxRxDcts" << "d0x2,3n" << "d023n";
    }
    void keyFilters()
    {
        QFETCH(QString, box);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        makeChannel(11, 440.0, 440.0);
        AppState.CurrentChannel = 11;
        QWidget *form = open(cmd::ChannelEdit);
        QWidget *w = field(form, box.toLatin1().constData());
        typeInto(w, typed);
        if (auto *combo = qobject_cast<QComboBox *>(w))
            QCOMPARE(combo->currentText(), shown);
        else
            QCOMPARE(qobject_cast<QLineEdit *>(w)->text(), shown);
    }

    void nameIsStoredAsTyped()
    {
        makeChannel(11, 440.0, 440.0);
        AppState.CurrentChannel = 11;
        QWidget *form = open(cmd::ChannelEdit);
        auto *name = field<QLineEdit>(form, "cxName");
        QCOMPARE(name->contextMenuPolicy(), Qt::NoContextMenu);
        typeInto(name, QStringLiteral("ab-1*"));
        QCOMPARE(name->text(), QStringLiteral("AB-1*"));
        QCOMPARE(recordBytes(11).mid(10).toHex(), QByteArray("0e0f0b010cff"));
        QCOMPARE(gridText(11, "Name"), QStringLiteral("AB-1*"));
        QVERIFY(AppState.Modified);
    }

    void checkBoxesAndLists_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("byteIndex");   // image byte that changes
        QTest::addColumn<int>("mask");
        QTest::addColumn<int>("value");       // the bits under the mask afterwards
        QTest::addColumn<QString>("gridColumn");
        QTest::addColumn<QString>("gridText");
        QTest::newRow("scan add") << "cxScan" << imagemap::ScanDeleteBits + 1 << 0x08 << 0 << "Scan Add" << "Add";
        QTest::newRow("busy lock") << "cxBclo" << 16 * 12 + 9 << 0x08 << 0 << "Busy Lock" << "Yes";
        QTest::newRow("compander") << "cxComp" << 16 * 12 + 9 << 0x40 << 0 << "Compander" << "Yes";
        QTest::newRow("scrambler") << "cxScrm" << 16 * 12 + 9 << 0x80 << 0 << "Scrambler" << "Yes";
        QTest::newRow("epilogue") << "cxTxRev" << 16 * 12 + 9 << 0x01 << 0 << "Epilogue" << "Off";
        QTest::newRow("narrow") << "cxWn" << 16 * 12 + 9 << 0x10 << 0 << "W/N" << "Narrow";
        QTest::newRow("low power") << "cxPower" << 16 * 12 + 9 << 0x20 << 0 << "TX Power" << "Low";
    }
    void checkBoxesAndLists()
    {
        QFETCH(QString, control);
        QFETCH(int, byteIndex);
        QFETCH(int, mask);
        QFETCH(int, value);
        QFETCH(QString, gridColumn);
        QFETCH(QString, gridText);
        makeChannel(12, 440.0, 440.0);
        AppState.CurrentChannel = 12;
        QWidget *form = open(cmd::ChannelEdit);
        QWidget *w = field(form, control.toLatin1().constData());
        QVERIFY(AppState.Image[byteIndex] & mask);
        if (auto *box = qobject_cast<QCheckBox *>(w)) {
            // Epilogue starts ticked, the others not.
            click(box);
        } else {
            w->setFocus(Qt::MouseFocusReason);
            QTest::keyClick(w, Qt::Key_Up);
        }
        QCOMPARE(AppState.Image[byteIndex] & mask, value);
        QVERIFY(AppState.Modified);
        QCOMPARE(this->gridText(12, gridColumn), gridText);
    }

    // Beat shift has no field behind it: ticking it changes no byte.
    void beatShiftWritesNothing()
    {
        makeChannel(12, 440.0, 440.0);
        AppState.CurrentChannel = 12;
        QWidget *form = open(cmd::ChannelEdit);
        const ImageBytes before = AppState.Image;
        auto *beat = field<QCheckBox>(form, "chpppy");
        click(beat);
        QVERIFY(beat->isChecked());
        QCOMPARE(testsupport::firstDifference(AppState.Image, before), QString());
    }

    void storingWhatWasLoadedChangesNothing()
    {
        testsupport::fillPattern();
        for (int n = 1; n <= 108; ++n)
            EraseChannel(n);
        makeChannel(13, 433.0, 438.0);
        putBytes(AppState.Image, 16 * 13 + 5, QByteArray::fromHex("02100120"));
        AppState.Image[16 * 13 + 9] = 0x5A;
        WriteChannelField(13, FieldName, QStringLiteral("Z9 *"));
        AppState.CurrentChannel = 13;
        QWidget *form = open(cmd::ChannelEdit);
        const ImageBytes before = AppState.Image;
        click(field(form, "chpppy"));
        QCOMPARE(testsupport::firstDifference(AppState.Image, before), QString());
    }

    void spinReachesEveryChannel_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("channel");
        QTest::newRow("inside") << "42" << 42;
        QTest::newRow("above 99") << "105" << 105;
        QTest::newRow("last") << "108" << 108;
        QTest::newRow("above the last") << "200" << 108;
        QTest::newRow("zero") << "0" << 1;
    }
    void spinReachesEveryChannel()
    {
        QFETCH(QString, typed);
        QFETCH(int, channel);
        makeChannel(channel, 460.0, 465.0);
        QWidget *form = open(cmd::ChannelEdit);
        auto *spin = field<QSpinBox>(form, "sexd");
        QCOMPARE(spin->maximum(), 108);
        enter(spin, typed);
        QCOMPARE(spin->value(), channel);
        QCOMPARE(AppState.CurrentChannel, channel);
        QCOMPARE(field<QLineEdit>(form, "eRx")->text(), QStringLiteral("460.00000"));
        QCOMPARE(field<QLineEdit>(form, "eTX")->text(), QStringLiteral("465.00000"));
        QVERIFY(!AppState.Modified);
    }

    void spinArrowsStepThroughChannels()
    {
        makeChannel(2, 460.0, 460.0);
        QWidget *form = open(cmd::ChannelEdit);
        auto *spin = field<QSpinBox>(form, "sexd");
        spin->setFocus(Qt::MouseFocusReason);
        QTest::keyClick(spin, Qt::Key_Up);
        QCOMPARE(AppState.CurrentChannel, 2);
        QCOMPARE(field<QLineEdit>(form, "eRx")->text(), QStringLiteral("460.00000"));
        QTest::keyClick(spin, Qt::Key_Up);
        QCOMPARE(field<QLineEdit>(form, "eRx")->text(), QString());
        QVERIFY(!field(form, "eTX")->isEnabled());
    }

    // The grid and the editor share the current channel and keep each other up to date.
    void editorFollowsTheGrid()
    {
        makeChannel(104, 455.0, 455.0);
        QWidget *form = open(cmd::ChannelEdit);
        auto *table = m_window->child(cmd::MemoryChannel)->findChild<QTableWidget *>();
        QVERIFY(table);
        // The user selects the row of channel 104 in the grid.
        table->setCurrentCell(103, 1);
        QCOMPARE(AppState.CurrentChannel, 104);
        QCOMPARE(field<QSpinBox>(form, "sexd")->value(), 104);
        QCOMPARE(field<QLineEdit>(form, "eRx")->text(), QStringLiteral("455.00000"));
        // A change written by the grid reaches the editor.
        WriteChannelField(104, FieldName, QStringLiteral("GRID"));
        m_window->RefreshViews(2);
        QCOMPARE(field<QLineEdit>(form, "cxName")->text(), QStringLiteral("GRID"));
        QCOMPARE(field<QSpinBox>(form, "sexd")->value(), 104);
    }

    void translatedEditor()
    {
        QByteArray ini = "[fInfoEdit]\r\nfInfoEdit.Caption=Kanal\r\nlbRx.Caption=RX [MHz]\r\ntsInfo.Caption=Info\r\n"
                         "cxBclo.Caption=Belegt\r\nbtnClose.Caption=&Zu\r\ncxWn.0=Schmal\r\ncxWn.1=Breit\r\n"
                         "cxRxDcts.0=Kein\r\ncxRxDcts.1=Falsch\r\n";
        QVERIFY(testsupport::writeFile(m_dir->filePath(QStringLiteral("Test.Ini")), ini));
        AppState.LanguageName = QStringLiteral("Test");
        AppState.LanguageIndex = 1;
        makeChannel(14, 440.0, 440.0);
        AppState.CurrentChannel = 14;
        QWidget *form = open(cmd::ChannelEdit);
        QCOMPARE(form->windowTitle(), QStringLiteral("Kanal"));
        QCOMPARE(field<QLabel>(form, "lbRx")->text(), QStringLiteral("RX [MHz]"));
        QCOMPARE(field<QTabWidget>(form, "pcInfo")->tabText(0), QStringLiteral("Info"));
        QCOMPARE(field<QCheckBox>(form, "cxBclo")->text(), QStringLiteral("Belegt"));
        QCOMPARE(field<QPushButton>(form, "btnClose")->text(), QStringLiteral("&Zu"));
        QCOMPARE(comboText(field(form, "cxWn")), QStringLiteral("Breit"));
        auto *decode = field<QComboBox>(form, "cxRxDcts");
        QCOMPARE(decode->currentText(), QStringLiteral("Kein"));
        QCOMPARE(decode->itemText(1), QStringLiteral("67.0"));
        QVERIFY(!AppState.Modified);
        // Choosing the translated first item is "None".
        enter(decode, QStringLiteral("67"));
        decode->setFocus(Qt::MouseFocusReason);
        QTest::keyClick(decode, Qt::Key_Up);
        QCOMPARE(decode->currentText(), QStringLiteral("Kein"));
        TChannel c;
        QVERIFY(DecodeChannel(14, c));
        QCOMPARE(c.DecodeTone, 0);
    }

    // ---- the frequency-mode channel editor ----

    void frequencyModeOnANewImage()
    {
        QWidget *form = open(cmd::FreqChannel);
        QVERIFY(form);
        QCOMPARE(form->objectName(), QStringLiteral("fFreqEdit"));
        QCOMPARE(form->windowTitle(), QStringLiteral("Channel Edit"));
        QCOMPARE(qobject_cast<QWidget *>(form->parent())->pos(), QPoint(20, 20));
        QCOMPARE(field<QLabel>(form, "lbRx")->text(), QStringLiteral("Frequency[MHz]"));
        QCOMPARE(field<QLabel>(form, "lbTx")->text(), QStringLiteral("Offset Freq.[MHz]"));
        QCOMPARE(field<QLabel>(form, "lbFreqStep")->text(), QStringLiteral("Freq. Step[KHz]"));
        QCOMPARE(field<QLineEdit>(form, "eRx")->text(), QStringLiteral("400.00000"));
        QCOMPARE(field<QLineEdit>(form, "eTX")->text(), QStringLiteral("0.00000"));
        auto *duplex = field<QComboBox>(form, "cxDuplex");
        QCOMPARE(duplex->currentText(), QStringLiteral("OFF"));
        QCOMPARE(duplex->itemText(1), QStringLiteral("+Dup"));
        QCOMPARE(duplex->itemText(2), QStringLiteral("-Dup"));
        auto *step = field<QComboBox>(form, "cxFreqStep");
        QCOMPARE(step->currentText(), QStringLiteral(" 25.00"));
        QCOMPARE(step->itemText(0), QStringLiteral("  6.25"));
        QCOMPARE(step->itemText(4), QStringLiteral("100.00"));
        QVERIFY(!form->findChild<QSpinBox *>());
        QVERIFY(!form->findChild<QLineEdit *>(QStringLiteral("cxName")));
        QVERIFY(field(form, "cxScan")->isHidden());
        QVERIFY(field(form, "chpppy")->isVisible());
        for (QWidget *w : form->findChildren<QWidget *>())
            QVERIFY2(w->isEnabled(), qPrintable(w->objectName()));
        QVERIFY(!AppState.Modified);
    }

    void frequencyModeFrequency_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("messages");
        QTest::newRow("inside") << "435.0032" << "435.00625" << 0;
        QTest::newRow("above the band") << "500" << "470.00000" << 1;
        QTest::newRow("below the band") << "300" << "400.00000" << 1;
        QTest::newRow("cleared") << "" << "400.00000" << 0;
    }
    void frequencyModeFrequency()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(int, messages);
        WriteChannelField(Vfo, FieldOffset, QStringLiteral("1.5"));
        WriteChannelField(Vfo, FieldRxFrequency, QStringLiteral("440"));
        QWidget *form = open(cmd::FreqChannel);
        enter(field(form, "eRx"), typed);
        expectRangeMessages(messages);
        QCOMPARE(field<QLineEdit>(form, "eRx")->text(), shown);
        QCOMPARE(field<QLineEdit>(form, "eTX")->text(), QStringLiteral("1.50000"));
        TChannel c;
        QVERIFY(DecodeChannel(Vfo, c));
        QCOMPARE(mhzText(c.RxFrequency), shown);
        QCOMPARE(mhzText(c.Offset), QStringLiteral("1.50000"));
        QVERIFY(AppState.Modified);
    }

    void frequencyModeOffset_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QByteArray>("bytes");   // record bytes 3 and 4
        QTest::newRow("inside") << "5" << "5.00000" << QByteArray("2003");
        QTest::newRow("rounded") << "0.0032" << "0.00625" << QByteArray("0100");
        QTest::newRow("above 70") << "85" << "70.00000" << QByteArray("c02b");
        QTest::newRow("cleared") << "" << "0.00000" << QByteArray("0000");
    }
    void frequencyModeOffset()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(QByteArray, bytes);
        QWidget *form = open(cmd::FreqChannel);
        enter(field(form, "eTX"), typed);
        expectRangeMessages(0);
        QCOMPARE(field<QLineEdit>(form, "eTX")->text(), shown);
        QCOMPARE(recordBytes(Vfo).mid(3, 2).toHex(), bytes);
        QVERIFY(field(form, "cxRxDcts")->hasFocus());
        QVERIFY(AppState.Modified);
    }

    void frequencyModeDuplex()
    {
        QWidget *form = open(cmd::FreqChannel);
        enter(field(form, "eTX"), QStringLiteral("5"));
        auto *duplex = field<QComboBox>(form, "cxDuplex");
        duplex->setFocus(Qt::MouseFocusReason);
        QTest::keyClick(duplex, Qt::Key_Down);
        QCOMPARE(duplex->currentText(), QStringLiteral("+Dup"));
        TChannel c;
        QVERIFY(DecodeChannel(Vfo, c));
        QCOMPARE(int(c.Duplex), 1);
        QCOMPARE(mhzText(c.Offset), QStringLiteral("5.00000"));
        QCOMPARE(mhzText(c.RxFrequency), QStringLiteral("400.00000"));
        QCOMPARE(recordBytes(Vfo).mid(0, 5).toHex(), QByteArray("00fa002043"));
    }

    void frequencyModeStep()
    {
        QWidget *form = open(cmd::FreqChannel);
        auto *step = field<QComboBox>(form, "cxFreqStep");
        step->setFocus(Qt::MouseFocusReason);
        QTest::keyClick(step, Qt::Key_Up);
        QCOMPARE(step->currentText(), QStringLiteral(" 12.50"));
        QCOMPARE(int(AppState.Image[setting::VfoStep]), 1);
        QVERIFY(AppState.Modified);
        // The channel was stored with what the window shows.
        QCOMPARE(recordBytes(Vfo).mid(0, 3).toHex(), QByteArray("00fa00"));
        QTest::keyClick(step, Qt::Key_End);
        QCOMPARE(int(AppState.Image[setting::VfoStep]), 4);
    }

    void frequencyModeKeepsHiddenFieldsAndScanBits()
    {
        testsupport::fillPattern();
        AppState.Image[setting::VfoStep] = 3;
        WriteChannelField(Vfo, FieldRxFrequency, QStringLiteral("430"));
        WriteChannelField(Vfo, FieldOffset, QStringLiteral("0"));
        AppState.Image[16 * Vfo + 4] = 0;
        putBytes(AppState.Image, 16 * Vfo + 5, QByteArray::fromHex("01020330"));
        AppState.Image[16 * Vfo + 9] = 0x2D;
        QWidget *form = open(cmd::FreqChannel);
        QCOMPARE(comboText(field(form, "cxFreqStep")), QStringLiteral(" 50.00"));
        const ImageBytes before = AppState.Image;
        click(field(form, "chpppy"));
        // TX stop and VOX went back as they were; the scan bits beyond the memory
        // channels and the name bytes are not written.
        QCOMPARE(testsupport::firstDifference(AppState.Image, before), QString());
        click(field(form, "cxBclo"));
        QCOMPARE(int(AppState.Image[16 * Vfo + 9]), 0x2D ^ 0x08);
        QCOMPARE(AppState.Image[imagemap::ScanDeleteBits + 13], before[imagemap::ScanDeleteBits + 13]);
    }

    void frequencyModeTones()
    {
        WriteChannelField(Vfo, FieldDecodeTone, QStringLiteral("20"));
        QWidget *form = open(cmd::FreqChannel);
        auto *decode = field<QComboBox>(form, "cxRxDcts");
        QCOMPARE(decode->currentText(), QStringLiteral("127.3"));
        enter(decode, QStringLiteral("D143N"));
        QCOMPARE(decode->currentText(), QStringLiteral("127.3"));
        enter(field(form, "cxTxDcts"), QStringLiteral("D025I"));
        TChannel c;
        QVERIFY(DecodeChannel(Vfo, c));
        QCOMPARE(c.DecodeTone, 20);
        QCOMPARE(c.EncodeTone, 158);
    }

    // ---- batch edit ----

    void batchOpensWithItsDefaults()
    {
        setBand(134.0, 174.0);
        QWidget *form = open(cmd::BatchEdit);
        QVERIFY(form);
        QCOMPARE(form->objectName(), QStringLiteral("fBatch"));
        QCOMPARE(form->windowTitle(), QStringLiteral("Batch Channel Edit"));
        auto *frame = qobject_cast<QMdiSubWindow *>(form->parentWidget());
        QCOMPARE(frame->pos(), QPoint(20, 20));
        QVERIFY(!(frame->windowFlags() & Qt::WindowMinimizeButtonHint));
        QVERIFY(field<QRadioButton>(form, "cxAll")->isChecked());
        QCOMPARE(field<QSpinBox>(form, "cxFrom")->value(), 1);
        QCOMPARE(field<QSpinBox>(form, "cxTo")->value(), 108);
        QCOMPARE(field<QLineEdit>(form, "cxRx_freq")->text(), QStringLiteral("134.00000"));
        QCOMPARE(field<QLineEdit>(form, "cxTx_Freq")->text(), QStringLiteral("134.00000"));
        for (const char *name : {"cxRx_Step", "cxExc_Freq", "cxTx_step"})
            QCOMPARE(field<QLineEdit>(form, name)->text(), QStringLiteral("0.00000"));
        QCOMPARE(field<QLineEdit>(form, "cxRx_Dcts_step")->text(), QStringLiteral("0"));
        QCOMPARE(comboText(field(form, "cxRx_Dcts")), QStringLiteral("None"));
        QCOMPARE(qobject_cast<QComboBox *>(field(form, "cxTx_Dcts"))->count(), ToneCount);
        QVERIFY(!qobject_cast<QComboBox *>(field(form, "cxRx_Dcts"))->isEditable());
        QCOMPARE(comboText(field(form, "cxPower")), QStringLiteral("High"));
        QCOMPARE(comboText(field(form, "cxWn")), QStringLiteral("Wide"));
        QVERIFY(field<QCheckBox>(form, "cxTxRev")->isChecked());
        QVERIFY(field(form, "cxVox")->isHidden());
        for (const char *name : {"cxRx_asc", "cxTx_def", "cxDup_add", "cxTx_asc", "cxRx_Dcts_asc", "cxTx_Dcts_def",
                                 "cxTx_Dcts_asc"})
            QVERIFY2(field<QRadioButton>(form, name)->isChecked(), name);
        for (const char *name : {"cxFrom", "cxTo", "cxExc_Freq", "cxDup_add", "cxTx_Freq", "cxTx_step", "cxTx_asc",
                                 "cxTx_ran", "cxTx_Dcts", "cxTx_Dcts_step", "cxTx_Dcts_dec"})
            QVERIFY2(!field(form, name)->isEnabled(), name);
        for (const char *name : {"cxClear", "cxRx_Dcts", "cxRx_Dcts_step", "cxRx_Ran", "cxName", "cxUse_Chs"})
            QVERIFY2(field(form, name)->isEnabled(), name);
    }

    void batchEnablingRules_data()
    {
        QTest::addColumn<QStringList>("clicks");
        QTest::addColumn<QStringList>("enabled");
        QTest::addColumn<QStringList>("disabled");
        QTest::newRow("channel range") << QStringList{"cxChs"} << QStringList{"cxFrom", "cxTo"} << QStringList{};
        QTest::newRow("back to all") << QStringList{"cxChs", "cxAll"} << QStringList{} << QStringList{"cxFrom", "cxTo"};
        QTest::newRow("excursion") << QStringList{"cxTx_Exc"} << QStringList{"cxExc_Freq", "cxDup_add", "cxDup_Dec"}
                                   << QStringList{"cxTx_Freq", "cxTx_step", "cxTx_asc", "cxTx_dec"};
        QTest::newRow("TX begin") << QStringList{"cxTx_Self"} << QStringList{"cxTx_Freq", "cxTx_step", "cxTx_asc", "cxTx_dec"}
                                  << QStringList{"cxExc_Freq", "cxDup_Dec"};
        QTest::newRow("random RX tone") << QStringList{"cxRx_Ran"} << QStringList{"cxRx_Ran"}
                                        << QStringList{"cxRx_Dcts", "cxRx_Dcts_step", "cxRx_Dcts_asc", "cxRx_Dcts_dec"};
        QTest::newRow("TX tone begin") << QStringList{"cxTx_Dcts_self"}
                                       << QStringList{"cxTx_ran", "cxTx_Dcts", "cxTx_Dcts_step", "cxTx_Dcts_asc"}
                                       << QStringList{};
        QTest::newRow("random TX tone") << QStringList{"cxTx_Dcts_self", "cxTx_ran"} << QStringList{"cxTx_ran"}
                                        << QStringList{"cxTx_Dcts", "cxTx_Dcts_step", "cxTx_Dcts_asc", "cxTx_Dcts_dec"};
        QTest::newRow("TX tone default again") << QStringList{"cxTx_Dcts_self", "cxTx_Dcts_def"} << QStringList{}
                                               << QStringList{"cxTx_ran", "cxTx_Dcts", "cxTx_Dcts_step"};
        QTest::newRow("clear data") << QStringList{"cxClear"} << QStringList{"cxRx_freq", "cxRx_Dcts"} << QStringList{};
    }
    void batchEnablingRules()
    {
        QFETCH(QStringList, clicks);
        QFETCH(QStringList, enabled);
        QFETCH(QStringList, disabled);
        QWidget *form = open(cmd::BatchEdit);
        for (const QString &name : clicks)
            click(field(form, name.toLatin1().constData()));
        for (const QString &name : enabled)
            QVERIFY2(field(form, name.toLatin1().constData())->isEnabled(), qPrintable(name));
        for (const QString &name : disabled)
            QVERIFY2(!field(form, name.toLatin1().constData())->isEnabled(), qPrintable(name));
    }

    void batchFrequencyBoxes_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("begin inside") << "cxRx_freq" << "146.0032" << "146.00625";
        QTest::newRow("begin above") << "cxRx_freq" << "200" << "174.00000";
        QTest::newRow("begin below") << "cxTx_Freq" << "100" << "134.00000";
        QTest::newRow("begin not a number") << "cxRx_freq" << "1.4.6" << "134.00000";
        QTest::newRow("begin cleared") << "cxTx_Freq" << "" << "134.00000";
        QTest::newRow("step") << "cxRx_Step" << ".025" << "0.02500";
        QTest::newRow("step above 70") << "cxTx_step" << "80" << "70.00000";
        QTest::newRow("excursion") << "cxExc_Freq" << "5.0031" << "5.00000";
        QTest::newRow("excursion cleared") << "cxExc_Freq" << "" << "0.00000";
        QTest::newRow("keys") << "cxRx_Step" << "0a,-.0+5" << "0.05000";
    }
    void batchFrequencyBoxes()
    {
        QFETCH(QString, box);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        setBand(134.0, 174.0);
        QWidget *form = open(cmd::BatchEdit);
        for (const char *mode : {"cxTx_Exc", "cxTx_Self"}) {
            if (!field(form, box.toLatin1().constData())->isEnabled())
                click(field(form, mode));
        }
        enter(field(form, box.toLatin1().constData()), typed);
        QCOMPARE(field<QLineEdit>(form, box.toLatin1().constData())->text(), shown);
        QVERIFY(m_messages->messages.isEmpty());
        QVERIFY(!AppState.Modified);
    }

    void batchRangeBoxes()
    {
        QWidget *form = open(cmd::BatchEdit);
        click(field(form, "cxChs"));
        auto *from = field<QSpinBox>(form, "cxFrom");
        auto *to = field<QSpinBox>(form, "cxTo");
        enter(to, QStringLiteral("500"));
        QCOMPARE(to->value(), 108);
        enter(to, QStringLiteral("50"));
        enter(from, QStringLiteral("60"));
        QCOMPARE(from->value(), 50);
        // "To" may go below "From".
        enter(to, QStringLiteral("5"));
        QCOMPARE(to->value(), 5);
        QCOMPARE(from->value(), 50);
    }

    void batchFillsTheBand()
    {
        setBand(134.0, 174.0);
        QWidget *form = open(cmd::BatchEdit);
        enter(field(form, "cxRx_freq"), QStringLiteral("146"));
        enter(field(form, "cxRx_Step"), QStringLiteral("0.025"));
        enter(field(form, "cxName"), QStringLiteral("rpt"));
        QCOMPARE(field<QLineEdit>(form, "cxName")->text(), QStringLiteral("RPT"));
        click(field(form, "cxBclo"));
        auto *power = field<QComboBox>(form, "cxPower");
        power->setFocus(Qt::MouseFocusReason);
        QTest::keyClick(power, Qt::Key_Up);
        click(field(form, "btnOk"));

        QVERIFY(AppState.Modified);
        QVERIFY(m_window->child(cmd::BatchEdit));
        const QStringList rx = {"146.00000", "146.02500", "146.05000"};
        TChannel c;
        for (int n = 1; n <= 3; ++n) {
            QVERIFY(DecodeChannel(n, c));
            QCOMPARE(mhzText(c.RxFrequency), rx.at(n - 1));
            QCOMPARE(mhzText(c.TxFrequency), rx.at(n - 1));
            QCOMPARE(c.DecodeTone, 0);
            QCOMPARE(c.EncodeTone, 0);
            QCOMPARE(c.Name, QStringLiteral("RPT"));
            QCOMPARE(int(c.TxPower), 0);
            QCOMPARE(int(c.BusyLock), 0);
            QCOMPARE(int(c.Epilogue), 1);
            QCOMPARE(int(c.Vox), 1);
            QCOMPARE(int(c.ScanDelete), 1);
            QCOMPARE(gridText(n, "RX Frequency"), rx.at(n - 1));
            QCOMPARE(gridText(n, "Busy Lock"), QStringLiteral("Yes"));
        }
        QVERIFY(DecodeChannel(108, c));
        QCOMPARE(mhzText(c.RxFrequency), QStringLiteral("148.67500"));
        QCOMPARE(gridText(108, "Name"), QStringLiteral("RPT"));
        // The flags byte of a new channel: TX stop stays "No" from the erased record.
        QCOMPARE(int(AppState.Image[16 * 1 + 9]), 0xDF & ~0x08);
    }

    void batchStopsAtTheBandEdge()
    {
        QWidget *form = open(cmd::BatchEdit);
        click(field(form, "cxChs"));
        enter(field(form, "cxTo"), QStringLiteral("4"));
        enter(field(form, "cxRx_freq"), QStringLiteral("469.9"));
        enter(field(form, "cxRx_Step"), QStringLiteral("0.0625"));
        click(field(form, "cxTx_Exc"));
        enter(field(form, "cxExc_Freq"), QStringLiteral("5"));
        click(field(form, "btnOk"));
        const QStringList rx = {"469.90000", "469.96250", "469.96250", "469.96250"};
        TChannel c;
        for (int n = 1; n <= 4; ++n) {
            QVERIFY(DecodeChannel(n, c));
            QCOMPARE(mhzText(c.RxFrequency), rx.at(n - 1));
            QCOMPARE(mhzText(c.TxFrequency), QStringLiteral("470.00000"));
        }
        QVERIFY(IsChannelEmpty(5));

        click(field(form, "cxDup_Dec"));
        enter(field(form, "cxRx_freq"), QStringLiteral("468"));
        click(field(form, "btnOk"));
        QVERIFY(DecodeChannel(1, c));
        QCOMPARE(mhzText(c.TxFrequency), QStringLiteral("463.00000"));
        QCOMPARE(int(c.Duplex), 2);
    }

    void batchToneSequences_data()
    {
        QTest::addColumn<int>("begin");
        QTest::addColumn<QString>("space");
        QTest::addColumn<bool>("descending");
        QTest::addColumn<QList<int>>("expected");
        QTest::newRow("ascending") << 1 << "2" << false << QList<int>{1, 3, 5, 7, 9};
        QTest::newRow("descending") << 5 << "2" << true << QList<int>{5, 3, 1, 0, 0};
    }
    void batchToneSequences()
    {
        QFETCH(int, begin);
        QFETCH(QString, space);
        QFETCH(bool, descending);
        QFETCH(QList<int>, expected);
        QWidget *form = open(cmd::BatchEdit);
        enter(field(form, "cxRx_freq"), QStringLiteral("440"));
        auto *tone = field<QComboBox>(form, "cxRx_Dcts");
        tone->setFocus(Qt::MouseFocusReason);
        for (int i = 0; i < begin; ++i)
            QTest::keyClick(tone, Qt::Key_Down);
        QCOMPARE(tone->currentIndex(), begin);
        enter(field(form, "cxRx_Dcts_step"), space);
        if (descending)
            click(field(form, "cxRx_Dcts_dec"));
        click(field(form, "btnOk"));
        TChannel c;
        for (int k = 0; k < expected.size(); ++k) {
            QVERIFY(DecodeChannel(k + 1, c));
            QCOMPARE(c.DecodeTone, expected.at(k));
            // "Default" TX tone follows the RX tone.
            QCOMPARE(c.EncodeTone, expected.at(k));
        }
        QVERIFY(DecodeChannel(108, c));
        QCOMPARE(c.DecodeTone, descending ? 0 : 215);
        QCOMPARE(gridText(2, "QT/DQT Dec"), ToneText(expected.at(1)));
    }

    void batchRandomTonesStayInTheList()
    {
        QWidget *form = open(cmd::BatchEdit);
        enter(field(form, "cxRx_freq"), QStringLiteral("440"));
        click(field(form, "cxRx_Ran"));
        click(field(form, "cxTx_Dcts_self"));
        click(field(form, "cxTx_ran"));
        click(field(form, "btnOk"));
        QSet<int> tones;
        TChannel c;
        for (int n = 1; n <= 108; ++n) {
            QVERIFY(DecodeChannel(n, c));
            QVERIFY(c.DecodeTone >= 0 && c.DecodeTone <= 261);
            QVERIFY(c.EncodeTone >= 0 && c.EncodeTone <= 261);
            tones << c.DecodeTone << c.EncodeTone;
        }
        // 216 draws from 262 tones do not all fall on a handful.
        QVERIFY(tones.size() > 20);
    }

    void batchRefusesASpaceThatIsNotWhole_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("greyedOut");
        QTest::newRow("fraction") << "cxRx_Dcts_step" << "2.5" << false;
        QTest::newRow("empty") << "cxRx_Dcts_step" << "" << false;
        QTest::newRow("points") << "cxTx_Dcts_step" << ".." << false;
        QTest::newRow("fraction left in a box Random greys out") << "cxRx_Dcts_step" << "2.5" << true;
    }
    void batchRefusesASpaceThatIsNotWhole()
    {
        QFETCH(QString, box);
        QFETCH(QString, typed);
        QFETCH(bool, greyedOut);
        QWidget *form = open(cmd::BatchEdit);
        click(field(form, "cxTx_Dcts_self"));
        enter(field(form, box.toLatin1().constData()), typed);
        if (greyedOut)
            click(field(form, "cxRx_Ran"));
        const ImageBytes before = AppState.Image;
        click(field(form, "btnOk"));
        QCOMPARE(testsupport::firstDifference(AppState.Image, before), QString());
        QVERIFY(!AppState.Modified);
        // The refusal is said, also where the focus cannot point at the box.
        QCOMPARE(m_messages->messages.size(), 1);
        QCOMPARE(m_messages->messages[0].text, QStringLiteral("'%1' is not a valid integer value").arg(typed));
        QCOMPARE(field(form, box.toLatin1().constData())->hasFocus(), !greyedOut);
        QCOMPARE(field<QLineEdit>(form, box.toLatin1().constData())->text(), typed);
    }

    void batchReversedRangeWritesNothing()
    {
        QWidget *form = open(cmd::BatchEdit);
        click(field(form, "cxChs"));
        enter(field(form, "cxFrom"), QStringLiteral("10"));
        enter(field(form, "cxTo"), QStringLiteral("5"));
        const ImageBytes before = AppState.Image;
        click(field(form, "btnOk"));
        QCOMPARE(testsupport::firstDifference(AppState.Image, before), QString());
    }

    void batchClearsEveryChannel()
    {
        for (int n = 1; n <= 108; n += 7)
            makeChannel(n, 440.0, 445.0);
        QWidget *form = open(cmd::BatchEdit);
        click(field(form, "cxClear"));
        click(field(form, "btnOk"));
        for (int n = 1; n <= 108; ++n) {
            QVERIFY(IsChannelEmpty(n));
            QCOMPARE(recordBytes(n), QByteArray(16, char(0xFF)));
            QCOMPARE(gridText(n, "RX Frequency"), QString());
        }
    }

    void batchNamesChannelsByNumber()
    {
        QWidget *form = open(cmd::BatchEdit);
        enter(field(form, "cxName"), QStringLiteral("x"));
        click(field(form, "cxUse_Chs"));
        click(field(form, "btnOk"));
        QCOMPARE(gridText(7, "Name"), QStringLiteral("7"));
        QCOMPARE(gridText(100, "Name"), QStringLiteral("100"));
        QCOMPARE(recordBytes(100).mid(10).toHex(), QByteArray("010000ffffff"));
    }

    void batchChangesAreOfferedForSaving()
    {
        QWidget *form = open(cmd::BatchEdit);
        click(field(form, "btnOk"));
        QVERIFY(AppState.Modified);
        field<QPushButton>(form, "btnCancel")->click();
        QTRY_VERIFY(!m_window->child(cmd::BatchEdit));
        m_messages->answers = {MsgYes, MsgNo};
        m_window->close();
        QCOMPARE(messageTexts(), QStringList({LangTexts.ExitProgram, LangTexts.SaveProgram}));
    }
};

QTEST_MAIN(TestChannelEditors)
#include "tst_channeleditors.moc"
