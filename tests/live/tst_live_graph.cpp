// The graph window: the bars and count labels, the doubling at the sixth
// reading, the blinking arrows, Pause and New Scale, and the window counting
// an emulated meter's stream.

#include "link/CommControl.h"
#include "live/Charts.h"
#include "live/Readings.h"
#include "live/frmGRAPH.h"
#include "platform/FileDialog.h"
#include "support/ChartTestKit.h"
#include "support/GetPutKit.h"

#include <QTemporaryDir>

using emu::Drawn;
using live::frmGRAPH;

namespace {

frmGRAPH* OpenGraph(const QString& mid, const QString& small, const QString& scale)
{
    auto* w = emu::OpenChart<frmGRAPH>(QStringLiteral("frmGRAPH"));
    if (!QTest::qWaitFor([&] { return QApplication::focusWidget() == w->txtMidVal; }))
        QTest::qFail("the scale entry did not open", __FILE__, __LINE__);
    emu::TypeScale(w, w->txtVertScale, mid, small, scale);
    return w;
}

bool IsBox(const Drawn& d, double x1, double y1, double x2, double y2, quint32 color)
{
    return d.kind == Drawn::Kind::Box && d.from == QPointF(x1, y1) && d.to == QPointF(x2, y2)
        && d.color == color;
}

} // namespace

class TstLiveGraph : public QObject {
    Q_OBJECT

private slots:
    void cleanup()
    {
        platform::SetFileDialogAnswerer({});
        platform::CloseAllForms();
        emu::Settle();
    }

    // Bars, the doubling at the sixth reading, the arrows, Pause and New
    // Scale, on the window with records given directly.
    void window()
    {
        emu::CounterBench bench;
        emu::LoadSampleImage("2C40");
        frmGRAPH* w = OpenGraph("100", "1", "5");
        const platform::PictureBox* p = w->Picture1;
        QCOMPARE(emu::Texts(p),
                 (QStringList{"0", "1", "2", "3", "4", "5", "85.", "90.", "95.", "100.", "105.",
                              "110.", "115."}));
        const QList<Drawn> texts = emu::Items(p, Drawn::Kind::Text);
        QVERIFY(emu::Near(texts[9].from.x() + texts[9].to.x() / 2, 480)); // "100." under class 15
        // Each count label goes over a white box that wipes the old one.
        qsizetype five = 0;
        while (p->Journal()[five].text != "5")
            ++five;
        QVERIFY(IsBox(p->Journal()[five - 1], -135, 990, -35, 1025, 0xFFFFFF));

        qsizetype from = p->Journal().size();
        for (int i = 0; i < 5; ++i)
            w->GraphRecord(" 100.2");
        QList<Drawn> drawn = p->Journal().mid(from);
        QCOMPARE(drawn.size(), 15);
        QVERIFY(IsBox(drawn[0], -10, -12, 20, -40, 0xFFFFFF));
        QVERIFY(IsBox(drawn[1], 950, -12, 980, -40, 0xFFFFFF));
        QVERIFY(IsBox(drawn[2], 470, 0, 490, 200, 0));
        QVERIFY(IsBox(drawn[14], 470, 800, 490, 1000, 0));

        // The sixth: every bar again at half height, labels 0 to 10 by 2.
        from = p->Journal().size();
        w->GraphRecord("100");
        drawn = p->Journal().mid(from);
        QCOMPARE(live::GraphFullScale, 10.0);
        QVERIFY(IsBox(drawn[2], 20, 5, 40, 1000, 0xFFFFFF));
        QVERIFY(IsBox(drawn[3], 20, 0, 40, 0, 0));
        QVERIFY(IsBox(drawn[2 + 2 * 15 + 1], 470, 0, 490, 600, 0));
        QCOMPARE(emu::Texts(p, from), (QStringList{"0", "2", "4", "6", "8", "10"}));

        // Above the classes: the arrow on, off, on; a reading inside
        // erases both arrows. Below: the left arrow.
        from = p->Journal().size();
        w->GraphRecord("115.6");
        QCOMPARE(emu::Texts(p, from), QStringList{"->"});
        QCOMPARE(p->Journal().last().from, QPointF(950, -5));
        w->GraphRecord("200");
        QVERIFY(IsBox(p->Journal().last(), 950, -12, 980, -40, 0xFFFFFF));
        w->GraphRecord("1E30");
        QCOMPARE(p->Journal().last().text, "->");
        w->GraphRecord("84.4");
        QCOMPARE(p->Journal().last().text, "<-");
        QCOMPARE(p->Journal().last().from, QPointF(-10, -5));
        from = p->Journal().size();
        w->GraphRecord("85");
        QVERIFY(IsBox(p->Journal()[from], -10, -12, 20, -40, 0xFFFFFF));
        QVERIFY(IsBox(p->Journal()[from + 1], 950, -12, 980, -40, 0xFFFFFF));
        QCOMPARE(w->Run().counts[0], 1.0);
        w->GraphRecord("200"); // the arrow erased with it comes back at once
        QCOMPARE(p->Journal().last().text, "->");
        // Too large to be a reading: not counted, nothing drawn.
        from = p->Journal().size();
        w->GraphRecord("9E99");
        QCOMPARE(p->Journal().size(), from);

        // Pause keeps the bars and drops what comes; Continue goes on.
        w->cmdPause->click();
        w->GraphRecord("100");
        QCOMPARE(p->Journal().size(), from);
        w->cmdContinue->click();
        QTRY_COMPARE(emu::RawFrames(bench.line).count("*1A0"), 2);
        w->GraphRecord("100");
        QCOMPARE(w->Run().counts[15], 7.0);

        // New Scale and OK: empty counts again, from a blank full scale of 1.
        w->cmdNewScale->click();
        QVERIFY(p->Journal().isEmpty());
        w->txtVertScale->setText("         ");
        w->cmdOK->click();
        QCOMPARE(w->Run().counts[15], 0.0);
        QCOMPARE(live::GraphFullScale, 1.0);
        w->GraphRecord("100");
        w->GraphRecord("100");
        QCOMPARE(live::GraphFullScale, 2.0);
    }

    // On an emulated meter: the stream is counted; Save writes a BMP under
    // a name without its extension; End stops the meter.
    void streamEndToEnd()
    {
        emu::CounterBench bench;
        emu::LoadSampleImage("2C40");
        bench.line.setStream("A0", "A1", [](int n) { return QByteArray(n % 3 ? " 100\r" : " 101\r"); }, 10);
        frmGRAPH* w = OpenGraph("100", "1", "-2");
        QPointer<frmGRAPH> alive(w);
        QTRY_VERIFY(w->Run().counts[15] >= 6);
        QVERIFY(w->Run().counts[16] >= 1);
        QVERIFY(live::GraphFullScale >= 8);
        QCOMPARE(emu::RawFrames(bench.line), QStringList{"*1A0"});

        QTemporaryDir dir;
        platform::SetFileDialogAnswerer([&](const platform::FileDialogRequest& r) {
            return r.title == "Save Graph As" ? std::optional<QString>(dir.filePath("graph"))
                                              : std::nullopt;
        });
        w->cmdSave->click();
        const QImage saved(dir.filePath("graph"), "BMP");
        QCOMPARE(saved.size(), w->Picture1->size());
        const QPointF bar = w->Picture1->ToPixels(480, 10);
        QCOMPARE(saved.pixelColor(qRound(bar.x()), qRound(bar.y())), QColor(Qt::black));

        w->cmdEnd->click();
        emu::Settle();
        QTRY_VERIFY(!alive);
        QTRY_COMPARE(emu::RawFrames(bench.line), (QStringList{"*1A0", "*1A1"}));
        QVERIFY(!bench.line.streaming());
        QVERIFY(meterlink::Commx().RTSEnable()); // only the list drops it
    }
};

QTEST_MAIN(TstLiveGraph)
#include "tst_live_graph.moc"
