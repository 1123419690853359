#include "framework/error_guard.h"

#include <utility>

#include "base/exceptions.h"

namespace {

ErrorReporter& InstalledReporter() {
    static ErrorReporter reporter;
    return reporter;
}

}  // namespace

void InstallErrorReporter(ErrorReporter reporter) { InstalledReporter() = std::move(reporter); }

void ReportCurrentFailure(TObject* sender) noexcept {
    const ErrorReporter& report = InstalledReporter();
    if (!report) return;
    try {
        try {
            throw;
        } catch (const std::exception& error) {
            report(error, sender);
        } catch (...) {
            // A failure that carries no message shows an empty box.
            report(Exception(""), sender);
        }
    } catch (...) {
        // The display itself failed (no memory for the box's text): nothing more can be shown.
    }
}
