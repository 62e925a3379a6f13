#include "platform/dialog/DataExchange.h"

std::string TooManyCharactersMessage(int maxBytes) {
  std::string message = "Please enter no more than %1 characters.";
  message.replace(message.find("%1"), 2, std::to_string(maxBytes));
  return message;
}

void DataExchange::Text(int id, std::string& field, int maxBytes) {
  if (failed_) return;
  if (!saving_) {
    window_.SetDlgItemText(id, field.c_str());
    if (maxBytes > 0) window_.LimitText(id, maxBytes);
    return;
  }
  field = window_.GetDlgItemText(id);
  if (maxBytes > 0 && field.size() > static_cast<size_t>(maxBytes)) {
    window_.MessageBox(TooManyCharactersMessage(maxBytes).c_str(), caption_, kMessageExclamation);
    window_.GotoDlgCtrl(id);
    failed_ = true;
  }
}

void DataExchange::Check(int id, int& field) {
  if (failed_) return;
  if (saving_) {
    field = window_.IsDlgButtonChecked(id);
  } else {
    window_.CheckDlgButton(id, field == 1);
  }
}
