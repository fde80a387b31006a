#pragma once
// The one way a message reaches the user. The window program installs a message
// box, the command-line tool prints and answers from its options, tests script it.
#include <QString>
#include <functional>

enum MsgKind { MsgInformation = 1, MsgQuestion = 2 };
enum MsgResult { MsgOk = 1, MsgYes = 6, MsgNo = 7 };

using MsgHandler = std::function<int(const QString &caption, const QString &text, int kind)>;

// Kind 1: information with OK, returns 1. Kind 2: Yes/No question, returns 6 or 7.
int ShowMsg(const QString &caption, const QString &text, int kind);
// Installs a handler and returns the previous one.
MsgHandler SetMsgHandler(MsgHandler handler);
