#pragma once

#include <QString>
#include <QtGlobal>

class BlockSurface;
class QPainter;

// One command of the flowchart: the command, the caption, the colours, and where the block
// stands, how big it is, whether it shows and whether it was deleted. The drawing surface
// only mirrors the block: every change of the geometry goes through the block, which hands
// it on to its surface.
class cBck {
public:
    BlockSurface* t_O_Shape() const { return m_surface; }
    // The block takes over the geometry a new surface comes with (a block made before its
    // surface has none of its own yet); from then on it hands every change to the surface.
    void setT_O_Shape(BlockSurface* surface);

    const QString& zaction() const { return m_zaction; }
    void setZaction(const QString& v) { m_zaction = v; }
    const QString& zParam1() const { return m_zParam1; }
    void setZParam1(const QString& v) { m_zParam1 = v; }
    const QString& zParam2() const { return m_zParam2; }
    void setZParam2(const QString& v) { m_zParam2 = v; }
    const QString& zParam3() const { return m_zParam3; }
    void setZParam3(const QString& v) { m_zParam3 = v; }

    // Colours are 0x00BBGGRR. A change of what the block shows (colours, captions, outline)
    // asks its surface to draw it again.
    quint32 TextColor() const { return m_textColor; }
    void setTextColor(quint32 v) { changeTo(m_textColor, v); }
    quint32 BGColor() const { return m_bgColor; }
    void setBGColor(quint32 v) { changeTo(m_bgColor, v); }
    quint32 BorderColor() const { return m_borderColor; }
    void setBorderColor(quint32 v) { changeTo(m_borderColor, v); }

    void setCaptionToAction();

    QString sCaption() const { return m_sCaption; }
    void setSCaption(const QString& v) { changeTo(m_sCaption, v); }
    QString sCaptionUp() const { return m_sCaptionUp; }
    void setSCaptionUp(const QString& v) { changeTo(m_sCaptionUp, v); }

    // Setting the tag id also writes it into the surface's tag; reading returns the
    // stored id even after the surface's tag was marked deleted.
    const QString& tagid() const { return m_tagid; }
    void setTagid(const QString& v);

    qint16 shape() const { return m_shape; }
    void setShape(qint16 v) { changeTo(m_shape, v); }

    // Whole pixels; reading rounds halves to even.
    int shapeWidth() const;
    void setShapeWidth(int v);
    int shapeHeight() const;
    void setShapeHeight(int v);

    bool Visible() const;
    void setVisible(bool v);

    double shapeLeft() const { return m_left; }
    void setShapeLeft(double v);
    double shapeTop() const { return m_top; }
    void setShapeTop(double v);

    // Deleted blocks stay in the collection, hidden, until the diagram is saved and read
    // again; their surface's tag carries "-DELETED", as it always has.
    bool isDeleted() const { return m_deleted; }
    void markDeleted();

    // Draws the block on its surface and fits the surface to the text.
    void PaintMe();

    // The caption as last printed (underscores of the condition keywords turned to blanks).
    QString shownCaption() const { return m_shownCaption; }
    void setShownCaption(const QString& v) { m_shownCaption = v; }

    // The number the pupil sees: the tag id without its leading "id".
    QString number() const { return m_tagid.mid(2); }

private:
    template <typename T> void changeTo(T& field, const T& value) {
        if (field == value)
            return;
        field = value;
        shownChanged();
    }
    void shownChanged();

    BlockSurface* m_surface = nullptr;
    double m_left = 0, m_top = 0, m_width = 0, m_height = 0;
    bool m_visible = false;
    bool m_deleted = false;
    QString m_zaction, m_zParam1, m_zParam2, m_zParam3;
    QString m_sCaption, m_sCaptionUp, m_tagid, m_shownCaption;
    quint32 m_textColor = 0;
    quint32 m_bgColor = 0;
    quint32 m_borderColor = 0;
    qint16 m_shape = 0;
};
