#pragma once
// The dialog that reads the radio's memory into the image. The exchange itself is
// the read session's; the dialog shows its progress and offers Ok and Cancel.
#include "editors/clonedialog.h"
#include "link/readsession.h"

class TfReadRadio : public CloneDialog
{
    Q_OBJECT
public:
    explicit TfReadRadio(QWidget *parent = nullptr);

    // After the dialog has closed: whether a complete read went into the image.
    bool readCompleted() const { return m_session.ReadCompleted; }
    ReadSession &session() { return m_session; }

private:
    ReadSession m_session;
};
