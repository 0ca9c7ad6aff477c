#include "runtime/TestDriverBase.h"

#include <cstdio>
#include <utility>

namespace rt {

void TestDriverBase::whenModalOpens(std::function<void(ModalWindow&)> handler) {
    modalHandlers_.push_back(std::move(handler));
}

void TestDriverBase::whenFileChooserOpens(std::optional<String> path) { fileAnswer_ = std::move(path); }

String TestDriverBase::lastFileChooserDirectory() const { return lastChooserDirectory_; }

void TestDriverBase::disarm() {
    modalHandlers_.clear();
    fileAnswer_.reset();
}

std::optional<std::optional<String>> TestDriverBase::takeFileAnswer() { return std::exchange(fileAnswer_, std::nullopt); }

std::vector<String> TestDriverBase::lastFileChooserTypes() const { return lastChooserTypes_; }

String TestDriverBase::lastFileChooserSelectedType() const { return lastChooserSelectedType_; }

void TestDriverBase::noteFileChooser(const String& directory, std::vector<String> types, const String& selectedType) {
    lastChooserDirectory_ = directory;
    lastChooserTypes_ = std::move(types);
    lastChooserSelectedType_ = selectedType;
}

void TestDriverBase::answerModal(ModalWindow& modal) {
    if (!modalHandlers_.empty()) {
        auto handler = std::move(modalHandlers_.back());
        modalHandlers_.pop_back();
        handler(modal);
        return;
    }
    std::fprintf(stderr, "A modal window opened with no answer armed: \"%s\" %s\n", toUtf8(modal.title()).c_str(),
                 toUtf8(modal.text()).c_str());
}

void TestDriverBase::reportNoFocus() { std::fprintf(stderr, "A key was pressed with no window holding the focus\n"); }

void TestDriverBase::reportNoField(int index) {
    std::fprintf(stderr, "The modal window has no text field %d\n", index);
}

void TestDriverBase::reportNoButton(const String& caption) {
    std::fprintf(stderr, "The modal window has no button \"%s\"; closing it\n", toUtf8(caption).c_str());
}

void TestDriverBase::reportNoTextArea() { std::fprintf(stderr, "The modal window has no text area\n"); }

}  // namespace rt
