#include "cachedpainting.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QPixmapCache>
#include <QPointer>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOption>

#include <optional>

namespace {

bool pictures_enabled = true;

// The colour a picture for widget is made over, or none when a picture would not be exact.
std::optional<QColor> Picture_Background(const QWidget *widget, const QPaintDevice *device)
{
    if (!pictures_enabled || !widget || device->devicePixelRatioF() != 1.0)
        return std::nullopt;
    const QBrush window = widget->window()->palette().brush(QPalette::Window);
    if (window.style() != Qt::SolidPattern)
        return std::nullopt;
    return window.color();
}

// The picture cached under key, made first by draw if need be, at widget's resolution: a
// font's pixel size follows the device it is drawn on.
template <typename Draw>
QPixmap Picture(const QString &key, const QWidget *widget, const QSize &size,
                const QColor &background, Draw draw)
{
    const QString full_key = QStringLiteral("%1-%2-%3x%4")
                                 .arg(key)
                                 .arg(background.rgba())
                                 .arg(widget->logicalDpiX())
                                 .arg(widget->logicalDpiY());
    QPixmap picture;
    if (!QPixmapCache::find(full_key, &picture)) {
        constexpr double Inches_Per_Metre = 1 / 0.0254;
        // Drawn with room around it and cut out: a glyph that reaches over the edge of the
        // device is drawn otherwise than one that reaches over a widget's edge on screen.
        constexpr int Margin = 8;
        QImage image(size + QSize(2 * Margin, 2 * Margin), QImage::Format_RGB32);
        image.setDotsPerMeterX(qRound(widget->logicalDpiX() * Inches_Per_Metre));
        image.setDotsPerMeterY(qRound(widget->logicalDpiY() * Inches_Per_Metre));
        image.fill(background);
        QPainter painter(&image);
        painter.translate(Margin, Margin);
        draw(&painter);
        painter.end();
        picture = QPixmap::fromImage(image.copy(Margin, Margin, size.width(), size.height()));
        QPixmapCache::insert(full_key, picture);
    }
    return picture;
}

class TCachedFrameStyle : public QProxyStyle
{
public:
    using QProxyStyle::QProxyStyle;

    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget) const override
    {
        if (element != PE_PanelLineEdit ||
            !Draw_Cached(QStringLiteral("P%1").arg(element), option, painter, widget,
                         [&](const QStyleOption *moved, QPainter *picture) {
                             QProxyStyle::drawPrimitive(element, moved, picture, widget);
                         }))
            QProxyStyle::drawPrimitive(element, option, painter, widget);
    }

    void drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                     const QWidget *widget) const override
    {
        if (element != CE_ShapedFrame ||
            !Draw_Cached(QStringLiteral("C%1").arg(element), option, painter, widget,
                         [&](const QStyleOption *moved, QPainter *picture) {
                             QProxyStyle::drawControl(element, moved, picture, widget);
                         }))
            QProxyStyle::drawControl(element, option, painter, widget);
    }

private:
    // Draws from the picture; false when a picture would not be exact.
    template <typename Draw>
    bool Draw_Cached(const QString &element, const QStyleOption *option, QPainter *painter,
                     const QWidget *widget, Draw draw) const
    {
        const std::optional<QColor> background = Picture_Background(widget, painter->device());
        if (!background)
            return false;
        const auto *frame_option = qstyleoption_cast<const QStyleOptionFrame *>(option);
        const QString key = QStringLiteral("TCachedFrameStyle-%1-%2x%3-%4-%5-%6")
                                .arg(element)
                                .arg(option->rect.width())
                                .arg(option->rect.height())
                                .arg(static_cast<uint>(option->state))
                                .arg(option->palette.cacheKey())
                                .arg(option->palette.currentColorGroup()) +
                            (frame_option ? QStringLiteral("-%1-%2-%3-%4")
                                                .arg(frame_option->lineWidth)
                                                .arg(frame_option->midLineWidth)
                                                .arg(static_cast<uint>(frame_option->features))
                                                .arg(frame_option->frameShape)
                                          : QString());
        const QPixmap picture =
            Picture(key, widget, option->rect.size(), *background, [&](QPainter *picture_painter) {
                // A copy of the option's own type, on the stack: QStyleOption has no virtual
                // destructor, so a copy must never be deleted through a base pointer.
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

} // namespace CachedPainting

TPictureLabel::TPictureLabel(const QString &text, QWidget *parent)
    : QLabel(text, parent)
{
    setTextFormat(Qt::PlainText);
}

void TPictureLabel::paintEvent(QPaintEvent *event)
{
    const std::optional<QColor> background = Picture_Background(this, this);
    if (!background || wordWrap() || frameWidth() != 0 || margin() != 0 || indent() > 0) {
        QLabel::paintEvent(event);
        return;
    }
    QStyleOption option;
    option.initFrom(this);
    const QString key = QStringLiteral("TPictureLabel-%1x%2-%3-%4-%5-%6-%7-")
                            .arg(width())
                            .arg(height())
                            .arg(static_cast<uint>(option.state))
                            .arg(option.palette.cacheKey())
                            .arg(option.palette.currentColorGroup())
                            .arg(static_cast<int>(alignment()))
                            .arg(font().key()) +
                        text();
    const QPixmap picture = Picture(key, this, size(), *background, [&](QPainter *painter) {
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
