#pragma once

// Texts the program hands to the toolkit in its own notation, read here.

#include <string>
#include <vector>

#include "toolkit/ListItems.h"

namespace quorbel::ui {

enum class MessageIcon { None, Exclamation, Question };

struct MessageText {
  std::string text;
  MessageIcon icon = MessageIcon::None;
};

// The program writes a message box text with "|" for each line break and ends
// it with "{!}" or "{?}" to choose the exclamation or question icon.
MessageText ReadMessageText(const std::string& text);

struct ListViewColumn {
  std::string title;
  double width = 0;  // in character columns
};

// List view column titles "Handle{6}|Name{20}": each title with its width in
// braces. A title without a width gets kDefaultListViewColumnWidth.
inline constexpr double kDefaultListViewColumnWidth = 10;
std::vector<ListViewColumn> ReadListViewColumns(const std::string& titles);

}  // namespace quorbel::ui
