#include "toolkit/ToolkitTexts.h"

#include <charconv>

namespace quorbel::ui {

namespace {

bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

}  // namespace

MessageText ReadMessageText(const std::string& text) {
  MessageText read{text, MessageIcon::None};
  if (EndsWith(read.text, "{!}")) read.icon = MessageIcon::Exclamation;
  if (EndsWith(read.text, "{?}")) read.icon = MessageIcon::Question;
  if (read.icon != MessageIcon::None) read.text.resize(read.text.size() - 3);
  for (char& c : read.text) {
    if (c == '|') c = '\n';
  }
  return read;
}

std::vector<ListViewColumn> ReadListViewColumns(const std::string& titles) {
  std::vector<ListViewColumn> columns;
  for (const std::string& item : SplitItems(titles)) {
    ListViewColumn column{item, kDefaultListViewColumnWidth};
    const std::size_t open = item.rfind('{');
    const std::size_t close = item.rfind('}');
    if (open != std::string::npos && close != std::string::npos && open < close) {
      double width = 0;
      auto [end, error] = std::from_chars(item.data() + open + 1, item.data() + close, width);
      if (error == std::errc() && end == item.data() + close && width >= 0) {
        column.title = item.substr(0, open);
        column.width = width;
      }
    }
    columns.push_back(column);
  }
  return columns;
}

}  // namespace quorbel::ui
