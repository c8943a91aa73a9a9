#include "engine/result_line.h"

#include <algorithm>

#include "engine/number_text.h"
#include "engine/size_tables.h"

namespace vantrel {
namespace {

// The nine numbers of a result line, in field order, as printf's "%<width>.<precision>f".
struct NumberField {
    double dist::*value;
    int width;
    int precision;
};

constexpr NumberField kNumberFields[] = {
    {&dist::capacity, 5, 2},   {&dist::suctionTemp, 4, 1}, {&dist::liquidTemp, 4, 1},
    {&dist::tubeLength, 6, 3}, {&dist::totalDrop, 5, 2},   {&dist::nozzleDrop, 5, 2},
    {&dist::tubeDrop, 5, 2},   {&dist::nozzleLoad, 5, 2},  {&dist::tubeLoad, 5, 2},
};
constexpr int kNumberCount = static_cast<int>(sizeof kNumberFields / sizeof kNumberFields[0]);

}  // namespace

void dist::appendResultLine(std::string& text) const {
    auto field = [&text](const std::string& value) {
        text += value;
        text += ',';
    };
    auto integer = [&text](int value) {
        appendInt(text, value, 2);
        text += ',';
    };
    text.reserve(text.size() + 128);
    field(partNumber);
    field(model);
    field(xrefModel);
    text += isXref ? "Y," : "N,";
    field(type);
    field(connection);
    field(sidePort);
    field(nozzleSize);
    integer(inletNumber);
    integer(outletNumber);
    integer(circuits);
    integer(orificeNumber);
    field(refrigerant);
    for (int i = 0; i < kNumberCount; ++i) {
        if (i > 0) text += ',';
        const NumberField& f = kNumberFields[i];
        appendFixed(text, this->*f.value, f.width, f.precision);
    }
}

std::string dist::makeResultLine() const {
    std::string text;
    appendResultLine(text);
    return text;
}

bool parseResultLine(std::string_view line, dist& d) {
    std::string_view fields[22];
    std::size_t start = 0;
    for (int i = 0; i < 21; ++i) {
        const std::size_t comma = line.find(',', start);
        if (comma == std::string_view::npos) return false;
        fields[i] = line.substr(start, comma - start);
        start = comma + 1;
    }
    fields[21] = line.substr(start);

    d.partNumber.assign(fields[0]);
    d.model.assign(fields[1]);
    d.xrefModel.assign(fields[2]);
    d.isXref = fields[3] == "Y" ? 1 : 0;
    d.type.assign(fields[4]);
    d.connection.assign(fields[5]);
    d.sidePort.assign(fields[6]);
    d.nozzleSize.assign(fields[7]);
    d.inletNumber = leadingInt(fields[8]);
    d.outletNumber = leadingInt(fields[9]);
    d.circuits = leadingInt(fields[10]);
    d.orificeNumber = leadingInt(fields[11]);
    d.refrigerant.assign(fields[12]);
    for (int i = 0; i < kNumberCount; ++i) d.*kNumberFields[i].value = leadingDouble(fields[13 + i]);
    getInletSize(d.inletNumber, d.inletSize);
    getOutletSize(d.outletNumber, d.outletSize);
    d.orificeSize = 0;
    if (d.orificeNumber >= 1 && d.orificeNumber <= kOrificeCount) getOrificeSize(d.orificeNumber, d.orificeSize);
    d.setSideConnection();
    return true;
}

void roundAsResultLine(dist& d) {
    // A comma inside a text moves every field after it; only the text can say where.
    const std::string* const texts[] = {&d.partNumber, &d.model,    &d.xrefModel,  &d.type,
                                        &d.connection, &d.sidePort, &d.nozzleSize, &d.refrigerant};
    for (const std::string* text : texts) {
        // Short texts: a loop of compares costs less than the library's search.
        if (std::find(text->begin(), text->end(), ',') != text->end()) {
            const std::string line = d.makeResultLine();
            parseResultLine(line, d);
            return;
        }
    }
    // The four integers read back as written; the texts are kept whole.
    d.isXref = d.isXref ? 1 : 0;
    for (const NumberField& f : kNumberFields) d.*f.value = readBackFixed(d.*f.value, f.precision);
    getInletSize(d.inletNumber, d.inletSize);
    getOutletSize(d.outletNumber, d.outletSize);
    d.orificeSize = 0;
    if (d.orificeNumber >= 1 && d.orificeNumber <= kOrificeCount) getOrificeSize(d.orificeNumber, d.orificeSize);
    d.setSideConnection();
}

}  // namespace vantrel
