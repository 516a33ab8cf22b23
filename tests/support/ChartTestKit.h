#pragma once
// What the plot and graph window tests share: opening a chart window over
// the main menu, typing a scale, the frames the meter received, and reading
// the picture's journal.

#include "live/ChartWindow.h"
#include "mainmenu/frmMMenu.h"
#include "platform/PictureBox.h"
#include "support/FormTestKit.h"
#include "support/MeterEmulator.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

namespace emu {

using Drawn = platform::PictureBox::Drawn;

template <class T> T* OpenChart(const QString& name)
{
    auto* menu = platform::Load<mainmenu::frmMMenu>();
    menu->Show();
    Settle();
    auto* w = static_cast<T*>(platform::Load(name));
    w->Show();
    return w;
}

// Types the three entry texts (after the blanks the entry leaves in them),
// moving on with Enter, and presses OK with Enter.
inline void TypeScale(live::ChartWindow* w, QLineEdit* third, const QString& mid,
                      const QString& small, const QString& thirdText)
{
    QTest::keyClicks(w->txtMidVal, mid);
    QTest::keyClick(w->txtMidVal, Qt::Key_Return);
    QTest::keyClicks(w->txtSmallVal, small);
    QTest::keyClick(w->txtSmallVal, Qt::Key_Return);
    QTest::keyClicks(third, thirdText);
    QTest::keyClick(third, Qt::Key_Return);
    QTest::keyClick(w->cmdOK, Qt::Key_Return);
}

inline QStringList RawFrames(const MeterEmulator& line)
{
    QStringList out;
    for (const Frame& f : line.frames())
        out << QString::fromLatin1(f.raw);
    return out;
}

// The journal's entries of one kind, from the index given on.
inline QList<Drawn> Items(const platform::PictureBox* p, Drawn::Kind kind, qsizetype from = 0)
{
    QList<Drawn> out;
    const QList<Drawn>& all = p->Journal();
    for (qsizetype i = from; i < all.size(); ++i)
        if (all[i].kind == kind)
            out << all[i];
    return out;
}

inline QStringList Texts(const platform::PictureBox* p, qsizetype from = 0)
{
    QStringList out;
    for (const Drawn& d : Items(p, Drawn::Kind::Text, from))
        out << d.text;
    return out;
}

inline bool Near(double a, double b)
{
    return qAbs(a - b) < 1e-6;
}

} // namespace emu
