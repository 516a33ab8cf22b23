// The time-base calibration: its sums and checks on their own, and the
// window on an emulated meter: a good run writes exactly the expected frames
// and correction; a meter that does not answer, or gives no reading, never
// gets a wrong scale or correction and gets its own settings back.

#include "link/CommControl.h"
#include "link/Link.h"
#include "link/Wait.h"
#include "live/Calibration.h"
#include "live/frmCalib.h"
#include "mainmenu/frmMMenu.h"
#include "platform/Appearance.h"
#include "platform/MessageBox.h"
#include "setup/ModeModel.h"
#include "support/FormTestKit.h"
#include "support/LinkTestKit.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using live::frmCalib;

Q_DECLARE_METATYPE(emu::Response)

namespace {

const QString NoAnswer = "The meter did not answer properly. Nothing was changed.";
const QString NoReading =
    "The meter gave no reading. Its own scale factor and offset were put back; no new "
    "correction was written, so its correction is now 0.";
const QString NotRestored =
    "The line to the meter failed. Its own scale factor and offset could not be put back: "
    "check the meter's setup.";
const QString CorrectionUnsure =
    "The line to the meter failed. Its own scale factor and offset were not changed, but "
    "its correction may now be 0.";
const QString AskNumber = "Enter the known input frequency in Hertz, a number above 0.";
const QString TooLow = "The frequency is too low to calibrate with: it must be above 9 Hz.";
const QString TooHigh =
    "The frequency is too high to calibrate with: it must be below 90,000,000,000 Hz.";

// The program's link on a meter with a time base, address 1, 9600 baud.
struct CalibBench {
    emu::MeterEmulator line;
    emu::TimeBaseMeter meter;
    QStringList messages;

    CalibBench() : meter(line)
    {
        platform::SetMsgAnswerer([this](const platform::ShownMessage& m) {
            messages << m.text;
            return platform::MsgResult::Ok;
        });
        if (!emu::StartLink(line))
            QTest::qFail("the link did not start", __FILE__, __LINE__);
    }
    ~CalibBench()
    {
        emu::StopLink();
        platform::SetMsgAnswerer({});
        meterlink::SetProgramFolder({});
    }
    QStringList frames() const
    {
        QStringList out;
        for (const emu::Frame& f : line.frames())
            out << QString::fromLatin1(f.raw);
        return out;
    }
};

frmCalib* OpenCalib()
{
    auto* w = platform::Load<frmCalib>();
    w->Show();
    emu::Settle();
    return w;
}

// Types the frequency and presses Enter; returns when the run is over.
void Run(frmCalib* w, const QString& frequency)
{
    w->txtFreq->setText(frequency);
    QTest::keyClick(w->txtFreq, Qt::Key_Return);
}

bool Shown(const QWidget* w)
{
    return w->isVisibleTo(w->parentWidget());
}

// Runs f each time the widget is shown.
class OnShow : public QObject {
public:
    OnShow(QWidget* w, std::function<void()> f) : QObject(w), f_(std::move(f)) { w->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::Show)
            f_();
        return false;
    }

private:
    std::function<void()> f_;
};

} // namespace

class TstLiveCalib : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        setup::InitTables();
        live::CalibWaitFactor = 0.05; // the settling waits matter to the meter, not here
    }
    void cleanup()
    {
        platform::CloseAllForms();
        emu::Settle();
    }

    // ---- sums and checks ------------------------------------------------

    void temporaryScale_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("e");
        QTest::addColumn<QString>("factor");
        QTest::newRow("900000: ratio 1") << "900000" << 5 << "0186A0";
        QTest::newRow("1000000: 0.9 multiplies once") << "1000000" << 4 << "0DBBA0";
        QTest::newRow("rounds up to 10.0") << "90000.04" << 5 << "0F4240";
        QTest::newRow("just above 9 Hz") << "9.5" << 9 << "0E74A8";
    }
    void temporaryScale()
    {
        QFETCH(QString, typed);
        QFETCH(int, e);
        QFETCH(QString, factor);
        const live::FrequencyCheck c = live::CheckFrequency(typed);
        QCOMPARE(c.refusal, QString());
        QCOMPARE(c.scale.e, e);
        QCOMPARE(c.scale.factor, factor);
    }

    void refusedFrequency_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("refusal");
        QTest::newRow("empty") << "" << AskNumber;
        QTest::newRow("no number") << "abc" << AskNumber;
        QTest::newRow("zero") << "0" << AskNumber;
        QTest::newRow("negative") << "-5" << AskNumber;
        QTest::newRow("too large for a number") << "1e999" << AskNumber;
        QTest::newRow("9 Hz: exponent 10") << "9" << TooLow;
        QTest::newRow("tiny") << "1e-300" << TooLow;
        QTest::newRow("exponent below 0") << "1e12" << TooHigh;
    }
    void refusedFrequency()
    {
        QFETCH(QString, typed);
        QFETCH(QString, refusal);
        QCOMPARE(live::CheckFrequency(typed).refusal, refusal);
    }

    void replyChecks()
    {
        QVERIFY(live::ScaleReplyOk("0186a0000000"));
        QVERIFY(!live::ScaleReplyOk("0186A000000"));
        QVERIFY(!live::ScaleReplyOk("0186A00000000")); // exactly twelve
        QVERIFY(!live::ScaleReplyOk("0186A0 00000"));
        QVERIFY(live::RegisterReplyOk("0300"));
        QVERIFY(!live::RegisterReplyOk("3"));
        QVERIFY(!live::RegisterReplyOk("G3"));
        QCOMPARE(live::RegisterWithExponent("0300", 5), "0500");
        QCOMPARE(live::RegisterWithExponent("A3FF", 0), "A0FF");
    }

    void correction_data()
    {
        QTest::addColumn<QString>("reply");
        QTest::addColumn<double>("reading");
        QTest::addColumn<int>("ppm");
        QTest::addColumn<QString>("word");
        QTest::addColumn<bool>("limited");
        QTest::newRow("point last") << " 900123." << 900123.0 << -137 << "8089" << false;
        QTest::newRow("point first") << ".899900" << 899900.0 << 111 << "006F" << false;
        QTest::newRow("point inside") << " 8999.10" << 899910.0 << 100 << "0064" << false;
        QTest::newRow("second point stays") << "9000.00.9" << 900000.9 << -1 << "8001" << false;
        QTest::newRow("too low: limited") << "860000" << 860000.0 << 29999 << "752F" << true;
        QTest::newRow("too high: limited") << " 940000." << 940000.0 << -29999 << "F52F" << true;
    }
    void correction()
    {
        QFETCH(QString, reply);
        QFETCH(double, reading);
        QFETCH(int, ppm);
        QFETCH(QString, word);
        QFETCH(bool, limited);
        const std::optional<double> r = live::ReadingValue(reply);
        QVERIFY(r);
        QCOMPARE(*r, reading);
        bool wasLimited = !limited;
        QCOMPARE(live::CorrectionPpm(*r, &wasLimited), ppm);
        QCOMPARE(wasLimited, limited);
        QCOMPARE(live::CorrectionWord(ppm), word);
    }

    void readingWithoutNumber()
    {
        for (const char* text : {"", "ERR", " -.", "\x02\x03", "1e999"})
            QVERIFY2(!live::ReadingValue(text), text);
        QCOMPARE(live::CorrectionWord(-100), "8064");
    }

    // ---- the window on the meter ----------------------------------------

    void readyState()
    {
        CalibBench bench;
        frmCalib* w = OpenCalib();
        QCOMPARE(w->CurrentState(), frmCalib::State::Ready);
        QVERIFY(w->txtFreq->text().isEmpty());
        QCOMPARE(w->focusWidget(), w->txtFreq);
        QVERIFY(Shown(w->cmdCANCEL) && w->cmdCANCEL->isEnabled());
        QVERIFY(!Shown(w->cmdOK));
        for (QWidget* hidden : {(QWidget*)w->picCAL2, (QWidget*)w->txtScaleFactor,
                                (QWidget*)w->lblDone, (QWidget*)w->lblFail})
            QVERIFY2(!Shown(hidden), qPrintable(hidden->objectName()));
        // The longest text fits its place.
        for (const QString& line : w->picCAL1->Lines())
            QVERIFY2(QFontMetrics(w->picCAL1->font()).horizontalAdvance(line)
                         <= w->picCAL1->width(),
                     qPrintable(line));

        // CANCEL leaves for the main menu.
        QPointer<frmCalib> alive(w);
        auto* menu = platform::Load<mainmenu::frmMMenu>();
        menu->hide();
        w->cmdCANCEL->click();
        emu::Settle();
        QVERIFY(!alive);
        QVERIFY(menu->isVisible());
        QVERIFY(bench.line.frames().empty());
    }

    // The refused frequencies send nothing and leave the window ready.
    void refusedInWindow()
    {
        CalibBench bench;
        frmCalib* w = OpenCalib();
        const QStringList typed{"", "abc", "0", "-900000", "9"};
        for (const QString& t : typed)
            Run(w, t);
        QCOMPARE(bench.messages, (QStringList{AskNumber, AskNumber, AskNumber, AskNumber, TooLow}));
        QCOMPARE(w->CurrentState(), frmCalib::State::Ready);
        QVERIFY(Shown(w->cmdCANCEL) && !Shown(w->cmdOK) && !Shown(w->picCAL2));
        QTest::qWait(200);
        QVERIFY(bench.line.frames().empty());
    }

    // 900000 Hz reading 900123: the whole frame sequence, the meter's own
    // settings back and the correction -137 written; the window's running
    // state seen from inside the run.
    void goodRun()
    {
        CalibBench bench;
        const emu::TimeBase own = bench.meter.state();
        frmCalib* w = OpenCalib();
        QPointer<frmCalib> alive(w);

        bool sawRunning = false, noButtons = false, closeIgnored = false, resizeKept = false;
        QTimer::singleShot(300, w, [&] {
            sawRunning = w->CurrentState() == frmCalib::State::Running;
            noButtons = !Shown(w->cmdOK) && !Shown(w->cmdCANCEL);
            w->resize(w->width() + 40, w->height() + 30);
            w->close();
            closeIgnored = alive && w->isVisible();
            resizeKept = !Shown(w->cmdCANCEL) && w->txtFreq->text() == "900000";
        });
        Run(w, "900000");

        QVERIFY(sawRunning && noButtons && closeIgnored && resizeKept);
        QCOMPARE(bench.frames(),
                 (QStringList{"*1A1", "*1X311", "*1X124", "*1W12B0000", "*1W3110000000186A0",
                              "*1W1240500", "*1B1", "*1W3110DBBA0000064", "*1W1240300",
                              "*1W12B8089"}));
        const emu::TimeBase now = bench.meter.state();
        QCOMPARE(now.scale, own.scale);
        QCOMPARE(now.scaleRegister, own.scaleRegister);
        QCOMPARE(now.correction, QByteArray("8089"));

        QCOMPARE(w->CurrentState(), frmCalib::State::Done);
        QCOMPARE(w->txtScaleFactor->text(), "-137");
        QVERIFY(Shown(w->txtScaleFactor) && Shown(w->lblDone) && Shown(w->cmdOK) && w->cmdOK->isEnabled());
        QVERIFY(!Shown(w->lblRange) && !Shown(w->lblFail) && !Shown(w->cmdCANCEL));
        QVERIFY(bench.messages.isEmpty());

        // A second Enter does not run it again; OK goes back to the main
        // menu, whose activation unloads the window.
        QTest::keyClick(w->txtFreq, Qt::Key_Return);
        QCOMPARE(bench.frames().size(), 10);
        auto* menu = platform::Load<mainmenu::frmMMenu>();
        menu->hide();
        w->cmdOK->click();
        QTRY_VERIFY(!alive);
        QVERIFY(menu->isVisible());
    }

    // A reading far off: the correction is limited and lblRange shown.
    void limitedCorrection()
    {
        CalibBench bench;
        bench.meter.failAt("B1", emu::Response::Text("860000"));
        frmCalib* w = OpenCalib();
        Run(w, "900000");
        QCOMPARE(bench.frames().last(), "*1W12B752F");
        QCOMPARE(bench.meter.state().correction, QByteArray("752F"));
        QCOMPARE(w->txtScaleFactor->text(), "29999");
        QVERIFY(Shown(w->lblRange) && Shown(w->lblDone));
    }

    // Each answer the run builds on, missing or wrong: nothing wrong is
    // written, and once anything was written the meter's own scale factor,
    // offset and scale register are back.
    void failures_data()
    {
        QTest::addColumn<QByteArray>("command");
        QTest::addColumn<emu::Response>("answer");
        QTest::addColumn<QStringList>("frames");
        QTest::addColumn<QString>("message");
        const QStringList none{"*1A1", "*1X311"};
        const QStringList noRegister{"*1A1", "*1X311", "*1X124"};
        const QStringList restored{"*1A1",       "*1X311",     "*1X124",
                                   "*1W12B0000", "*1W3110000000186A0", "*1W1240500",
                                   "*1B1",       "*1W3110DBBA0000064", "*1W1240300"};
        using R = emu::Response;
        QTest::newRow("X311 silent") << QByteArray("X311") << R::Silence() << none << NoAnswer;
        QTest::newRow("X311 short") << QByteArray("X311") << R::Text("0DBBA0") << none << NoAnswer;
        QTest::newRow("X311 broken off") << QByteArray("X311") << R::Raw("0DBBA0") << none
                                         << NoAnswer;
        QTest::newRow("X124 one digit") << QByteArray("X124") << R::Text("3") << noRegister
                                        << NoAnswer;
        // Odd answers that the link would cut to a length the checks take.
        QTest::newRow("X311 13 digits") << QByteArray("X311") << R::Text("00DBBA0000064")
                                        << none << NoAnswer;
        QTest::newRow("X311 11 digits") << QByteArray("X311") << R::Text("0DBBA000006")
                                        << none << NoAnswer;
        QTest::newRow("X124 three digits") << QByteArray("X124") << R::Text("030")
                                           << noRegister << NoAnswer;
        QTest::newRow("B1 silent") << QByteArray("B1") << R::Silence() << restored << NoReading;
        QTest::newRow("B1 without a number") << QByteArray("B1") << R::Text("ERR") << restored
                                             << NoReading;
    }
    void failures()
    {
        QFETCH(QByteArray, command);
        QFETCH(emu::Response, answer);
        QFETCH(QStringList, frames);
        QFETCH(QString, message);
        CalibBench bench;
        const emu::TimeBase own = bench.meter.state();
        bench.meter.failAt(command, answer);
        frmCalib* w = OpenCalib();
        Run(w, "900000");
        QCOMPARE(bench.frames(), frames);
        const emu::TimeBase now = bench.meter.state();
        QCOMPARE(now.scale, own.scale);
        QCOMPARE(now.scaleRegister, own.scaleRegister);
        // The correction is cleared only once both values to put back were read.
        QCOMPARE(now.correction, frames.contains("*1W12B0000") ? QByteArray("0000") : own.correction);
        QCOMPARE(w->CurrentState(), frmCalib::State::Done);
        QCOMPARE(w->lblFail->text(), message);
        QCOMPARE(platform::BackColor(w->lblFail), setup::ColorRed);
        QVERIFY(Shown(w->lblFail) && Shown(w->cmdOK) && w->cmdOK->isEnabled());
        QVERIFY(!Shown(w->lblDone) && !Shown(w->txtScaleFactor) && !Shown(w->lblSet));
    }

    // The line goes dead once the temporary scale is in the meter: the run
    // stops writing and says that the meter's own settings could not go back.
    void lineLostDuringRun()
    {
        CalibBench bench;
        bench.meter.failAt("W311", emu::Response::Text(QByteArray()).thenHangUp());
        frmCalib* w = OpenCalib();
        Run(w, "900000");
        const QStringList frames = bench.frames();
        QCOMPARE(frames.mid(0, 5), (QStringList{"*1A1", "*1X311", "*1X124", "*1W12B0000",
                                                "*1W3110000000186A0"}));
        QCOMPARE(frames.size(), 5);
        QCOMPARE(w->lblFail->text(), NotRestored);
        QVERIFY(!Shown(w->lblDone));
    }

    // The port is closed just for the frame that puts the scale factor and
    // offset back; the scale register still goes back. The window must not
    // say "Done.".
    void scalePutBackFailsAlone()
    {
        CalibBench bench;
        frmCalib* w = OpenCalib();
        new OnShow(w->lblReturn, [] { meterlink::Commx().SetPortOpen(false); });
        new OnShow(w->lblSet, [] { meterlink::Commx().SetPortOpen(true); });
        Run(w, "900000");
        QCOMPARE(bench.frames().mid(6), (QStringList{"*1B1", "*1W1240300"}));
        QCOMPARE(bench.meter.state().scale, QByteArray("0000000186A0"));
        QCOMPARE(w->lblFail->text(), NotRestored);
        QVERIFY(!Shown(w->lblDone));
    }

    // The port fails on the frame that clears the correction, which may
    // have reached the meter all the same: the window does not say that
    // nothing was changed.
    void lineLostAtClearing()
    {
        CalibBench bench;
        // The register is read whole well before the line goes dead, and
        // the line is dead well before the next frame.
        live::CalibWaitFactor = 0.5;
        bench.meter.failAt("X124",
                           emu::Response::Pieces({"0300\r", QByteArray()}, 300).thenHangUp());
        frmCalib* w = OpenCalib();
        Run(w, "900000");
        live::CalibWaitFactor = 0.05;
        QCOMPARE(bench.frames(), (QStringList{"*1A1", "*1X311", "*1X124"}));
        QCOMPARE(w->lblFail->text(), CorrectionUnsure);
        QVERIFY(!Shown(w->lblDone));
    }

    // The main menu's Calibration item opens the window by name.
    void fromMainMenu()
    {
        CalibBench bench;
        auto* menu = platform::Load<mainmenu::frmMMenu>();
        menu->Show();
        emu::Settle();
        menu->mnuCalibGo->trigger();
        emu::Settle();
        auto* w = platform::Find<frmCalib>();
        QVERIFY(w && w->isVisible());
        QVERIFY(!menu->isVisible());
        QCOMPARE(w->CurrentState(), frmCalib::State::Ready);
    }
};

QTEST_MAIN(TstLiveCalib)
#include "tst_live_calib.moc"
