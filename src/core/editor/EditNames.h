#pragma once

#include <QString>

class Diagram;

// The name of an edit, as "Αναίρεση" and "Επανάληψη" show it: found by comparing the diagram
// before the edit with the diagram after it, so that every way of editing is named alike.
namespace EditNames {

QString describe(const Diagram& before, const Diagram& after, bool commentChanged);

} // namespace EditNames
