// How long the menu view takes to build its rows and show itself.
//
//   menu-bench
//
// Opens the menu view on the default setup and on the setup, among a set of
// rich ones, that gives the most rows (every board fitted, extended meter,
// items with two values), closing it between rounds. Reports the median of
// each and fails when either is 100 ms or more.

#include "platform/Forms.h"
#include "platform/MessageBox.h"
#include "setup/DefaultImage.h"
#include "setup/ModeModel.h"
#include "setup/SetupImage.h"
#include "views/MenuRows.h"
#include "views/Windows.h"

#include <QApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr double LimitMs = 100.0;
constexpr int Rounds = 20;

void LoadDefault()
{
    setup::SetupA = setup::DefaultSetupAText;
    setup::SetupB = setup::DefaultSetupBText;
    setup::SetupChars = setup::DefaultSetupCharsText;
}

void Settle()
{
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// The richest of a few setups: all boards, extended, each function of the
// dual signal conditioner's rate mode.
QString RichestSetupB()
{
    QString best;
    size_t most = 0;
    for (int function = 0; function < 16; ++function) {
        LoadDefault();
        setup::SetSetupBits(6, 6, 57, 1); // relay board
        setup::SetSetupBits(5, 5, 57, 1); // analog output board
        setup::SetSetupBits(4, 3, 57, 2); // RS485 board
        setup::SetSetupBits(2, 0, 57, 1); // dual signal conditioner
        setup::SetSetupBits(3, 2, 49, 1); // extended
        setup::SetSetupBits(3, 0, 63, function);
        const size_t rows = views::BuildMenuRows().rows.size();
        if (rows > most)
            most = rows, best = setup::SetupB;
    }
    std::printf("richest setup: %zu rows\n", most);
    return best;
}

double MedianOpenMs(const QString& setupB)
{
    std::vector<double> ms;
    for (int round = 0; round < Rounds; ++round) {
        LoadDefault();
        setup::SetupB = setupB;
        QElapsedTimer t;
        t.start();
        platform::Form* view = platform::Load(QStringLiteral("frmCtrMenu"));
        view->Show();
        Settle();
        ms.push_back(t.nsecsElapsed() / 1e6);
        platform::Unload(view);
        Settle();
    }
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    platform::SetMsgAnswerer([](const platform::ShownMessage&) { return platform::MsgResult::Ok; });
    setup::InitTables();
    views::RegisterWindows();

    const double defaultMs = MedianOpenMs(setup::DefaultSetupBText);
    const double richMs = MedianOpenMs(RichestSetupB());
    std::printf("menu view, default setup: median %.2f ms over %d rounds\n", defaultMs, Rounds);
    std::printf("menu view, richest setup: median %.2f ms over %d rounds\n", richMs, Rounds);
    const bool ok = defaultMs < LimitMs && richMs < LimitMs;
    if (!ok)
        std::printf("slower than %.0f ms\n", LimitMs);
    return ok ? 0 : 1;
}
