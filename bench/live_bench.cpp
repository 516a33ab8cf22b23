// The readings stream under load, with the list window open.
//
//   live-bench meter <folder> <port>    a meter on a pseudo-terminal linked as
//                                       <folder>/COM<port>, streaming records
//                                       back to back at 19200 baud after "A0";
//                                       runs until killed
//   live-bench program <folder> <port>  the program with the list window open
//                                       on that meter for 5 s: fails above 5%
//                                       of one core
//   live-bench backlog                  1 MB of records arriving at once (meter
//                                       in this process): fails unless all are
//                                       framed, in order, and the list shows
//                                       the newest within 1 s
//
// live-cpu.sh runs the first two as two processes, so that the meter's work
// is not counted as the program's, and then the third.

#include "link/CommControl.h"
#include "link/Exchange.h"
#include "link/Link.h"
#include "link/Wait.h"
#include "live/Readings.h"
#include "live/Windows.h"
#include "live/frmList.h"
#include "platform/Forms.h"
#include "platform/Grid.h"
#include "platform/MessageBox.h"
#include "setup/SetupImage.h"
#include "BenchKit.h"
#include "support/MeterEmulator.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTimer>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <sys/resource.h>

namespace {

constexpr double Limit = 0.05;

QByteArray Record(int n)
{
    return " " + QByteArray::number(n).rightJustified(6, '0') + "\r";
}

int runMeter(const QString& folder, int port)
{
    return bench::ServeMeter(folder, port, [](emu::MeterEmulator& meter) {
        // Back to back at 19200 baud: an 8-character record every 4.2 ms,
        // delivered a character at a time, the hardest case for the program
        // (a UART's FIFO or a USB adapter usually hands over several).
        meter.setBaud(19200);
        meter.setPacing(true);
        meter.setStream("A0", "A1", Record, 4);
    });
}

bool startLink(const QString& folder, int port, int baudIndex)
{
    platform::SetMsgAnswerer([](const platform::ShownMessage& m) {
        std::fprintf(stderr, "message: %s\n", qPrintable(m.text));
        return platform::MsgResult::Ok;
    });
    const QString line = emu::SettingsLineFor(baudIndex, port, '1', 0, 46, 1);
    QFile settings(folder + QStringLiteral("/Settings.SSS"));
    if (!settings.open(QIODevice::WriteOnly) || settings.write(line.toLatin1() + "\r\n") < 0)
        return false;
    settings.close();
    meterlink::SetProgramFolder(folder);
    meterlink::Main();
    if (!meterlink::Commx().PortOpen()) {
        std::fprintf(stderr, "program: the port did not open\n");
        return false;
    }
    live::RegisterWindows();
    return true;
}

live::frmList* openList()
{
    auto* w = static_cast<live::frmList*>(platform::Load(QStringLiteral("frmList")));
    w->Show();
    return w;
}

// The program's own event loop, as it runs while the list window is open.
void runFor(double seconds)
{
    QEventLoop loop;
    QTimer::singleShot(int(seconds * 1000), &loop, &QEventLoop::quit);
    loop.exec();
}

int runProgram(int argc, char** argv, const QString& folder, int port)
{
    QApplication app(argc, argv);
    if (!startLink(folder, port, 6))
        return 2;
    live::frmList* w = openList();
    long records = 0;
    QObject::connect(w->Reader(), &live::ReadingsReader::Records,
                     [&records](const QStringList& r) { records += r.size(); });
    runFor(1.0); // the stream under way

    const auto t0 = std::chrono::steady_clock::now();
    const double c0 = bench::CpuSeconds();
    const long r0 = records;
    runFor(5.0);
    const double cpu = bench::CpuSeconds() - c0;
    const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    const long got = records - r0;
    platform::Unload(w);
    meterlink::ClosePort();

    const double share = cpu / wall;
    // 19200 baud, 10 bits a character, 8 characters a record: 240 a second.
    const bool streaming = got > long(wall * 240 * 0.8);
    std::printf("list window, 19200 baud stream: wall %6.3f s   cpu %6.3f s   %5.2f %%   %ld records  %s\n",
                wall, cpu, 100.0 * share, got,
                share <= Limit && streaming ? "ok" : (streaming ? "OVER 5 %" : "RECORDS MISSING"));
    return share <= Limit && streaming ? 0 : 1;
}

int runBacklog(int argc, char** argv)
{
    QApplication app(argc, argv);
    emu::MeterEmulator meter(1);
    if (!meter.ok() || !startLink(meter.programFolder(), 1, 6))
        return 2;
    meter.setPacing(false);
    live::frmList* w = openList();
    QList<int> framed;
    QObject::connect(w->Reader(), &live::ReadingsReader::Records, [&framed](const QStringList& r) {
        for (const QString& s : r)
            framed << s.trimmed().toInt();
    });
    runFor(0.3); // "A0" has gone out and the reader waits

    QByteArray burst;
    int n = 0;
    while (burst.size() < 1024 * 1024)
        burst += Record(n++);
    const int last = n - 1;
    const QString lastShown = QString::fromLatin1(Record(last)).chopped(1);
    auto shown = [&] {
        for (int c = 0; c < w->grdList->Cols(); ++c)
            for (int r = 0; r < w->grdList->Rows(); ++r)
                if (w->grdList->TextMatrix(r, c) == lastShown)
                    return true;
        return false;
    };
    QElapsedTimer t;
    t.start();
    meter.send(burst);
    while (!shown() && t.elapsed() < 10000)
        meterlink::YieldOnce();
    const qint64 ms = t.elapsed();

    // The first record is taken for the tail of one joined mid-stream, the
    // second sizes the grid; every other one must come whole and in order.
    bool inOrder = framed.size() == n - 2;
    for (int i = 0; inOrder && i < framed.size(); ++i)
        inOrder = framed[i] == i + 2;
    platform::Unload(w);
    meterlink::ClosePort();
    const bool ok = inOrder && ms <= 1000;
    std::printf("1 MB backlog, %d records: shown after %lld ms, %d framed %s  %s\n", n,
                (long long)ms, int(framed.size()), inOrder ? "in order" : "LOST OR MERGED",
                ok ? "ok" : "FAILED");
    return ok ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 2 && std::strcmp(argv[1], "backlog") == 0)
        return runBacklog(argc, argv);
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s meter|program <folder> <port> | backlog\n", argv[0]);
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[2]);
    const int port = std::atoi(argv[3]);
    if (std::strcmp(argv[1], "meter") == 0)
        return runMeter(folder, port);
    if (std::strcmp(argv[1], "program") == 0)
        return runProgram(argc, argv, folder, port);
    std::fprintf(stderr, "unknown role %s\n", argv[1]);
    return 2;
}
