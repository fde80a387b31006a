#include "core/showmsg.h"
#include <cstdio>

namespace {

// Without a user to ask, print the message and answer No.
int printMessage(const QString &caption, const QString &text, int kind)
{
    std::fprintf(stderr, "%s: %s\n", qPrintable(caption), qPrintable(text));
    return kind == MsgQuestion ? MsgNo : MsgOk;
}

MsgHandler &handler()
{
    static MsgHandler current = printMessage;
    return current;
}

} // namespace

int ShowMsg(const QString &caption, const QString &text, int kind)
{
    return handler()(caption, text, kind);
}

MsgHandler SetMsgHandler(MsgHandler next)
{
    MsgHandler previous = handler();
    handler() = next ? std::move(next) : MsgHandler(printMessage);
    return previous;
}
