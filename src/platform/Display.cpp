#include "platform/Display.h"

#include <QByteArray>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace platform {

namespace {

struct HeldMessage {
    QtMsgType type;
    int line;
    QByteArray file, function, category;
    QString text;
};

std::vector<HeldMessage> held;
std::string programName;

// The first of the variables that name a display or a way to one.
std::string DisplayNamed()
{
    for (const char* name : {"QT_QPA_PLATFORM", "WAYLAND_DISPLAY", "DISPLAY"}) {
        const char* value = std::getenv(name);
        if (value && *value)
            return std::string(name) + "=" + value;
    }
    return {};
}

// Qt's messages while it opens the display: held back, so that a failure
// shows nothing but the one line; a fatal one is that failure.
void HoldOrStop(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (type != QtFatalMsg) {
        held.push_back({type, context.line, QByteArray(context.file), QByteArray(context.function),
                        QByteArray(context.category), text});
        return;
    }
    const std::string named = DisplayNamed();
    std::fprintf(stderr,
                 "%s: no display found%s; start it in a desktop session, or with DISPLAY or "
                 "WAYLAND_DISPLAY naming the display to use.\n",
                 programName.c_str(), named.empty() ? "" : (" (" + named + ")").c_str());
    std::fflush(stderr);
    std::_Exit(1);
}

} // namespace

std::unique_ptr<QApplication> OpenDisplay(int& argc, char** argv)
{
    programName = argc > 0 && argv[0] ? std::filesystem::path(argv[0]).filename().string()
                                      : std::string("counter-setup");
    qInstallMessageHandler(HoldOrStop);
    auto app = std::make_unique<QApplication>(argc, argv);
    qInstallMessageHandler(nullptr);
    for (const HeldMessage& m : held) {
        const QMessageLogContext context(m.file.constData(), m.line, m.function.constData(),
                                         m.category.constData());
        qt_message_output(m.type, context, m.text);
    }
    held.clear();
    return app;
}

} // namespace platform
