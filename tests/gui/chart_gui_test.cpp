// The performance chart as a user reaches it: from the output list's popup
// menu and from the Chart button after a Rate, then the readout under the
// pointer and the arrow keys, Save As, Copy and a refused range, all with
// synthesized pointer and key events.
#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/choice.h>
#include <wx/clipbrd.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "app/wx/TSDIDecFrame.h"
#include "app/wx/TmorvexApp.h"
#include "chart/wx/ChartDialog.h"
#include "chart_labels.h"
#include "form/wx/TmorvexDlgClient.h"
#include "gui_support.h"
#include "output/wx/TLWoutput.h"
#include "resources/command_ids.h"
#include "resources/control_ids.h"
#include "ui/wx/wx_text.h"
#include "version.h"

namespace vantrel {
namespace {

using test::gRecorder;
using test::moveAndClick;
using test::runEventLoop;
using test::sendCommand;
namespace fs = std::filesystem;

TSDIDecFrame& frame() { return *static_cast<TmorvexApp&>(*wxTheApp).frame(); }
TmorvexDlgClient& form() { return *frame().client(); }
TLWoutput& list() { return *form().outputList(); }

// The chart windows now open.
std::vector<ChartDialog*> chartWindows() {
    std::vector<ChartDialog*> found;
    for (wxWindow* window : wxTopLevelWindows) {
        if (auto* chart = dynamic_cast<ChartDialog*>(window); chart && !chart->IsBeingDeleted()) found.push_back(chart);
    }
    return found;
}

void closeChartWindows() {
    for (ChartDialog* chart : chartWindows()) chart->Destroy();
    runEventLoop(100);
}

wxPoint middleOf(wxWindow* window) { return window->ClientToScreen(wxPoint(window->GetClientSize().x / 2, window->GetClientSize().y / 2)); }

// Types `text` into `field` as a user would: click it, select all, type.
void typeInto(wxTextCtrl* field, const std::string& text) {
    moveAndClick(middleOf(field));
    field->SelectAll();
    wxUIActionSimulator sim;
    sim.Text(text.c_str());
    runEventLoop(100);
}

// Two venturi rows, as a document the user opens.
std::string twoRowDocument() {
    std::string text = VANTREL_VERSION ";2\n";
    for (int i = 0; i < 2; ++i) {
        text += "Venturi;5-4-" + std::to_string(i + 3) +
                ";R-22;10.00;40.0;100.0;30.000;14.75;11.34;0.72;3.40;0.72;7/8;1/4;8;;;;;\n";
    }
    return text;
}

class Chart : public ::testing::Test {
protected:
    void SetUp() override {
        if (test::catalogScenarioRun()) GTEST_SKIP() << "start-up scenario run";
        frame().Raise();
        closeChartWindows();
        path_ = test::openDocumentText("vantrel-chart", twoRowDocument());
        ASSERT_EQ(list().GetItemCount(), 2);
    }
    void TearDown() override {
        closeChartWindows();
        fs::remove(path_);
    }

    static wxPoint rowPoint(long row) {
        wxRect rect;
        EXPECT_TRUE(list().GetItemRect(row, rect));
        return list().ClientToScreen(wxPoint(rect.x + 40, rect.y + rect.height / 2));
    }

    // Opens the chart of row `row` from the popup menu.
    ChartDialog* chartOfRow(long row) {
        const test::PopupResult popup = test::rightClickAndChoose(list(), rowPoint(row), "Performance Chart...");
        EXPECT_TRUE(popup.opened);
        EXPECT_TRUE(popup.itemEnabled);
        for (int waited = 0; waited < 3000 && chartWindows().empty(); waited += 50) runEventLoop(50);
        if (chartWindows().empty()) return nullptr;
        ChartDialog* chart = chartWindows().front();
        // The newest window takes the keys, as the window manager would give them.
        chart->Raise();
        chart->SetFocus();
        runEventLoop(300);
        return chart;
    }

    std::string path_;
};

TEST_F(Chart, PopupMenuOpensTheChartOfTheRowUnderThePointer) {
    ChartDialog* chart = chartOfRow(1);
    ASSERT_NE(chart, nullptr);
    EXPECT_TRUE(chart->IsShown());
    EXPECT_EQ(toUtf8(chart->GetTitle()), "Performance Chart - 5-4-4");
    EXPECT_EQ(chart->sweep().points.size(), 21u);
    EXPECT_EQ(chart->sweep().dutyRow[column::kPartNumber], "5-4-4");
    // Not modal: the main window still takes the user's clicks.
    EXPECT_TRUE(frame().IsEnabled());
    EXPECT_TRUE(gRecorder->seen.empty());
}

TEST_F(Chart, PointerAndArrowKeysShowAPointsValues) {
    ChartDialog* chart = chartOfRow(0);
    ASSERT_NE(chart, nullptr);
    chart->Raise();
    runEventLoop(200);
    const ChartLayout& layout = chart->layout();
    ASSERT_FALSE(layout.panels.empty());
    wxWindow* panel = chart->chartWindow();
    const ChartRect& plot = layout.panels.front().plot;
    const int x = static_cast<int>(pointX(layout, chart->sweep(), 5) + 0.5);
    const int y = static_cast<int>(plot.top + plot.height / 2);
    moveAndClick(panel->ClientToScreen(wxPoint(x, y)));
    EXPECT_EQ(chart->shownPoint(), 5);
    EXPECT_EQ(toUtf8(chart->readout()->GetLabel()), pointReadout(chart->sweep(), 5));

    wxUIActionSimulator sim;
    sim.Char(WXK_RIGHT);
    runEventLoop(150);
    sim.Char(WXK_RIGHT);
    runEventLoop(150);
    EXPECT_EQ(chart->shownPoint(), 7);
    EXPECT_EQ(toUtf8(chart->readout()->GetLabel()), pointReadout(chart->sweep(), 7));
    sim.Char(WXK_HOME);
    runEventLoop(150);
    EXPECT_EQ(chart->shownPoint(), 0);
}

TEST_F(Chart, SaveAsWritesThePictureTheFilterNames) {
    ChartDialog* chart = chartOfRow(0);
    ASSERT_NE(chart, nullptr);
    const fs::path folder = fs::temp_directory_path() / ("vantrel-chart-save-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    for (const int filter : {0, 1}) {
        // The name typed without an extension: the chosen type adds it.
        chart->setSaveAsker([&](const std::string&, int& type) {
            type = filter;
            return (folder / "chart").string();
        });
        moveAndClick(middleOf(chart->saveButton()));
    }
    // What the files are, as a tool outside the program tells.
    const std::string described = test::commandOutput("file -b '" + (folder / "chart.png").string() + "'");
    EXPECT_EQ(described.rfind("PNG image data, 800 x 600", 0), 0u) << described;
    std::ifstream svgFile(folder / "chart.svg");
    const std::string svg((std::istreambuf_iterator<char>(svgFile)), std::istreambuf_iterator<char>());
    EXPECT_NE(svg.find("<svg"), std::string::npos);
    EXPECT_NE(svg.find("5-4-3"), std::string::npos);
    fs::remove_all(folder);
}

TEST_F(Chart, SaveAsOffersThePartNumberAsOneFileName) {
    auto* part = dynamic_cast<wxTextCtrl*>(form().FindWindow(ids::kPartNumber));
    auto* capacity = dynamic_cast<wxTextCtrl*>(form().FindWindow(ids::kCapacity));
    ASSERT_TRUE(part && capacity);
    typeInto(part, "703-8-1/4-6");
    capacity->ChangeValue("");
    moveAndClick(middleOf(form().FindWindow(ids::kRate)));
    moveAndClick(middleOf(form().FindWindow(ids::kChart)));
    for (int waited = 0; waited < 3000 && chartWindows().empty(); waited += 50) runEventLoop(50);
    ASSERT_EQ(chartWindows().size(), 1u);
    ChartDialog* chart = chartWindows().front();
    chart->Raise();
    runEventLoop(200);
    // The file dialog would read the fraction's "/" as a folder.
    std::string offered;
    chart->setSaveAsker([&](const std::string& suggested, int&) {
        offered = suggested;
        return std::string();
    });
    moveAndClick(middleOf(chart->saveButton()));
    EXPECT_EQ(offered, "703-8-1_4-6.png");
}

// Every label whole beside its control, for either sweep (the Windows smoke
// test checks the same under Wine).
TEST_F(Chart, EveryLabelShowsWhole) {
    ChartDialog* chart = chartOfRow(0);
    ASSERT_NE(chart, nullptr);
    for (const std::string& label : test::clippedChartLabels(*chart)) ADD_FAILURE() << label;
}

TEST_F(Chart, CopyPutsThePictureOnTheClipboard) {
    ChartDialog* chart = chartOfRow(0);
    ASSERT_NE(chart, nullptr);
    {
        wxClipboardLocker locker;
        wxTheClipboard->SetData(new wxTextDataObject("before"));
        wxTheClipboard->Flush();
    }
    moveAndClick(middleOf(chart->copyButton()));
    runEventLoop(200);
    wxClipboardLocker locker;
    ASSERT_TRUE(!!locker);
    EXPECT_TRUE(wxTheClipboard->IsSupported(wxDF_BITMAP));
}

TEST_F(Chart, ARefusedRangeSaysSoAndKeepsTheLastChart) {
    ChartDialog* chart = chartOfRow(0);
    ASSERT_NE(chart, nullptr);
    typeInto(chart->stepField(), "0");
    moveAndClick(middleOf(chart->drawButton()));
    ASSERT_FALSE(gRecorder->seen.empty());
    EXPECT_EQ(gRecorder->seen.back().title, "ERROR");
    EXPECT_EQ(gRecorder->seen.back().message, "The step must be greater than 0.");
    EXPECT_EQ(chart->sweep().points.size(), 21u);

    // A good range draws: 50 % to 150 % in steps of 25 %.
    typeInto(chart->fromField(), "50");
    typeInto(chart->toField(), "150");
    typeInto(chart->stepField(), "25");
    moveAndClick(middleOf(chart->drawButton()));
    EXPECT_EQ(chart->sweep().points.size(), 5u);

    // No capacity is no point: 0 % is refused, not drawn at the rated capacity.
    typeInto(chart->fromField(), "0");
    typeInto(chart->toField(), "10");
    typeInto(chart->stepField(), "5");
    moveAndClick(middleOf(chart->drawButton()));
    const std::vector<SweepPoint>& points = chart->sweep().points;
    ASSERT_EQ(points.size(), 3u);
    EXPECT_FALSE(points[0].rated);
    EXPECT_EQ(points[0].message, "Cannot have zero capacity.");
    EXPECT_TRUE(points[1].rated);
}

TEST_F(Chart, ChartButtonChartsTheLastRate) {
    wxWindow* chartButton = form().FindWindow(ids::kChart);
    ASSERT_NE(chartButton, nullptr);
    auto* part = dynamic_cast<wxTextCtrl*>(form().FindWindow(ids::kPartNumber));
    auto* capacity = dynamic_cast<wxTextCtrl*>(form().FindWindow(ids::kCapacity));
    ASSERT_TRUE(part && capacity);
    typeInto(part, "5-4-99");
    moveAndClick(middleOf(form().FindWindow(ids::kRate)));
    EXPECT_FALSE(chartButton->IsEnabled());
    gRecorder->seen.clear();
    typeInto(part, "5-4-6");
    typeInto(capacity, "3");
    moveAndClick(middleOf(form().FindWindow(ids::kRate)));
    ASSERT_TRUE(chartButton->IsEnabled());
    moveAndClick(middleOf(chartButton));
    for (int waited = 0; waited < 3000 && chartWindows().empty(); waited += 50) runEventLoop(50);
    ASSERT_EQ(chartWindows().size(), 1u);
    EXPECT_EQ(chartWindows().front()->sweep().dutyRow[column::kPartNumber], "5-4-6");
}

}  // namespace
}  // namespace vantrel
