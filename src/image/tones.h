#pragma once
// The tone list every editor picks from: "None", 50 CTCSS tones, 106 DCS codes in
// normal polarity and the same 106 inverted. A tone's position in this list (the
// combined tone index) is what the editors hand to the channel codec.
#include <QString>
#include <QStringList>
#include <cstdint>

constexpr int ToneCount = 263;
constexpr int CtcssCount = 50;
constexpr int DcsCount = 106;
constexpr int FirstCtcssIndex = 1;
constexpr int FirstDcsNormalIndex = 51;
constexpr int FirstDcsInvertedIndex = 157;

// The text at a combined index 0..262; empty outside the list.
QString ToneText(int index);
const QStringList &toneList();
// The first index whose text equals the text; -1 when none does. The DCS code 532
// occurs twice, so its text always finds the first of the two.
int toneIndexOf(const QString &text);

// The cleaned-up form of a tone typed by the user (the result need not be in the list).
QString NormalizeToneText(const QString &text);

struct ToneBytes
{
    std::uint8_t type;
    std::uint8_t number;
};
// The two record bytes of a combined index (out-of-list indexes as the codec has them).
ToneBytes encodeTone(int index);
// The combined index of two record bytes; unknown types and numbers fall back.
int decodeTone(std::uint8_t type, std::uint8_t number);
