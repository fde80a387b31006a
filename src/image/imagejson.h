#pragma once
// The whole image as one JSON object, keyed by the program's own field names.
#include <QJsonObject>

QJsonObject ImageToJson();
