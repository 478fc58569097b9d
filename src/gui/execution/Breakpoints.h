#pragma once

#include <QHash>
#include <QObject>
#include <QString>

class QLabel;
class QWidget;
class cBck;

// "Σημείο διακοπής": blocks a run pauses before. They belong to the open diagram, never to
// its file; each shows a red dot beside its block.
class Breakpoints : public QObject {
    Q_OBJECT
public:
    explicit Breakpoints(QObject* parent = nullptr) : QObject(parent) {}

    // Marks the block, or unmarks it; the dot is a child of `canvas`.
    void toggle(const cBck& block, QWidget* canvas);
    bool at(const cBck& block) const;
    bool isEmpty() const { return m_dots.isEmpty(); }
    // A new diagram has none.
    void clear();

private:
    QHash<QString, QLabel*> m_dots; // by the block's tag
};
