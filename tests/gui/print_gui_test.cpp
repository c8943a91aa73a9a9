// File > Print: the header dialog's record, and the pages drawn to pictures.
#include <gtest/gtest.h>
#include <wx/choice.h>
#include <wx/combobox.h>
#include <wx/image.h>
#include <wx/msgdlg.h>
#include <wx/radiobut.h>
#include <wx/textctrl.h>

#include <gtk/gtk.h>
#include <gtk/gtkunixprint.h>
#include <wx/aui/auibar.h>
#include <wx/checkbox.h>
#include <wx/timer.h>
#include <wx/uiaction.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>

#include "version.h"
#include "app/wx/TSDIDecFrame.h"
#include "app/wx/TmorvexApp.h"
#include "resources/control_ids.h"
#include "form/wx/TmorvexDlgClient.h"
#include "ui/wx/wx_text.h"
#include "gui_support.h"
#include "output/wx/TLWoutput.h"
#include "print/wx/TDistPrintout.h"
#include <wx/gtk/print.h>
#include "print/wx/TdistDlgPrint.h"
#include "curve/sweep.h"
#include "render/pdf_report.h"
#include "resources/command_ids.h"

namespace vantrel {
namespace {

using test::commandOutput;
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
    gRecorder->respond = [](wxDialog* dialog) { return dynamic_cast<TdistDlgPrint*>(dialog) ? wxID_OK : wxID_CANCEL; };
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
    const fs::path folder =
        keep ? fs::path(keep) : fs::temp_directory_path() / ("vantrel-print-" + std::to_string(::getpid()));
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


/// The GTK print dialog on the screen, if one is.
GtkWidget* shownPrintDialog() {
    GtkWidget* found = nullptr;
    GList* windows = gtk_window_list_toplevels();
    for (GList* w = windows; w; w = w->next) {
        GtkWidget* window = GTK_WIDGET(w->data);
        if (std::string(G_OBJECT_TYPE_NAME(window)) == "GtkPrintUnixDialog" && gtk_widget_get_mapped(window))
            found = window;
    }
    g_list_free(windows);
    return found;
}

/// Opens a document of forty rows of ten models (several pages).
void openFortyRows(const fs::path& folder) {
    const fs::path document = folder / "many.dst";
    {
        std::ofstream out(document);
        out << VANTREL_VERSION ";40\n";
        for (int i = 0; i < 40; ++i) {
            out << "Venturi;5-4-" << (i / 4 + 2)
                << ";R-22;10.00;40.0;100.0;30.000;14.75;11.34;0.72;3.40;0.72;7/8;1/4;8;;;;;\n";
        }
    }
    gRecorder->respond = [](wxDialog*) { return wxID_YES; };
    form().setFileNameAsker([&document](bool, const std::string&) { return document.string(); });
    test::sendCommand(cmd::kOpen);
    form().setFileNameAsker(nullptr);
    gRecorder->respond = nullptr;
}

/// File > Print, Continue in the header, then in the system's print dialog
/// the printer "Print to File" writing `pdf`, optionally the pages `range`
/// ("2-3"), and a pointer click on its Print button. Returns whether the
/// button was pressed.
bool printToFileThroughDialog(const fs::path& pdf, const std::string& range = {}, bool charts = false) {
    // The printer and file a user would pick in the dialog.
    wxPrintData& data = form().printDialogData().GetPrintData();
    data.SetPrinterName("Print to File");
    data.ConvertToNative();
    auto* settings =
        static_cast<GtkPrintSettings*>(static_cast<wxGtkPrintNativeData*>(data.GetNativeData())->GetPrintConfig());
    gtk_print_settings_set(settings, GTK_PRINT_SETTINGS_OUTPUT_URI, ("file://" + pdf.string()).c_str());
    gtk_print_settings_set(settings, GTK_PRINT_SETTINGS_OUTPUT_FILE_FORMAT, "pdf");

    gRecorder->respond = [charts](wxDialog* dialog) -> int {
        if (auto* header = dynamic_cast<TdistDlgPrint*>(dialog)) {
            header->customerField()->ChangeValue("Northfield Foods");
            header->projectField()->ChangeValue("Cold store 4");
            header->allButton()->SetValue(true);
            header->chartsBox()->SetValue(charts);
            return wxID_OK;
        }
        // The system's print dialog shows itself; a message box is answered.
        return dynamic_cast<wxMessageDialog*>(dialog) ? wxID_OK : wxID_NONE;
    };
    // Once the dialog is up and has found its printer, press Print with the pointer.
    bool pressed = false;
    int waited = 0;
    wxTimer poll;
    poll.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
        waited += 200;
        GtkWidget* dialog = shownPrintDialog();
        if (!dialog) return;
        GtkWidget* print = gtk_dialog_get_widget_for_response(GTK_DIALOG(dialog), GTK_RESPONSE_OK);
        if (waited > 20000) {
            gtk_dialog_response(GTK_DIALOG(dialog), GTK_RESPONSE_CANCEL);
            poll.Stop();
            return;
        }
        if (!print || !gtk_widget_is_sensitive(print) || !gtk_widget_get_mapped(print)) return;
        poll.Stop();
        if (!range.empty()) {
            // As typed into the dialog's "Pages" field.
            GtkPrintSettings* chosen = gtk_print_unix_dialog_get_settings(GTK_PRINT_UNIX_DIALOG(dialog));
            gtk_print_settings_set_print_pages(chosen, GTK_PRINT_PAGES_RANGES);
            const int first = std::atoi(range.c_str());
            const int last =
                range.find('-') == std::string::npos ? first : std::atoi(range.c_str() + range.find('-') + 1);
            GtkPageRange pages{first - 1, last - 1};
            gtk_print_settings_set_page_ranges(chosen, &pages, 1);
            gtk_print_unix_dialog_set_settings(GTK_PRINT_UNIX_DIALOG(dialog), chosen);
            g_object_unref(chosen);
        }
        wxUIActionSimulator sim;
        sim.MouseMove(test::widgetPoint(print));
        test::runEventLoop(300);
        sim.MouseClick();
        pressed = true;
    });
    poll.Start(200);
    test::sendCommand(cmd::kPrint);
    poll.Stop();
    gRecorder->respond = nullptr;
    return pressed;
}

/// The number of pages of `pdf` once the print system has written it whole
/// (0 when it never does).
int pdfPages(const fs::path& pdf) {
    std::string info;
    for (int i = 0; i < 100 && info.find("Pages:") == std::string::npos; ++i) {
        test::runEventLoop(100);
        if (fs::exists(pdf)) info = commandOutput("pdfinfo '" + pdf.string() + "' 2>/dev/null");
    }
    if (info.find("Pages:") == std::string::npos) return 0;
    return std::atoi(info.c_str() + info.find("Pages:") + 6);
}

std::string pdfPageText(const fs::path& pdf, int page) {
    return commandOutput("pdftotext -layout -f " + std::to_string(page) + " -l " + std::to_string(page) + " '" +
                         pdf.string() + "' -");
}

class PrintingToFile : public Printing {
protected:
    void SetUp() override {
        Printing::SetUp();
        if (IsSkipped()) return;
        folder_ = fs::temp_directory_path() / ("vantrel-print-file-" + std::to_string(::getpid()));
        fs::create_directories(folder_);
        openFortyRows(folder_);
        ASSERT_EQ(form().form().rows.size(), 40u);
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }
    fs::path folder_;
};

// File > Export PDF: the header dialog as for Print, a file name without its
// extension, then the pages of the layout, the same report the core (and so
// the command line) makes of these rows.
TEST_F(PrintingToFile, ExportPdfWritesThePrintedPagesWithoutAPrintDialog) {
    gRecorder->respond = [](wxDialog* dialog) {
        auto* print = dynamic_cast<TdistDlgPrint*>(dialog);
        if (!print) return wxID_CANCEL;
        print->customerField()->ChangeValue("Northfield Foods");
        print->projectField()->ChangeValue("Cold store 4");
        print->allButton()->SetValue(true);
        return wxID_OK;
    };
    const fs::path typed = folder_ / "export";
    form().setPdfFileAsker([&typed] { return typed.string(); });
    // The menu bar is clicked where the user sees it: the main window on top.
    static_cast<TmorvexApp&>(*wxTheApp).frame()->Raise();
    test::runEventLoop(200);
    ASSERT_TRUE(test::chooseFromMenuBar("File", cmd::kExportPdf));
    form().setPdfFileAsker(nullptr);
    gRecorder->respond = nullptr;
    const fs::path pdf = folder_ / "export.pdf";
    ASSERT_TRUE(fs::exists(pdf)) << "no export.pdf";
    for (const test::SeenDialog& seen : gRecorder->seen) EXPECT_NE(seen.title, "ERROR") << seen.message;

    ReportOptions options;
    options.header = form().form().printHeader;
    options.siUnits = form().form().siUnits;
    const std::string info = commandOutput("pdfinfo '" + pdf.string() + "'");
    options.paper = info.find("612 x 792") != std::string::npos ? PaperSize::Letter : PaperSize::A4;
    std::string error;
    const ReportPages core = reportPages(form().form().rows, options, error);
    ASSERT_TRUE(error.empty()) << error;
    // pdfinfo's lines: "Name:" and the value after blanks.
    auto field = [&info](const std::string& name) {
        const std::size_t at = info.find(name + ":");
        if (at == std::string::npos) return std::string();
        const std::size_t start = info.find_first_not_of(' ', at + name.size() + 1);
        return info.substr(start, info.find('\n', start) - start);
    };
    EXPECT_EQ(field("Pages"), std::to_string(core.count)) << info;
    EXPECT_EQ(field("Creator"), "Vantrel " VANTREL_VERSION) << info;
    const fs::path corePdf = folder_ / "core.pdf";
    std::ofstream(corePdf, std::ios::binary) << core.pdf;
    const std::string text = commandOutput("pdftotext -layout '" + pdf.string() + "' -");
    EXPECT_EQ(text, commandOutput("pdftotext -layout '" + corePdf.string() + "' -"));
    EXPECT_NE(text.find("Northfield Foods"), std::string::npos);
    EXPECT_NE(text.find("Page: 2"), std::string::npos);
}

TEST_F(PrintingToFile, EveryPageOfTheLayoutReachesTheFile) {
    const fs::path pdf = folder_ / "report.pdf";
    ASSERT_TRUE(printToFileThroughDialog(pdf)) << "the print dialog never offered its Print button";
    const int pages = pdfPages(pdf);
    ASSERT_GE(pages, 2) << "no PDF of several pages written";
    // Every page is one of the layout's, in order, each with its header.
    std::set<std::string> models;
    for (int page = 1; page <= pages; ++page) {
        const std::string text = pdfPageText(pdf, page);
        EXPECT_NE(text.find("Page: " + std::to_string(page)), std::string::npos) << text;
        EXPECT_NE(text.find("Northfield Foods"), std::string::npos);
        EXPECT_NE(text.find("Cold store 4"), std::string::npos);
        for (int model = 2; model < 12; ++model) {
            const std::string part = "5-4-" + std::to_string(model);
            if (text.find(part + "\n") != std::string::npos || text.find(part + " ") != std::string::npos)
                models.insert(part);
        }
    }
    EXPECT_EQ(models.size(), 10u) << "every model printed";
    const std::string all = commandOutput("pdftotext '" + pdf.string() + "' -");
    std::size_t rowsPrinted = 0;
    for (std::size_t at = all.find("R-22"); at != std::string::npos; at = all.find("R-22", at + 1)) ++rowsPrinted;
    EXPECT_EQ(rowsPrinted, 40u);
    for (const test::SeenDialog& seen : gRecorder->seen) EXPECT_NE(seen.title, "ERROR") << seen.message;
    if (const char* keep = std::getenv("VANTREL_PRINT_DIR"))
        fs::copy_file(pdf, fs::path(keep) / "report.pdf", fs::copy_options::overwrite_existing);
}

// "Include performance charts", ticked with the pointer in the header dialog,
// then the tool bar's Export PDF button: a chart after each model's block.
TEST_F(PrintingToFile, ExportPdfFromTheToolBarWithCharts) {
    bool ticked = false;
    bool closed = false;
    gRecorder->respond = [&](wxDialog* dialog) {
        auto* print = dynamic_cast<TdistDlgPrint*>(dialog);
        if (!print) return int{wxID_CANCEL};
        print->CallAfter([&, print] {
            test::runEventLoop(200);
            test::moveAndClick(test::widgetPoint(print->chartsBox()->GetHandle()));
            test::runEventLoop(200);
            ticked = print->chartsBox()->GetValue();
            test::moveAndClick(test::widgetPoint(print->FindWindow(wxID_OK)->GetHandle()));
            test::runEventLoop(200);
            closed = !print->IsModal();
            if (print->IsModal()) print->EndModal(wxID_CANCEL);  // never leave the run hanging
        });
        return int{wxID_NONE};
    };
    const fs::path pdf = folder_ / "charts.pdf";
    form().setPdfFileAsker([&pdf] { return pdf.string(); });
    static_cast<TmorvexApp&>(*wxTheApp).frame()->Raise();
    test::runEventLoop(200);
    wxAuiToolBar* bar = static_cast<TmorvexApp&>(*wxTheApp).frame()->toolBar();
    const wxRect tool = bar->GetToolRect(cmd::kExportPdf);
    ASSERT_FALSE(tool.IsEmpty());
    test::moveAndClick(bar->ClientToScreen(tool.GetPosition() + wxSize(tool.width / 2, tool.height / 2)));
    test::runEventLoop(500);
    form().setPdfFileAsker(nullptr);
    gRecorder->respond = nullptr;
    EXPECT_TRUE(ticked) << "the click did not tick the box";
    EXPECT_TRUE(closed) << "Continue did not close the dialog";
    ASSERT_TRUE(fs::exists(pdf)) << "no charts.pdf";
    EXPECT_TRUE(form().form().printHeader.IncludeCharts) << "the box is kept for the next report";

    ReportOptions options;
    options.header = form().form().printHeader;
    options.siUnits = form().form().siUnits;
    options.chartSweep = rowSweepsOf(form().form());
    options.paper = commandOutput("pdfinfo '" + pdf.string() + "'").find("612 x 792") != std::string::npos
                        ? PaperSize::Letter
                        : PaperSize::A4;
    std::string error;
    const ReportPages core = reportPages(form().form().rows, options, error);
    const fs::path corePdf = folder_ / "core.pdf";
    std::ofstream(corePdf, std::ios::binary) << core.pdf;
    const std::string text = commandOutput("pdftotext -layout '" + pdf.string() + "' -");
    EXPECT_EQ(text, commandOutput("pdftotext -layout '" + corePdf.string() + "' -"));
    // Ten models: the five the shipped catalog holds charted, each with its
    // load panel; the five it lacks say so in the chart's place.
    auto count = [&text](const std::string& word) {
        std::size_t n = 0;
        for (std::size_t at = text.find(word); at != std::string::npos; at = text.find(word, at + 1)) ++n;
        return n;
    };
    EXPECT_EQ(count("Load (%)"), 5u);
    EXPECT_EQ(count("No performance chart"), 5u);
    form().form().printHeader.IncludeCharts = false;
}

// Print with the box ticked: the printer gets the same charts, as pictures.
TEST_F(PrintingToFile, PrintedChartsReachThePrinter) {
    const fs::path pdf = folder_ / "printed-charts.pdf";
    ASSERT_TRUE(printToFileThroughDialog(pdf, {}, true));
    const int pages = pdfPages(pdf);
    form().form().printHeader.IncludeCharts = false;
    ASSERT_GE(pages, 5) << "ten charts take more pages than the rows alone";
    for (int page = 1; page <= pages; ++page)
        EXPECT_NE(pdfPageText(pdf, page).find("Page: " + std::to_string(page)), std::string::npos);
    // pdfimages lists two heading lines, then one line a picture.
    const std::string images = commandOutput("pdfimages -list '" + pdf.string() + "'");
    EXPECT_EQ(std::count(images.begin(), images.end(), '\n'), 2 + 10) << images;
    if (const char* keep = std::getenv("VANTREL_PRINT_DIR"))
        fs::copy_file(pdf, fs::path(keep) / "report-charts.pdf", fs::copy_options::overwrite_existing);
}

TEST_F(PrintingToFile, APageRangeChosenInTheDialogPrintsThosePages) {
    const fs::path pdf = folder_ / "page-2.pdf";
    ASSERT_TRUE(printToFileThroughDialog(pdf, "2"));
    ASSERT_EQ(pdfPages(pdf), 1);
    EXPECT_NE(pdfPageText(pdf, 1).find("Page: 2"), std::string::npos) << pdfPageText(pdf, 1);
}

TEST_F(PrintingToFile, AFailedPrintSaysSo) {
    // A folder that does not exist: the print system cannot write the file.
    const fs::path pdf = folder_ / "no-such-folder" / "report.pdf";
    ASSERT_TRUE(printToFileThroughDialog(pdf));
    test::runEventLoop(500);
    ASSERT_FALSE(gRecorder->seen.empty());
    EXPECT_EQ(gRecorder->seen.back().title, "ERROR");
    EXPECT_EQ(gRecorder->seen.back().message, "The results could not be printed.\nCheck the printer and try again.");
    EXPECT_FALSE(fs::exists(pdf));
}

}  // namespace
}  // namespace vantrel
