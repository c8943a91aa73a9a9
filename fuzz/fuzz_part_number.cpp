// Part numbers are typed by the user and looked up in the catalog files. The
// lookup reads the files on every call, so small copies of the catalog are
// written once to a private folder rather than depending on the working folder.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <string_view>
#include <unistd.h>

#include "catalog/vantrel_data.h"
#include "fuzz_check.h"

namespace {

// Rows of the shipped catalog chosen to cover all three inlet styles, the
// cross-reference models and nozzle bodies with different orifice ranges.
constexpr const char* kVenturiRows =
    "3-2.5-2,VB3\n"
    "F4-2.5-3,VB4\n"
    "5-4-6,VB5\n"
    "5-4-8,VB5\n"
    "S5-3-5,VB5\n"
    "7-5-6,VB7\n"
    "S9-3-16,VB9\n"
    "15-6-20,VB15\n";

constexpr const char* kNozzleRows =
    "302,KV110,2-6,5/32,P,N,\n"
    "F302,KV115,2-6,3/16,P,N,\n"
    "402,KV120,2-4,1/4,J,N,\n"
    "404,KV135,2-12,3/16,L,N,\n"
    "502,KV210,2-16,1/4,L,N,\n"
    "503,KV225,2-16,3/16,L,I,\n"
    "503,KV225,2-8,1/4,L,I,\n"
    "506,KV245,2-8,1/4,G,N,\n";

vantrel::VantrelData* gCatalog = nullptr;
std::string gFolder;

// Every run makes a new folder; without this each run would leave one behind.
void removeCatalog() {
    std::remove(gCatalog->venturiFile.c_str());
    std::remove(gCatalog->nozzleFile.c_str());
    rmdir(gFolder.c_str());
}

bool writeFile(const std::string& path, const char* text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
    return static_cast<bool>(out);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    char folder[] = "/tmp/vantrel-fuzz-XXXXXX";
    if (mkdtemp(folder) == nullptr) std::abort();
    gCatalog = new vantrel::VantrelData;
    gCatalog->setVenturiFile(std::string(folder) + "/vflo.csv");
    gCatalog->setNozzleFile(std::string(folder) + "/nflo.csv");
    gFolder = folder;
    std::atexit(removeCatalog);
    if (!writeFile(gCatalog->venturiFile, kVenturiRows) || !writeFile(gCatalog->nozzleFile, kNozzleRows)) std::abort();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view typed(reinterpret_cast<const char*>(data), size);

    std::string model;
    double tubeSize = 0.0;
    int circuits = 0;
    double orificeSize = 0.0;
    const int split = vantrel::parseNozzlePartNumber(typed, model, tubeSize, circuits, orificeSize);
    FUZZ_CHECK(split == vantrel::code::kOk || split == vantrel::code::kInvalidModel);
    if (split == vantrel::code::kOk) FUZZ_CHECK(circuits >= 2);

    vantrel::dist found;
    const vantrel::PartLookup lookup = gCatalog->findPart(typed, found);
    FUZZ_CHECK(lookup.outcome != vantrel::PartOutcome::Refused || lookup.status == vantrel::code::kInvalidModel ||
               lookup.status == vantrel::code::kBadOrificeSize);
    FUZZ_CHECK(lookup.outcome == vantrel::PartOutcome::Refused || lookup.status == vantrel::code::kOk);
    if (lookup.outcome == vantrel::PartOutcome::Found) {
        // A found part is rated and listed next; its record must write a line.
        (void)found.makeResultLine();
    }
    return 0;
}
