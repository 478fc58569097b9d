#pragma once

#include <QHash>
#include <QString>
#include <memory>
#include <vector>

class cBck;
class DiagramBase;

// Every block of the open diagram under its tag id, in creation order (positions 1-based).
// A deleted block stays here with its tag id; only its surface is hidden and marked.
class Bl_Co {
public:
    explicit Bl_Co(DiagramBase& diagram);
    ~Bl_Co();

    // Creates a block with its surface at (left, top). Refuses an empty key, "-1", a key
    // already present and a diagram at its 16-bit limit (the last two with a message).
    cBck* AddShape(qint16 shapeType, const QString& sKey, double iLeft, double iTop);

    cBck* Item(int position) const;
    cBck* Item(const QString& key) const;
    int Count() const { return int(m_blocks.size()); }
    void Remove(int position);

    auto begin() const { return m_blocks.begin(); }
    auto end() const { return m_blocks.end(); }

    // Deletes the block on surface `index`, with all lines touching it; asks first unless
    // `noQuestion`.
    void rem_Shape(int index, bool noQuestion);

    QString getFreeTagID() const;
    // Surface index of the block whose tag id is exactly sTag, -1 if none.
    int get_Index_f_Tag(const QString& sTag) const;
    bool object_n_Exists(const QString& sName) const;

    static bool isDeleted(const cBck& block);

private:
    DiagramBase& m_diagram;
    std::vector<std::unique_ptr<cBck>> m_blocks;
    // Tag ids, case folded as the collection's keys always were, to positions.
    QHash<QString, int> m_keyIndex;
    // No "idN" below this is free (a search hint; lowered when a block goes).
    mutable int m_lowestFree = 1;
};
