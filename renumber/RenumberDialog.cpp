#include "renumber/RenumberDialog.h"

void RenumberDialog::ShowError(const char* text) { window_.MessageBox(text, "Error", kMessageStop); }
