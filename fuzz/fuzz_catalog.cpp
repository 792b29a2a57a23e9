#include <fuzzer/FuzzedDataProvider.h>

#include "content/catalog.h"
#include "content/own_designs.h"
#include "fuzz/fuzz_support.h"

namespace {

// What the catalog promises its users whatever the files held: counts that
// match the arrays, and paging that stays inside them.
void CheckCatalog() {
    if (GroupCount != int32_t(Groups.size())) std::abort();
    for (const CatalogGroup& group : Groups)
        if (group.ItemCount != int32_t(group.Items.size())) std::abort();
    for (int step = 0; step < 3; ++step) {
        NextCatalogItem();
        NextCatalogGroup();
        PrevCatalogItem();
        if (GroupCount > 0 && (CurrentGroup < 0 || CurrentGroup >= GroupCount)) std::abort();
        const int32_t items = GroupCount > 0 ? Groups[CurrentGroup].ItemCount : 0;
        if (items > 0 && (CurrentItem < 0 || CurrentItem >= items)) std::abort();
    }
}

} // namespace

// One input is a catalog: the index, one group file used for the groups "A"
// and "B" and for My designs, and the bytes of the miniatures "a.jpg" and
// "b.jpg" in each.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    const std::string index = input.ConsumeRandomLengthString(4096);
    const std::string group = input.ConsumeRandomLengthString(4096);
    const std::string miniature = input.ConsumeRemainingBytesAsString();
    const std::string indexPath = WriteFuzzFile("data/data.ini", index);
    std::string ownFolder;
    for (const char* folder : {"A", "B"}) {
        ownFolder = WriteFuzzFile(std::string("data/") + folder + "/data.ini", group);
        for (const char* name : {"/a.jpg", "/b.jpg"})
            WriteFuzzFile(std::string("data/") + folder + name, miniature);
    }
    ResetCatalog();
    ReadCatalog(indexPath);
    // The same group file read as the user's own designs, after the shipped groups.
    ReadOwnDesigns(ownFolder.substr(0, ownFolder.rfind('/')));
    CheckCatalog();
    return 0;
}
