#pragma once
// Owners for the kernel and registry handles of the platform layer: each closes itself.
#include <windows.h>

#include <utility>

namespace orv::platform::win32 {

// A kernel handle (process, token, mutex); null and INVALID_HANDLE_VALUE mean none.
class UniqueHandle {
  public:
    UniqueHandle() = default;
    explicit UniqueHandle(HANDLE h) : h_(h) {}
    ~UniqueHandle() { Reset(); }
    UniqueHandle(UniqueHandle&& o) noexcept : h_(std::exchange(o.h_, nullptr)) {}
    UniqueHandle& operator=(UniqueHandle&& o) noexcept {
        if (this != &o) {
            Reset();
            h_ = std::exchange(o.h_, nullptr);
        }
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    HANDLE Get() const { return h_; }
    HANDLE* Put() {
        Reset();
        return &h_;
    }
    explicit operator bool() const { return h_ != nullptr && h_ != INVALID_HANDLE_VALUE; }
    void Reset() {
        if (*this) CloseHandle(h_);
        h_ = nullptr;
    }

  private:
    HANDLE h_ = nullptr;
};

class RegKey {
  public:
    RegKey() = default;
    ~RegKey() { Reset(); }
    RegKey(RegKey&& o) noexcept : h_(std::exchange(o.h_, nullptr)) {}
    RegKey& operator=(RegKey&& o) noexcept {
        if (this != &o) {
            Reset();
            h_ = std::exchange(o.h_, nullptr);
        }
        return *this;
    }
    RegKey(const RegKey&) = delete;
    RegKey& operator=(const RegKey&) = delete;

    HKEY Get() const { return h_; }
    HKEY* Put() {
        Reset();
        return &h_;
    }
    explicit operator bool() const { return h_ != nullptr; }
    void Reset() {
        if (h_ != nullptr) RegCloseKey(h_);
        h_ = nullptr;
    }

  private:
    HKEY h_ = nullptr;
};

// A loaded module, freed with the owner.
class UniqueModule {
  public:
    explicit UniqueModule(HMODULE h) : h_(h) {}
    ~UniqueModule() {
        if (h_ != nullptr) FreeLibrary(h_);
    }
    UniqueModule(const UniqueModule&) = delete;
    UniqueModule& operator=(const UniqueModule&) = delete;
    HMODULE Get() const { return h_; }

  private:
    HMODULE h_;
};

// A SID from AllocateAndInitializeSid.
class UniqueSid {
  public:
    UniqueSid() = default;
    ~UniqueSid() {
        if (sid_ != nullptr) FreeSid(sid_);
    }
    UniqueSid(const UniqueSid&) = delete;
    UniqueSid& operator=(const UniqueSid&) = delete;
    PSID Get() const { return sid_; }
    PSID* Put() { return &sid_; }

  private:
    PSID sid_ = nullptr;
};

// A function of a system DLL that older Windows versions may lack, looked up at run time.
template <typename Fn>
Fn SystemFunction(const wchar_t* module, const char* name) {
    HMODULE m = GetModuleHandleW(module);
    if (m == nullptr) return nullptr;
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(m, name)));
}

}  // namespace orv::platform::win32
