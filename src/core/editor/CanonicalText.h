#pragma once

#include <QString>

// The one form every typed or loaded block text is stored in: capitals, Greek letters for
// the Latin letters that share their keys, no accents, operator words and functions in Latin.
QString ucase_en_gr(const QString& text);

// The variable-name check: no leading digit, no punctuation outside an element's brackets,
// not a reserved word.
bool IS_NAME_VAR(const QString& name);
