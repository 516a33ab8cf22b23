#include "views/BoardSketch.h"

#include "platform/Fonts.h"

#include <QFontMetrics>
#include <QPainter>

namespace views {

namespace {

// The sixteen standard colours; every sketch paints with these only, so a
// sixteen-colour drawing loses nothing when it is reduced to them.
const QRgb Standard16[16] = {
    qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
    qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
    qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
    qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255),
};

const QColor Black(Standard16[0]);
const QColor BoardGreen(Standard16[2]);
const QColor Silver(Standard16[7]);
const QColor Grey(Standard16[8]);
const QColor Gold(Standard16[11]);
const QColor White(Standard16[15]);

QString PartKind(SketchPart part)
{
    switch (part) {
    case SketchPart::Board: return QStringLiteral("Board");
    case SketchPart::Header: return QStringLiteral("Pin header");
    case SketchPart::Terminal: return QStringLiteral("Terminal block");
    case SketchPart::Jack: return QStringLiteral("RJ11 socket");
    case SketchPart::Edge: return QStringLiteral("Connector");
    case SketchPart::Text: return QStringLiteral("Text");
    }
    return QString();
}

// Cell c (0-based) of n equal cells along [from, from + length).
QRect Cell(const QRect& r, int cols, int rows, int c, int row)
{
    const int x0 = r.left() + r.width() * c / cols;
    const int x1 = r.left() + r.width() * (c + 1) / cols;
    const int y0 = r.top() + r.height() * row / rows;
    const int y1 = r.top() + r.height() * (row + 1) / rows;
    return QRect(x0, y0, x1 - x0, y1 - y0);
}

void DrawName(QPainter& p, const SketchItem& item)
{
    if (item.name.isEmpty() || item.side == NameSide::None)
        return;
    const QFontMetrics fm(p.font());
    const int w = fm.horizontalAdvance(item.name);
    const int h = fm.height();
    const QRect& r = item.rect;
    QPoint at; // top left of the text
    switch (item.side) {
    case NameSide::Above: at = QPoint(r.left() + (r.width() - w) / 2, r.top() - h - 2); break;
    case NameSide::Below: at = QPoint(r.left() + (r.width() - w) / 2, r.bottom() + 3); break;
    case NameSide::Left: at = QPoint(r.left() - w - 4, r.top() + (r.height() - h) / 2); break;
    case NameSide::Right: at = QPoint(r.right() + 5, r.top() + (r.height() - h) / 2); break;
    case NameSide::Inside: at = QPoint(r.left() + (r.width() - w) / 2, r.top() + (r.height() - h) / 2); break;
    case NameSide::None: return;
    }
    p.setPen(item.side == NameSide::Inside ? Black : White);
    p.drawText(QRect(at, QSize(w + 1, h)), Qt::AlignLeft | Qt::AlignTop, item.name);
}

void DrawHeader(QPainter& p, const SketchItem& item)
{
    const QRect& r = item.rect;
    p.setPen(Black);
    p.setBrush(Black);
    p.drawRect(r.adjusted(0, 0, -1, -1));
    // One pin size for the whole header, however the cells round.
    const int s = qMax(2, qMin(r.width() / item.cols, r.height() / item.rows) * 2 / 5);
    for (int row = 0; row < item.rows; ++row)
        for (int c = 0; c < item.cols; ++c) {
            const QRect cell = Cell(r, item.cols, item.rows, c, row);
            p.fillRect(QRect(cell.center() - QPoint(s / 2, s / 2), QSize(s, s)), Gold);
        }
}

void DrawTerminal(QPainter& p, const SketchItem& item)
{
    const QRect& r = item.rect;
    p.setPen(Black);
    p.setBrush(Silver);
    p.drawRect(r.adjusted(0, 0, -1, -1));
    const bool across = r.width() >= r.height();
    const int n = qMax(1, item.cols);
    for (int i = 0; i < n; ++i) {
        const QRect cell = across ? Cell(r, n, 1, i, 0) : Cell(r, 1, n, 0, i);
        if (i > 0) {
            if (across)
                p.drawLine(cell.left(), r.top(), cell.left(), r.bottom());
            else
                p.drawLine(r.left(), cell.top(), r.right(), cell.top());
        }
        const int d = qMax(3, qMin(cell.width(), cell.height()) * 3 / 5);
        const QRect screw(cell.center() - QPoint(d / 2, d / 2), QSize(d, d));
        p.setBrush(Grey);
        p.drawEllipse(screw);
        p.drawLine(screw.left() + 1, screw.center().y(), screw.right() - 1, screw.center().y());
        p.setBrush(Silver);
    }
}

void DrawJack(QPainter& p, const SketchItem& item)
{
    const QRect& r = item.rect;
    p.setPen(Black);
    p.setBrush(Silver);
    p.drawRect(r.adjusted(0, 0, -1, -1));
    // The opening, with the latch notch at the bottom and the contacts along
    // the top.
    const QRect hole = r.adjusted(r.width() / 8, r.height() / 6, -r.width() / 8, -r.height() / 4);
    p.setBrush(Black);
    p.drawRect(hole.adjusted(0, 0, -1, -1));
    const QRect notch(hole.center().x() - hole.width() / 6, hole.bottom(), hole.width() / 3,
                      r.height() / 8);
    p.drawRect(notch.adjusted(0, 0, -1, -1));
    const int n = qMax(1, item.cols);
    for (int i = 0; i < n; ++i) {
        const QRect cell = Cell(hole.adjusted(2, 2, -2, 0), n, 1, i, 0);
        const int w = qMax(1, cell.width() / 3);
        p.fillRect(QRect(cell.center().x() - w / 2, cell.top(), w, qMax(3, hole.height() / 3)),
                   Gold);
    }
}

void DrawEdge(QPainter& p, const SketchItem& item)
{
    const QRect& r = item.rect;
    p.setPen(Black);
    p.setBrush(BoardGreen);
    p.drawRect(r.adjusted(0, 0, -1, -1));
    const bool across = r.width() >= r.height();
    const int n = qMax(1, item.cols);
    for (int i = 0; i < n; ++i) {
        const QRect cell = across ? Cell(r, n, 1, i, 0) : Cell(r, 1, n, 0, i);
        p.fillRect(cell.adjusted(1, 1, -1, -1), Gold);
    }
}

} // namespace

QImage DrawSketch(const Sketch& sketch)
{
    QImage image(sketch.size, QImage::Format_RGB32);
    image.fill(BoardGreen);
    {
        QPainter p(&image);
        // No smoothing: every pixel keeps one of the standard colours.
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setRenderHint(QPainter::TextAntialiasing, false);
        QFont font = platform::DesignFont(QStringLiteral("Arial"), 8, true);
        font.setPixelSize(sketch.size.width() >= 300 ? 13 : 9);
        font.setStyleStrategy(QFont::NoAntialias);
        p.setFont(font);
        for (const SketchItem& item : sketch.items) {
            switch (item.part) {
            case SketchPart::Board: {
                p.setPen(QPen(Black, 2));
                p.setBrush(BoardGreen);
                p.drawRect(item.rect.adjusted(1, 1, -1, -1));
                QFont big = font;
                big.setPixelSize(font.pixelSize() + 3);
                p.setFont(big);
                p.setPen(White);
                p.drawText(item.rect.adjusted(10, 6, -10, -6), Qt::AlignLeft | Qt::AlignTop,
                           item.name);
                p.setFont(font);
                continue;
            }
            case SketchPart::Header: DrawHeader(p, item); break;
            case SketchPart::Terminal: DrawTerminal(p, item); break;
            case SketchPart::Jack: DrawJack(p, item); break;
            case SketchPart::Edge: DrawEdge(p, item); break;
            case SketchPart::Text:
                p.setPen(White);
                p.drawText(item.rect, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, item.name);
                continue;
            }
            DrawName(p, item);
        }
    }
    if (!sketch.sixteenColours)
        return image;
    QList<QRgb> palette(std::begin(Standard16), std::end(Standard16));
    QImage indexed = image.convertToFormat(QImage::Format_Indexed8, palette, Qt::ThresholdDither);
    return indexed;
}

QString DescribeSketch(const Sketch& sketch)
{
    QStringList lines;
    for (const SketchItem& item : sketch.items) {
        if (item.part == SketchPart::Text || item.part == SketchPart::Board) {
            if (!item.name.isEmpty())
                lines << item.name;
            continue;
        }
        QString line = PartKind(item.part);
        if (item.part == SketchPart::Header)
            line += QStringLiteral(", %1 x %2 pins").arg(item.cols).arg(item.rows);
        else if (item.part == SketchPart::Terminal)
            line += QStringLiteral(", %1 terminals").arg(item.cols);
        if (!item.name.isEmpty())
            line += QStringLiteral(": ") + item.name;
        lines << line;
    }
    return lines.join(QLatin1Char('\n'));
}

} // namespace views
