// The picture box: user scale mapped by hand (text upright on an upward y
// axis), lines of both widths and styles, filled boxes, points far outside
// the picture, the journal, and saving as a 24-bit BMP.

#include "platform/Fonts.h"
#include "platform/PictureBox.h"

#include <QFile>
#include <QFontMetrics>
#include <QPainter>
#include <QTemporaryDir>
#include <QtTest>

#include <limits>

using platform::PictureBox;

namespace {

// A picture of the plot window's size with its chart scale (y upwards).
void Prepare(PictureBox& pb)
{
    pb.resize(616, 425);
    pb.SetPictureFont(platform::DesignFont(QStringLiteral("MS Sans Serif"), 9.75, true));
    pb.Cls();
    pb.Scale(-150, 215, 1020, -250);
}

int BlackInColumn(const QImage& img, int x)
{
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        n += img.pixelColor(x, y) == Qt::black;
    return n;
}

int BlackInRow(const QImage& img, int y, int from, int to)
{
    int n = 0;
    for (int x = from; x < to; ++x)
        n += img.pixelColor(x, y) == Qt::black;
    return n;
}

} // namespace

class TstPlatformPicture : public QObject {
    Q_OBJECT

private slots:
    // Text printed on a scale whose y grows upwards is upright: it looks
    // exactly as text drawn plainly at the mapped place. Sizes come back in
    // user units, both positive.
    void textOnFlippedScale()
    {
        PictureBox pb;
        Prepare(pb);
        QCOMPARE(pb.ToPixels(-150, 215), QPointF(0, 0));
        QCOMPARE(pb.ToPixels(1020, -250), QPointF(616, 425));

        const QFontMetrics fm(pb.font());
        QVERIFY(qAbs(pb.TextWidth("Ab") - fm.horizontalAdvance("Ab") * 1170.0 / 616.0) < 1e-9);
        QVERIFY(qAbs(pb.TextHeight("Ab") - fm.height() * 465.0 / 425.0) < 1e-9);

        pb.SetCurrentX(0);
        pb.SetCurrentY(0);
        pb.Print("Ab");
        QImage expected(616, 425, QImage::Format_RGB32);
        expected.fill(Qt::white);
        {
            QPainter p(&expected);
            p.setFont(pb.font());
            p.setPen(Qt::black);
            p.drawText(QPoint(79, 197 + fm.ascent()), "Ab"); // (0, 0) mapped, rounded
        }
        QCOMPARE(pb.Image(), expected);
        // On to the next line, downwards on the picture.
        QCOMPARE(pb.CurrentX(), -150.0);
        QVERIFY(qAbs(pb.CurrentY() + pb.TextHeight("Ab")) < 1e-9);

        const PictureBox::Drawn& d = pb.Journal().last();
        QCOMPARE(int(d.kind), int(PictureBox::Drawn::Kind::Text));
        QCOMPARE(d.text, "Ab");
        QCOMPARE(d.from, QPointF(0, 0));
        QCOMPARE(d.to, QPointF(pb.TextWidth("Ab"), pb.TextHeight("Ab")));
    }

    void linesAndBoxes()
    {
        PictureBox pb;
        Prepare(pb);
        pb.SetDrawWidth(1);
        pb.Line(0, 0, 1000, 0);
        QCOMPARE(BlackInColumn(pb.Image(), 300), 1);
        QCOMPARE(pb.CurrentX(), 1000.0);
        pb.Cls();
        QVERIFY(pb.Journal().isEmpty());
        QCOMPARE(BlackInColumn(pb.Image(), 300), 0);

        pb.SetDrawWidth(2);
        pb.Line(0, 0, 1000, 0);
        QCOMPARE(BlackInColumn(pb.Image(), 300), 2);

        // Dotted: about every other pixel along the line.
        pb.Cls();
        pb.SetDrawWidth(1);
        pb.SetDrawStyle(PictureBox::DrawStyle::Dot);
        pb.Line(0, 100, 1000, 100);
        const int row = qRound(pb.ToPixels(0, 100).y());
        const int dots = BlackInRow(pb.Image(), row, 100, 600);
        QVERIFY2(dots > 150 && dots < 350, qPrintable(QString::number(dots)));
        QCOMPARE(pb.Journal().last().style, PictureBox::DrawStyle::Dot);

        // A box includes both corners, whichever order they come in.
        pb.Cls();
        pb.ScalePixels();
        pb.FillBox(20, 20, 10, 10, 0x0000FF);
        const QImage& img = pb.Image();
        QCOMPARE(img.pixelColor(10, 10), QColor(Qt::red));
        QCOMPARE(img.pixelColor(20, 20), QColor(Qt::red));
        QCOMPARE(img.pixelColor(21, 21), QColor(Qt::white));
        QCOMPARE(img.pixelColor(9, 15), QColor(Qt::white));
    }

    // Readings far off every scale: nothing breaks, and what is visible of a
    // line is where it should be.
    void farOutside()
    {
        PictureBox pb;
        Prepare(pb);
        pb.SetDrawWidth(1);
        pb.Line(0, 0, 1e12, 0);
        const int row = qRound(pb.ToPixels(0, 0).y());
        QCOMPARE(pb.Image().pixelColor(615, row), QColor(Qt::black));
        pb.Line(0, 0, 1e300, -1e300);
        pb.Line(0, 0, std::numeric_limits<double>::infinity(), 0);
        pb.FillBox(-1e300, -1e300, 1e300, 5, 0xFF0000);
        pb.PSet(1e200, 1e200);
        pb.SetCurrentX(1e200);
        pb.Print("x");
        QCOMPARE(pb.Journal().size(), 6);
        QCOMPARE(pb.Image().pixelColor(0, 424), QColor(Qt::blue));

        // Both ends far off: the cut ends must still be pixels the painter
        // can take (the sanitizer build checks the conversions), also where
        // the ends' difference is beyond the range of a double.
        pb.Cls();
        pb.Line(-1.7e25, -1.7e25, 1.2e25, 1.2e25);
        pb.Line(0, -1.7e308, 0, 1.7e308);
        // A line from far off to a point in view ends at that point.
        pb.Cls();
        pb.Line(1e25, 1e25, 100, 0);
        const QPointF end = pb.ToPixels(100, 0);
        QCOMPARE(pb.Image().pixelColor(qRound(end.x()), qRound(end.y())), QColor(Qt::black));
    }

    // Saved as a 24-bit BMP of the picture's size, also under a name
    // without ".bmp"; a file that cannot be written is reported as such.
    void saveBmp()
    {
        PictureBox pb;
        Prepare(pb);
        pb.SetDrawWidth(2);
        pb.Line(0, -210, 1000, -210);
        QTemporaryDir dir;
        const QString path = dir.filePath("chart");
        QVERIFY(pb.SaveBmp(path));
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray head = f.read(30);
        QCOMPARE(head.left(2), QByteArray("BM"));
        QCOMPARE(int(quint8(head[28])) | (int(quint8(head[29])) << 8), 24);
        const QImage back(path, "BMP");
        QCOMPARE(back.size(), QSize(616, 425));
        const QPointF axis = pb.ToPixels(500, -210);
        QCOMPARE(back.pixelColor(int(axis.x()), qRound(axis.y())), QColor(Qt::black));
        QVERIFY(!pb.SaveBmp(dir.filePath("no/such/folder/chart.bmp")));
    }
};

QTEST_MAIN(TstPlatformPicture)
#include "tst_platform_picture.moc"
