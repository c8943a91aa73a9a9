#include "engine/dist.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string_view>

#include "engine/number_text.h"
#include "engine/refrigerant.h"
#include "i18n/translate.h"

namespace vantrel {

int dist::rate(const std::string& refrigerantName, double load, double suction, double liquid, double length) {
    refrigerant = refrigerantName;
    capacity = load;
    suctionTemp = suction;
    liquidTemp = liquid;
    tubeLength = length;
    return isNozzleType(type) ? rate_nozzle() : rate_venturi();
}

int dist::StdTubeRating(double& tubeCapacity) const {
    if (liquidTemp < 10) return code::kTubeLiquidLow;
    if (liquidTemp > 130) return code::kTubeLiquidHigh;
    if (tubeLength < 12) return code::kLengthShort;
    if (tubeLength > 72) return code::kLengthLong;
    const RefrigerantGroup group = refrigerantGroup(refrigerant);
    if (group == RefrigerantGroup::Unknown) return code::kUnknownRefrigerant;

    const double fl = liquidFactor(liquidTemp);
    double base = 0.0;
    double lengthFactor = 1.0;
    double fs = 0.0;
    if (isNozzleType(type)) {
        base = nozzleTypeTubeBaseCapacity(group, outletSize);
        lengthFactor = nozzleTypeTubeLengthFactor(tubeLength);
        fs = suctionFactor(SuctionUse::NozzleTypeTube, group, suctionTemp);
    } else {
        if (!venturiTypeTubeBaseCapacity(group, outletSize, base))
            return group == RefrigerantGroup::R22 ? code::kOutletR22 : code::kOutletR502;
        fs = suctionFactor(SuctionUse::VenturiTypeTube, group, suctionTemp);
    }
    tubeCapacity = base * fl * lengthFactor * fs * refrigerantFactor(refrigerant);
    return code::kOk;
}

int dist::StdNozzleRating(double& nozzleCapacity) const {
    if (liquidTemp < 10) return code::kNozzleLiquidLow;
    if (liquidTemp > 120) return code::kNozzleLiquidHigh;
    const RefrigerantGroup group = refrigerantGroup(refrigerant);
    if (group == RefrigerantGroup::Unknown) return code::kUnknownRefrigerant;
    nozzleCapacity = nozzleBaseCapacity(group, orificeSize) * suctionFactor(SuctionUse::Nozzle, group, suctionTemp) *
                     liquidFactor(liquidTemp) * refrigerantFactor(refrigerant);
    return code::kOk;
}

int dist::rate_nozzle() {
    double tubeCapacity = 0.0;
    const int status = StdTubeRating(tubeCapacity);
    if (status > 0) return status;
    return rateNozzleWithTubeCapacity(tubeCapacity);
}

int dist::rateNozzleWithTubeCapacity(double tubeCapacity) {
    double nozzleCapacity = 0.0;
    const int status = StdNozzleRating(nozzleCapacity);
    if (status > 0) return status;
    return rateNozzleWithCapacities(tubeCapacity, nozzleCapacity);
}

int dist::rateNozzleWithCapacities(double tubeCapacity, double nozzleCapacity) {
    if (capacity == 0.0) capacity = circuits * tubeCapacity;
    if (circuits != 0) {
        tubeLoad = capacity / circuits / tubeCapacity;
        nozzleLoad = nozzleLoadOf(capacity, nozzleCapacity);
    }
    if (circuits < 2) return code::kTooFewCircuits;
    if (tubeLoad < 0.5) return code::kTubeLoadLow;
    if (tubeLoad > 2.0) return code::kTubeLoadHigh;
    if (nozzleLoad <= 0) return code::kNozzleLoadLow;
    if (nozzleLoad > 2.0) return code::kNozzleLoadHigh;
    const double n = nozzleLoad;
    nozzleDrop = (((24.100048 * n - 127.80904) * n + 233.81472) * n - 136.33384) * n + 31.508102;
    tubeDrop = 10 * (std::pow(tubeLoad, 1.81382) * 1.001549);
    totalDrop = nozzleDrop + tubeDrop;
    return code::kOk;
}

int dist::rate_venturi() {
    double tubeCapacity = 0.0;
    const int status = StdTubeRating(tubeCapacity);
    if (status > 0) return status;
    return rateVenturiWithTubeCapacity(tubeCapacity);
}

int dist::rateVenturiWithTubeCapacity(double tubeCapacity) {
    // Without a circuit the load per tube is undefined; a body with no tubes
    // cannot distribute anything.
    if (circuits < 1) return code::kTooFewCircuits;
    if (capacity == 0.0) capacity = circuits * tubeCapacity;
    const double load = capacity / circuits / tubeCapacity;
    const double k = (0.4817316 * load + 0.26138528) * load + 0.24545455;
    const double body = 5 * k;
    const double tubes = 20 * k * tubeLength / 36;
    // A venturi body has no load limit of its own, but an absurd capacity
    // would overflow the drop curve; it is far beyond any tube rating.
    if (!std::isfinite(body + tubes)) {
        nozzleLoad = tubeLoad = load;
        return code::kTubeLoadHigh;
    }
    nozzleLoad = load;
    tubeLoad = load;
    nozzleDrop = body;
    tubeDrop = tubes;
    totalDrop = nozzleDrop + tubeDrop;
    return code::kOk;
}

void dist::setSideConnection() {
    // Compared as views: the length decides most comparisons without a call.
    const std::string_view m = model;
    if (m == "F405" || m == "503" || m == "F503" || m == "F504" || m == "F505" || m == "703")
        sideConnection = "3/8 or 1/2 ODF";
    else if (m == "903")
        sideConnection = "3/8, 1/2, or 5/8 ODF";
    else if (m == "1104")
        sideConnection = "1/2, 5/8, or 7/8 ODF";
    else if (m == "1302")
        sideConnection = "7/8 or 1-1/8ODF";
    else
        sideConnection = "n/a";
}

const char* dist::getErrorText(int status) {
    static const char* const kTexts[] = {
        // TRANSLATORS: the part in parentheses names where the fault was found, for a support call; keep it as it is.
        N_("Number of circuits can not be less than 2. (dist::rate_nozzleL)"),
        N_("Tubing load is less than 50 percent of rated capacity. (dist::rate_nozzle)"),
        N_("Tubing load is more than 200 percent of rated capacity. (dist::rate_nozzle)"),
        N_("Nozzle load is less than 0 percent of rated capacity. (dist::rate_nozzle)"),
        N_("Nozzle load is more than 200 percent of rated capacity. (dist::rate_nozzle)"),
        N_("Liquid temperature is less than 10°F (-12.2°C). (dist::StdTubeRating)"),
        N_("Liquid temperature is more than 130°F (54.4°C). (dist::StdTubeRating)"),
        N_("Distributor tube length is less than 12 inches (305 mm). (dist::StdTubeRating)"),
        N_("Distributor tube length is more than 72 inches (1829 mm). (dist:: StdTubeRating)"),
        N_("Invalid outlet size. (dist::StdTubeRating)"),
        N_("Invalid outlet size. (dist::StdTubeRating)"),
        N_("Liquid temperature is less than 10°F (-12.2°C). (dist::StdNozzleRating)"),
        N_("Liquid temperature is more than 120°F (48.9°C). (dist::StdNozzleRating)"),
        N_("vflo.csv does not exist"),
        N_("nflo.csv does not exist"),
        N_("Invalid model."),
        N_("Inlet Size is invalid. (getInletSize)"),
        N_("Invalid inlet size. (getInletNumber)"),
        N_("Outlet Size is invalid. (getOutletSize)"),
        N_("Outlet Size is invalid. (sgetOutletSize)"),
        N_("Invalid outlet size. (getOutletNumber)"),
        N_("Nozzle Size is invalid. (sgetOrificeSize)"),
        N_("Nozzle Size is invalid. (getOrificeSize)"),
        N_("Invalid orifice number. (getOrificeNumber)"),
        N_("Unknown nozzle size. (getOrificeRange)"),
        N_("Must enter number of circuits or capacity, or both. (VantrelData::findModel)"),
        // clang-format off
        N_("Must either select a distributor tube size or enter both capacity and number of circuits. (VantrelData::findModel)"),
        // clang-format on
        N_("Must enter both number of circuits and capacity. (VantrelData::findModel)"),
    };
    if (status >= code::kTooFewCircuits && status <= code::kNeedBoth) return kTexts[status - code::kTooFewCircuits];
    if (status == code::kUnknownRefrigerant) return N_("Unknown refrigerant. (dist::StdTubeRating)");
    return N_("Unknown error code.");
}

void dist::getErrorText(int status, char* buffer, std::size_t size) {
    if (size == 0) return;
    const char* text = getErrorText(status);
    const std::size_t length = std::min(std::strlen(text), size - 1);
    std::memcpy(buffer, text, length);
    buffer[length] = '\0';
}

}  // namespace vantrel
