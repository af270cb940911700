#pragma once

#include <QLabel>

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
