// MainWindow as built from its description: places, kinds, texts, stacking, tab order, settings.
#include <gtest/gtest.h>

#include <QAbstractSlider>
#include <QApplication>
#include <QListView>
#include <QPushButton>
#include <QScrollBar>
#include <QSlider>
#include <QTest>

#include "tests/support/qt_helpers.h"
#include "ui/main_window_template.h"

using namespace toolkit;
using testing_support::BuildMainWindow;
using testing_support::WidgetOf;

class MainWindowLayout : public testing::Test {
 protected:
  void SetUp() override {
    window = testing_support::ShowMainWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window->Widget()));
  }
  std::unique_ptr<Window> window;
};

TEST_F(MainWindowLayout, EveryControlStandsWhereItsRowSaysWithItsText) {
  const WindowTemplate& description = MainWindowTemplate();
  ASSERT_EQ(description.controls.size(), 22u);
  for (const ControlTemplate& row : description.controls) {
    if (row.kind == ControlKind::SysVolume) continue;
    QWidget* widget = WidgetOf(*window, row.name);
    EXPECT_EQ(widget->objectName(), QString::fromUtf8(row.name));
    EXPECT_EQ(widget->geometry(), QRect(row.left, row.top, row.width, row.height)) << row.name;
    EXPECT_EQ(widget->isVisible(), row.visible) << row.name;
    if (auto* button = qobject_cast<QPushButton*>(widget)) {
      EXPECT_EQ(button->text(), QString::fromUtf8(row.text));
    }
  }
  EXPECT_EQ(window->Get<TransLabel>("透明标签2").Caption(), "音量调节：");
  EXPECT_EQ(window->Get<TransLabel>("透明标签_状态").Caption(), "");
  EXPECT_EQ(window->Get<TransLabel>("透明标签_歌曲名").Caption(), "");
  EXPECT_EQ(window->Get<SliderBar>("滑块条1").Position(), 1);
  EXPECT_EQ(window->Get<HScrollBar>("横向滚动条1").Position(), 1);
}

TEST_F(MainWindowLayout, OnlyTheUncoveredBandOfTheProgressAreaReachesTheSlider) {
  struct Case {
    QPoint at;
    const char* on_top;
  } cases[] = {
      {{50, 5}, "标签1"},    {{50, 13}, "标签1"},  {{50, 14}, "滑块条1"}, {{150, 21}, "滑块条1"},
      {{50, 22}, "标签2"},   {{50, 33}, "标签2"},  {{12, 18}, "标签4"},   {{18, 18}, "标签4"},
      {{19, 18}, "滑块条1"}, {{284, 18}, "滑块条1"}, {{285, 18}, "标签3"}, {{100, 45}, "透明标签_歌曲名"},
      {{444, 301}, "列表框1"},
  };
  for (const Case& c : cases) {
    QWidget* hit = window->Widget()->childAt(c.at);
    while (hit && hit->parentWidget() != window->Widget()) hit = hit->parentWidget();
    ASSERT_NE(hit, nullptr) << c.at.x() << "," << c.at.y();
    EXPECT_EQ(hit->objectName(), QString::fromUtf8(c.on_top)) << c.at.x() << "," << c.at.y();
  }
  EXPECT_EQ(window->Widget()->childAt(446, 200), nullptr);  // nothing beyond the playlist's edge
}

TEST_F(MainWindowLayout, TabVisitsButtonsRadiosListAndSliderInOrder) {
  QApplication::setActiveWindow(window->Widget());
  ASSERT_TRUE(QTest::qWaitForWindowActive(window->Widget()));
  WidgetOf(*window, "按钮_静音")->setFocus();
  std::vector<QString> order{QApplication::focusWidget()->objectName()};
  for (int i = 0; i < 12; ++i) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    order.push_back(QApplication::focusWidget()->objectName());
  }
  std::vector<QString> expected;
  for (auto name : {"按钮_静音", "按钮_继续", "列表框1", "单选框_列表顺序播放", "单选框_列表循环播放",
                    "单选框_单曲循环播放", "按钮_添加", "按钮_退出", "按钮_暂停", "按钮_下一首",
                    "按钮_上一首", "滑块条1", "按钮_静音"})
    expected.push_back(QString::fromUtf8(name));
  EXPECT_EQ(order, expected);
}

TEST_F(MainWindowLayout, WindowHasItsCaptionFixedSizeAndNoMaximiseButton) {
  QWidget* top = window->Widget();
  EXPECT_EQ(top->windowTitle(), QStringLiteral("欢迎使用Tazmelmp3播放器！"));
  EXPECT_EQ(top->frameGeometry().size(), QSize(452, 335));  // no window manager frame offscreen
  EXPECT_EQ(top->minimumSize(), top->maximumSize());
  EXPECT_FALSE(top->windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_TRUE(top->windowFlags() & Qt::WindowMinimizeButtonHint);
  EXPECT_FALSE(top->windowIcon().isNull());
  EXPECT_EQ(top->windowIcon().availableSizes().size(), 5);
}

TEST_F(MainWindowLayout, ControlsWithoutCaptionAreKnownToScreenReadersByName) {
  for (auto name : {"列表框1", "滑块条1", "横向滚动条1"})
    EXPECT_EQ(WidgetOf(*window, name)->accessibleName(), QString::fromUtf8(name));
  EXPECT_EQ(WidgetOf(*window, "透明标签2")->accessibleName(), QStringLiteral("音量调节："));
}

TEST_F(MainWindowLayout, EscWithTheFocusAnywhereClosesTheWindow) {
  for (auto name : {"列表框1", "滑块条1", "按钮_暂停", "单选框_列表循环播放"}) {
    auto fresh = BuildMainWindow();
    fresh->ShowFirstTime();
    QWidget* focus = WidgetOf(*fresh, name);
    focus->setFocus();
    QTest::keyClick(focus, Qt::Key_Escape);
    EXPECT_TRUE(fresh->Destroyed()) << name;
    EXPECT_FALSE(fresh->Widget()->isVisible()) << name;
  }
}
