#pragma once

#include <QPointF>
#include <QString>
#include <memory>
#include <vector>

class cLn;
class DiagramBase;

// Every connection line of the open diagram, in creation order (positions 1-based).
class Li_Co {
public:
    explicit Li_Co(DiagramBase& diagram);
    ~Li_Co();

    void A_C_ToLine(const QString& sFrom, const QString& sTo, const QString& sCaption);
    // When a new line is routed: at once, or later by updateAllLines (a file being read
    // routes its lines once, when every block is in place).
    enum class Routing { Now, Later };
    // Creates a routed line; refuses an empty end and the 16-bit limit with a message.
    cLn* Add_LINE(const QString& sFrom, const QString& sTo, const QString& sCaption,
                  Routing routing = Routing::Now);

    cLn* Item(int position) const;
    int Count() const { return int(m_lines.size()); }
    void Remove(int position);

    auto begin() const { return m_lines.begin(); }
    auto end() const { return m_lines.end(); }

    // Purges every line whose two ends are both empty, hiding its drawing objects.
    void del_Line();
    // Moves on whenever a line is added or removed or an end changes: who holds an index of
    // the lines (the run's outgoing lines of each block) knows when to build it again.
    quint64 revision() const { return m_revision; }
    void touch() { ++m_revision; }
    void updateAllLines();
    void updateConntectedLines(const QString& sTag);

    // The joining line whose drawn segment passes within `reach` of `at` (diagram
    // coordinates), the nearest when several do; nullptr when none.
    cLn* lineNear(const QPointF& at, double reach) const;

private:
    DiagramBase& m_diagram;
    std::vector<std::unique_ptr<cLn>> m_lines;
    quint64 m_revision = 0;
};
