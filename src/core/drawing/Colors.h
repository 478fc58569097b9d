#pragma once

#include <QColor>

// Colours are stored as 0x00BBGGRR, the packing the diagram files use.
QColor colorFromBgr(quint32 bgr);
quint32 bgrFromColor(const QColor& color);
