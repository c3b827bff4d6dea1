#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <algorithm>

#include "platform/files.h"

namespace grelvin {

namespace {

// The largest count handed to one ReadFile or WriteFile call: the calls take
// a 32-bit count.
constexpr std::size_t kMaxTransfer = std::size_t{1} << 30;

HANDLE toHandle(std::intptr_t handle) {
    return reinterpret_cast<HANDLE>(handle);
}

std::intptr_t fromHandle(HANDLE handle) {
    return reinterpret_cast<std::intptr_t>(handle);
}

bool isOpen(std::intptr_t handle) {
    return handle != fromHandle(INVALID_HANDLE_VALUE) && handle != 0;
}

bool writeAll(HANDLE handle, const char* data, std::size_t size) {
    while (size != 0) {
        const auto chunk = static_cast<DWORD>(std::min(size, kMaxTransfer));
        DWORD written = 0;
        if (!::WriteFile(handle, data, chunk, &written, nullptr) || written == 0) {
            return false;
        }
        data += written;
        size -= written;
    }
    return true;
}

// The volume serial number and file index of an open file: the identity that
// every name of the file shares.
bool fileIdentity(HANDLE handle, std::uint64_t& volume, std::uint64_t& index) {
    BY_HANDLE_FILE_INFORMATION information{};
    if (!::GetFileInformationByHandle(handle, &information)) {
        return false;
    }
    volume = information.dwVolumeSerialNumber;
    index = (std::uint64_t{information.nFileIndexHigh} << 32) | information.nFileIndexLow;
    return true;
}

// Whether `path` itself (not what a link there points to) is the file whose
// identity is given.
bool pathNamesFile(const char* path, std::uint64_t volume, std::uint64_t index) {
    const HANDLE handle = ::CreateFileA(
        path, FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
        OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return false;
    }
    std::uint64_t pathVolume = 0;
    std::uint64_t pathIndex = 0;
    const bool same =
        fileIdentity(handle, pathVolume, pathIndex) && pathVolume == volume && pathIndex == index;
    ::CloseHandle(handle);
    return same;
}

}  // namespace

void initPlatform() {
    // A path on a drive without a medium then fails the open with its error
    // code instead of waiting for someone to close a message box.
    ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
}

bool openInputFile(const char* path, InputFile& file, long& errorCode) {
    // Shared for reading only: while the input is open, no one (this process
    // included) can open the same file for writing, under any of its names.
    const HANDLE handle = ::CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        errorCode = static_cast<long>(::GetLastError());
        return false;
    }
    file.handle = fromHandle(handle);
    return true;
}

InputImage readInputFile(const InputFile& file) {
    const HANDLE handle = toHandle(file.handle);
    InputImage image;
    std::size_t expected = 0;
    LARGE_INTEGER size{};
    if (::GetFileType(handle) == FILE_TYPE_DISK && ::GetFileSizeEx(handle, &size) &&
        size.QuadPart > 0) {
        expected = static_cast<std::size_t>(size.QuadPart);
    }
    // One byte more than the expected size, so that a disk file is read in one
    // call and its end seen in the next. Pipes and consoles end with a read
    // that delivers nothing or fails.
    image.resize(expected + 1 > 65536 ? expected + 1 : 65536);
    std::size_t used = 0;
    for (;;) {
        if (used == image.size()) {
            image.resize(image.size() * 2);
        }
        const auto request = static_cast<DWORD>(std::min(image.size() - used, kMaxTransfer));
        DWORD got = 0;
        if (!::ReadFile(handle, image.data() + used, request, &got, nullptr) || got == 0) {
            break;
        }
        used += got;
    }
    image.resize(used);
    return image;
}

void closeInputFile(InputFile& file) {
    if (isOpen(file.handle)) {
        ::CloseHandle(toHandle(file.handle));
    }
    file.handle = -1;
}

bool openOutputFile(const char* path, const InputFile& /*input*/, OutputFile& file) {
    // Opened without truncation. The input is open shared for reading only, so
    // this open fails with a sharing violation when `path` names the input in
    // any form (letter case, relative or absolute, another link): the input is
    // never emptied.
    const HANDLE handle = ::CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return false;
    }
    // Devices such as NUL or COM1 are written as they are, never emptied or
    // removed.
    file.isRegular = ::GetFileType(handle) == FILE_TYPE_DISK;
    if (file.isRegular) {
        if (!fileIdentity(handle, file.volume, file.index) ||
            ::SetFilePointer(handle, 0, nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER ||
            !::SetEndOfFile(handle)) {
            ::CloseHandle(handle);
            return false;
        }
    }
    file.handle = fromHandle(handle);
    return true;
}

bool writeOutputFile(const OutputFile& file, const char* data, std::size_t size) {
    return writeAll(toHandle(file.handle), data, size);
}

bool closeOutputFile(OutputFile& file) {
    if (!isOpen(file.handle)) {
        return true;
    }
    const BOOL closed = ::CloseHandle(toHandle(file.handle));
    file.handle = -1;
    return closed != 0;
}

void discardOutputFile(const char* path, OutputFile& file) {
    if (!file.isRegular) {
        closeOutputFile(file);
        return;
    }
    if (pathNamesFile(path, file.volume, file.index)) {
        closeOutputFile(file);
        ::DeleteFileA(path);
        return;
    }
    if (isOpen(file.handle)) {
        // Reached through a link: empty the file rather than remove the link.
        if (::SetFilePointer(toHandle(file.handle), 0, nullptr, FILE_BEGIN) !=
            INVALID_SET_FILE_POINTER) {
            ::SetEndOfFile(toHandle(file.handle));
        }
    }
    closeOutputFile(file);
}

void writeConsole(std::string_view text) {
    // The bytes as given: each message ends in a bare line feed, as on every
    // platform, with no text-mode translation.
    const HANDLE handle = ::GetStdHandle(STD_OUTPUT_HANDLE);
    if (handle == INVALID_HANDLE_VALUE || handle == nullptr) {
        return;
    }
    writeAll(handle, text.data(), text.size());
}

}  // namespace grelvin
