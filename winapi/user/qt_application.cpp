#include "winapi/user/qt_application.h"

#include "winapi/gdi/surface.h"
#include "winapi/user/address_space.h"
#include "winapi/user/lack_of_memory.h"
#include "winapi/user/vector_state.h"

#include <QAbstractEventDispatcher>
#include <QEventLoop>
#include <QScreen>
#include <QThreadPool>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <new>

// Fontconfig and D-Bus (which Qt's X11 platform talks to) keep a few
// allocations for the life of the process, behind pointers LeakSanitizer
// cannot see. They are not ours, and not leaks that grow.
extern "C" __attribute__((used, visibility("default"))) char const* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n"
           "leak:libdbus-1.so\n";
}

namespace winapi::user {

namespace {

// The application lives until main() finishes it. Tests never finish it:
// Qt cannot be torn down from exit handlers.
QApplication* g_application = nullptr;

// Qt's plugin loader warns of each plugin it could not map when memory runs
// out, then that it found no platform plugin, and with none left Qt's
// start-up ends the process. All of it is memory running out: the warnings
// from the first such one on are held back, and the end goes the way the
// caller's new-handler ends a start that memory ran out under.
QtMessageHandler g_handlerBeforeStart = nullptr;
bool g_startRanOutOfMemory = false;

// Loading a platform plugin takes far less address space than this: a
// start that found no plugin it could load, and cannot take this much, ran
// out of memory, whether or not Qt said so.
constexpr std::size_t PLUGIN_ROOM = std::size_t { 16 } << 20;

void OnStartUpMessage(QtMsgType type, QMessageLogContext const& context, QString const& message)
{
    bool const noMemory = message.contains(QLatin1String("Cannot allocate memory"))
        || (message.startsWith(QLatin1String("Could not find the Qt platform plugin"))
            && AddressSpaceRunsShort(PLUGIN_ROOM));
    g_startRanOutOfMemory = g_startRanOutOfMemory || noMemory;
    if (type == QtFatalMsg && g_startRanOutOfMemory) {
        if (std::new_handler const handler = std::get_new_handler())
            handler();
    }
    if (g_startRanOutOfMemory && type != QtFatalMsg)
        return;
    if (g_handlerBeforeStart)
        g_handlerBeforeStart(type, context, message);
    else
        std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}

void CreateApplication(int& argc, char** argv)
{
    g_handlerBeforeStart = qInstallMessageHandler(OnStartUpMessage);
    g_application = new QApplication(argc, argv);
    qInstallMessageHandler(g_handlerBeforeStart);
    QApplication::setQuitOnLastWindowClosed(false);
    // Qt converts large images (a window's icon among them) on its global
    // thread pool, which it makes on first use and does not check: made
    // with too little memory later, it crashes. Made here, with the rest of
    // the start, memory running out is a failed start.
    QThreadPool::globalInstance();
}

// Qt's handling of the window system's events does not check every
// allocation, and crashes where the address space has run out. Short of
// this much room, memory has run out for the program's windows.
constexpr std::size_t EVENT_ROOM = std::size_t { 16 } << 20;

void EnsureEventRoom()
{
    if (AddressSpaceRunsShort(EVENT_ROOM))
        ReportLackOfMemory();
}

void FollowPrimaryScreen()
{
    auto const applyScreen = [](QScreen* screen) {
        if (!screen)
            return;
        auto const size = screen->size();
        SetDisplaySize(size.width(), size.height());
    };
    applyScreen(QGuiApplication::primaryScreen());
    QObject::connect(g_application, &QGuiApplication::primaryScreenChanged, g_application, applyScreen);
    if (auto* screen = QGuiApplication::primaryScreen()) {
        QObject::connect(screen, &QScreen::geometryChanged, g_application,
            [applyScreen]() { applyScreen(QGuiApplication::primaryScreen()); });
    }
}

}

bool HasPlatformForWindows()
{
    return !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") || !qEnvironmentVariableIsEmpty("DISPLAY")
        || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

void StartApplication(int& argc, char** argv)
{
    if (!g_application)
        CreateApplication(argc, argv);
    FollowPrimaryScreen();
}

QApplication& EnsureApplication()
{
    if (!g_application) {
        static int argc = 1;
        static char programName[] = "morva";
        static char* argv[] = { programName, nullptr };
        CreateApplication(argc, argv);
    }
    return *g_application;
}

bool ApplicationExists()
{
    return g_application != nullptr;
}

void ProcessQtEvents()
{
    if (!g_application)
        return;
    EnsureEventRoom();
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    winapi::ClearVectorUpperHalves();
}

void WaitForQtEvents(std::optional<int> timeoutMs)
{
    EnsureApplication();
    EnsureEventRoom();
    QTimer wakeUp;
    if (timeoutMs) {
        wakeUp.setSingleShot(true);
        wakeUp.setTimerType(Qt::PreciseTimer);
        wakeUp.start(std::max(0, *timeoutMs));
    }
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    winapi::ClearVectorUpperHalves();
}

void FinishApplication()
{
    delete g_application;
    g_application = nullptr;
}

}
