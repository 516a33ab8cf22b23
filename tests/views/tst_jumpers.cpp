// The jumper windows opened from the main menu's Jumpers menu: pictures,
// OK and the close box, Print, and the help text of
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
    const char* picture; // the first picture and its size
    QSize size;
    const char* ok;
    int topic; // 0: a picture window, which hides the main menu
};

const QList<Expected>& AllWindows()
{
    static const QSize big(632, 432);
    static const QList<Expected> all{
        {&frmMMenu::mnuDual, "frmJDSC", "imgDSC", big, "cmdJDSC", 0},
        {&frmMMenu::mnuDualG, "frmJDSCG", "imgDSC", big, "cmdJDSCG", 0},
        {&frmMMenu::mnuVFConv, "frmJVF", "imgVF", big, "cmdOK", 0},
        {&frmMMenu::mnuVFConvE, "frmJVFE", "imgVF", big, "cmdOK", 0},
        {&frmMMenu::mnuQuad, "frmJQuad", "imgQuad", big, "cmdOK", 0},
        {&frmMMenu::mnuQuadC, "frmJQuadC", "imgQuad", big, "cmdOK", 0},
        {&frmMMenu::mnuPS, "frmJPS", "Image1", QSize(204, 52), "cmdOK", 1375},
        {&frmMMenu::mnuRS232F, "frmJRS232F", "Image1", QSize(53, 106), "cmdOK", 1380},
        {&frmMMenu::mnuRS232G, "frmJRS232G", "Image1", QSize(53, 106), "cmdOK", 1383},
        {&frmMMenu::mnuRS485G, "frmJRS485G", "Picture2", QSize(75, 38), "cmdOK", 1384},
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

    // Each Jumpers item opens its window with its picture and buttons; the
    // main menu hides itself only for the signal-conditioner pictures.
    void opensFromMenu()
    {
        for (const Expected& e : AllWindows()) {
            frmMMenu* menu = ShowMenu();
            frmJumper* w = Open(menu, e);
            QVERIFY2(w && w->isVisible(), e.window);
            QCOMPARE(menu->isVisible(), e.topic != 0);
            auto* picture = w->findChild<QLabel*>(QString::fromLatin1(e.picture));
            QVERIFY2(picture && !picture->pixmap().isNull(), e.picture);
            QCOMPARE(picture->pixmap().size(), e.size);
            QVERIFY(!picture->accessibleDescription().isEmpty());
            QVERIFY(Button(w, e.ok) && Button(w, "cmdPrinter"));
            QCOMPARE(w->findChild<QLabel*>("lblText") != nullptr, e.topic != 0);
            if (e.topic == 1375) // a sample of the labels
                QCOMPARE(w->findChild<QLabel*>("Label3")->text(), QString("AC Hi (+DC Hi)"));
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
        for (const Expected& e : {AllWindows()[0], AllWindows()[9]}) {
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
            auto* picture = w->findChild<QLabel*>(QString::fromLatin1(e.picture));
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
        // The RS-232 board's jack: the meter receives on pin 4, sends on pin 3.
        frmJumper* rs232 = Open(ShowMenu(), AllWindows()[8]);
        QVERIFY(rs232->findChild<QLabel*>("Label3")->text().simplified().contains("4 RX 3 TX 2 RTS"));
    }
};

QTEST_MAIN(TstJumpers)
#include "tst_jumpers.moc"
