#pragma once
// The dialog that chooses which language file is in use.
#include <QDialog>

class QComboBox;
class QListWidget;

class TfSetLanguage : public QDialog
{
    Q_OBJECT
public:
    explicit TfSetLanguage(QWidget *parent = nullptr);

    // True after "Ok" with another language than the current one; LanguageName and
    // LanguageIndex of AppState then hold the new language.
    bool LanguageChanged() const { return m_changed; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    void FormShow();
    void btnOkClick();

    bool m_changed = false;
    QComboBox *cbLanguage = nullptr;
    QListWidget *Language = nullptr;
};
