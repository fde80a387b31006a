#include "link/readsession.h"
#include "core/appstate.h"
#include "core/langtexts.h"
#include "core/showmsg.h"
#include "image/image.h"
#include "image/models.h"
#include "link/backups.h"

ReadSession::ReadSession(QObject *parent)
    : CloneSession(20, 51, parent)
{
    ReTime.setSingleShot(true);
    ReTime.setInterval(500);
    connect(&ReTime, &QTimer::timeout, this, [this] {
        setOkEnabled(true);
        StartExchange();
    });
}

void ReadSession::show(const QString &portName)
{
    ReadCompleted = false;
    RetryAllowed = true;
    CloneSession::show(portName);
}

// A restart that is still due must not reopen the exchange once the user has quit.
void ReadSession::cancel()
{
    ReTime.stop();
    CloneSession::cancel();
}

void ReadSession::StartExchange()
{
    ReadCompleted = false;
    LinkState = Idle;
    ErrorShown = false;
    setProgress(0);
    setOkEnabled(false);
    after(450, [this] {
        RxCount = 0;
        m_line.discardQueues();
        after(50, [this] {
            arm(HeadTime);
            LinkState = Handshake;
            ExpectedCount = 1;
            RxCount = 0;
            if (!send(QByteArrayLiteral("PROGRAM")))
                startFailed();
        });
    });
}

void ReadSession::ProcessReply()
{
    switch (LinkState) {
    case Handshake:
        handshakeReply();
        break;
    case Ident:
        HeadTime.stop();
        if (ModelList.ByCode(identModelCode())) {
            RadioModelCode = identModelCode();
            LinkState = Transfer;
            BlockIndex = -1;
            sendAck();
        } else {
            // Every further byte from the radio repeats this, as it always has.
            ExpectedCount = 0;
            send(QByteArray(1, 'E'));
            ShowMsg(LangTexts.Confirmation, LangTexts.ModError, MsgInformation);
            emit halted();
        }
        break;
    case Transfer:
        ProcessTransferReply();
        break;
    default:
        break;
    }
}

void ReadSession::ProcessTransferReply()
{
    if (!AwaitingAck) {
        TryTime.stop();
        if (BlockIndex >= 0 && BlockIndex < BlockCount)
            std::copy_n(RxBuffer.begin() + 4, 16, ReadBuffer.begin() + BlockIndex * 16);
        setProgress(progress() + 1);
        sendAck();
        return;
    }
    if (RxBuffer[0] != Ack)
        return;   // the time-out ends the attempt
    TryTime.stop();
    if (++BlockIndex == BlockCount) {
        ExpectedCount = 1;
        RxCount = 0;
        AwaitingAck = false;
        // Nothing the radio sends from here on belongs to this read.
        LinkState = Idle;
        if (!send(QByteArray(1, 'E'), [this] { finish(); }))
            onLineError();
        return;
    }
    const int address = BlockIndex * 16;
    ExpectedCount = 20;
    RxCount = 0;
    AwaitingAck = false;
    QByteArray request("R");
    request.append(char(address >> 8)).append(char(address & 0xFF)).append('\x10');
    if (!send(request, [this] { arm(TryTime); }))
        onLineError();
}

void ReadSession::finish()
{
    setProgress(ProgressMaximum);
    ShowMsg(LangTexts.Confirmation, LangTexts.ReadOk, MsgInformation);
    StoreReadImage();
    // Kept as the radio holds it, before the settings are brought into range.
    Backups::saveCurrent(Backups::AfterRead);
    NormalizeSettings();
    AppState.Modified = true;
    ReadCompleted = true;
    arm(CloseTime);
}

void ReadSession::StoreReadImage()
{
    std::copy(ReadBuffer.begin(), ReadBuffer.end(), AppState.Image.begin());
    SelectModelFromImage(RadioModelCode);
}

void ReadSession::onTryTime()
{
    LinkState = Idle;
    if (ErrorShown)
        return;
    showError(LangTexts.ComError);
    arm(CloseTime);
}

// The first line error of a showing restarts the read after a pause, silently.
void ReadSession::onLineError()
{
    m_line.discardQueues();
    LinkState = Idle;
    if (RetryAllowed) {
        ErrorShown = true;
        RetryAllowed = false;
        arm(ReTime);
    } else {
        arm(TryTime);
    }
}
