#include "ui/main/Command.h"

#include "document/LexifindError.h"
#include "ui/main/Desktop.h"

#include <exception>
#include <new>

namespace lexifind {

QString CaughtFailureMessage()
{
    try {
        throw;
    } catch (const Error &error) {
        return error.message();
    } catch (const std::bad_alloc &) {
        return QStringLiteral("Mémoire insuffisante");
    } catch (const std::exception &error) {
        return QString::fromUtf8(error.what());
    } catch (...) {
        return QStringLiteral("Erreur inattendue");
    }
}

void ShowFailure(const QString &message) noexcept
{
    try {
        desktop().showError(ErrorBoxText(message));
    } catch (...) {
        // Nothing left to tell it with: the program goes on.
    }
}

bool RunCommand(const std::function<void()> &command) noexcept
{
    try {
        command();
        return true;
    } catch (...) {
        QString message;
        try {
            message = CaughtFailureMessage();
        } catch (...) {
        }
        ShowFailure(message.isEmpty() ? QStringLiteral("Mémoire insuffisante") : message);
        return false;
    }
}

} // namespace lexifind
