#pragma once
// What the journal answers: a value or an error with its kind and a message, never an exception.
#include <optional>
#include <string>
#include <utility>

namespace dalvex::journal {

enum class JournalErrc {
    None = 0,
    CannotOpen, // the file cannot be opened or created
    Newer,      // made by a newer program: refused, never changed
    Damaged,    // not a journal, or its pages do not make sense
    Busy,       // another program held the lock too long
    NotFound,   // no such order or version
    Refused,    // a value the journal does not take
    Stale,      // the order was changed elsewhere since it was read: the change is refused
    Offline,    // the journal's server cannot be reached (or the connection dropped)
    Failed,     // anything else the back end reports
};

struct JournalStatus {
    JournalErrc code = JournalErrc::None;
    std::string message;

    bool ok() const { return code == JournalErrc::None; }
    explicit operator bool() const { return ok(); }
};

inline JournalStatus journalError(JournalErrc code, std::string message) {
    return {code, std::move(message)};
}

// A value or the status that explains its absence.
template <class T> class Outcome {
public:
    Outcome(T value) : value_(std::move(value)) {}
    Outcome(JournalStatus status) : status_(std::move(status)) {}

    bool ok() const { return value_.has_value(); }
    explicit operator bool() const { return ok(); }
    const T& value() const { return *value_; }
    T& value() { return *value_; }
    const T* operator->() const { return &*value_; }
    const T& operator*() const { return *value_; }
    const JournalStatus& status() const { return status_; }

private:
    std::optional<T> value_;
    JournalStatus status_;
};

} // namespace dalvex::journal
