#include "core/editor/BlockCommands.h"

#include "core/editor/CanonicalText.h"
#include "core/editor/CommandCheck.h"
#include "core/model/Block.h"
#include "core/model/BlockKinds.h"
#include "core/model/OutputList.h"

namespace BlockCommands {

CommandTexts CommandTexts::of(const cBck& block) {
    return {block.zaction(), block.zParam1(), block.zParam2(), block.zParam3(), block.sCaption()};
}

void CommandTexts::restoreTo(cBck& block) const {
    block.setZaction(kind);
    block.setZParam1(p1);
    block.setZParam2(p2);
    block.setZParam3(p3);
    block.setSCaption(caption);
}

QString trimBlanks(const QString& text) {
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text[first] == QLatin1Char(' '))
        ++first;
    while (last > first && text[last - 1] == QLatin1Char(' '))
        --last;
    return text.mid(first, last - first);
}

QString assignmentBoxText(const cBck& block) {
    return block.zParam1() + QStringLiteral(" <-- ") + block.zParam2();
}

bool applyAssignment(cBck& block, const QString& typed) {
    const QString text = CommandCheck::withStoredArrow(typed);
    const QString arrow = QStringLiteral("<--");
    const qsizetype at = text.indexOf(arrow);
    if (at < 0)
        return false;
    block.setZaction(BlockKinds::assign);
    block.setZParam1(trimBlanks(text.left(at)));
    block.setZParam2(trimBlanks(text.mid(at + arrow.size())));
    if (block.zParam1().isEmpty() || block.zParam2().isEmpty() || !IS_NAME_VAR(block.zParam1()))
        return false;
    block.setCaptionToAction();
    return true;
}

QString inputBoxText(const cBck& block) {
    return block.zParam2();
}

bool applyInput(cBck& block, const QString& text) {
    const QString name = text.toUpper();
    if (!IS_NAME_VAR(name))
        return false;
    block.setZaction(BlockKinds::input);
    block.setZParam1(QString());
    block.setZParam2(name);
    block.setCaptionToAction();
    return true;
}

QString outputBoxText(const cBck& block) {
    // The list exactly as the run reads it; quoting a lone variable here would turn it into
    // a message the next time OK is pressed.
    return OutputList::text(block.zParam1(), block.zParam2());
}

void applyOutput(cBck& block, const QString& text) {
    const QString upper = text.toUpper();
    block.setZaction(BlockKinds::output);
    const qsizetype comma = upper.indexOf(QLatin1Char(','));
    if (comma < 0) {
        // A message alone keeps its quotes, or the run would take it for a variable.
        block.setZParam1(OutputList::isLoneMessage(upper)
                             ? trimBlanks(upper)
                             : QString(upper).remove(QLatin1Char('"')));
        block.setZParam2(QString());
    } else {
        block.setZParam1(upper.left(comma));
        block.setZParam2(upper.mid(comma + 1));
    }
    block.setCaptionToAction();
}

QString conditionBoxText(const QString& stored, const QString& kind) {
    QString text = stored;
    for (const char* wrapping : {"ΑΝ_", "_ΤΟΤΕ", "ΟΣΟ_", "ΜΕΧΡΙΣ_ΟΤΟΥ_"})
        text.remove(QString::fromUtf8(wrapping));
    const bool loopTest = kind == BlockKinds::whileTest || kind == BlockKinds::untilTest;
    if (loopTest && text.endsWith(QLatin1Char('_')))
        text.chop(1);
    return text;
}

bool applyCondition(cBck& block, const QString& kind, const QString& text) {
    const QString condition = text.toUpper();
    block.setZaction(kind);
    block.setZParam1(QString(kind).replace(QStringLiteral(".."),
                                           QLatin1Char('_') + condition + QLatin1Char('_')));
    block.setZParam2(condition);
    block.setZParam3(QString());
    if (condition.isEmpty())
        return false;
    block.setCaptionToAction();
    return true;
}

} // namespace BlockCommands
