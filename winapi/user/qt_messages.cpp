#include "winapi/user/qt_messages.h"

#include <QString>
#include <QtGlobal>

#include <cstdio>

namespace winapi::user {

namespace {

QtMessageHandler g_previousHandler = nullptr;
QtMessageAudience g_audience = QtMessageAudience::Desktop;

bool IsPaintFailure(QString const& message)
{
    return message.startsWith(QLatin1String("QPainter::")) || message.startsWith(QLatin1String("QWidget::paintEngine"));
}

bool IsRuntimeFolderNote(QString const& message)
{
    return message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set"));
}

// A plugin Qt could not map for want of memory, after its start-up (the
// image formats load with the first icon): a program without a window needs
// none of them, and memory that has run out ends its run by itself.
bool IsPluginOutOfMemory(QString const& message)
{
    return message.contains(QLatin1String("failed to map to memory"))
        && message.contains(QLatin1String("Cannot allocate memory"));
}

void FilterMessage(QtMsgType type, QMessageLogContext const& context, QString const& message)
{
    bool const headless = g_audience == QtMessageAudience::Headless;
    if (type == QtWarningMsg
        && (IsPaintFailure(message) || (headless && (IsRuntimeFolderNote(message) || IsPluginOutOfMemory(message)))))
        return;
    if (g_previousHandler) {
        g_previousHandler(type, context, message);
        return;
    }
    std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}

}

void FilterQtMessages(QtMessageAudience audience)
{
    g_audience = audience;
    QtMessageHandler const previous = qInstallMessageHandler(FilterMessage);
    if (previous != FilterMessage)
        g_previousHandler = previous;
}

}
