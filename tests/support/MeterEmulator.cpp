#include "support/MeterEmulator.h"

#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

namespace emu {

using Ms = std::chrono::milliseconds;

Response Response::Pieces(const std::vector<QByteArray>& parts, int gapMs)
{
    Response r;
    for (const QByteArray& part : parts)
        r.pieces.push_back({part, r.pieces.empty() ? 0 : gapMs});
    return r;
}

MeterEmulator::MeterEmulator(int portNo, const QString& programFolder)
    : portNo_(portNo), folder_(programFolder)
{
    if (folder_.isEmpty()) {
        tmp_ = std::make_unique<QTemporaryDir>();
        folder_ = tmp_->path();
    }
    char name[256] = {};
    if (::openpty(&master_, &slave_, name, nullptr, nullptr) != 0) {
        error_ = QStringLiteral("openpty: ") + QString::fromLocal8Bit(std::strerror(errno));
        return;
    }
    // Raw from the start, so that nothing is translated before the program
    // sets its own modes. Our slave stays open: without it the master would
    // report a hang-up whenever the program has its side closed.
    termios t {};
    ::tcgetattr(slave_, &t);
    ::cfmakeraw(&t);
    ::cfsetspeed(&t, B9600);
    ::tcsetattr(slave_, TCSANOW, &t);
    ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);
    link_ = folder_ + QStringLiteral("/COM") + QString::number(portNo);
    QFile::remove(link_);
    if (!QFile::link(QString::fromLocal8Bit(name), link_)) {
        error_ = QStringLiteral("cannot make the link ") + link_;
        return;
    }
    thread_ = std::thread([this] { run(); });
}

MeterEmulator::~MeterEmulator()
{
    {
        std::lock_guard lock(m_);
        stop_ = true;
    }
    cv_.notify_all();
    if (thread_.joinable())
        thread_.join();
    closeLine();
    if (!link_.isEmpty())
        QFile::remove(link_);
}

void MeterEmulator::closeLine()
{
    std::lock_guard lock(m_);
    if (master_ >= 0) {
        ::close(master_);
        ::close(slave_);
    }
    master_ = slave_ = -1;
}

void MeterEmulator::on(const QByteArray& command, Response response)
{
    on(command, Handler([response](const Frame&) { return response; }));
}

void MeterEmulator::on(const QByteArray& command, Handler handler)
{
    std::lock_guard lock(m_);
    script_[command] = std::move(handler);
}

void MeterEmulator::setAddress(std::optional<char> address)
{
    std::lock_guard lock(m_);
    address_ = address;
}

int MeterEmulator::programBaud() const
{
    // Both sides of a pseudo-terminal share one set of modes.
    static const std::pair<speed_t, int> rates[] = {
        {B300, 300}, {B600, 600}, {B1200, 1200}, {B2400, 2400}, {B4800, 4800}, {B9600, 9600},
        {B19200, 19200}};
    std::lock_guard lock(m_);
    termios t {};
    if (master_ < 0 || ::tcgetattr(master_, &t) != 0)
        return 0;
    for (const auto& [speed, baud] : rates)
        if (speed == ::cfgetospeed(&t))
            return baud;
    return 0;
}

void MeterEmulator::send(const QByteArray& bytes)
{
    std::lock_guard lock(m_);
    outbox_ += bytes;
}

void MeterEmulator::setStream(const QByteArray& startKey, const QByteArray& stopKey,
                              RecordMaker make, int gapMs)
{
    std::lock_guard lock(m_);
    streamStart_ = startKey;
    streamStop_ = stopKey;
    makeRecord_ = std::move(make);
    streamGapMs_ = gapMs;
}

void MeterEmulator::hangUp()
{
    {
        std::lock_guard lock(m_);
        hangAsked_ = true;
    }
    cv_.notify_all();
}

std::vector<Frame> MeterEmulator::frames() const
{
    std::lock_guard lock(m_);
    return log_;
}

// False when the emulator stops or the line is hung up meanwhile.
bool MeterEmulator::pauseUntil(Clock::time_point t)
{
    std::unique_lock lock(m_);
    return !cv_.wait_until(lock, t, [this] { return stop_ || hangAsked_; });
}

// Only this thread closes master_ while the thread runs, so it reads it unlocked.
bool MeterEmulator::writeRaw(const char* data, qsizetype n)
{
    while (n > 0) {
        if (stop_ || hangAsked_ || master_ < 0)
            return false;
        const ssize_t w = ::write(master_, data, size_t(n));
        if (w > 0) {
            data += w;
            n -= w;
        } else if (w < 0 && errno != EAGAIN && errno != EINTR) {
            return false;
        } else {
            pollfd p {master_, POLLOUT, 0}; // the program does not read: wait for room
            ::poll(&p, 1, 20);
        }
    }
    return true;
}

bool MeterEmulator::writeOut(const QByteArray& bytes)
{
    const int baud = pacing_ ? baud_.load() : 0;
    if (baud <= 0)
        return writeRaw(bytes.constData(), bytes.size());
    // Ten bits a character: start, eight data bits, stop.
    const auto perChar = std::chrono::nanoseconds(10'000'000'000LL / baud);
    const auto start = Clock::now();
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (!pauseUntil(start + perChar * (i + 1)) || !writeRaw(bytes.constData() + i, 1))
            return false;
    }
    return true;
}

void MeterEmulator::handle(const QByteArray& raw)
{
    Frame f;
    f.raw = raw;
    f.ms = std::chrono::duration<double, std::milli>(Clock::now() - t0_).count();
    const bool framed = raw.startsWith('*') && raw.size() >= 2;
    f.address = framed ? raw.at(1) : 0;
    f.command = framed ? raw.mid(2) : raw;
    f.programBaud = programBaud();
    Handler handler;
    {
        std::lock_guard lock(m_);
        log_.push_back(f);
        if (address_ && f.address != *address_)
            return;
        if (makeRecord_ && !streamStart_.isEmpty() && f.command.startsWith(streamStart_)) {
            if (!streaming_)
                nextRecord_ = Clock::now();
            streaming_ = true;
        } else if (makeRecord_ && !streamStop_.isEmpty() && f.command.startsWith(streamStop_)) {
            streaming_ = false;
        }
        qsizetype bestLength = -1;
        for (const auto& [key, h] : script_) {
            if (f.command.startsWith(key) && key.size() > bestLength) {
                handler = h;
                bestLength = key.size();
            }
        }
    }
    if (!handler)
        return;
    Response r = handler(f);
    const QByteArray echo = raw + '\r';
    if (r.echo == Response::Echo::OwnPiece) {
        if (!r.pieces.empty())
            r.pieces.front().delayMs += r.echoGapMs;
        r.pieces.insert(r.pieces.begin(), Piece {echo, 0});
    } else if (r.echo == Response::Echo::Joined) {
        if (r.pieces.empty())
            r.pieces.push_back({});
        r.pieces.front().bytes.prepend(echo);
    }
    for (const Piece& piece : r.pieces) {
        if (!pauseUntil(Clock::now() + Ms(piece.delayMs)) || !writeOut(piece.bytes))
            return;
    }
    if (r.hangUp)
        closeLine();
}

void MeterEmulator::run()
{
    QByteArray buffer;
    while (!stop_) {
        if (hangAsked_)
            closeLine();
        QByteArray unasked;
        {
            std::lock_guard lock(m_);
            unasked.swap(outbox_);
        }
        if (!unasked.isEmpty())
            writeOut(unasked);
        int waitMs = 10;
        if (streaming_) {
            RecordMaker make;
            int gap = 0;
            Clock::time_point due;
            {
                std::lock_guard lock(m_);
                make = makeRecord_;
                gap = streamGapMs_;
                due = nextRecord_;
            }
            const auto now = Clock::now();
            if (make && now >= due) {
                // One record per turn, so that frames (an "A1") are read
                // between records even when they come back to back.
                if (writeOut(make(recordsSent_)))
                    ++recordsSent_;
                std::lock_guard lock(m_);
                nextRecord_ = std::max(due + Ms(gap), Clock::now());
                waitMs = 0;
            } else if (make) {
                waitMs = int(std::clamp<long long>(
                    std::chrono::duration_cast<Ms>(due - now).count(), 0, 10));
            }
        }
        // A short poll instead of a wake-up channel: stop, send and hang-up
        // are seen within 10 ms.
        pollfd p {master_, POLLIN, 0};
        if (::poll(&p, 1, waitMs) > 0 && (p.revents & POLLIN)) {
            char chunk[512];
            const ssize_t n = ::read(master_, chunk, sizeof chunk);
            if (n > 0)
                buffer.append(chunk, n);
        } else if (p.revents != 0) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        for (qsizetype cr; (cr = buffer.indexOf('\r')) >= 0; buffer.remove(0, cr + 1))
            handle(buffer.left(cr));
    }
}

struct TimeBaseMeter::State {
    std::mutex m;
    TimeBase now;
    std::vector<QByteArray> writes;
    std::map<QByteArray, Response> faults;
};

TimeBaseMeter::TimeBaseMeter(MeterEmulator& line, const TimeBase& start)
    : s_(std::make_shared<State>())
{
    s_->now = start;
    const std::shared_ptr<State> s = s_;
    const auto answer = [s](const QByteArray& key, Response normal) {
        const auto fault = s->faults.find(key);
        return fault == s->faults.end() ? normal : fault->second;
    };
    const auto read = [s, answer](const QByteArray& key, QByteArray TimeBase::*field) {
        return [s, answer, key, field](const Frame&) {
            std::lock_guard lock(s->m);
            return answer(key, Response::Text(s->now.*field));
        };
    };
    const auto write = [s, answer](const QByteArray& key, QByteArray TimeBase::*field) {
        return [s, answer, key, field](const Frame& f) {
            std::lock_guard lock(s->m);
            s->writes.push_back(f.command);
            s->now.*field = f.command.mid(key.size());
            return answer(key, Response::Text(QByteArray()));
        };
    };
    line.on("X311", read("X311", &TimeBase::scale));
    line.on("X124", read("X124", &TimeBase::scaleRegister));
    line.on("B1", read("B1", &TimeBase::reading));
    line.on("W311", write("W311", &TimeBase::scale));
    line.on("W124", write("W124", &TimeBase::scaleRegister));
    line.on("W12B", write("W12B", &TimeBase::correction));
}

TimeBase TimeBaseMeter::state() const
{
    std::lock_guard lock(s_->m);
    return s_->now;
}

std::vector<QByteArray> TimeBaseMeter::writes() const
{
    std::lock_guard lock(s_->m);
    return s_->writes;
}

void TimeBaseMeter::failAt(const QByteArray& command, Response answer)
{
    std::lock_guard lock(s_->m);
    s_->faults[command] = std::move(answer);
}

QString SettingsLineFor(int baudIndex, int portNo, char address, int rs485, int revision, int open)
{
    auto digits = [](int v, int n) { return QString::number(v).rightJustified(n, u'0'); };
    return QStringLiteral("0") + digits(baudIndex, 1) + digits(portNo, 2) + QStringLiteral("000")
        + QChar(address) + QStringLiteral("000") + digits(rs485, 1) + digits(revision, 3)
        + digits(open, 1) + QStringLiteral("000000");
}

bool WriteSettings(const QString& folder, const QByteArray& content)
{
    QFile f(folder + QStringLiteral("/Settings.SSS"));
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(content) == content.size();
}

} // namespace emu
