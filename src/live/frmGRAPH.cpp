#include "live/frmGRAPH.h"

#include "live/Readings.h"
#include "platform/PictureBox.h"

#include <QLineEdit>

namespace live {

namespace {

constexpr quint32 White = 0xFFFFFF;
constexpr quint32 Black = 0x000000;

ChartWindow::Design GraphDesign()
{
    ChartWindow::Design d;
    d.name = QStringLiteral("frmGRAPH");
    d.caption = QStringLiteral("GRAPH");
    d.picture = QRect(75, 120, 9240, 6135);
    d.thirdLabel = QStringLiteral("Initial Vertical Scale");
    d.thirdLabelName = QStringLiteral("lblVertScale");
    d.thirdTextName = QStringLiteral("txtVertScale");
    d.thirdLabelAt = QRect(2985, 2040, 2100, 270);
    d.thirdTextAt = QRect(5100, 2025, 1290, 390);
    d.print = QRect(825, 6375, 1065, 315);
    d.save = QRect(2100, 6375, 1170, 300);
    d.pause = QRect(3450, 6375, 1245, 300);
    d.cont = QRect(4875, 6375, 1245, 300);
    d.newScale = QRect(6300, 6375, 1245, 300);
    d.end = QRect(7725, 6375, 1245, 300);
    return d;
}

// The height of a bar of that count.
double BarTop(double count)
{
    return count * 1000.0 / GraphFullScale;
}

} // namespace

frmGRAPH::frmGRAPH() : ChartWindow(GraphDesign())
{
    lblVertScale = lblThird;
    txtVertScale = txtThird;
}

void frmGRAPH::GraphReadings()
{
    run_ = GraphRun();
    GraphFullScale = InitialFullScale(txtVertScale->text());
    DrawGraphScale();
    BeginReading();
}

void frmGRAPH::DrawGraphScale()
{
    platform::PictureBox* p = Picture1;
    p->Scale(GraphLeft, GraphTop, GraphRight, GraphBottom);
    p->Line(0, 1030, 0, 0);
    p->Line(0, 0, 1000, 0);
    for (int k = 0; k < GraphClasses; ++k) {
        p->Line(30 * k + 30, 0, 30 * k + 30, -15);
        if (k % 5 == 0)
            p->Line(30 * k + 30, 0, 30 * k + 30, -30);
    }
    DrawGraphLabels();

    GraphMidVal = SingleValue(txtMidVal->text().trimmed()).value_or(0.0f);
    GraphSmallVal = SingleValue(txtSmallVal->text().trimmed()).value_or(0.0f);
    if (GraphSmallVal == 0.0f)
        GraphSmallVal = 1.0f;
    const int decimals = LabelDecimals(txtMidVal->text(), txtSmallVal->text());
    for (int i = -15; i <= 15; i += 5) {
        const QString label = ScaleLabel(ScaleLabelValue(GraphMidVal, GraphSmallVal, i), decimals);
        const double w = p->TextWidth(label), h = p->TextHeight(label);
        // Centred under class i + 15.
        p->SetCurrentX(30 * i + 480 - w / 2);
        p->SetCurrentY(-60 + h / 2);
        p->Print(label);
    }
}

void frmGRAPH::DrawGraphLabels()
{
    platform::PictureBox* p = Picture1;
    const double step = GraphLabelStep();
    for (int j = 0; j <= 5; ++j) {
        p->Line(-15, 200 * j, 0, 200 * j);
        p->SetDrawWidth(1);
        p->SetDrawStyle(platform::PictureBox::DrawStyle::Dot);
        p->Line(0, 200 * j, 1000, 200 * j);
        p->SetDrawWidth(2);
        p->SetDrawStyle(platform::PictureBox::DrawStyle::Solid);
        p->FillBox(-135, 200 * j - 10, -35, 200 * j + 25, White);
        const QString label = CountLabel(step * j);
        const double w = p->TextWidth(label), h = p->TextHeight(label);
        p->SetCurrentX(-35 - w);
        p->SetCurrentY(200 * j + 49 - h / 2);
        p->Print(label);
    }
}

void frmGRAPH::GraphRecord(const QString& record)
{
    if (!RunActive() || Paused == 1)
        return;
    // A number too large for any scale is no reading to count.
    const std::optional<float> v = RecordValue(record);
    if (!v)
        return;
    platform::PictureBox* p = Picture1;
    const int c = GraphClassOf(*v, GraphMidVal, GraphSmallVal);
    if (c >= 0 && c < GraphClasses) {
        p->FillBox(-10, -12, 20, -40, White);
        p->FillBox(950, -12, 980, -40, White);
        // Both arrows are gone: the next reading outside shows its arrow
        // again rather than erasing one that is no longer there.
        run_.leftBlink = run_.rightBlink = 0;
        if (!CountReading(run_, c)) {
            const double count = run_.counts[size_t(c)];
            p->FillBox(30 * c + 20, BarTop(count - 1), 30 * c + 40, BarTop(count), Black);
            return;
        }
        // The scale grew: every bar again at the new height.
        for (int k = 0; k < GraphClasses; ++k) {
            p->FillBox(30 * k + 20, 5, 30 * k + 40, 1000, White);
            p->FillBox(30 * k + 20, 0, 30 * k + 40, BarTop(run_.counts[size_t(k)]), Black);
        }
        DrawGraphLabels();
    } else if (c >= GraphClasses) {
        run_.rightBlink = 1 - run_.rightBlink;
        if (run_.rightBlink == 1) {
            p->SetCurrentX(950);
            p->SetCurrentY(-5);
            p->Print(QStringLiteral("->"));
        } else {
            p->FillBox(950, -12, 980, -40, White);
        }
    } else {
        run_.leftBlink = 1 - run_.leftBlink;
        if (run_.leftBlink == 1) {
            p->SetCurrentX(-10);
            p->SetCurrentY(-5);
            p->Print(QStringLiteral("<-"));
        } else {
            p->FillBox(-10, -12, 20, -40, White);
        }
    }
}

} // namespace live
