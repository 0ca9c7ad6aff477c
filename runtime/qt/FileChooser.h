#pragma once

// The file chooser: one Qt file dialog, built on first use and shown again
// for every later one.

#include <optional>
#include <vector>

#include "runtime/Toolkit.h"

class QWidget;

namespace rtqt {

// Shows the chooser over the owner, in the directory given (the home folder
// when that is no folder), with the file types given, the first selected.
// Answers the chosen path, or nothing when cancelled.
std::optional<rt::String> chooseFile(QWidget* owner, rt::FileChooserMode mode, const rt::String& directory,
                                     const std::vector<rt::FileType>& types);

// Destroys the kept chooser, which writes what Qt remembers of it (the
// folder history, the view, the column widths) to its settings file. The
// process exit calls it, since the exit destroys no window.
void releaseFileChooser();

}  // namespace rtqt
