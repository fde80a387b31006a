#pragma once
// Writing the image to the radio.
#include "link/clonesession.h"

class WriteSession : public CloneSession
{
    Q_OBJECT
public:
    explicit WriteSession(QObject *parent = nullptr);

    // The Ok button: refreshes the ident block, then one attempt from the handshake on.
    void okClicked();

signals:
    // "Writing Completed." has been shown; Ok starts another write.
    void writeCompleted();

protected:
    void ProcessReply() override;
    void onLineError() override;
    void onTryTime() override;

private:
    enum IdentCheck { ModelRefused = 1, SameModel = 2, OtherModelSameSize = 3 };

    void StartExchange();
    void sendHandshakeByte(int index);
    IdentCheck CheckIdent() const;
    void beginTransfer();
    void ProcessTransferReply();
    void finish();
};
