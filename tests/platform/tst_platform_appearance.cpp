// Colour numbers carry red in the low byte; the message-box seam.

#include "platform/Appearance.h"
#include "platform/MessageBox.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

using namespace platform;

class TstPlatformAppearance : public QObject {
    Q_OBJECT
private slots:
    void number255PaintsRed()
    {
        QWidget window;
        window.resize(200, 200);
        // Painted pixels, not stored values; styles shade button and list faces.
        for (QWidget* w : {(QWidget*)&window, (QWidget*)new QLabel("1", &window),
                           (QWidget*)new QPushButton(&window), (QWidget*)new QComboBox(&window)}) {
            if (w != &window)
                w->setGeometry(10, 10, 150, 40);
            SetBackColor(w, 0x0000FF);
            QCOMPARE(BackColor(w), quint32(0x0000FF));
            const QImage shot = w->grab().toImage();
            const QColor c = shot.pixelColor(shot.width() * 2 / 3, shot.height() / 2);
            QVERIFY2(c.red() > 200 && c.blue() < c.red() - 60, qPrintable(c.name()));
        }
    }

    void answererTakesTheBox()
    {
        ShownMessage seen;
        SetMsgAnswerer([&](const ShownMessage& m) { seen = m; return MsgResult::Cancel; });
        QCOMPARE(MsgBox("Current data will be replaced.", QString(), MsgButtons::OkCancel),
                 MsgResult::Cancel);
        SetMsgAnswerer({});
        QCOMPARE(seen.text, QString("Current data will be replaced."));
        QCOMPARE(seen.title, ProgramTitle()); // empty title: the program's own
        QCOMPARE(seen.icon, MsgIcon::Exclamation);
    }
};

QTEST_MAIN(TstPlatformAppearance)
#include "tst_platform_appearance.moc"
