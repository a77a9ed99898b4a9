#include "ui/ListView.h"

#include <algorithm>
#include <numeric>

#include "ui/PeerFactory.h"

namespace sm::ui {

std::unique_ptr<Peer> TListView::MakePeer(PeerFactory& f) { return f.Make(*this); }

static int ClampWidth(const TListColumn& c, int w) {
  if (c.minWidth > 0 && w < c.minWidth) w = c.minWidth;
  if (c.maxWidth > 0 && w > c.maxWidth) w = c.maxWidth;
  return w < 0 ? 0 : w;
}

void TListView::SetColumns(std::vector<TListColumn> cols) {
  for (TListColumn& c : cols) c.width = ClampWidth(c, c.width);
  columns_ = std::move(cols);
  Changed(Prop::Items);
}

void TListView::SetColumnWidth(int col, int width) {
  TListColumn& c = columns_.at(col);
  width = ClampWidth(c, width);
  if (width == c.width) return;
  c.width = width;
  Changed(Prop::Items);
}

int TListView::AddItem(TListItem item) {
  items_.push_back(std::move(item));
  Changed(Prop::Items);
  return Count() - 1;
}

void TListView::InsertItem(int row, TListItem item) {
  if (row < 0 || row > Count()) row = Count();
  items_.insert(items_.begin() + row, std::move(item));
  if (selected_ >= row) ++selected_;
  Changed(Prop::Items);
}

void TListView::DeleteItem(int row) {
  items_.erase(items_.begin() + row);   // throws std::out_of_range below through at()
  if (selected_ == row) selected_ = -1;
  else if (selected_ > row) --selected_;
  Changed(Prop::Items);
}

void TListView::Clear() {
  items_.clear();
  selected_ = -1;
  top_ = 0;
  Changed(Prop::Items);
}

void TListView::SetItem(int row, TListItem item) {
  items_.at(row) = std::move(item);
  Changed(Prop::Row, row);
}

void TListView::SetSubItem(int row, int column, const std::string& text) {
  TListItem& it = items_.at(row);
  if (column < 1) {
    it.caption = text;
  } else {
    if (static_cast<int>(it.subItems.size()) < column) it.subItems.resize(column);
    it.subItems[column - 1] = text;
  }
  Changed(Prop::Row, row);
}

void TListView::SetStateIndex(int row, int state) {
  items_.at(row).stateIndex = state;
  Changed(Prop::Row, row);
}

void TListView::Sort(const std::function<bool(const TListItem&, const TListItem&)>& less) {
  std::vector<int> order(items_.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(),
                   [&](int a, int b) { return less(items_[a], items_[b]); });
  std::vector<TListItem> sorted;
  sorted.reserve(items_.size());
  int sel = -1;
  for (size_t i = 0; i < order.size(); ++i) {
    if (order[i] == selected_) sel = static_cast<int>(i);
    sorted.push_back(std::move(items_[order[i]]));
  }
  items_ = std::move(sorted);
  selected_ = sel;
  Changed(Prop::Items);
}

void TListView::SetSelected(int row) {
  if (row < 0 || row >= Count()) row = -1;
  if (row == selected_) return;
  selected_ = row;
  Changed(Prop::State);
}

void TListView::MakeVisible(int row) {
  if (row < 0 || row >= Count()) return;
  if (row < top_) top_ = row;
  Changed(Prop::State, row);
}

Color TListView::TextColor(int row, int column) const {
  if (!OnCustomDrawSubItem) return clDefault;
  return OnCustomDrawSubItem(items_.at(row), row, column);
}

bool TListView::UserPressRow(int row, MouseButton b, int x, int y) {
  if (!Accepts()) return false;
  if (row < 0 || row >= Count()) row = -1;
  Dispatch([&] {
    selected_ = row;
    Changed(Prop::State);
    if (OnMouseDown) OnMouseDown(b, 0, x, y);
  });
  return true;
}

bool TListView::UserReleaseRow(MouseButton b, int x, int y) {
  if (!Accepts()) return false;
  Dispatch([&] {
    if (OnMouseUp) OnMouseUp(b, 0, x, y);
    if (b == MouseButton::Left && OnClick) OnClick();
  });
  return true;
}

bool TListView::UserClickRow(int row, MouseButton b, int x, int y) {
  if (!UserPressRow(row, b, x, y)) return false;
  return UserReleaseRow(b, x, y);
}

bool TListView::UserColumnClick(int column) {
  if (!Accepts() || column < 0 || column >= static_cast<int>(columns_.size())) return false;
  Dispatch([&] { if (OnColumnClick) OnColumnClick(column); });
  return true;
}

bool TListView::UserResizeColumn(int column, int width) {
  if (!Accepts() || column < 0 || column >= static_cast<int>(columns_.size())) return false;
  TListColumn& c = columns_[column];
  int w = ClampWidth(c, width);
  c.width = w;
  if (w != width) Changed(Prop::Items);   // the real header is put back within the limits
  return true;
}

}  // namespace sm::ui
