#include "platform/Printing.h"

#include <QPainter>
#include <QPixmap>
#include <QPrintDialog>
#include <QPrinter>
#include <QWidget>

namespace platform {

namespace {

QString pdfTarget;

bool printOn(QPrinter& printer, QWidget* window)
{
    const QPixmap picture = window->grab();
    if (picture.isNull())
        return false;
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    // The window's size on a 96 dots-per-inch screen, on paper.
    const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
    const double perPixel = double(printer.resolution()) / 96.0;
    QSizeF size(picture.width() * perPixel / picture.devicePixelRatio(),
                picture.height() * perPixel / picture.devicePixelRatio());
    if (size.width() > page.width() || size.height() > page.height())
        size.scale(page.size(), Qt::KeepAspectRatio);
    painter.drawPixmap(QRectF(QPointF(0, 0), size), picture, QRectF(picture.rect()));
    return painter.end();
}

} // namespace

bool PrintFormToPdf(QWidget* w, const QString& path)
{
    if (!w)
        return false;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    return printOn(printer, w->window());
}

bool PrintForm(QWidget* w)
{
    if (!w)
        return false;
    if (!pdfTarget.isEmpty())
        return PrintFormToPdf(w, pdfTarget);
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, w->window());
    if (dialog.exec() != QDialog::Accepted)
        return false;
    return printOn(printer, w->window());
}

void SetPrintToPdf(const QString& path)
{
    pdfTarget = path;
}

} // namespace platform
