// Text files on Win32. Reading follows the shared rule (a byte order mark,
// else UTF-8 when the bytes are valid UTF-8, else the ANSI code page).
// Writing uses the ANSI code page with CR LF where every word fits it, and
// UTF-8 with a byte order mark otherwise, so that no character is lost. It
// goes to a temporary file beside the target that replaces it only when it
// is closed successfully; a read-only target is never replaced.

#include "runtime/win32/TextFiles.h"

#include <algorithm>
#include <optional>

#include "runtime/DecodingFileReader.h"
#include "runtime/Failure.h"
#include "runtime/Text.h"
#include "runtime/win32/Core.h"

namespace rtwin {

namespace {

// Bytes read or written by one system call.
constexpr DWORD IoChunk = 1 << 20;

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

void refuseReadOnly(const rt::String& path) {
    const DWORD attributes = GetFileAttributesW(toW(path).c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        fail(path, systemReason(ERROR_ACCESS_DENIED));
    }
}

class FileReader final : public rt::DecodingFileReader {
public:
    explicit FileReader(const rt::String& path) : DecodingFileReader(path, std::size_t{1} << 20) {
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
    std::size_t readBytes(char* buffer, std::size_t size) override {
        DWORD read = 0;
        const auto wanted = static_cast<DWORD>(std::min<std::size_t>(size, IoChunk));
        if (file_ == INVALID_HANDLE_VALUE || !ReadFile(file_, buffer, wanted, &read, nullptr)) failWithLastError(path());
        return read;
    }

    std::size_t expectedSize() const override {
        LARGE_INTEGER size{};
        if (GetFileType(file_) != FILE_TYPE_DISK || !GetFileSizeEx(file_, &size)) return 0;
        return static_cast<std::size_t>(std::max<LONGLONG>(size.QuadPart, 0));
    }
    void appendCodePage(std::string_view bytes, rt::String& out) override {
        const std::wstring text = fromCodePage(std::string(bytes), CP_ACP);
        out.append(text.begin(), text.end());
    }

    HANDLE file_ = INVALID_HANDLE_VALUE;
};

std::wstring directoryOf(const std::wstring& path) {
    const std::size_t slash = path.find_last_of(L"\\/");
    if (slash == std::wstring::npos) return L".\\";
    return path.substr(0, slash + 1);
}

// The bytes of text in the ANSI code page, or nothing when a character does
// not fit it (it would become "?").
std::optional<std::string> inAnsiCodePage(const std::wstring& text) {
    if (GetACP() == CP_UTF8) return toCodePage(text, CP_UTF8);
    const int size = static_cast<int>(text.size());
    BOOL lost = FALSE;
    const int length = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), size, nullptr, 0, nullptr, &lost);
    if (lost) return std::nullopt;
    std::string bytes(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), size, bytes.data(), length, nullptr, nullptr);
    return bytes;
}

// The text in the ANSI code page, or else in UTF-8, marked as such when it
// starts a file.
std::string encoded(const std::wstring& text, bool startsFile) {
    if (auto ansi = inAnsiCodePage(text)) return std::move(*ansi);
    return (startsFile ? "\xEF\xBB\xBF" : "") + toCodePage(text, CP_UTF8);
}

// Writes to a temporary file beside the target and moves it into place on
// close; the text is encoded as a whole there, since one word outside the
// code page decides the encoding of the file. A target that is not a disk
// file (a device, a pipe) is written directly, line by line: the system
// holds no buffer of its own for it, so each line has reached it when
// writeLine returns; a line that does not fit the code page goes out in
// UTF-8 there.
class FileWriter final : public rt::TextWriter {
public:
    explicit FileWriter(const rt::String& path) : path_(path), target_(toW(path)) {
        refuseDirectory(path);
        if (isDevice()) {
            file_ = CreateFileW(target_.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
            if (file_ == INVALID_HANDLE_VALUE) failWithLastError(path);
        } else {
            refuseReadOnly(path);
            openTemporary();
        }
    }
    ~FileWriter() override {
        if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
        if (!temporary_.empty()) DeleteFileW(temporary_.c_str());
    }

    void writeLine(const rt::String& line) override {
        if (failed_) fail(path_, reason_);
        append(line);
        if (temporary_.empty()) writeText();
    }

    void close() override {
        if (failed_) fail(path_, reason_);
        if (file_ == INVALID_HANDLE_VALUE) return;
        writeText();
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

    // A new file of a name not yet taken, made here rather than by
    // GetTempFileName, which under Wine reports success in a folder that
    // refuses new files: the failure to create it carries the real reason.
    void openTemporary() {
        const std::wstring folder = directoryOf(target_);
        for (DWORD attempt = 0; attempt < 100; ++attempt) {
            const std::wstring name = folder + L"~kov" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                                      std::to_wstring(GetTickCount() + attempt) + L".tmp";
            file_ = CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL | FILE_ATTRIBUTE_TEMPORARY, nullptr);
            if (file_ != INVALID_HANDLE_VALUE) {
                temporary_ = name;
                return;
            }
            if (GetLastError() != ERROR_FILE_EXISTS) break;
        }
        failWithLastError(path_);
    }

    // ASCII text is kept as its bytes, which are the same in every ANSI code
    // page and in UTF-8; from the first other character on, the text is
    // kept in UTF-16 and encoded as a whole when written.
    void append(const rt::String& line) {
        const bool ascii = std::all_of(line.begin(), line.end(), [](char16_t c) { return c < 0x80; });
        if (ascii && text_.empty()) {
            rt::appendUtf8(line, ascii_);  // ASCII's UTF-8 is its bytes
            ascii_ += "\r\n";
            return;
        }
        if (text_.empty()) text_.assign(ascii_.begin(), ascii_.end());
        ascii_.clear();
        text_.append(line.begin(), line.end());
        text_ += L"\r\n";
    }

    void writeText() {
        const std::string bytes = text_.empty() ? std::move(ascii_) : encoded(text_, !temporary_.empty());
        ascii_.clear();
        text_.clear();
        for (std::size_t done = 0; done < bytes.size();) {
            const auto size = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, IoChunk));
            DWORD written = 0;
            if (!WriteFile(file_, bytes.data() + done, size, &written, nullptr) || written != size) {
                failWith(GetLastError());
            }
            done += written;
        }
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
    std::string ascii_;
    std::wstring text_;
    HANDLE file_ = INVALID_HANDLE_VALUE;
    bool failed_ = false;
    rt::String reason_;
};

}  // namespace

std::unique_ptr<rt::TextReader> openTextReader(const rt::String& path) { return std::make_unique<FileReader>(path); }
std::unique_ptr<rt::TextWriter> openTextWriter(const rt::String& path) { return std::make_unique<FileWriter>(path); }

}  // namespace rtwin
