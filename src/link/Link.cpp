#include "link/Link.h"

#include "link/CommControl.h"
#include "link/PortLoss.h"
#include "link/SettingsLine.h"
#include "link/Wait.h"
#include "platform/MessageBox.h"
#include "setup/ModeModel.h"
#include "setup/SetupImage.h"
#include "setup/WholeFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace meterlink {

std::array<QString, 8> BaudRates;
std::array<QString, 33> CtrlCharNames;
QString CrStr;

QString SettingsLine;
int BaudIndex = 0;
int CommPortNo = 0;
QString MeterAddr = QStringLiteral("0");
int MeterAddrValue = 0;
int Rs485Mode = 0;
int MeterRevision = 0;
int MeterType = 0;
int AutoOpenPort = 0;
int CharTimeMs = 0;

namespace {

QString programFolderOverride;

const QString ClosedNote = QStringLiteral(
    "The program carries on with the serial port closed: the Counter, Readings and "
    "Calibration menus stay disabled.");

void tell(const QString& problem)
{
    platform::MsgBox(problem + QStringLiteral("\n\n") + ClosedNote);
}

void fillTables()
{
    static const char* const rates[] = {"300", "600", "1200", "2400", "4800", "9600", "19200"};
    for (int i = 0; i < 7; ++i)
        BaudRates[i] = QLatin1String(rates[i]);
    BaudRates[7].clear();
}

} // namespace

void InitCtrlCharNames()
{
    const QString names = QStringLiteral("nulsohstxetxeotenqackbelbs ht lf vt ff cr so si dle")
        + QStringLiteral("dc1dc2dc3dc4naksynetbcanem subescfs gs rs us sp ");
    for (int code = 0; code <= 32; ++code)
        CtrlCharNames[code] = names.mid(code * 3, 3);
}

namespace {

// Reads the settings file's line; an empty result after a message box.
QString readSettingsFile()
{
    const QString path = SettingsFilePath();
    QFile file(path);
    const QFileInfo info(path);
    if (!info.exists()) {
        tell(QStringLiteral("The settings file \"%1\" was not found in %2.")
                 .arg(QLatin1String(SettingsFileName), QDir::toNativeSeparators(ProgramFolder())));
        return QString();
    }
    if (info.isDir() || !file.open(QIODevice::ReadOnly)) {
        tell(QStringLiteral("The settings file \"%1\" cannot be read: %2.")
                 .arg(QDir::toNativeSeparators(path),
                      info.isDir() ? QStringLiteral("it is a folder") : file.errorString()));
        return QString();
    }
    // One line is all there is to read; a runaway file is not read whole.
    const QByteArray content = file.read(64 * 1024);
    if (content.isEmpty() && file.error() != QFileDevice::NoError) {
        tell(QStringLiteral("The settings file \"%1\" cannot be read: %2.")
                 .arg(QDir::toNativeSeparators(path), file.errorString()));
        return QString();
    }
    const QString field = ReadSettingsField(content);
    if (field.isEmpty()) {
        tell(QStringLiteral("The settings file \"%1\" is empty: its first line holds no settings.")
                 .arg(QDir::toNativeSeparators(path)));
    }
    return field;
}

void openPortAtStart()
{
    CommControl& port = Commx();
    if (port.PortOpen())
        port.SetPortOpen(false);
    port.SetCommPort(CommPortNo);
    if (CommPortNo < 1) {
        tell(QStringLiteral("The settings file \"%1\" asks to open serial port %2, which cannot "
                            "exist: port numbers start at 1 (characters 3 and 4 of the line).")
                 .arg(QDir::toNativeSeparators(SettingsFilePath()))
                 .arg(CommPortNo));
        AutoOpenPort = 0;
        return;
    }
    port.ClearError();
    port.SetSettings(PortSettingsText());
    port.SetRTSEnable(true);
    if (!port.SetPortOpen(true)) {
        const QString device = port.DevicePath();
        const QString target = QFileInfo(device).canonicalFilePath();
        QString where = QDir::toNativeSeparators(device);
        if (!target.isEmpty() && target != device)
            where += QStringLiteral(" -> ") + target;
        tell(QStringLiteral("Serial port %1 (device %2) cannot be opened: %3.")
                 .arg(CommPortNo)
                 .arg(where, port.LastError()));
        port.ClearError();
        AutoOpenPort = 0;
        return;
    }
    port.SetDTREnable(true);
    port.ClearError();
}

} // namespace

QString ProgramFolder()
{
    if (!programFolderOverride.isEmpty())
        return programFolderOverride;
    return QCoreApplication::applicationDirPath();
}

void SetProgramFolder(const QString& folder)
{
    programFolderOverride = folder;
}

QString SettingsFilePath()
{
    return ProgramFolder() + u'/' + QLatin1String(SettingsFileName);
}

QString PortSettingsText()
{
    return BaudRates[BaudIndex >= 0 && BaudIndex < 8 ? BaudIndex : 0] + QStringLiteral(",n,8,1");
}

void Main()
{
    // 1-4: fixed tables. The rest of the link state starts from nothing too,
    // so that a failed settings file leaves no value of an earlier run.
    MeterRevision = 0;
    MeterType = 0;
    SettingsLine.clear();
    BaudIndex = 0;
    CommPortNo = 0;
    MeterAddr = QStringLiteral("0");
    MeterAddrValue = 0;
    Rs485Mode = 0;
    AutoOpenPort = 0;
    ResetPortLost();
    fillTables();
    CrStr = QString(QChar(13));
    InitCtrlCharNames();

    // 5: the program's folder is the current directory.
    QDir::setCurrent(ProgramFolder());

    // 6-8: the settings line.
    const QString field = readSettingsFile();
    bool portAllowed = false;
    DecodedSettings d;
    if (!field.isEmpty()) {
        SettingsLine = NormaliseSettingsLine(field);
        d = DecodeSettingsLine(SettingsLine);
        CommPortNo = d.commPortNo;
        MeterAddr = d.meterAddr;
        Rs485Mode = d.rs485Mode;
        MeterAddrValue = d.meterAddrValue;
        AutoOpenPort = d.autoOpenPort;
        if (d.baudIndex < 0) {
            tell(QStringLiteral("The settings file \"%1\" holds \"%2\" as its baud-rate character "
                                "(character 2 of the line); it must be a digit from 0 (300 baud) "
                                "to 6 (19200 baud).")
                     .arg(QDir::toNativeSeparators(SettingsFilePath()), QString(d.baudChar)));
            AutoOpenPort = 0;
        } else {
            BaudIndex = d.baudIndex;
            portAllowed = true;
        }
    }

    // 9: the port, when the settings ask for it.
    if (portAllowed && AutoOpenPort > 0)
        openPortAtStart();
    else if (Commx().PortOpen())
        Commx().SetPortOpen(false);
    if (AutoOpenPort < 0) // only "greater than 0" opens the port
        AutoOpenPort = 0;

    // 10-11.
    CharTimeMs = CharTimeMsFor(BaudIndex);
    if (!SettingsLine.isEmpty())
        MeterRevision = d.meterRevision;

    // 12-13.
    setup::InitTables();
    setup::SetupA = QString(108, u'0');
    setup::SetupB = QString(68, u'0');
}

void Delay(float seconds)
{
    float s = seconds;
    if (s == 0.0f)
        s = 0.55f - 0.1f * float(BaudIndex);
    if (!(s > 0.0f))
        return;
    const auto end = Clock::now()
        + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(s));
    WaitUntil(end);
}

bool ApplyBaudIndex(int baudIndex)
{
    if (baudIndex < 0 || baudIndex > 6)
        return false;
    BaudIndex = baudIndex;
    CharTimeMs = CharTimeMsFor(baudIndex);
    if (!SettingsLine.isEmpty())
        SettingsLine = SettingsLineWithBaud(SettingsLine, baudIndex);
    CommControl& port = Commx();
    if (port.PortOpen())
        return port.SetSettings(PortSettingsText());
    return true;
}

bool ApplyMeterAddress(int addrValue)
{
    const QChar c = MeterAddrCharOf(addrValue);
    if (c.isNull())
        return false;
    MeterAddr = QString(c);
    MeterAddrValue = addrValue;
    if (!SettingsLine.isEmpty())
        SettingsLine = SettingsLineWithAddress(SettingsLine, addrValue);
    return true;
}

bool WriteSettingsFile()
{
    if (SettingsLine.isEmpty())
        return false;
    return setup::ReplaceFile(SettingsFilePath(), SettingsFileContent(SettingsLine)).isNull();
}

} // namespace meterlink
