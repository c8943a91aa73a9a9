#include "catalog/vantrel_data.h"

#include "catalog/catalog_file.h"
#include "catalog/catalog_rows.h"
#include "catalog/fraction.h"
#include "engine/size_tables.h"
#include "engine/number_text.h"

namespace vantrel {
namespace {

using detail::npos;

bool hasUnstorableCharacter(std::string_view text) {
    for (char c : text) {
        if (c == ';' || static_cast<unsigned char>(c) < 0x20 || c == 0x7f) return true;
    }
    return false;
}

std::string_view cutAtParenthesis(std::string_view text) {
    const std::size_t paren = text.find('(');
    return paren == npos ? text : text.substr(0, paren);
}

std::string_view firstField(std::string_view line) { return line.substr(0, line.find(',')); }

}  // namespace

int parseNozzlePartNumber(std::string_view text, std::string& model, double& tubeSize, int& circuits,
                          double& orificeSize) {
    text = cutAtParenthesis(text);
    std::size_t dashes[4];
    int count = 0;
    std::size_t from = 0;
    while (count < 4) {
        const std::size_t hit = text.find('-', from);
        if (hit == npos || hit == 0) break;
        dashes[count++] = hit;
        from = hit + 1;
    }
    if (count != 3) return code::kInvalidModel;
    const int typedCircuits = leadingInt(text.substr(dashes[0] + 1, dashes[1] - dashes[0] - 1));
    if (typedCircuits < 2) return code::kInvalidModel;
    double tube = 0.0;
    double orifice = 0.0;
    if (parseFraction(text.substr(dashes[1] + 1, dashes[2] - dashes[1] - 1), tube) != fraction::kOk)
        return code::kInvalidModel;
    if (parseFraction(text.substr(dashes[2] + 1), orifice) != fraction::kOk) return code::kInvalidModel;
    model.assign(text.substr(0, dashes[0]));
    circuits = typedCircuits;
    tubeSize = tube;
    orificeSize = orifice;
    return code::kOk;
}

PartLookup VantrelData::findPart(std::string_view typed, dist& out, const LoadedCatalog* loaded,
                                 const PartFilter& accept) const {
    PartLookup result;
    auto refuse = [&result](int status) {
        result.outcome = PartOutcome::Refused;
        result.status = status;
        return result;
    };
    // The text of a catalog file: read now, or as read for a whole batch.
    std::string own;
    auto text = [&](const std::string& file, const std::string& read, bool wasRead, std::string_view& content) {
        if (!loaded) {
            if (!readWholeFile(file, own)) return false;
            content = own;
            return true;
        }
        content = read;
        return wasRead;
    };
    std::string_view content;
    if (!text(venturiFile, loaded ? loaded->venturi : own, loaded && loaded->venturiRead, content))
        return refuse(code::kNoVenturiFile);
    // A part number must survive being stored as a document cell.
    if (hasUnstorableCharacter(typed)) return refuse(code::kInvalidModel);

    bool found = false;
    forEachCatalogRow(content, [&](std::string_view line) {
        if (firstField(line) == typed && parseVenturiRow(line, out) && (!accept || accept(out))) {
            found = true;
            return false;
        }
        return true;
    });
    if (found) {
        result.outcome = PartOutcome::Found;
        return result;
    }

    if (!text(nozzleFile, loaded ? loaded->nozzle : own, loaded && loaded->nozzleRead, content))
        return refuse(code::kNoNozzleFile);
    std::string model;
    double tubeSize = 0.0;
    int circuits = 0;
    double orificeSize = 0.0;
    if (parseNozzlePartNumber(typed, model, tubeSize, circuits, orificeSize) != code::kOk)
        return refuse(code::kInvalidModel);
    const int orificeNumber = getOrificeNumber(orificeSize);
    if (orificeNumber == code::kBadOrificeSize) return refuse(orificeNumber);

    const std::string_view tail = [&] {
        const std::string_view cut = cutAtParenthesis(typed);
        return cut.substr(cut.find('-'));
    }();
    dist work;
    forEachCatalogRow(content, [&](std::string_view line) {
        int rowMin = 0;
        int rowMax = 0;
        if (!parseNozzleRow(line, work, rowMin, rowMax)) return true;
        result.minCircuits = rowMin;
        int firstOrifice = 0;
        int lastOrifice = 0;
        if (getOrificeRange(work.nozzleSize, firstOrifice, lastOrifice) != code::kOk) return true;
        if (model != work.model && model != work.xrefModel) return true;
        if (tubeSize != work.outletSize || circuits > rowMax) return true;
        if (orificeNumber < firstOrifice || orificeNumber > lastOrifice) return true;
        out = work;
        out.partNumber = work.model;
        out.partNumber += tail;
        out.orificeSize = orificeSize;
        out.orificeNumber = orificeNumber;
        out.circuits = circuits;
        out.isXref = model != work.model ? 1 : 0;
        if (accept && !accept(out)) return true;
        found = true;
        return false;
    });
    result.outcome = found ? PartOutcome::Found : PartOutcome::NoSuchModel;
    return result;
}

}  // namespace vantrel
