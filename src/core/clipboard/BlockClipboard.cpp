#include "core/clipboard/BlockClipboard.h"

#include "core/codegen/PseudoCodeGenerator.h"
#include "core/codegen/PseudoLines.h"
#include "core/files/DiagramFormat.h"
#include "core/files/HeadlessDiagram.h"
#include "core/model/Block.h"
#include "core/model/BlockKinds.h"
#include "core/model/BlockSurface.h"
#include "core/model/ConnectionLine.h"
#include "core/model/Diagram.h"

#include <QHash>
#include <algorithm>

namespace {

// A copy of `from` in `blocks` under `tag`, at `at`: everything a file keeps of a block.
cBck* copyBlock(const cBck& from, Bl_Co& blocks, const QString& tag, const QPointF& at) {
    cBck* block = blocks.AddShape(from.shape(), tag, at.x(), at.y());
    if (!block)
        return nullptr;
    block->setShapeWidth(from.shapeWidth());
    block->setShapeHeight(from.shapeHeight());
    block->setBGColor(from.BGColor());
    block->setBorderColor(from.BorderColor());
    block->setTextColor(from.TextColor());
    block->setZaction(from.zaction());
    block->setZParam1(from.zParam1());
    block->setZParam2(from.zParam2());
    block->setZParam3(from.zParam3());
    block->setCaptionToAction();
    block->t_O_Shape()->setFont(from.t_O_Shape()->font());
    return block;
}

QList<const cBck*> standingBlocks(const Diagram& diagram, const QList<int>& indexes) {
    QList<const cBck*> blocks;
    for (int index : indexes) {
        const cBck* block = diagram.blockAt(index);
        if (block && !Bl_Co::isDeleted(*block) && !blocks.contains(block))
            blocks << block;
    }
    return blocks;
}

// The chosen blocks and their lines, in a diagram of their own, numbered as they were.
void extract(const Diagram& diagram, const QList<int>& indexes, Diagram& piece) {
    QSet<QString> tags;
    for (const cBck* block : standingBlocks(diagram, indexes)) {
        if (copyBlock(*block, piece.the_bl_co(), block->tagid(),
                      QPointF(block->shapeLeft(), block->shapeTop())))
            tags.insert(block->tagid());
    }
    for (const auto& line : diagram.the_li_co()) {
        if (tags.contains(line->sFrom()) && tags.contains(line->sTo()))
            piece.the_li_co().Add_LINE(line->sFrom(), line->sTo(), line->sCaption());
    }
}

QString refusalOfSingletons(const Diagram& diagram, const Diagram& piece) {
    if (piece.findActionBlock(BlockKinds::start) && diagram.findActionBlock(BlockKinds::start))
        return QStringLiteral("Ένα μόνο χειρηστήριο ΑΡΧΗ μπορεί να υπάρχει");
    if (piece.findActionBlock(BlockKinds::end) && diagram.findActionBlock(BlockKinds::end))
        return QStringLiteral("Ένα μόνο χειρηστήριο TEΛΟΣ μπορεί να υπάρχει");
    return {};
}

QPointF topLeftOf(const Diagram& piece) {
    QPointF corner(std::numeric_limits<double>::max(), std::numeric_limits<double>::max());
    for (const auto& block : piece.the_bl_co())
        corner = QPointF(std::min(corner.x(), block->shapeLeft()),
                         std::min(corner.y(), block->shapeTop()));
    return corner;
}

} // namespace

namespace BlockClipboard {

QString copy(const Diagram& diagram, const QList<int>& indexes) {
    HeadlessDiagram piece;
    extract(diagram, indexes, piece.diagram());
    return DiagramFormat::text(piece.diagram(), QString());
}

QString plainText(const Diagram& diagram, const QList<int>& indexes) {
    HeadlessDiagram piece;
    extract(diagram, indexes, piece.diagram());
    if (piece.diagram().findActionBlock(BlockKinds::start)) {
        if (const std::optional<QString> program = PseudoCodeGenerator().generate(piece.diagram()))
            return *program;
    }
    QList<const cBck*> blocks = standingBlocks(diagram, indexes);
    std::stable_sort(blocks.begin(), blocks.end(),
                     [](const cBck* a, const cBck* b) { return a->shapeTop() < b->shapeTop(); });
    QStringList lines;
    for (const cBck* block : blocks) {
        const QString command =
            PseudoLines::finishLine(PseudoLines::REPL_(block->sCaption())).trimmed();
        if (!command.isEmpty())
            lines << command;
    }
    return lines.join(QLatin1Char('\n'));
}

QPointF corner(const QString& copied) {
    HeadlessDiagram piece;
    DiagramFormat::read(copied.toUtf8(), piece.diagram());
    return piece.diagram().the_bl_co().Count() > 0 ? topLeftOf(piece.diagram()) : QPointF();
}

PasteResult paste(Diagram& diagram, const QString& copied, const QPointF& topLeft) {
    PasteResult result;
    HeadlessDiagram piece;
    const DiagramFormat::ReadResult read = DiagramFormat::read(copied.toUtf8(), piece.diagram());
    if (read.status != DiagramFormat::ReadResult::Status::Ok ||
        piece.diagram().the_bl_co().Count() == 0) {
        result.refusal = QStringLiteral("Το πρόχειρο δεν έχει εντολές διαγράμματος");
        return result;
    }
    result.refusal = refusalOfSingletons(diagram, piece.diagram());
    if (!result.refusal.isEmpty())
        return result;
    if (diagram.shapeCount() + piece.diagram().the_bl_co().Count() > Diagram::maxCreations) {
        result.refusal = QStringLiteral("Το διάγραμμα δεν χωράει άλλες ") +
                         QString::number(piece.diagram().the_bl_co().Count()) +
                         QStringLiteral(" εντολές");
        return result;
    }
    const QPointF shift = topLeft - topLeftOf(piece.diagram());
    Bl_Co& blocks = diagram.the_bl_co();
    QHash<QString, QString> newTag;
    for (const auto& from : piece.diagram().the_bl_co()) {
        const QString tag = blocks.getFreeTagID();
        const QPointF at(from->shapeLeft() + shift.x(), from->shapeTop() + shift.y());
        if (copyBlock(*from, blocks, tag, at)) {
            newTag.insert(from->tagid(), tag);
            result.blocks << blocks.get_Index_f_Tag(tag);
        }
    }
    for (const auto& line : piece.diagram().the_li_co()) {
        if (newTag.contains(line->sFrom()) && newTag.contains(line->sTo()))
            diagram.the_li_co().Add_LINE(newTag[line->sFrom()], newTag[line->sTo()],
                                         line->sCaption());
    }
    return result;
}

} // namespace BlockClipboard
