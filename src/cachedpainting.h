#pragma once

#include <QLabel>

class QImage;
class QPainter;
class QPointF;
class QSize;
class QStaticText;
class QStyle;

// The panels repaint the same frames, sunken lines, captions and letters with nearly every
// shown line. These draw each of them once into a picture, for each size, state and palette,
// and then copy the picture, drawn at the screen's pixel ratio. A picture is made over the
// window's colour, which shows through around what is drawn, so it is exact only over the
// plain window colour, where the panels draw them; over anything else they are drawn as usual.
namespace CachedPainting {

// The application's style, drawing line-edit frames and frame lines from pictures.
QStyle *Frame_Style();

// Switched off, everything draws as usual, so that pictures can be held against the real
// drawing.
void Set_Enabled(bool enabled);
bool Is_Enabled();

// A text that is drawn again and again: laid out once (text), then drawn once into a picture
// of size over its plain background, with painter's font and pen at position within it, for
// the device that painter paints on, whose pixel ratio is whole. Copied instead of drawn, it
// costs a small part of drawing its glyphs.
QImage Text_Picture(const QPainter &painter, const QStaticText &text, const QPointF &position,
                    const QSize &size, const QColor &background);

// The device that painter really paints on, if pictures of text can be copied onto it exactly:
// an image at a whole pixel ratio, without a transformation but a move.
const QImage *Text_Picture_Device(const QPainter &painter);

} // namespace CachedPainting

// A label of few texts, shown as one line of plain text without frame, margin or indent,
// drawn from a picture of each text.
class TPictureLabel : public QLabel
{
public:
    TPictureLabel(const QString &text, QWidget *parent);

protected:
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    QString d_font_key; // the font's key, worked out once for each font
};
