// Controls, pictures and lists of the in-memory toolkit.
#include <algorithm>
#include <cctype>
#include <utility>

#include "toolkit/memory/MemoryToolkit.h"

#include "toolkit/ListItems.h"

namespace quorbel::ui {

namespace {

bool SameIgnoringCase(const std::string& a, const std::string& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) ==
           std::tolower(static_cast<unsigned char>(y));
  });
}

int Count(const MemoryControl& control) { return static_cast<int>(control.rows.size()); }

}  // namespace

void MemoryToolkit::AddControl(const std::string& form, const ControlDefinition& definition) {
  std::lock_guard lock(mutex_);
  MemoryForm* f = FindForm("AddControl", form);
  if (f == nullptr) return;
  if (f->controls.contains(definition.id)) {
    Fault("AddControl: control " + std::to_string(definition.id) + " exists already on \"" + form +
          "\"");
    return;
  }
  MemoryControl control;
  control.definition = definition;
  control.text = definition.text;
  control.visible = definition.letters.find('H') == std::string::npos;
  if (definition.kind == ControlKind::Picture) control.image = definition.text;
  if (definition.kind == ControlKind::ComboBox || definition.kind == ControlKind::ListBox) {
    for (std::string& item : SplitItems(definition.text)) control.rows.push_back({std::move(item)});
  }
  f->controls.emplace(definition.id, std::move(control));
  f->creationOrder.push_back(definition.id);
}

void MemoryToolkit::SetText(const std::string& form, int id, const std::string& text) {
  std::lock_guard lock(mutex_);
  if (id == 0) {
    if (MemoryForm* f = FindForm("SetText", form)) f->caption = text;
  } else if (MemoryControl* c = FindControl("SetText", form, id)) {
    c->text = text;
  }
}

std::string MemoryToolkit::Text(const std::string& form, int id) {
  std::lock_guard lock(mutex_);
  if (id == 0) {
    const MemoryForm* f = FindForm("Text", form);
    return f != nullptr ? f->caption : std::string();
  }
  const MemoryControl* c = FindControl("Text", form, id);
  if (c == nullptr) return {};
  // A list box or drop-down list reads as its selected item.
  const ControlKind kind = c->definition.kind;
  if ((kind == ControlKind::ComboBox || kind == ControlKind::ListBox) && c->selected >= 0) {
    return c->rows[static_cast<std::size_t>(c->selected)].front();
  }
  return c->text;
}

void MemoryToolkit::SetCheck(const std::string& form, int id, bool checked) {
  std::lock_guard lock(mutex_);
  if (MemoryControl* c = FindControl("SetCheck", form, id)) c->checked = checked;
}

bool MemoryToolkit::Checked(const std::string& form, int id) {
  std::lock_guard lock(mutex_);
  const MemoryControl* c = FindControl("Checked", form, id);
  return c != nullptr && c->checked;
}

void MemoryToolkit::Show(const std::string& form, int firstId, int lastId) {
  ForRange("Show", form, firstId, lastId, [](MemoryControl& c) { c.visible = true; });
}

void MemoryToolkit::Hide(const std::string& form, int firstId, int lastId) {
  ForRange("Hide", form, firstId, lastId, [](MemoryControl& c) { c.visible = false; });
}

void MemoryToolkit::Enable(const std::string& form, int firstId, int lastId) {
  ForRange("Enable", form, firstId, lastId, [](MemoryControl& c) { c.enabled = true; });
}

void MemoryToolkit::Disable(const std::string& form, int firstId, int lastId) {
  ForRange("Disable", form, firstId, lastId, [](MemoryControl& c) { c.enabled = false; });
}

void MemoryToolkit::SetFocus(const std::string& form, int id) {
  std::lock_guard lock(mutex_);
  MemoryForm* f = FindForm("SetFocus", form);
  if (f == nullptr) return;
  if (id != 0 && !f->controls.contains(id)) {
    Fault("SetFocus: no control " + std::to_string(id) + " on \"" + form + "\"");
    return;
  }
  f->focus = id;
}

void MemoryToolkit::SetCaret(const std::string& form, int id, int position) {
  std::lock_guard lock(mutex_);
  if (MemoryControl* c = FindControl("SetCaret", form, id)) {
    c->caret = std::clamp(position, 0, static_cast<int>(c->text.size()));
  }
}

void MemoryToolkit::SetRange(const std::string& form, int id, int minimum, int maximum,
                             int position) {
  std::lock_guard lock(mutex_);
  MemoryControl* c = FindControl("SetRange", form, id);
  if (c == nullptr) return;
  c->minimum = minimum;
  c->maximum = maximum;
  c->position = minimum <= maximum ? std::clamp(position, minimum, maximum) : position;
}

int MemoryToolkit::Position(const std::string& form, int id) {
  std::lock_guard lock(mutex_);
  const MemoryControl* c = FindControl("Position", form, id);
  return c != nullptr ? c->position : 0;
}

int MemoryToolkit::LoadPicture(const std::string& imageName) {
  std::lock_guard lock(mutex_);
  auto [entry, added] =
      pictureKeys_.try_emplace(imageName, static_cast<int>(pictureNames_.size()) + 1);
  if (added) pictureNames_.push_back(imageName);
  return entry->second;
}

void MemoryToolkit::SetImage(const std::string& form, int id, int pictureKey) {
  std::lock_guard lock(mutex_);
  MemoryControl* c = FindControl("SetImage", form, id);
  if (c == nullptr) return;
  if (pictureKey < 1 || pictureKey > static_cast<int>(pictureNames_.size())) {
    Fault("SetImage: no picture key " + std::to_string(pictureKey));
    return;
  }
  c->image = pictureNames_[static_cast<std::size_t>(pictureKey - 1)];
}

// --- Lists ----------------------------------------------------------------------

void MemoryToolkit::ClearItems(const std::string& form, int id) {
  std::lock_guard lock(mutex_);
  if (MemoryControl* c = FindControl("ClearItems", form, id)) {
    c->rows.clear();
    c->selected = -1;
  }
}

void MemoryToolkit::AddItems(const std::string& form, int id,
                             const std::string& itemsBarSeparated) {
  std::lock_guard lock(mutex_);
  if (MemoryControl* c = FindControl("AddItems", form, id)) {
    for (std::string& item : SplitItems(itemsBarSeparated)) c->rows.push_back({std::move(item)});
  }
}

void MemoryToolkit::AddItem(const std::string& form, int id, const std::string& text) {
  std::lock_guard lock(mutex_);
  if (MemoryControl* c = FindControl("AddItem", form, id)) c->rows.push_back({text});
}

void MemoryToolkit::AddListViewItem(const std::string& form, int id, int row, int column,
                                    const std::string& text) {
  std::lock_guard lock(mutex_);
  MemoryControl* c = FindControl("AddListViewItem", form, id);
  if (c == nullptr) return;
  if (column == 0) {
    const int at = std::clamp(row, 0, Count(*c));
    c->rows.insert(c->rows.begin() + at, {text});
    if (c->selected >= at) ++c->selected;
    return;
  }
  if (row < 0 || row >= Count(*c) || column < 0) {
    Fault("AddListViewItem: no row " + std::to_string(row) + " in control " + std::to_string(id) +
          " on \"" + form + "\"");
    return;
  }
  auto& cells = c->rows[static_cast<std::size_t>(row)];
  if (cells.size() <= static_cast<std::size_t>(column)) {
    cells.resize(static_cast<std::size_t>(column) + 1);
  }
  cells[static_cast<std::size_t>(column)] = text;
}

void MemoryToolkit::SelectItem(const std::string& form, int id, int index) {
  std::lock_guard lock(mutex_);
  if (MemoryControl* c = FindControl("SelectItem", form, id)) {
    c->selected = index >= 0 && index < Count(*c) ? index : -1;
  }
}

int MemoryToolkit::LastItem(const std::string& form, int id) {
  std::lock_guard lock(mutex_);
  const MemoryControl* c = FindControl("LastItem", form, id);
  return c != nullptr ? Count(*c) - 1 : -1;
}

int MemoryToolkit::FindItem(const std::string& form, int id, const std::string& text) {
  std::lock_guard lock(mutex_);
  const MemoryControl* c = FindControl("FindItem", form, id);
  if (c == nullptr) return -1;
  for (int i = 0; i < Count(*c); ++i) {
    if (SameIgnoringCase(c->rows[static_cast<std::size_t>(i)].front(), text)) return i;
  }
  return -1;
}

int MemoryToolkit::NextSelected(const std::string& form, int id, int after) {
  std::lock_guard lock(mutex_);
  const MemoryControl* c = FindControl("NextSelected", form, id);
  return c != nullptr && c->selected > after ? c->selected : -1;
}

std::string MemoryToolkit::ItemText(const std::string& form, int id, int index, int column) {
  std::lock_guard lock(mutex_);
  const MemoryControl* c = FindControl("ItemText", form, id);
  if (c == nullptr || index < 0 || index >= Count(*c) || column < 0) return {};
  const auto& cells = c->rows[static_cast<std::size_t>(index)];
  return static_cast<std::size_t>(column) < cells.size() ? cells[static_cast<std::size_t>(column)]
                                                         : std::string();
}

// --- Queries for tests ----------------------------------------------------------

std::optional<MemoryControl> MemoryToolkit::Control(const std::string& form, int id) const {
  std::lock_guard lock(mutex_);
  const MemoryControl* c = PeekControl(form, id);
  return c != nullptr ? std::optional<MemoryControl>(*c) : std::nullopt;
}

std::vector<int> MemoryToolkit::ControlIds(const std::string& form) const {
  std::lock_guard lock(mutex_);
  const MemoryForm* f = PeekForm(form);
  return f != nullptr ? f->creationOrder : std::vector<int>();
}

bool MemoryToolkit::Visible(const std::string& form, int id) const {
  std::lock_guard lock(mutex_);
  const MemoryControl* c = PeekControl(form, id);
  return c != nullptr && c->visible;
}

bool MemoryToolkit::Enabled(const std::string& form, int id) const {
  std::lock_guard lock(mutex_);
  const MemoryControl* c = PeekControl(form, id);
  return c != nullptr && c->enabled;
}

std::string MemoryToolkit::ImageName(const std::string& form, int id) const {
  std::lock_guard lock(mutex_);
  const MemoryControl* c = PeekControl(form, id);
  return c != nullptr ? c->image : std::string();
}

std::vector<std::string> MemoryToolkit::Items(const std::string& form, int id) const {
  std::lock_guard lock(mutex_);
  std::vector<std::string> items;
  if (const MemoryControl* c = PeekControl(form, id)) {
    for (const auto& cells : c->rows) items.push_back(cells.front());
  }
  return items;
}

std::vector<std::string> MemoryToolkit::Row(const std::string& form, int id, int row) const {
  std::lock_guard lock(mutex_);
  const MemoryControl* c = PeekControl(form, id);
  if (c == nullptr || row < 0 || row >= Count(*c)) return {};
  return c->rows[static_cast<std::size_t>(row)];
}

int MemoryToolkit::Selected(const std::string& form, int id) const {
  std::lock_guard lock(mutex_);
  const MemoryControl* c = PeekControl(form, id);
  return c != nullptr ? c->selected : -1;
}

// --- Helpers (mutex_ held) ------------------------------------------------------

MemoryControl* MemoryToolkit::FindControl(const char* operation, const std::string& form, int id) {
  MemoryForm* f = FindForm(operation, form);
  if (f == nullptr) return nullptr;
  auto found = f->controls.find(id);
  if (found != f->controls.end()) return &found->second;
  Fault(std::string(operation) + ": no control " + std::to_string(id) + " on \"" + form + "\"");
  return nullptr;
}

const MemoryControl* MemoryToolkit::PeekControl(const std::string& form, int id) const {
  const MemoryForm* f = PeekForm(form);
  if (f == nullptr) return nullptr;
  auto found = f->controls.find(id);
  return found != f->controls.end() ? &found->second : nullptr;
}

MemoryControl* MemoryToolkit::PeekControl(const std::string& form, int id) {
  return const_cast<MemoryControl*>(std::as_const(*this).PeekControl(form, id));
}

MemoryControl* MemoryToolkit::Usable(const std::string& form, int id) {
  MemoryControl* c = PeekControl(form, id);
  return c != nullptr && c->visible && c->enabled ? c : nullptr;
}

void MemoryToolkit::ForRange(const char* operation, const std::string& form, int firstId,
                             int lastId, const std::function<void(MemoryControl&)>& change) {
  std::lock_guard lock(mutex_);
  MemoryForm* f = FindForm(operation, form);
  if (f == nullptr) return;
  auto first = f->controls.lower_bound(firstId);
  auto last = f->controls.upper_bound(lastId);
  if (firstId > lastId || first == last) {
    Fault(std::string(operation) + ": no control in " + std::to_string(firstId) + ".." +
          std::to_string(lastId) + " on \"" + form + "\"");
    return;
  }
  for (auto it = first; it != last; ++it) change(it->second);
}

}  // namespace quorbel::ui
