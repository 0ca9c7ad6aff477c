// Text files in the platform's default encoding. Reading decodes big blocks
// and splits lines at LF, CR or CR LF (also when a CR LF is split between
// two blocks). Writing goes to a temporary file that replaces the target only
// when it is closed successfully.

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

#include "runtime/Failure.h"
#include "runtime/qt/Core.h"
#include "runtime/qt/TextFiles.h"

namespace rtqt {

namespace {

constexpr qint64 BlockSize = 1 << 20;

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

class FileReader final : public rt::TextReader {
public:
    explicit FileReader(const QString& path) : file_(path) {
        refuseDirectory(path);
        if (!file_.open(QIODevice::ReadOnly)) fail(path, file_.errorString());
    }

    bool readLine(rt::String& line) override {
        line.clear();
        bool any = false;
        while (pos_ < buffer_.size() || fill()) {
            if (std::exchange(skipLineFeed_, false) && buffer_.at(pos_) == u'\n') {
                ++pos_;
                continue;
            }
            any = true;
            if (takeUntilTerminator(line)) return true;
        }
        return any;
    }

    void close() override { file_.close(); }

private:
    // Appends the text up to the next terminator to line; true when the
    // terminator was found (and consumed).
    bool takeUntilTerminator(rt::String& line) {
        const QChar* data = buffer_.constData();
        const qsizetype size = buffer_.size();
        qsizetype end = pos_;
        while (end < size && data[end] != u'\n' && data[end] != u'\r') ++end;
        line.append(reinterpret_cast<const char16_t*>(data + pos_), static_cast<size_t>(end - pos_));
        if (end == size) {
            pos_ = size;
            return false;
        }
        pos_ = end + 1;
        if (data[end] == u'\r') {
            if (pos_ < size && data[pos_] == u'\n') ++pos_;
            else if (pos_ == size) skipLineFeed_ = true;
        }
        return true;
    }

    bool fill() {
        buffer_.clear();
        pos_ = 0;
        while (buffer_.isEmpty() && !atEnd_) {
            const QByteArray bytes = file_.read(BlockSize);
            if (bytes.isEmpty() && file_.error() != QFileDevice::NoError) fail(file_.fileName(), file_.errorString());
            atEnd_ = bytes.isEmpty();
            // A truncated sequence at the very end still shows as U+FFFD.
            buffer_ = atEnd_ ? (pendingBytes_ ? QString(QChar::ReplacementCharacter) : QString())
                             : decoder_.decode(bytes);
            pendingBytes_ = !atEnd_ && utf8_ && endsInsideSequence(bytes);
        }
        return !buffer_.isEmpty();
    }

    // The length of the UTF-8 sequence that lead starts; 1 for a byte that
    // cannot start one (C0, C1, F5 to FF), which the decoder has already
    // replaced on its own.
    static int sequenceLength(unsigned char lead) {
        if (lead >= 0xF5 || lead == 0xC0 || lead == 0xC1) return 1;
        return lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    }

    // Whether a UTF-8 sequence begun at the end of bytes is still open.
    static bool endsInsideSequence(const QByteArray& bytes) {
        for (qsizetype back = 1; back <= 3 && back <= bytes.size(); ++back) {
            const auto c = static_cast<unsigned char>(bytes.at(bytes.size() - back));
            if ((c & 0xC0) == 0x80) continue;
            return sequenceLength(c) > back;
        }
        return false;
    }

    QFile file_;
    QStringDecoder decoder_{QStringConverter::System};
    const bool utf8_ = systemIsUtf8();
    QString buffer_;
    qsizetype pos_ = 0;
    bool skipLineFeed_ = false;
    bool atEnd_ = false;
    bool pendingBytes_ = false;
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
        if (!device_->open(QIODevice::WriteOnly | QIODevice::Truncate)) fail(path, device_->errorString());
    }

    void writeLine(const rt::String& line) override {
        if (failed_) fail(path_, reason_);
        QByteArray bytes = encoder_.encode(toQ(line));
        bytes.append(LineSeparator);
        if (device_->write(bytes) != bytes.size()) failWith(device_->errorString());
        // A replaced target only appears when close() commits, so nothing can
        // see a half-written file: flush per line only when writing directly.
        if (!isSafeWrite() && !device_->flush()) failWith(device_->errorString());
    }

    void close() override {
        if (failed_) fail(path_, reason_);
        auto* save = dynamic_cast<QSaveFile*>(device_.get());
        const bool done = save != nullptr ? save->commit() : (device_->flush() && (device_->close(), true));
        if (!done || device_->error() != QFileDevice::NoError) failWith(device_->errorString());
    }

private:
    bool isSafeWrite() const { return dynamic_cast<const QSaveFile*>(device_.get()) != nullptr; }

    [[noreturn]] void failWith(const QString& reason) {
        failed_ = true;
        reason_ = reason;
        if (auto* save = dynamic_cast<QSaveFile*>(device_.get())) save->cancelWriting();
        fail(path_, reason);
    }

    QString path_;
    std::unique_ptr<QFileDevice> device_;
    QStringEncoder encoder_{QStringConverter::System};
    bool failed_ = false;
    QString reason_;
};

}  // namespace

std::unique_ptr<rt::TextReader> openTextReader(const rt::String& path) {
    return std::make_unique<FileReader>(toQ(path));
}

std::unique_ptr<rt::TextWriter> openTextWriter(const rt::String& path) {
    return std::make_unique<FileWriter>(toQ(path));
}

}  // namespace rtqt
