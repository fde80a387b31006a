#pragma once
// The radio's end of a pseudo-terminal pair. A host program opens the slave device
// as its serial port; the radio reads and writes the master side. Everything that
// touches the operating system for this lives behind this header.
#include <QByteArray>
#include <QString>
#include <functional>

class QObject;

class PseudoTerminal
{
public:
    PseudoTerminal() = default;
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal &) = delete;
    PseudoTerminal &operator=(const PseudoTerminal &) = delete;

    // Creates the pair in raw mode. The radio keeps a handle on the slave side too, so
    // that a host closing its port does not hang up the master between sessions.
    bool open(QString *error);
    // Closes both sides: a host that still has the slave open sees its device vanish.
    void close();

    bool isOpen() const { return m_master >= 0; }
    // For a read/write notifier on the master.
    int masterHandle() const { return m_master; }
    QString slavePath() const { return m_slavePath; }

    // Appends whatever the host has sent, without blocking. False when the master
    // failed (the message says why).
    bool readAvailable(QByteArray *into, QString *error);
    // Writes as much as the master takes now, without blocking: the number of bytes
    // taken, or -1 when the master failed.
    qint64 write(const char *data, qint64 size, QString *error);

private:
    int m_master = -1;
    int m_slave = -1;
    QString m_slavePath;
};

// Runs handler on the event loop of context's thread when the process is asked to stop
// (interrupt, terminate, hang-up), so that the program can clean up before it exits.
// False where the platform offers no such request.
bool callOnTerminationRequest(QObject *context, std::function<void()> handler);
