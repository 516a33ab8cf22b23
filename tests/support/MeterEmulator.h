#pragma once
// A stand-in for the meter on the far side of a real pseudo-terminal.
//
// The emulator opens a pseudo-terminal pair, links "COM<N>" in a program
// folder of its own (a temporary one unless given) to the terminal's device,
// and answers the frames that arrive on its own thread. The program under
// test reaches it exactly as a user's program reaches a meter: settings file
// in its folder, port number N, COM<N> link to the device.
//
// What it answers is scripted per command: the key is the text of a frame
// after "*" and the address character ("XR1AZ", "G130"); a key also matches
// every longer command that starts with it ("WR1A" matches "WR1A" followed by
// the data), the longest key winning. Frames that match no key get the
// default response (silence unless set). Every frame is logged with the
// time it arrived.

#include <QByteArray>
#include <QString>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace emu {

using Clock = std::chrono::steady_clock;

// Part of a response: bytes written in one go after a pause.
struct Piece {
    QByteArray bytes;
    int delayMs = 0; // pause before the piece
};

struct Response {
    enum class Echo { None, OwnPiece, Joined };

    std::vector<Piece> pieces;
    Echo echo = Echo::None; // the frame and its CR sent back first
    int echoGapMs = 30;     // pause after an echo sent as its own piece
    bool hangUp = false;    // the line goes dead after the pieces
    // Pace these pieces at this rate, one character at a time (overrides
    // the emulator's own pacing; 0 = no pacing).
    std::optional<int> paceBaud;

    // text and a CR, in one piece.
    static Response Text(const QByteArray& text);
    // Nothing at all.
    static Response Silence();
    // The parts one after the other, gapMs apart; the caller puts the CR in.
    static Response Pieces(const std::vector<QByteArray>& parts, int gapMs);
    // Raw bytes, exactly as given.
    static Response Raw(const QByteArray& bytes);
    static Response HangUp();

    Response& withEcho(Echo e, int gapMs = 30);
    Response& pacedAt(int baud);
    Response& thenHangUp();
};

struct Frame {
    QByteArray raw;      // as received, without the CR
    char address = 0;    // the character after "*"; 0 for a frame without "*"
    QByteArray command;  // the text after "*" and the address (the whole frame without "*")
    Clock::time_point at;
    double ms = 0;       // since the emulator started
    int programBaud = 0; // the rate the program's side was set to when it arrived
    bool answered = false;
};

class MeterEmulator {
public:
    // A temporary program folder holding COM<portNo>.
    explicit MeterEmulator(int portNo = 1);
    // COM<portNo> in the given folder (it must exist and stays when done).
    MeterEmulator(int portNo, const QString& programFolder);
    ~MeterEmulator();
    MeterEmulator(const MeterEmulator&) = delete;
    MeterEmulator& operator=(const MeterEmulator&) = delete;

    bool ok() const;
    QString errorText() const;
    QString programFolder() const;
    QString linkPath() const;   // <folder>/COM<N>
    QString devicePath() const; // /dev/pts/..
    int portNo() const;

    // --- script ---
    using Handler = std::function<Response(const Frame&)>;
    void on(const QByteArray& command, Response response);
    void on(const QByteArray& command, Handler handler);
    void setDefault(Response response);
    void setDefault(Handler handler);
    void clearScript();
    // Answer only frames for this address character (none: every address).
    void setAddress(std::optional<char> address);

    // --- the meter's line ---
    // The meter's own rate. With pacing on, everything it sends goes out
    // one character at a time at this rate (a pseudo-terminal does not pace
    // by itself). 0 = no pacing.
    void setBaud(int baud);
    int baud() const;
    void setPacing(bool on);
    // Frames that arrive while the program's side is set to another rate
    // than baud() are logged but not answered, as a real meter would not
    // understand them.
    void setRequireMatchingBaud(bool on);
    // The rate the program set on its side of the line.
    int programBaud() const;
    // Send back every frame at once, as a two-wire line does.
    void setLineEcho(bool on);

    // Sends bytes now, unasked (paced as the line is).
    void send(const QByteArray& bytes);
    // A stream of records, one every intervalMs, as the meter sends its
    // readings after "A0": the source gives record number 0, 1, 2 ... with
    // its terminator. Can be started and stopped from a handler
    // (on("A0", ...) / on("A1", ...)) or from the test.
    using RecordSource = std::function<QByteArray(int index)>;
    void startStream(RecordSource source, int intervalMs);
    void stopStream();
    bool streaming() const;
    // The line goes dead: the program's side sees a hang-up.
    void hangUp();

    // --- log ---
    std::vector<Frame> frames() const;
    void clearFrames();
    // Blocks the calling thread (and so the program's event loop, when it
    // is that thread) until n frames are logged; false on timeout.
    bool waitForFrames(size_t n, int timeoutMs) const;
    Clock::time_point started() const;

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

// A settings line of the 22-character form, with the given fields.
QString SettingsLineFor(int baudIndex, int portNo, char address = '1', int rs485 = 0,
                        int revision = 46, int open = 1);
// Writes "Settings.SSS" into folder (CR LF after the line); false on failure.
bool WriteSettings(const QString& folder, const QByteArray& content);

} // namespace emu
