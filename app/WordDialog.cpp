#include "app/WordDialog.h"

namespace app {

WordDialog::WordDialog(forms::GBFrame* owner, Word& holder) : GBDialog(owner), string(holder) {
    setSize(250, 150);
    setTitle(u"Add Word");
    setDlgCloseIndicator(u"Cancel");
    wordLabel = addLabel(u"Word:", 1, 1, 1, 1);
    wordField = addTextField(u"", 2, 1, 2, 1);
    OKButton = addButton(u"OK", 3, 1, 1, 1);
    CancelButton = addButton(u"Cancel", 3, 2, 1, 1);
}

void WordDialog::buttonClicked(rt::Button& button) {
    if (&button != CancelButton) {
        string.setWord(rt::trim(wordField->text()));
        if (string.getWord().empty()) {
            messageBox(u"No word was inputed.");
        }
        setDlgCloseIndicator(u"OK");
    }
    dispose();
}

}  // namespace app
