#pragma once

#include <QString>
#include <stdexcept>

namespace lexifind {

// The one exception type of the core: commands throw it, the application (or the
// command-line tool) shows its message. Messages are the French texts the teacher sees.
class Error : public std::runtime_error
{
public:
    explicit Error(const QString &message);
    const QString &message() const noexcept { return m_message; }

private:
    QString m_message;
};

// The message as the teacher is shown it, by the program's error box and by
// lexifind-page: a full stop is added when its last character sorts after the full
// stop ("!" and "?" stay, a letter gets one).
QString ErrorBoxText(const QString &message);

} // namespace lexifind
