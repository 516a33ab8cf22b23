// Setup files: the three line forms, refusals that leave image and file
// alone, and saving, with the chooser and message boxes answered here.

#include "mainmenu/FileDialog.h"
#include "mainmenu/MenuState.h"
#include "mainmenu/SetupFiles.h"
#include "platform/MessageBox.h"
#include "setup/SetupImage.h"

#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>

using namespace mainmenu;

namespace {

const QString A = QStringLiteral("0A0B0C").repeated(18);                   // 108
const QString B = QStringLiteral("1234567890ABCDEF").repeated(4) + "FEDC"; // 68
const QString Chars = QStringLiteral("2E010A000500FF20");                 // 16
const QString Image = A + '|' + B + '|' + Chars;                           // as Shown() gives it
const QByteArray AB = (A + B).toLatin1();
const QByteArray Line = AB + Chars.toLatin1() + "\r\n";

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void SetImage(const QString& image)
{
    const QStringList p = image.split('|');
    setup::SetupA = p[0], setup::SetupB = p[1], setup::SetupChars = p[2];
}

QString Shown() { return setup::SetupA + '|' + setup::SetupB + '|' + setup::SetupChars; }

// A disk that fills up: writes past `bytes` fail (EFBIG) until destroyed.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) : sig_(std::signal(SIGXFSZ, SIG_IGN))
    {
        getrlimit(RLIMIT_FSIZE, &old_);
        rlimit lower = old_;
        lower.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &lower);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, sig_);
    }

private:
    rlimit old_{};
    void (*sig_)(int);
};

} // namespace

class TestSetupFiles : public QObject {
    Q_OBJECT

    std::optional<QTemporaryDir> tmp_;
    QStringList messages_, filters_;
    QString dialogAnswer_;

private slots:
    void init()
    {
        tmp_.emplace();
        dialogAnswer_ = tmp_->filePath("a.CTR");
        SetImage(QString(108, u'0') + '|' + QString(68, u'0') + '|');
        SetSetupLoaded(false);
        SetupFileName.clear();
        messages_.clear(), filters_.clear();
        platform::SetMsgAnswerer([this](const platform::ShownMessage& m) {
            messages_ << m.text;
            return platform::MsgResult::Ok;
        });
        SetFileDialogAnswerer([this](const FileDialogRequest& r) {
            filters_ << r.filter;
            QDir::setCurrent(tmp_->path()); // as a real chooser may do
            return std::optional<QString>(dialogAnswer_);
        });
    }

    // No image: refused, with a message, the image and the file left alone.
    void open_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("image");
        QTest::addColumn<QByteArray>("fileAfter");
        QTest::newRow("176") << AB + "\r\n" << A + '|' + B + "|22030D0008000D00" << AB + "22030D0008000D00\r\n";
        QTest::newRow("188") << AB + "0D0008000D00\r\n" << A + '|' + B + "|23030D0008000D00" << AB + "23030D0008000D00\r\n";
        const QByteArray lower = Line.toLower().replace("\r", "");
        QTest::newRow("192 lower case, LF") << lower << Image << lower;
        QTest::newRow("empty") << QByteArray() << QString() << QByteArray();
        const QByteArray long193 = AB + Chars.toLatin1() + "0\r\n";
        QTest::newRow("193") << long193 << QString() << long193;
        const QByteArray nonHex = AB.left(50) + "G" + Line.mid(51);
        QTest::newRow("non-hex") << nonHex << QString() << nonHex;
    }
    void open()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, image);
        QFETCH(QByteArray, fileAfter);
        QFile f(dialogAnswer_);
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(content) == content.size() && f.flush());
        const QString before = Shown();
        const bool taken = !image.isEmpty();
        QCOMPARE(OpenSetupFile(nullptr, {}).loaded, taken);
        QCOMPARE(Shown(), taken ? image : before);
        QCOMPARE(ReadAll(dialogAnswer_), fileAfter);
        QCOMPARE(SetupLoaded && SetupFileName == dialogAnswer_, taken);
        QCOMPARE(messages_.size(), taken ? 0 : 1);
        QCOMPARE(filters_, QStringList{"Setup files (*.CTR *.ctr)"});
        QCOMPARE(QDir::currentPath(), QCoreApplication::applicationDirPath());
    }

    void save()
    {
        SaveSetupFileAs(nullptr, {}); // the start-up zeros are no setup
        LoadDefaultSetup();
        const QString defaults = Shown();
        SaveSetupFile(nullptr, {});
        const QString good = dialogAnswer_;
        dialogAnswer_ = tmp_->filePath("no-such-folder/x.CTR");
        SaveSetupFileAs(nullptr, {});
        QCOMPARE(messages_.mid(0, 2), (QStringList{"No Setup data loaded", "No file name active, use Save Setup As"}));
        QVERIFY(messages_.value(2).contains(QDir::toNativeSeparators(dialogAnswer_)));
        QVERIFY(SetupFileName.isEmpty() && QDir(tmp_->path()).isEmpty());
        QCOMPARE(Shown(), defaults);

        dialogAnswer_ = good;
        SaveSetupFileAs(nullptr, {});
        SetImage(Image);
        OpenSetupFile(nullptr, {});
        QCOMPARE(Shown(), defaults);

        SetImage(A + '|' + B + "22030D0008000D00|" + Chars); // SetupB as Get Setup leaves it from older meters
        SaveSetupFile(nullptr, {});
        QCOMPARE(messages_.mid(3), QStringList{"Current data will be replaced."});
        QCOMPARE(ReadAll(SetupFileName), Line);
        setup::SetupA.chop(1); // a line Open Setup would refuse is never written
        SaveSetupFile(nullptr, {});
        QCOMPARE(ReadAll(SetupFileName), Line);

        // A save that fails half-way leaves the old file whole, and says so.
        LoadDefaultSetup();
        {
            FileSizeLimit full(100);
            SaveSetupFile(nullptr, {});
        }
        QCOMPARE(ReadAll(SetupFileName), Line);
        QVERIFY(messages_.last().startsWith("The setup could not be saved to"));
    }
};

QTEST_MAIN(TestSetupFiles)
#include "tst_setupfiles.moc"
