#pragma once
// Shared fixture pieces for the tests.
#include "core/apppaths.h"
#include "core/appstate.h"
#include "core/showmsg.h"
#include "core/startup.h"
#include <QFile>
#include <QList>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

namespace testsupport {

// A fresh program state whose settings and language files live in dir (none there
// unless the test puts them there), with the first model and a new image current.
inline void freshState(const QString &dir)
{
    AppPaths::setBaseDir(dir);
    CreateDataModule();
    SelectStartModel();
}

// Fills the whole image with a pattern that is neither 0x00 nor 0xFF, so that a
// write to the wrong offset shows.
inline void fillPattern()
{
    for (int i = 0; i < int(AppState.Image.size()); ++i)
        AppState.Image[i] = std::uint8_t(0x5A ^ (i * 7));
}

// Records every message and answers from a script (default: OK / No).
struct MessageRecorder
{
    struct Message
    {
        QString caption, text;
        int kind;
    };
    QList<Message> messages;
    QList<int> answers;

    MessageRecorder()
    {
        SetMsgHandler([this](const QString &caption, const QString &text, int kind) {
            messages.append({caption, text, kind});
            if (!answers.isEmpty())
                return answers.takeFirst();
            return kind == MsgQuestion ? int(MsgNo) : int(MsgOk);
        });
    }
    ~MessageRecorder() { SetMsgHandler(nullptr); }
};

inline QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

// Empty when equal, else the first differing byte.
inline QString firstDifference(const ImageBytes &got, const ImageBytes &expected)
{
    for (int i = 0; i < int(got.size()); ++i) {
        if (got[i] != expected[i])
            return QStringLiteral("byte %1: %2, expected %3").arg(i).arg(got[i]).arg(expected[i]);
    }
    return QString();
}

inline void putBytes(ImageBytes &img, int at, const QByteArray &data)
{
    for (int i = 0; i < data.size(); ++i)
        img[at + i] = std::uint8_t(data[i]);
}

// What a command-line tool did: its exit status (-1 when it crashed or hung) and
// what it wrote.
struct ToolRun
{
    int status = -1;
    QByteArray out, err;
};

// Runs a tool to its end as a script would, feeding it input; the caller sets up the
// process (environment, working folder) first. A tool that hangs is killed.
inline ToolRun runTool(QProcess &p, const QString &program, const QStringList &args,
                       const QByteArray &input = QByteArray(), int timeoutMs = 60000)
{
    p.start(program, args);
    p.write(input);
    p.closeWriteChannel();
    ToolRun r;
    if (!p.waitForFinished(timeoutMs)) {
        p.kill();
        p.waitForFinished(10000);
        return r;
    }
    r.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = p.readAllStandardOutput();
    r.err = p.readAllStandardError();
    return r;
}

} // namespace testsupport
