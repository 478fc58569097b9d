#pragma once

#include <QByteArray>
#include <QString>

class Diagram;

// Decides whether the open diagram holds work that is not saved. The diagram is compared,
// in the form Save would write, with the form it had when it was last opened, begun or
// saved: every edit that would reach the file counts (placing, deleting, moving, linking,
// texts, colours, fonts, sizes, the comment), and an edit that was undone does not.
class DiagramChanges {
public:
    // The diagram as it stands is the saved state (after New, Open and Save).
    void markSaved(const Diagram& diagram, const QString& comment);
    bool hasChanged(const Diagram& diagram, const QString& comment) const;

    // The pupil chose not to save the diagram as it stands before a run; the runs that
    // follow do not ask again until it changes.
    void markDeclinedBeforeRun(const Diagram& diagram, const QString& comment);
    bool declinedBeforeRun(const Diagram& diagram, const QString& comment) const;

private:
    static QByteArray fingerprint(const Diagram& diagram, const QString& comment);

    QByteArray m_saved;
    QByteArray m_declined;
};
