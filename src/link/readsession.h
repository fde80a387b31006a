#pragma once
// Reading the radio's memory into the image.
#include "link/clonesession.h"
#include "image/imagemap.h"

class ReadSession : public CloneSession
{
    Q_OBJECT
public:
    explicit ReadSession(QObject *parent = nullptr);

    void show(const QString &portName) override;
    void cancel() override;
    // The Ok button: one attempt from the handshake on.
    void StartExchange();

    bool RetryAllowed = false;
    bool ReadCompleted = false;
    std::array<quint8, imagemap::RadioBytes> ReadBuffer{};
    QString RadioModelCode;

protected:
    void ProcessReply() override;
    void onLineError() override;
    void onTryTime() override;

private:
    void ProcessTransferReply();
    void finish();
    void StoreReadImage();

    QTimer ReTime;
};
