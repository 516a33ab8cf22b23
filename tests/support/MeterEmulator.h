#pragma once
// A stand-in for the meter on the far side of a real pseudo-terminal.
//
// The emulator links "COM<N>" in a program folder (a temporary one unless
// given) to its terminal, so the program reaches it as it reaches a real
// meter, and answers frames on a thread of its own. Answers are scripted per
// command: the key is the frame's text after "*" and the address character
// ("XR1AZ", "G130"), and also matches every longer command that starts with
// it ("WR1A" + data); the longest key wins. Unmatched frames get silence.
// Every frame is logged with the time it arrived.

#include <QByteArray>
#include <QString>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

class QTemporaryDir;

namespace emu {

using Clock = std::chrono::steady_clock;

struct Piece {
    QByteArray bytes;
    int delayMs = 0; // pause before the piece
};

struct Response {
    enum class Echo { None, OwnPiece, Joined }; // the frame and its CR sent back first

    std::vector<Piece> pieces;
    Echo echo = Echo::None;
    int echoGapMs = 30;  // pause after an echo sent as its own piece
    bool hangUp = false; // the line goes dead after the pieces

    // The parts gapMs apart; the caller puts the CR in.
    static Response Pieces(const std::vector<QByteArray>& parts, int gapMs);
    static Response Raw(const QByteArray& bytes) { return Pieces({bytes}, 0); }
    static Response Text(const QByteArray& text) { return Raw(text + '\r'); }
    static Response Silence() { return Response(); }
    static Response HangUp() { return Response().thenHangUp(); }

    Response& withEcho(Echo e, int gapMs = 30) { echo = e; echoGapMs = gapMs; return *this; }
    Response& thenHangUp() { hangUp = true; return *this; }
};

struct Frame {
    QByteArray raw;      // as received, without the CR
    char address = 0;    // the character after "*"
    QByteArray command;  // the text after "*" and the address
    double ms = 0;       // since the emulator started
    int programBaud = 0; // the rate the program's side was set to
};

class MeterEmulator {
public:
    explicit MeterEmulator(int portNo = 1, const QString& programFolder = QString());
    ~MeterEmulator();
    MeterEmulator(const MeterEmulator&) = delete;
    MeterEmulator& operator=(const MeterEmulator&) = delete;

    bool ok() const { return error_.isEmpty(); }
    QString errorText() const { return error_; }
    QString programFolder() const { return folder_; }
    int portNo() const { return portNo_; }

    using Handler = std::function<Response(const Frame&)>;
    void on(const QByteArray& command, Response response);
    void on(const QByteArray& command, Handler handler);
    // Answer only frames for this address (none: every address).
    void setAddress(std::optional<char> address);

    // With pacing on and a rate set, everything goes out one character at a
    // time at that rate, as a real line delivers it.
    void setBaud(int baud) { baud_ = baud; }
    void setPacing(bool on) { pacing_ = on; }
    // The rate the program set on its side of the line; 0 once it is dead.
    int programBaud() const;

    void send(const QByteArray& bytes); // now, unasked

    // Continuous readings: a frame whose command starts with startKey ("A0")
    // starts records make(0), make(1), ... every gapMs (0: back to back);
    // one that starts with stopKey ("A1") ends them. Both frames are logged
    // like any other and get no answer unless scripted.
    using RecordMaker = std::function<QByteArray(int n)>;
    void setStream(const QByteArray& startKey, const QByteArray& stopKey, RecordMaker make,
                   int gapMs);
    bool streaming() const { return streaming_; }
    int recordsSent() const { return recordsSent_; }
    void hangUp();                      // the program's side sees a hang-up

    std::vector<Frame> frames() const;

private:
    void run();
    void handle(const QByteArray& raw);
    bool pauseUntil(Clock::time_point t);
    bool writeOut(const QByteArray& bytes);
    bool writeRaw(const char* data, qsizetype n);
    void closeLine();

    int portNo_;
    QString folder_;
    QString link_;
    QString error_;
    std::unique_ptr<QTemporaryDir> tmp_;
    int master_ = -1;
    int slave_ = -1;
    const Clock::time_point t0_ = Clock::now();
    std::atomic<int> baud_{0};
    std::atomic<bool> pacing_{true};
    std::atomic<bool> stop_{false};
    std::atomic<bool> hangAsked_{false};
    std::atomic<bool> streaming_{false};
    std::atomic<int> recordsSent_{0};

    mutable std::mutex m_; // guards what follows and master_ against programBaud()
    std::condition_variable cv_;
    std::map<QByteArray, Handler> script_;
    std::optional<char> address_;
    QByteArray outbox_;
    QByteArray streamStart_, streamStop_;
    RecordMaker makeRecord_;
    int streamGapMs_ = 0;
    Clock::time_point nextRecord_;
    std::vector<Frame> log_;
    std::thread thread_;
};

// The meter's time base as the calibration sees it, on the emulated line:
// "X311" answers the scale factor and offset, "X124" the scale register,
// "B1" the item 1 reading; "W311", "W124" and "W12B" (the correction word)
// store what they carry and answer with a bare CR. Each write is also
// recorded as it came. Any of the commands can be told to answer otherwise
// (silence, a short or garbled answer, a hang-up): a write so told is still
// stored, as the meter took it before the line went.
struct TimeBase {
    QByteArray scale = "0DBBA0000064"; // scale factor and offset, 12 hex digits
    QByteArray scaleRegister = "0300";
    QByteArray correction = "0064";
    QByteArray reading = " 900123.";
};

class TimeBaseMeter {
public:
    explicit TimeBaseMeter(MeterEmulator& line, const TimeBase& start = TimeBase());
    TimeBase state() const;
    std::vector<QByteArray> writes() const; // commands as received, "W311..." and so on
    void failAt(const QByteArray& command, Response answer);

private:
    struct State; // shared with the line's handlers, which run on its thread
    std::shared_ptr<State> s_;
};

// A settings line of the 22-character form, with the given fields.
QString SettingsLineFor(int baudIndex, int portNo, char address = '1', int rs485 = 0,
                        int revision = 46, int open = 1);
// Writes content as "Settings.SSS" into folder; false on failure.
bool WriteSettings(const QString& folder, const QByteArray& content);

} // namespace emu
