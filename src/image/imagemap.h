#pragma once
// Byte locations of the radio's 2048-byte configuration memory. Every offset the
// program touches is named here; docs/memory-map.md draws the same layout.

namespace imagemap {

constexpr int ImageSize = 2048;
constexpr int BlockSize = 16;
constexpr int RadioBlockCount = 127;          // blocks 0..126 travel over the link
constexpr int RadioBytes = RadioBlockCount * BlockSize;   // 2032

constexpr int ChannelRecordSize = 16;
constexpr int FirstMemoryChannel = 1;
constexpr int LastMemoryChannel = 108;
constexpr int VfoChannelNumber = 110;          // the frequency-mode channel in the codec
constexpr int VfoChannel = 1760;               // its record: 110 x 16

constexpr int FmChannelTable = 1776;           // 20 x 16-bit, units of 25 kHz
constexpr int FmChannelCount = 20;
constexpr int FmVfoIndex = 20;                 // index 20 is the FM frequency-mode frequency
constexpr int FmVfoFrequency = 1816;
constexpr int FmEmptyBits = 1820;              // items from 0, set = empty
constexpr int ChannelEmptyBits = 1824;         // items from 1, set = empty
constexpr int ScanDeleteBits = 1840;           // items from 1, set = left out of scanning

constexpr int SettingsBlock = 1856;
constexpr int SettingsBlockSize = 32;

constexpr int IdentBlock = 1904;
constexpr int IdentLetter = 1904;              // 'P'
constexpr int IdentModelCode = 1905;           // 4 characters
constexpr int IdentBandCode = 1909;
constexpr int IdentReserved = 1910;            // 2 bytes of 0
constexpr int IdentBandLow = 1912;             // 32-bit, units of 6.25 kHz
constexpr int IdentBandHigh = 1916;

constexpr int SerialNumber = 1920;
constexpr int SerialNumberSize = 16;

constexpr int WriteTime = 1936;                // year (16-bit), month, day, hour, minute, second

// Offsets inside a channel record.
namespace record {
constexpr int RxFrequency = 0;     // 24-bit, units of 6.25 kHz
constexpr int OffsetLow = 3;       // offset bits 0-7
constexpr int OffsetHighDuplex = 4;// offset bits 8-13 in bits 0-5, duplex in bits 6-7
constexpr int DecodeToneType = 5;
constexpr int DecodeToneNumber = 6;
constexpr int EncodeToneType = 7;
constexpr int EncodeToneNumber = 8;
constexpr int Flags = 9;
constexpr int Name = 10;
constexpr int NameLength = 6;

// Bits of the flags byte.
constexpr int EpilogueBit = 0;
constexpr int VoxBit = 1;
constexpr int TxStopBit = 2;
constexpr int BusyLockBit = 3;
constexpr int BandwidthBit = 4;
constexpr int TxPowerBit = 5;
constexpr int CompanderBit = 6;
constexpr int ScramblerBit = 7;
} // namespace record

constexpr int FrequencyUnit = 625;      // 6.25 kHz in units of 10 Hz
constexpr int FmFrequencyUnit = 2500;   // 25 kHz in units of 10 Hz
constexpr int MaxOffsetCount = 11200;   // 70 MHz in units of 6.25 kHz

constexpr int channelRecord(int channel) { return channel * ChannelRecordSize; }

} // namespace imagemap
