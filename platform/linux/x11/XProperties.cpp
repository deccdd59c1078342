#include "platform/linux/x11/XProperties.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include "platform/linux/x11/XConnection.h"

namespace quorbel::x11 {
namespace {

struct Property {
  Atom type = None;
  int format = 0;
  unsigned long count = 0;
  XPtr<unsigned char> data;
};

Property Read(Display* display, Window window, Atom property, Atom type) {
  Property result;
  unsigned long bytesAfter = 0;
  unsigned char* data = nullptr;
  int status = XGetWindowProperty(display, window, property, 0, kMaxPropertyLength, False, type,
                                  &result.type, &result.format, &result.count, &bytesAfter, &data);
  result.data.reset(data);
  if (status != Success || result.data == nullptr) return Property{};
  return result;
}

std::string Latin1ToUtf8(const unsigned char* text, unsigned long length) {
  std::string utf8;
  utf8.reserve(length);
  for (unsigned long i = 0; i < length; ++i) {
    unsigned char c = text[i];
    if (c < 0x80) {
      utf8 += static_cast<char>(c);
    } else {
      utf8 += static_cast<char>(0xC0 | (c >> 6));
      utf8 += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return utf8;
}

std::string ConvertedText(Display* display, Atom type, const unsigned char* data,
                          unsigned long count) {
  // Xlib's conversion only reads the value.
  XTextProperty text{const_cast<unsigned char*>(data), type, 8, count};
  char** list = nullptr;
  int items = 0;
  if (Xutf8TextPropertyToTextList(display, &text, &list, &items) < Success || list == nullptr) {
    return std::string(reinterpret_cast<const char*>(data), count);
  }
  std::string result = items > 0 ? list[0] : "";
  XFreeStringList(list);
  return result;
}

}  // namespace

bool HasProperty(Display* display, Window window, Atom property) {
  return Read(display, window, property, AnyPropertyType).type != None;
}

std::optional<unsigned long> ReadCardinal(Display* display, Window window, Atom property) {
  Property value = Read(display, window, property, XA_CARDINAL);
  if (value.type != XA_CARDINAL || value.format != 32 || value.count == 0) return std::nullopt;
  // Xlib hands 32-bit items over as longs.
  return reinterpret_cast<const unsigned long*>(value.data.get())[0];
}

std::vector<Window> ReadWindows(Display* display, Window window, Atom property) {
  Property value = Read(display, window, property, XA_WINDOW);
  if (value.type != XA_WINDOW || value.format != 32) return {};
  const auto* items = reinterpret_cast<const Window*>(value.data.get());
  return std::vector<Window>(items, items + value.count);
}

std::string ReadText(Display* display, Window window, Atom property, Atom utf8String) {
  Property value = Read(display, window, property, AnyPropertyType);
  if (value.type == None) return {};
  return TextOfValue(display, value.type, value.format, value.data.get(), value.count, utf8String);
}

std::string TextOfValue(Display* display, Atom type, int format, const unsigned char* data,
                        unsigned long count, Atom utf8String) {
  if (type == None || format != 8 || data == nullptr) return {};
  std::string text;
  if (type == utf8String) {
    text.assign(reinterpret_cast<const char*>(data), count);
  } else if (type == XA_STRING) {
    text = Latin1ToUtf8(data, count);
  } else {
    text = ConvertedText(display, type, data, count);
  }
  // A title ends at its first zero byte, as C text does.
  if (auto end = text.find('\0'); end != std::string::npos) text.erase(end);
  return text;
}

std::string CutToCharacters(const std::string& text, std::size_t maxCharacters) {
  std::size_t characters = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    bool startsCharacter = (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80;
    if (startsCharacter && ++characters > maxCharacters) return text.substr(0, i);
  }
  return text;
}

}  // namespace quorbel::x11
