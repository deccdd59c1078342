#include "device/PortMenu.h"

#include <cstddef>

#include "common/NumberText.h"
#include "toolkit/FormName.h"

namespace quorbel {

namespace {

using ui::kMainForm;
constexpr const char* kChecked = "X";
constexpr const char* kUnchecked = "";
constexpr std::size_t kBaudTextWidth = 10;

}  // namespace

std::string ComMenuText(int portNumber) { return "Com" + NumberText(portNumber); }

std::string BaudMenuText(int baudRate) {
  std::string text = TrimmedNumberText(baudRate) + " Baud";
  if (text.size() < kBaudTextWidth) text.insert(0, kBaudTextWidth - text.size(), ' ');
  return text;
}

int BaudMenuId(int baudRate) {
  int id = kFirstBaudMenuId;
  for (int rate : kBaudRates) {
    if (rate == baudRate) return id;
    ++id;
  }
  return 0;
}

int BaudRateOfMenu(int menuId) {
  if (menuId < kFirstBaudMenuId || menuId > kLastBaudMenuId) return 0;
  return kBaudRates[static_cast<std::size_t>(menuId - kFirstBaudMenuId)];
}

void PortMenu::PutPortMenuMarks() {
  if (!IsCommPort(settings_.CommPort)) return;
  toolkit_.SetMenuItem(kMainForm, kComMenuBase + settings_.CommPort, kChecked);
  if (!IsBaudRate(settings_.BaudRate)) settings_.BaudRate = kDefaultBaudRate;
  toolkit_.SetMenuItem(kMainForm, BaudMenuId(settings_.BaudRate), kChecked);
}

void PortMenu::ClearPortMenuMarks() {
  for (int id = kFirstComMenuId; id <= kLastComMenuId; ++id) {
    toolkit_.SetMenuItem(kMainForm, id, kUnchecked);
  }
  for (int id = kFirstBaudMenuId; id <= kLastBaudMenuId; ++id) {
    toolkit_.SetMenuItem(kMainForm, id, kUnchecked);
  }
}

}  // namespace quorbel
