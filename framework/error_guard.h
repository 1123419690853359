#pragma once
// The one error guard around every handling of a message: a failure, of whatever kind, is shown
// by the process's error display and the message counts as handled. Nothing ever leaves it.
#include <exception>
#include <functional>
#include <type_traits>

#include "base/object.h"

using ErrorReporter = std::function<void(const std::exception& error, TObject* sender)>;

// The application object installs its error display here; before that, failures are dropped.
void InstallErrorReporter(ErrorReporter reporter);

// Reports the exception being handled; called from inside a catch block only.
void ReportCurrentFailure(TObject* sender) noexcept;

// Runs handler; on a failure reports it and returns the zero value of the handler's result.
template <typename Handler>
auto Guarded(TObject* sender, Handler&& handler) noexcept -> decltype(handler()) {
    using Result = decltype(handler());
    try {
        return handler();
    } catch (...) {
        ReportCurrentFailure(sender);
    }
    if constexpr (!std::is_void_v<Result>) return Result{};
}
