// File > Import Schedule, chosen with the pointer from the menu bar as a user
// would, through to the rows added and the one message that sums up the run.
#include <gtest/gtest.h>
#include <gtk/gtk.h>
#include <wx/menu.h>
#include <wx/timer.h>
#include <wx/uiaction.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include <wx/choice.h>
#include <wx/combobox.h>
#include <wx/statusbr.h>
#include <wx/textctrl.h>

#include "app/wx/TSDIDecFrame.h"
#include "app/wx/TmorvexApp.h"
#include "form/wx/TmorvexDlgClient.h"
#include "gui_support.h"
#include "output/wx/TLWoutput.h"
#include "resources/command_ids.h"
#include "resources/control_ids.h"
#include "ui/wx/wx_text.h"

namespace vantrel {
namespace {

using test::chooseFromMenuBar;
using test::gRecorder;
using test::runEventLoop;
using test::sendCommand;
using test::widgetPoint;
namespace fs = std::filesystem;

TSDIDecFrame& frame() { return *static_cast<TmorvexApp&>(*wxTheApp).frame(); }
TmorvexDlgClient& form() { return *frame().client(); }

class ImportSchedule : public ::testing::Test {
protected:
    void SetUp() override {
        if (test::catalogScenarioRun()) GTEST_SKIP() << "start-up scenario run";
        frame().Raise();
        gRecorder->respond = [](wxDialog*) { return wxID_YES; };
        sendCommand(cmd::kNew);
        gRecorder->seen.clear();
        gRecorder->respond = nullptr;
        path_ = (fs::temp_directory_path() / ("vantrel-schedule-" + std::to_string(::getpid()) + ".csv")).string();
        form().setScheduleFileAsker([this] { return path_; });
    }
    void TearDown() override {
        form().setScheduleFileAsker(nullptr);
        fs::remove(path_);
    }
    // A schedule in the units the form shows: four duties that find rows
    // (one a rating), one that finds none, one the form's checks refuse,
    // and one line the reader refuses.
    void writeSchedule() const {
        const bool si = form().form().siUnits;
        std::ofstream out(path_);
        out << "tag,refrigerant,capacity,circuits,suction,liquid,length,part_number\n";
        auto duty = [&](const char* tag, double tons, const char* circuits, double suctionF, const char* part) {
            const double capacity = si ? tons * 12000 / 3413 : tons;
            const double suction = si ? (suctionF - 32) * 5 / 9 : suctionF;
            const double liquid = si ? (100.0 - 32) * 5 / 9 : 100.0;
            out << tag << ",R-22," << capacity << ',' << circuits << ',' << suction << ',' << liquid << ",30," << part
                << '\n';
        };
        duty("\"MT-01, meat\"", 10, "8", 40, "");   // line 2
        duty("MT-02", 6, "6", 25, "");              // line 3
        duty("LT-01", 1.5, "4", -20, "");           // line 4
        out << "BAD-01,R-22,abc,8,40,100,30,\n";    // line 5: "Must be a number."
        out << "BAD-02,R-999,10,8,40,100,30,\n";    // line 6: unknown refrigerant
        duty("XX-01", 10, "8", 40, "999-4-1/4-2");  // line 7: no such model
        duty("RT-01", 10, "8", 40, "5-4-8");        // line 8: rated
    }
    std::string path_;
};

TEST_F(ImportSchedule, MenuItemRunsEveryDutyAndSumsUp) {
    writeSchedule();
    ASSERT_TRUE(chooseFromMenuBar("File", cmd::kImportSchedule));
    const long rows = form().outputList()->GetItemCount();
    EXPECT_GT(rows, 3);
    EXPECT_EQ(static_cast<std::size_t>(rows), form().form().rows.size());
    ASSERT_EQ(gRecorder->seen.size(), 1u);  // one message for the whole run, nothing on the way
    EXPECT_EQ(gRecorder->seen[0].title, "MESSAGE");
    const std::string& summary = gRecorder->seen[0].message;
    EXPECT_NE(summary.find("7 duties read"), std::string::npos) << summary;
    EXPECT_NE(summary.find("With results: 4\n"), std::string::npos) << summary;
    EXPECT_NE(summary.find("Without results: 1\n"), std::string::npos) << summary;
    EXPECT_NE(summary.find("With errors: 2 (lines 5 and 6)"), std::string::npos) << summary;
    EXPECT_TRUE(form().form().resultsChanged);
    // The catalog read once for the schedule is let go: the next Select reads the files again.
    EXPECT_EQ(form().form().loadedCatalog, nullptr);

    // The same schedule again: every row is already listed, so none is
    // added twice, and the duties still count as having found results.
    gRecorder->seen.clear();
    sendCommand(cmd::kImportSchedule);
    EXPECT_EQ(form().outputList()->GetItemCount(), rows);
    ASSERT_EQ(gRecorder->seen.size(), 1u);
    EXPECT_NE(gRecorder->seen[0].message.find("With results: 4\n"), std::string::npos);
}

TEST_F(ImportSchedule, AScheduleWithoutDutiesSaysSoAndAddsNothing) {
    std::ofstream(path_) << "tag,refrigerant,capacity,circuits,suction,liquid,length\n";
    sendCommand(cmd::kImportSchedule);
    EXPECT_EQ(form().outputList()->GetItemCount(), 0);
    ASSERT_EQ(gRecorder->seen.size(), 1u);
    EXPECT_EQ(gRecorder->seen[0].title, "ERROR");
    EXPECT_EQ(gRecorder->seen[0].message, "The schedule holds no duties.");

    // Cancelling the file dialog does nothing at all.
    gRecorder->seen.clear();
    form().setScheduleFileAsker([] { return std::string(); });
    sendCommand(cmd::kImportSchedule);
    EXPECT_TRUE(gRecorder->seen.empty());
}

// A Select whose results lie outside the Preferences limits says so in the
// status bar, and the next Select within them takes the words away.
class SilentUi : public FormUi {
public:
    MessageAnswer showMessage(const std::string&, const std::string&, MessageIcon, MessageButtons) override {
        return MessageAnswer::Ok;
    }
    void setFocus(int) override {}
    void setControlText(int, const std::string&) override {}
};

TEST_F(ImportSchedule, SelectShowsWidenedWindowsInTheStatusBar) {
    const bool si = form().form().siUnits;
    auto enter = [&](double tons, const char* circuits, double suctionF, double liquidF, const char* length,
                     int inletStyle) {
        auto text = [](double value) { return wxString::FromCDouble(value, 4); };
        dynamic_cast<wxTextCtrl*>(form().control(ids::kCapacity))->ChangeValue(text(si ? tons * 12000 / 3413 : tons));
        dynamic_cast<wxTextCtrl*>(form().control(ids::kCircuits))->ChangeValue(circuits);
        dynamic_cast<wxComboBox*>(form().control(ids::kSuctionTemp))
            ->SetValue(text(si ? (suctionF - 32) * 5 / 9 : suctionF));
        dynamic_cast<wxComboBox*>(form().control(ids::kLiquidTemp))
            ->SetValue(text(si ? (liquidF - 32) * 5 / 9 : liquidF));
        dynamic_cast<wxComboBox*>(form().control(ids::kTubeLength))->SetValue(length);
        dynamic_cast<wxChoice*>(form().control(ids::kRefrigerant))->SetStringSelection("R-404A");
        dynamic_cast<wxChoice*>(form().control(ids::kInletConnection))->SetSelection(inletStyle);
        // Whatever earlier tests chose in the other lists goes back to the defaults.
        for (int id : {ids::kDistributorType, ids::kInletSize, ids::kTubeSize, ids::kNozzleSize, ids::kOrificeType,
                       ids::kSidePort})
            dynamic_cast<wxChoice*>(form().control(id))->SetSelection(0);
    };
    // The Preferences limits as a fresh start has them, whatever earlier tests set.
    VantrelData& catalog = form().form().catalog;
    const VantrelData before = catalog;
    catalog.nozzleLoadMin = catalog.tubeLoadMin = 90;
    catalog.nozzleLoadMax = catalog.tubeLoadMax = 110;
    // What the same Select says of its windows, asked of the form's logic apart.
    auto expectedNote = [&] {
        SelectionForm probe;
        probe.catalog = form().form().catalog;
        probe.siUnits = si;
        SilentUi ui;
        return widenedWindowsNote(probe.select(form().readInputs(), ui).search);
    };
    auto clickSelect = [] {
        wxUIActionSimulator sim;
        sim.MouseMove(widgetPoint(static_cast<GtkWidget*>(form().control(ids::kSelect)->GetHandle())));
        runEventLoop(60);
        sim.MouseClick();
        runEventLoop(300);
    };
    auto status = [] { return toUtf8(frame().GetStatusBar()->GetStatusText(0)); };

    enter(1.8, "8", 25, 90, "30", 1);
    const std::string widened = expectedNote();
    ASSERT_EQ(widened.rfind("Loading windows widened for nozzle models: nozzle ", 0), 0u) << widened;
    clickSelect();
    EXPECT_GT(form().outputList()->GetItemCount(), 0);
    EXPECT_EQ(status(), widened);
    EXPECT_TRUE(gRecorder->seen.empty());  // no box to close

    enter(1.2, "6", 20, 90, "24", 0);
    ASSERT_EQ(expectedNote(), "");
    clickSelect();
    EXPECT_EQ(status(), "");
    catalog = before;
}

}  // namespace
}  // namespace vantrel
