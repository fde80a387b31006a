#pragma once
// What the virtual radio is asked to be: its model, its memory, its pacing, and the
// faults it should show. Filled from the command line or directly by a test.
#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

class QCommandLineParser;

// A point of the clone exchange, as the radio sees it: where a fault can strike.
struct RadioStep
{
    enum Kind {
        Handshake,   // the ACK to "PROGRAM"
        Ident,       // the 16-byte ident reply to 0x02
        Ack,         // the ACK to the host's ACK after the ident
        Read,        // the 20-byte reply to a read request
        ReadAck,     // the ACK to the host's ACK after a read reply
        Write,       // the ACK to a write frame
        Block        // Read or Write of a block
    };
    Kind kind = Handshake;
    int block = -1;  // Read, ReadAck, Write, Block: the block number; -1 any block

    // "handshake", "ident", "ack", "read:N", "readack:N", "write:N" (without ":N" any
    // block), or a bare block number N (read or write of block N). Blocks are 0 to 126.
    static std::optional<RadioStep> parse(const QString &text);
    QString toString() const;
    // Whether this step, as configured, covers the step that is happening now.
    bool covers(const RadioStep &happening) const;
};

struct RadioFaults
{
    QList<RadioStep> silentAt;             // no answer at all
    QList<RadioStep> wrongAckAt;           // 0x15 instead of the answer
    bool strayByte = false;                // one 0x00 before the handshake ACK
    int lateMs = 0;                        // delay of a late answer; 0 none
    std::optional<RadioStep> lateAt;       // where it is late; unset: every ACK
    int burstBytes = 0;                    // the ident reply as this many bytes in one write; 0 none
    std::optional<RadioStep> cablePullAt;  // close the pseudo-terminal when this step comes
    bool repeat = false;                   // faults strike every time their step comes, not once
};

struct RadioOptions
{
    QByteArray modelCode;  // four characters; empty: the image file's model, else "4k45"
    QString imagePath;     // data file whose image the radio holds
    QString savePath;      // data file written after each completed write
    QString linkPath;      // symbolic link made to the slave device
    bool wire = false;     // pace every byte at 2400 baud, 11 bits a byte, both ways
    bool once = false;     // the program ends after the first completed read or write
    bool printTrace = false;  // every exchange printed on stderr as it happens
    bool keepTrace = true;    // every exchange kept in memory for trace(); a long-running
                              // program turns this off
    RadioFaults faults;
};

// The options of the program, for its own parser.
void addRadioOptions(QCommandLineParser &parser);
// False with a message naming the bad option and value.
bool radioOptionsFromParser(const QCommandLineParser &parser, RadioOptions *options, QString *error);
// The same from a whole command line (the program name first), for tests and tools.
std::optional<RadioOptions> parseRadioArguments(const QStringList &arguments, QString *error);
