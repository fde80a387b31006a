#pragma once
// The whole image as one JSON object, keyed by the program's own field names.
#include <QJsonObject>
#include <QList>

QJsonObject ImageToJson();

// Parts of the image that the named fields show only in part: a field that was never
// written reads like one written with its default, an emptied FM channel keeps its
// frequency, an emptied memory channel its scan flag, and the serial number shows
// letters and digits only. The object carries them as hexadecimal under "RawBytes",
// so that importing it gives back the same bytes.
struct RawRegion
{
    const char *name;
    int offset;
    int size;
};
const QList<RawRegion> &JsonRawRegions();
