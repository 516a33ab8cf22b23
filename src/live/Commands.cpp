#include "live/Commands.h"

#include <QStringList>

namespace live {

int TermEachItem = 0;
std::array<QString, 5> ActiveItems;
int TimerTick = 0;

void SplitActiveItems(const QString& reply, bool withPeak)
{
    // Each answer item is about ten characters long: that is all the meter
    // tells of how many there are.
    const int n = int(reply.size() / 10) + 1;
    for (int i = 1; i <= 4; ++i)
        ActiveItems[i].clear();

    QStringList pieces;
    QString rest = reply;
    for (int k = 1; k <= n - 1; ++k) {
        // The next item begins at the next sign after this item's own.
        const QString tail = rest.mid(1);
        const qsizetype minus = tail.indexOf(u'-');
        const qsizetype blank = tail.indexOf(u' ');
        const qsizetype p = qMin(minus < 0 ? 100 : minus + 1, blank < 0 ? 100 : blank + 1);
        pieces << rest.left(p);
        rest = rest.mid(p);
    }
    pieces << rest; // the n-th piece

    if (withPeak) {
        for (int k = 1; k <= 3 && k < pieces.size(); ++k)
            ActiveItems[k] = pieces[k - 1];
        ActiveItems[4] = pieces.last();
    } else {
        for (int k = 1; k <= 4 && k <= pieces.size(); ++k)
            ActiveItems[k] = pieces[k - 1];
    }
}

bool Item3InUse(int mode, int function)
{
    return function == 2 || (function >= 11 && function <= 14) || (function == 15 && mode == 0);
}

} // namespace live
