#include "ui/controls/list_box_xi.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>

#include <utility>

#include "ui/controls/edit_helper.h"

namespace gm {

namespace {

// Where the row's image index lives in its item.
constexpr int kImageRole = Qt::UserRole + 1;

// The in-place edit uses the system's edit colours, not the list's dark ones.
QPalette EditPalette() {
  QPalette palette;
  palette.setColor(QPalette::Base, Qt::white);
  palette.setColor(QPalette::Window, Qt::white);
  palette.setColor(QPalette::Text, Qt::black);
  palette.setColor(QPalette::WindowText, Qt::black);
  palette.setColor(QPalette::Highlight, QColor(0, 120, 215));
  palette.setColor(QPalette::HighlightedText, Qt::white);
  return palette;
}

}  // namespace

const QPixmap* ListImageList::Icon(int index) const {
  if (index < 0 || index >= static_cast<int>(icons.size())) return nullptr;
  const QPixmap& icon = icons[static_cast<std::size_t>(index)];
  return icon.isNull() ? nullptr : &icon;
}

CListBoxXI::CListBoxXI(int controlId, QWidget* parent)
    : QListWidget(parent), controlId_(controlId) {
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setUniformItemSizes(true);
  setFrameShape(QFrame::NoFrame);
  // The owner opens the context menus on rightButtonUp; no other menu and no parent's.
  setContextMenuPolicy(Qt::PreventContextMenu);
  InstallRowDelegate();
  // Any scroll the user asks for ends a running edit first.
  connect(verticalScrollBar(), &QScrollBar::actionTriggered, this, [this] { EndEdit(true); });
  connect(horizontalScrollBar(), &QScrollBar::actionTriggered, this, [this] { EndEdit(true); });
  connect(this, &QListWidget::itemDoubleClicked, this, [this] { emit dblClk(); });
}

CListBoxXI::~CListBoxXI() {
  // The edit is a child of the list; it goes without ending anything.
  if (edit_ != nullptr) {
    CEditHelper* edit = std::exchange(edit_, nullptr);
    delete edit;
  }
}

// ---- Rows ---------------------------------------------------------------------------------------

int CListBoxXI::AddItem(const QString& text, int image) { return InsertItem(count(), text, image); }

int CListBoxXI::InsertItem(int index, const QString& text, int image) {
  if (index < 0 || index > count()) return kLbErr;
  auto* item = new QListWidgetItem(text);
  item->setData(kImageRole, image);
  insertItem(index, item);
  if (edit_ != nullptr && editItem_ >= index) ++editItem_;
  return index;
}

int CListBoxXI::DeleteString(int index) {
  if (index < 0 || index >= count()) return kLbErr;
  if (edit_ != nullptr) {
    if (index == editItem_) {
      EndEdit(false);  // the edited row is gone: its text has nowhere to go
    } else if (index < editItem_) {
      --editItem_;
    }
  }
  delete takeItem(index);
  return count();
}

void CListBoxXI::ResetContent() {
  EndEdit(false);
  clear();
}

int CListBoxXI::GetItemImage(int index) const {
  const QListWidgetItem* row = item(index);
  if (row == nullptr) return -1;
  const QVariant image = row->data(kImageRole);
  return image.isValid() ? image.toInt() : -1;
}

QString CListBoxXI::GetText(int index) const {
  const QListWidgetItem* row = item(index);
  return row == nullptr ? QString() : row->text();
}

int CListBoxXI::SetCurSel(int index) {
  if (index < 0) {
    if (index == -1) setCurrentRow(-1);
    return kLbErr;
  }
  if (index >= count()) return kLbErr;
  setCurrentRow(index);
  return index;
}

void CListBoxXI::SetImageList(const ListImageList* images) {
  imageList_ = images;
  iconWidth_ = images == nullptr ? 0 : images->iconSize.width();
  iconHeight_ = images == nullptr ? 0 : images->iconSize.height();
  UpdateRowHeight();
}

// ---- In-place edit ------------------------------------------------------------------------------

void CListBoxXI::OnChar(int charCode) {
  editArm_ = charCode;
  BeginEdit();
}

void CListBoxXI::BeginEdit() {
  if (editArm_ != kBeginEditChar) return;
  editArm_ = 0;
  if (currentRow() < 0) return;  // the owner asks only with a row selected
  if (edit_ != nullptr) EndEdit(true);  // one edit at a time
  const int row = currentRow();
  if (row < 0) return;
  QListWidgetItem* rowItem = item(row);
  scrollToItem(rowItem);
  auto* edit = new CEditHelper(viewport());
  connect(edit, &CEditHelper::editEnded, this, &CListBoxXI::EndEdit);
  edit_ = edit;
  editItem_ = row;
  edit->setGeometry(visualItemRect(rowItem));
  edit->setFont(font());
  edit->setPalette(EditPalette());
  edit->setText(rowItem->text());
  edit->selectAll();
  edit->show();
  edit->setFocus(Qt::OtherFocusReason);
}

void CListBoxXI::EndEdit(bool commit) {
  if (edit_ == nullptr) return;
  // From here on a message from the closing edit (its focus loss) finds no edit.
  CEditHelper* edit = std::exchange(edit_, nullptr);
  if (!commit || editItem_ < 0) {
    CloseEdit(edit);
    return;
  }
  const QString newText = edit->text();
  if (GetText(editItem_) == newText) {
    CloseEdit(edit);  // nothing changed: the owner hears nothing
    return;
  }
  const int image = GetItemImage(editItem_);
  DeleteString(editItem_);
  editItem_ = InsertItem(editItem_, newText, image);
  if (editItem_ >= 0) SetCurSel(editItem_);
  CloseEdit(edit);
  const int committed = std::exchange(editItem_, -1);
  emit editCommitted(committed);
}

void CListBoxXI::CloseEdit(CEditHelper* edit) {
  // A closed edit ends nothing, not even with the focus loss that closing it causes.
  disconnect(edit, nullptr, this, nullptr);
  // The edit may be running one of its own handlers: it goes once that has returned.
  if (edit->hasFocus()) setFocus(Qt::OtherFocusReason);
  edit->hide();
  edit->deleteLater();
}

// ---- Input --------------------------------------------------------------------------------------

void CListBoxXI::keyPressEvent(QKeyEvent* event) {
  if (!event->text().isEmpty()) OnChar(event->text().at(0).unicode());
  const int before = currentRow();
  QListWidget::keyPressEvent(event);
  if (currentRow() != before) emit selChange();
}

void CListBoxXI::mousePressEvent(QMouseEvent* event) {
  // The press has already taken the focus, which commits a running edit and selects its row.
  if (event->button() != Qt::LeftButton || itemAt(event->position().toPoint()) == nullptr) {
    event->accept();
    return;
  }
  QListWidget::mousePressEvent(event);
}

void CListBoxXI::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::RightButton) EndEdit(true);
  QListWidget::mouseReleaseEvent(event);
  // A click on a row tells the owner even when the row was selected already.
  const QPoint pos = event->position().toPoint();
  if (event->button() == Qt::LeftButton && itemAt(pos) != nullptr) emit selChange();
  if (event->button() == Qt::RightButton) emit rightButtonUp(pos);
}

void CListBoxXI::changeEvent(QEvent* event) {
  QListWidget::changeEvent(event);
  if (event->type() == QEvent::FontChange) UpdateRowHeight();
}

}  // namespace gm
