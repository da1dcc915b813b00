#include "document/LexifindError.h"

namespace lexifind {

Error::Error(const QString &message)
    : std::runtime_error(message.toStdString())
    , m_message(message)
{
}

} // namespace lexifind
