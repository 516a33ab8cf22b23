#include "live/Readings.h"

#include "link/CommControl.h"
#include "link/Exchange.h"
#include "link/Link.h"
#include "link/Wait.h"
#include "setup/FieldMap.h"
#include "setup/SetupImage.h"

#include <QCoreApplication>
#include <QPointer>

namespace live {

QString Terminator1 = QString(QChar(13));
QString Terminator2 = QString(QChar(0));
int Paused = 0;

namespace {

constexpr int TransmissionCharsRevision = 35;
// Input is gathered for this long after the port's notice, so that a meter
// sending character by character does not wake the program for each one.
constexpr int GatherMs = 50;
// For devices that give no notice, and for input left while a serial
// procedure had the port.
constexpr int PollMs = 100;

bool stopQueued = false;

// Which reader the port's input notice belongs to.
ReadingsReader* noticed = nullptr;

} // namespace

void SetRecordTerminators()
{
    Terminator2 = QString(QChar(0));
    Terminator1 = QString(QChar(setup::ReadRaw(setup::field::LF) == 0 ? 13 : 10));
    if (meterlink::MeterRevision >= TransmissionCharsRevision
        && setup::ReadRaw(setup::field::TranChars) == 1) {
        const int stop = setup::ReadRaw(setup::field::TranStop);
        const int start = setup::ReadRaw(setup::field::TranStart);
        Terminator1 = QString(QChar(stop));
        Terminator2 = QString(QChar(start));
        if (stop == 0) {
            Terminator1 = Terminator2;
            Terminator2.clear();
        }
    }
}

void ApplyReadingsPortSettings()
{
    meterlink::CommControl& port = meterlink::Commx();
    port.SetRTSEnable(false);
    port.SetInputLen(0);
    port.SetNullDiscard(true);
    port.SetHandshaking(meterlink::HandshakeRtsXonXoff);
    port.SetRThreshold(0);
    port.SetSThreshold(0);
    port.SetRTSEnable(true);
}

void SendStartCommand()
{
    meterlink::Cmd = QStringLiteral("*") + meterlink::MeterAddr + QStringLiteral("A0");
    meterlink::SendCommand();
}

void SendStopCommand(bool dropRts)
{
    if (meterlink::Quitting())
        return;
    if (meterlink::InsidePortWait()) {
        // Another frame is on its way out (a Continue's "A0"); the stop
        // follows it rather than being lost.
        if (stopQueued)
            return;
        stopQueued = true;
        QTimer::singleShot(GatherMs, QCoreApplication::instance(), [dropRts] {
            stopQueued = false;
            SendStopCommand(dropRts);
        });
        return;
    }
    meterlink::Cmd = QStringLiteral("*") + meterlink::MeterAddr + QStringLiteral("A1");
    meterlink::SendCommand();
    if (dropRts)
        meterlink::Commx().SetRTSEnable(false);
}

QString ListRecordText(const QString& record, int tranChars)
{
    if (tranChars != 1)
        return record.left(qMax<qsizetype>(0, record.size() - 1));
    const QChar t2 = Terminator2.isEmpty() ? QChar(0) : Terminator2.at(0);
    const QChar t1 = Terminator1.isEmpty() ? QChar(0) : Terminator1.at(0);
    QString shown = record;
    for (QChar& c : shown) {
        if (t2.unicode() != 0 && c == t2)
            c = u't';
        else if (t1.unicode() != 0 && c == t1)
            c = u'p';
    }
    return shown;
}

// ---- RecordFramer -----------------------------------------------------------

void RecordFramer::Start(QChar terminator)
{
    terminator_ = terminator;
    rdgBuf_.clear();
    sized_ = false;
    state_ = State::Skip;
}

void RecordFramer::Rejoin()
{
    rdgBuf_.clear();
    state_ = State::Skip;
}

RecordFramer::Cut RecordFramer::Feed(const QString& text)
{
    Cut cut;
    if (text.contains(QChar(0))) {
        QString clean = text;
        clean.remove(QChar(0));
        rdgBuf_ += clean;
    } else {
        rdgBuf_ += text;
    }
    // A terminator of code 0 never arrives: NULs are dropped above.
    if (terminator_.unicode() == 0) {
        if (rdgBuf_.size() > MaxPending)
            rdgBuf_.clear();
        return cut;
    }

    qsizetype from = 0;
    for (;;) {
        const qsizetype at = rdgBuf_.indexOf(terminator_, from);
        if (at < 0)
            break;
        const qsizetype length = at - from + 1; // the terminator included
        switch (state_) {
        case State::Skip:
            // The tail of a record whose beginning was missed.
            state_ = (sizing_ && !sized_) ? State::Sizing : State::Running;
            break;
        case State::Sizing:
            cut.sample = rdgBuf_.mid(from, length - 1) + QStringLiteral("p");
            sized_ = true;
            state_ = State::Running;
            break;
        case State::Running:
            cut.records << rdgBuf_.mid(from, withTerminator_ ? length : length - 1);
            break;
        }
        from = at + 1;
    }
    rdgBuf_.remove(0, from);
    if (rdgBuf_.size() > MaxPending) {
        // No terminator in all that: whatever it is, it is no record. What
        // follows is joined like a fresh stream.
        rdgBuf_.clear();
        state_ = State::Skip;
    }
    return cut;
}

// ---- ReadingsReader ---------------------------------------------------------

ReadingsReader::ReadingsReader(bool withTerminator, bool sizing, QObject* parent)
    : QObject(parent), framer_(withTerminator, sizing)
{
    poll_.setInterval(PollMs);
    connect(&poll_, &QTimer::timeout, this, &ReadingsReader::ReadNow);
    soon_.setSingleShot(true);
    soon_.setInterval(GatherMs);
    connect(&soon_, &QTimer::timeout, this, &ReadingsReader::ReadNow);
}

ReadingsReader::~ReadingsReader()
{
    Stop();
}

void ReadingsReader::Start()
{
    SetRecordTerminators();
    Paused = 0;
    framer_.Start(Terminator1.isEmpty() ? QChar(0) : Terminator1.at(0));
    meterlink::CommControl& port = meterlink::Commx();
    if (port.PortOpen())
        port.Input();
    running_ = true;
    noticed = this;
    QPointer<ReadingsReader> self(this);
    port.SetInputNotify([self] {
        if (self && self->running_ && !self->soon_.isActive())
            self->soon_.start();
    });
    // A steady stream: the port need not wake the program for every
    // character, only for the reads of the gather timer.
    port.SetInputBatching(true);
    poll_.start();
}

void ReadingsReader::Stop()
{
    if (!running_)
        return;
    running_ = false;
    poll_.stop();
    soon_.stop();
    framer_.Clear();
    if (noticed == this) {
        noticed = nullptr;
        meterlink::Commx().SetInputNotify({});
        meterlink::Commx().SetInputBatching(false);
    }
}

void ReadingsReader::Rejoin()
{
    framer_.Rejoin();
}

void ReadingsReader::ReadNow()
{
    if (!running_)
        return;
    // A serial procedure has the port: what is waiting is its business.
    if (meterlink::InsidePortWait() || meterlink::Quitting())
        return;
    meterlink::CommControl& port = meterlink::Commx();
    if (!port.PortOpen())
        return;
    const QString text = port.Input();
    if (Paused == 1) {
        framer_.Clear();
        return;
    }
    if (text.isEmpty())
        return;
    RecordFramer::Cut cut = framer_.Feed(text);
    QPointer<ReadingsReader> self(this);
    if (cut.sample)
        emit Sized(*cut.sample);
    if (self && running_ && !cut.records.isEmpty())
        emit Records(cut.records);
}

} // namespace live
