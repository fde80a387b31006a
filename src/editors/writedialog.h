#pragma once
// The dialog that writes the image to the radio. The exchange itself is the write
// session's; the dialog shows its progress and offers Ok and Cancel. After a
// complete write it stays open, and Ok writes again.
#include "editors/clonedialog.h"
#include "link/writesession.h"

class TfWriteRadio : public CloneDialog
{
    Q_OBJECT
public:
    explicit TfWriteRadio(QWidget *parent = nullptr);

    WriteSession &session() { return m_session; }

private:
    WriteSession m_session;
};
