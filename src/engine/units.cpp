#include "engine/units.h"

namespace vantrel::units {
namespace {
// Decimal factors are double constants widened to extended precision; the
// reciprocals are formed in extended precision.
constexpr long double kCelsiusScale = 1.8;
constexpr long double kKpaPerPsi = 6.894757;
}  // namespace

double tonsToKw(double tons) { return static_cast<double>(tons * 12000.0L * (1.0L / 3413.0L)); }

double kwToTons(double kw) { return static_cast<double>(kw * 3413.0L * (1.0L / 12000.0L)); }

double fahrenheitToCelsius(double f) { return static_cast<double>((f - 32.0L) * (5.0L / 9.0L)); }

double celsiusToFahrenheit(double c) { return static_cast<double>(c * kCelsiusScale + 32.0L); }

double psiToKpa(double psi) { return static_cast<double>(psi * kKpaPerPsi); }

double kpaToPsi(double kpa) { return static_cast<double>(kpa * (1.0L / kKpaPerPsi)); }

}  // namespace vantrel::units
