// The jumper windows opened from the main menu's Jumpers menu: captions,
// labels and pictures, OK and the close box, Print, and the help text of
// the power supply and interface board windows.

#include "support/FormTestKit.h"
#include "help/HelpBuild.h"
#include "help/HelpFiles.h"
#include "help/HelpState.h"
#include "help/HelpViewer.h"
#include "mainmenu/frmMMenu.h"
#include "platform/Appearance.h"
#include "platform/Printing.h"
#include "views/JumperDesigns.h"
#include "views/frmJumper.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

using emu::Settle;
using mainmenu::frmMMenu;
using views::frmJumper;

namespace {

struct Expected {
    QAction* frmMMenu::*item;
    const char* window;
    const char* caption;
    QList<QPair<const char*, const char*>> labels;
    QList<QPair<const char*, QSize>> pictures;
    QStringList shapes;
    const char* ok;
    int topic; // 0: a picture window, which hides the main menu
};

const char* const Rs485Pins = "6 ISO GND 5 BRX     4 ARX     3 ATX     2 BTX     1 ISO GND";

const QList<Expected>& AllWindows()
{
    static const QSize big(632, 432);
    static const QList<Expected> all{
        {&frmMMenu::mnuDual, "frmJDSC", "Dual Signal Conditioner Jumpers", {}, {{"imgDSC", big}}, {}, "cmdJDSC", 0},
        {&frmMMenu::mnuDualG, "frmJDSCG", "Dual Signal Conditioner Jumpers", {}, {{"imgDSC", big}}, {}, "cmdJDSCG", 0},
        {&frmMMenu::mnuVFConv, "frmJVF", "V-F Signal Conditioner Jumpers", {}, {{"imgVF", big}}, {}, "cmdOK", 0},
        {&frmMMenu::mnuVFConvE, "frmJVFE", "V-F Signal Conditioner Jumpers Rev E", {}, {{"imgVF", big}}, {}, "cmdOK", 0},
        {&frmMMenu::mnuQuad, "frmJQuad", "Quadrature Signal Conditioner Jumpers", {}, {{"imgQuad", big}}, {}, "cmdOK", 0},
        {&frmMMenu::mnuQuadC, "frmJQuadC", "Quadrature Signal Conditioner Jumpers - Revision C and above", {},
         {{"imgQuad", big}}, {}, "cmdOK", 0},
        {&frmMMenu::mnuPS, "frmJPS", "Power Supply Jumpers",
         {{"Label15", "Power Supply"}, {"Label1", "-1"}, {"Label2", "-11"}, {"Label3", "AC Hi (+DC Hi)"},
          {"Label4", "AC Lo (DC Ret)"}, {"Label5", "Earth Ground"}, {"Label6", "Digital In B (+5V)"},
          {"Label7", "1"}, {"Label8", "2"}, {"Label9", "3"}, {"Label10", "4"}, {"Label11", "Digital Input A"},
          {"Label12", "Digital Ground"}, {"Label13", "5"}, {"Label14", "6"}},
         {{"Image1", QSize(204, 52)}, {"Image2", QSize(67, 26)}, {"Image3", QSize(90, 56)}},
         {"Shape1", "Shape2", "Shape3", "Shape4", "Shape5", "Shape6", "Shape7", "Shape8", "Shape9", "Shape11",
          "Shape12", "Shape14"},
         "cmdOK", 1375},
        {&frmMMenu::mnuRS232F, "frmJRS232F", "RS232/485 Digital Interface Board  Rev F",
         {{"Label4", "Rev F"}, {"Label3", "6 5 4 3 2 1"}, {"Label7", "RS232   RS485  "}, {"Label2", "8-"},
          {"Label1", " 1-"}},
         {{"Image1", QSize(53, 106)}, {"Image3", QSize(95, 82)}},
         {"Shape1", "Shape3", "Shape12", "Shape14"}, "cmdOK", 1380},
        {&frmMMenu::mnuRS232G, "frmJRS232G", "RS232 Digital Interface Board Revision G",
         {{"Label8", "RJ11"}, {"Label4", "Rev G"},
          {"Label3", "6 N/C     5 ISO GND 4 RX      3 TX      2 RTS     1 N/C"}, {"Label7", "RS232/485   "},
          {"Label2", "8-"}, {"Label1", " 1-"}},
         {{"Image1", QSize(53, 106)}}, {"Shape1", "Shape12", "Shape14"}, "cmdOK", 1383},
        {&frmMMenu::mnuRS485G, "frmJRS485G", "RS485 Digital Interface Board Revision G",
         {{"Label3", Rs485Pins}, {"Label5", Rs485Pins}, {"Label6", "RJ11"}, {"Label8", "RJ11"}, {"Label4", "Rev G"},
          {"Label7", "RS232/485  "}, {"Label2", "8-"}, {"Label1", " 1-"}},
         {{"Picture2", QSize(75, 38)}, {"Picture3", QSize(38, 38)}, {"Picture5", QSize(54, 38)},
          {"Picture6", QSize(37, 38)}},
         {"Shape1", "Shape2", "Shape12", "Shape14"}, "cmdOK", 1384},
    };
    return all;
}

frmMMenu* ShowMenu()
{
    frmMMenu* w = platform::Load<frmMMenu>();
    w->Show();
    Settle();
    return w;
}

frmJumper* Open(frmMMenu* menu, const Expected& e)
{
    (menu->*e.item)->trigger();
    Settle();
    return qobject_cast<frmJumper*>(platform::Find(QString::fromLatin1(e.window)));
}

QPushButton* Button(QWidget* w, const char* name)
{
    return w->findChild<QPushButton*>(QString::fromLatin1(name));
}

// Distinct colours in a region of an image.
int Colours(const QImage& image, const QRect& r)
{
    QSet<QRgb> seen;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            seen.insert(image.pixel(x, y));
    return int(seen.size());
}

} // namespace

class TstJumpers : public QObject {
    Q_OBJECT

    QTemporaryDir helpDir_;
    QTemporaryDir emptyDir_;

    // Help files of group 13 with a text per board window, "$" marks in each.
    void WriteHelp()
    {
        QStringList errors;
        const auto topics = help::ParseHelpSource(
            "@@ 1375 ps\n$POWER$ text\nline two\n@@ 1380 f\n$REV F$ text\n@@ 1383 g\nRS232 G $x$\n"
            "@@ 1384 g485\nRS485 G text\n",
            &errors);
        QVERIFY(errors.isEmpty());
        for (const auto& files : help::BuildHelpFiles(topics)) {
            for (const auto& [name, bytes] :
                 {std::pair{help::HelpTextFileName(files.group), files.text},
                  std::pair{help::HelpIndexFileName(files.group), files.index}}) {
                QFile f(helpDir_.filePath(name));
                QVERIFY(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
            }
        }
    }

private slots:
    void initTestCase()
    {
        QVERIFY(helpDir_.isValid() && emptyDir_.isValid());
        WriteHelp();
    }
    void init() { help::SetHelpFolder(helpDir_.path()); }
    void cleanup()
    {
        platform::SetPrintToPdf(QString());
        platform::CloseAllForms();
        Settle();
    }

    // Each Jumpers item opens its window with the caption, labels, pictures
    // and shapes it was designed with; the main menu hides itself only for
    // the signal-conditioner pictures.
    void opensFromMenu()
    {
        for (const Expected& e : AllWindows()) {
            frmMMenu* menu = ShowMenu();
            frmJumper* w = Open(menu, e);
            QVERIFY2(w && w->isVisible(), e.window);
            QCOMPARE(w->windowTitle(), QString::fromLatin1(e.caption));
            QCOMPARE(menu->isVisible(), e.topic != 0);
            for (const auto& [name, text] : e.labels) {
                auto* label = w->findChild<QLabel*>(QString::fromLatin1(name));
                QVERIFY2(label && label->isVisible(), name);
                QCOMPARE(label->text(), QString::fromLatin1(text));
            }
            for (const auto& [name, size] : e.pictures) {
                auto* picture = w->findChild<QLabel*>(QString::fromLatin1(name));
                QVERIFY2(picture && !picture->pixmap().isNull(), name);
                QCOMPARE(picture->pixmap().size(), size);
                QCOMPARE(picture->size(), size);
                QVERIFY(!picture->accessibleDescription().isEmpty());
            }
            for (const QString& name : e.shapes)
                QVERIFY2(w->findChild<QWidget*>(name), qPrintable(name));
            QCOMPARE(Button(w, e.ok)->text(), "OK");
            QCOMPARE(Button(w, "cmdPrinter")->text(), "Print");
            QCOMPARE(w->findChild<QLabel*>("lblText") != nullptr, e.topic != 0);
            platform::CloseAllForms();
            Settle();
        }
    }

    // A picture window's OK brings the main menu back and stays loaded; the
    // main menu's activation then unloads the first-revision windows only.
    void pictureWindowsOk()
    {
        frmMMenu* menu = ShowMenu();
        for (const Expected& e : AllWindows().mid(0, 6)) {
            frmJumper* w = Open(menu, e);
            QVERIFY(w && !menu->isVisible());
            Button(w, e.ok)->click();
            QCOMPARE(platform::GetMousePointer(w), platform::MousePointer::Default);
            Settle();
            QVERIFY2(menu->isVisible(), e.window);
        }
        for (const char* gone : {"frmJDSC", "frmJVF", "frmJQuad"})
            QVERIFY2(!platform::IsLoaded(gone), gone);
        for (const char* kept : {"frmJDSCG", "frmJVFE", "frmJQuadC"})
            QVERIFY2(platform::IsLoaded(kept), kept);
    }

    // Closing a picture window by its close box must not leave the program
    // without a visible window.
    void pictureWindowCloseBox()
    {
        frmMMenu* menu = ShowMenu();
        frmJumper* w = Open(menu, AllWindows()[1]);
        QVERIFY(w && !menu->isVisible());
        w->close();
        Settle();
        QVERIFY(!platform::IsLoaded("frmJDSCG"));
        QVERIFY(menu->isVisible());
    }

    // The text windows show their own topic, "$" marks as blanks, the same
    // each time they become active; OK unloads them with the menu left up,
    // also when there was no help file to read.
    void textWindows()
    {
        const QStringList texts{" POWER  text\nline two", " REV F  text", "RS232 G  x ", "RS485 G text"};
        for (bool withFiles : {true, false}) {
            help::SetHelpFolder(withFiles ? helpDir_.path() : emptyDir_.path());
            for (int i = 0; i < 4; ++i) {
                const Expected& e = AllWindows()[6 + i];
                frmMMenu* menu = ShowMenu();
                frmJumper* w = Open(menu, e);
                QVERIFY(w && w->lblText);
                const QString expected = withFiles ? texts[i] : help::NoHelpText;
                QCOMPARE(w->lblText->text(), expected);
                QCOMPARE(help::HelpTopic, e.topic);
                QVERIFY(w->cmdOK->isEnabled());
                // Away to the main menu (which leaves it loaded) and back.
                menu->Show();
                Settle();
                QVERIFY(platform::IsLoaded(e.window));
                w->lblText->setText("stale");
                w->Show();
                Settle();
                QCOMPARE(w->lblText->text(), expected);
                w->cmdOK->click();
                Settle();
                QVERIFY2(!platform::IsLoaded(e.window), e.window);
                QVERIFY(menu->isVisible());
            }
        }
    }

    // Print writes the window, picture included, into the PDF.
    void print()
    {
        QTemporaryDir out;
        for (const Expected& e : AllWindows()) {
            frmJumper* w = Open(ShowMenu(), e);
            QVERIFY(w);
            const QString path = out.filePath(QString::fromLatin1(e.window) + ".pdf");
            platform::SetPrintToPdf(path);
            Button(w, "cmdPrinter")->click();
            QFile pdf(path);
            QVERIFY2(pdf.open(QIODevice::ReadOnly) && pdf.size() > 1000, e.window);
            QVERIFY(pdf.read(5) == "%PDF-");
            // What is printed is the window's grab: the pictures show in it.
            const QImage shot = w->grab().toImage();
            auto* picture = w->findChild<QLabel*>(QString::fromLatin1(e.pictures[0].first));
            QVERIFY(Colours(shot, picture->geometry().intersected(shot.rect())) >= 3);
        }
    }

    // The drawings keep to their sizes and colour depths; the signal
    // conditioners' to the sixteen standard colours.
    void drawings()
    {
        for (const views::JumperDesign& d : views::JumperDesigns())
            for (const views::JumperPicture& p : d.pictures) {
                const QImage image = views::DrawSketch(p.sketch);
                QCOMPARE(image.size(), p.sketch.size);
                QVERIFY(Colours(image, image.rect()) >= 3);
                if (p.sketch.sixteenColours)
                    QVERIFY(image.format() == QImage::Format_Indexed8 && image.colorCount() <= 16);
            }
    }

    // The pin lists are written ten characters a pin: each pin on a line.
    void pinListsOnePinPerLine()
    {
        frmJumper* w = Open(ShowMenu(), AllWindows()[9]);
        QVERIFY(w);
        for (const char* name : {"Label3", "Label5"}) {
            auto* label = w->findChild<QLabel*>(name);
            const int line = QFontMetrics(label->font()).lineSpacing();
            const int h = label->heightForWidth(label->width());
            QVERIFY2(h >= 6 * line && h < 7 * line, qPrintable(QString::number(h)));
            QVERIFY(label->height() >= h);
        }
    }
};

QTEST_MAIN(TstJumpers)
#include "tst_jumpers.moc"
