#include "chart/wx/ChartDialog.h"

#include <wx/bitmap.h>
#include <wx/button.h>
#include <wx/choice.h>
#include <wx/clipbrd.h>
#include <wx/dcbuffer.h>
#include <wx/filedlg.h>
#include <wx/image.h>
#include <wx/msgdlg.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "chart/chart_canvas.h"
#include "chart/wx/chart_bitmap.h"
#include "engine/number_text.h"
#include "form/selection_form.h"
#include "render/chart_image.h"
#include "ui/wx/wx_text.h"

namespace vantrel {

namespace {

// Files and the clipboard get the chart at the size the command line draws
// it, whatever the window's size.
constexpr double kFileWidth = 800;
constexpr double kFileHeight = 600;

// A number as a field shows it: no trailing zeros.
std::string fieldText(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.6g", value);
    return text;
}

bool endsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

// A label of the controls row, at its text's size. Windows' static control
// cuts its text at its own edge, and a letter's ink may pass its advance
// (the "p" of "Sweep" lost its bowl under Wine), so there the label is a
// dialog unit wider than its text's extent. GTK draws a label's ink whole.
class RowLabel : public wxStaticText {
public:
    // Made in two steps so that its own best size is the one first asked.
    RowLabel(wxWindow* parent, const wxString& text) { Create(parent, wxID_ANY, text); }

#ifdef __WXMSW__
protected:
    wxSize DoGetBestClientSize() const override {
        return wxStaticText::DoGetBestClientSize() + wxSize(ConvertDialogToPixels(wxSize(1, 0)).x, 0);
    }
#endif
};

}  // namespace

// The chart itself: the picture drawn for the window's size, and the point
// the readout shows marked on it. The arrow keys move that point.
class ChartView : public wxWindow {
public:
    ChartView(wxWindow* parent, std::function<void(int)> chosen)
        : wxWindow(parent, wxID_ANY, wxDefaultPosition, wxSize(640, 420), wxWANTS_CHARS | wxFULL_REPAINT_ON_RESIZE),
          chosen_(std::move(chosen)) {
        SetBackgroundStyle(wxBG_STYLE_PAINT);
        SetMinSize(wxSize(400, 300));
        Bind(wxEVT_PAINT, &ChartView::onPaint, this);
        Bind(wxEVT_SIZE, [this](wxSizeEvent& event) {
            relayout();
            event.Skip();
        });
        Bind(wxEVT_MOTION, &ChartView::onMotion, this);
        Bind(wxEVT_LEFT_DOWN, [this](wxMouseEvent& event) {
            SetFocus();
            onMotion(event);
        });
        Bind(wxEVT_KEY_DOWN, &ChartView::onKey, this);
    }

    void show(const Sweep* sweep) {
        sweep_ = sweep;
        point_ = -1;
        relayout();
    }
    const ChartLayout& layout() const { return layout_; }
    int point() const { return point_; }
    void choose(int index) {
        if (!sweep_ || sweep_->points.empty()) return;
        const int last = static_cast<int>(sweep_->points.size()) - 1;
        index = std::max(0, std::min(index, last));
        if (index == point_) return;
        point_ = index;
        Refresh(false);
        chosen_(point_);
    }

private:
    void relayout() {
        const wxSize size = GetClientSize();
        if (!sweep_ || size.x <= 0 || size.y <= 0) return;
        layout_ = layoutChart(*sweep_, size.x, size.y);
        picture_ = chartBitmap(renderChartImage(layout_));
        Refresh(false);
    }

    void onPaint(wxPaintEvent&) {
        wxAutoBufferedPaintDC dc(this);
        dc.SetBackground(*wxWHITE_BRUSH);
        dc.Clear();
        if (picture_.IsOk()) dc.DrawBitmap(picture_, 0, 0);
        if (sweep_ && point_ >= 0 && !layout_.panels.empty()) {
            // The chosen point: a line across every panel, in a colour no
            // series uses.
            const int x = static_cast<int>(pointX(layout_, *sweep_, point_) + 0.5);
            dc.SetPen(wxPen(wxColour(200, 0, 160), 1, wxPENSTYLE_SOLID));
            for (const ChartView::Plot& plot : plots()) dc.DrawLine(x, plot.top, x, plot.bottom);
        }
        if (HasFocus()) {
            dc.SetPen(wxPen(wxColour(120, 120, 120), 1, wxPENSTYLE_DOT));
            dc.SetBrush(*wxTRANSPARENT_BRUSH);
            dc.DrawRectangle(wxRect(GetClientSize()).Deflate(1));
        }
    }

    struct Plot {
        int top;
        int bottom;
    };
    std::vector<Plot> plots() const {
        std::vector<Plot> out;
        for (const auto& panel : layout_.panels)
            out.push_back({static_cast<int>(panel.plot.top), static_cast<int>(panel.plot.top + panel.plot.height)});
        return out;
    }

    void onMotion(wxMouseEvent& event) {
        if (!sweep_) return;
        const int index = nearestPoint(layout_, *sweep_, event.GetX(), event.GetY());
        if (index >= 0) choose(index);
        event.Skip();
    }

    void onKey(wxKeyEvent& event) {
        if (!sweep_ || sweep_->points.empty()) {
            event.Skip();
            return;
        }
        const int last = static_cast<int>(sweep_->points.size()) - 1;
        switch (event.GetKeyCode()) {
            case WXK_LEFT: choose(point_ < 0 ? 0 : point_ - 1); break;
            case WXK_RIGHT: choose(point_ < 0 ? 0 : point_ + 1); break;
            case WXK_HOME: choose(0); break;
            case WXK_END: choose(last); break;
            default: event.Skip(); break;
        }
    }

    std::function<void(int)> chosen_;
    const Sweep* sweep_ = nullptr;
    ChartLayout layout_;
    wxBitmap picture_;
    int point_ = -1;
};

ChartDialog::ChartDialog(wxWindow* parent, const SelectionForm& form, const FormInputs& duty)
    : ChartDialog(parent, form, sweepDistributor(form, duty, defaultSweepRange(SweepKind::Capacity, 0, form.siUnits))) {}

ChartDialog::ChartDialog(wxWindow* parent, const SelectionForm& form, const ResultRow& row)
    : ChartDialog(parent, form, sweepRow(form, row, defaultSweepRange(SweepKind::Capacity, 0, form.siUnits))) {}

ChartDialog::ChartDialog(wxWindow* parent, const SelectionForm& form, const SweepOutcome& first)
    : wxDialog(parent, wxID_ANY, fromUtf8(tr("Performance Chart")), wxDefaultPosition, wxDefaultSize,
               wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER | wxMAXIMIZE_BOX | wxMINIMIZE_BOX),
      form_(form) {
    auto* top = new wxBoxSizer(wxVERTICAL);
    auto* controls = new wxBoxSizer(wxHORIZONTAL);
    // TRANSLATORS: label of the list that picks what the chart varies: capacity or suction temperature.
    controls->Add(new RowLabel(this, fromUtf8(tr("Sweep"))), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 4);
    sweepChoice_ = new wxChoice(this, wxID_ANY);
    sweepChoice_->Append(fromUtf8(tr("Capacity")));
    sweepChoice_->Append(fromUtf8(tr("Suction temperature")));
    sweepChoice_->SetSelection(0);
    controls->Add(sweepChoice_, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 12);
    auto field = [&](const char* label, wxTextCtrl*& text, wxStaticText*& unit) {
        controls->Add(new RowLabel(this, fromUtf8(tr(label))), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 4);
        text = new wxTextCtrl(this, wxID_ANY, "", wxDefaultPosition, wxDefaultSize, wxTE_PROCESS_ENTER);
        // Room for the longest number a sweep takes, in the field's own font.
        text->SetInitialSize(text->GetSizeFromTextSize(text->GetTextExtent("-888.88").x));
        controls->Add(text, 0, wxALIGN_CENTER_VERTICAL);
        unit = new RowLabel(this, "°F");
        controls->Add(unit, 0, wxALIGN_CENTER_VERTICAL | wxLEFT | wxRIGHT, 4);
        text->Bind(wxEVT_TEXT_ENTER, &ChartDialog::onDraw, this);
    };
    // TRANSLATORS: the range of the chart's sweep: From … To … in steps of Step.
    field(N_("From"), from_, fromUnit_);
    field(N_("To"), to_, toUnit_);
    field(N_("Step"), step_, stepUnit_);
    draw_ = new wxButton(this, wxID_ANY, fromUtf8(tr("&Draw")));
    controls->Add(draw_, 0, wxALIGN_CENTER_VERTICAL | wxLEFT, 8);
    top->Add(controls, 0, wxALL, 8);

    panel_ = new ChartView(this, [this](int index) { onPointChosen(index); });
    top->Add(panel_, 1, wxEXPAND | wxLEFT | wxRIGHT, 8);

    readout_ = new wxStaticText(this, wxID_ANY, fromUtf8(tr("Point at the chart, or click it and use the arrow keys.")),
                                wxDefaultPosition, wxDefaultSize, wxST_NO_AUTORESIZE | wxST_ELLIPSIZE_END);
    top->Add(readout_, 0, wxEXPAND | wxALL, 8);

    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    copy_ = new wxButton(this, wxID_ANY, fromUtf8(tr("&Copy")));
    save_ = new wxButton(this, wxID_ANY, fromUtf8(tr("&Save As...")));
    buttons->Add(copy_, 0, wxRIGHT, 8);
    buttons->Add(save_, 0);
    buttons->AddStretchSpacer();
    buttons->Add(new wxButton(this, wxID_CLOSE, fromUtf8(tr("Close"))), 0);
    top->Add(buttons, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, 8);
    SetSizerAndFit(top);
    SetEscapeId(wxID_CLOSE);

    sweepChoice_->Bind(wxEVT_CHOICE, &ChartDialog::onSweepChoice, this);
    draw_->Bind(wxEVT_BUTTON, &ChartDialog::onDraw, this);
    copy_->Bind(wxEVT_BUTTON, &ChartDialog::onCopy, this);
    save_->Bind(wxEVT_BUTTON, &ChartDialog::onSave, this);
    Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { Destroy(); }, wxID_CLOSE);
    Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent&) { Destroy(); });

    showRange(defaultSweepRange(kind_, 0, form_.siUnits));
    if (!first.ok) {
        error(first.message);
        return;
    }
    sweep_ = first.sweep;
    haveSweep_ = true;
    // TRANSLATORS: %s is the distributor's part number.
    SetTitle(fromUtf8(formatText(tr("Performance Chart - %s"), {sweep_.duty.partNumber})));
    panel_->show(&sweep_);
}

const ChartLayout& ChartDialog::layout() const { return panel_->layout(); }
int ChartDialog::shownPoint() const { return panel_->point(); }
wxWindow* ChartDialog::chartWindow() const { return panel_; }

namespace {

ChartDialog* shownOrGone(ChartDialog* dialog) {
    if (!dialog->ok()) {
        dialog->Destroy();
        return nullptr;
    }
    dialog->Show();
    return dialog;
}

}  // namespace

ChartDialog* ChartDialog::open(wxWindow* parent, const SelectionForm& form, const FormInputs& duty) {
    return shownOrGone(new ChartDialog(parent, form, duty));
}

ChartDialog* ChartDialog::open(wxWindow* parent, const SelectionForm& form, const ResultRow& row) {
    return shownOrGone(new ChartDialog(parent, form, row));
}

void ChartDialog::showRange(const SweepRange& range) {
    from_->ChangeValue(fromUtf8(fieldText(range.from)));
    to_->ChangeValue(fromUtf8(fieldText(range.to)));
    step_->ChangeValue(fromUtf8(fieldText(range.step)));
    const char* unit = range.kind == SweepKind::Capacity ? "%" : form_.siUnits ? "°C" : "°F";
    for (wxStaticText* label : {fromUnit_, toUnit_, stepUnit_}) label->SetLabel(fromUtf8(unit));
    Layout();
}

bool ChartDialog::readRange(SweepRange& range) {
    range.kind = kind_;
    const std::pair<wxTextCtrl*, const char*> fields[] = {{from_, N_("From must be a number.")},
                                                          {to_, N_("To must be a number.")},
                                                          {step_, N_("Step must be a number.")}};
    double* const targets[] = {&range.from, &range.to, &range.step};
    for (int i = 0; i < 3; ++i) {
        const NumberRead read = readLeadingNumber(toUtf8(fields[i].first->GetValue()));
        if (read.fault || fields[i].first->GetValue().Strip(wxString::both).empty()) {
            error(tr(fields[i].second));
            fields[i].first->SetFocus();
            return false;
        }
        *targets[i] = read.value;
    }
    return true;
}

void ChartDialog::redraw() {
    SweepRange range;
    if (!readRange(range)) return;
    if (!haveSweep_) return;
    const SweepOutcome outcome = sweepAgain(form_, sweep_, range);
    if (!outcome.ok) {
        // The last good chart stays.
        error(outcome.message);
        return;
    }
    sweep_ = outcome.sweep;
    panel_->show(&sweep_);
    readout_->SetLabel(fromUtf8(tr("Point at the chart, or click it and use the arrow keys.")));
}

void ChartDialog::onSweepChoice(wxCommandEvent&) {
    kind_ = sweepChoice_->GetSelection() == 1 ? SweepKind::Suction : SweepKind::Capacity;
    showRange(defaultSweepRange(kind_, leadingDouble(sweep_.duty.suctionTemp), form_.siUnits));
    redraw();
}

void ChartDialog::onDraw(wxCommandEvent&) { redraw(); }

void ChartDialog::onPointChosen(int index) {
    readout_->SetLabel(fromUtf8(pointReadout(sweep_, index)));
}

void ChartDialog::onCopy(wxCommandEvent&) {
    if (!haveSweep_) return;
    const wxBitmap picture = chartBitmap(renderChartImage(layoutChart(sweep_, kFileWidth, kFileHeight)));
    wxClipboardLocker locker;
    if (!locker) {
        error(tr("The chart could not be copied: the clipboard is in use."));
        return;
    }
    wxTheClipboard->SetData(new wxBitmapDataObject(picture));
    wxTheClipboard->Flush();
}

bool ChartDialog::saveTo(const std::string& path) {
    const ChartLayout layout = layoutChart(sweep_, kFileWidth, kFileHeight);
    std::string failure;
    const bool svg = endsWith(path, ".svg") || endsWith(path, ".SVG");
    const bool saved = svg ? writeChartSvg(layout, path, failure) : writeChartPng(layout, path, failure);
    if (!saved) error(failure);
    return saved;
}

void ChartDialog::onSave(wxCommandEvent&) {
    if (!haveSweep_) return;
    int type = 0;
    std::string path;
    const std::string suggested = chartFileName(sweep_.dutyRow[column::kPartNumber]);
    if (saveAsker_) {
        path = saveAsker_(suggested, type);
    } else {
        wxFileDialog dialog(this, fromUtf8(tr("Save Chart As")), "", fromUtf8(suggested),
                            // TRANSLATORS: file types: translate their names, keep each "|" and pattern.
                            fromUtf8(tr("PNG picture (*.png)|*.png|SVG drawing (*.svg)|*.svg")),
                            wxFD_SAVE | wxFD_OVERWRITE_PROMPT);
        if (dialog.ShowModal() == wxID_OK) {
            path = toUtf8(dialog.GetPath());
            type = dialog.GetFilterIndex();
        }
    }
    if (path.empty()) return;
    const bool svg = type == 1;
    const std::string extension = svg ? ".svg" : ".png";
    if (!endsWith(path, ".png") && !endsWith(path, ".svg") && !endsWith(path, ".PNG") && !endsWith(path, ".SVG"))
        path += extension;
    saveTo(path);
}

void ChartDialog::error(const std::string& text) {
    wxMessageDialog box(IsShown() ? static_cast<wxWindow*>(this) : GetParent(), fromUtf8(text),
                        shownText(kErrorCaption), wxOK | wxCENTRE);
    box.ShowModal();
}

}  // namespace vantrel
