// Text files on Qt. Reading follows the shared rule (a byte order mark, else
// UTF-8 when the bytes are valid UTF-8, else Windows-1252). Writing produces
// UTF-8 with LF, which holds every character; it goes to a temporary file
// that replaces the target only when it is closed successfully.

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "runtime/DecodingFileReader.h"
#include "runtime/Failure.h"
#include "runtime/qt/Core.h"
#include "runtime/qt/TextFiles.h"

namespace rtqt {

namespace {

[[noreturn]] void fail(const QString& path, const QString& reason) {
    throw rt::IoError(fromQ(path + QStringLiteral(" (") + reason + QStringLiteral(")")));
}

void refuseDirectory(const QString& path) {
    if (QFileInfo(path).isDir()) fail(path, QStringLiteral("Is a directory"));
}

class FileReader final : public rt::DecodingFileReader {
public:
    FileReader(const QString& path, std::size_t blockSize) : DecodingFileReader(fromQ(path), blockSize), file_(path) {
        refuseDirectory(path);
        if (!file_.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) fail(path, file_.errorString());
    }

    void close() override { file_.close(); }

private:
    std::size_t readBytes(char* buffer, std::size_t size) override {
        const qint64 read = file_.read(buffer, static_cast<qint64>(size));
        if (read < 0) fail(file_.fileName(), file_.errorString());
        return static_cast<std::size_t>(read);
    }

    std::size_t expectedSize() const override {
        return file_.isSequential() ? 0 : static_cast<std::size_t>(std::max<qint64>(file_.size(), 0));
    }
    void appendCodePage(std::string_view bytes, rt::String& out) override { rt::appendWindows1252(bytes, out); }

    QFile file_;
};

// Writes through a QSaveFile; a target that is not a regular file (a device,
// a pipe) cannot be replaced and is written directly. A file the user may
// not write is never replaced, although its folder would allow it.
class FileWriter final : public rt::TextWriter {
public:
    explicit FileWriter(const QString& path) : path_(path) {
        refuseDirectory(path);
        const QFileInfo info(path);
        if (info.isFile()) refuseUnwritable(path, info);
        safe_ = !info.exists() || info.isFile();
        if (safe_) device_ = std::make_unique<QSaveFile>(path);
        else device_ = std::make_unique<QFile>(path);
        // Unbuffered: the writer gathers lines itself, and a failing write
        // reports the system's reason at once.
        if (!device_->open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered))
            fail(path, device_->errorString());
    }

    void writeLine(const rt::String& line) override {
        if (failed_) fail(path_, reason_);
        rt::appendUtf8(line, pending_);
        pending_ += '\n';
        // A replaced target only appears when close() commits, so nothing can
        // see a half-written file: lines go out in large writes there, and
        // one by one only when writing directly.
        if (!safe_ || pending_.size() >= ChunkSize) writePending();
    }

    void close() override {
        if (failed_) fail(path_, reason_);
        writePending();
        auto* save = dynamic_cast<QSaveFile*>(device_.get());
        const bool done = save != nullptr ? save->commit() : (device_->flush() && (device_->close(), true));
        if (!done || device_->error() != QFileDevice::NoError) failWith(device_->errorString());
    }

private:
    static constexpr std::size_t ChunkSize = std::size_t{1} << 20;

    // A file marked read-only (no write permission for anyone: this also
    // holds for root, whom the system would let write) or one this user may
    // not open for writing keeps its contents; opening it to append writes
    // nothing and gives the system's reason.
    static void refuseUnwritable(const QString& path, const QFileInfo& info) {
        constexpr auto anyWrite = QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
        if ((info.permissions() & anyWrite) == 0) fail(path, QStringLiteral("Permission denied"));
        QFile probe(path);
        if (!probe.open(QIODevice::WriteOnly | QIODevice::Append)) fail(path, probe.errorString());
    }

    // A write cut short (the disk filled up part-way) is retried with the
    // rest: the retry fails with the system's reason, where the short write
    // itself carries none.
    void writePending() {
        for (std::size_t done = 0; done < pending_.size();) {
            const qint64 written =
                device_->write(pending_.data() + done, static_cast<qint64>(pending_.size() - done));
            if (written <= 0) failWith(device_->errorString());
            done += static_cast<std::size_t>(written);
        }
        pending_.clear();
    }

    [[noreturn]] void failWith(const QString& reason) {
        failed_ = true;
        reason_ = reason;
        if (auto* save = dynamic_cast<QSaveFile*>(device_.get())) save->cancelWriting();
        fail(path_, reason);
    }

    QString path_;
    std::unique_ptr<QFileDevice> device_;
    bool safe_ = true;  // through a QSaveFile
    std::string pending_;
    bool failed_ = false;
    QString reason_;
};

}  // namespace

std::unique_ptr<rt::TextReader> openTextReader(const rt::String& path, std::size_t blockSize) {
    return std::make_unique<FileReader>(toQ(path), blockSize);
}

std::unique_ptr<rt::TextWriter> openTextWriter(const rt::String& path) {
    return std::make_unique<FileWriter>(toQ(path));
}

}  // namespace rtqt
