#pragma once
// The meter's continuous readings: after "A0" it sends record after record
// until "A1". The list, plot and graph windows all read the stream the same
// way; what is shared lives here, apart from any window:
//
//  - the port settings a readings window applies when it loads (they stay
//    for the rest of the run);
//  - the record terminators the setup image asks for (SetRecordTerminators);
//  - RecordFramer, which cuts received text into records;
//  - ReadingsReader, which feeds the framer from the program's port as input
//    arrives (no loop of its own: the port's input notice and a slow timer
//    wake it), and hands the windows whole records.
//
// Every whole record is passed on, in order; a window that cannot show
// them all drops what it must itself.

#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <optional>

namespace live {

// The character that ends a record, and the start character of a record
// when the meter frames records with start and stop characters (else the
// character with code 0; empty when the start character ends the records).
extern QString Terminator1;
extern QString Terminator2;
// 1 while a readings window is paused: what arrives is dropped.
extern int Paused;

// Terminator1 is CR, or LF when the setup's LF bit is set. A meter of
// revision 35 or later that sends transmission characters (TranChars) ends
// its records with its stop character and begins them with its start
// character; with stop character 0 the start character ends them instead.
void SetRecordTerminators();

// The port settings every readings window applies at load: no input
// length limit, NULs dropped, RTS and XON/XOFF handshaking, no thresholds,
// RTS up. Nothing restores them.
void ApplyReadingsPortSettings();

// "*" & MeterAddr & "A0" (start of output); no answer is read.
void SendStartCommand();
// "*" & MeterAddr & "A1" (end of output), then, with dropRts (the list
// window), RTS down. When another serial procedure is waiting just then,
// the stop goes out as soon as that one is done.
void SendStopCommand(bool dropRts);

// What a list shows for a record that still has its terminator: with
// transmission characters on, the start character becomes "t" and the
// terminator "p" (each character replaced at most once); without them the
// terminator is cut off.
QString ListRecordText(const QString& record, int tranChars);

class RecordFramer {
public:
    // The longest text kept while no terminator comes; beyond it the text is
    // thrown away and the stream is joined afresh.
    static constexpr int MaxPending = 32767;

    // withTerminator: records keep their terminator (the list). sizing: the
    // first whole record after the first join is the sample that sizes the
    // window and is not passed on as a record.
    RecordFramer(bool withTerminator, bool sizing)
        : withTerminator_(withTerminator), sizing_(sizing) {}

    // Starts over with this terminator: nothing pending, and the text up to
    // the first terminator is dropped (the stream was joined mid-record).
    void Start(QChar terminator);
    // Joins the stream afresh (after a pause), without sizing again.
    void Rejoin();
    // Drops what is pending.
    void Clear() { rdgBuf_.clear(); }

    struct Cut {
        QStringList records;
        std::optional<QString> sample; // the sizing record, without its terminator, & "p"
    };
    // Appends text (NULs dropped) and cuts every whole record out of it.
    Cut Feed(const QString& text);

    // Received text not yet cut into records.
    const QString& RdgBuf() const { return rdgBuf_; }

private:
    enum class State { Skip, Sizing, Running };
    bool withTerminator_;
    bool sizing_;
    bool sized_ = false;
    QChar terminator_ = QChar(13);
    State state_ = State::Skip;
    QString rdgBuf_;
};

class ReadingsReader : public QObject {
    Q_OBJECT
public:
    ReadingsReader(bool withTerminator, bool sizing, QObject* parent = nullptr);
    ~ReadingsReader() override;

    // SetRecordTerminators, Paused 0, what the port holds dropped, then
    // records as they arrive.
    void Start();
    // No more reading; what is pending is dropped.
    void Stop();
    // After Continue: the stream is joined afresh.
    void Rejoin();
    bool IsRunning() const { return running_; }

    // Reads what the port holds now (the port's input notice and the timer
    // call it).
    void ReadNow();

    const RecordFramer& Framer() const { return framer_; }

signals:
    void Sized(const QString& sample);
    void Records(const QStringList& records);

private:
    RecordFramer framer_;
    QTimer poll_;
    QTimer soon_;
    bool running_ = false;
};

} // namespace live
