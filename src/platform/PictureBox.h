#pragma once
// A picture box: a drawing area whose picture is kept in an image of its
// own, so that it survives being covered, can be saved as a bitmap and is
// printed with the window.
//
// Drawing is done in user coordinates: Scale() names the values at the
// left, top, right and bottom edges, and either axis may run backwards (the
// charts have y growing upwards). The mapping to pixels is done here by hand
// rather than with a painter transform, because a flipped transform would
// also turn printed text upside down.
//
// Every drawing call is also noted in a journal (lines, boxes, dots and
// texts with their user coordinates), which is what tests read instead of
// guessing at pixels. The journal is emptied by Cls() and kept to a bounded
// length in a long run.

#include <QFont>
#include <QImage>
#include <QList>
#include <QPointF>
#include <QString>
#include <QWidget>

namespace platform {

class PictureBox : public QWidget {
    Q_OBJECT
public:
    enum class DrawStyle { Solid, Dot };

    struct Drawn {
        enum class Kind { Line, Box, Dot, Text };
        Kind kind;
        QPointF from;      // line start, box corner, dot, text's top-left
        QPointF to;        // line end, other box corner; for a text its width and height
        quint32 color = 0; // colour number (&H00BBGGRR)
        int width = 1;     // line width in pixels (lines and dots)
        DrawStyle style = DrawStyle::Solid;
        QString text;
    };

    // The longest journal kept; beyond it the older half is dropped.
    static constexpr qsizetype MaxJournal = 100000;

    explicit PictureBox(QWidget* parent = nullptr);

    // User coordinates of the left, top, right and bottom edges.
    void Scale(double left, double top, double right, double bottom);
    // Back to pixels (0, 0 at the top-left).
    void ScalePixels();

    // Line width in pixels (1 or more) and style of the lines that follow.
    void SetDrawWidth(int width);
    int DrawWidth() const { return drawWidth_; }
    void SetDrawStyle(DrawStyle style) { drawStyle_ = style; }
    DrawStyle Style() const { return drawStyle_; }

    // Colour numbers (&H00BBGGRR): background (used by Cls) and the colour
    // of lines and text.
    void SetPictureBackColor(quint32 color);
    quint32 PictureBackColor() const { return backColor_; }
    void SetPictureForeColor(quint32 color) { foreColor_ = color; }
    quint32 PictureForeColor() const { return foreColor_; }

    void SetPictureFont(const QFont& font);

    // The current position: where Print puts a text's top-left corner; a
    // line or a dot leaves it at its end.
    double CurrentX() const { return curX_; }
    double CurrentY() const { return curY_; }
    void SetCurrentX(double x) { curX_ = x; }
    void SetCurrentY(double y) { curY_ = y; }

    // A line in the fore colour (or the colour given), with the current
    // width and style; it ends at the current position.
    void Line(double x1, double y1, double x2, double y2);
    void Line(double x1, double y1, double x2, double y2, quint32 color);
    // A line from the current position.
    void LineTo(double x, double y);
    // A filled box between two corners (both included), any order.
    void FillBox(double x1, double y1, double x2, double y2, quint32 color);
    // A dot of the current width.
    void PSet(double x, double y);
    // The text with its top-left at the current position; the position then
    // moves to the start of the next line.
    void Print(const QString& text);

    // Size of a text in user units (both positive, whatever the direction
    // of the axes).
    double TextWidth(const QString& text) const;
    double TextHeight(const QString& text) const;

    // Clears the picture to the back colour; the position goes to the
    // top-left corner and the journal is emptied.
    void Cls();

    // The picture as it stands.
    const QImage& Image() const { return image_; }
    // Writes the picture as a 24-bit BMP file, whatever the name's extension.
    bool SaveBmp(const QString& path) const;

    const QList<Drawn>& Journal() const { return journal_; }

    // User coordinates to pixels (unrounded).
    QPointF ToPixels(double x, double y) const;

protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    void Note(Drawn d);
    void DrawLine(QPointF a, QPointF b, quint32 color);
    double PixelsPerUnitX() const;
    double PixelsPerUnitY() const;

    QImage image_;
    QFont font_;
    double left_ = 0, top_ = 0, right_ = 0, bottom_ = 0; // 0 wide: pixels
    bool pixels_ = true;
    int drawWidth_ = 1;
    DrawStyle drawStyle_ = DrawStyle::Solid;
    quint32 backColor_ = 0xFFFFFF;
    quint32 foreColor_ = 0x000000;
    double curX_ = 0, curY_ = 0;
    QList<Drawn> journal_;
};

} // namespace platform
