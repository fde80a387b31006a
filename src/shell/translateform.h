#pragma once
// Replaces a window's texts from a language file. The section is the window's object
// name; keys are a component's object name followed by ".Caption", ".Hint" or "."
// and an item index, so every window of the program is translatable by object name.
//
// A widget property "tag" marks item lists: -2 never translates the list, -3
// translates only its first item. A key missing from the file keeps the current text.
#include <QString>

class QWidget;

constexpr int TagNoTranslate = -2;
constexpr int TagFirstItemOnly = -3;

void TranslateForm(QWidget *window, const QString &languageName, bool translateItemLists);
