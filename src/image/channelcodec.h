#pragma once
// The 16-byte channel record and the FM channel values: decoding for display and
// writing single fields from the texts the editors hold.
#include <QString>
#include <cstdint>

class TChannel
{
public:
    double RxFrequency = 0.0;   // MHz
    double TxFrequency = 0.0;
    double Offset = 0.0;
    std::uint8_t Duplex = 0;    // 0 none, 1 plus, 2 minus
    int DecodeTone = 0;         // combined tone index
    int EncodeTone = 0;
    // Raw bit values of the flags byte; each equals the item index of its editor list.
    std::uint8_t TxStop = 0;
    std::uint8_t BusyLock = 0;
    std::uint8_t Bandwidth = 0;
    std::uint8_t TxPower = 0;
    std::uint8_t Compander = 0;
    std::uint8_t Scrambler = 0;
    std::uint8_t Epilogue = 0;
    std::uint8_t Vox = 0;
    std::uint8_t ScanDelete = 0;   // 0 "Add", 1 "Del"
    QString Name;
};

// Channel field numbers: the selector of WriteChannelField.
enum ChannelField {
    FieldRxFrequency = 0,
    FieldTxFrequency = 1,
    FieldOffset = 2,
    FieldDuplex = 3,
    FieldDecodeTone = 4,
    FieldEncodeTone = 5,
    FieldTxStop = 6,
    FieldBusyLock = 7,
    FieldBandwidth = 8,
    FieldTxPower = 9,
    FieldCompander = 10,
    FieldScrambler = 11,
    FieldScanDelete = 12,
    FieldName = 13,
    FieldEpilogue = 14,
    FieldVox = 15,
};

// True for the numbers the codec knows: memory channels 1..108 and 110.
bool isChannelNumber(int n);

// Fills channel from the record of channel n; false (channel untouched) when the
// memory channel is empty or n is no channel. Channel 110 always holds data.
bool DecodeChannel(int n, TChannel &channel);
// The same into the shared ChannelScratch.
bool DecodeChannel(int n);
bool IsChannelEmpty(int n);

// Writes one field of channel n from its text. False, with nothing written, when
// the text is not the number the field needs or n is no channel.
bool WriteChannelField(int n, int field, const QString &text);

// f in MHz rounded to the 6.25 kHz grid; a remainder of half a step rounds up.
double RoundFrequency(int stepClass, double f);
// 0 when f lies on the 6.25 kHz grid, 1 otherwise.
int StepClass(double f);

// Frequency in MHz of FM index i (0..19 channels, 20 the FM frequency-mode
// frequency), or -1 for an empty FM channel.
double DecodeFmChannel(int i);
// Stores FM index i from a MHz text; empty text empties the channel. False when the
// text is not a number (nothing written).
bool WriteFmChannel(int i, const QString &text);

// The name character set: code of a character, and character of a code (none above 39).
std::uint8_t nameCode(QChar c);
QChar nameChar(std::uint8_t code);
