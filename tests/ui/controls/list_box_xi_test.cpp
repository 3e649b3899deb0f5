// The owner-drawn list box: where icons and texts land per list and image, the row height,
// row records, and the in-place edit's ways of ending.

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QScrollBar>
#include <QTest>

#include <filesystem>
#include <memory>
#include <vector>

#include "ui/controls/edit_helper.h"
#include "ui/controls/list_box_xi.h"
#include "ui/qt_app_for_tests.h"

namespace gm::test {
namespace {

namespace fs = std::filesystem;

const fs::path kScreenshotDir =
    fs::path(GMOUSE_APP_DIR).parent_path().parent_path() / "screenshots";

const QColor kRowBackground{0x16, 0x16, 0x16};
const QColor kSelectedBackground{0x5D, 0x5D, 0x5D};
// Icon i is a solid square of this colour plus i in blue, so each index is recognisable.
const QColor kIconColor{250, 0, 100};

ListImageList SolidIcons(int count, int size) {
  ListImageList images;
  images.iconSize = QSize(size, size);
  for (int i = 0; i < count; ++i) {
    QPixmap icon(size, size);
    icon.fill(QColor(kIconColor.red(), 0, kIconColor.blue() + i));
    images.icons.push_back(icon);
  }
  return images;
}

// The list's committed edits, as the owner hears them.
struct Commit {
  const CListBoxXI* list;
  int row;
};

class Owner : public QWidget {
 public:
  void Listen(CListBoxXI* list) {
    QObject::connect(list, &CListBoxXI::editCommitted, this,
                     [this, list](int row) { messages.push_back({list, row}); });
  }
  std::vector<Commit> messages;
};

bool IsIconPixel(QRgb p) { return qRed(p) == kIconColor.red() && qGreen(p) == 0; }

// ---- Drawing ------------------------------------------------------------------------------------

struct RowCase {
  const char* what;
  int listId;
  int image;
  bool imageList;
  int iconLeft;  // -1: no icon
  int textLeft;
};

TEST(ListBoxXIDrawing, IconAndTextPlacesPerListAndImage) {
  EnsureQtApplication();
  const ListImageList images = SolidIcons(6, 16);
  const RowCase cases[] = {
      {"macro row", kMacroListId, 2, true, 12, 40},
      {"closed group", kMacroListId, 0, true, 2, 25},
      {"open group", kMacroListId, 1, true, 2, 25},
      {"delay row", kStepListId, 0, true, 32, 50},
      {"key-down row", kStepListId, 1, true, 2, 25},
      {"lighting row", kStepListId, 4, true, 2, 25},
      {"last delay, no image", kStepListId, -1, true, -1, 5},
      {"parameter row", kParamListId, -1, true, -1, 0},
      {"parameter row with an icon", kParamListId, 0, true, 2, 20},
      {"delay row without image list", kStepListId, 0, false, -1, 30},
      {"macro row without image list", kMacroListId, 2, false, -1, 10},
  };
  for (const RowCase& c : cases) {
    CListBoxXI list(c.listId, nullptr);
    if (c.imageList) list.SetImageList(&images);
    list.AddItem(QStringLiteral("WWW"), c.image);
    QImage row(200, 20, QImage::Format_RGB32);
    row.fill(Qt::magenta);
    {
      QPainter painter(&row);
      list.DrawItem(painter, row.rect(), 0, false);
    }
    int iconLeft = -1;
    int textLeft = -1;
    for (int x = 0; x < row.width(); ++x) {
      for (int y = 0; y < row.height(); ++y) {
        const QRgb p = row.pixel(x, y);
        if (IsIconPixel(p)) {
          if (iconLeft < 0) iconLeft = x;
        } else if (p != kRowBackground.rgb() && textLeft < 0) {
          textLeft = x;
        }
      }
    }
    EXPECT_EQ(iconLeft, c.iconLeft) << c.what;
    if (c.iconLeft >= 0) {
      EXPECT_TRUE(IsIconPixel(row.pixel(c.iconLeft + 15, 17))) << c.what;  // 16 x 16 at +2
      EXPECT_EQ(row.pixel(c.iconLeft, 1), kRowBackground.rgb()) << c.what;
      EXPECT_EQ(qBlue(row.pixel(c.iconLeft, 2)), kIconColor.blue() + c.image) << c.what;
    }
    // The glyph starts at most a pixel or two after its rectangle's left edge.
    EXPECT_GE(textLeft, c.textLeft) << c.what;
    EXPECT_LE(textLeft, c.textLeft + 3) << c.what;
    EXPECT_EQ(row.pixel(199, 0), kRowBackground.rgb()) << c.what;
  }
}

TEST(ListBoxXIDrawing, SelectedRowIsGreyWithCyanText) {
  EnsureQtApplication();
  CListBoxXI list(kParamListId, nullptr);
  list.AddItem(QStringLiteral("WWWW"), -1);
  QImage row(120, 20, QImage::Format_RGB32);
  QPainter painter(&row);
  list.DrawItem(painter, row.rect(), 0, true);
  painter.end();
  EXPECT_EQ(row.pixel(119, 0), kSelectedBackground.rgb());
  bool cyan = false;
  for (int x = 0; x < 40 && !cyan; ++x) {
    for (int y = 0; y < 20 && !cyan; ++y) cyan = row.pixel(x, y) == qRgb(0, 216, 255);
  }
  EXPECT_TRUE(cyan);
}

TEST(ListBoxXIDrawing, RowHeightIsTheLargerOfTextAndIconPlusFour) {
  EnsureQtApplication();
  CListBoxXI list(kStepListId, nullptr);
  QFont small = list.font();
  small.setPixelSize(8);
  list.setFont(small);
  const int textHeight = QFontMetrics(small).height();
  ASSERT_LT(textHeight, 20);
  EXPECT_EQ(list.MeasureItem(), textHeight);
  const ListImageList icons16 = SolidIcons(1, 16);
  list.SetImageList(&icons16);
  EXPECT_EQ(list.MeasureItem(), 20);
  QFont large = small;
  large.setPixelSize(40);
  list.setFont(large);
  EXPECT_EQ(list.MeasureItem(), QFontMetrics(large).height());
  list.SetImageList(nullptr);
  list.setFont(small);
  EXPECT_EQ(list.MeasureItem(), textHeight);
}

// ---- Rows ---------------------------------------------------------------------------------------

TEST(ListBoxXIRows, RecordsFollowTheirRows) {
  EnsureQtApplication();
  CListBoxXI list(kStepListId, nullptr);
  EXPECT_EQ(list.AddItem(QStringLiteral("a"), 1), 0);
  EXPECT_EQ(list.AddItem(QStringLiteral("c"), 3), 1);
  EXPECT_EQ(list.InsertItem(1, QStringLiteral("b"), 2), 1);
  EXPECT_EQ(list.InsertItem(4, QStringLiteral("x"), 5), kLbErr);  // beyond count
  EXPECT_EQ(list.InsertItem(-1, QStringLiteral("x"), 5), kLbErr);
  ASSERT_EQ(list.count(), 3);
  EXPECT_EQ(list.GetItemImage(2), 3);
  list.DeleteString(0);
  EXPECT_EQ(list.GetText(0), QStringLiteral("b"));
  EXPECT_EQ(list.GetItemImage(0), 2);
  EXPECT_EQ(list.GetItemImage(1), 3);
  EXPECT_EQ(list.GetItemImage(2), -1);
  EXPECT_EQ(list.DeleteString(5), kLbErr);
  list.ResetContent();
  EXPECT_EQ(list.count(), 0);
  EXPECT_EQ(list.GetItemImage(0), -1);
}

// ---- In-place edit ------------------------------------------------------------------------------

class ListBoxXIEdit : public ::testing::Test {
 protected:
  void SetUp() override {
    EnsureQtApplication();
    images_ = SolidIcons(3, 16);
    owner_ = std::make_unique<Owner>();
    owner_->resize(260, 200);
    list_ = new CListBoxXI(kMacroListId, owner_.get());
    owner_->Listen(list_);
    list_->setGeometry(0, 0, 200, 120);
    other_ = new QWidget(owner_.get());
    other_->setGeometry(210, 0, 40, 40);
    other_->setFocusPolicy(Qt::StrongFocus);
    list_->SetImageList(&images_);
    list_->AddItem(QStringLiteral("Group"), 1);
    list_->AddItem(QStringLiteral("Macro one"), 2);
    list_->AddItem(QStringLiteral("Macro two"), 2);
    for (int i = 0; i < 12; ++i) list_->AddItem(QStringLiteral("Filler %1").arg(i), 0);
    owner_->show();
    QApplication::setActiveWindow(owner_.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(owner_.get()));
    list_->SetCurSel(1);
    list_->setFocus();
  }

  // The owner ends a running edit before it goes (its window's deactivation would commit it).
  void TearDown() override {
    list_->EndEdit(false);
    owner_.reset();
  }

  void Open() {
    list_->OnChar(kBeginEditChar);
    ASSERT_TRUE(list_->IsEditing());
    ASSERT_TRUE(list_->Edit()->hasFocus());
  }

  void Retype(const QString& text) {
    QTest::keyClick(list_->Edit(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(list_->Edit(), text);
  }

  static void FlushDeletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  ListImageList images_;
  std::unique_ptr<Owner> owner_;
  CListBoxXI* list_ = nullptr;
  QWidget* other_ = nullptr;
};

TEST_F(ListBoxXIEdit, OpensOverTheSelectedRowWithItsTextSelected) {
  list_->OnChar('a');
  EXPECT_FALSE(list_->IsEditing());  // any other character disarms
  Open();
  EXPECT_EQ(list_->Edit()->text(), QStringLiteral("Macro one"));
  EXPECT_EQ(list_->Edit()->selectedText(), QStringLiteral("Macro one"));
  EXPECT_EQ(list_->Edit()->geometry(), list_->visualItemRect(list_->item(1)));
  EXPECT_EQ(list_->EditItem(), 1);
  fs::create_directories(kScreenshotDir);
  Retype(QStringLiteral("Renamed macro"));
  EXPECT_TRUE(owner_->grab().save(
      QString::fromStdString((kScreenshotDir / "list_box_edit_open.png").string())));
}

// The owner hears of every click on a row, also on the row already selected (a group row
// opens and closes that way), but not of selections the program makes; a right-button
// release is where it opens the row's menu.
TEST_F(ListBoxXIEdit, NotificationsToTheOwner) {
  int selChanges = 0;
  std::vector<QPoint> rightUps;
  QObject::connect(list_, &CListBoxXI::selChange, [&] { ++selChanges; });
  QObject::connect(list_, &CListBoxXI::rightButtonUp,
                   [&](QPoint pos) { rightUps.push_back(pos); });
  const QPoint row2 = list_->visualItemRect(list_->item(2)).center();
  QTest::mouseClick(list_->viewport(), Qt::LeftButton, {}, row2);
  EXPECT_EQ(list_->GetCurSel(), 2);
  QTest::mouseClick(list_->viewport(), Qt::LeftButton, {}, row2);
  EXPECT_EQ(selChanges, 2);
  list_->SetCurSel(0);
  EXPECT_EQ(selChanges, 2);
  QTest::keyClick(list_, Qt::Key_Down);
  EXPECT_EQ(selChanges, 3);
  QTest::mouseRelease(list_->viewport(), Qt::RightButton, {}, row2);
  ASSERT_EQ(rightUps.size(), 1u);
  EXPECT_EQ(rightUps[0], row2);
}

TEST_F(ListBoxXIEdit, NoRowSelectedOpensNothing) {
  list_->SetCurSel(-1);
  list_->OnChar(kBeginEditChar);
  EXPECT_FALSE(list_->IsEditing());
}

// A list box keeps its selection shown on a click below the last row and on a right click
// (whose row the owner selects itself); a right click that commits an edit leaves the edited
// row selected, as Enter does.
TEST_F(ListBoxXIEdit, OnlyALeftPressOnARowMovesTheSelection) {
  while (list_->count() > 3) list_->DeleteString(3);
  const QPoint belowRows(20, list_->viewport()->height() - 5);
  ASSERT_EQ(list_->itemAt(belowRows), nullptr);
  const QPoint row2 = list_->visualItemRect(list_->item(2)).center();
  const struct {
    const char* what;
    Qt::MouseButton button;
    QPoint at;
    bool editing;
  } cases[] = {{"left below the rows", Qt::LeftButton, belowRows, false},
               {"right below the rows", Qt::RightButton, belowRows, false},
               {"right on another row", Qt::RightButton, row2, false},
               {"right below the rows, editing", Qt::RightButton, belowRows, true},
               {"right on another row, editing", Qt::RightButton, row2, true}};
  for (const auto& c : cases) {
    list_->SetCurSel(1);
    list_->setFocus();
    if (c.editing) {
      Open();
      Retype(QStringLiteral("Typed"));
    }
    QTest::mouseClick(list_->viewport(), c.button, {}, c.at);
    FlushDeletes();
    EXPECT_FALSE(list_->IsEditing()) << c.what;
    EXPECT_EQ(list_->GetCurSel(), 1) << c.what;
    EXPECT_EQ(list_->selectedItems(), QList<QListWidgetItem*>{list_->item(1)}) << c.what;
  }
  EXPECT_EQ(list_->GetText(1), QStringLiteral("Typed"));
}

struct EndCase {
  const char* what;
  void (*end)(ListBoxXIEdit&, CListBoxXI&, QWidget& other);
};

TEST_F(ListBoxXIEdit, EveryWayOfEndingCommitsTheTypedText) {
  const EndCase cases[] = {
      {"Enter", [](ListBoxXIEdit&, CListBoxXI& list, QWidget&) {
         QTest::keyClick(list.Edit(), Qt::Key_Return);
       }},
      {"focus loss", [](ListBoxXIEdit&, CListBoxXI&, QWidget& other) { other.setFocus(); }},
      {"scroll", [](ListBoxXIEdit&, CListBoxXI& list, QWidget&) {
         list.verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
       }},
      {"right-button release", [](ListBoxXIEdit&, CListBoxXI& list, QWidget&) {
         QTest::mouseRelease(list.viewport(), Qt::RightButton, {}, QPoint(20, 5));
       }},
  };
  for (const EndCase& c : cases) {
    list_->SetCurSel(1);
    list_->setFocus();
    list_->verticalScrollBar()->setValue(0);
    const QString text = QStringLiteral("New %1").arg(c.what);
    Open();
    Retype(text);
    owner_->messages.clear();
    c.end(*this, *list_, *other_);
    FlushDeletes();
    EXPECT_FALSE(list_->IsEditing()) << c.what;
    ASSERT_EQ(owner_->messages.size(), 1u) << c.what;
    EXPECT_EQ(owner_->messages[0].row, 1) << c.what;
    EXPECT_EQ(owner_->messages[0].list, list_) << c.what;
    // Same place, same icon, selected.
    EXPECT_EQ(list_->GetText(1), text) << c.what;
    EXPECT_EQ(list_->GetItemImage(1), 2) << c.what;
    EXPECT_EQ(list_->GetText(2), QStringLiteral("Macro two")) << c.what;
    EXPECT_EQ(list_->count(), 15) << c.what;
    EXPECT_EQ(list_->GetCurSel(), 1) << c.what;
    EXPECT_EQ(list_->EditItem(), -1) << c.what;
  }
}

TEST_F(ListBoxXIEdit, EscAndUnchangedTextSendNothing) {
  Open();
  Retype(QStringLiteral("Typed but cancelled"));
  QTest::keyClick(list_->Edit(), Qt::Key_Escape);  // closing takes the focus away too
  FlushDeletes();
  EXPECT_FALSE(list_->IsEditing());
  EXPECT_EQ(list_->GetText(1), QStringLiteral("Macro one"));
  EXPECT_TRUE(owner_->messages.empty());

  Open();
  QTest::keyClick(list_->Edit(), Qt::Key_Return);
  FlushDeletes();
  EXPECT_FALSE(list_->IsEditing());
  EXPECT_TRUE(owner_->messages.empty());
  EXPECT_EQ(list_->EditItem(), 1);  // left as it was; the next edit sets it again
}

TEST_F(ListBoxXIEdit, TextIsLimitedToWhatANameHolds) {
  Open();
  Retype(QString(40, u'x'));
  EXPECT_EQ(list_->Edit()->text().size(), kListEditMaxUnits);
  // A pair that would not fit whole is refused rather than cut in half.
  Retype(QString(kListEditMaxUnits - 1, u'y'));
  list_->Edit()->insert(QString::fromUtf16(u"\U0001F600"));
  EXPECT_EQ(list_->Edit()->text(), QString(kListEditMaxUnits - 1, u'y'));
  QTest::keyClick(list_->Edit(), Qt::Key_Return);
  EXPECT_EQ(list_->GetText(1), QString(kListEditMaxUnits - 1, u'y'));
}

TEST_F(ListBoxXIEdit, EmptyingTheListCancelsTheEdit) {
  Open();
  Retype(QStringLiteral("Lost"));
  list_->ResetContent();
  FlushDeletes();
  EXPECT_FALSE(list_->IsEditing());
  EXPECT_TRUE(owner_->messages.empty());
}

}  // namespace
}  // namespace gm::test
