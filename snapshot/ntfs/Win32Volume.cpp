// A volume opened as "\\.\X:". Volume handles take only reads whose offset and length are
// whole sectors, so other reads go through an aligned bounce buffer.
#include <windows.h>
#include <winioctl.h>

#include <cstring>
#include <new>
#include <vector>

#include "Volume.h"

namespace snap::ntfs {

namespace {

// Covers 512-byte and 4 KiB sectors alike.
constexpr uint64_t kAlign = 4096;

class Win32Volume final : public ByteSource {
  public:
    Win32Volume(HANDLE h, uint64_t size) : handle_(h), size_(size) {}
    ~Win32Volume() override { CloseHandle(handle_); }
    uint64_t Size() const override { return size_; }

    bool ReadAt(uint64_t offset, void* buffer, size_t n) override {
        if (offset > size_ || n > size_ - offset) return false;
        if (n == 0) return true;
        if (offset % kAlign == 0 && n % kAlign == 0) return Raw(offset, buffer, n);
        const uint64_t first = offset - offset % kAlign;
        const uint64_t end = (offset + n + kAlign - 1) / kAlign * kAlign;
        try {
            bounce_.resize(static_cast<size_t>(end - first));
        } catch (...) {
            return false;
        }
        if (!Raw(first, bounce_.data(), bounce_.size())) return false;
        std::memcpy(buffer, bounce_.data() + (offset - first), n);
        return true;
    }

  private:
    bool Raw(uint64_t offset, void* buffer, size_t n) {
        auto* p = static_cast<unsigned char*>(buffer);
        while (n > 0) {
            const DWORD want = n > (1u << 30) ? (1u << 30) : static_cast<DWORD>(n);
            OVERLAPPED at{};
            at.Offset = static_cast<DWORD>(offset);
            at.OffsetHigh = static_cast<DWORD>(offset >> 32);
            DWORD got = 0;
            if (!ReadFile(handle_, p, want, &got, &at) || got == 0) return false;
            p += got;
            offset += got;
            n -= got;
        }
        return true;
    }

    HANDLE handle_;
    uint64_t size_;
    std::vector<unsigned char> bounce_;
};

}  // namespace

std::unique_ptr<ByteSource> OpenNtfsVolume(std::u16string_view rootPath) {
    // Only a drive root: "X:\".
    if (rootPath.size() != 3 || rootPath[1] != u':' || rootPath[2] != u'\\') return nullptr;
    const wchar_t letter = static_cast<wchar_t>(rootPath[0]);
    if (!((letter >= L'A' && letter <= L'Z') || (letter >= L'a' && letter <= L'z'))) return nullptr;
    const wchar_t root[] = {letter, L':', L'\\', 0};
    wchar_t fsName[MAX_PATH + 1] = {};
    if (!GetVolumeInformationW(root, nullptr, 0, nullptr, nullptr, nullptr, fsName, MAX_PATH + 1))
        return nullptr;
    if (lstrcmpiW(fsName, L"NTFS") != 0) return nullptr;
    const wchar_t device[] = {L'\\', L'\\', L'.', L'\\', letter, L':', 0};
    const HANDLE h = CreateFileW(device, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                 OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (h == INVALID_HANDLE_VALUE) return nullptr;
    GET_LENGTH_INFORMATION length{};
    DWORD got = 0;
    uint64_t size = 0;
    if (DeviceIoControl(h, IOCTL_DISK_GET_LENGTH_INFO, nullptr, 0, &length, sizeof length, &got,
                        nullptr)) {
        size = static_cast<uint64_t>(length.Length.QuadPart);
    }
    LARGE_INTEGER fileSize{};
    // A drive that stands for an image file (Wine's "x::" device links) answers as a file.
    if (size == 0 && GetFileSizeEx(h, &fileSize)) size = static_cast<uint64_t>(fileSize.QuadPart);
    if (size == 0) {
        CloseHandle(h);
        return nullptr;
    }
    auto* v = new (std::nothrow) Win32Volume(h, size);
    if (!v) CloseHandle(h);
    return std::unique_ptr<ByteSource>(v);
}

}  // namespace snap::ntfs
