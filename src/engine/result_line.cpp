#include "engine/result_line.h"

#include "engine/number_text.h"
#include "engine/size_tables.h"

namespace vantrel {

void dist::appendResultLine(std::string& text) const {
    auto field = [&text](const std::string& value) {
        text += value;
        text += ',';
    };
    auto fixed = [&text](double value, int width, int precision) {
        appendFixed(text, value, width, precision);
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
    fixed(capacity, 5, 2);
    fixed(suctionTemp, 4, 1);
    fixed(liquidTemp, 4, 1);
    fixed(tubeLength, 6, 3);
    fixed(totalDrop, 5, 2);
    fixed(nozzleDrop, 5, 2);
    fixed(tubeDrop, 5, 2);
    fixed(nozzleLoad, 5, 2);
    appendFixed(text, tubeLoad, 5, 2);
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
    double* const numbers[] = {&d.capacity,   &d.suctionTemp, &d.liquidTemp, &d.tubeLength, &d.totalDrop,
                               &d.nozzleDrop, &d.tubeDrop,    &d.nozzleLoad, &d.tubeLoad};
    for (int i = 0; i < 9; ++i) *numbers[i] = leadingDouble(fields[13 + i]);
    getInletSize(d.inletNumber, d.inletSize);
    getOutletSize(d.outletNumber, d.outletSize);
    d.orificeSize = 0;
    if (d.orificeNumber >= 1 && d.orificeNumber <= kOrificeCount) getOrificeSize(d.orificeNumber, d.orificeSize);
    d.setSideConnection();
    return true;
}

}  // namespace vantrel
