// Entry point of the desktop program.
#include "app/wx/TmorvexApp.h"

wxIMPLEMENT_APP(vantrel::TmorvexApp);
