#include "runtime/qt/FontDatabasePreload.h"

#include <QFontDatabase>
#include <QStringList>

namespace rtqt {

FontDatabasePreload::FontDatabasePreload() : filler_([] { QFontDatabase::families(); }) {}

}  // namespace rtqt
