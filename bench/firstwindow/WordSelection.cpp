// The reference for the first-window benchmark: a bare Qt Widgets program
// that shows what the game's first window shows, written the plain Qt way:
// title "Word Selection", a menu bar with "File", "Edit" and "Sort" and
// their items, the "Words:" label, a list and the two buttons, 300 x 300.

#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QListView>
#include <QMenuBar>
#include <QPushButton>
#include <QStringListModel>
#include <QWidget>

namespace {

void addMenu(QMenuBar& bar, const QString& title, const QString& first, const QString& second) {
    QMenu* menu = bar.addMenu(title);
    menu->addAction(first);
    menu->addAction(second);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Word Selection"));
    auto* grid = new QGridLayout(&window);
    auto* bar = new QMenuBar;
    addMenu(*bar, QStringLiteral("File"), QStringLiteral("Import List"), QStringLiteral("Export List"));
    addMenu(*bar, QStringLiteral("Edit"), QStringLiteral("Add"), QStringLiteral("Remove"));
    addMenu(*bar, QStringLiteral("Sort"), QStringLiteral("Sort Alphabetacaly"), QStringLiteral("Sort by Length"));
    grid->setMenuBar(bar);
    grid->addWidget(new QLabel(QStringLiteral("Words:")), 0, 0);
    auto* list = new QListView;
    list->setModel(new QStringListModel(list));
    grid->addWidget(list, 1, 0, 1, 2);
    grid->addWidget(new QPushButton(QStringLiteral("Select Word")), 2, 0);
    grid->addWidget(new QPushButton(QStringLiteral("Select Random Word")), 2, 1);
    window.resize(300, 300);
    window.show();
    return QApplication::exec();
}
