#include "platform/windows/CommLineSettings.h"

namespace quorbel {

namespace {

// Reads the current settings, changes them and writes them back; a refusal
// is ignored, as the line then runs with what the driver accepted.
template <typename Edit>
void Change(HANDLE port, Edit change) {
  DCB settings{};
  settings.DCBlength = sizeof settings;
  if (!::GetCommState(port, &settings)) return;
  change(settings);
  ::SetCommState(port, &settings);
}

}  // namespace

bool IsSurfaceRate(int baudRate) {
  switch (baudRate) {
    case 38400:
    case 19200:
    case 9600:
    case 4800:
    case 2400:
      return true;
    default:
      return false;
  }
}

void ApplySurfaceLineSettings(HANDLE port, int baudRate) {
  Change(port, [baudRate](DCB& d) { d.BaudRate = static_cast<DWORD>(baudRate); });
  Change(port, [](DCB& d) {
    d.ByteSize = 8;
    d.StopBits = ONESTOPBIT;
    d.Parity = NOPARITY;
    d.fBinary = TRUE;
    d.fOutxCtsFlow = FALSE;
    d.fOutxDsrFlow = FALSE;
    d.fDsrSensitivity = FALSE;
    d.fOutX = FALSE;
    d.fInX = FALSE;
    d.fErrorChar = FALSE;
    d.fNull = FALSE;
    d.fAbortOnError = FALSE;
  });
  Change(port, [](DCB& d) { d.fParity = TRUE; });
  Change(port, [](DCB& d) { d.Parity = ODDPARITY; });
  Change(port, [](DCB& d) { d.StopBits = ONE5STOPBITS; });
}

}  // namespace quorbel
