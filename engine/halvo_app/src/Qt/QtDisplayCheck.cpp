#include <halvo_app/Qt/QtDisplayCheck.h>

#include <xcb/xcb.h>

#include <cstdlib>
#include <iostream>
#include <string>
#include <string_view>

namespace hlv_app {

namespace {

// The value of the Qt option `name` ("-platform", "-display") on the command
// line, or null. Qt takes its options with one dash or two.
const char* QtOption(int argc, char** argv, std::string_view name)
{
    for (int i = 1; i + 1 < argc; ++i) {
        std::string_view argument(argv[i]);
        if (argument.starts_with("--")) argument.remove_prefix(1);
        if (argument == name) return argv[i + 1];
    }
    return nullptr;
}

// The platform plug-in Qt loads: the option, else QT_QPA_PLATFORM (which
// PreparePlatform set to xcb when it was empty), without the plug-in's own
// options ("xcb:option=value").
std::string QtPlatformName(int argc, char** argv)
{
    const char* option = QtOption(argc, argv, "-platform");
    const char* environment = std::getenv("QT_QPA_PLATFORM");
    const std::string platform = option ? option : environment ? environment : "";
    return platform.substr(0, platform.find(':'));
}

// The connection that proved the display stays open until the process ends.
// Closing it could leave the server without clients, and an X server without
// clients resets (Xvfb does, unless started with -noreset); Qt's own connection,
// made a moment later, would then be refused while the server starts over.
struct CheckConnection {
    xcb_connection_t* connection = nullptr;
    ~CheckConnection()
    {
        if (connection) xcb_disconnect(connection);
    }
};

bool DisplayOpens(const char* display)
{
    static CheckConnection kept;
    if (kept.connection) xcb_disconnect(kept.connection);
    kept.connection = xcb_connect(display, nullptr);
    return xcb_connection_has_error(kept.connection) == 0;
}

std::string_view ProgramName(int argc, char** argv)
{
    if (argc < 1 || !argv[0]) return "program";
    const std::string_view path(argv[0]);
    return path.substr(path.rfind('/') + 1);
}

}  // namespace

bool CheckDisplay(int argc, char** argv)
{
    const std::string platform = QtPlatformName(argc, argv);
    // Qt's default platform on X11 systems is xcb as well.
    if (!platform.empty() && platform != "xcb") return true;

    const char* display = QtOption(argc, argv, "-display");
    if (!display) display = std::getenv("DISPLAY");
    if (DisplayOpens(display)) return true;

    const std::string reason = display && *display ? "cannot connect to '" + std::string(display) + "'"
                                                   : std::string("DISPLAY is not set");
    std::cerr << ProgramName(argc, argv) << ": no display (" << reason << "); set DISPLAY or run under xvfb-run"
              << std::endl;
    return false;
}

}  // namespace hlv_app
