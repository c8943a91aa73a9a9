// Conversions between U.S. customary units (used throughout the engine) and SI
// units (used only at the edges: the form, the rows and the command line). The reciprocal factors are applied
// in extended precision and the product rounded once, so the order of the
// factors never shows in a formatted result.
#pragma once

namespace vantrel::units {

/// kW from tons of refrigeration.
double tonsToKw(double tons);
/// Tons of refrigeration from kW.
double kwToTons(double kw);
/// °C from °F.
double fahrenheitToCelsius(double fahrenheit);
/// °F from °C.
double celsiusToFahrenheit(double celsius);
/// kPa from psi.
double psiToKpa(double psi);
/// psi from kPa.
double kpaToPsi(double kpa);

}  // namespace vantrel::units
