// The menu view window: opened from the main menu with the rows of the
// image, help from a row in the modeless help window, the overlays following
// their rows while the grid scrolls, leaving by Main Menu or the close box,
// and printing.

#include "help/HelpState.h"
#include "help/HelpViewer.h"
#include "help/frmAppHelp.h"
#include "mainmenu/frmMMenu.h"
#include "platform/Appearance.h"
#include "platform/Grid.h"
#include "platform/MessageBox.h"
#include "platform/Printing.h"
#include "platform/Twips.h"
#include "setup/DefaultImage.h"
#include "setup/ModeModel.h"
#include "setup/SetupImage.h"
#include "support/FormTestKit.h"
#include "views/frmCtrMenu.h"
#include "support/ImageKit.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

using help::frmAppHelp;
using platform::Px;
using views::frmCtrMenu;

namespace {

using emu::Bits;
using emu::LoadDefault;

mainmenu::frmMMenu* ShowMainMenu()
{
    auto* menu = platform::Load<mainmenu::frmMMenu>();
    menu->Show();
    emu::Settle();
    return menu;
}

frmCtrMenu* OpenView()
{
    ShowMainMenu();
    auto* w = static_cast<frmCtrMenu*>(platform::Load(QStringLiteral("frmCtrMenu")));
    w->Show();
    emu::Settle();
    return w;
}

void ClickCell(platform::Grid* g, int row, int col)
{
    const QRect cell = g->visualRect(g->model()->index(row, col));
    QVERIFY(cell.isValid() && g->viewport()->rect().contains(cell.center()));
    QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, cell.center());
    emu::Settle();
}

frmAppHelp* HelpWindow() { return platform::Find<frmAppHelp>(); }

bool Shown(const QWidget* w) { return w && !w->isHidden(); }

// Where an overlay belongs for a row with the grid scrolled to topRow.
int OverlayY(int row, int topRow) { return Px((row - topRow) * 270 + 440); }

// Notes the main menu's pointer while the menu view loads.
class ProbeView : public frmCtrMenu {
public:
    static inline platform::MousePointer pointerAtLoad = platform::MousePointer::Default;

protected:
    void Form_Load() override
    {
        if (platform::Form* menu = platform::Find(QStringLiteral("frmMMenu")))
            pointerAtLoad = platform::GetMousePointer(menu);
        frmCtrMenu::Form_Load();
    }
};

} // namespace

class TstCtrMenu : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        setup::InitTables();
        platform::SetMsgAnswerer([](const platform::ShownMessage&) { return platform::MsgResult::Ok; });
    }
    void init() { LoadDefault(); }
    void cleanup()
    {
        platform::SetPrintToPdf({});
        platform::CloseAllForms();
        emu::Settle();
        help::CtrMenuLoaded = 0;
    }

    void openedFromMainMenu()
    {
        auto* menu = ShowMainMenu();
        platform::RegisterForm(QStringLiteral("frmCtrMenu"), [] { return new ProbeView(); });
        ProbeView::pointerAtLoad = platform::MousePointer::Default;
        menu->mnuMenu->trigger();
        emu::Settle();
        auto* w = platform::Find<frmCtrMenu>();
        QVERIFY(Shown(w));
        QVERIFY(Shown(menu));
        QCOMPARE(help::CtrMenuLoaded, 1);
        QVERIFY(QTest::qWaitForWindowExposed(w));
        emu::Settle();
        QVERIFY(!platform::IsLoaded<frmAppHelp>() || !platform::Find<frmAppHelp>()->isVisible());
        // Hourglass while the view built itself, the arrow again after.
        QCOMPARE(ProbeView::pointerAtLoad, platform::MousePointer::Hourglass);
        QCOMPARE(platform::GetMousePointer(menu), platform::MousePointer::Default);
        platform::RegisterForm(QStringLiteral("frmCtrMenu"), [] { return new frmCtrMenu(); });

        // The rows of the image, a sample.
        QCOMPARE(w->grdMain->TextMatrix(5, 0), " GAtE t");
        QCOMPARE(w->grdMain->TextMatrix(5, 5), " 0.");
        QCOMPARE(w->grdMain->TextMatrix(30, 0), ""); // past the items
        QCOMPARE(w->grdInput->TextMatrix(0, 3), " b");
        QCOMPARE(w->grdSetPt->TextMatrix(2, 3), " 2");
        QVERIFY(Shown(w->grdInput) && Shown(w->grdScale1) && Shown(w->grdScale2));
        QVERIFY(Shown(w->lblNoChange));
        QCOMPARE(w->lblNoChange->y(), OverlayY(25, 1));
        QCOMPARE(w->grdScale2->y(), OverlayY(13, 1));
        QCOMPARE(w->grdMain->verticalScrollBarPolicy(), Qt::ScrollBarAsNeeded); // 29 rows

        // Main Menu: back to the main menu, which unloads the view.
        w->cmdMainMenu->click();
        emu::Settle();
        QVERIFY(!platform::Find<frmCtrMenu>());
        QCOMPARE(help::CtrMenuLoaded, 0);
    }

    void fewRows()
    {
        // No boards, no relay: a short menu, no scrolling, no setpoints,
        // no second item.
        Bits(7, 0, 57, 0);
        Bits(7, 0, 63, 0x01);
        auto* w = OpenView();
        QCOMPARE(w->grdMain->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        QVERIFY(!Shown(w->grdScale2));
        QCOMPARE(w->grdSetPt->TextMatrix(1, 0), "");
        QCOMPARE(w->lblSigCond->text(), " None");
    }

    void helpFromRows()
    {
        auto* w = OpenView();
        const QPoint corner = w->frameGeometry().topLeft();
        ClickCell(w->grdMain, 5, 3); // GAtE t
        frmAppHelp* helpWindow = HelpWindow();
        QVERIFY(Shown(helpWindow));
        QCOMPARE(help::HelpTopic, 2106);
        QCOMPARE(helpWindow->windowTitle(), "Menu Help");
        QCOMPARE(helpWindow->x(), corner.x() + Px(5895));

        // Another row straight after: its own topic.
        ClickCell(w->grdMain, 25, 3);
        QCOMPARE(help::HelpTopic, 2137);

        // OK takes the highlight off the grid and hides the help.
        QVERIFY(!w->grdMain->selectedItems().isEmpty());
        helpWindow->cmdOK_Click();
        emu::Settle();
        QVERIFY(w->grdMain->selectedItems().isEmpty());
        QVERIFY(!Shown(helpWindow));

        // The header strips: the alarm grid's header has a topic, the main
        // grid's has none.
        help::HelpTopic = 7;
        emit w->grdMain->horizontalHeader()->sectionClicked(2);
        QCOMPARE(help::HelpTopic, 7);
        QVERIFY(!Shown(helpWindow));
        emit w->grdSetPt->horizontalHeader()->sectionClicked(0);
        QCOMPARE(help::HelpTopic, 2172);
        helpWindow->cmdOK_Click();

        // Setpoints: each its own topic; the grid goes back to its header
        // row without showing the header's topic.
        ClickCell(w->grdSetPt, 2, 4);
        QCOMPARE(help::HelpTopic, 2174);
        QCOMPARE(w->grdSetPt->Row(), 0);
        QCOMPARE(helpWindow->y(), corner.y() + Px(6120));
        QCOMPARE(helpWindow->x(), corner.x());
        ClickCell(w->grdSetPt, 1, 0);
        QCOMPARE(help::HelpTopic, 2173);
    }

    void helpOnlyForRowsThatExist()
    {
        // Alarm 1 disabled: SETPT2 in the first row, with SETPT2's topic.
        Bits(1, 0, 67, 2);
        Bits(7, 0, 63, 0x01);
        Bits(4, 3, 57, 0);
        auto* w = OpenView();
        ClickCell(w->grdSetPt, 1, 0);
        QCOMPARE(w->grdSetPt->TextMatrix(1, 0), " SETPT2");
        QCOMPARE(help::HelpTopic, 2174);
        HelpWindow()->cmdOK_Click();
        emu::Settle();

        // Below the items, and the setpoint grid's empty row: no help.
        const int items = int(w->Rows().rows.size());
        QVERIFY(items < 25);
        help::HelpTopic = 7;
        ClickCell(w->grdMain, items + 2, 3);
        ClickCell(w->grdSetPt, 2, 3);
        QCOMPARE(help::HelpTopic, 7);
        QVERIFY(!Shown(HelpWindow()));
    }

    void scrollingOverlays()
    {
        auto* w = OpenView(); // default: SCALE1 row 11, SCALE2 13, CALib 25
        QCOMPARE(w->VisibleItemRows(), 28);
        w->grdMain->SetTopRow(2);
        emu::Settle();
        QVERIFY(!Shown(w->grdInput));
        QVERIFY(Shown(w->grdScale1));
        QCOMPARE(w->grdScale1->y(), OverlayY(11, 2));
        w->grdMain->SetTopRow(12);
        emu::Settle();
        QVERIFY(!Shown(w->grdScale1));
        QVERIFY(Shown(w->grdScale2));
        QCOMPARE(w->grdScale2->y(), OverlayY(13, 12));
        QCOMPARE(w->lblNoChange->y(), OverlayY(25, 12));
        w->grdMain->SetTopRow(26);
        emu::Settle();
        QVERIFY(!Shown(w->grdScale2));
        QVERIFY(!Shown(w->lblNoChange));
        w->grdMain->SetTopRow(1);
        emu::Settle();
        QVERIFY(Shown(w->grdInput) && Shown(w->grdScale1) && Shown(w->grdScale2));
        QVERIFY(Shown(w->lblNoChange));
        // A help click after scrolling still finds the row's own item.
        w->grdMain->SetTopRow(20);
        emu::Settle();
        ClickCell(w->grdMain, 25, 2);
        QCOMPARE(help::HelpTopic, 2137);
    }

    void longMenu()
    {
        // Rate A+B with coordinates for both items: 34 rows, CALib in row 30,
        // below what the grid shows at first.
        Bits(7, 0, 63, 0x0B);
        Bits(5, 4, 61, 3);
        auto* w = OpenView();
        QCOMPARE(int(w->Rows().rows.size()), 34);
        QCOMPARE(w->Rows().calibRow, 30);
        QVERIFY(!Shown(w->grdScale1)); // no SCALE1 row at all
        QVERIFY(!Shown(w->lblNoChange));
        w->grdMain->SetTopRow(5);
        emu::Settle();
        QVERIFY(Shown(w->lblNoChange));
        QCOMPARE(w->lblNoChange->y(), OverlayY(30, 5));
        // The last item can be brought into view.
        w->grdMain->SetTopRow(34);
        emu::Settle();
        QCOMPARE(w->grdMain->TopRow(), 34);
        QCOMPARE(w->grdMain->TextMatrix(34, 0), "  Loc 4");
        ClickCell(w->grdMain, 34, 0);
        QCOMPARE(help::HelpTopic, 2141);
    }

    // CALib in row 29, only partly in sight below row 28: its label is
    // hidden from the first showing on, as it is after scrolling back.
    void overlayOfPartlyShownRow()
    {
        Bits(7, 0, 63, 0x00);
        Bits(5, 4, 61, 3);
        auto* w = OpenView();
        QCOMPARE(w->Rows().calibRow, 29);
        QCOMPARE(w->VisibleItemRows(), 28);
        QVERIFY(!Shown(w->lblNoChange));
        w->grdMain->SetTopRow(2);
        emu::Settle();
        QVERIFY(Shown(w->lblNoChange));
        w->grdMain->SetTopRow(1);
        emu::Settle();
        QVERIFY(!Shown(w->lblNoChange));
    }

    void closeBox()
    {
        auto* w = OpenView();
        ClickCell(w->grdMain, 2, 2);
        QVERIFY(Shown(HelpWindow()));
        w->close();
        emu::Settle();
        QVERIFY(!platform::Find<frmCtrMenu>());
        QCOMPARE(help::CtrMenuLoaded, 0);
        QVERIFY(!help::ResetMenuViewGrid);
        QVERIFY(Shown(platform::Find<mainmenu::frmMMenu>()));
        // The help window outlives the view; its OK has no grid to act on.
        help::CtrMenuLoaded = 1; // even if someone still said so
        HelpWindow()->cmdOK_Click();
        emu::Settle();
        QVERIFY(!Shown(HelpWindow()));
    }

    void print()
    {
        QTemporaryDir dir;
        const QString pdf = dir.filePath("menu.pdf");
        platform::SetPrintToPdf(pdf);
        auto* w = OpenView();
        w->cmdPrinter->click();
        QFile f(pdf);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QVERIFY(f.size() > 1000);
        QCOMPARE(f.read(5), QByteArray("%PDF-"));
        QVERIFY(Shown(w));
    }
};

QTEST_MAIN(TstCtrMenu)
#include "tst_ctrmenu.moc"
