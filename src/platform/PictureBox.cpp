#include "platform/PictureBox.h"

#include "setup/Conventions.h"

#include <QFontMetrics>
#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>

#include <algorithm>
#include <cmath>

namespace platform {

namespace {

// Drawing is clipped to the picture with this much to spare, so that a
// point far outside (a reading off every scale) never reaches the painter
// as a coordinate it cannot hold, while lines and pens near the edge still
// look as they would uncut.
constexpr double Spare = 64.0;

int ToPixel(double v)
{
    return int(std::floor(v + 0.5));
}

double Clamp(double v, double lo, double hi)
{
    if (std::isnan(v))
        return lo;
    return std::clamp(v, lo, hi);
}

// Cuts the segment a-b to the rectangle (Liang-Barsky); false when nothing
// of it lies inside. Both cut ends are reckoned from the end nearer the
// rectangle: reckoned from a far end, the sum would lose the very digits
// that place the point in the picture. The segment runs over twice its
// half-difference, which holds where the difference itself would overflow.
// What rounding is left is held inside the rectangle.
bool ClipSegment(QPointF& a, QPointF& b, const QRectF& r)
{
    if (!std::isfinite(a.x()) || !std::isfinite(a.y()) || !std::isfinite(b.x())
        || !std::isfinite(b.y()))
        return false;
    const QPointF c = r.center();
    const auto farness = [&c](QPointF p) {
        return std::max(std::fabs(p.x() - c.x()), std::fabs(p.y() - c.y()));
    };
    const bool fromB = farness(b) < farness(a);
    const QPointF start = fromB ? b : a, end = fromB ? a : b;
    const double hx = end.x() / 2 - start.x() / 2, hy = end.y() / 2 - start.y() / 2;
    double t0 = 0.0, t1 = 2.0;
    const double p[4] = {-hx, hx, -hy, hy};
    const double q[4] = {start.x() - r.left(), r.right() - start.x(), start.y() - r.top(),
                         r.bottom() - start.y()};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0)
                return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0.0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1)
            return false;
    }
    const auto at = [&](double t) {
        return QPointF(Clamp(start.x() + t * hx, r.left(), r.right()),
                       Clamp(start.y() + t * hy, r.top(), r.bottom()));
    };
    a = at(fromB ? t1 : t0);
    b = at(fromB ? t0 : t1);
    return true;
}

} // namespace

PictureBox::PictureBox(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    font_ = font();
}

void PictureBox::Scale(double left, double top, double right, double bottom)
{
    if (left == right || top == bottom)
        return; // no size: the scale would divide by zero
    left_ = left;
    top_ = top;
    right_ = right;
    bottom_ = bottom;
    pixels_ = false;
}

void PictureBox::ScalePixels()
{
    pixels_ = true;
}

void PictureBox::SetDrawWidth(int width)
{
    drawWidth_ = std::max(1, width);
}

void PictureBox::SetPictureBackColor(quint32 color)
{
    backColor_ = color & 0xFFFFFF;
}

void PictureBox::SetPictureFont(const QFont& font)
{
    font_ = font;
    setFont(font);
}

double PictureBox::PixelsPerUnitX() const
{
    return pixels_ ? 1.0 : double(width()) / (right_ - left_);
}

double PictureBox::PixelsPerUnitY() const
{
    return pixels_ ? 1.0 : double(height()) / (bottom_ - top_);
}

QPointF PictureBox::ToPixels(double x, double y) const
{
    if (pixels_)
        return QPointF(x, y);
    return QPointF((x - left_) * PixelsPerUnitX(), (y - top_) * PixelsPerUnitY());
}

void PictureBox::Note(Drawn d)
{
    if (journal_.size() >= MaxJournal)
        journal_.remove(0, journal_.size() / 2);
    journal_.append(std::move(d));
}

void PictureBox::DrawLine(QPointF a, QPointF b, quint32 color)
{
    if (image_.size() != size())
        resizeEvent(nullptr);
    if (image_.isNull())
        return;
    const QRectF area(-Spare, -Spare, image_.width() + 2 * Spare, image_.height() + 2 * Spare);
    if (!ClipSegment(a, b, area))
        return;
    QPainter p(&image_);
    QPen pen(setup::ColorFromNumber(color), drawWidth_,
             drawStyle_ == DrawStyle::Dot ? Qt::DotLine : Qt::SolidLine, Qt::SquareCap);
    p.setPen(pen);
    const QPoint pa(ToPixel(a.x()), ToPixel(a.y())), pb(ToPixel(b.x()), ToPixel(b.y()));
    if (pa == pb)
        p.drawPoint(pa);
    else
        p.drawLine(pa, pb);
    update();
}

void PictureBox::Line(double x1, double y1, double x2, double y2)
{
    Line(x1, y1, x2, y2, foreColor_);
}

void PictureBox::Line(double x1, double y1, double x2, double y2, quint32 color)
{
    Note({Drawn::Kind::Line, QPointF(x1, y1), QPointF(x2, y2), color, drawWidth_, drawStyle_, {}});
    DrawLine(ToPixels(x1, y1), ToPixels(x2, y2), color);
    curX_ = x2;
    curY_ = y2;
}

void PictureBox::LineTo(double x, double y)
{
    Line(curX_, curY_, x, y);
}

void PictureBox::FillBox(double x1, double y1, double x2, double y2, quint32 color)
{
    Note({Drawn::Kind::Box, QPointF(x1, y1), QPointF(x2, y2), color, drawWidth_, drawStyle_, {}});
    curX_ = x2;
    curY_ = y2;
    if (image_.size() != size())
        resizeEvent(nullptr);
    if (image_.isNull())
        return;
    const QPointF a = ToPixels(x1, y1), b = ToPixels(x2, y2);
    const double w = image_.width(), h = image_.height();
    const int l = ToPixel(Clamp(std::min(a.x(), b.x()), -Spare, w + Spare));
    const int r = ToPixel(Clamp(std::max(a.x(), b.x()), -Spare, w + Spare));
    const int t = ToPixel(Clamp(std::min(a.y(), b.y()), -Spare, h + Spare));
    const int btm = ToPixel(Clamp(std::max(a.y(), b.y()), -Spare, h + Spare));
    QPainter p(&image_);
    p.fillRect(QRect(QPoint(l, t), QPoint(r, btm)), setup::ColorFromNumber(color));
    update();
}

void PictureBox::PSet(double x, double y)
{
    Note({Drawn::Kind::Dot, QPointF(x, y), QPointF(x, y), foreColor_, drawWidth_, drawStyle_, {}});
    curX_ = x;
    curY_ = y;
    if (image_.size() != size())
        resizeEvent(nullptr);
    if (image_.isNull())
        return;
    const QPointF at = ToPixels(x, y);
    if (!std::isfinite(at.x()) || !std::isfinite(at.y()))
        return;
    const double w = image_.width(), h = image_.height();
    const int px = ToPixel(Clamp(at.x(), -Spare, w + Spare));
    const int py = ToPixel(Clamp(at.y(), -Spare, h + Spare));
    const int half = (drawWidth_ - 1) / 2;
    QPainter p(&image_);
    p.fillRect(QRect(px - half, py - half, drawWidth_, drawWidth_), setup::ColorFromNumber(foreColor_));
    update();
}

double PictureBox::TextWidth(const QString& text) const
{
    return QFontMetrics(font_).horizontalAdvance(text) / std::abs(PixelsPerUnitX());
}

double PictureBox::TextHeight(const QString& text) const
{
    Q_UNUSED(text);
    return QFontMetrics(font_).height() / std::abs(PixelsPerUnitY());
}

void PictureBox::Print(const QString& text)
{
    const double w = TextWidth(text), h = TextHeight(text);
    Note({Drawn::Kind::Text, QPointF(curX_, curY_), QPointF(w, h), foreColor_, drawWidth_,
          drawStyle_, text});
    if (image_.size() != size())
        resizeEvent(nullptr);
    if (!image_.isNull()) {
        const QPointF at = ToPixels(curX_, curY_);
        const double iw = image_.width(), ih = image_.height();
        if (std::isfinite(at.x()) && std::isfinite(at.y()) && at.x() < iw + Spare
            && at.y() < ih + Spare && at.x() > -iw - Spare && at.y() > -ih - Spare) {
            QPainter p(&image_);
            p.setFont(font_);
            p.setPen(setup::ColorFromNumber(foreColor_));
            p.drawText(QPoint(ToPixel(at.x()), ToPixel(at.y()) + QFontMetrics(font_).ascent()),
                       text);
            update();
        }
    }
    // On to the start of the next line.
    curX_ = pixels_ ? 0.0 : left_;
    curY_ += (pixels_ || bottom_ > top_) ? h : -h;
}

void PictureBox::Cls()
{
    if (image_.size() != size())
        resizeEvent(nullptr);
    image_.fill(setup::ColorFromNumber(backColor_));
    journal_.clear();
    curX_ = 0;
    curY_ = 0;
    update();
}

bool PictureBox::SaveBmp(const QString& path) const
{
    if (image_.isNull() || path.isEmpty())
        return false;
    // The format is named: Qt would otherwise guess it from the extension,
    // and a name without ".bmp" would not be written at all.
    return image_.convertToFormat(QImage::Format_RGB888).save(path, "BMP");
}

void PictureBox::paintEvent(QPaintEvent* e)
{
    QPainter p(this);
    if (image_.size() != size()) {
        p.fillRect(e->rect(), setup::ColorFromNumber(backColor_));
        if (image_.isNull())
            return;
    }
    p.drawImage(e->rect().topLeft(), image_, e->rect());
}

void PictureBox::resizeEvent(QResizeEvent* e)
{
    if (e)
        QWidget::resizeEvent(e);
    if (image_.size() == size() || size().isEmpty())
        return;
    // What was drawn stays where it was; new room is background.
    QImage grown(size(), QImage::Format_RGB32);
    grown.fill(setup::ColorFromNumber(backColor_));
    if (!image_.isNull()) {
        QPainter p(&grown);
        p.drawImage(0, 0, image_);
    }
    image_ = grown;
}

} // namespace platform
