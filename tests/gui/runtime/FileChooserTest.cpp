// The file chooser, kept between uses: every use shows what a new one would,
// over the window that asked.

#include <QAbstractItemView>
#include <QApplication>
#include <QCompleter>
#include <QFileDialog>
#include <QLineEdit>
#include <QPointer>
#include <QTimer>
#include <filesystem>
#include <fstream>

#include "GuiTest.h"
#include "runtime/qt/Driver.h"

namespace {

// What the open chooser shows, looked at before the driver answers it.
struct Seen {
    QString title;
    QString typedName;
    qsizetype selectedRows = -1;
    QFileDialog::AcceptMode acceptMode = QFileDialog::AcceptOpen;
    QStringList filters;
    QString selectedFilter;
    QWidget* owner = nullptr;
};

class FileChooserTest : public GuiTest {
protected:
    FileChooserTest() {
        std::filesystem::create_directories(dir);
        std::ofstream(dir / "words.txt") << "apple\n";
    }
    ~FileChooserTest() override { std::filesystem::remove_all(dir); }

    // Uses the chooser over the owner, answered with the path (or
    // cancelled), and tells what it showed.
    Seen use(rt::Window& owner, rt::FileChooserMode mode, const std::vector<rt::FileType>& types,
             const std::optional<rt::String>& answer) {
        Seen seen;
        // Posted before the chooser opens, this runs first in its loop.
        QTimer::singleShot(0, [&seen] {
            auto* chooser = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (chooser == nullptr) return;
            seen.title = chooser->windowTitle();
            seen.typedName = chooser->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->text();
            auto* listing = chooser->findChild<QAbstractItemView*>(QStringLiteral("listView"));
            seen.selectedRows = listing->selectionModel()->selectedRows().size();
            seen.acceptMode = chooser->acceptMode();
            seen.filters = chooser->nameFilters();
            seen.selectedFilter = chooser->selectedNameFilter();
            seen.owner = chooser->parentWidget();
        });
        driver().whenFileChooserOpens(answer);
        EXPECT_EQ(tk().chooseFile(owner, mode, rt::fromUtf8(dir.string()), types), answer);
        return seen;
    }

    rt::String wordsPath() const { return rt::fromUtf8((dir / "words.txt").string()); }

    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("kov-chooser-" + std::to_string(::getpid()));
    const std::vector<rt::FileType> wordLists{{u"Word lists", u"*.txt"}, {u"All files", u""}};
};

TEST_F(FileChooserTest, EveryUseStartsWithNoFileChosen) {
    show();
    use(*frame, rt::FileChooserMode::Open, wordLists, wordsPath());
    const Seen again = use(*frame, rt::FileChooserMode::Save, wordLists, std::nullopt);
    EXPECT_EQ(again.title, "Save");
    EXPECT_EQ(again.acceptMode, QFileDialog::AcceptSave);
    EXPECT_EQ(again.typedName, "");
    EXPECT_EQ(again.selectedRows, 0);
    EXPECT_EQ(driver().lastFileChooserDirectory(), rt::fromUtf8(dir.string()));
    const Seen open = use(*frame, rt::FileChooserMode::Open, wordLists, std::nullopt);
    EXPECT_EQ(open.title, "Open");
    EXPECT_EQ(open.acceptMode, QFileDialog::AcceptOpen);
}

TEST_F(FileChooserTest, TypesAreThoseOfEachUseWithTheFirstSelected) {
    show();
    const Seen plain = use(*frame, rt::FileChooserMode::Open, {}, std::nullopt);
    const QFileDialog untouched;
    EXPECT_EQ(plain.filters, untouched.nameFilters());
    const Seen typed = use(*frame, rt::FileChooserMode::Open, wordLists, std::nullopt);
    EXPECT_EQ(typed.filters, (QStringList{"Word lists (*.txt)", "All files (*)"}));
    EXPECT_EQ(typed.selectedFilter, "Word lists (*.txt)");
    const Seen plainAgain = use(*frame, rt::FileChooserMode::Open, {}, std::nullopt);
    EXPECT_EQ(plainAgain.filters, plain.filters);
    EXPECT_EQ(plainAgain.selectedFilter, plain.selectedFilter);
}

TEST_F(FileChooserTest, ShownOverTheWindowThatAsksEvenAfterAnOwnerHasGone) {
    show();
    auto dialog = tk().createDialog(frame.get(), false);
    dialog->setVisible(true);
    EXPECT_EQ(use(*dialog, rt::FileChooserMode::Open, wordLists, wordsPath()).owner, rtqt::widgetOf(*dialog));
    EXPECT_EQ(use(*frame, rt::FileChooserMode::Open, wordLists, wordsPath()).owner, rtqt::widgetOf(*frame));
    use(*dialog, rt::FileChooserMode::Open, wordLists, std::nullopt);
    dialog->dispose();
    dialog.reset();
    const Seen after = use(*frame, rt::FileChooserMode::Save, wordLists, wordsPath());
    EXPECT_EQ(after.owner, rtqt::widgetOf(*frame));
    EXPECT_EQ(after.title, "Save");
}

TEST_F(FileChooserTest, ACompletionListOpenWhenTheChooserClosesGoesWithIt) {
    show();
    QPointer<QWidget> completions;
    QTimer::singleShot(0, [&completions] {
        auto* chooser = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (chooser == nullptr) return;
        completions = chooser->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->completer()->popup();
        completions->show();
    });
    driver().whenFileChooserOpens(wordsPath());
    EXPECT_EQ(tk().chooseFile(*frame, rt::FileChooserMode::Open, rt::fromUtf8(dir.string()), wordLists), wordsPath());
    EXPECT_TRUE(completions.isNull() || !completions->isVisible());
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
}

TEST_F(FileChooserTest, AChooserAskedForWhileOneIsOpenIsADialogOfItsOwn) {
    show();
    std::optional<rt::String> inner;
    QTimer::singleShot(0, [&] {
        auto* outer = QApplication::activeModalWidget();
        driver().whenFileChooserOpens(wordsPath());
        inner = tk().chooseFile(*frame, rt::FileChooserMode::Open, rt::fromUtf8(dir.string()), wordLists);
        outer->close();
    });
    EXPECT_EQ(tk().chooseFile(*frame, rt::FileChooserMode::Save, rt::fromUtf8(dir.string()), wordLists), std::nullopt);
    EXPECT_EQ(inner, wordsPath());
}

}  // namespace
