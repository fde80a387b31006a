#include "image/tones.h"
#include "image/numbers.h"

namespace {

const char *const CtcssTones[CtcssCount] = {
    "67.0", "69.3", "71.9", "74.4", "77.0", "79.7", "82.5", "85.4", "88.5", "91.5",
    "94.8", "97.4", "100.0", "103.5", "107.2", "110.9", "114.8", "118.8", "123.0", "127.3",
    "131.8", "136.5", "141.3", "146.2", "151.4", "156.7", "159.8", "162.2", "165.5", "167.9",
    "171.3", "173.8", "177.3", "179.9", "183.5", "186.2", "189.9", "192.8", "196.6", "199.5",
    "203.5", "206.5", "210.7", "218.1", "225.7", "229.1", "233.6", "241.8", "250.3", "254.1",
};

// 532 is listed twice on purpose: the radio knows two tone numbers for it.
const char *const DcsCodes[DcsCount] = {
    "023", "025", "026", "031", "032", "036", "043", "047", "050", "051",
    "053", "054", "065", "071", "072", "073", "074", "114", "115", "116",
    "122", "125", "131", "132", "134", "145", "146", "152", "155", "156",
    "162", "165", "172", "174", "205", "212", "223", "225", "226", "243",
    "244", "245", "246", "251", "252", "255", "261", "263", "265", "266",
    "271", "274", "306", "311", "315", "325", "331", "332", "343", "346",
    "351", "356", "364", "365", "371", "411", "412", "413", "423", "431",
    "432", "445", "446", "452", "454", "455", "462", "464", "465", "466",
    "503", "506", "516", "523", "532", "532", "546", "565", "606", "612",
    "624", "627", "631", "632", "645", "654", "662", "664", "703", "712",
    "723", "731", "732", "734", "743", "754",
};

QStringList buildToneList()
{
    QStringList list;
    list.reserve(ToneCount);
    list.append(QStringLiteral("None"));
    for (const char *tone : CtcssTones)
        list.append(QLatin1String(tone));
    for (const char *code : DcsCodes)
        list.append(QLatin1Char('D') + QLatin1String(code) + QLatin1Char('N'));
    for (const char *code : DcsCodes)
        list.append(QLatin1Char('D') + QLatin1String(code) + QLatin1Char('I'));
    return list;
}

bool isOctalDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('7');
}

} // namespace

const QStringList &toneList()
{
    static const QStringList list = buildToneList();
    return list;
}

QString ToneText(int index)
{
    return index >= 0 && index < ToneCount ? toneList().at(index) : QString();
}

int toneIndexOf(const QString &text)
{
    return int(toneList().indexOf(text));
}

QString NormalizeToneText(const QString &text)
{
    if (text.isEmpty())
        return QString();
    const QChar first = text.at(0);
    if (first.isDigit() && first.unicode() < 128) {
        const auto value = parseDecimal(text);
        if (!value)
            return QStringLiteral("290.0");
        return formatFixed(qBound(30.0, *value, 290.0), 1);
    }
    if (text.size() == 5 && first == QLatin1Char('D')
        && QStringLiteral("INin").contains(text.at(4))
        && isOctalDigit(text.at(1)) && isOctalDigit(text.at(2)) && isOctalDigit(text.at(3)))
        return text;
    return QStringLiteral("D777N");
}

ToneBytes encodeTone(int index)
{
    if (index == 0 || index > 262)
        return {0, 0xFF};
    if (index <= 50)
        return {1, std::uint8_t(index - 1)};   // a negative index wraps, as the radio software did
    if (index <= 156)
        return {2, std::uint8_t(index - 51)};
    return {3, std::uint8_t(index - 157)};
}

int decodeTone(std::uint8_t type, std::uint8_t number)
{
    switch (type) {
    case 1:
        return (number > 49 ? 0 : number) + FirstCtcssIndex;
    case 2:
        return (number > 105 ? 0 : number) + FirstDcsNormalIndex;
    case 3:
        return (number > 105 ? 0 : number) + FirstDcsInvertedIndex;
    default:
        return 0;
    }
}
