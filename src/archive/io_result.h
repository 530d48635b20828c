// How the archive reports a file operation that failed: which file, and what
// could not be done with it. Nothing here shows a message; the commands turn
// an IoError into the text of their "ATTENZIONE" box.
#pragma once

#include <optional>
#include <string>
#include <utility>

namespace tessaro::archive {

struct IoError {
    // Pending: an operation left unfinished could not be undone yet, and
    // nothing may be written until it is. Changed: the book is not the one
    // whose next number the window holds (changed by another program, or
    // its year switch failed).
    enum class Action { Open, Read, Write, Remove, Pending, Changed };
    Action action = Action::Open;
    std::string path;

    // Italian sentence for the user, e.g. "Impossibile scrivere il file /x/12024.arc".
    std::string describe() const;
};

class Status {
public:
    Status() = default;
    Status(IoError error) : m_error(std::move(error)) { }

    bool ok() const { return !m_error.has_value(); }
    explicit operator bool() const { return ok(); }
    const IoError& error() const { return *m_error; }

private:
    std::optional<IoError> m_error;
};

template <typename T> class Result {
public:
    Result(T value) : m_value(std::move(value)) { }
    Result(IoError error) : m_error(std::move(error)) { }

    bool ok() const { return !m_error.has_value(); }
    explicit operator bool() const { return ok(); }
    const T& value() const { return m_value; }
    T& value() { return m_value; }
    const IoError& error() const { return *m_error; }
    Status status() const { return ok() ? Status() : Status(*m_error); }

private:
    T m_value {};
    std::optional<IoError> m_error;
};

} // namespace tessaro::archive
