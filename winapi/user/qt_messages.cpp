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

void FilterMessage(QtMsgType type, QMessageLogContext const& context, QString const& message)
{
    if (type == QtWarningMsg
        && (IsPaintFailure(message) || (g_audience == QtMessageAudience::Headless && IsRuntimeFolderNote(message))))
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
