// The visual style's colour schemes, applied to existing and later widgets alike, leaving lists,
// scroll bars, sliders and labels with their own look.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>

#include "platform/toolkit/life_cycle.h"
#include "platform/toolkit/visual_style.h"
#include "tests/support/qt_helpers.h"

namespace {

QImage Render(QWidget& widget) {
  widget.ensurePolished();
  QImage image(widget.size(), QImage::Format_RGB32);
  image.fill(Qt::white);
  widget.render(&image);
  return image;
}

bool HasColour(const QImage& image, QColor colour) {
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (image.pixelColor(x, y) == colour) return true;
  return false;
}

class VisualStyle : public testing::Test {
 protected:
  void SetUp() override { testing_support::EnsureApplication(); }
  void TearDown() override { SetVisualStyle(0); }
};

}  // namespace

TEST_F(VisualStyle, EachSchemeDrawsEditBoxBordersInItsColour) {
  QLineEdit edit;
  edit.resize(120, 24);
  struct Case {
    int scheme;
    QColor border;
    bool on;
  } cases[] = {{1, QColor(123, 158, 189), true}, {2, QColor(164, 185, 127), true},
               {3, QColor(198, 197, 215), true}, {0, QColor(164, 185, 127), false},
               {4, QColor(198, 197, 215), false}};
  for (const Case& c : cases) {
    EXPECT_EQ(SetVisualStyle(c.scheme), c.on) << c.scheme;
    EXPECT_EQ(toolkit::CurrentVisualScheme(), c.on ? c.scheme : 0);
    EXPECT_EQ(HasColour(Render(edit), c.border), c.on) << "scheme " << c.scheme;
  }
}

TEST_F(VisualStyle, CoversButtonsMadeBeforeAndAfterAndMessageBoxes) {
  QPushButton before(QStringLiteral("继续"));
  before.resize(60, 24);
  QImage plain = Render(before);
  SetVisualStyle(2);
  QPushButton after(QStringLiteral("暂停"));
  after.resize(60, 24);
  EXPECT_NE(Render(before), plain);
  EXPECT_TRUE(HasColour(Render(before), QColor(55, 98, 6)));
  EXPECT_TRUE(HasColour(Render(after), QColor(55, 98, 6)));
  QMessageBox box(QMessageBox::Critical, QStringLiteral("错误"), QStringLiteral("x"));
  EXPECT_EQ(box.style(), QApplication::style());
}

TEST_F(VisualStyle, ListsAndScrollBarsKeepTheirOwnLook) {
  QListWidget list;
  list.addItem(QStringLiteral("歌.mp3"));
  list.resize(200, 80);
  QScrollBar bar(Qt::Horizontal);
  bar.resize(103, 9);
  QImage list_plain = Render(list), bar_plain = Render(bar);
  SetVisualStyle(2);
  EXPECT_EQ(Render(list), list_plain);
  EXPECT_EQ(Render(bar), bar_plain);
}
