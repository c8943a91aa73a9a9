#include "engine/size_tables.h"

#include "engine/dist.h"

namespace vantrel {
namespace {

struct Size {
    double value;
    const char* text;
};

// Inlets in eighths, tubes in sixteenths: the same products the row parsers form.
const Size kInlets[kInletCount] = {
    {3 * 0.125, "3/8"},   {4 * 0.125, "1/2"},    {5 * 0.125, "5/8"},    {7 * 0.125, "7/8"},
    {9 * 0.125, "1-1/8"}, {11 * 0.125, "1-3/8"}, {13 * 0.125, "1-5/8"}, {15 * 0.125, "1-7/8"},
};

const Size kOutlets[kOutletCount] = {
    {2.5 * 0.0625, "5/32"}, {3 * 0.0625, "3/16"}, {4 * 0.0625, "1/4"},
    {5 * 0.0625, "5/16"},   {6 * 0.0625, "3/8"},  {8 * 0.0625, "1/2"},
};

const Size kOrifices[kOrificeCount] = {
    {1.0 / 6.0, "1/6"}, {0.25, "1/4"}, {1.0 / 3.0, "1/3"}, {0.5, "1/2"}, {0.75, "3/4"}, {1, "1"},
    {1.5, "1.5"},       {2, "2"},      {2.5, "2.5"},       {3, "3"},     {4, "4"},      {5, "5"},
    {6, "6"},           {8, "8"},      {10, "10"},         {12, "12"},   {15, "15"},    {17, "17"},
    {20, "20"},         {25, "25"},    {30, "30"},         {35, "35"},   {40, "40"},    {50, "50"},
};

bool inRange(int number, int count) { return number >= 1 && number <= count; }

template <int N>
int reverseLookup(const Size (&table)[N], double size, int notFound) {
    for (int number = 1; number <= N; ++number) {
        if (table[number - 1].value == size) return number;
    }
    return notFound;
}

}  // namespace

int getInletSize(int number, double& size) {
    if (!inRange(number, kInletCount)) {
        size = 0.0;
        return code::kBadInletNumber;
    }
    size = kInlets[number - 1].value;
    return code::kOk;
}

int sgetInletSize(int number, std::string& text) {
    if (!inRange(number, kInletCount)) {
        text = "none";
        return code::kBadInletNumber;
    }
    text = kInlets[number - 1].text;
    return code::kOk;
}

int getInletNumber(double size) { return reverseLookup(kInlets, size, code::kBadInletSize); }

int getOutletSize(int number, double& size) {
    if (!inRange(number, kOutletCount)) {
        size = 0.0;
        return code::kBadOutletNumber;
    }
    size = kOutlets[number - 1].value;
    return code::kOk;
}

int sgetOutletSize(int number, std::string& text) {
    if (!inRange(number, kOutletCount)) {
        text = "0";
        return code::kBadOutletNumberText;
    }
    text = kOutlets[number - 1].text;
    return code::kOk;
}

int getOutletNumber(double size) { return reverseLookup(kOutlets, size, code::kBadOutletSize); }

int sgetOrificeSize(int number, std::string& text) {
    if (!inRange(number, kOrificeCount)) return code::kBadOrificeNumberText;
    text = kOrifices[number - 1].text;
    return code::kOk;
}

int getOrificeSize(int number, double& size) {
    if (!inRange(number, kOrificeCount)) return code::kBadOrificeNumber;
    size = kOrifices[number - 1].value;
    return code::kOk;
}

int getOrificeNumber(double size) { return reverseLookup(kOrifices, size, code::kBadOrificeSize); }

int getOrificeRange(std::string_view letter, int& first, int& last) {
    struct Range {
        char letter;
        int first, last;
    };
    static const Range kRanges[] = {{'P', 1, 12}, {'L', 1, 14},  {'J', 1, 12}, {'G', 4, 18},
                                    {'E', 6, 22}, {'C', 10, 24}, {'A', 10, 24}};
    if (letter.size() != 1) return code::kUnknownBody;
    for (const Range& range : kRanges) {
        if (letter[0] == range.letter) {
            first = range.first;
            last = range.last;
            return code::kOk;
        }
    }
    return code::kUnknownBody;
}

std::string inletText(int number) {
    std::string text;
    sgetInletSize(number, text);
    return text;
}

std::string outletText(int number) {
    std::string text;
    sgetOutletSize(number, text);
    return text;
}

std::string orificeText(int number) {
    std::string text;
    sgetOrificeSize(number, text);
    return text;
}

}  // namespace vantrel
