#include "worksheet/WorksheetTool.h"

#include <QByteArrayView>
#include <QGuiApplication>

#include <cstdio>

namespace lexifind {

namespace {

QtMessageHandler toolkitHandler = nullptr;

// The toolkit's notes on its platform (a missing runtime folder) are no concern of the
// teacher who reads the tool's messages; its errors still come through.
void keepErrors(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtDebugMsg || type == QtInfoMsg || type == QtWarningMsg)
        return;
    if (toolkitHandler)
        toolkitHandler(type, context, message);
    else
        std::fputs((message + u'\n').toLocal8Bit().constData(), stderr);
}

} // namespace

std::unique_ptr<QCoreApplication> CreateToolApplication(int &argc, char **argv)
{
    for (int i = 1; i < argc; ++i) {
        const QByteArrayView arg(argv[i]);
        if (arg == "--")
            break;
        if (arg == "--worksheet" || arg.startsWith("--worksheet=")) {
            // Nothing is shown: no display is needed, and none is opened when there is one.
            if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
                qputenv("QT_QPA_PLATFORM", "offscreen");
            toolkitHandler = qInstallMessageHandler(keepErrors);
            auto app = std::make_unique<QGuiApplication>(argc, argv);
            qInstallMessageHandler(toolkitHandler);
            return app;
        }
    }
    return std::make_unique<QCoreApplication>(argc, argv);
}

} // namespace lexifind
