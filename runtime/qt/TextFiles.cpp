// Text files in the platform's default encoding. Reading decodes big blocks
// and splits lines at LF, CR or CR LF; neither a CR LF nor a character split
// between two blocks changes the text read. Writing goes to a temporary file
// that replaces the target only when it is closed successfully.

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

#include "runtime/BlockLineReader.h"
#include "runtime/Failure.h"
#include "runtime/qt/Core.h"
#include "runtime/qt/TextFiles.h"

namespace rtqt {

namespace {

constexpr char16_t ByteOrderMark = 0xFEFF;

#ifdef Q_OS_WIN
constexpr char LineSeparator[] = "\r\n";
#else
constexpr char LineSeparator[] = "\n";
#endif

// Whether the platform's default encoding is UTF-8 (probed, since its name
// is only "Locale").
bool systemIsUtf8() {
    static const bool utf8 = QStringDecoder(QStringConverter::System).decode(QByteArray("\xC3\xA9")) == QString(QChar(0xE9));
    return utf8;
}

[[noreturn]] void fail(const QString& path, const QString& reason) {
    throw rt::IoError(fromQ(path + QStringLiteral(" (") + reason + QStringLiteral(")")));
}

void refuseDirectory(const QString& path) {
    if (QFileInfo(path).isDir()) fail(path, QStringLiteral("Is a directory"));
}

class FileReader final : public rt::BlockLineReader {
public:
    FileReader(const QString& path, std::size_t blockSize) : file_(path), blockSize_(static_cast<qint64>(blockSize)) {
        refuseDirectory(path);
        if (!file_.open(QIODevice::ReadOnly)) fail(path, file_.errorString());
    }

    void close() override { file_.close(); }

private:
    bool nextBlock(rt::String& block) override {
        const QByteArray bytes = file_.read(blockSize_);
        if (bytes.isEmpty() && file_.error() != QFileDevice::NoError) fail(file_.fileName(), file_.errorString());
        const bool atEnd = bytes.isEmpty();
        decode(bytes, atEnd, block);
        return !atEnd;
    }

    // Decodes a block (empty at the end of the file) into block. A sequence
    // cut off at the end of a block is completed from the next one.
    void decode(const QByteArray& bytes, bool atEnd, rt::String& block) {
        if (!utf8_) {
            block = fromQ(decoder_.decode(bytes));
            return;
        }
        utf8Decoder_.decode(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())), block);
        if (atEnd) utf8Decoder_.finish(block);
        skipByteOrderMark(block);
    }

    // A byte order mark as the file's first character is not text.
    void skipByteOrderMark(rt::String& block) {
        if (textSeen_ || block.empty()) return;
        textSeen_ = true;
        if (block.front() == ByteOrderMark) block.erase(0, 1);
    }

    QFile file_;
    const qint64 blockSize_;
    const bool utf8_ = systemIsUtf8();
    rt::Utf8Decoder utf8Decoder_;
    QStringDecoder decoder_{QStringConverter::System};
    bool textSeen_ = false;
};

// Writes through a QSaveFile; a target that is not a regular file (a device,
// a pipe) cannot be replaced and is written directly.
class FileWriter final : public rt::TextWriter {
public:
    explicit FileWriter(const QString& path) : path_(path) {
        refuseDirectory(path);
        const QFileInfo info(path);
        if (info.exists() && !info.isFile()) device_ = std::make_unique<QFile>(path);
        else device_ = std::make_unique<QSaveFile>(path);
        // Unbuffered: the writer gathers lines itself, and a failing write
        // reports the system's reason at once.
        if (!device_->open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered))
            fail(path, device_->errorString());
    }

    void writeLine(const rt::String& line) override {
        if (failed_) fail(path_, reason_);
        pending_.append(encoder_.encode(toQ(line)));
        pending_.append(LineSeparator);
        // A replaced target only appears when close() commits, so nothing can
        // see a half-written file: lines go out in large writes there, and
        // one by one only when writing directly.
        if (!isSafeWrite() || pending_.size() >= ChunkSize) writePending();
    }

    void close() override {
        if (failed_) fail(path_, reason_);
        writePending();
        auto* save = dynamic_cast<QSaveFile*>(device_.get());
        const bool done = save != nullptr ? save->commit() : (device_->flush() && (device_->close(), true));
        if (!done || device_->error() != QFileDevice::NoError) failWith(device_->errorString());
    }

private:
    static constexpr qsizetype ChunkSize = 1 << 16;

    bool isSafeWrite() const { return dynamic_cast<const QSaveFile*>(device_.get()) != nullptr; }

    // A write cut short (the disk filled up part-way) is retried with the
    // rest: the retry fails with the system's reason, where the short write
    // itself carries none.
    void writePending() {
        for (qint64 done = 0; done < pending_.size();) {
            const qint64 written = device_->write(pending_.constData() + done, pending_.size() - done);
            if (written <= 0) failWith(device_->errorString());
            done += written;
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
    QStringEncoder encoder_{QStringConverter::System};
    QByteArray pending_;
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
