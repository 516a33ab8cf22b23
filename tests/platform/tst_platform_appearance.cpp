// Colour numbers on every kind of control, per-window pointers, design fonts
// and the message-box seam.

#include "platform/Appearance.h"
#include "platform/Fonts.h"
#include "platform/MessageBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

using namespace platform;

namespace {

QWidget* Make(const QString& kind, QWidget* parent)
{
    if (kind == "label") return new QLabel(" 123.45", parent);
    if (kind == "text box") return new QLineEdit(parent);
    if (kind == "list") {
        auto c = new QComboBox(parent);
        c->addItems({" Adaptive", " Conventional"});
        return c;
    }
    if (kind == "button") return new QPushButton(parent);
    if (kind == "frame") return new QGroupBox(parent);
    if (kind == "check box") return new QCheckBox(parent);
    return new QWidget(parent);
}

// Flat areas show the colour itself. Shaded faces show a lighter tint: no
// channel darker than wanted, and channels keep their order (red stays red).
bool Resembles(const QColor& painted, const QColor& wanted, bool shaded)
{
    const int p[3] = {painted.red(), painted.green(), painted.blue()};
    const int w[3] = {wanted.red(), wanted.green(), wanted.blue()};
    for (int i = 0; i < 3; ++i) {
        if (!shaded && qAbs(p[i] - w[i]) > 4)
            return false;
        if (shaded && p[i] < w[i] - 12)
            return false;
        for (int j = 0; j < 3; ++j)
            if (w[i] - w[j] >= 30 && p[i] <= p[j])
                return false;
    }
    return true;
}

} // namespace

class TstPlatformAppearance : public QObject {
    Q_OBJECT
private slots:
    void backColorNumbers_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<uint>("number");
        QTest::addColumn<QColor>("color");
        const QList<QPair<uint, QColor>> colours = {
            {0x0000FFu, QColor(255, 0, 0)},     // red: red sits in the low byte
            {0xE0FFFFu, QColor(255, 255, 224)}, // light yellow
            {0xC0FFC0u, QColor(192, 255, 192)}, // pale green
        };
        for (const QString kind : {"label", "text box", "list", "button", "frame", "check box", "window"})
            for (const auto& [number, color] : colours)
                QTest::newRow(qPrintable(QString("%1 %2").arg(kind).arg(number, 6, 16, QChar('0'))))
                    << kind << number << color;
    }
    void backColorNumbers()
    {
        QFETCH(QString, kind);
        QFETCH(uint, number);
        QFETCH(QColor, color);
        QWidget window;
        window.resize(200, 100);
        QWidget* w = Make(kind, &window);
        w->setGeometry(10, 10, 150, 40);
        SetBackColor(w, number | 0x80000000u); // the top byte is not colour
        QCOMPARE(BackColor(w), quint32(number));

        // What is painted, not only what is stored: a pixel of the face.
        const QImage shot = w->grab().toImage();
        const QColor painted = shot.pixelColor(shot.width() * 2 / 3, shot.height() / 2);
        const bool shaded = kind == "button" || kind == "list"; // the style lightens faces
        QVERIFY2(Resembles(painted, color, shaded),
                 qPrintable(painted.name() + " painted, " + color.name() + " wanted"));
    }

    void foreColorIncludingGreyedList()
    {
        QComboBox list;
        SetForeColor(&list, 0xC0C0C0); // how a page greys a list
        list.setEnabled(false);
        QCOMPARE(ForeColor(&list), quint32(0xC0C0C0));
        QCOMPARE(list.palette().color(QPalette::Disabled, QPalette::ButtonText), QColor(192, 192, 192));
        QLabel label;
        SetForeColor(&label, 0x0000FF);
        QCOMPARE(label.palette().color(QPalette::WindowText), QColor(255, 0, 0));
        QCOMPARE(ForeColor(&label), quint32(0x0000FF));
    }

    void pointerBelongsToItsWindow()
    {
        QWidget menu, other;
        auto button = new QPushButton(&menu);
        SetMousePointer(button, MousePointer::Hourglass);
        QCOMPARE(GetMousePointer(&menu), MousePointer::Hourglass);
        QCOMPARE(menu.cursor().shape(), Qt::WaitCursor);
        QCOMPARE(GetMousePointer(&other), MousePointer::Default);
        SetMousePointer(&menu, MousePointer::Default);
        QCOMPARE(GetMousePointer(button), MousePointer::Default);
    }

    void designFaces_data()
    {
        QTest::addColumn<QString>("face");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<double>("points");
        QTest::newRow("Times New Roman") << "Times New Roman" << "Liberation Serif" << 10.5;
        QTest::newRow("Arial") << "Arial" << "Liberation Sans" << 9.75;
        QTest::newRow("Courier New") << "Courier New" << "Liberation Mono" << 8.25;
        QTest::newRow("MS Sans Serif") << "MS Sans Serif" << "Liberation Sans" << 8.25;
    }
    void designFaces()
    {
        QFETCH(QString, face);
        QFETCH(QString, shown);
        QFETCH(double, points);
        InstallFontSubstitutions();
        const QFont f = DesignFont(face, points, true);
        QCOMPARE(f.pointSizeF(), points);
        QVERIFY(f.bold());
        QCOMPARE(QFontInfo(f).family(), shown);
    }

    void answererTakesEveryBox()
    {
        QList<ShownMessage> seen;
        SetMsgAnswerer([&](const ShownMessage& m) {
            seen << m;
            return m.buttons == MsgButtons::OkCancel ? MsgResult::Cancel : MsgResult::Ok;
        });
        QCOMPARE(MsgBox("No Setup data loaded", "Continue"), MsgResult::Ok);
        QCOMPARE(MsgBox("Current data will be replaced.", QString(), MsgButtons::OkCancel),
                 MsgResult::Cancel);
        SetMsgAnswerer({});
        QCOMPARE(seen.size(), 2);
        QCOMPARE(seen[0].title, QString("Continue"));
        QCOMPARE(seen[0].icon, MsgIcon::Exclamation);
        QCOMPARE(seen[1].text, QString("Current data will be replaced."));
        QCOMPARE(seen[1].title, ProgramTitle()); // empty title: the program's own
        QVERIFY(!ProgramTitle().isEmpty());
    }

    void realBoxAnswers_data()
    {
        QTest::addColumn<int>("buttons");
        QTest::addColumn<int>("press");
        QTest::addColumn<int>("result");
        QTest::newRow("ok") << int(MsgButtons::Ok) << int(QMessageBox::Ok) << int(MsgResult::Ok);
        QTest::newRow("cancel") << int(MsgButtons::OkCancel) << int(QMessageBox::Cancel) << int(MsgResult::Cancel);
        QTest::newRow("ok of two") << int(MsgButtons::OkCancel) << int(QMessageBox::Ok) << int(MsgResult::Ok);
        QTest::newRow("no") << int(MsgButtons::YesNo) << int(QMessageBox::No) << int(MsgResult::No);
    }
    void realBoxAnswers()
    {
        QFETCH(int, buttons);
        QFETCH(int, press);
        QFETCH(int, result);
        QString title;
        QTimer::singleShot(0, [&] {
            auto box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            title = box->windowTitle();
            box->button(QMessageBox::StandardButton(press))->click();
        });
        QCOMPARE(int(MsgBox("text", QString(), MsgButtons(buttons))), result);
        QCOMPARE(title, ProgramTitle());
    }

    void beepsAreCounted()
    {
        const int before = BeepCount();
        Beep();
        QCOMPARE(BeepCount(), before + 1);
    }
};

QTEST_MAIN(TstPlatformAppearance)
#include "tst_platform_appearance.moc"
