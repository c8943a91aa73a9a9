#include "catalog/fraction.h"

#include <cmath>
#include <string>

#include "engine/number_text.h"

namespace vantrel {

int parseFraction(std::string_view text, double& value) {
    // pieces: whole, numerator, denominator; k counts the completed ones.
    std::string_view pieces[3];
    int k = 0;
    std::size_t pieceStart = 0;
    std::size_t pieceLength = 0;
    bool pieceHasPoint = false;
    auto piece = [&] { return text.substr(pieceStart, pieceLength); };
    auto startPiece = [&](std::size_t at) {
        pieceStart = at;
        pieceLength = 0;
        pieceHasPoint = false;
    };

    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if ((c >= '0' && c <= '9') || c == '.') {
            if (k > 2) return fraction::kMalformed;
            if (c == '.') {
                if (pieceHasPoint) return fraction::kSecondPoint;
                pieceHasPoint = true;
            }
            if (pieceLength == 0) pieceStart = i;
            ++pieceLength;
        } else if (c == ' ') {
            if (pieceLength == 0) continue;
            if (k == 1) return fraction::kMalformed;
            pieces[k++] = piece();
            startPiece(i + 1);
        } else if (c == '-') {
            if (pieceLength != 0 && k == 0) {
                pieces[k++] = piece();
                startPiece(i + 1);
            } else if (!(pieceLength == 0 && k == 1)) {
                return fraction::kMalformed;
            }
        } else if (c == '/') {
            if (k >= 2) return fraction::kMalformed;
            if (k == 0) pieces[k++] = "0";
            pieces[k++] = piece();
            startPiece(i + 1);
        } else {
            return fraction::kMalformed;
        }
    }

    // Every piece is digits with at most one point, so only an enormous digit
    // string can fault; it and any division by zero make the size unreadable.
    bool fault = false;
    auto number = [&fault](std::string_view digits) {
        const NumberRead read = readLeadingNumber(digits);
        fault = fault || read.fault;
        return read.value;
    };
    double result = 0.0;
    if (pieceLength != 0) {
        if (k == 0) {
            result = number(piece());
        } else if (k == 2) {
            result = number(pieces[0]) + number(pieces[1]) / number(piece());
        } else {
            return fraction::kMalformed;
        }
    } else {
        if (k != 3) return fraction::kMalformed;  // nothing, or no denominator
        result = number(pieces[0]) + number(pieces[1]) / number(pieces[2]);
    }
    if (fault || !std::isfinite(result)) return fraction::kMalformed;
    value = result;
    return fraction::kOk;
}

}  // namespace vantrel
