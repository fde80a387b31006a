#include "link/writesession.h"
#include "core/appstate.h"
#include "core/langtexts.h"
#include "core/showmsg.h"
#include "image/image.h"
#include "image/models.h"
#include "link/backups.h"

namespace {
const char HandshakeText[] = "PROGRAM";
constexpr int HandshakeLength = 7;
}

WriteSession::WriteSession(QObject *parent)
    : CloneSession(50, 101, parent)
{
}

void WriteSession::okClicked()
{
    RefreshIdentBlock();
    // What is about to go to the radio, before anything has gone.
    Backups::saveCurrent(Backups::BeforeWrite);
    setOkEnabled(false);
    after(450, [this] { StartExchange(); });
}

void WriteSession::StartExchange()
{
    LinkState = Idle;
    ErrorShown = false;
    setProgress(0);
    m_line.discardQueues();
    setOkEnabled(false);
    RxCount = 0;
    after(50, [this] {
        arm(HeadTime);
        LinkState = Handshake;
        ExpectedCount = 1;
        sendHandshakeByte(0);
    });
}

// The handshake goes out one byte at a time, 2 ms apart.
void WriteSession::sendHandshakeByte(int index)
{
    if (!send(QByteArray(1, HandshakeText[index]))) {
        startFailed();
        return;
    }
    if (index + 1 < HandshakeLength)
        after(2, [this, index] { sendHandshakeByte(index + 1); });
}

WriteSession::IdentCheck WriteSession::CheckIdent() const
{
    const TMacType *radio = ModelList.ByCode(identModelCode());
    const TMacType *current = AppState.CurrentModel;
    if (!radio || !current)
        return ModelRefused;
    if (radio->code() == current->code())
        return SameModel;
    return radio->channelCount() == current->channelCount() ? OtherModelSameSize : ModelRefused;
}

void WriteSession::ProcessReply()
{
    switch (LinkState) {
    case Handshake:
        handshakeReply();
        break;
    case Ident:
        HeadTime.stop();
        switch (CheckIdent()) {
        case ModelRefused:
            ExpectedCount = 0;
            send(QByteArray(1, 'E'));
            ShowMsg(LangTexts.Confirmation, LangTexts.ModError, MsgInformation);
            arm(CloseTime);
            break;
        case SameModel:
            beginTransfer();
            break;
        case OtherModelSameSize:
            if (ShowMsg(LangTexts.Confirmation, LangTexts.Modforce, MsgQuestion) == MsgYes)
                beginTransfer();
            else
                emit halted();   // the radio stays in programming mode; only Cancel ends this
            break;
        }
        break;
    case Transfer:
        ProcessTransferReply();
        break;
    default:
        break;
    }
}

void WriteSession::beginTransfer()
{
    StampWriteTime();
    LinkState = Transfer;
    BlockIndex = -1;
    sendAck();
}

void WriteSession::ProcessTransferReply()
{
    if (RxBuffer[0] != Ack)
        return;   // the time-out ends the attempt
    TryTime.stop();
    if (++BlockIndex == BlockCount) {
        ExpectedCount = 1;
        RxCount = 0;
        LinkState = Idle;
        if (!send(QByteArray(1, 'E'), [this] { finish(); }))
            onLineError();
        return;
    }
    const int address = BlockIndex * 16;
    QByteArray frame("W");
    frame.append(char(address >> 8)).append(char(address & 0xFF)).append('\x10');
    frame.append(reinterpret_cast<const char *>(AppState.Image.data()) + address, 16);
    ExpectedCount = 1;
    RxCount = 0;
    if (!send(frame, [this] { arm(TryTime); })) {
        onLineError();
        return;
    }
    setProgress(progress() + 1);
}

void WriteSession::finish()
{
    setProgress(ProgressMaximum);
    ShowMsg(LangTexts.Confirmation, LangTexts.WriteOk, MsgInformation);
    setProgress(0);
    setOkEnabled(true);
    emit writeCompleted();
}

void WriteSession::onTryTime()
{
    LinkState = Idle;
    if (ErrorShown)
        return;
    setOkEnabled(true);
    showError(LangTexts.ComError);
    arm(CloseTime);
}

// The write stops where it is; the dialog stays open with Ok disabled.
void WriteSession::onLineError()
{
    LinkState = Idle;
    if (!ErrorShown) {
        showError(LangTexts.ComError);
        emit halted();
    }
}
