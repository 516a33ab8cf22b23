#include "platform/Display.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QJsonArray>
#include <QJsonObject>
#include <QLibrary>
#include <QPluginLoader>
#include <QRegularExpression>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <vector>

namespace platform {

namespace {

struct HeldMessage {
    QtMsgType type;
    int line;
    QByteArray file, function, category; // null where Qt gave none
    QString text;
};

std::vector<HeldMessage> held; // all that Qt said while the display opened
std::size_t passedOn = 0;      // how many of them have gone on to the next handler
bool holding = true;
QtMessageHandler nextHandler = nullptr;
QString programName;

// Runs f with the message and its context as Qt gave them.
template <class F> auto WithContext(const HeldMessage& m, F f)
{
    const auto orNull = [](const QByteArray& b) { return b.isNull() ? nullptr : b.constData(); };
    const QMessageLogContext context(orNull(m.file), m.line, orNull(m.function), orNull(m.category));
    return f(m.type, context, m.text);
}

void PassOnHeld()
{
    for (; passedOn < held.size(); ++passedOn)
        WithContext(held[passedOn], nextHandler);
}

// Whether the environment has Qt stop at a message of a kind: a count of
// such messages, the one to stop at included.
bool MayBeFatal(const char* variable)
{
    const QByteArray value = qgetenv(variable);
    if (value.isEmpty())
        return false;
    bool ok = false;
    const int count = value.toInt(&ok, 0);
    return !ok || count > 0;
}

// ---- What Qt said about its platform plugins ---------------------------------

struct PluginTry {
    enum class Outcome { NotFound, NoDisplay, NotLoaded };
    QString name;
    Outcome outcome;
    std::size_t message; // Qt's line about it, in `held`
    QString reason;      // NotLoaded: why its file would not load, where the loader tells
};

// Why the plugin file that offers the platform would not load, in the
// loader's words; empty when none is found, or when it loads after all (the
// plugin itself then refused, and said why in its own lines).
QString LoaderReason(const QString& platform)
{
    QStringList folders;
    if (const QString own = qEnvironmentVariable("QT_QPA_PLATFORM_PLUGIN_PATH"); !own.isEmpty())
        folders << own;
    for (const QString& path : QCoreApplication::libraryPaths())
        folders << path + QStringLiteral("/platforms");
    for (const QString& folder : folders)
        for (const QFileInfo& file : QDir(folder).entryInfoList(QDir::Files)) {
            QPluginLoader loader(file.absoluteFilePath());
            const QJsonObject meta = loader.metaData().value(QStringLiteral("MetaData")).toObject();
            const QJsonArray keys = meta.value(QStringLiteral("Keys")).toArray();
            const bool offers = std::any_of(keys.begin(), keys.end(), [&](const QJsonValue& key) {
                return key.toString().compare(platform, Qt::CaseInsensitive) == 0;
            });
            if (!offers)
                continue;
            // Loaded apart from the copy Qt's plugin loader keeps, which
            // no longer tells why it failed.
            QLibrary library(file.absoluteFilePath());
            library.setLoadHints(QLibrary::ResolveAllSymbolsHint);
            return library.load() ? QString() : library.errorString();
        }
    return {};
}

// Each plugin Qt tried, in turn. A plugin that was found but could not
// connect to its display (X11's "could not connect to display", Wayland's
// "Failed to create wl_display") says so before Qt's line about it.
std::vector<PluginTry> ReadTries()
{
    static const QRegularExpression notFound(
        QStringLiteral(R"re(Could not find the Qt platform plugin "([^"]*)")re"));
    static const QRegularExpression notLoaded(
        QStringLiteral(R"re(Could not load the Qt platform plugin "([^"]*)")re"));
    std::vector<PluginTry> tries;
    bool unreachable = false; // since the last line about a plugin
    for (std::size_t i = 0; i < held.size(); ++i) {
        const QString& text = held[i].text;
        if (text.startsWith(QStringLiteral("could not connect to display"), Qt::CaseInsensitive)
            || text.startsWith(QStringLiteral("Failed to create wl_display"), Qt::CaseInsensitive)) {
            unreachable = true;
        } else if (const auto m = notFound.match(text); m.hasMatch()) {
            tries.push_back({m.captured(1), PluginTry::Outcome::NotFound, i, {}});
            unreachable = false;
        } else if (const auto m = notLoaded.match(text); m.hasMatch()) {
            if (unreachable)
                tries.push_back({m.captured(1), PluginTry::Outcome::NoDisplay, i, {}});
            else
                tries.push_back({m.captured(1), PluginTry::Outcome::NotLoaded, i, LoaderReason(m.captured(1))});
            unreachable = false;
        }
    }
    return tries;
}

// The Debian package that holds a platform plugin; empty for a platform
// that none of Qt's packages has.
QString DebianPackageOf(const QString& platform)
{
    static const std::pair<const char*, const char*> packages[] = {
        {"xcb", "libqt6gui6"},         {"linuxfb", "libqt6gui6"},      {"minimal", "libqt6gui6"},
        {"offscreen", "libqt6gui6"},   {"vkkhrdisplay", "libqt6gui6"}, {"eglfs", "libqt6opengl6"},
        {"minimalegl", "libqt6opengl6"}, {"vnc", "qt6-qpa-plugins"},   {"wayland", "qt6-wayland"},
        {"wayland-egl", "qt6-wayland"}};
    for (const auto& [name, package] : packages)
        if (platform.compare(QLatin1String(name), Qt::CaseInsensitive) == 0)
            return QLatin1String(package);
    return {};
}

// The variable that names the display a platform opens.
QString DisplayVariableOf(const QString& platform)
{
    if (platform == QLatin1String("xcb"))
        return QStringLiteral("DISPLAY");
    if (platform.startsWith(QLatin1String("wayland")))
        return QStringLiteral("WAYLAND_DISPLAY");
    return {};
}

// A desktop platform that Qt has and did not try, with a display named for
// it: X11 (XWayland too, in a Wayland desktop), else Wayland; empty when
// there is none.
QString PlatformInstead(const std::vector<PluginTry>& tries, const QStringList& available)
{
    for (const QString& p : {QStringLiteral("xcb"), QStringLiteral("wayland")}) {
        const bool tried =
            std::any_of(tries.begin(), tries.end(), [&](const PluginTry& t) { return t.name == p; });
        const bool named = !qEnvironmentVariableIsEmpty(qPrintable(DisplayVariableOf(p)));
        if (available.contains(p) && !tried && named)
            return p;
    }
    return {};
}

QStringList WhatToDo(const std::vector<PluginTry>& tries, const QStringList& available)
{
    const QString instead = PlatformInstead(tries, available);
    const QString orInstead =
        instead.isEmpty() ? QString() : QStringLiteral(", or start the program with QT_QPA_PLATFORM=") + instead;
    QStringList advice;
    for (const PluginTry& t : tries) {
        if (t.outcome == PluginTry::Outcome::NotFound) {
            const QString package = DebianPackageOf(t.name);
            if (!package.isEmpty())
                advice << QStringLiteral("Install the Debian package %1 for the \"%2\" platform%3.")
                              .arg(package, t.name, orInstead);
            else
                advice << QStringLiteral("Qt has no platform \"%1\": choose one of those available%2, or "
                                         "leave QT_QPA_PLATFORM unset.")
                              .arg(t.name, instead.isEmpty() ? QString()
                                                             : QStringLiteral(" (such as QT_QPA_PLATFORM=")
                                                                   + instead + u')');
        } else if (t.outcome == PluginTry::Outcome::NotLoaded && !t.reason.isEmpty()) {
            advice << QStringLiteral("A library that the \"%1\" platform plugin needs is missing or broken: "
                                     "install or reinstall the Debian package that holds it%2.")
                          .arg(t.name, orInstead);
        }
    }
    return advice;
}

// Qt's closing words without its advice to reinstall the application,
// which would not mend any of this.
QString WithoutReinstallHint(QString text)
{
    static const QRegularExpression hint(QStringLiteral(R"(\s*Reinstalling the application may fix this problem\.)"));
    static const QRegularExpression blankLines(QStringLiteral(R"(\n\s*\n)"));
    text.remove(hint);
    text.replace(blankLines, QStringLiteral("\n"));
    return text.trimmed();
}

[[noreturn]] void ReportFailedStart(const QString& fatal)
{
    const std::vector<PluginTry> tries = ReadTries();
    const bool noDisplay = !tries.empty() && std::all_of(tries.begin(), tries.end(), [](const PluginTry& t) {
        return t.outcome == PluginTry::Outcome::NoDisplay;
    });
    QString report;
    if (noDisplay) {
        QStringList named;
        for (const PluginTry& t : tries) {
            const QString variable = DisplayVariableOf(t.name);
            if (variable.isEmpty() || qEnvironmentVariableIsEmpty(qPrintable(variable)))
                continue;
            const QString setting = variable + u'=' + qEnvironmentVariable(qPrintable(variable));
            if (!named.contains(setting))
                named << setting;
        }
        report = QStringLiteral("%1: no display found%2; start it in a desktop session, or with DISPLAY or "
                                "WAYLAND_DISPLAY naming the display to use.\n")
                     .arg(programName, named.isEmpty() ? QString() : " (" + named.join(QStringLiteral(", ")) + ')');
    } else {
        report = programName + QStringLiteral(": Qt could not open the display.\n");
        for (std::size_t i = 0; i < held.size(); ++i) {
            if (i >= passedOn)
                report += WithContext(held[i], qFormatLogMessage) + u'\n';
            for (const PluginTry& t : tries)
                if (t.message == i && !t.reason.isEmpty())
                    report += t.reason + u'\n';
        }
        report += WithoutReinstallHint(fatal) + u'\n';
        static const QRegularExpression availableLine(QStringLiteral(R"(Available platform plugins are: ([^\n]*)\.)"));
        const QStringList available =
            availableLine.match(fatal).captured(1).split(QStringLiteral(", "), Qt::SkipEmptyParts);
        for (const QString& line : WhatToDo(tries, available))
            report += line + u'\n';
    }
    std::fputs(report.toLocal8Bit().constData(), stderr);
    std::fflush(stderr);
    std::_Exit(1);
}

// Qt's messages while it opens the display. A fatal one is the failure to
// open it.
void HoldOrReport(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (type == QtFatalMsg)
        ReportFailedStart(text);
    held.push_back({type, context.line, QByteArray(context.file), QByteArray(context.function),
                    QByteArray(context.category), text});
    if (!holding)
        PassOnHeld();
}

} // namespace

std::unique_ptr<QApplication> OpenDisplay(int& argc, char** argv)
{
    programName = argc > 0 && argv[0] ? QString::fromStdString(std::filesystem::path(argv[0]).filename().string())
                                      : QStringLiteral("counter-setup");
    holding = !MayBeFatal("QT_FATAL_WARNINGS") && !MayBeFatal("QT_FATAL_CRITICALS");
    nextHandler = qInstallMessageHandler(HoldOrReport);
    auto app = std::make_unique<QApplication>(argc, argv);
    qInstallMessageHandler(nextHandler);
    // Straight to the handler, not through Qt again: Qt would count each
    // message a second time towards QT_FATAL_WARNINGS.
    PassOnHeld();
    held.clear();
    passedOn = 0;
    return app;
}

} // namespace platform
