#include "engine/refrigerant.h"

#include <cmath>
#include <cstddef>
#include <unordered_map>

namespace vantrel {

namespace {

std::vector<AddedRefrigerant>& added() {
    static std::vector<AddedRefrigerant> list;
    return list;
}

// Each added refrigerant's place in added(), by name: a user's table may be
// tens of thousands of lines, and every rating asks for its refrigerant.
std::unordered_map<std::string, std::size_t>& addedIndex() {
    static std::unordered_map<std::string, std::size_t> index;
    return index;
}

bool builtIn(std::string_view name) {
    for (std::string_view known : kRefrigerants)
        if (known == name) return true;
    return false;
}

const AddedRefrigerant* findAdded(std::string_view name) {
    const auto& index = addedIndex();
    if (index.empty()) return nullptr;
    const auto found = index.find(std::string(name));
    return found == index.end() ? nullptr : &added()[found->second];
}

}  // namespace

void setAddedRefrigerants(std::vector<AddedRefrigerant> list) {
    std::vector<AddedRefrigerant>& kept = added();
    auto& index = addedIndex();
    kept.clear();
    index.clear();
    for (AddedRefrigerant& refrigerant : list) {
        if (refrigerant.group == RefrigerantGroup::Unknown || builtIn(refrigerant.name) ||
            !index.emplace(refrigerant.name, kept.size()).second)
            continue;
        kept.push_back(std::move(refrigerant));
    }
}

const std::vector<AddedRefrigerant>& addedRefrigerants() { return added(); }

std::vector<std::string> refrigerantNames() {
    std::vector<std::string> names(kRefrigerants.begin(), kRefrigerants.end());
    for (const AddedRefrigerant& refrigerant : added()) names.push_back(refrigerant.name);
    return names;
}

RefrigerantGroup refrigerantGroup(std::string_view name) {
    if (name == "R-22" || name == "R-12" || name == "R-134a" || name == "R-401A" || name == "R-407C" ||
        name == "R-410A")
        return RefrigerantGroup::R22;
    if (name == "R-502" || name == "R-402A" || name == "R-404A" || name == "R-507") return RefrigerantGroup::R502;
    if (const AddedRefrigerant* refrigerant = findAdded(name)) return refrigerant->group;
    return RefrigerantGroup::Unknown;
}

double refrigerantFactor(std::string_view name) {
    if (name == "R-22" || name == "R-502") return 1.0;
    if (name == "R-12") return 0.56;
    if (name == "R-134a") return 0.77;
    if (name == "R-401A") return 1.01;
    if (name == "R-402A") return 1.07;
    if (name == "R-404A") return 1.076;
    if (name == "R-407C") return 1.21;
    if (name == "R-410A") return 1.015;
    if (name == "R-507") return 0.98;
    if (const AddedRefrigerant* refrigerant = findAdded(name)) return refrigerant->factor;
    return 1.0;
}

double liquidFactor(double t) { return (0.00011607143 * t - 0.039410714) * t + 3.7791071; }

double suctionFactor(SuctionUse use, RefrigerantGroup group, double e) {
    struct Quadratic {
        double a, b, c;
    };
    static constexpr Quadratic kCurves[3][2] = {
        {{0.000045039127, 0.0076445782, 0.62341652}, {0.000051758559, 0.0082015174, 0.59407239}},
        {{0.000046342592, 0.0081076916, 0.60758064}, {0.000050839548, 0.0086468732, 0.57194756}},
        {{0.00009334425, 0.009886361, 0.45259728}, {0.00010714286, 0.0101111, 0.42984171}},
    };
    const Quadratic& q = kCurves[static_cast<int>(use)][group == RefrigerantGroup::R22 ? 0 : 1];
    return (q.a * e + q.b) * e + q.c;
}

double nozzleBaseCapacity(RefrigerantGroup group, double s) {
    return group == RefrigerantGroup::R22 ? 1.16503 * s + 0.07141 : 0.82385 * s - 0.11829;
}

double nozzleTypeTubeBaseCapacity(RefrigerantGroup group, double d) {
    return group == RefrigerantGroup::R22 ? 64.94034 * std::pow(d, 2.9194) : 43.51153 * std::pow(d, 2.91);
}

bool venturiTypeTubeBaseCapacity(RefrigerantGroup group, double d, double& capacity) {
    struct Row {
        double d, r22, r502;
    };
    static constexpr Row kTable[] = {
        {0.15625, 0.44, 0.225}, {0.1875, 0.9, 0.45},  {0.25, 1.75, 0.9},
        {0.3125, 3.5, 1.8},     {0.375, 6.125, 3.15}, {0.5, 8.75, 4.5},
    };
    for (const Row& row : kTable) {
        if (row.d == d) {
            capacity = group == RefrigerantGroup::R22 ? row.r22 : row.r502;
            return true;
        }
    }
    return false;
}

double nozzleTypeTubeLengthFactor(double length) { return 3.0971 * std::pow(length, -0.33353); }

}  // namespace vantrel
