#include "runtime/LoaderBlock.h"

#include <cstdio>

#include "runtime/RuntimeBlock.h"

namespace kr {

namespace {

// The runtime options of the block; items that are not options are reported
// and skipped.
std::map<std::string, std::string> takeOptions(const std::string& text) {
    rt::RuntimeOptions options = rt::parseRuntimeOptions(text);
    for (const std::string& item : options.ignored) {
        std::fprintf(stderr, "KOV runtime: ignoring the runtime option \"%s\"\n", item.c_str());
    }
    return std::move(options.values);
}

MainFn findMainClass(const MainClass* table, const std::string& name) {
    for (const MainClass* entry = table; entry != nullptr && entry->name != nullptr; ++entry) {
        if (name == entry->name) return entry->main;
    }
    return nullptr;
}

bool refuse(const std::string& reason) {
    std::fprintf(stderr, "KOV runtime: cannot start the program: %s.\n", reason.c_str());
    std::fflush(stderr);
    return false;
}

Accepted accepted;

}  // namespace

bool acceptComponent(Word* descriptor) {
    if (descriptor == nullptr || descriptor[Magic] != DescriptorMagic) {
        return refuse("the component descriptor has no \"CDES\" magic");
    }
    if (descriptor[Version] != DescriptorVersion) return refuse("the component descriptor is not version 3");
    std::string reason;
    const auto texts = rt::readRuntimeBlock(reinterpret_cast<const unsigned char*>(descriptor[Block]),
                                 static_cast<std::size_t>(descriptor[BlockSize]), reason);
    if (!texts) return refuse(reason);
    if (!texts->mainClass || texts->mainClass->empty()) return refuse("the configuration block names no main class");
    const MainFn main = findMainClass(reinterpret_cast<const MainClass*>(descriptor[MainClasses]), *texts->mainClass);
    if (main == nullptr) return refuse("the main class \"" + *texts->mainClass + "\" is not in the component");
    accepted = {descriptor, main, takeOptions(texts->options.value_or(std::string()))};
    return true;
}

const Accepted& acceptedComponent() { return accepted; }

std::optional<std::string> acceptedOption(const std::string& name) {
    auto found = accepted.options.find(name);
    if (found == accepted.options.end()) return std::nullopt;
    return found->second;
}

void fillSlots(Word* descriptor, InitFn init, RunFn run) {
    auto* table1 = reinterpret_cast<Word*>(descriptor[EntryTable1]);
    table1[HeaderWords + InitSlot] = reinterpret_cast<Word>(init);
    table1[HeaderWords + RunSlot] = reinterpret_cast<Word>(run);
}

}  // namespace kr
