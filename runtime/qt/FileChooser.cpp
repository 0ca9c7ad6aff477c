// The file chooser. Building a Qt file dialog costs far more than showing
// one (the style's icons, the file system model and its thread), and every
// dialog destroyed rewrites Qt's settings file and syncs it to disk; so one
// dialog serves every use, set up afresh each time. It stays a child of the
// window it last served and goes when that window does.

#include "runtime/qt/FileChooser.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QPointer>

#include "runtime/qt/Core.h"
#include "runtime/qt/ProgramIcon.h"
#include "runtime/qt/TestHooks.h"

namespace rtqt {

namespace {

QPointer<QFileDialog> kept;
// The filters of a dialog built without any ("All Files (*)"), for uses
// that name no type.
QStringList plainFilters;

// "Word lists (*.txt)", "All files (*)": the form QFileDialog reads the
// patterns from.
QStringList nameFilters(const std::vector<rt::FileType>& types) {
    QStringList filters;
    for (const auto& type : types) {
        const QString pattern = type.pattern.empty() ? QStringLiteral("*") : toQ(type.pattern);
        filters.append(toQ(type.name) + QStringLiteral(" (") + pattern + QStringLiteral(")"));
    }
    return filters;
}

// A chooser asked for while the kept one is open (from a timer or another
// thread's signal) gets a dialog of its own, which is kept from then on.
QFileDialog& dialogOver(QWidget* owner) {
    if (kept.isNull() || kept->isVisible()) {
        kept = new QFileDialog(owner);
        kept->setOption(QFileDialog::DontUseNativeDialog);
        plainFilters = kept->nameFilters();
    } else if (kept->parentWidget() != owner) {
        kept->setParent(owner, kept->windowFlags());
    }
    return *kept;
}

// A fresh dialog shows no file chosen: the name typed or picked last time
// goes, from the name field and from the listing (whose two views share
// one selection).
void forgetLastChoice(QFileDialog& dialog) {
    if (auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) name->clear();
    if (auto* listing = dialog.findChild<QAbstractItemView*>(QStringLiteral("listView"))) listing->clearSelection();
}

// A completion list the name field opened is a window of its own, which
// hiding the dialog would leave on screen, holding the keyboard and mouse
// (a dialog destroyed took it along).
void closeCompletions(QFileDialog& dialog) {
    for (QCompleter* completer : dialog.findChildren<QCompleter*>()) completer->popup()->hide();
}

}  // namespace

std::optional<rt::String> chooseFile(QWidget* owner, rt::FileChooserMode mode, const rt::String& directory,
                                     const std::vector<rt::FileType>& types) {
    useProgramIcon();
    QFileDialog& dialog = dialogOver(owner);
    dialog.setNameFilters(types.empty() ? plainFilters : nameFilters(types));
    const QFileInfo start(toQ(directory));
    dialog.setDirectory(!directory.empty() && start.isDir() ? QDir(start.absoluteFilePath()) : QDir::home());
    const bool save = mode == rt::FileChooserMode::Save;
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setWindowTitle(save ? QStringLiteral("Save") : QStringLiteral("Open"));
    forgetLastChoice(dialog);
    const QPointer<QFileDialog> shown(&dialog);  // its owner may go while it is open
    const int result = dialog.exec();
    if (shown.isNull()) return std::nullopt;
    closeCompletions(dialog);
    if (result != QDialog::Accepted) return std::nullopt;
    if (TestHooks* hooks = testHooks) {
        if (auto answered = hooks->takeAnsweredPath()) return answered;
    }
    const QStringList files = dialog.selectedFiles();
    if (files.isEmpty()) return std::nullopt;
    return fromQ(files.first());
}

void releaseFileChooser() { delete kept.data(); }

}  // namespace rtqt
