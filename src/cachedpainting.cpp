#include "cachedpainting.h"

#include <QApplication>
#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <QPixmap>
#include <QPixmapCache>
#include <QPointer>
#include <QProxyStyle>
#include <QStaticText>
#include <QStyleFactory>
#include <QStyleOption>
#include <QtMath>

#include <cassert>
#include <optional>

namespace {

bool pictures_enabled = true;

// The colour a picture for widget is made over, or none when a picture would not be exact.
std::optional<QColor> Picture_Background(const QWidget *widget)
{
    if (!pictures_enabled || !widget)
        return std::nullopt;
    const QBrush window = widget->window()->palette().brush(QPalette::Window);
    if (window.style() != Qt::SolidPattern)
        return std::nullopt;
    return window.color();
}

// A cache key of numbers and a text, the numbers packed as characters: formatted as text they
// cost more than drawing from the picture that the key finds.
QString Packed_Key(std::initializer_list<qint64> numbers, const QString &text = QString())
{
    QString key;
    key.reserve(4 * static_cast<int>(numbers.size()) + text.size());
    for (const qint64 number : numbers)
        for (int shift = 0; shift < 64; shift += 16)
            key.append(QChar(static_cast<ushort>(static_cast<quint64>(number) >> shift)));
    return key + text;
}

// The picture cached under key, made first by draw if need be, at widget's resolution and
// at the pixel ratio of the device it goes to: a font's pixel size follows the device it is
// drawn on, and a picture drawn at another ratio would be scaled, and blurred, on the way.
template <typename Draw>
QPixmap Picture(const QString &key, const QWidget *widget, const QPaintDevice *device,
                const QSize &size, const QColor &background, Draw draw)
{
    const qreal ratio = device->devicePixelRatioF();
    const QString full_key = Packed_Key(
        {background.rgba(), widget->logicalDpiX(), widget->logicalDpiY(), qRound64(ratio * 1024)},
        key);
    QPixmap picture;
    if (!QPixmapCache::find(full_key, &picture)) {
        constexpr double Inches_Per_Metre = 1 / 0.0254;
        // Drawn with room around it and cut out: a glyph that reaches over the edge of the
        // device is drawn otherwise than one that reaches over a widget's edge on screen.
        // The room is whole device pixels, so the picture starts on one.
        const int margin = qRound(8 * ratio);
        const QSize pixels(qCeil(size.width() * ratio), qCeil(size.height() * ratio));
        QImage image(pixels + QSize(2 * margin, 2 * margin), QImage::Format_RGB32);
        image.setDevicePixelRatio(ratio);
        image.setDotsPerMeterX(qRound(widget->logicalDpiX() * Inches_Per_Metre));
        image.setDotsPerMeterY(qRound(widget->logicalDpiY() * Inches_Per_Metre));
        image.fill(background);
        QPainter painter(&image);
        painter.translate(margin / ratio, margin / ratio);
        draw(&painter);
        painter.end();
        picture = QPixmap::fromImage(image.copy(margin, margin, pixels.width(), pixels.height()));
        picture.setDevicePixelRatio(ratio);
        QPixmapCache::insert(full_key, picture);
    }
    return picture;
}

// What tells the pictures of the frame style and of the labels apart.
enum Picture_Kind : qint64
{
    Primitive_Picture,
    Control_Picture,
    Label_Picture
};

class TCachedFrameStyle : public QProxyStyle
{
public:
    using QProxyStyle::QProxyStyle;

    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget) const override
    {
        if (element != PE_PanelLineEdit ||
            !Draw_Cached({Primitive_Picture, element}, option, painter, widget,
                         [&](const QStyleOption *moved, QPainter *picture) {
                             QProxyStyle::drawPrimitive(element, moved, picture, widget);
                         }))
            QProxyStyle::drawPrimitive(element, option, painter, widget);
    }

    void drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                     const QWidget *widget) const override
    {
        if (element != CE_ShapedFrame ||
            !Draw_Cached({Control_Picture, element}, option, painter, widget,
                         [&](const QStyleOption *moved, QPainter *picture) {
                             QProxyStyle::drawControl(element, moved, picture, widget);
                         }))
            QProxyStyle::drawControl(element, option, painter, widget);
    }

private:
    // Draws from the picture; false when a picture would not be exact.
    template <typename Draw>
    bool Draw_Cached(std::initializer_list<qint64> element, const QStyleOption *option,
                     QPainter *painter, const QWidget *widget, Draw draw) const
    {
        const std::optional<QColor> background = Picture_Background(widget);
        if (!background)
            return false;
        const auto *frame_option = qstyleoption_cast<const QStyleOptionFrame *>(option);
        const QString key =
            Packed_Key(element) +
            Packed_Key({option->rect.width(), option->rect.height(),
                        static_cast<qint64>(option->state), option->palette.cacheKey(),
                        option->palette.currentColorGroup()}) +
            (frame_option ? Packed_Key({frame_option->lineWidth, frame_option->midLineWidth,
                                        static_cast<qint64>(frame_option->features),
                                        frame_option->frameShape})
                          : QString());
        const QPixmap picture =
            Picture(key, widget, painter->device(), option->rect.size(), *background,
                    [&](QPainter *picture_painter) {
                        // A copy of the option's own type, on the stack: QStyleOption has no
                        // virtual destructor, so a copy must never be deleted through a base
                        // pointer.
                        if (frame_option)
                            Draw_At_Origin(*frame_option, picture_painter, draw);
                        else
                            Draw_At_Origin(*option, picture_painter, draw);
                    });
        painter->drawPixmap(option->rect.topLeft(), picture);
        return true;
    }

    template <typename Option, typename Draw>
    static void Draw_At_Origin(Option option, QPainter *painter, Draw draw)
    {
        option.rect.moveTo(0, 0);
        draw(&option, painter);
    }
};

} // namespace

namespace CachedPainting {

QStyle *Frame_Style()
{
    // One for all, made on the application's style and living as long as the application.
    static QPointer<QStyle> style;
    if (!style) {
        QStyle *base = QStyleFactory::create(QApplication::style()->objectName());
        if (!base)
            return nullptr;
        style = new TCachedFrameStyle(base);
        style->setParent(QCoreApplication::instance());
    }
    return style;
}

void Set_Enabled(bool enabled)
{
    pictures_enabled = enabled;
}

bool Is_Enabled()
{
    return pictures_enabled;
}

QImage Text_Picture(const QPainter &painter, const QStaticText &text, const QPointF &position,
                    const QSize &size, const QColor &background)
{
    const QImage *device = Text_Picture_Device(painter);
    assert(device);
    // With room around it: a glyph that reaches over the edge of the picture is drawn
    // otherwise than one within it. The ratio is whole, so the room is whole pixels too.
    const int ratio = qRound(device->devicePixelRatioF());
    const int room = 8;
    QImage image(size * ratio + QSize(2 * room * ratio, 2 * room * ratio), device->format());
    image.fill(background);
    QPainter picture_painter(&image);
    picture_painter.scale(ratio, ratio);
    picture_painter.setFont(painter.font());
    picture_painter.setPen(painter.pen());
    picture_painter.drawStaticText(position + QPointF(room, room), text);
    picture_painter.end();
    image = image.copy(room * ratio, room * ratio, size.width() * ratio, size.height() * ratio);
    image.setDevicePixelRatio(ratio);
    return image;
}

const QImage *Text_Picture_Device(const QPainter &painter)
{
    // Painting a widget goes to the window's backing store, where the engine paints.
    const QPaintDevice *device = painter.paintEngine()->paintDevice();
    if (!pictures_enabled || device->devType() != QInternal::Image ||
        painter.transform().type() > QTransform::TxTranslate ||
        qFloor(device->devicePixelRatioF()) != device->devicePixelRatioF())
        return nullptr;
    return static_cast<const QImage *>(device);
}

} // namespace CachedPainting

TPictureLabel::TPictureLabel(const QString &text, QWidget *parent)
    : QLabel(text, parent)
{
    setTextFormat(Qt::PlainText);
}

void TPictureLabel::paintEvent(QPaintEvent *event)
{
    const std::optional<QColor> background = Picture_Background(this);
    if (!background || wordWrap() || frameWidth() != 0 || margin() != 0 || indent() > 0) {
        QLabel::paintEvent(event);
        return;
    }
    QStyleOption option;
    option.initFrom(this);
    if (d_font_key.isEmpty())
        d_font_key = font().key();
    const QString key =
        Packed_Key({Label_Picture, width(), height(), static_cast<qint64>(option.state),
                    option.palette.cacheKey(), option.palette.currentColorGroup(),
                    static_cast<qint64>(alignment()), d_font_key.size()},
                   d_font_key + text());
    const QPixmap picture = Picture(key, this, this, size(), *background, [&](QPainter *painter) {
        // What the label draws for such a text.
        painter->setFont(font());
        const Qt::LayoutDirection direction =
            text().isRightToLeft() ? Qt::RightToLeft : Qt::LeftToRight;
        const int flags =
            QStyle::visualAlignment(direction, alignment()) |
            (direction == Qt::LeftToRight ? Qt::TextForceLeftToRight : Qt::TextForceRightToLeft);
        style()->drawItemText(painter, rect(), flags, option.palette, isEnabled(), text(),
                              foregroundRole());
    });
    QPainter(this).drawPixmap(0, 0, picture);
}

void TPictureLabel::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange)
        d_font_key.clear();
    QLabel::changeEvent(event);
}
