// The File commands and the units switch of the selection form.
#include <cmath>

#include "engine/number_text.h"
#include "form/form_lists.h"
#include "form/selection_form.h"
#include "engine/units.h"
#include "i18n/translate.h"
#include "settings/settings_store.h"
#include "util/files.h"

namespace vantrel {
namespace {

constexpr std::size_t kFieldReadLength = 9;
constexpr const char* kQuestionCaption = N_("QUESTION");
constexpr const char* kCaptionPrefix = "Morvex - ";

// A text rewritten into the other units, or left empty when it was empty.
std::string convertedText(const std::string& text, double (*convert)(double), int width, int precision) {
    const std::string typed = text.substr(0, kFieldReadLength);
    if (typed.empty()) return typed;
    return formatFixed(convert(leadingDouble(typed)), width, precision);
}

}  // namespace

void SelectionForm::applyPreferenceTexts() {
    catalog.nozzleLoadMin = leadingDouble(prefTexts[0]);
    catalog.nozzleLoadMax = leadingDouble(prefTexts[1]);
    catalog.tubeLoadMin = leadingDouble(prefTexts[2]);
    catalog.tubeLoadMax = leadingDouble(prefTexts[3]);
}

void SelectionForm::switchUnits(FormInputs& inputs, SettingsStore* settings) {
    siUnits = !siUnits;
    if (siUnits) {
        inputs.suctionTemp = convertedText(inputs.suctionTemp, units::fahrenheitToCelsius, 5, 2);
        inputs.liquidTemp = convertedText(inputs.liquidTemp, units::fahrenheitToCelsius, 5, 1);
        inputs.capacity = convertedText(inputs.capacity, units::tonsToKw, 5, 1);
    } else {
        inputs.suctionTemp = convertedText(inputs.suctionTemp, units::celsiusToFahrenheit, 5, 1);
        inputs.liquidTemp = convertedText(inputs.liquidTemp, units::celsiusToFahrenheit, 5, 1);
        inputs.capacity = convertedText(inputs.capacity, units::kwToTons, 5, 2);
    }
    if (settings) settings->set(kUnitsValue, siUnits ? kSiUnits : kEnglishUnits);
    convertRows();
}

void SelectionForm::convertRows() {
    struct Conversion {
        int column;
        double (*convert)(double);
        int width, precision;
    };
    static const Conversion kToSi[] = {
        {column::kCapacity, units::tonsToKw, 5, 1},          {column::kSuction, units::fahrenheitToCelsius, 5, 2},
        {column::kLiquid, units::fahrenheitToCelsius, 5, 2}, {column::kTotalDrop, units::psiToKpa, 4, 0},
        {column::kTubeDrop, units::psiToKpa, 4, 0},          {column::kNozzleDrop, units::psiToKpa, 4, 0}};
    static const Conversion kToUs[] = {
        {column::kCapacity, units::kwToTons, 5, 2},          {column::kSuction, units::celsiusToFahrenheit, 5, 1},
        {column::kLiquid, units::celsiusToFahrenheit, 5, 1}, {column::kTotalDrop, units::kpaToPsi, 4, 1},
        {column::kTubeDrop, units::kpaToPsi, 4, 1},          {column::kNozzleDrop, units::kpaToPsi, 4, 1}};
    const auto& conversions = siUnits ? kToSi : kToUs;
    // The cells are rewritten in place and the duplicate index is made once
    // afterwards rather than for every cell, so a whole schedule switches in
    // one pass over the rows.
    rows.rewriteRows([&conversions](ResultRow& row) {
        for (const Conversion& c : conversions) {
            std::string& cell = row[static_cast<std::size_t>(c.column)];
            const double value = leadingDouble(std::string_view(cell).substr(0, kCellReadLength));
            cell.clear();
            appendFixed(cell, c.convert(value), c.width, c.precision);
        }
    });
}

bool SelectionForm::writeDocument(const std::string& path, std::string& error) {
    // The rows pass through U.S. texts, as the document holds them, and back.
    const bool wasSi = siUnits;
    if (wasSi) {
        siUnits = false;
        convertRows();
    }
    const bool written = replaceFile(path, documentText(rows), &error);
    if (wasSi) {
        siUnits = true;
        convertRows();
    }
    return written;
}

bool SelectionForm::mayDiscardResults(FormUi& ui) {
    return !resultsChanged ||
           ui.showMessage(tr("Results have not been saved.\nAll changes will be lost.\nDo you want to continue?"),
                          tr(kQuestionCaption), MessageIcon::Question, MessageButtons::YesNo) == MessageAnswer::Yes;
}

void SelectionForm::newDocument(FormUi& ui) {
    if (!mayDiscardResults(ui)) return;
    rows.clear();
    resultsChanged = false;
    untitled = true;
    listEmpty = true;
}

void SelectionForm::openDocument(FormUi& ui) {
    // Opening replaces the rows shown, so unsaved ones are protected exactly as New protects them.
    if (!mayDiscardResults(ui)) return;
    const std::string path = ui.askFileName(false, fileData.fileName);
    if (path.empty()) return;
    openDocumentFile(path, ui);
}

bool SelectionForm::openDocumentFile(const std::string& path, FormUi& ui) {
    // The whole document is read before the list is touched, so a file that
    // cannot be read leaves the rows, the flags and the caption as they were.
    std::string text;
    ReadFailure failure = ReadFailure::None;
    if (!readWholeFile(path, text, nullptr, &failure)) {
        const char* why = N_("The file does not exist or cannot be read.");
        if (failure == ReadFailure::NotRegularFile) why = N_("It is not a regular file.");
        if (failure == ReadFailure::TooLarge) why = N_("It is larger than 256 MiB.");
        // TRANSLATORS: the first %s is the file, the second says why.
        ui.showMessage(formatText(tr("Cannot open %s.\n%s"), {path, tr(why)}), tr(kWarningCaption), MessageIcon::Stop,
                       MessageButtons::Ok);
        return false;
    }
    ResultTable loaded;
    const DocumentRead read = readDocumentText(text, loaded);
    if (!read.isDocument) {
        ui.showMessage(formatText(tr("Cannot open %s.\nIt is not a distributor results document."), {path}),
                       tr(kWarningCaption), MessageIcon::Stop, MessageButtons::Ok);
        return false;
    }
    if (loaded.size() == 0 && read.unreadableLines > 0) {
        // A damaged document that yields nothing must not empty the list in exchange.
        ui.showMessage(formatText(tr("Cannot open %s.\nNone of the document's rows could be read."), {path}),
                       tr(kWarningCaption), MessageIcon::Stop, MessageButtons::Ok);
        return false;
    }
    rows = std::move(loaded);
    if (siUnits) convertRows();
    fileData.fileName = path;
    untitled = false;
    resultsChanged = false;
    listEmpty = false;
    ui.setFrameCaption(kCaptionPrefix + path);
    if (read.unreadableLines > 0) {
        ui.showMessage(
            // TRANSLATORS: the English says "lines" for one as well; give each count its proper form.
            formatText(trn("%s lines of the document could not be read and were left out.",
                           "%s lines of the document could not be read and were left out.",
                           static_cast<unsigned long>(read.unreadableLines)),
                       {formatInt(read.unreadableLines)}),
            tr(kWarningCaption), MessageIcon::Exclamation, MessageButtons::Ok);
    }
    return true;
}

void SelectionForm::saveDocument(FormUi& ui) {
    std::string error;
    if (!writeDocument(fileData.fileName, error)) {
        // TRANSLATORS: the first %s is the file, the second the system's reason.
        ui.showMessage(cannotSaveMessage(fileData.fileName, error), tr(kWarningCaption),
                       MessageIcon::Stop, MessageButtons::Ok);
        return;
    }
    resultsChanged = false;
}

void SelectionForm::saveDocumentAs(FormUi& ui) {
    std::string path = ui.askFileName(true, fileData.fileName);
    if (path.empty()) return;
    std::string error;
    if (!writeDocument(path, error)) {
        ui.showMessage(cannotSaveMessage(path, error), tr(kWarningCaption), MessageIcon::Stop,
                       MessageButtons::Ok);
        return;
    }
    fileData.fileName = path;
    ui.setFrameCaption(kCaptionPrefix + path);
    resultsChanged = false;
    untitled = false;
}

bool SelectionForm::mayClose(FormUi& ui) {
    if (!resultsChanged) return true;
    return ui.showMessage(tr("Your document is not saved.\nDo you wish to exit without saving?"), tr(kWarningCaption),
                          MessageIcon::Stop, MessageButtons::YesNoDefaultNo) == MessageAnswer::Yes;
}

}  // namespace vantrel
