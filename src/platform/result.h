#pragma once
// One result type for everything that can fail: a value, or the message that says why there is none.
// Expected failures (a refused code, a missing file, a full table) travel as results and are shown through
// the message port by whoever decides what the person sees.

#include <optional>
#include <string>
#include <utility>
#include <variant>

namespace trevalon {

// Why something failed, in the words the person is shown.
struct Failure {
    std::string message;
};

inline Failure fail(std::string message) {
    return Failure{std::move(message)};
}

template <class T>
class [[nodiscard]] Result {
  public:
    // cppcheck-suppress noExplicitConstructor ; implicit on purpose: a function returns its value
    Result(T value) : v_(std::in_place_index<0>, std::move(value)) {}  // NOLINT: implicit on purpose
    // cppcheck-suppress noExplicitConstructor ; implicit on purpose: a function returns fail(...)
    Result(Failure f) : v_(std::in_place_index<1>, std::move(f)) {}  // NOLINT

    bool ok() const { return v_.index() == 0; }
    explicit operator bool() const { return ok(); }

    T& value() & { return std::get<0>(v_); }
    const T& value() const& { return std::get<0>(v_); }
    T&& value() && { return std::get<0>(std::move(v_)); }
    T* operator->() { return &value(); }
    const T* operator->() const { return &value(); }
    T& operator*() & { return value(); }
    const T& operator*() const& { return value(); }

    // The failure's message; empty for a result that holds a value.
    const std::string& error() const {
        static const std::string none;
        return ok() ? none : std::get<1>(v_).message;
    }

  private:
    std::variant<T, Failure> v_;
};

template <>
class [[nodiscard]] Result<void> {
  public:
    Result() = default;
    // cppcheck-suppress noExplicitConstructor ; implicit on purpose: a function returns fail(...)
    Result(Failure f) : failure_(std::move(f)) {}  // NOLINT: implicit on purpose

    bool ok() const { return !failure_; }
    explicit operator bool() const { return ok(); }
    const std::string& error() const {
        static const std::string none;
        return failure_ ? failure_->message : none;
    }

  private:
    std::optional<Failure> failure_;
};

using Status = Result<void>;

}  // namespace trevalon
