// The model dialog, the language dialog and the about box, driven as a user would.
#include "testsupport.h"
#include "core/langtexts.h"
#include "editors/modeldialog.h"
#include "image/models.h"
#include "shell/aboutbox.h"
#include "shell/languagedialog.h"
#include "shell/messagebox.h"
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QTest>
#include <algorithm>
#include <memory>

namespace {

const QString Uhf = QStringLiteral("ZE-4K(UHF)");
const QString Mhf = QStringLiteral("ZE-4K(MHF)");

template<typename T = QWidget>
T *part(const QObject *window, const char *name)
{
    T *p = window->findChild<T *>(QLatin1String(name));
    if (!p)
        qFatal("%s has no %s", qPrintable(window->objectName()), name);
    return p;
}

QStringList comboItems(const QComboBox *box)
{
    QStringList items;
    for (int i = 0; i < box->count(); ++i)
        items << box->itemText(i);
    return items;
}

bool pick(QComboBox *box, const QString &text)
{
    const int i = box->findText(text);
    if (i < 0)
        return false;
    box->setCurrentIndex(i);
    return true;
}

// Types into a field as a user does and leaves it, which validates it.
void typeLimit(QLineEdit *edit, const QString &text)
{
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
    QTest::keyClick(edit, Qt::Key_Tab);
}

} // namespace

class TestDialogs : public QObject
{
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> m_dir;

    void writeFile(const QString &name, const QByteArray &bytes)
    {
        QFile file(m_dir->filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    // A model dialog shown over the current state, active so that fields lose focus.
    std::unique_ptr<TfModel> openModelDialog()
    {
        auto dialog = std::make_unique<TfModel>();
        dialog->show();
        if (!QTest::qWaitForWindowActive(dialog.get()))
            qWarning("model dialog not active");
        return dialog;
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        testsupport::freshState(m_dir->path());
    }

    void cleanup() { m_dir.reset(); }

    // ---- model dialog ----

    void modelResults_data()
    {
        QTest::addColumn<QString>("model");
        QTest::addColumn<QString>("band");
        QTest::addColumn<QString>("low");
        QTest::addColumn<QString>("high");
        QTest::addColumn<bool>("confirmed");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("text");
        QTest::newRow("user limits") << Mhf << "400 - 520MHz" << "410" << "450" << true << 0xA6
                                     << "410.000 - 450.000MHz";
        QTest::newRow("one limit only") << Mhf << "400 - 520MHz" << "410" << "" << true << 0xF6 << "400 - 520MHz";
        QTest::newRow("no limits") << Uhf << "400 - 470MHz" << "" << "" << true << 0xF5 << "400 - 470MHz";
        QTest::newRow("equal limits") << Mhf << "400 - 520MHz" << "450" << "450" << false << 0 << "";
        QTest::newRow("upper below lower") << Mhf << "400 - 520MHz" << "460" << "420" << false << 0 << "";
    }

    void modelResults()
    {
        QFETCH(QString, model);
        QFETCH(QString, band);
        QFETCH(QString, low);
        QFETCH(QString, high);
        QFETCH(bool, confirmed);
        QFETCH(int, code);
        QFETCH(QString, text);
        testsupport::MessageRecorder recorder;
        auto dialog = openModelDialog();
        QVERIFY(pick(part<QComboBox>(dialog.get(), "cbCopmut"), model));
        QVERIFY(pick(part<QComboBox>(dialog.get(), "cbPd"), band));
        typeLimit(part<QLineEdit>(dialog.get(), "cxLow"), low);
        typeLimit(part<QLineEdit>(dialog.get(), "cxHigh"), high);
        QTest::mouseClick(part<QPushButton>(dialog.get(), "btnOk"), Qt::LeftButton);

        QCOMPARE(dialog->confirmed(), confirmed);
        QCOMPARE(dialog->isVisible(), !confirmed);
        QCOMPARE(dialog->modelText(), model);
        if (confirmed) {
            QVERIFY(recorder.messages.isEmpty());
            QCOMPARE(int(dialog->resultBandCode()), code);
            QCOMPARE(dialog->resultBandText(), text);
        } else {
            QCOMPARE(recorder.messages.size(), 1);
            QCOMPARE(recorder.messages[0].caption, QStringLiteral("Confirmation"));
            QCOMPARE(recorder.messages[0].text, QStringLiteral("The frequecy number come amiss!"));
            QCOMPARE(recorder.messages[0].kind, int(MsgInformation));
            // The user's values stay for correcting.
            QCOMPARE(part<QLineEdit>(dialog.get(), "cxLow")->text(), low);
            QCOMPARE(part<QLineEdit>(dialog.get(), "cxHigh")->text(), high);
        }
        // The dialog only reports; the main window makes the choice current.
        QCOMPARE(AppState.ModelName, Uhf);
        QCOMPARE(int(AppState.BandCode), 0xF5);
    }

    void modelCancel()
    {
        testsupport::MessageRecorder recorder;
        auto dialog = openModelDialog();
        QVERIFY(pick(part<QComboBox>(dialog.get(), "cbCopmut"), Mhf));
        typeLimit(part<QLineEdit>(dialog.get(), "cxLow"), QStringLiteral("140"));
        typeLimit(part<QLineEdit>(dialog.get(), "cxHigh"), QStringLiteral("150"));
        QTest::mouseClick(part<QPushButton>(dialog.get(), "btnCancel"), Qt::LeftButton);
        QVERIFY(!dialog->confirmed());
        QVERIFY(!dialog->isVisible());
        QVERIFY(recorder.messages.isEmpty());
    }

    // Typed limits are held to the band selected last, not the one first shown.
    void limitsHeldToBand_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("above the band") << "cxHigh" << "600" << "520";
        QTest::newRow("below the band") << "cxLow" << "100" << "400";
        QTest::newRow("inside the band") << "cxHigh" << "455" << "455";
    }

    void limitsHeldToBand()
    {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        auto dialog = openModelDialog();
        QVERIFY(pick(part<QComboBox>(dialog.get(), "cbCopmut"), Mhf));
        QVERIFY(pick(part<QComboBox>(dialog.get(), "cbPd"), QStringLiteral("400 - 520MHz")));
        auto *edit = part<QLineEdit>(dialog.get(), qPrintable(field));
        typeLimit(edit, typed);
        QCOMPARE(edit->text(), shown);
    }

    void modelChangeResetsBandAndLimits()
    {
        SelectModelAndBand(QStringLiteral("4k46"), QStringLiteral("410.000 - 450.000MHz"), 0xA6, true);
        auto dialog = openModelDialog();
        auto *cbCopmut = part<QComboBox>(dialog.get(), "cbCopmut");
        auto *cbPd = part<QComboBox>(dialog.get(), "cbPd");
        auto *cxLow = part<QLineEdit>(dialog.get(), "cxLow");
        auto *cxHigh = part<QLineEdit>(dialog.get(), "cxHigh");
        QCOMPARE(cxLow->text(), QStringLiteral("410"));

        QVERIFY(pick(cbCopmut, Uhf));
        QCOMPARE(comboItems(cbPd), QStringList{QStringLiteral("400 - 470MHz")});
        QCOMPARE(cbPd->currentText(), QStringLiteral("400 - 470MHz"));
        QCOMPARE(cxLow->text(), QString());
        QCOMPARE(cxHigh->text(), QString());

        QVERIFY(pick(cbCopmut, Mhf));
        QCOMPARE(comboItems(cbPd), ModelList.ByName(Mhf)->bands());
        QCOMPARE(cbPd->currentText(), QStringLiteral("134 - 174MHz"));

        // Another band drops the limits typed for the previous one.
        typeLimit(cxLow, QStringLiteral("140"));
        typeLimit(cxHigh, QStringLiteral("150"));
        QVERIFY(pick(cbPd, QStringLiteral("200 - 260MHz")));
        QCOMPARE(cxLow->text(), QString());
        QCOMPARE(cxHigh->text(), QString());
    }

    // What the dialog shows on opening, and what Ok reports when nothing was touched.
    void modelOpensOnCurrentBand_data()
    {
        QTest::addColumn<QString>("modelCode");
        QTest::addColumn<QString>("bandText");
        QTest::addColumn<int>("bandCode");
        QTest::addColumn<QString>("model");
        QTest::addColumn<QString>("band");
        QTest::addColumn<QString>("low");
        QTest::addColumn<QString>("high");
        QTest::addColumn<int>("okCode");
        QTest::addColumn<QString>("okText");
        QTest::newRow("user limits") << "4k45" << "410.000 - 450.000MHz" << 0xA5 << Uhf << "400 - 470MHz"
                                     << "410" << "450" << 0xA5 << "410.000 - 450.000MHz";
        QTest::newRow("standard band") << "4k46" << "200 - 260MHz" << 0xF3 << Mhf << "200 - 260MHz" << ""
                                       << "" << 0xF3 << "200 - 260MHz";
        // A radio of the second model may come back with a band its list lacks.
        QTest::newRow("band not in the model's list") << "4k46" << "400 - 470MHz" << 0xF5 << Mhf
                                                      << "134 - 174MHz" << "" << "" << 0xF2 << "134 - 174MHz";
        // Limits read from a radio are shown in whole MHz but kept exact.
        QTest::newRow("limits with a fraction") << "4k46" << "410.006 - 449.994MHz" << 0xA6 << Mhf
                                                << "400 - 520MHz" << "410" << "450" << 0xA6
                                                << "410.006 - 449.994MHz";
    }

    void modelOpensOnCurrentBand()
    {
        QFETCH(QString, modelCode);
        QFETCH(QString, bandText);
        QFETCH(int, bandCode);
        QFETCH(QString, model);
        QFETCH(QString, band);
        QFETCH(QString, low);
        QFETCH(QString, high);
        QFETCH(int, okCode);
        QFETCH(QString, okText);
        QVERIFY(SelectModelAndBand(modelCode, bandText, quint8(bandCode), true));
        auto dialog = openModelDialog();
        QCOMPARE(dialog->modelText(), model);
        QCOMPARE(part<QComboBox>(dialog.get(), "cbPd")->currentText(), band);
        QCOMPARE(part<QLineEdit>(dialog.get(), "cxLow")->text(), low);
        QCOMPARE(part<QLineEdit>(dialog.get(), "cxHigh")->text(), high);
        QVERIFY(!dialog->confirmed());

        QTest::mouseClick(part<QPushButton>(dialog.get(), "btnOk"), Qt::LeftButton);
        QVERIFY(dialog->confirmed());
        QCOMPARE(int(dialog->resultBandCode()), okCode);
        QCOMPARE(dialog->resultBandText(), okText);
    }

    // ---- translation of the two dialogs ----

    void dialogsTranslatedAboveIndexZero_data()
    {
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<int>("languageIndex");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("firstItem");
        QTest::newRow("model, index 0") << "fModel" << 0 << "Model Type: " << "400 - 470MHz";
        QTest::newRow("model, index 1") << "fModel" << 1 << "Modell:" << "400 - 470MHz";
        QTest::newRow("language, index 0") << "fSetLanguage" << 0 << "Language Mode: " << "English";
        QTest::newRow("language, index 1") << "fSetLanguage" << 1 << "Sprache:" << "English";
    }

    void dialogsTranslatedAboveIndexZero()
    {
        QFETCH(QString, dialog);
        QFETCH(int, languageIndex);
        QFETCH(QString, label);
        QFETCH(QString, firstItem);
        writeFile(QStringLiteral("SysInfo.Ini"), "[SysInfo]\r\nDefaultLanguage=" + QByteArray::number(languageIndex)
                                                     + "\r\nLanguage=English|German\r\n"
                                                       "English=English|German\r\nGerman=English|German\r\n");
        // Both files translate, so only the language index decides.
        const QByteArray texts = "[fModel]\r\nLabel1.Caption=Modell:\r\ncbPd.0=Band\r\n"
                                 "[fSetLanguage]\r\nlbName.Caption=Sprache:\r\ncbLanguage.0=Englisch\r\n";
        writeFile(QStringLiteral("English.Ini"), texts);
        writeFile(QStringLiteral("German.Ini"), texts);
        testsupport::freshState(m_dir->path());

        std::unique_ptr<QDialog> window;
        if (dialog == QLatin1String("fModel"))
            window = std::make_unique<TfModel>();
        else
            window = std::make_unique<TfSetLanguage>();
        window->show();
        const char *labelName = dialog == QLatin1String("fModel") ? "Label1" : "lbName";
        const char *comboName = dialog == QLatin1String("fModel") ? "cbPd" : "cbLanguage";
        QCOMPARE(part<QLabel>(window.get(), labelName)->text(), label);
        // Item lists are never translated here.
        QCOMPARE(part<QComboBox>(window.get(), comboName)->itemText(0), firstItem);
    }

    // ---- language dialog ----

    void languageLists_data()
    {
        QTest::addColumn<int>("languageIndex");
        QTest::addColumn<QStringList>("displayNames");
        QTest::newRow("English in use") << 0 << QStringList{QStringLiteral("English"), QStringLiteral("Chinese")};
        QTest::newRow("Chinese in use") << 1 << QStringList{QString::fromUtf8("英文"), QString::fromUtf8("中文")};
    }

    void languageLists()
    {
        QFETCH(int, languageIndex);
        QFETCH(QStringList, displayNames);
        writeFile(QStringLiteral("SysInfo.Ini"), "[SysInfo]\r\nDefaultLanguage=" + QByteArray::number(languageIndex)
                                                     + "\r\nLanguage=English|Chinese\r\nEnglish=English|Chinese\r\n"
                                                       "Chinese=\xD3\xA2\xCE\xC4|\xD6\xD0\xCE\xC4\r\n");
        testsupport::freshState(m_dir->path());
        TfSetLanguage dialog;
        dialog.show();
        auto *cbLanguage = part<QComboBox>(&dialog, "cbLanguage");
        QCOMPARE(comboItems(cbLanguage), displayNames);
        QCOMPARE(cbLanguage->currentIndex(), languageIndex);
        auto *files = part<QListWidget>(&dialog, "Language");
        QVERIFY(files->isHidden());
        QCOMPARE(files->count(), 2);
        QCOMPARE(files->item(1)->text(), QStringLiteral("Chinese"));
        QVERIFY(!dialog.LanguageChanged());
    }

    void languageChoice_data()
    {
        QTest::addColumn<QByteArray>("files");
        QTest::addColumn<QByteArray>("displayNames");
        QTest::addColumn<int>("startIndex");
        QTest::addColumn<int>("picked");   // -1: the user picks nothing
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("changed");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("index");
        const QByteArray two = "English|Chinese";
        QTest::newRow("same language") << two << two << 0 << 0 << "btnOk" << false << "English" << 0;
        QTest::newRow("another language") << two << two << 0 << 1 << "btnOk" << true << "Chinese" << 1;
        QTest::newRow("another language, cancelled") << two << two << 0 << 1 << "btnCancel" << false << "English" << 0;
        QTest::newRow("index beyond the list") << two << two << 5 << -1 << "btnOk" << false << "" << 5;
        QTest::newRow("index beyond the list, one picked") << two << two << 5 << 0 << "btnOk" << true << "English" << 0;
        QTest::newRow("display name without a file") << two << QByteArray("English|Chinese|German") << 0 << 2
                                                     << "btnOk" << false << "English" << 0;
        QTest::newRow("empty file name") << QByteArray("English||Chinese") << QByteArray("English|Blank|Chinese")
                                         << 0 << 1 << "btnOk" << false << "English" << 0;
    }

    void languageChoice()
    {
        QFETCH(QByteArray, files);
        QFETCH(QByteArray, displayNames);
        QFETCH(int, startIndex);
        QFETCH(int, picked);
        QFETCH(QString, button);
        QFETCH(bool, changed);
        QFETCH(QString, name);
        QFETCH(int, index);
        writeFile(QStringLiteral("SysInfo.Ini"), "[SysInfo]\r\nDefaultLanguage=" + QByteArray::number(startIndex)
                                                     + "\r\nLanguage=" + files + "\r\nEnglish=" + displayNames
                                                     + "\r\n");
        testsupport::freshState(m_dir->path());
        // An index beyond the list names no language (the display names are then
        // the built-in ones, still two).
        if (startIndex >= 2)
            QCOMPARE(AppState.LanguageName, QString());

        TfSetLanguage dialog;
        dialog.show();
        auto *cbLanguage = part<QComboBox>(&dialog, "cbLanguage");
        if (picked < 0)
            QCOMPARE(cbLanguage->currentIndex(), -1);
        else
            cbLanguage->setCurrentIndex(picked);
        QTest::mouseClick(part<QPushButton>(&dialog, qPrintable(button)), Qt::LeftButton);

        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.LanguageChanged(), changed);
        QCOMPARE(AppState.LanguageName, name);
        QCOMPARE(AppState.LanguageIndex, index);
    }

    // ---- about box ----

    void aboutPlaceholders()
    {
        TfFrmAbout about;
        about.show();
        QCOMPARE(about.windowTitle(), QStringLiteral("ZE-4K V1.2"));
        const char *const order[] = {"Label1", "Label2", "Label3", "Label8", "Label4", "Label9"};
        const QStringList captions{"1", "2 V1.2", "3", "4", "5", "6"};
        int above = -1;
        for (int i = 0; i < 6; ++i) {
            auto *label = part<QLabel>(&about, order[i]);
            QCOMPARE(label->text(), captions[i]);
            QVERIFY2(label->y() > above, order[i]);
            above = label->y();
        }
        auto *icon = part<QLabel>(&about, "ImApp");
        QVERIFY(!icon->pixmap().isNull());
        QCOMPARE(icon->size(), QSize(32, 32));
        QVERIFY(icon->x() < part<QLabel>(&about, "Label1")->x());
        QVERIFY(!part<QLabel>(&about, "Label5")->isVisible());
        auto *memo = part<QPlainTextEdit>(&about, "Memo1");
        QVERIFY(memo->isReadOnly());
        QCOMPARE(memo->toPlainText().split(QLatin1Char('\n')), (QStringList{"7", "8", "", "9"}));
    }

    // The placeholders mean nothing, so the box is translated even at index 0.
    void aboutTextsFromLanguageFile()
    {
        QCOMPARE(AppState.LanguageIndex, 0);
        writeFile(AppState.LanguageName + QStringLiteral(".Ini"),
                  "[fFrmAbout]\r\nfFrmAbout.Caption=Ignored\r\nLabel1.Caption=\xD6\xD0\xCE\xC4\r\n"
                  "Label2.Caption=Version\r\nLabel5.Caption=Channel programmer\r\n"
                  "Label6.Caption=for ZE-4K radios\r\nLabel7.Caption=All rights reserved\r\n");
        TfFrmAbout about;
        about.show();
        QCOMPARE(about.windowTitle(), QStringLiteral("ZE-4K V1.2"));
        QCOMPARE(part<QLabel>(&about, "Label1")->text(), QString::fromUtf8("中文"));
        QCOMPARE(part<QLabel>(&about, "Label2")->text(), QStringLiteral("Version V1.2"));
        QCOMPARE(part<QLabel>(&about, "Label3")->text(), QStringLiteral("3"));
        QCOMPARE(part<QPlainTextEdit>(&about, "Memo1")->toPlainText().split(QLatin1Char('\n')),
                 (QStringList{"Channel programmer", "for ZE-4K radios", "", "All rights reserved"}));
    }

    // ---- message box ----

    void messageBox_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("answer");   // the button pressed, -1 for Escape
        QTest::addColumn<int>("result");
        const QString markup = QStringLiteral("<b>C:\\radio\\<i>1</i>.dat</b> &amp; more");
        QTest::newRow("information") << int(MsgInformation) << QStringLiteral("Reading Completed.")
                                     << int(QMessageBox::Ok) << int(MsgOk);
        QTest::newRow("question, yes") << int(MsgQuestion) << QStringLiteral("Do you wish to exit program?")
                                       << int(QMessageBox::Yes) << int(MsgYes);
        QTest::newRow("question, no") << int(MsgQuestion) << QStringLiteral("Do you wish to exit program?")
                                      << int(QMessageBox::No) << int(MsgNo);
        QTest::newRow("question, escape") << int(MsgQuestion) << QStringLiteral("Do you wish to Clear Data?")
                                          << -1 << int(MsgNo);
        QTest::newRow("text that looks like markup") << int(MsgInformation) << markup << int(QMessageBox::Ok)
                                                     << int(MsgOk);
        QTest::newRow("question that looks like markup") << int(MsgQuestion) << markup << int(QMessageBox::Yes)
                                                         << int(MsgYes);
    }

    // The real box: caption and text exactly as given, only the buttons of its kind.
    void messageBox()
    {
        QFETCH(int, kind);
        QFETCH(QString, text);
        QFETCH(int, answer);
        QFETCH(int, result);
        const MsgHandler previous = SetMsgHandler(nullptr);
        InstallMessageBox();
        QString caption, shown;
        bool plain = false;
        QList<int> buttons;
        QTimer::singleShot(0, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box)
                return;
            caption = box->windowTitle();
            const auto *label = box->findChild<QLabel *>(QStringLiteral("qt_msgbox_label"));
            shown = label ? label->text() : QString();
            plain = label && (label->textFormat() == Qt::PlainText
                              || (label->textFormat() == Qt::AutoText && !Qt::mightBeRichText(label->text())));
            for (QAbstractButton *b : box->buttons())
                buttons << int(box->standardButton(b));
            if (answer < 0)
                QTest::keyClick(box, Qt::Key_Escape);
            else
                box->button(QMessageBox::StandardButton(answer))->click();
        });
        const int got = ShowMsg(QStringLiteral("Confirmation"), text, kind);
        SetMsgHandler(previous);
        QCOMPARE(got, result);
        QCOMPARE(caption, QStringLiteral("Confirmation"));
        QCOMPARE(shown, text);
        QVERIFY2(plain, "the text is shown as markup");
        std::sort(buttons.begin(), buttons.end());
        if (kind == MsgQuestion)
            QCOMPARE(buttons, (QList<int>{int(QMessageBox::Yes), int(QMessageBox::No)}));
        else
            QCOMPARE(buttons, QList<int>{int(QMessageBox::Ok)});
    }

    void aboutClosesOnMousePress_data()
    {
        QTest::addColumn<QString>("target");
        QTest::newRow("the box") << "";
        QTest::newRow("a label") << "Label3";
        QTest::newRow("the icon") << "ImApp";
        QTest::newRow("the hidden panel") << "Panel1";
        QTest::newRow("a hidden label") << "Label6";
    }

    void aboutClosesOnMousePress()
    {
        QFETCH(QString, target);
        TfFrmAbout about;
        about.show();
        QWidget *where = target.isEmpty() ? &about : part(&about, qPrintable(target));
        QTest::mousePress(where, Qt::LeftButton, {}, target.isEmpty() ? QPoint(3, 3) : QPoint(1, 1));
        QVERIFY(!about.isVisible());
        QCOMPARE(about.result(), int(QDialog::Rejected));
    }
};

QTEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
