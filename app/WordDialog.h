#pragma once

#include "forms/GBDialog.h"
#include "runtime/Text.h"

namespace forms {
class GBFrame;
}

namespace app {

// The text the add-word dialog hands back to its owner; empty at first.
class Word {
public:
    const rt::String& getWord() const { return word; }
    void setWord(const rt::String& text) { word = text; }

private:
    rt::String word;
};

// Modal "Add Word" dialog: one text field, "OK" and "Cancel". OK stores the
// trimmed text in the holder and leaves the close indicator "OK"; Cancel and
// the close box leave it "Cancel" and the holder untouched. The owner decides
// whether to add the word.
class WordDialog : public forms::GBDialog {
public:
    WordDialog(forms::GBFrame* owner, Word& holder);

    void buttonClicked(rt::Button& button) override;

private:
    Word& string;
    rt::Label* wordLabel = nullptr;
    rt::TextField* wordField = nullptr;
    rt::Button* OKButton = nullptr;
    rt::Button* CancelButton = nullptr;
};

}  // namespace app
