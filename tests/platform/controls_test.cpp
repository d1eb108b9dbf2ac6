// The control kinds' contract on the real MainWindow's widgets: clamping, stored-versus-shown
// values, and events for the user's changes only.
#include <gtest/gtest.h>

#include <QImage>
#include <QListView>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QSlider>
#include <QStyleOptionSlider>
#include <QTest>
#include <QThread>
#include <thread>

#include "platform/toolkit/events.h"
#include "tests/support/qt_helpers.h"

using namespace toolkit;
using testing_support::BuildMainWindow;
using testing_support::WaitUntil;
using testing_support::WidgetOf;

class Controls : public testing::Test {
 protected:
  void SetUp() override {
    window = testing_support::ShowMainWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window->Widget()));
  }
  std::unique_ptr<Window> window;

  ListBox& list() { return window->Get<ListBox>("列表框1"); }
  SliderBar& slider() { return window->Get<SliderBar>("滑块条1"); }
  QSlider* sliderWidget() { return static_cast<QSlider*>(WidgetOf(*window, "滑块条1")); }
  QPoint handleCentre() {
    QStyleOptionSlider option;
    option.initFrom(sliderWidget());
    option.orientation = Qt::Horizontal;
    option.minimum = sliderWidget()->minimum();
    option.maximum = sliderWidget()->maximum();
    option.sliderPosition = sliderWidget()->sliderPosition();
    option.sliderValue = sliderWidget()->value();
    option.subControls = QStyle::SC_SliderHandle;
    return sliderWidget()
        ->style()
        ->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, sliderWidget())
        .center();
  }
};

TEST_F(Controls, ListSelectionWritesAreClampedAndRaiseNothing) {
  int raised = 0;
  list().ListItemSelected = [&] { ++raised; };
  struct Case {
    int items, written, expected;
  } cases[] = {
      {0, 0, -1}, {0, 5, -1}, {0, -1, -1}, {3, 0, 0},  {3, 2, 2},
      {3, 3, 2},  {3, 99, 2}, {3, -1, -1}, {3, -2, -1}, {3, -100, -1},
  };
  for (const Case& c : cases) {
    auto fresh = BuildMainWindow();
    ListBox& l = fresh->Get<ListBox>("列表框1");
    l.ListItemSelected = [&] { ++raised; };
    for (int i = 0; i < c.items; ++i) l.AddItem("song" + std::to_string(i) + ".mp3");
    l.SetCurrentSelection(1);
    l.SetCurrentSelection(c.written);
    EXPECT_EQ(l.CurrentSelection(), c.expected) << c.items << " items, wrote " << c.written;
  }
  EXPECT_EQ(raised, 0);
}

TEST_F(Controls, ListKeepsItemsInOrderWithTheirBytes) {
  EXPECT_EQ(list().CurrentSelection(), -1);
  EXPECT_EQ(list().AddItem("b.mp3"), 0);
  EXPECT_EQ(list().AddItem("\xB8\xE8.mp3"), 1);  // GBK bytes are kept as they are
  EXPECT_EQ(list().AddItem("a.mp3"), 2);
  EXPECT_EQ(list().AddItem("a.mp3"), 3);  // duplicates allowed
  EXPECT_EQ(list().ItemCount(), 4);
  EXPECT_EQ(list().ItemText(0), "b.mp3");
  EXPECT_EQ(list().ItemText(1), "\xB8\xE8.mp3");
  EXPECT_EQ(list().ItemText(2), "a.mp3");
  EXPECT_EQ(list().ItemText(-1), "");
  EXPECT_EQ(list().ItemText(4), "");
  EXPECT_EQ(list().CurrentSelection(), -1);  // adding selects nothing
}

TEST_F(Controls, ListRaisesItemSelectedForTheUsersClicksAndKeys) {
  for (auto name : {"a.mp3", "b.mp3", "c.mp3"}) list().AddItem(name);
  std::vector<int> seen;
  list().ListItemSelected = [&] { seen.push_back(list().CurrentSelection()); };
  auto* widget = static_cast<QListView*>(WidgetOf(*window, "列表框1"));
  QPoint second = widget->visualRect(widget->model()->index(1, 0)).center();
  QTest::mouseClick(widget->viewport(), Qt::LeftButton, {}, second);
  widget->setFocus();
  QTest::keyClick(widget, Qt::Key_Down);
  QTest::keyClick(widget, Qt::Key_Down);  // already on the last item: no change, no event
  EXPECT_EQ(seen, (std::vector<int>{1, 2}));
  // A press on empty space below the items selects nothing and raises nothing.
  QTest::mouseClick(widget->viewport(), Qt::LeftButton, {}, QPoint(10, widget->viewport()->height() - 3));
  EXPECT_EQ(seen.size(), 2u);
}

TEST_F(Controls, SliderWritesStoreTheValueAndClampOnlyTheThumb) {
  int raised = 0;
  slider().PositionChanged = [&] { ++raised; };
  struct Case {
    int written, stored, thumb;
  } cases[] = {{0, 0, 1}, {1, 1, 1}, {50, 50, 50}, {100, 100, 100}, {101, 101, 100},
               {-3, 0, 1}, {32767, 32767, 100}, {40000, 32767, 100}};
  for (const Case& c : cases) {
    slider().SetPosition(c.written);
    EXPECT_EQ(slider().Position(), c.stored) << "wrote " << c.written;
    EXPECT_EQ(sliderWidget()->value(), c.thumb) << "wrote " << c.written;
  }
  EXPECT_EQ(raised, 0);
}

TEST_F(Controls, SliderKeysNotifyWithTheThumbPositionEvenWhenUnchanged) {
  std::vector<int> seen;
  slider().PositionChanged = [&] { seen.push_back(slider().Position()); };
  sliderWidget()->setFocus();
  slider().SetPosition(0);  // stored 0, thumb at 1
  struct Case {
    Qt::Key key;
    int expected;
  } cases[] = {{Qt::Key_Right, 2}, {Qt::Key_Left, 1}, {Qt::Key_Left, 1},
               {Qt::Key_End, 100}, {Qt::Key_Right, 100}, {Qt::Key_Home, 1}};
  for (const Case& c : cases) {
    size_t before = seen.size();
    QTest::keyClick(sliderWidget(), c.key);
    ASSERT_EQ(seen.size(), before + 1) << "key " << c.key;
    EXPECT_EQ(seen.back(), c.expected) << "key " << c.key;
  }
}

TEST_F(Controls, SliderDragNotifiesAtEveryStepAndAgainAtTheRelease) {
  std::vector<int> seen;
  slider().PositionChanged = [&] { seen.push_back(slider().Position()); };
  slider().SetPosition(20);
  QPoint start = handleCentre();
  QTest::mousePress(sliderWidget(), Qt::LeftButton, {}, start);
  for (int step = 1; step <= 4; ++step) QTest::mouseMove(sliderWidget(), start + QPoint(step * 20, 0));
  QTest::mouseRelease(sliderWidget(), Qt::LeftButton, {}, start + QPoint(80, 0));
  ASSERT_EQ(seen.size(), 5u);
  EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()));
  EXPECT_GT(seen.front(), 20);
  EXPECT_EQ(seen[3], seen[4]);  // the release repeats the last place
  EXPECT_EQ(seen.back(), sliderWidget()->value());
}

TEST_F(Controls, LeftMousePressedComesBeforeTheControlReacts) {
  bool down_at_press = true;
  int keys_at_press = -1;
  QPoint at_press;
  slider().LeftMousePressed = [&](int x, int y, int keys) {
    down_at_press = sliderWidget()->isSliderDown();
    at_press = QPoint(x, y);
    keys_at_press = keys;
  };
  QPoint handle = handleCentre();
  QTest::mousePress(sliderWidget(), Qt::LeftButton, Qt::ControlModifier | Qt::AltModifier, handle);
  EXPECT_FALSE(down_at_press);
  EXPECT_TRUE(sliderWidget()->isSliderDown());
  EXPECT_EQ(at_press, handle);
  EXPECT_EQ(keys_at_press, 5);
  QTest::mouseRelease(sliderWidget(), Qt::LeftButton, {}, handle);
}

TEST_F(Controls, VolumeBarNotifiesOnlyWhenItsPositionChanges) {
  auto& bar = window->Get<HScrollBar>("横向滚动条1");
  auto* widget = static_cast<QScrollBar*>(WidgetOf(*window, "横向滚动条1"));
  std::vector<int> seen;
  bar.PositionChanged = [&] { seen.push_back(bar.Position()); };
  EXPECT_EQ(bar.Position(), 1);
  EXPECT_EQ(bar.MaxPosition(), 1000);
  widget->triggerAction(QAbstractSlider::SliderSingleStepSub);  // left arrow at the left end
  EXPECT_TRUE(seen.empty());
  widget->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  widget->triggerAction(QAbstractSlider::SliderPageStepAdd);
  widget->triggerAction(QAbstractSlider::SliderToMaximum);
  widget->triggerAction(QAbstractSlider::SliderSingleStepAdd);  // already at the right end
  EXPECT_EQ(seen, (std::vector<int>{2, 12, 1000}));
}

TEST_F(Controls, ButtonsClickByMouseAndKeyboard) {
  auto& next = window->Get<Button>("按钮_下一首");
  int clicks = 0;
  next.Clicked = [&] { ++clicks; };
  QWidget* widget = WidgetOf(*window, "按钮_下一首");
  QTest::mouseClick(widget, Qt::LeftButton);
  widget->setFocus();
  QTest::keyClick(widget, Qt::Key_Space);
  // Pressed, then released outside the button: no click.
  QTest::mousePress(widget, Qt::LeftButton);
  QTest::mouseRelease(widget, Qt::LeftButton, {}, QPoint(-20, -20));
  EXPECT_EQ(clicks, 2);
  EXPECT_FALSE(WidgetOf(*window, "按钮_播放")->isVisible());
}

TEST_F(Controls, RadiosFormOneGroupAndTheCheckedOneStaysChecked) {
  auto& in_order = window->Get<RadioBox>("单选框_列表顺序播放");
  auto& loop = window->Get<RadioBox>("单选框_列表循环播放");
  auto& repeat = window->Get<RadioBox>("单选框_单曲循环播放");
  EXPECT_TRUE(in_order.Checked());
  EXPECT_FALSE(loop.Checked());
  EXPECT_FALSE(repeat.Checked());
  QTest::mouseClick(WidgetOf(*window, "单选框_单曲循环播放"), Qt::LeftButton);
  EXPECT_TRUE(repeat.Checked());
  EXPECT_FALSE(in_order.Checked());
  QTest::mouseClick(WidgetOf(*window, "单选框_单曲循环播放"), Qt::LeftButton);
  EXPECT_TRUE(repeat.Checked());
  EXPECT_FALSE(loop.Checked());
  EXPECT_FALSE(in_order.Checked());
}

TEST_F(Controls, FeedbackPostedFromAnotherThreadArrivesOnTheUserInterfaceThread) {
  auto& label = window->Get<Label>("标签1");
  std::vector<std::pair<int, int>> reports;
  bool on_ui_thread = true;
  label.Feedback = [&](int value, int extra) {
    reports.emplace_back(value, extra);
    on_ui_thread &= QThread::currentThread() == window->Widget()->thread();
  };
  std::thread service([&] {
    for (int v : {0, 1, 7, 100}) label.PostFeedback(v, 0);
  });
  service.join();
  EXPECT_TRUE(reports.empty());  // queued, not called from the service's thread
  ASSERT_TRUE(WaitUntil([&] { return reports.size() == 4; }));
  EXPECT_EQ(reports, (std::vector<std::pair<int, int>>{{0, 0}, {1, 0}, {7, 0}, {100, 0}}));
  EXPECT_TRUE(on_ui_thread);
}

TEST_F(Controls, NoEventIsDeliveredWhileSuppressed) {
  int clicks = 0, reports = 0;
  window->Get<Button>("按钮_暂停").Clicked = [&] { ++clicks; };
  window->Get<Label>("标签1").Feedback = [&](int, int) { ++reports; };
  {
    SuppressionScope quiet;
    QTest::mouseClick(WidgetOf(*window, "按钮_暂停"), Qt::LeftButton);
    window->Get<Label>("标签1").PostFeedback(3, 0);
    QTest::qWait(20);
  }
  QTest::mouseClick(WidgetOf(*window, "按钮_暂停"), Qt::LeftButton);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(reports, 0);
}

TEST_F(Controls, TransLabelDrawsOnlyItsTextWithTheMnemonicRule) {
  auto& song = window->Get<TransLabel>("透明标签_歌曲名");
  QWidget* widget = WidgetOf(*window, "透明标签_歌曲名");
  auto render = [&](const char* caption) {
    song.SetCaption(caption);
    QImage image(widget->size(), QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    widget->render(&image, {}, {}, QWidget::RenderFlags());
    return image;
  };
  auto literal = [&](const QString& text, bool underline) {
    QImage image(widget->size(), QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    QFont font = widget->font();
    painter.setFont(font);
    painter.setPen(Qt::black);
    int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine;
    painter.drawText(image.rect(), flags | (underline ? Qt::TextShowMnemonic : 0), text);
    return image;
  };
  EXPECT_EQ(render("A&&B"), literal("A&B", false));
  EXPECT_EQ(render("&A"), literal("&A", true));
  EXPECT_NE(render("&A"), literal("A", false));  // the A is underlined
  QImage empty = render("");
  QImage nothing(widget->size(), QImage::Format_ARGB32);
  nothing.fill(Qt::transparent);
  EXPECT_EQ(empty, nothing);  // no background of its own
  EXPECT_EQ(song.Caption(), "");
}
