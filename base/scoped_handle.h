#pragma once
// One owner for every kind of handle: Close runs once when the owner goes, unless ownership was
// handed on with Release() (as when the clipboard takes a memory block).
#include <utility>

template <typename Handle, auto Close>
class ScopedHandle {
public:
    ScopedHandle() = default;
    explicit ScopedHandle(Handle handle) noexcept : handle_(handle) {}
    ScopedHandle(ScopedHandle&& other) noexcept : handle_(other.Release()) {}
    ScopedHandle& operator=(ScopedHandle&& other) noexcept {
        if (this != &other) {
            Reset();
            handle_ = other.Release();
        }
        return *this;
    }
    ScopedHandle(const ScopedHandle&) = delete;
    ScopedHandle& operator=(const ScopedHandle&) = delete;
    ~ScopedHandle() { Reset(); }

    Handle Get() const noexcept { return handle_; }
    explicit operator bool() const noexcept { return handle_ != Handle{}; }

    Handle Release() noexcept { return std::exchange(handle_, Handle{}); }

    void Reset() noexcept {
        if (handle_ != Handle{}) Close(Release());
    }

private:
    Handle handle_{};
};
