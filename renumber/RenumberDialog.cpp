#include "renumber/RenumberDialog.h"

#include "platform/dialog/DataExchange.h"
#include "renumber/ControlIds.h"

void RenumberDialog::DoDataExchange(DataExchange& exchange) {
  exchange.Text(kDigitsField, options.digitsText, kDigitsLimit);
  exchange.Text(kPathField, options.pathText, kPathLimit);
  exchange.Text(kPrefixField, options.prefixText);
  exchange.Text(kSuffixField, options.suffixText);
  exchange.Check(kKeepLogBox, options.keepLog);
  exchange.Check(kApplyViewerBox, options.applyViewer);
  exchange.Text(kSecondsField, options.secondsText, kSecondsLimit);
  exchange.Check(kFileListBox, options.includeFileList);
  exchange.Check(kViewAfterRunBox, options.viewAfterRun);
  exchange.Text(kStatusLine, options.statusText);
}

int RenumberDialog::UpdateData(int saveAndValidate) {
  DataExchange exchange(window_, saveAndValidate != 0, "Tarvine");
  DoDataExchange(exchange);
  return exchange.Succeeded() ? 1 : 0;
}

void RenumberDialog::ShowError(const std::string& text) { window_.MessageBox(text.c_str(), "Error", kMessageStop); }
