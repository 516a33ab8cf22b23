#include "help/HelpPrintArea.h"

#include <QFontMetrics>
#include <QPainter>

namespace help {

namespace {
// A few pixels off the edge so that letters do not touch the frame.
constexpr int Inset = 4;
} // namespace

HelpPrintArea::HelpPrintArea(QWidget* parent)
    : QFrame(parent)
{
}

void HelpPrintArea::Cls()
{
    m_printed.clear();
    update();
}

void HelpPrintArea::PrintLines(const QList<HelpLine>& lines, const QFont& font)
{
    for (const HelpLine& line : lines)
        m_printed.append({line, font});
    update();
}

QSize HelpPrintArea::Extent(const QList<HelpLine>& lines, const QFont& font)
{
    const QFontMetrics lineMetrics(font);
    int width = 0;
    for (const HelpLine& line : lines) {
        int x = Inset;
        for (const HelpRun& run : line) {
            QFont f = font;
            if (run.emphasised)
                f.setBold(true);
            x += QFontMetrics(f).horizontalAdvance(run.text);
        }
        width = qMax(width, x);
    }
    return QSize(width, Inset / 2 + int(lines.size()) * lineMetrics.height());
}

void HelpPrintArea::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    const QRect area = contentsRect();
    painter.setClipRect(area);
    int y = area.top() + Inset / 2;
    for (const PrintedLine& line : m_printed) {
        const QFontMetrics lineMetrics(line.font);
        int x = area.left() + Inset;
        for (const HelpRun& run : line.runs) {
            QFont f = line.font;
            if (run.emphasised)
                f.setBold(true);
            painter.setFont(f);
            painter.drawText(x, y + lineMetrics.ascent(), run.text);
            x += QFontMetrics(f).horizontalAdvance(run.text);
        }
        y += lineMetrics.height();
        if (y > area.bottom())
            break;
    }
}

} // namespace help
