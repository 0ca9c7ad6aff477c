#include "runtime/Toolkit.h"
#include "support/Support.h"

namespace support {

namespace {

// Hands the toolkit that the runtime started to this component's code.
void bindComponentToolkit(rt::Toolkit* toolkit) { rt::bindToolkit(toolkit); }

template <typename T>
kr::Word address(T* p) {
    return reinterpret_cast<kr::Word>(p);
}

}  // namespace

kr::Word entryTable1[kr::HeaderWords + kr::Table1Slots] = {
    kr::Table1Header[0], kr::Table1Header[1], kr::Table1Header[2]};
kr::Word entryTable2[kr::HeaderWords + kr::Table2Slots] = {
    kr::Table2Header[0], kr::Table2Header[1], kr::Table2Header[2]};

kr::Word descriptor[kr::DescriptorWords] = {kr::DescriptorMagic, kr::DescriptorVersion};

namespace {

// The build-time words that are addresses; the stub writes Module, Reason
// and InitArgument before it calls the loader.
struct DescriptorAddresses {
    DescriptorAddresses() {
        descriptor[kr::Block] = address(configBlock);
        descriptor[kr::BlockSize] = ConfigBlockSize;
        descriptor[kr::MainClasses] = address(mainClasses);
        descriptor[kr::EntryTable1] = address(entryTable1);
        descriptor[kr::EntryTable2] = address(entryTable2);
        descriptor[kr::BindToolkit] = address(&bindComponentToolkit);
        descriptor[kr::ImportTable] = address(&importTable);
        descriptor[kr::ExportTable] = address(&exportTable);
    }
} descriptorAddresses;

}  // namespace


}  // namespace support
