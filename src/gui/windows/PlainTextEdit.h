#pragma once

#include <QMimeData>
#include <QPlainTextEdit>

// A plain text box that a paste from an empty clipboard leaves alone. Qt's own box follows a
// missing clipboard content (an empty clipboard after a restart, an owner that has gone, a
// clipboard on some Wayland desktops) and crashes; every text box Kelvra lets the pupil type
// into is this one.
class PlainTextEdit : public QPlainTextEdit {
public:
    using QPlainTextEdit::QPlainTextEdit;

protected:
    bool canInsertFromMimeData(const QMimeData* source) const override {
        return source && QPlainTextEdit::canInsertFromMimeData(source);
    }
    void insertFromMimeData(const QMimeData* source) override {
        if (source && source->hasText())
            QPlainTextEdit::insertFromMimeData(source);
    }
};
