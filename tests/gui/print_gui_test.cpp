// File > Print: the header dialog's record, and the pages drawn to pictures.
#include <gtest/gtest.h>
#include <wx/choice.h>
#include <wx/combobox.h>
#include <wx/image.h>
#include <wx/radiobut.h>
#include <wx/textctrl.h>

#include <cstdlib>
#include <filesystem>

#include "app/wx/TSDIDecFrame.h"
#include "app/wx/TmorvexApp.h"
#include "form/control_ids.h"
#include "form/wx/TmorvexDlgClient.h"
#include "form/wx/wx_text.h"
#include "gui_support.h"
#include "output/wx/TLWoutput.h"
#include "print/wx/TDistPrintout.h"
#include "print/wx/TdistDlgPrint.h"
#include "resources/command_ids.h"

namespace vantrel {
namespace {

using test::gRecorder;
namespace fs = std::filesystem;

TmorvexDlgClient& form() { return *static_cast<TmorvexApp&>(*wxTheApp).frame()->client(); }

class Printing : public ::testing::Test {
protected:
    void SetUp() override {
        if (test::catalogScenarioRun()) GTEST_SKIP() << "start-up scenario run";
        gRecorder->seen.clear();
        gRecorder->respond = nullptr;
    }
};

TEST_F(Printing, HeaderDialogKeepsTheLastAcceptedValues) {
    PrintHeaderData header;
    gRecorder->respond = [](wxDialog* dialog) {
        auto* print = dynamic_cast<TdistDlgPrint*>(dialog);
        if (!print) return wxID_CANCEL;
        EXPECT_TRUE(print->projectField()->IsEmpty());
        EXPECT_TRUE(print->allButton()->GetValue());
        print->projectField()->ChangeValue("Cold store 4");
        print->customerField()->ChangeValue("Northfield Foods");
        print->selectionButton()->SetValue(true);
        return wxID_OK;
    };
    ASSERT_TRUE(runPrintHeader(&form(), header));
    EXPECT_EQ(header.ProjectName, "Cold store 4");
    EXPECT_EQ(header.CustomerName, "Northfield Foods");
    EXPECT_EQ(header.AllState, 0);
    EXPECT_EQ(header.SelectionState, 1);

    gRecorder->respond = [](wxDialog* dialog) {
        auto* print = dynamic_cast<TdistDlgPrint*>(dialog);
        EXPECT_EQ(toUtf8(print->projectField()->GetValue()), "Cold store 4");
        EXPECT_TRUE(print->selectionButton()->GetValue());
        print->projectField()->ChangeValue("changed");
        return wxID_CANCEL;
    };
    EXPECT_FALSE(runPrintHeader(&form(), header));
    EXPECT_EQ(header.ProjectName, "Cold store 4");
}

TEST_F(Printing, CancellingTheHeaderPrintsNothing) {
    gRecorder->respond = [](wxDialog*) { return wxID_CANCEL; };
    wxCommandEvent print(wxEVT_MENU, cmd::kPrint);
    static_cast<TmorvexApp&>(*wxTheApp).frame()->GetEventHandler()->ProcessEvent(print);
    ASSERT_EQ(gRecorder->seen.size(), 1u);  // the header dialog only, no printer dialog
    EXPECT_EQ(gRecorder->seen[0].title, "Header Information");
}

TEST_F(Printing, ContinueGoesOnToThePrinterDialog) {
    gRecorder->respond = [](wxDialog* dialog) {
        return dynamic_cast<TdistDlgPrint*>(dialog) ? wxID_OK : wxID_CANCEL;
    };
    wxCommandEvent print(wxEVT_MENU, cmd::kPrint);
    static_cast<TmorvexApp&>(*wxTheApp).frame()->GetEventHandler()->ProcessEvent(print);
    ASSERT_GE(gRecorder->seen.size(), 2u);
    EXPECT_EQ(gRecorder->seen[0].title, "Header Information");
    EXPECT_NE(gRecorder->seen[1].className.find("Print"), std::string::npos) << gRecorder->seen[1].className;
}

TEST_F(Printing, PagesDrawToPictures) {
    // Many rows of several models: Select a few duties on the shipped catalog.
    auto* circuits = dynamic_cast<wxTextCtrl*>(form().control(ids::kCircuits));
    auto* capacity = dynamic_cast<wxTextCtrl*>(form().control(ids::kCapacity));
    dynamic_cast<wxChoice*>(form().control(ids::kTubeSize))->SetSelection(3);
    const bool si = form().form().siUnits;
    dynamic_cast<wxComboBox*>(form().control(ids::kSuctionTemp))->SetValue(si ? "4.4" : "40");
    dynamic_cast<wxComboBox*>(form().control(ids::kLiquidTemp))->SetValue(si ? "37.8" : "100");
    for (const char* count : {"6", "8", "12"}) {
        circuits->ChangeValue(count);
        capacity->ChangeValue(si ? "35" : "10");
        wxCommandEvent click(wxEVT_BUTTON, ids::kSelect);
        click.SetEventObject(form().control(ids::kSelect));
        form().control(ids::kSelect)->GetEventHandler()->ProcessEvent(click);
    }
    ASSERT_GT(form().form().rows.size(), 20u);
    const char* keep = std::getenv("VANTREL_PRINT_DIR");
    const fs::path folder = keep ? fs::path(keep) : fs::temp_directory_path() / ("vantrel-print-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    PrintHeaderData header;
    header.CustomerName = "Northfield Foods";
    header.ProjectName = "Cold store 4";
    const int pages = printToPictures(form().form().rows, header, si, folder.string());
    EXPECT_GE(pages, 2);
    wxImage first;
    ASSERT_TRUE(first.LoadFile(wxString((folder / "page-1.png").string())));
    EXPECT_EQ(first.GetWidth(), 750);
    // Something was drawn: not every pixel of the page is white.
    bool ink = false;
    for (int y = 0; y < first.GetHeight() && !ink; y += 2) {
        for (int x = 0; x < first.GetWidth() && !ink; x += 2) ink = first.GetRed(x, y) < 128;
    }
    EXPECT_TRUE(ink);
    if (!keep) fs::remove_all(folder);
}

}  // namespace
}  // namespace vantrel
