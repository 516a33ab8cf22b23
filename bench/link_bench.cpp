// Measures the processor time the program spends while it waits for the
// meter. Two roles, run as two processes by link-cpu.sh so that the meter's
// work is not counted as the program's:
//
//   link-bench meter <folder> <port>    the meter, on a pseudo-terminal linked
//                                       as <folder>/COM<port>; runs until killed
//   link-bench program <folder> <port>  the program: a 3 s WaitForInput on a
//                                       silent line, then a Get-style exchange
//
// The program prints wall and processor time of each phase and fails when
// the processor time exceeds 5% of the wall time.

#include "link/CommControl.h"
#include "link/Exchange.h"
#include "link/Link.h"
#include "platform/MessageBox.h"
#include "BenchKit.h"
#include "support/MeterEmulator.h"

#include <QCoreApplication>
#include <QFile>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <sys/resource.h>

namespace {

constexpr double Limit = 0.05;

QByteArray hexDigits(int n)
{
    QByteArray s;
    for (int i = 0; i < n; ++i)
        s += "0123456789ABCDEF"[(i * 7 + 3) % 16];
    return s;
}

int runMeter(const QString& folder, int port)
{
    return bench::ServeMeter(folder, port, [](emu::MeterEmulator& meter) {
        // A meter at 9600 baud, every character on its own as a USB adapter
        // may deliver them.
        meter.setBaud(9600);
        meter.setPacing(true);
        meter.on("XR1AZ", emu::Response::Text(hexDigits(108)));
        meter.on("XH2BZ", emu::Response::Text(hexDigits(68)));
        meter.on("X46DZ", emu::Response::Text("2E030D0008000D00"));
        meter.on("G130", emu::Response::Text("19"));
        meter.on("G128", emu::Response::Text("80"));
    });
}

struct Phase {
    const char* name;
    double wall;
    double cpu;
};

template <typename F>
Phase measure(const char* name, F work)
{
    const auto t0 = std::chrono::steady_clock::now();
    const double c0 = bench::CpuSeconds();
    work();
    const double cpu = bench::CpuSeconds() - c0;
    const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    return {name, wall, cpu};
}

int runProgram(int argc, char** argv, const QString& folder, int port)
{
    QCoreApplication app(argc, argv);
    platform::SetMsgAnswerer([](const platform::ShownMessage& m) {
        std::fprintf(stderr, "message: %s\n", qPrintable(m.text));
        return platform::MsgResult::Ok;
    });
    const QString line = emu::SettingsLineFor(5, port, '1', 0, 46, 1);
    QFile settings(folder + QStringLiteral("/Settings.SSS"));
    if (!settings.open(QIODevice::WriteOnly) || settings.write(line.toLatin1() + "\r\n") < 0)
        return 2;
    settings.close();
    meterlink::SetProgramFolder(folder);
    meterlink::Main();
    if (!meterlink::Commx().PortOpen()) {
        std::fprintf(stderr, "program: the port did not open\n");
        return 2;
    }

    bool exchangesOk = true;
    auto exchange = [&](const char* command, int expectLength) {
        meterlink::Cmd = QStringLiteral("*1") + QLatin1String(command);
        meterlink::SendCommand();
        meterlink::ReceiveReply();
        if (meterlink::CommStatus != 0 || meterlink::Reply.size() != expectLength) {
            std::fprintf(stderr, "%s: status %d, %d characters\n", command, meterlink::CommStatus,
                         int(meterlink::Reply.size()));
            exchangesOk = false;
        }
    };

    const Phase phases[] = {
        measure("WaitForInput, silent line", [] { meterlink::WaitForInput(); }),
        measure("Get-style exchange", [&] {
            exchange("XR1AZ", 108);
            meterlink::Delay(1.0f);
            exchange("XH2BZ", 68);
            meterlink::Delay(1.0f);
            exchange("X46DZ", 16);
            meterlink::Delay(1.0f);
            exchange("G130", 2);
            meterlink::Delay(0.3f);
            exchange("G128", 2);
        }),
    };
    meterlink::ClosePort();

    bool ok = exchangesOk;
    for (const Phase& p : phases) {
        const double share = p.cpu / p.wall;
        std::printf("%-28s wall %6.3f s   cpu %6.3f s   %5.2f %%  %s\n", p.name, p.wall, p.cpu,
                    100.0 * share, share <= Limit ? "ok" : "OVER 5 %");
        ok = ok && share <= Limit;
    }
    return ok ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s meter|program <folder> <port>\n", argv[0]);
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
