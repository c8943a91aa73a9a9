#include <gtest/gtest.h>
#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <chrono>
#include <filesystem>
#include <fstream>
#include <future>
#include <string>
#include <vector>

#include "catalog/vantrel_data.h"
#include "form/selection_form.h"
#include "test_support.h"
#include "util/files.h"

namespace vantrel {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// Runs `work` on another thread and gives it a few seconds. A reader stuck on
// `fifo` is then let go by a writer that opens and closes it at once, so a
// regression fails the test instead of hanging the whole run.
template <typename Work>
auto withinSeconds(const std::string& fifo, Work work) -> decltype(work()) {
    auto result = std::async(std::launch::async, work);
    const bool inTime = result.wait_for(5s) == std::future_status::ready;
    EXPECT_TRUE(inTime) << "still waiting on " << fifo;
    while (!inTime && result.wait_for(100ms) != std::future_status::ready) {
#ifndef _WIN32
        const int writer = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
        if (writer >= 0) ::close(writer);
#endif
    }
    return result.get();
}

class FileRead : public ::testing::Test {
protected:
#ifndef _WIN32
    std::string fifo(const std::string& name) const {
        const std::string path = dir.path() + "/" + name;
        EXPECT_EQ(::mkfifo(path.c_str(), 0600), 0);
        return path;
    }
    std::string symlinkTo(const std::string& name, const std::string& target) const {
        const std::string path = dir.path() + "/" + name;
        fs::create_symlink(target, path);
        return path;
    }
#endif
    // No regular file, and one a careless reader would wait on for ever: a
    // FIFO without a writer; Windows, which has none, has the device NUL
    // (the same in every folder).
    std::string specialFile([[maybe_unused]] const std::string& name) const {
#ifdef _WIN32
        return dir.path() + "\\NUL";
#else
        return fifo(name);
#endif
    }
    // A file of `size` bytes that takes no disk space: all of it is a hole.
    std::string sparse(const std::string& name, std::uintmax_t size) const {
        const std::string path = dir.write(name, "");
        fs::resize_file(fs::u8path(path), size);
        return path;
    }
    // The message opening `path` as a document shows; the rows already shown stay.
    std::string openMessage(const std::string& path) {
        SelectionForm form;
        form.addResultRow(dist{});
        test::RecordingUi ui;
        EXPECT_FALSE(form.openDocumentFile(path, ui));
        EXPECT_EQ(form.rows.size(), 1u);
        if (ui.messages.size() != 1) return "(" + std::to_string(ui.messages.size()) + " messages)";
        EXPECT_EQ(ui.messages[0].caption, "WARNING");
        EXPECT_EQ(ui.messages[0].icon, MessageIcon::Stop);
        EXPECT_EQ(ui.messages[0].buttons, MessageButtons::Ok);
        return ui.messages[0].text;
    }
    // Select at R-22, 4 circuits of 1/4 in tube, on the given catalog files.
    std::vector<std::string> select(const std::string& venturi, const std::string& nozzle) const {
        VantrelData data;
        data.setVenturiFile(venturi);
        data.setNozzleFile(nozzle);
        SearchRequest request;
        request.refrigerant = "R-22";
        request.circuits = 4;
        request.tubeNumber = 3;
        request.suctionTemp = 40;
        request.liquidTemp = 100;
        request.tubeLength = 30;
        std::vector<std::string> lines;
        int count = -1;
        EXPECT_EQ(data.findModel(request, lines, count), 0);
        return lines;
    }

    test::TempDir dir;
};

TEST_F(FileRead, RegularFilesReadWholeAlsoThroughLinks) {
    const std::string text = "5-4-4,\n503,XR503,2-12,1/4,J,N,\n" + std::string(200000, 'x') + "\nend";
    const std::string path = dir.write("vflo.csv", text);
#ifdef _WIN32
    for (const std::string& name : {path}) {
#else
    for (const std::string& name : {path, symlinkTo("linked.csv", path)}) {
#endif
        std::string content = "left over";
        std::string reason = "unchanged";
        ReadFailure failure = ReadFailure::TooLarge;
        EXPECT_TRUE(readWholeFile(name, content, &reason, &failure)) << reason;
        EXPECT_EQ(content, text);
        EXPECT_EQ(reason, "");
        EXPECT_EQ(failure, ReadFailure::None);
        EXPECT_TRUE(isReadableWholeFile(name));
    }
    std::string empty = "left over";
    EXPECT_TRUE(readWholeFile(dir.write("empty.csv", ""), empty));
    EXPECT_EQ(empty, "");
#ifndef _WIN32
    // Files of the kernel state a size of 0 yet have content: the stated size is only a hint.
    std::string status;
    ASSERT_TRUE(readWholeFile("/proc/self/status", status));
    EXPECT_TRUE(contains(status, "VmHWM:")) << status;
#endif
}

TEST_F(FileRead, RefusalsSayWhy) {
    struct Case {
        std::string path;
        ReadFailure failure;
        std::string reason;
    };
    const std::vector<Case> cases = {
        {dir.path() + "/missing.csv", ReadFailure::Missing, "No such file or directory"},
        {dir.path(), ReadFailure::NotRegularFile, "it is not a regular file"},
        {specialFile("pipe.csv"), ReadFailure::NotRegularFile, "it is not a regular file"},
#ifdef _WIN32
        // A file's name as a folder: Windows says no such path.
        {dir.write("plain.csv", "x") + "\\under", ReadFailure::Missing, "No such file or directory"},
        {dir.path() + "\\missing\\deeper.csv", ReadFailure::Missing, "No such file or directory"},
        {"NUL", ReadFailure::NotRegularFile, "it is not a regular file"},
        {"\\\\.\\NUL", ReadFailure::NotRegularFile, "it is not a regular file"},
#else
        {symlinkTo("dangling.csv", dir.path() + "/nowhere"), ReadFailure::Missing, "No such file or directory"},
        {dir.write("plain.csv", "x") + "/under", ReadFailure::CannotRead, "Not a directory"},
        {"/dev/zero", ReadFailure::NotRegularFile, "it is not a regular file"},
        {symlinkTo("zero.csv", "/dev/zero"), ReadFailure::NotRegularFile, "it is not a regular file"},
#endif
        {sparse("huge.csv", 300u << 20), ReadFailure::TooLarge, "it is larger than 256 MiB"},
        {sparse("over.csv", kMaxWholeFileSize + 1), ReadFailure::TooLarge, "it is larger than 256 MiB"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        std::string content = "left over";
        std::string reason;
        ReadFailure failure = ReadFailure::None;
        EXPECT_FALSE(withinSeconds(c.path, [&] { return readWholeFile(c.path, content, &reason, &failure); }));
        EXPECT_EQ(content, "");
        EXPECT_EQ(failure, c.failure);
        EXPECT_EQ(reason, c.reason);
        std::string checked;
        EXPECT_FALSE(withinSeconds(c.path, [&] { return isReadableWholeFile(c.path, &checked); }));
        EXPECT_EQ(checked, c.reason);
    }
    EXPECT_TRUE(isReadableWholeFile(sparse("limit.csv", kMaxWholeFileSize)));
}

TEST_F(FileRead, RefusedInputsCostNoMemory) {
    const std::string huge = sparse("huge.csv", 300u << 20);
    const std::string over = sparse("over.csv", kMaxWholeFileSize + 1);
#ifdef _WIN32
    // Windows keeps one peak for the process's life: growth shows only
    // above the highest of the earlier tests.
    const std::vector<std::string> inputs = {"NUL", huge, over};
#else
    const std::string zero = symlinkTo("zero.dst", "/dev/zero");
    const std::vector<std::string> inputs = {"/dev/zero", "/dev/urandom", zero, huge, over};
#endif
    test::resetPeakMemory();
    const long before = test::peakMemoryKib();
    if (before == 0) GTEST_SKIP() << "the system does not tell the peak memory";
    for (const std::string& path : inputs) {
        std::string content;
        EXPECT_FALSE(readWholeFile(path, content)) << path;
        EXPECT_TRUE(contains(openMessage(path), "Cannot open " + path + ".\n")) << path;
        EXPECT_TRUE(select(path, path).empty()) << path;
    }
    EXPECT_LT(test::peakMemoryKib() - before, 20 * 1024);
}

TEST_F(FileRead, DocumentMessagesNameTheReason) {
    const std::string missing = dir.path() + "/missing.dst";
    EXPECT_EQ(openMessage(missing), "Cannot open " + missing + ".\nThe file does not exist or cannot be read.");
    const std::string pipe = specialFile("pipe.dst");
    EXPECT_EQ(withinSeconds(pipe, [&] { return openMessage(pipe); }),
              "Cannot open " + pipe + ".\nIt is not a regular file.");
#ifndef _WIN32
    const std::string zero = symlinkTo("zero.dst", "/dev/zero");
    EXPECT_EQ(openMessage(zero), "Cannot open " + zero + ".\nIt is not a regular file.");
#endif
    EXPECT_EQ(openMessage(dir.path()), "Cannot open " + dir.path() + ".\nIt is not a regular file.");
    const std::string huge = sparse("huge.dst", 300u << 20);
    EXPECT_EQ(openMessage(huge), "Cannot open " + huge + ".\nIt is larger than 256 MiB.");
}

TEST_F(FileRead, CatalogThatIsAFifoCountsAsEmpty) {
    const std::string venturi = dir.write("vflo.csv", "5-4-4,\n");
    const std::string nozzle = dir.write("nflo.csv", "503,XR503,2-12,1/4,J,N,\n");
    const std::string pipe = specialFile("pipe.csv");
    const std::vector<std::string> both = select(venturi, nozzle);
    ASSERT_EQ(both.size(), 2u);
    const std::vector<std::string> nozzleOnly = withinSeconds(pipe, [&] { return select(pipe, nozzle); });
    ASSERT_EQ(nozzleOnly.size(), 1u);
    EXPECT_EQ(nozzleOnly[0], both[1]);
    const std::vector<std::string> venturiOnly = withinSeconds(pipe, [&] { return select(venturi, pipe); });
    ASSERT_EQ(venturiOnly.size(), 1u);
    EXPECT_EQ(venturiOnly[0], both[0]);
}

TEST_F(FileRead, CommandLineSelectOnAFifoAnswers) {
    const std::string pipe = specialFile("pipe.csv");
    const std::string nozzle = dir.write("nflo.csv", "503,XR503,2-12,1/4,J,N,\n");
    const test::RunResult result = withinSeconds(pipe, [&] {
        return test::runCli({"select", "--venturi", pipe, "--nozzle", nozzle, "--refrigerant", "R-22", "--suction",
                             "40", "--liquid", "100", "--length", "30", "--circuits", "4", "--tube", "1/4"});
    });
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_EQ(result.err, "vantrel-cli: cannot read catalog " + pipe + ": it is not a regular file\n");
    EXPECT_EQ(result.out, "");
}

}  // namespace
}  // namespace vantrel
