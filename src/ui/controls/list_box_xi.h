#pragma once
// ui/controls: the owner-drawn controls: list box, in-place edit and menu.
//
// The macro page's list boxes: rows of one fixed height, each with an icon from the list's
// image list and a text, drawn on the dark skin (0x161616, selected rows 0x5D5D5D with the
// text in RGB(0,216,255)), with the extra indentation of the macro list (macro rows) and the
// step list (delay rows). A row's text can be retyped in place: the owner arms the edit with
// character 1 (OnChar), Enter, a focus loss, a scroll of the list or a right-button release
// over it commits, Esc cancels. A commit whose text differs replaces the row (same icon, same
// place, selected) and reaches the owner as editCommitted; an unchanged text sends nothing.
//
// The owner ends a running edit (EndEdit) before it is destroyed: a focus loss during its
// destruction would otherwise commit into an owner that is half gone.
//
// Row indices follow the list box rules: 0..count-1; kLbErr (-1) reports a refused row. Each
// row carries its image index (into the list's image list, -1 for none) beside its text.
// User-interface thread only.

#include <QListWidget>
#include <QPixmap>
#include <QSize>
#include <QString>

#include <vector>

class QPainter;

namespace gm {

class CEditHelper;

inline constexpr int kLbErr = -1;
inline constexpr int kLbErrSpace = -2;

// Control ids of the macro page's lists; the id chooses the indentation rule.
inline constexpr int kMacroListId = 10001;
inline constexpr int kStepListId = 10002;
inline constexpr int kParamListId = 10007;

// The character that opens the in-place edit.
inline constexpr int kBeginEditChar = 1;

// Icons of equal size, addressed by index (index 0 first added).
struct ListImageList {
  QSize iconSize;
  std::vector<QPixmap> icons;

  // The icon at index, or nullptr when there is none.
  const QPixmap* Icon(int index) const;
};

class CListBoxXI : public QListWidget {
  Q_OBJECT

 public:
  CListBoxXI(int controlId, QWidget* parent);
  ~CListBoxXI() override;

  int ControlId() const { return controlId_; }

  // ---- Rows -----------------------------------------------------------------------------------
  // Appends a row; its index.
  int AddItem(const QString& text, int image);
  // Inserts a row at index (0..count); kLbErr for any other index, and nothing is stored.
  int InsertItem(int index, const QString& text, int image);
  // Removes a row; the number of rows left, or kLbErr when there is none at index. Removing
  // the row being edited cancels the edit.
  int DeleteString(int index);
  // Removes every row; a running edit is cancelled.
  void ResetContent();
  // The row's image index; -1 for no row.
  int GetItemImage(int index) const;
  // The row's text; empty for no row.
  QString GetText(int index) const;
  int GetCurSel() const { return currentRow(); }
  // Selects a row; -1 selects none. kLbErr for -1 and for an index outside the rows.
  int SetCurSel(int index);

  // The icons of the rows, or nullptr for none; the list does not own them and they must
  // outlive it (or be replaced first).
  void SetImageList(const ListImageList* images);
  const ListImageList* ImageList() const { return imageList_; }

  // The height of every row: the larger of the font's text height and icon height + 4.
  int MeasureItem() const;
  // Draws row `row` into rect (the list's row drawing, also for tests and screenshots).
  void DrawItem(QPainter& painter, const QRect& rect, int row, bool selected) const;

  // ---- In-place edit ----------------------------------------------------------------------------
  // A character typed to the list (also sent by the owner): kBeginEditChar opens the edit
  // over the selected row; any other character only disarms.
  void OnChar(int charCode);
  // Opens the edit when armed and a row is selected.
  void BeginEdit();
  // Ends a running edit: commit (true) or cancel (false). Nothing happens without an edit.
  void EndEdit(bool commit);

  bool IsEditing() const { return edit_ != nullptr; }
  // The running edit, or nullptr.
  CEditHelper* Edit() const { return edit_; }
  int EditItem() const { return editItem_; }

 signals:
  // The user picked a row: a left click on a row (also the row already selected) or a move of
  // the selection by key. Not for selections made by the program.
  void selChange();
  // A double click on a row.
  void dblClk();
  // The right button was released over the list (after a running edit was committed): where
  // the owner opens the list's context menu. pos is in the list's viewport.
  void rightButtonUp(QPoint pos);
  // An in-place edit of row was committed with a changed text (the row holds it now).
  void editCommitted(int row);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  // As a list box: only a left press on a row selects; a press below the last row or with
  // another button leaves the selection shown as it is (the owner selects a right-clicked row
  // itself when it opens the row's menu).
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void InstallRowDelegate();
  // Updates the delegate's row height after a font or image-list change.
  void UpdateRowHeight();
  // Extra shift of the row's left edge for this list and image.
  int RowIndent(int image) const;
  int TextShift(int image) const;
  void CloseEdit(CEditHelper* edit);

  const int controlId_;
  CEditHelper* edit_ = nullptr;
  int editItem_ = -1;
  int editArm_ = 0;
  const ListImageList* imageList_ = nullptr;
  int iconWidth_ = 0;
  int iconHeight_ = 0;
};

}  // namespace gm
