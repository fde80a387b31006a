#pragma once
// The 32 bytes of function settings: name, range and default of each byte.
#include <QString>

struct SettingInfo
{
    const char *name;   // empty for bytes no window edits
    int offset;         // image byte
    int maximum;        // larger values are replaced by the default
    int defaultValue;
    int listMaximum;    // last item index the settings window offers
};

constexpr int SettingCount = 32;
const SettingInfo &settingAt(int index);          // 0..31, in byte order
const SettingInfo *settingByName(const QString &name);   // case-sensitive; nullptr if none

// Byte offsets of the named settings.
namespace setting {
constexpr int Volume = 1859;
constexpr int FmVolume = 1860;
constexpr int ChannelDisplayMode = 1861;
constexpr int DualWatch = 1863;
constexpr int SquelchLevel = 1864;
constexpr int TxTimeOut = 1865;
constexpr int Lamp = 1866;
constexpr int KeyLock = 1867;
constexpr int KeyTone = 1868;
constexpr int BatterySave = 1869;
constexpr int VoiceLanguage = 1870;
constexpr int OpenTone = 1871;
constexpr int VoxGainLevel = 1872;
constexpr int VoxDelay = 1873;
constexpr int VoxInhibitOnReceive = 1874;
constexpr int AutoPowerOff = 1875;
constexpr int Key1Function = 1876;
constexpr int Key2Function = 1877;
constexpr int VfoStep = 1878;
constexpr int FmStep = 1879;
constexpr int ScanMode = 1880;
constexpr int ScanSpeed = 1881;
constexpr int ScanDropoutDelay = 1882;
constexpr int PriorityScan = 1883;
constexpr int PriorityChannel = 1884;
constexpr int InceptAlarm = 1885;
constexpr int HighVoltageInhibitTx = 1886;
constexpr int LowVoltageInhibitTx = 1887;
} // namespace setting
