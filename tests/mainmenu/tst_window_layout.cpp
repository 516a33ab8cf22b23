// Every window of the program at its designed size, in the states in which
// the controls that could collide show together: no control covers another
// or reaches past its window or frame, every caption, list entry and text
// fits its control in the fonts the program uses, and a screen reader reads
// each label as it is shown.

#include "help/HelpBuild.h"
#include "help/HelpPrintArea.h"
#include "help/HelpViewer.h"
#include "help/frmAppHelp.h"
#include "live/Calibration.h"
#include "live/Windows.h"
#include "live/frmCalib.h"
#include "live/frmCmds.h"
#include "mainmenu/frmMHELP.h"
#include "mainmenu/frmMMenu.h"
#include "pages/Windows.h"
#include "pages/frmEntVal.h"
#include "pages/frmSetup1.h"
#include "pages/frmSetup2.h"
#include "pages/frmSetup3.h"
#include "platform/Fonts.h"
#include "platform/Grid.h"
#include "setup/EntryHandoff.h"
#include "setup/ModeModel.h"
#include "setup/NumberCoding.h"
#include "setup/PageValues.h"
#include "support/FormTestKit.h"
#include "support/GetPutKit.h"
#include "support/ImageKit.h"
#include "views/JumperDesigns.h"
#include "views/Windows.h"
#include "views/frmCtrMenu.h"

#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStyle>
#include <QStyleOption>
#include <QTemporaryDir>
#include <QtTest>

using emu::Settle;

namespace {

// Controls that the design lays over one another on purpose; the copies of
// a control array that share a place are never shown together, and what a
// frame holds lies within it, so neither needs an entry. Names are
// wildcards; a pair matches either way round. `around`: only where the one
// lies wholly within the other (an outline round a group of parts must not
// cut across a legend).
struct Overlay {
    const char* window;
    const char* a;
    const char* b;
    bool around = false;
};
const Overlay DesignedOverlays[] = {
    // The scale entry of the plot and graph windows lies on the picture.
    {"frmPlot", "Picture1", "*"},
    {"frmGRAPH", "Picture1", "*"},
    // The help viewer's OK lies on its text.
    {"frmAppHelp", "picText", "cmdOK"},
    // The traffic arrow slides across the picture of the computer and meter.
    {"frmCmds", "picCmptrCtr", "picCurrent"},
    // The board drawings of the jumper windows carry legends and pin marks,
    // and outline shapes go round parts of them.
    {"frmJ*", "Image*", "*"},
    {"frmJ*", "Picture*", "*"},
    {"frmJ*", "Shape*", "*", true},
};

bool Matches(const char* pattern, const QString& name)
{
    return QRegularExpression(QRegularExpression::wildcardToRegularExpression(
                                  QLatin1String(pattern)))
        .match(name)
        .hasMatch();
}

bool DesignedOverlay(const QWidget* window, const QWidget* x, const QWidget* y)
{
    const QRect rx = x->geometry(), ry = y->geometry();
    const bool nested = rx.contains(ry) || ry.contains(rx);
    for (const Overlay& o : DesignedOverlays) {
        if (!Matches(o.window, window->objectName()) || (o.around && !nested))
            continue;
        if ((Matches(o.a, x->objectName()) && Matches(o.b, y->objectName()))
            || (Matches(o.a, y->objectName()) && Matches(o.b, x->objectName())))
            return true;
    }
    return false;
}

// The style options Qt itself paints these controls with.
template <class W, class O> O OptionOf(const W* w)
{
    struct Access : W {
        using W::initStyleOption;
    };
    O opt;
    (w->*(&Access::initStyleOption))(&opt);
    return opt;
}

QString Where(const QWidget* w)
{
    return w->window()->objectName() + u'.' + w->objectName();
}

QString Mnemonicless(QString text)
{
    return text.replace(QStringLiteral("&&"), QStringLiteral("\x01")).remove(u'&').replace(u'\x01', u'&');
}

// The room text takes in font, on one line or, with wrap, within width.
QSize Need(const QFont& font, const QString& text, int width, bool wrap = false)
{
    return QFontMetrics(font)
        .boundingRect(QRect(0, 0, width, 1 << 20),
                      Qt::AlignLeft | Qt::AlignTop | (wrap ? Qt::TextWordWrap : 0), text)
        .size();
}

// "" when text fits room, else the text with what it needs and has.
QString Cut(const QFont& font, const QString& text, const QSize& room, bool wrap = false)
{
    const QSize need = Need(font, text, room.width(), wrap);
    if (need.width() <= room.width() && need.height() <= room.height())
        return {};
    return QStringLiteral("\"%1\" needs %2x%3, has %4x%5")
        .arg(text)
        .arg(need.width())
        .arg(need.height())
        .arg(room.width())
        .arg(room.height());
}

// A button's caption in the part of it that the style gives the text.
template <class B> QString CutCaption(const B* b, QStyle::SubElement contents)
{
    const auto opt = OptionOf<B, QStyleOptionButton>(b);
    return Cut(b->font(), Mnemonicless(b->text()), b->style()->subElementRect(contents, &opt, b).size());
}

// What in one control is cut off: "" when nothing.
QString CutText(const QWidget* w)
{
    QStyle* style = w->style();
    if (auto* l = qobject_cast<const QLabel*>(w)) {
        if (l->text().isEmpty())
            return {};
        const int m = l->margin();
        const QRect room = l->contentsRect().adjusted(m, m, -m, -m);
        return Cut(l->font(), l->buddy() ? Mnemonicless(l->text()) : l->text(), room.size(),
                   l->wordWrap());
    }
    if (auto* b = qobject_cast<const QPushButton*>(w))
        return CutCaption(b, QStyle::SE_PushButtonContents);
    if (auto* c = qobject_cast<const QCheckBox*>(w))
        return CutCaption(c, QStyle::SE_CheckBoxContents);
    if (auto* r = qobject_cast<const QRadioButton*>(w))
        return CutCaption(r, QStyle::SE_RadioButtonContents);
    if (auto* c = qobject_cast<const QComboBox*>(w)) {
        // Every entry, not only the one shown: the user may pick any. An
        // entry is drawn one pixel in from either side of the field.
        const auto opt = OptionOf<QComboBox, QStyleOptionComboBox>(c);
        const QRect field = style->subControlRect(QStyle::CC_ComboBox, &opt,
                                                  QStyle::SC_ComboBoxEditField, c)
                                .adjusted(1, 0, -1, 0);
        QStringList cut;
        for (int i = 0; i < c->count(); ++i)
            if (const QString one = Cut(c->font(), c->itemText(i), field.size()); !one.isEmpty())
                cut << one;
        return cut.join(QStringLiteral(", "));
    }
    if (auto* g = qobject_cast<const QGroupBox*>(w)) {
        const auto opt = OptionOf<QGroupBox, QStyleOptionGroupBox>(g);
        const QRect title = style->subControlRect(QStyle::CC_GroupBox, &opt, QStyle::SC_GroupBoxLabel, g);
        if (g->rect().contains(title))
            return {};
        return QStringLiteral("\"%1\" ends at %2, the frame at %3")
            .arg(g->title())
            .arg(title.right())
            .arg(g->width() - 1);
    }
    if (auto* e = qobject_cast<const QLineEdit*>(w)) {
        // Qt keeps two pixels free either side of the text, one above and below.
        const auto opt = OptionOf<QLineEdit, QStyleOptionFrame>(e);
        const QRect room = style->subElementRect(QStyle::SE_LineEditContents, &opt, e)
                               .marginsRemoved(e->textMargins())
                               .adjusted(2, 1, -2, -1);
        return Cut(e->font(), e->text(), room.size());
    }
    if (auto* p = qobject_cast<const help::HelpPrintArea*>(w)) {
        // Printed lines are not wrapped: what passes the right edge is lost.
        QStringList cut;
        for (const auto& line : p->printed())
            if (help::HelpPrintArea::Extent({line.runs}, line.font).width() > p->width()) {
                QString text;
                for (const auto& run : line.runs)
                    text += run.text;
                cut << u'"' + text.trimmed() + u'"';
            }
        return cut.join(QStringLiteral(", "));
    }
    return {};
}

// The controls of a window that show: its named widgets and theirs, but not
// the parts that Qt's own compound widgets are made of.
QList<QWidget*> ShownControls(QWidget* parent)
{
    QList<QWidget*> out;
    for (QObject* o : parent->children()) {
        auto* w = qobject_cast<QWidget*>(o);
        if (!w || w->isWindow() || w->isHidden() || w->objectName().isEmpty()
            || w->objectName().startsWith(QLatin1String("qt_")))
            continue;
        out << w;
    }
    return out;
}

void CheckControls(QWidget* window, QWidget* parent, QStringList& faults)
{
    const QList<QWidget*> controls = ShownControls(parent);
    QRect title;
    if (auto* g = qobject_cast<QGroupBox*>(parent)) {
        const auto opt = OptionOf<QGroupBox, QStyleOptionGroupBox>(g);
        title = g->style()->subControlRect(QStyle::CC_GroupBox, &opt, QStyle::SC_GroupBoxLabel, g);
    }
    for (int i = 0; i < controls.size(); ++i) {
        QWidget* c = controls[i];
        if (!parent->rect().contains(c->geometry()))
            faults << Where(c) + QStringLiteral(" reaches past ") + parent->objectName();
        if (title.isValid() && c->geometry().intersects(title))
            faults << Where(c) + QStringLiteral(" covers the caption of ") + parent->objectName();
        for (int j = i + 1; j < controls.size(); ++j)
            if (c->geometry().intersects(controls[j]->geometry())
                && !DesignedOverlay(window, c, controls[j]))
                faults << Where(c) + QStringLiteral(" covers ") + controls[j]->objectName();
        const QString cut = CutText(c);
        if (!cut.isEmpty())
            faults << Where(c) + QStringLiteral(" cuts ") + cut;
        if (auto* l = qobject_cast<QLabel*>(c); l && !l->text().isEmpty()) {
            const QString read = QAccessible::queryAccessibleInterface(l)->text(QAccessible::Name);
            if (read != Mnemonicless(l->text()))
                faults << Where(c) + QStringLiteral(" reads \"") + read + QStringLiteral("\" for \"")
                              + l->text() + u'"';
        }
        CheckControls(window, c, faults);
    }
}

// Faults of the window as it stands.
QStringList Faults(QWidget* window)
{
    QStringList faults;
    CheckControls(window, window, faults);
    return faults;
}

} // namespace

class TstWindowLayout : public QObject {
    Q_OBJECT

    QTemporaryDir helpDir_;
    // Each fault once, with the first state that showed it.
    QMap<QString, QString> faults_;

    void Check(QWidget* window, const QString& state)
    {
        QVERIFY2(window && window->isVisible(), qPrintable(state));
        for (const QString& f : Faults(window))
            if (!faults_.contains(f))
                faults_.insert(f, state);
    }

private slots:
    void initTestCase()
    {
        platform::InstallFontSubstitutions();
        setup::InitTables();
        pages::RegisterWindows();
        live::RegisterWindows();
        views::RegisterWindows();
        QStringList errors;
        QVERIFY2(help::GenerateHelpFiles(QStringLiteral(CTR_HELP_SOURCE), helpDir_.path(), &errors),
                 qPrintable(errors.join(u'\n')));
        help::SetHelpFolder(helpDir_.path());
        // The settling waits matter to the meter, not here.
        live::CalibWaitFactor = 0.01;
    }
    void init()
    {
        faults_.clear();
        emu::LoadDefault();
        meterlink::AutoOpenPort = 0;
        platform::SetMsgAnswerer([](const platform::ShownMessage&) { return platform::MsgResult::Ok; });
    }
    void cleanup()
    {
        platform::SetMsgAnswerer({});
        platform::CloseAllForms();
        Settle();
        QStringList found;
        for (auto f = faults_.cbegin(); f != faults_.cend(); ++f)
            found << f.key() + QStringLiteral("  (") + f.value() + u')';
        for (const QString& f : found)
            qWarning().noquote() << f;
        QVERIFY2(found.isEmpty(), "layout faults, listed above");
    }

    void mainMenu()
    {
        auto* menu = platform::Load<mainmenu::frmMMenu>();
        menu->Show();
        Settle();
        Check(menu, "start");
        menu->mnuDefaultSet->trigger();
        Settle();
        Check(menu, "default setup loaded");
        menu->cmdMenuHelp_Click();
        Check(menu, "menu help");
        menu->mnuMHelp->trigger();
        Settle();
        Check(platform::Find<mainmenu::frmMHELP>(), "help page");
    }

    // Page 1 for every mode and function of every input board, each followed
    // by page 2, whose items follow page 1's choice; page 3 with every board.
    void setupPages()
    {
        // Every option board fitted, RS485 for the longest lists, extended
        // features for every mode.
        emu::Bits(6, 3, 57, 0b1110);
        emu::Bits(3, 2, 49, 1);
        pages::frmSetup1::ShowPage();
        Settle();
        auto* page1 = platform::Find<pages::frmSetup1>();
        QVERIFY(page1);
        for (int board = 0; board < page1->cboInOpt->ListCount(); ++board) {
            page1->cboInOpt->SetListIndex(board);
            for (int mode = 0; mode < page1->cboMode->ListCount(); ++mode) {
                page1->cboMode->SetListIndex(mode);
                for (int function = 0; function < page1->cboFunction->ListCount(); ++function) {
                    page1->cboFunction->SetListIndex(function);
                    const QString state = page1->cboInOpt->Text() + u'/' + page1->cboMode->Text()
                                          + u'/' + page1->cboFunction->Text();
                    Check(page1, state);
                    page1->cmdNextPage->click();
                    Settle();
                    auto* page2 = platform::Find<pages::frmSetup2>();
                    Check(page2, state);
                    page2->cmdPrevPage->click();
                    Settle();
                }
            }
        }
        page1->cmdNextPage->click();
        Settle();
        platform::Find<pages::frmSetup2>()->cmdNextPage->click();
        Settle();
        Check(platform::Find<pages::frmSetup3>(), "every board");
    }

    void valueEntry()
    {
        auto* dialog = platform::Load<pages::frmEntVal>();
        setup::EntryKind = setup::KindReading;
        setup::EntryText = QStringLiteral("-999.999");
        dialog->LoadEntry();
        dialog->Show();
        Settle();
        Check(dialog, "reading");
        setup::EntryKind = setup::KindCharCode;
        setup::EntryText = QStringLiteral(" 255");
        dialog->LoadEntry();
        Check(dialog, "character code");
    }

    // The status line with its longest text while the Mode C note shows.
    void commands()
    {
        emu::CounterBench bench;
        emu::LoadSampleImage("2C40");
        setup::SetupB.replace(62, 2, "02"); // a function that uses item 3
        setup::SetupB.replace(50, 2, "08"); // a terminator after each item
        bench.line.on("B5", emu::Response::Text(" 1234 5678 9012 3456"));
        auto* cmds = platform::Load<live::frmCmds>();
        cmds->Show();
        Settle();
        cmds->txtRmtDspy->setFocus();
        QTest::keyClicks(cmds->txtRmtDspy, "12'0D");
        Check(cmds, "item 3 notice, Mode C note");
        cmds->cmdActiveP->click();
        QTRY_VERIFY(!cmds->Busy());
        QTest::keyClicks(cmds->txtRmtDspy, "3");
        Check(cmds, "all active + peak answered, Mode C note");
    }

    void readings()
    {
        for (const char* name : {"frmList", "frmPlot", "frmGRAPH"}) {
            platform::Form* w = platform::Load(QLatin1String(name));
            w->Show();
            Settle();
            Check(w, "started");
        }
    }

    // The texts of a run that ends well and of one that fails.
    void calibration()
    {
        emu::MeterEmulator line;
        emu::TimeBaseMeter meter(line);
        QVERIFY(emu::StartLink(line));
        for (const QByteArray& reading : {QByteArray("860000"), QByteArray("no number")}) {
            meter.failAt("B1", emu::Response::Text(reading));
            auto* w = platform::Load<live::frmCalib>();
            w->Show();
            Settle();
            Check(w, "ready");
            w->txtFreq->setText(QStringLiteral("900000"));
            QTest::keyClick(w->txtFreq, Qt::Key_Return);
            QCOMPARE(w->CurrentState(), live::frmCalib::State::Done);
            Check(w, "done, reading " + reading);
            platform::CloseAllForms();
            Settle();
        }
        emu::StopLink();
        meterlink::SetProgramFolder({});
    }

    // The menu view at the top of its rows and scrolled to their end, with
    // an item's help beside it.
    void menuView()
    {
        platform::Load<mainmenu::frmMMenu>()->Show();
        Settle();
        auto* view = static_cast<views::frmCtrMenu*>(platform::Load(QStringLiteral("frmCtrMenu")));
        view->Show();
        Settle();
        Check(view, "top");
        for (int top = 2; top < view->grdMain->Rows(); top += 3) {
            view->grdMain->SetTopRow(top);
            Settle();
            Check(view, QStringLiteral("row %1 on top").arg(top));
        }
        view->grdMain->SetRow(3);
        view->grdMain_Click();
        Settle();
        Check(platform::Find<help::frmAppHelp>(), "menu help");
    }

    void jumpers()
    {
        platform::Load<mainmenu::frmMMenu>()->Show();
        Settle();
        for (const views::JumperDesign& d : views::JumperDesigns()) {
            platform::Form* w = platform::Load(d.name);
            w->Show();
            Settle();
            Check(w, "shown");
        }
    }
};

QTEST_MAIN(TstWindowLayout)
#include "tst_window_layout.moc"
