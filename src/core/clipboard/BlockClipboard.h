#pragma once

#include <QList>
#include <QPointF>
#include <QString>

class Diagram;

// Blocks cut or copied with the lines between them, as the ".kv" text of a small diagram of
// their own, so that they can be pasted into the same window, another Kelvra window or a
// later session; and the same blocks as a program text for a text editor.
namespace BlockClipboard {

// The clipboard's own type: the ".kv" text in UTF-8.
inline const QString mimeType = QStringLiteral("application/x-kelvra-blocks");

// The ".kv" text of blocks `indexes` (surface indexes) and of every line joining two of them.
QString copy(const Diagram& diagram, const QList<int>& indexes);
// The same blocks as text: the pseudo-language when they hold a whole program from its start,
// otherwise their commands one per line, from top to bottom.
QString plainText(const Diagram& diagram, const QList<int>& indexes);

// The top-left corner of the copied blocks, where they stood when copied.
QPointF corner(const QString& copied);

struct PasteResult {
    QList<int> blocks; // surface indexes of the pasted blocks
    QString refusal;   // why nothing was pasted, for the pupil; empty when pasted or empty
};
// Adds the blocks of a copied text to `diagram` under new numbers, their top-left corner at
// `topLeft`, with the lines between them. A start or end block the diagram already has is
// refused, and so is a text that is not copied blocks.
PasteResult paste(Diagram& diagram, const QString& copied, const QPointF& topLeft);

} // namespace BlockClipboard
