#pragma once

#include <QString>

#include <utility>

// What a step that can fail came to: success, or a failure with a message
// for the user. The compiler warns wherever a result is dropped unread.
class [[nodiscard]] Result
{
public:
    static Result success() { return Result(); }
    static Result failure(QString message) { return Result(std::move(message)); }

    bool ok() const { return !m_failed; }
    explicit operator bool() const { return ok(); }
    // What went wrong; empty after a success.
    const QString& message() const { return m_message; }

private:
    Result() = default;
    explicit Result(QString message)
        : m_failed(true)
        , m_message(std::move(message))
    {
    }

    bool m_failed = false;
    QString m_message;
};
