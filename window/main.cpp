#include "window/checker_app.h"

wxIMPLEMENT_APP(CCheckerApp);
