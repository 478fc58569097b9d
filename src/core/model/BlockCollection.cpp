#include "core/model/BlockCollection.h"

#include "core/model/Block.h"
#include "core/model/BlockSurface.h"
#include "core/model/Canvas.h"
#include "core/model/ConnectionLine.h"
#include "core/model/DiagramBase.h"
#include "core/model/LineCollection.h"
#include "core/model/MessageSink.h"
#include "core/model/ModalQuestions.h"

#include <algorithm>

Bl_Co::Bl_Co(DiagramBase& diagram) : m_diagram(diagram) {}
Bl_Co::~Bl_Co() = default;

cBck* Bl_Co::AddShape(qint16 shapeType, const QString& sKey, double iLeft, double iTop) {
    if (sKey.trimmed().isEmpty() || sKey == QStringLiteral("-1"))
        return nullptr;
    if (m_keyIndex.contains(sKey.toLower())) {
        m_diagram.messages().showMessage(QStringLiteral("Υπάρχει ήδη εντολή με αριθμό ") + sKey);
        return nullptr;
    }
    BlockSurface* surface = m_diagram.createSurface();
    if (!surface)
        return nullptr;

    auto block = std::make_unique<cBck>();
    block->setT_O_Shape(surface);
    m_diagram.previousBlockIndex = m_diagram.currentBlockIndex;
    m_diagram.currentBlockIndex = m_diagram.shapeCount();

    block->setShapeLeft(iLeft);
    block->setShapeTop(iTop);
    block->setShape(shapeType);
    surface->bringToFront();
    block->setBGColor(0xFFFFFF);
    block->setTextColor(0);
    block->setBorderColor(0);
    block->setVisible(true);
    block->setTagid(sKey);

    m_blocks.push_back(std::move(block));
    m_keyIndex.insert(sKey.toLower(), Count());
    return m_blocks.back().get();
}

cBck* Bl_Co::Item(int position) const {
    if (position < 1 || position > Count())
        return nullptr;
    return m_blocks[size_t(position - 1)].get();
}

cBck* Bl_Co::Item(const QString& key) const {
    return Item(m_keyIndex.value(key.toLower(), 0));
}

void Bl_Co::Remove(int position) {
    if (position < 1 || position > Count())
        return;
    const QString& tag = m_blocks[size_t(position - 1)]->tagid();
    if (tag.startsWith(QStringLiteral("id"))) {
        bool number = false;
        const int n = tag.mid(2).toInt(&number);
        if (number && n > 0)
            m_lowestFree = std::min(m_lowestFree, n); // that number is free again
    }
    m_keyIndex.remove(tag.toLower());
    const bool last = position == Count();
    m_blocks.erase(m_blocks.begin() + (position - 1));
    if (last)
        return; // clearing removes from the end: nothing else moves
    for (int i = position - 1; i < Count(); ++i)
        m_keyIndex.insert(m_blocks[size_t(i)]->tagid().toLower(), i + 1);
}

void Bl_Co::rem_Shape(int index, bool noQuestion) {
    BlockSurface* surface = m_diagram.surface(index);
    if (!surface)
        return;
    if (!noQuestion &&
        m_diagram.questions().messageBox(
            QStringLiteral("Να διαγραφεί"), QStringLiteral("Προσοχή διαγραφή ενέργειας"),
            ModalQuestions::Buttons::YesNo) != ModalQuestions::Answer::Yes)
        return;

    const QString tag = surface->tag();
    for (const auto& line : m_diagram.the_li_co()) {
        if (line->sFrom() == tag || line->sTo() == tag) {
            line->setSFrom(QString());
            line->setSTo(QString());
        }
    }
    m_diagram.the_li_co().del_Line();

    if (cBck* block = Item(index); block && block->t_O_Shape() == surface) {
        block->markDeleted();
    } else {
        surface->setVisible(false);
        surface->setTag(tag + QStringLiteral("-DELETED"));
    }
    m_diagram.canvas().hideSelector();
    m_diagram.currentBlockIndex = -1;
}

QString Bl_Co::getFreeTagID() const {
    // Every "idN" below the hint is taken, so the search starts there: building or pasting
    // thousands of blocks no longer searches from 1 each time.
    for (int n = m_lowestFree; n <= DiagramBase::maxCreations; ++n) {
        const QString id = QStringLiteral("id") + QString::number(n);
        if (get_Index_f_Tag(id) == -1) {
            m_lowestFree = n;
            return id;
        }
    }
    return {};
}

namespace {
// A block's tag as the index keeps it; tags are nearly always lower-case Latin already, and
// finding that out costs far less than the toolkit's letter-case tables.
QString tagKey(const QString& tag) {
    for (const QChar c : tag) {
        if ((c >= QLatin1Char('A') && c <= QLatin1Char('Z')) || c.unicode() >= 0x80)
            return tag.toLower();
    }
    return tag;
}
} // namespace

int Bl_Co::get_Index_f_Tag(const QString& sTag) const {
    const int position = m_keyIndex.value(tagKey(sTag), 0);
    const cBck* block = Item(position);
    if (!block || block->tagid() != sTag)
        return -1;
    // Blocks and surfaces are appended in step, so the position is the surface index.
    if (m_diagram.surface(position) == block->t_O_Shape())
        return position;
    return m_diagram.surfaceIndex(block->t_O_Shape());
}

bool Bl_Co::object_n_Exists(const QString& sName) const {
    return m_keyIndex.contains(sName.toLower());
}

bool Bl_Co::isDeleted(const cBck& block) {
    return block.isDeleted();
}
