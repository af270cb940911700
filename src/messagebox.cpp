#include "messagebox.h"

#include "colourcontrast.h"

TMessageBox::TMessageBox(QWidget *parent)
    : QMessageBox(parent)
{
    setTextFormat(Qt::RichText);
    // No icons on the standard buttons, and one button order on every platform.
    setStyleSheet(QStringLiteral("dialogbuttonbox-buttons-have-icons: 0;\nbutton-layout: 1;"));
}

void TMessageBox::resizeEvent(QResizeEvent *event)
{
    QMessageBox::resizeEvent(event);
    setFixedWidth(d_fixed_width);
}

void TMessageBox::showEvent(QShowEvent *event)
{
    // The base sizes the box to its texts; the width is then pinned so texts wrap instead.
    QMessageBox::showEvent(event);
    setFixedWidth(d_fixed_width);
}

void TMessageBox::Set_Text(const QString &text)
{
    setText(In_Text_Colour(
                QStringLiteral(
                    "<span style=\"font-size:10pt; font-weight:600; color:#000000;\" >%1</span>"))
                .arg(text));
}

void TMessageBox::Set_Informative_Text(const QString &text)
{
    setInformativeText(
        In_Text_Colour(
            QStringLiteral(
                "<span style=\"font-size:10pt; font-weight:400; color:#000000;\" >%1</span>"))
            .arg(text));
}

QString TMessageBox::In_Text_Colour(const QString &format) const
{
    // Black reads well on a light palette only; on a dark one the palette's text colour
    // takes its place.
    const QColor colour = ColourContrast::Readable(Qt::black, palette().color(QPalette::Window),
                                                   palette().color(QPalette::WindowText));
    if (colour == QColor(Qt::black))
        return format;
    QString coloured = format;
    return coloured.replace(QLatin1String("color:#000000;"),
                            QStringLiteral("color:%1;").arg(colour.name()));
}
