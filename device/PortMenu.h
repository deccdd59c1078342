#pragma once

#include <string>

#include "device/LinkSettings.h"
#include "toolkit/Toolkit.h"

namespace quorbel {

// Preferences menu items of the link: "Com n" carries ID 1640 + n, the five
// rates follow from 1673 ("38400 Baud") down to 1677 (" 2400 Baud").
inline constexpr int kComMenuBase = 1640;
inline constexpr int kFirstComMenuId = kComMenuBase + kFirstCommPort;
inline constexpr int kLastComMenuId = kComMenuBase + kLastCommPort;
inline constexpr int kFirstBaudMenuId = 1673;
inline constexpr int kLastBaudMenuId = 1677;

// Text of the item of port n: "Com 1", "Com 12".
std::string ComMenuText(int portNumber);
// Text of the item of a rate: the rate and "Baud", right-aligned in ten
// characters, so " 9600 Baud".
std::string BaudMenuText(int baudRate);
// Menu ID of a rate, or 0 when it is none of the five.
int BaudMenuId(int baudRate);
// Rate of a baud menu ID, or 0 when the ID is none of the five items.
int BaudRateOfMenu(int menuId);

// The check marks of the port and rate items on the main form. They show the
// chosen port and rate only while the surface is known to answer.
class PortMenu {
 public:
  PortMenu(ui::Toolkit& toolkit, LinkSettings& settings) : toolkit_(toolkit), settings_(settings) {}

  // Checks the item of `CommPort` and of `BaudRate`. Nothing at all while the
  // port is outside 1..32; a rate that is not set, or none of the five, is
  // taken as 38400.
  void PutPortMenuMarks();
  // Unchecks all 37 items.
  void ClearPortMenuMarks();

 private:
  ui::Toolkit& toolkit_;
  LinkSettings& settings_;
};

}  // namespace quorbel
