// How long setup page 1 takes to show itself and to follow one choice, and
// how long pages 2 and 3 take to show themselves.
//
//   page-bench
//
// Shows the page on the default setup (its whole fill, with every list
// filled and selected and the item panels arranged), then picks another
// function (the choice that rebuilds the most: the item frames and every
// list of the new layout). Each is timed over a number of rounds; the
// median is reported, and the program fails when either median is 50 ms or
// more, the longest a user should wait for the page to follow a choice.

#include "pages/Windows.h"
#include "pages/frmSetup1.h"
#include "pages/frmSetup2.h"
#include "pages/frmSetup3.h"
#include "platform/Forms.h"
#include "platform/MessageBox.h"
#include "setup/DefaultImage.h"
#include "setup/ModeModel.h"
#include "setup/SetupImage.h"

#include <QApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr double LimitMs = 50.0;
constexpr int Rounds = 30;

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

void Settle()
{
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    platform::SetMsgAnswerer([](const platform::ShownMessage&) { return platform::MsgResult::Ok; });
    setup::InitTables();
    pages::RegisterWindows();
    setup::SetupA = setup::DefaultSetupAText;
    setup::SetupB = setup::DefaultSetupBText;
    setup::SetupChars = setup::DefaultSetupCharsText;

    std::vector<double> show, change;
    for (int round = 0; round < Rounds; ++round) {
        QElapsedTimer t;
        t.start();
        pages::frmSetup1::ShowPage();
        Settle();
        show.push_back(t.nsecsElapsed() / 1e6);

        auto* page = platform::Find<pages::frmSetup1>();
        const int target = round % 2 == 0 ? 11 : 0; // compound rate, and back
        t.restart();
        page->cboFunction->SetListIndex(page->FunctionListPos[target]);
        Settle();
        change.push_back(t.nsecsElapsed() / 1e6);
        page->hide();
    }

    // Page 2 on the default setup, as page 1's Next shows it (page 1 has
    // arranged the items it follows).
    std::vector<double> show2;
    for (int round = 0; round < Rounds; ++round) {
        QElapsedTimer t;
        t.start();
        pages::frmSetup2::ShowPage();
        Settle();
        show2.push_back(t.nsecsElapsed() / 1e6);
        platform::Find<pages::frmSetup2>()->hide();
    }
    const double show2Ms = Median(show2);

    // Page 3 on the default setup, as page 2's Next shows it.
    std::vector<double> show3;
    for (int round = 0; round < Rounds; ++round) {
        QElapsedTimer t;
        t.start();
        pages::frmSetup3::ShowPage();
        Settle();
        show3.push_back(t.nsecsElapsed() / 1e6);
        platform::Find<pages::frmSetup3>()->hide();
    }
    const double show3Ms = Median(show3);

    const double showMs = Median(show), changeMs = Median(change);
    std::printf("page 1 shown:    median %.2f ms over %d rounds\n", showMs, Rounds);
    std::printf("function change: median %.2f ms over %d rounds\n", changeMs, Rounds);
    std::printf("page 2 shown:    median %.2f ms over %d rounds\n", show2Ms, Rounds);
    std::printf("page 3 shown:    median %.2f ms over %d rounds\n", show3Ms, Rounds);
    const bool ok = showMs < LimitMs && changeMs < LimitMs && show3Ms < LimitMs
                    && show2Ms < LimitMs;
    if (!ok)
        std::printf("slower than %.0f ms\n", LimitMs);
    return ok ? 0 : 1;
}
