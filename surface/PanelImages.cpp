#include "surface/PanelImages.h"

#include <array>
#include <cstddef>

namespace quorbel {

namespace {

struct SlotImages {
  std::string_view released;
  std::string_view pressed;
};

constexpr std::array<SlotImages, kPanelImageSlots> kSlots{{
    {"$0up", "$0dn"},
    {"$1up", "$1dn"},
    {"$2up", "$2dn"},
    {"$num3up", "$num3dn"},
    {"$num4up", "$num4dn"},
    {"$num5up", "$num5dn"},
    {"$num6up", "$num6dn"},
    {"$num7up", "$num7dn"},
    {"$num8up", "$num8dn"},
    {"$num9up", "$num9dn"},
    {"$SignUp", "$SignDn"},  // 10
    {"$EnterUp", "$EnterDn"},
    {"$ModeUp", "$ModeDn"},
    {"$SetUp", "$SetDn"},
    {"$ClearUp", "$ClearDn"},
    {"$LastUp", "$LastDn"},
    {"$RewUp", "$RewDn"},  // 16
    {"$FFUp", "$ffDn"},
    {"$StopUp", "$StopDn"},
    {"$PlayUp", "$PlayDn"},
    {"$RecUp", "$RecDn"},  // 20
    {"$w1", "$JogShuttle"},
    {"$w2", "$QuorbelLogo"},
    {"$w3", "$TimeCode"},
    {"$w4", ""},
    {"$w5", ""},
    {"$w6", ""},
    {"$w7", ""},
    {"$w8", ""},
    {"$SqUp", "$SqDn"},  // 29
    {"$Fkeys", ""},
    {"$FuncUp", "$FuncDn"},
    {"$ShiftUp", "$ShiftDn"},
    {"$HorUp", "$HorDn"},
    {"$VertUp", "$VertDn"},
    {"$Page", "$Lcd"},  // 35
    {"$RecLedUp", "$RecLedDn"},
    {"$EncLf", "$EncLfSel"},
    {"$EncRt", "$EncRtSel"},
    {"$LfWheel", "$RtWheelSel"},
    {"$RtWheel", "$RtWhSel"},  // 40
    {"$MLedUp", "$MLedDn"},
    {"$MStrip", ""},
    {"$Bank1", "$Bank2"},
    {"$Bank3", "$Bank4"},
    {"", ""},
    {"$Screw", "$WRest"},
    {"$Red1off", "$Red1on"},
    {"$AssignUp", "$AssignDn"},
    {"", ""},
    {"", "$JogDn"},  // 50
    {"", "$ShuttleDn"},
    {"$redoff", "$redon"},
}};

}  // namespace

std::string_view PanelImageName(int slot, int column) {
  if (slot < 0 || slot >= kPanelImageSlots) return {};
  const SlotImages& images = kSlots[static_cast<std::size_t>(slot)];
  return column == kReleased ? images.released : images.pressed;
}

}  // namespace quorbel
