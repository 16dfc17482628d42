// How the core tells what went wrong: an action returns std::optional<Failure>, empty when done;
// a function that gives a value returns Result<T>, the value or the Failure that stopped it.
//
// A failure that needs more than its words (which rename, which line of a
// table) is a type of its own, returned the same way. A question whose only
// failure is "no" (does this entry exist?) answers bool. The system's error
// numbers and words become a Failure in platform/, nowhere else.
#pragma once

#include <string>
#include <utility>
#include <variant>

struct Failure {
    std::string reason;  // the words shown to the user, UTF-8
    int code = 0;        // the C library's error number (ENOENT, EEXIST...) on every system, or 0

    bool operator==(const Failure&) const = default;
};

template <typename T>
class Result {
public:
    Result(T value) : m_state(std::in_place_index<0>, std::move(value)) {}
    Result(Failure failure) : m_state(std::in_place_index<1>, std::move(failure)) {}

    bool HasValue() const { return m_state.index() == 0; }
    explicit operator bool() const { return HasValue(); }

    T& operator*() { return std::get<0>(m_state); }
    const T& operator*() const { return std::get<0>(m_state); }
    T* operator->() { return &std::get<0>(m_state); }
    const T* operator->() const { return &std::get<0>(m_state); }

    T ValueOr(T otherwise) const { return HasValue() ? **this : std::move(otherwise); }

    // Only when there is no value.
    const Failure& GetFailure() const { return std::get<1>(m_state); }

private:
    std::variant<T, Failure> m_state;
};
