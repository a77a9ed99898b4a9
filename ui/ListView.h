#pragma once
// Report list view: columns with captions and width limits, rows with a caption, sub-item texts,
// an icon, a state image and data of the form's own. Single whole-row selection; optional grid
// lines; the text colour of each cell comes from OnCustomDrawSubItem.
#include <functional>
#include <string>
#include <vector>

#include "ui/Image.h"
#include "ui/Widget.h"

namespace sm::ui {

struct TListColumn {
  std::string caption;
  int width = 50;
  int minWidth = 0, maxWidth = 0;    // 0 = no limit
};

struct TListItem {
  std::string caption;               // column 0
  std::vector<std::string> subItems; // columns 1..n
  std::vector<int> subItemImages;    // image of columns 1..n in SmallImages, -1: none
  int imageIndex = -1;               // icon of column 0 in SmallImages
  int stateIndex = -1;               // state image (StateImages), -1: none
  void* data = nullptr;              // the form's object for the row; not owned
};

// Rows are changed from code through the methods below; each tells the peer which row changed.
// Selected set from code fires nothing. User actions:
//  * a click on a row (button down): the row becomes selected (no event), then OnMouseDown;
//    at the button release OnMouseUp, then OnClick (a click on empty space clears the selection
//    and fires the same events);
//  * a click on a column header: OnColumnClick(column);
//  * a column resized by the user: its width is clamped to the column's limits (no event).
class TListView : public Widget {
 public:
  using Widget::Widget;

  const std::vector<TListColumn>& Columns() const { return columns_; }
  void SetColumns(std::vector<TListColumn> cols);
  void SetColumnWidth(int col, int width);   // clamped to the limits
  int ColumnWidth(int col) const { return columns_.at(col).width; }

  int Count() const { return static_cast<int>(items_.size()); }
  const TListItem& Item(int row) const { return items_.at(row); }
  int AddItem(TListItem item);               // appended; returns its row
  void InsertItem(int row, TListItem item);
  void DeleteItem(int row);                  // the selection follows (deleted: none)
  void Clear();
  void SetItem(int row, TListItem item);
  void SetSubItem(int row, int column, const std::string& text);  // column 1..n
  void SetStateIndex(int row, int state);
  // Reorders the rows with a strict weak order on the data; the selected row stays selected.
  void Sort(const std::function<bool(const TListItem&, const TListItem&)>& less);
  // Redraws a row (after its data changed the colours).
  void Refresh(int row) { Changed(Prop::Row, row); }

  int Selected() const { return selected_; }  // -1: none
  void SetSelected(int row);                   // out of range: none
  void MakeVisible(int row);                    // scrolls the row into view
  int TopIndex() const { return top_; }

  TImageList* SmallImages = nullptr;
  TImageList* StateImages = nullptr;
  bool GridLines = true;
  // Text colour of a cell (column 0..n); unset or clDefault: the window text colour.
  std::function<Color(const TListItem&, int row, int column)> OnCustomDrawSubItem;
  Color TextColor(int row, int column) const;

  std::function<void(int column)> OnColumnClick;

  // User entry points. Rows are hit by index (-1: empty space); x, y are client coordinates.
  bool UserClickRow(int row, MouseButton b, int x, int y);
  bool UserPressRow(int row, MouseButton b, int x, int y);   // button down only
  bool UserReleaseRow(MouseButton b, int x, int y);          // button up, then OnClick when left
  bool UserColumnClick(int column);
  bool UserResizeColumn(int column, int width);
  void UserScrolled(int topRow) { top_ = topRow; }
  // The selection moved by the keyboard: no event.
  void UserSelectedByKey(int row) { if (Accepts()) selected_ = (row >= 0 && row < Count()) ? row : -1; }
  std::unique_ptr<Peer> MakePeer(PeerFactory& f) override;

 private:
  std::vector<TListColumn> columns_;
  std::vector<TListItem> items_;
  int selected_ = -1, top_ = 0;
};

}  // namespace sm::ui
