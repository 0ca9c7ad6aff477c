// Text files in the system's ANSI code page, lines written with CR LF.
// Reading decodes big blocks and splits lines at LF, CR or CR LF (also when
// a CR LF or a multi-byte character is split between two blocks). Writing
// goes to a temporary file beside the target that replaces it only when it
// is closed successfully.

#include "runtime/win32/TextFiles.h"

#include "runtime/BlockLineReader.h"
#include "runtime/Failure.h"
#include "runtime/win32/Core.h"

namespace rtwin {

namespace {

constexpr DWORD BlockSize = 1 << 20;

rt::String systemReason(DWORD error) {
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
        reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring reason = length > 0 ? std::wstring(text, length) : L"error " + std::to_wstring(error);
    LocalFree(text);
    while (!reason.empty() && (reason.back() == L'\n' || reason.back() == L'\r' || reason.back() == L'.' ||
                               reason.back() == L' '))
        reason.pop_back();
    return fromW(reason);
}

[[noreturn]] void fail(const rt::String& path, const rt::String& reason) {
    throw rt::IoError(path + u" (" + reason + u")");
}

[[noreturn]] void failWithLastError(const rt::String& path) { fail(path, systemReason(GetLastError())); }

void refuseDirectory(const rt::String& path) {
    const DWORD attributes = GetFileAttributesW(toW(path).c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        fail(path, u"Is a directory");
    }
}

// Bytes at the end of a block that begin a character not yet complete.
std::size_t openTail(const std::string& bytes, UINT codePage) {
    if (bytes.empty()) return 0;
    if (codePage == CP_UTF8) {
        for (std::size_t back = 1; back <= 3 && back <= bytes.size(); ++back) {
            const auto c = static_cast<unsigned char>(bytes[bytes.size() - back]);
            if ((c & 0xC0) == 0x80) continue;
            const std::size_t length = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
            return length > back ? back : 0;
        }
        return 0;
    }
    // A lead byte of a double-byte code page: count the lead bytes before
    // it to know whether the last byte starts a character.
    std::size_t leads = 0;
    for (std::size_t i = bytes.size(); i > 0 && IsDBCSLeadByteEx(codePage, static_cast<BYTE>(bytes[i - 1])); --i) ++leads;
    return leads % 2;
}

class FileReader final : public rt::BlockLineReader {
public:
    explicit FileReader(const rt::String& path) : path_(path) {
        refuseDirectory(path);
        file_ = CreateFileW(toW(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
        if (file_ == INVALID_HANDLE_VALUE) failWithLastError(path);
    }
    ~FileReader() override { close(); }

    void close() override {
        if (file_ != INVALID_HANDLE_VALUE) CloseHandle(std::exchange(file_, INVALID_HANDLE_VALUE));
    }

private:
    bool nextBlock(rt::String& block) override {
        std::string bytes = std::move(pending_);
        const std::size_t kept = bytes.size();
        bytes.resize(kept + BlockSize);
        DWORD read = 0;
        if (file_ == INVALID_HANDLE_VALUE || !ReadFile(file_, bytes.data() + kept, BlockSize, &read, nullptr)) {
            failWithLastError(path_);
        }
        bytes.resize(kept + read);
        const bool atEnd = read == 0;
        // A character cut by the end of the block waits for the next one;
        // one cut by the end of the file shows as U+FFFD.
        const std::size_t tail = atEnd ? 0 : openTail(bytes, codePage_);
        pending_.assign(bytes.end() - static_cast<std::ptrdiff_t>(tail), bytes.end());
        bytes.resize(bytes.size() - tail);
        block = fromW(fromCodePage(bytes, codePage_));
        return !atEnd;
    }

    rt::String path_;
    HANDLE file_ = INVALID_HANDLE_VALUE;
    const UINT codePage_ = GetACP();
    std::string pending_;
};

std::wstring directoryOf(const std::wstring& path) {
    const std::size_t slash = path.find_last_of(L"\\/");
    if (slash == std::wstring::npos) return L".";
    return path.substr(0, slash + 1);
}

// Writes to a temporary file beside the target and moves it into place on
// close; a target that is not a disk file (a device, a pipe) is written
// directly: the system holds no buffer of its own for it, so each line has
// reached it when writeLine returns.
class FileWriter final : public rt::TextWriter {
public:
    explicit FileWriter(const rt::String& path) : path_(path), target_(toW(path)) {
        refuseDirectory(path);
        if (isDevice()) {
            file_ = CreateFileW(target_.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        } else {
            openTemporary();
        }
        if (file_ == INVALID_HANDLE_VALUE) failWithLastError(path);
    }
    ~FileWriter() override {
        if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
        if (!temporary_.empty()) DeleteFileW(temporary_.c_str());
    }

    void writeLine(const rt::String& line) override {
        if (failed_) fail(path_, reason_);
        std::string bytes = toCodePage(toW(line), CP_ACP) + "\r\n";
        DWORD written = 0;
        if (!WriteFile(file_, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
            written != bytes.size()) {
            failWith(GetLastError());
        }
    }

    void close() override {
        if (failed_) fail(path_, reason_);
        if (file_ == INVALID_HANDLE_VALUE) return;
        const bool flushed = temporary_.empty() || FlushFileBuffers(file_);
        const DWORD flushError = GetLastError();
        CloseHandle(std::exchange(file_, INVALID_HANDLE_VALUE));
        if (!flushed) failWith(flushError);
        if (temporary_.empty()) return;
        if (!MoveFileExW(temporary_.c_str(), target_.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            failWith(GetLastError());
        }
        temporary_.clear();
    }

private:
    bool isDevice() const {
        HANDLE probe = CreateFileW(target_.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                   OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (probe == INVALID_HANDLE_VALUE) return false;
        const bool device = GetFileType(probe) != FILE_TYPE_DISK;
        CloseHandle(probe);
        return device;
    }

    void openTemporary() {
        wchar_t name[MAX_PATH + 1];
        if (GetTempFileNameW(directoryOf(target_).c_str(), L"kov", 0, name) == 0) return;
        temporary_ = name;
        file_ = CreateFileW(name, GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    }

    [[noreturn]] void failWith(DWORD error) {
        failed_ = true;
        reason_ = systemReason(error);
        if (file_ != INVALID_HANDLE_VALUE) CloseHandle(std::exchange(file_, INVALID_HANDLE_VALUE));
        if (!temporary_.empty()) DeleteFileW(temporary_.c_str());
        temporary_.clear();
        fail(path_, reason_);
    }

    rt::String path_;
    std::wstring target_;
    std::wstring temporary_;
    HANDLE file_ = INVALID_HANDLE_VALUE;
    bool failed_ = false;
    rt::String reason_;
};

}  // namespace

std::unique_ptr<rt::TextReader> openTextReader(const rt::String& path) { return std::make_unique<FileReader>(path); }
std::unique_ptr<rt::TextWriter> openTextWriter(const rt::String& path) { return std::make_unique<FileWriter>(path); }

}  // namespace rtwin
