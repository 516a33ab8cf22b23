#include "support/MeterEmulator.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <map>
#include <mutex>
#include <thread>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/eventfd.h>
#include <termios.h>
#include <unistd.h>

namespace emu {

// ---------------------------------------------------------------- Response

Response Response::Text(const QByteArray& text)
{
    Response r;
    r.pieces.push_back({text + '\r', 0});
    return r;
}

Response Response::Silence()
{
    return Response();
}

Response Response::Pieces(const std::vector<QByteArray>& parts, int gapMs)
{
    Response r;
    for (size_t i = 0; i < parts.size(); ++i)
        r.pieces.push_back({parts[i], i == 0 ? 0 : gapMs});
    return r;
}

Response Response::Raw(const QByteArray& bytes)
{
    Response r;
    r.pieces.push_back({bytes, 0});
    return r;
}

Response Response::HangUp()
{
    Response r;
    r.hangUp = true;
    return r;
}

Response& Response::withEcho(Echo e, int gapMs)
{
    echo = e;
    echoGapMs = gapMs;
    return *this;
}

Response& Response::pacedAt(int baud)
{
    paceBaud = baud;
    return *this;
}

Response& Response::thenHangUp()
{
    hangUp = true;
    return *this;
}

// ---------------------------------------------------------------- Impl

namespace {

int baudOfSpeed(speed_t s)
{
    static const std::pair<speed_t, int> table[] = {
        {B50, 50},       {B75, 75},       {B110, 110},     {B134, 134},     {B150, 150},
        {B200, 200},     {B300, 300},     {B600, 600},     {B1200, 1200},   {B1800, 1800},
        {B2400, 2400},   {B4800, 4800},   {B9600, 9600},   {B19200, 19200}, {B38400, 38400},
        {B57600, 57600}, {B115200, 115200}, {B230400, 230400},
    };
    for (const auto& [speed, baud] : table)
        if (speed == s)
            return baud;
    return 0;
}

} // namespace

struct MeterEmulator::Impl {
    int master = -1;
    int slave = -1;
    int wake = -1;
    int portNo = 1;
    std::unique_ptr<QTemporaryDir> tmp;
    QString folder;
    QString link;
    QString device;
    QString error;
    Clock::time_point t0 = Clock::now();

    mutable std::mutex m;
    mutable std::condition_variable cv;
    std::map<QByteArray, Handler> script;
    Handler fallback;
    std::optional<char> address;
    int baud = 0;
    bool pacing = true;
    bool requireMatch = false;
    bool lineEcho = false;
    std::deque<QByteArray> outbox;
    bool hangUpAsked = false;
    bool stop = false;
    bool dead = false;
    std::vector<Frame> log;
    RecordSource stream;
    int streamInterval = 0;
    int streamIndex = 0;
    Clock::time_point streamDue;
    std::thread thread;

    bool setUp(int port, const QString& givenFolder);
    void run();
    void poke();
    void handle(const QByteArray& raw);
    Handler lookup(const QByteArray& command);
    bool sleepFor(Clock::duration d);  // false when the line went dead or the emulator stops
    bool sleepUntil(Clock::time_point t);
    bool writeOut(const QByteArray& bytes, int pace);
    bool writeRaw(const char* data, qsizetype n);
    void goDead();
    int programBaud() const;
    void sendDueRecord();
};

void MeterEmulator::Impl::sendDueRecord()
{
    RecordSource source;
    int index = 0;
    int pace = 0;
    {
        std::lock_guard lock(m);
        if (!stream || dead || Clock::now() < streamDue)
            return;
        source = stream;
        index = streamIndex++;
        streamDue += std::chrono::milliseconds(streamInterval);
        pace = pacing ? baud : 0;
    }
    writeOut(source(index), pace);
}

bool MeterEmulator::Impl::setUp(int port, const QString& givenFolder)
{
    portNo = port;
    if (givenFolder.isEmpty()) {
        tmp = std::make_unique<QTemporaryDir>();
        if (!tmp->isValid()) {
            error = QStringLiteral("no temporary folder: %1").arg(tmp->errorString());
            return false;
        }
        folder = tmp->path();
    } else {
        folder = givenFolder;
    }
    char name[256] = {};
    if (::openpty(&master, &slave, name, nullptr, nullptr) != 0) {
        error = QStringLiteral("openpty: %1").arg(QString::fromLocal8Bit(strerror(errno)));
        return false;
    }
    device = QString::fromLocal8Bit(name);
    // Raw from the start, so that nothing is translated before the program
    // opens its side (the program sets its own modes then).
    termios t {};
    ::tcgetattr(slave, &t);
    ::cfmakeraw(&t);
    ::cfsetspeed(&t, B9600);
    ::tcsetattr(slave, TCSANOW, &t);
    ::fcntl(master, F_SETFL, ::fcntl(master, F_GETFL) | O_NONBLOCK);
    wake = ::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);

    link = folder + QStringLiteral("/COM") + QString::number(port);
    QFile::remove(link);
    if (!QFile::link(device, link)) {
        error = QStringLiteral("cannot make the link %1").arg(link);
        return false;
    }
    thread = std::thread([this] { run(); });
    return true;
}

void MeterEmulator::Impl::poke()
{
    const uint64_t one = 1;
    if (wake >= 0)
        (void)!::write(wake, &one, sizeof one);
    cv.notify_all();
}

int MeterEmulator::Impl::programBaud() const
{
    // A pseudo-terminal's modes are shared by both sides: what the master
    // reads is what the program set on its end.
    std::lock_guard lock(m);
    if (dead || master < 0)
        return 0;
    termios t {};
    if (::tcgetattr(master, &t) != 0)
        return 0;
    return baudOfSpeed(::cfgetospeed(&t));
}

void MeterEmulator::Impl::goDead()
{
    std::lock_guard lock(m);
    if (dead)
        return;
    dead = true;
    ::close(master);
    ::close(slave);
    master = slave = -1;
    cv.notify_all();
}

bool MeterEmulator::Impl::sleepUntil(Clock::time_point t)
{
    std::unique_lock lock(m);
    cv.wait_until(lock, t, [this] { return stop || hangUpAsked || dead; });
    return !(stop || hangUpAsked || dead);
}

bool MeterEmulator::Impl::sleepFor(Clock::duration d)
{
    return sleepUntil(Clock::now() + d);
}

bool MeterEmulator::Impl::writeRaw(const char* data, qsizetype n)
{
    while (n > 0) {
        int fd;
        {
            std::lock_guard lock(m);
            if (dead || stop)
                return false;
            fd = master;
        }
        const ssize_t w = ::write(fd, data, size_t(n));
        if (w > 0) {
            data += w;
            n -= w;
            continue;
        }
        if (w < 0 && errno != EAGAIN && errno != EINTR)
            return false;
        // The program does not read: wait for room, a little at a time so
        // that stopping is not held up.
        pollfd p {fd, POLLOUT, 0};
        ::poll(&p, 1, 20);
    }
    return true;
}

bool MeterEmulator::Impl::writeOut(const QByteArray& bytes, int pace)
{
    if (pace <= 0)
        return writeRaw(bytes.constData(), bytes.size());
    // Ten bits a character: start, eight data bits, stop.
    const auto perChar = std::chrono::nanoseconds(10'000'000'000LL / pace);
    const auto start = Clock::now();
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (!sleepUntil(start + perChar * (i + 1)))
            return false;
        if (!writeRaw(bytes.constData() + i, 1))
            return false;
    }
    return true;
}

MeterEmulator::Handler MeterEmulator::Impl::lookup(const QByteArray& command)
{
    std::lock_guard lock(m);
    const std::pair<const QByteArray, Handler>* best = nullptr;
    for (const auto& entry : script) {
        if (command.startsWith(entry.first) && (!best || entry.first.size() > best->first.size()))
            best = &entry;
    }
    return best ? best->second : fallback;
}

void MeterEmulator::Impl::handle(const QByteArray& raw)
{
    Frame f;
    f.raw = raw;
    f.at = Clock::now();
    f.ms = std::chrono::duration<double, std::milli>(f.at - t0).count();
    if (raw.startsWith('*') && raw.size() >= 2) {
        f.address = raw.at(1);
        f.command = raw.mid(2);
    } else {
        f.command = raw;
    }
    f.programBaud = programBaud();

    int pace;
    bool echoLine;
    bool answer = true;
    {
        std::lock_guard lock(m);
        pace = pacing ? baud : 0;
        echoLine = lineEcho;
        if (requireMatch && baud > 0 && f.programBaud != baud)
            answer = false;
        if (address && f.address != *address)
            answer = false;
    }
    if (echoLine)
        writeRaw((raw + '\r').constData(), raw.size() + 1);

    Handler h = answer ? lookup(f.command) : Handler();
    f.answered = bool(h);
    {
        std::lock_guard lock(m);
        log.push_back(f);
    }
    cv.notify_all();
    if (!h)
        return;

    const Response r = h(f);
    if (r.paceBaud)
        pace = *r.paceBaud;
    const QByteArray echo = raw + '\r';
    if (r.echo == Response::Echo::OwnPiece) {
        if (!writeOut(echo, pace) || !sleepFor(std::chrono::milliseconds(r.echoGapMs)))
            return;
    }
    if (r.echo == Response::Echo::Joined && r.pieces.empty())
        writeOut(echo, pace);
    for (size_t i = 0; i < r.pieces.size(); ++i) {
        if (r.pieces[i].delayMs > 0 && !sleepFor(std::chrono::milliseconds(r.pieces[i].delayMs)))
            return;
        QByteArray bytes = r.pieces[i].bytes;
        if (i == 0 && r.echo == Response::Echo::Joined)
            bytes.prepend(echo);
        if (!writeOut(bytes, pace))
            return;
    }
    if (r.hangUp)
        goDead();
}

void MeterEmulator::Impl::run()
{
    QByteArray buffer;
    for (;;) {
        int fd;
        {
            std::lock_guard lock(m);
            if (stop)
                return;
            fd = dead ? -1 : master;
        }
        int timeout = -1;
        {
            std::lock_guard lock(m);
            if (stream && !dead) {
                const auto left = std::chrono::ceil<std::chrono::milliseconds>(streamDue - Clock::now());
                timeout = int(std::max<std::chrono::milliseconds::rep>(left.count(), 0));
            }
        }
        pollfd fds[2] = {{fd, POLLIN, 0}, {wake, POLLIN, 0}};
        ::poll(fds, 2, timeout);
        sendDueRecord();
        if (fds[1].revents & POLLIN) {
            uint64_t n;
            (void)!::read(wake, &n, sizeof n);
        }
        std::deque<QByteArray> toSend;
        bool hang;
        {
            std::lock_guard lock(m);
            if (stop)
                return;
            toSend.swap(outbox);
            hang = hangUpAsked;
        }
        if (hang) {
            goDead();
            continue;
        }
        for (const QByteArray& bytes : toSend) {
            int pace;
            {
                std::lock_guard lock(m);
                pace = pacing ? baud : 0;
            }
            writeOut(bytes, pace);
        }
        if (fd < 0)
            continue;
        if (fds[0].revents & POLLIN) {
            char chunk[4096];
            const ssize_t n = ::read(fd, chunk, sizeof chunk);
            if (n > 0)
                buffer.append(chunk, n);
        } else if (fds[0].revents & (POLLHUP | POLLERR)) {
            // Nobody holds the program's side open; look again shortly.
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        qsizetype cr;
        while ((cr = buffer.indexOf('\r')) >= 0) {
            const QByteArray raw = buffer.left(cr);
            buffer.remove(0, cr + 1);
            handle(raw);
        }
    }
}

// ---------------------------------------------------------------- MeterEmulator

MeterEmulator::MeterEmulator(int portNo)
    : MeterEmulator(portNo, QString())
{
}

MeterEmulator::MeterEmulator(int portNo, const QString& programFolder)
    : d(std::make_unique<Impl>())
{
    d->setUp(portNo, programFolder);
}

MeterEmulator::~MeterEmulator()
{
    {
        std::lock_guard lock(d->m);
        d->stop = true;
    }
    d->poke();
    if (d->thread.joinable())
        d->thread.join();
    if (!d->dead) {
        if (d->master >= 0)
            ::close(d->master);
        if (d->slave >= 0)
            ::close(d->slave);
    }
    if (d->wake >= 0)
        ::close(d->wake);
    if (!d->link.isEmpty())
        QFile::remove(d->link);
}

bool MeterEmulator::ok() const { return d->error.isEmpty() && d->thread.joinable(); }
QString MeterEmulator::errorText() const { return d->error; }
QString MeterEmulator::programFolder() const { return d->folder; }
QString MeterEmulator::linkPath() const { return d->link; }
QString MeterEmulator::devicePath() const { return d->device; }
int MeterEmulator::portNo() const { return d->portNo; }
Clock::time_point MeterEmulator::started() const { return d->t0; }

void MeterEmulator::on(const QByteArray& command, Response response)
{
    on(command, Handler([response](const Frame&) { return response; }));
}

void MeterEmulator::on(const QByteArray& command, Handler handler)
{
    std::lock_guard lock(d->m);
    d->script[command] = std::move(handler);
}

void MeterEmulator::setDefault(Response response)
{
    setDefault(Handler([response](const Frame&) { return response; }));
}

void MeterEmulator::setDefault(Handler handler)
{
    std::lock_guard lock(d->m);
    d->fallback = std::move(handler);
}

void MeterEmulator::clearScript()
{
    std::lock_guard lock(d->m);
    d->script.clear();
    d->fallback = Handler();
}

void MeterEmulator::setAddress(std::optional<char> address)
{
    std::lock_guard lock(d->m);
    d->address = address;
}

void MeterEmulator::setBaud(int baud)
{
    std::lock_guard lock(d->m);
    d->baud = baud;
}

int MeterEmulator::baud() const
{
    std::lock_guard lock(d->m);
    return d->baud;
}

void MeterEmulator::setPacing(bool on)
{
    std::lock_guard lock(d->m);
    d->pacing = on;
}

void MeterEmulator::setRequireMatchingBaud(bool on)
{
    std::lock_guard lock(d->m);
    d->requireMatch = on;
}

int MeterEmulator::programBaud() const
{
    return d->programBaud();
}

void MeterEmulator::setLineEcho(bool on)
{
    std::lock_guard lock(d->m);
    d->lineEcho = on;
}

void MeterEmulator::send(const QByteArray& bytes)
{
    {
        std::lock_guard lock(d->m);
        d->outbox.push_back(bytes);
    }
    d->poke();
}

void MeterEmulator::hangUp()
{
    {
        std::lock_guard lock(d->m);
        d->hangUpAsked = true;
    }
    d->poke();
}

void MeterEmulator::startStream(RecordSource source, int intervalMs)
{
    {
        std::lock_guard lock(d->m);
        d->stream = std::move(source);
        d->streamInterval = std::max(intervalMs, 1);
        d->streamIndex = 0;
        d->streamDue = Clock::now();
    }
    d->poke();
}

void MeterEmulator::stopStream()
{
    std::lock_guard lock(d->m);
    d->stream = RecordSource();
}

bool MeterEmulator::streaming() const
{
    std::lock_guard lock(d->m);
    return bool(d->stream);
}

std::vector<Frame> MeterEmulator::frames() const
{
    std::lock_guard lock(d->m);
    return d->log;
}

void MeterEmulator::clearFrames()
{
    std::lock_guard lock(d->m);
    d->log.clear();
}

bool MeterEmulator::waitForFrames(size_t n, int timeoutMs) const
{
    std::unique_lock lock(d->m);
    return d->cv.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                          [this, n] { return d->log.size() >= n; });
}

// ---------------------------------------------------------------- helpers

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
