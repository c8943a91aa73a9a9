// What a Select spends on distributors the list already shows. The duplicate
// test runs on a find's numbers before any of its texts are made, so a find
// that is dropped costs its record and nothing more: no row, no key text.
// Counted as allocations, which, unlike times, do not depend on the machine.
#include <gtest/gtest.h>

#include <cstdlib>
#include <new>

#include "engine/result_line.h"
#include "form/selection_form.h"
#include "test_support.h"

namespace {

thread_local bool gCounting = false;
thread_local long gAllocations = 0;

template <typename Work>
long allocationsOf(Work&& work) {
    gAllocations = 0;
    gCounting = true;
    work();
    gCounting = false;
    return gAllocations;
}

}  // namespace

// Every allocation of the test program passes here; only those inside
// allocationsOf are counted.
void* operator new(std::size_t size) {
    if (gCounting) ++gAllocations;
    if (void* block = std::malloc(size == 0 ? 1 : size)) return block;
    throw std::bad_alloc();
}
// The standard library's temporary buffers (stable_sort) come from the
// nothrow form and go back through the plain delete: both must be ours, or
// a sanitizer's allocator sees its block freed by ours.
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    if (gCounting) ++gAllocations;
    return std::malloc(size == 0 ? 1 : size);
}
void operator delete(void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }
void operator delete(void* block, const std::nothrow_t&) noexcept { std::free(block); }

namespace vantrel {
namespace {

TEST(DuplicateRowsTest, FindsAlreadyListedCostNoRowsNorTexts) {
    for (const bool si : {false, true}) {
        SCOPED_TRACE(si ? "SI units" : "U.S. units");
        SelectionForm form;
        form.siUnits = si;
        form.catalog.setVenturiFile(test::shippedCatalog("vflo.csv"));
        form.catalog.setNozzleFile(test::shippedCatalog("nflo.csv"));
        FormInputs inputs;
        inputs.refrigerant = "R-22";
        inputs.capacity = si ? "49.2" : "14";
        inputs.circuits = "8";
        inputs.suctionTemp = si ? "4.44" : "40";
        inputs.liquidTemp = si ? "37.78" : "100";
        inputs.tubeLength = "30";
        inputs.tubeSize = 3;  // 1/4 in
        test::RecordingUi ui;
        const ActionReport first = form.select(inputs, ui);
        const long finds = first.appended;
        ASSERT_GE(finds, 5);

        // What finding them costs: the search and each find's record.
        const SearchRequest request = first.search.request;
        const long finding = allocationsOf([&] {
            const SearchResult found = form.catalog.search(request);
            for (std::size_t i = 0; i < found.found.size(); ++i) {
                dist record = found.record(i);
                roundAsResultLine(record);
            }
        });

        // The same Select again: every find is a duplicate. Its result line
        // (one block each) is still written for the lines format; a few
        // blocks more hold the report, the message and the key.
        ActionReport again;
        const long selecting = allocationsOf([&] { again = form.select(inputs, ui); });
        ASSERT_EQ(again.duplicates, finds);
        EXPECT_LE(selecting, finding + finds + 10) << finds << " finds, " << finding << " blocks to find them";

        // Without result lines, not even those.
        form.writeResultLines = false;
        const long withoutLines = allocationsOf([&] { again = form.select(inputs, ui); });
        ASSERT_EQ(again.duplicates, finds);
        EXPECT_LE(withoutLines, finding + 10) << finds << " finds, " << finding << " blocks to find them";
    }
}

}  // namespace
}  // namespace vantrel
