// Default setup, setup files and the file chooser seam, with the chooser and
// the message boxes answered by the test.

#include "mainmenu/FileDialog.h"
#include "mainmenu/MenuState.h"
#include "mainmenu/SetupFiles.h"
#include "platform/MessageBox.h"
#include "setup/DefaultImage.h"
#include "setup/ModeModel.h"
#include "setup/SetupImage.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace mainmenu;

namespace {

const QString A = QStringLiteral("0A0B0C").repeated(18);                   // 108
const QString B = QStringLiteral("1234567890ABCDEF").repeated(4) + "FEDC"; // 68
const QString Chars = QStringLiteral("2E010A000500FF20");                 // 16

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void WriteAll(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

} // namespace

class TestSetupFiles : public QObject {
    Q_OBJECT

    QTemporaryDir tmp_;
    QString programDir_;
    QList<platform::ShownMessage> messages_;
    platform::MsgResult msgAnswer_ = platform::MsgResult::Ok;
    QList<FileDialogRequest> requests_;
    std::optional<QString> dialogAnswer_;

    QString Path(const QString& name) const { return tmp_.filePath(name); }
    void SetImage(const QString& a, const QString& b, const QString& c)
    {
        setup::SetupA = a;
        setup::SetupB = b;
        setup::SetupChars = c;
    }
    void VerifyImage(const QString& a, const QString& b, const QString& c)
    {
        QCOMPARE(setup::SetupA, a);
        QCOMPARE(setup::SetupB, b);
        QCOMPARE(setup::SetupChars, c);
    }

private slots:
    void init()
    {
        QVERIFY(tmp_.isValid());
        programDir_ = tmp_.filePath("prog");
        QDir().mkpath(programDir_);
        SetImage(QString(108, u'0'), QString(68, u'0'), QString());
        SetSetupLoaded(false);
        SetupFileName.clear();
        messages_.clear();
        requests_.clear();
        msgAnswer_ = platform::MsgResult::Ok;
        dialogAnswer_.reset();
        platform::SetMsgAnswerer([this](const platform::ShownMessage& m) {
            messages_ << m;
            return msgAnswer_;
        });
        SetFileDialogAnswerer([this](const FileDialogRequest& r) {
            requests_ << r;
            QDir::setCurrent(tmp_.path()); // as a real chooser may do
            return dialogAnswer_;
        });
    }

    void cleanup()
    {
        platform::SetMsgAnswerer({});
        SetFileDialogAnswerer({});
        for (const QString& f : QDir(tmp_.path()).entryList(QDir::Files))
            QFile::remove(tmp_.filePath(f));
    }

    void qtFilter_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("expected");
        QTest::newRow("setup") << "Setup files (*.CTR)|*.CTR" << "Setup files (*.CTR *.ctr)";
        QTest::newRow("bmp") << ".BMP files (*.BMP)|*.BMP" << ".BMP files (*.BMP *.bmp)";
        QTest::newRow("two pairs, lists")
            << "Text (*.Txt)|*.Txt|All|*.a;*.B" << "Text (*.Txt *.TXT *.txt);;All (*.a *.A *.B *.b)";
    }
    void qtFilter()
    {
        QFETCH(QString, filter);
        QFETCH(QString, expected);
        QCOMPARE(QtFilterFrom(filter), expected);
    }

    void defaultSetup()
    {
        const FileOutcome out = LoadDefaultSetup();
        VerifyImage(setup::DefaultSetupAText, setup::DefaultSetupBText, "25030D0008000D00");
        QVERIFY(out.loaded && out.showStatus && SetupLoaded);
        QCOMPARE(out.statusText, "Default Setup data loaded into the 3-Page Form.");
        QCOMPARE(out.statusColor, setup::ColorWhite);
        QVERIFY(SetupFileName.isEmpty());
    }

    void openForms_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("chars");
        QTest::addColumn<QByteArray>("fileAfter");
        const QByteArray ab = (A + B).toLatin1();
        QTest::newRow("176") << ab + "\r\n" << "22030D0008000D00" << ab + "22030D0008000D00\r\n";
        QTest::newRow("188") << ab + "0D0008000D00\r\n" << "23030D0008000D00"
                             << ab + "23030D0008000D00\r\n";
        const QByteArray full = ab + Chars.toLatin1() + "\r\n";
        QTest::newRow("192") << full << Chars << full;
        const QByteArray lower = (A + B + Chars).toLower().toLatin1() + "\n";
        QTest::newRow("192 lower case, LF") << lower << Chars << lower;
    }
    void openForms()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, chars);
        QFETCH(QByteArray, fileAfter);
        const QString path = Path("form.CTR");
        WriteAll(path, content);
        dialogAnswer_ = path;

        const FileOutcome out = OpenSetupFile(nullptr, programDir_);
        QVERIFY(out.loaded && !out.showStatus);
        VerifyImage(A, B, chars);
        QCOMPARE(ReadAll(path), fileAfter);
        QVERIFY(messages_.isEmpty());
        QVERIFY(SetupLoaded);
        QCOMPARE(SetupFileName, path);
        QCOMPARE(QDir::currentPath(), QDir(programDir_).canonicalPath());
        QCOMPARE(requests_.size(), 1);
        QCOMPARE(requests_[0].action, int(FileDialog::ActionOpen));
        QCOMPARE(requests_[0].title, "Open Setup File");
        QCOMPARE(requests_[0].filter, "Setup files (*.CTR *.ctr)");
    }

    void openRefused_data()
    {
        QTest::addColumn<QByteArray>("content"); // "<none>": no such file
        const QByteArray ab = (A + B).toLatin1();
        QTest::newRow("missing") << QByteArray("<none>");
        QTest::newRow("empty file") << QByteArray();
        QTest::newRow("only a line end") << QByteArray("\r\n");
        QTest::newRow("175") << ab.left(175) + "\r\n";
        QTest::newRow("193") << ab + Chars.toLatin1() + "0\r\n";
        QTest::newRow("non-hex") << ab.left(50) + "G" + ab.mid(51) + "\r\n";
    }
    void openRefused()
    {
        QFETCH(QByteArray, content);
        const QString path = Path("bad.CTR");
        if (content != "<none>")
            WriteAll(path, content);
        dialogAnswer_ = path;
        SetImage(A, B, Chars);

        const FileOutcome out = OpenSetupFile(nullptr, programDir_);
        QVERIFY(!out.loaded);
        VerifyImage(A, B, Chars);
        QVERIFY(!SetupLoaded);
        QVERIFY(SetupFileName.isEmpty());
        QCOMPARE(messages_.size(), 1);
        QVERIFY2(messages_[0].text.contains(path), qPrintable(messages_[0].text));
        if (content != "<none>")
            QCOMPARE(ReadAll(path), content);
        QCOMPARE(QDir::currentPath(), QDir(programDir_).canonicalPath());
    }

    void rewriteFailsImageStillLoaded()
    {
        // A name this long leaves no room for the temporary file beside it,
        // so the file can be read but not replaced, even with root rights.
        const QString path = Path(QString(245, u'n') + ".CTR");
        const QByteArray content = (A + B).toLatin1() + "\r\n";
        WriteAll(path, content);
        dialogAnswer_ = path;

        const FileOutcome out = OpenSetupFile(nullptr, programDir_);
        QVERIFY(out.loaded);
        VerifyImage(A, B, "22030D0008000D00");
        QCOMPARE(messages_.size(), 1);
        QVERIFY(messages_[0].text.contains("could not be"));
        QCOMPARE(ReadAll(path), content);
    }

    void defaultSaveAsOpenRoundTrip()
    {
        LoadDefaultSetup();
        const QString path = Path("round.CTR");
        dialogAnswer_ = path;
        SaveSetupFileAs(nullptr, programDir_);
        QCOMPARE(requests_.last().title, "Save Setup File As");
        QCOMPARE(requests_.last().action, int(FileDialog::ActionSave));
        QCOMPARE(ReadAll(path), (setup::DefaultSetupAText + setup::DefaultSetupBText
                                 + setup::DefaultSetupCharsText).toLatin1()
                                    + "\r\n");
        QCOMPARE(SetupFileName, path);

        SetImage(A, B, Chars);
        OpenSetupFile(nullptr, programDir_);
        VerifyImage(setup::DefaultSetupAText, setup::DefaultSetupBText,
                    setup::DefaultSetupCharsText);
        QVERIFY(messages_.isEmpty());
    }

    void saveAfterConfirmation()
    {
        // After Get Setup from an older meter SetupB carries 16 more
        // characters; the file holds SetupB's 68 and the current SetupChars.
        SetImage(A, B + "22030D0008000D00", Chars);
        SetSetupLoaded(true);
        SetupFileName = Path("older.CTR");
        WriteAll(SetupFileName, "old\r\n");
        msgAnswer_ = platform::MsgResult::Cancel;
        SaveSetupFile(nullptr, programDir_);
        QCOMPARE(ReadAll(SetupFileName), QByteArray("old\r\n"));

        msgAnswer_ = platform::MsgResult::Ok;
        SaveSetupFile(nullptr, programDir_);
        QCOMPARE(ReadAll(SetupFileName), (A + B + Chars).toLatin1() + "\r\n");
        QCOMPARE(messages_.size(), 2);
        QCOMPARE(messages_[1].text, "Current data will be replaced.");
        QCOMPARE(messages_[1].title, platform::ProgramTitle());
        QCOMPARE(messages_[1].buttons, platform::MsgButtons::OkCancel);

        // A line that Open Setup would refuse is never written.
        setup::SetupA.chop(1);
        SaveSetupFile(nullptr, programDir_);
        QCOMPARE(messages_.size(), 3);
        QCOMPARE(ReadAll(SetupFileName), (A + B + Chars).toLatin1() + "\r\n");
    }

    void saveWithoutFileName()
    {
        LoadDefaultSetup();
        const int beeps = platform::BeepCount();
        SaveSetupFile(nullptr, programDir_);
        QCOMPARE(platform::BeepCount(), beeps + 1);
        QCOMPARE(messages_.size(), 1);
        QCOMPARE(messages_[0].text, "No file name active, use Save Setup As");
        QCOMPARE(messages_[0].title, "Continue");
        QVERIFY(requests_.isEmpty());
        QVERIFY(QDir(tmp_.path()).entryList(QDir::Files).isEmpty());
    }

    void noSetupLoaded()
    {
        // The start-up zeros are not a setup.
        const int beeps = platform::BeepCount();
        SaveSetupFileAs(nullptr, programDir_);
        QCOMPARE(platform::BeepCount(), beeps + 1);
        QCOMPARE(messages_.size(), 1);
        QCOMPARE(messages_[0].text, "No Setup data loaded");
        QCOMPARE(messages_[0].title, "Continue");
        QVERIFY(requests_.isEmpty());
    }

    void saveAsCancelled()
    {
        LoadDefaultSetup();
        QDir::setCurrent(programDir_);
        dialogAnswer_.reset();
        SaveSetupFileAs(nullptr, programDir_);
        QCOMPARE(requests_.size(), 1);
        QVERIFY(messages_.isEmpty());
        QVERIFY(SetupFileName.isEmpty());
        QVERIFY(QDir(tmp_.path()).entryList(QDir::Files).isEmpty());
        QCOMPARE(QDir::currentPath(), QDir(programDir_).canonicalPath());
    }

    void unwritableTarget()
    {
        SetImage(A, B, Chars);
        SetSetupLoaded(true);
        const QString path = Path("no-such-folder/x.CTR");
        dialogAnswer_ = path;
        SaveSetupFileAs(nullptr, programDir_);
        QCOMPARE(messages_.size(), 1);
        QVERIFY(messages_[0].text.contains(QDir::toNativeSeparators(path)));
        QVERIFY(SetupFileName.isEmpty());

        SetupFileName = path;
        SaveSetupFile(nullptr, programDir_); // confirmation, then the failure
        QCOMPARE(messages_.size(), 3);
        QVERIFY(messages_[2].text.contains(QDir::toNativeSeparators(path)));
        VerifyImage(A, B, Chars);
        QVERIFY(!QFile::exists(path));
    }
};

QTEST_MAIN(TestSetupFiles)
#include "tst_setupfiles.moc"
