#include "core/editor/Linking.h"

#include "core/model/Block.h"
#include "core/model/ConnectionLine.h"
#include "core/model/Diagram.h"
#include "core/model/MessageSink.h"
#include "core/model/ModalQuestions.h"
#include "core/model/VbRounding.h"

namespace Linking {

namespace {
bool askToDelete(Diagram& diagram) {
    return diagram.questions().messageBox(
               QStringLiteral("Να διαγραφεί"), QStringLiteral("Προσοχή διαγραφή συνδέσεων"),
               ModalQuestions::Buttons::YesNo) == ModalQuestions::Answer::Yes;
}

void removeLine(Diagram& diagram, cLn& line) {
    line.setSFrom(QString());
    line.setSTo(QString());
    diagram.the_li_co().del_Line();
}
} // namespace

QString twoDigits(int blockNumber) {
    return QStringLiteral("%1").arg(blockNumber % 100, 2, 10, QLatin1Char('0'));
}

bool isTest(const cBck& block) {
    const QString head = block.zaction().left(3);
    return head == QStringLiteral("ΑΝ.") || head == QStringLiteral("ΟΣΟ") ||
           head == QStringLiteral("ΜΕΧ");
}

bool isJunction(const cBck& block) {
    return block.zaction().left(6) == QStringLiteral("ΣΥΝΔΕΣ");
}

bool hasYesExit(const Diagram& diagram, const cBck& block) {
    for (const auto& line : diagram.the_li_co()) {
        if (line->sFrom() == block.tagid() && line->sCaption().toUpper() == QStringLiteral("Ν"))
            return true;
    }
    return false;
}

cLn* do_link(Diagram& diagram, int source, int target) {
    diagram.previousBlockIndex = source;
    diagram.currentBlockIndex = target;
    cBck* from = diagram.blockAt(source);
    cBck* to = diagram.blockAt(target);
    if (source <= 0 || target <= 0 || source == target || !from || !to)
        return nullptr;
    MessageSink& messages = diagram.messages();
    int exits = 0;
    for (const auto& line : diagram.the_li_co()) {
        if (line->sFrom() != from->tagid())
            continue;
        if (!isTest(*from)) {
            // The line that is there is named, not the one refused: the pupil must find it.
            const cBck* existing = diagram.the_bl_co().Item(line->sTo());
            const QString end = existing ? existing->sCaption() : line->sTo();
            messages.showMessage(QStringLiteral("Υπάρχει ΣΥΝΔΕΣΗ με αρχή το \r\n") +
                                 from->sCaption() + QStringLiteral("\r\nκαι τέλος το \r\n") + end +
                                 QStringLiteral("!"));
            const int existingIndex = diagram.the_bl_co().get_Index_f_Tag(line->sTo());
            messages.showMessage(
                QStringLiteral("Από την ενέργεια ") + twoDigits(source) +
                QStringLiteral(" φεύγει ήδη μια γραμμή, προς την ενέργεια ") +
                twoDigits(existingIndex) +
                QStringLiteral(". Για να πάει αλλού, διέγραψε πρώτα αυτή τη σύνδεση (δεξί κλικ "
                               "πάνω στη γραμμή, «Διαγραφή σύνδεσης»)."));
            return nullptr;
        }
        if (++exits == 2) {
            messages.showMessage(QStringLiteral("Με αρχή το IF μέγιστο πλήθος συνδέσεων 2 "));
            return nullptr;
        }
    }
    for (const auto& line : diagram.the_li_co()) {
        const bool intoTarget = line->sTo() == to->tagid() && !isJunction(*to);
        const bool joined = (line->sFrom() == from->tagid() && line->sTo() == to->tagid()) ||
                            (line->sFrom() == to->tagid() && line->sTo() == from->tagid());
        if (intoTarget || joined) {
            messages.showMessage(QStringLiteral("Υπάρχει ΣΥΝΔΕΣΗ!"));
            if (intoTarget && !joined)
                messages.showMessage(
                    QStringLiteral("Στην ενέργεια ") + twoDigits(target) +
                    QStringLiteral(" φτάνει ήδη μια γραμμή. Για να ενωθούν δύο ροές, βάλε μια "
                                   "ενέργεια «Κόμβος» (Σύγκλυση ροών) και ένωσε και τις δύο "
                                   "ροές σε αυτόν και τον κόμβο με την ενέργεια ") +
                    twoDigits(target) + QLatin1Char('.'));
            return nullptr;
        }
    }
    cLn* line = diagram.the_li_co().Add_LINE(from->tagid(), to->tagid(), QString());
    if (line && isTest(*from)) {
        const bool yesTaken = hasYesExit(diagram, *from);
        line->setSCaption(yesTaken ? QStringLiteral("Ο") : QStringLiteral("Ν"));
        line->updateLine();
        line->centreLabel();
    }
    return line;
}

void delete_cone(Diagram& diagram, int n) {
    cBck* block = diagram.blockAt(n);
    if (!askToDelete(diagram) || !block)
        return;
    for (const auto& line : diagram.the_li_co()) {
        if (line->sFrom() == block->tagid()) {
            removeLine(diagram, *line);
            return;
        }
    }
}

bool deleteLinkBetween(Diagram& diagram, int first, int second) {
    cBck* a = diagram.blockAt(first);
    cBck* b = diagram.blockAt(second);
    if (!a || !b)
        return false;
    cLn* found = nullptr;
    for (const auto& line : diagram.the_li_co()) {
        if (line->sFrom() == a->tagid() && line->sTo() == b->tagid()) {
            found = line.get();
            break;
        }
    }
    if (!found) {
        for (const auto& line : diagram.the_li_co()) {
            if (line->sFrom() == b->tagid() && line->sTo() == a->tagid()) {
                found = line.get();
                break;
            }
        }
    }
    if (!found)
        return false;
    if (askToDelete(diagram)) {
        removeLine(diagram, *found);
    }
    return true;
}

void alignFollower(Diagram& diagram, int n, Direction direction) {
    cBck* block = diagram.blockAt(n);
    if (!block)
        return;
    cBck* follower = block;
    for (const auto& line : diagram.the_li_co()) {
        if (line->sFrom() == block->tagid()) {
            if (cBck* target = diagram.blockAt(diagram.the_bl_co().get_Index_f_Tag(line->sTo())))
                follower = target;
            break;
        }
    }
    if (direction == Direction::Vertical) {
        const double centre = roundHalfEven(block->shapeTop() + block->shapeHeight() / 2.0);
        follower->setShapeTop(centre - follower->shapeHeight() / 2.0);
    } else {
        const double centre = roundHalfEven(block->shapeLeft() + block->shapeWidth() / 2.0);
        follower->setShapeLeft(centre - follower->shapeWidth() / 2.0);
    }
    diagram.the_li_co().updateAllLines();
}

} // namespace Linking
