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

} // namespace lexifind
