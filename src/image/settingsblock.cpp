#include "image/settingsblock.h"
#include "image/imagemap.h"

namespace {

// In byte order from 1856. The list maximum is what the settings windows offer,
// which for a few bytes is less than the range the radio accepts.
const SettingInfo Settings[SettingCount] = {
    {"", 1856, 15, 1, 15},
    {"", 1857, 107, 0, 107},
    {"", 1858, 19, 0, 19},
    {"Volume", 1859, 15, 15, 15},
    {"FmVolume", 1860, 15, 15, 15},
    {"ChannelDisplayMode", 1861, 255, 0, 1},
    {"", 1862, 255, 0, 255},
    {"DualWatch", 1863, 1, 0, 1},
    {"SquelchLevel", 1864, 9, 4, 9},
    {"TxTimeOut", 1865, 40, 8, 10},
    {"Lamp", 1866, 2, 1, 2},
    {"KeyLock", 1867, 1, 1, 1},
    {"KeyTone", 1868, 2, 2, 2},
    {"BatterySave", 1869, 4, 4, 4},
    {"VoiceLanguage", 1870, 1, 0, 1},
    {"OpenTone", 1871, 1, 1, 1},
    {"VoxGainLevel", 1872, 9, 0, 9},
    {"VoxDelay", 1873, 5, 1, 5},
    {"VoxInhibitOnReceive", 1874, 1, 1, 1},
    {"AutoPowerOff", 1875, 6, 0, 6},
    {"Key1Function", 1876, 6, 3, 6},
    {"Key2Function", 1877, 6, 1, 6},
    {"VfoStep", 1878, 4, 2, 4},
    {"FmStep", 1879, 4, 2, 4},
    {"ScanMode", 1880, 2, 0, 2},
    {"ScanSpeed", 1881, 9, 0, 9},
    {"ScanDropoutDelay", 1882, 28, 12, 27},
    {"PriorityScan", 1883, 1, 0, 1},
    {"PriorityChannel", 1884, 107, 0, 107},
    {"InceptAlarm", 1885, 1, 0, 1},
    {"HighVoltageInhibitTx", 1886, 255, 0, 1},
    {"LowVoltageInhibitTx", 1887, 255, 0, 1},
};

static_assert(sizeof(Settings) / sizeof(Settings[0]) == imagemap::SettingsBlockSize);

} // namespace

const SettingInfo &settingAt(int index)
{
    return Settings[index];
}

const SettingInfo *settingByName(const QString &name)
{
    if (name.isEmpty())
        return nullptr;
    for (const SettingInfo &s : Settings) {
        if (name == QLatin1String(s.name))
            return &s;
    }
    return nullptr;
}
