#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>

#include "ToolkitFixture.h"
#include "toolkit/qt/CharGrid.h"

namespace quorbel::ui {
namespace {

// Waits, serving events, until `done` or two seconds have passed.
bool ServeUntil(QtToolkit& kit, const std::function<bool()>& done) {
  QElapsedTimer clock;
  clock.start();
  while (!done() && clock.elapsed() < 2000) kit.Delay(0.005f);
  return done();
}

// Once the first top-level widget of type T is up, `act` runs on it.
// The watch it returns is gone once it has acted.
template <typename T>
QPointer<QTimer> WhenUp(std::function<void(T&)> act) {
  auto* poll = new QTimer;
  QObject::connect(poll, &QTimer::timeout, [poll, act] {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      auto* found = qobject_cast<T*>(widget);
      if (found != nullptr && found->isVisible()) {
        poll->stop();
        poll->deleteLater();
        act(*found);
        return;
      }
    }
  });
  poll->start(10);
  return poll;
}

TEST_F(ToolkitTest, TimersReportTheirIdUntilStopped) {
  kit.StartTimer("main", 2100, 0.01f);
  ASSERT_TRUE(ServeUntil(kit, [&] { return Sent(kClick).size() >= 2; }));
  EXPECT_EQ(Sent(kClick)[0].id, 2100);
  EXPECT_EQ(Sent(kClick)[0].form, "MAIN");
  kit.StopTimer("main", 2100);
  const std::size_t ticks = Sent(kClick).size();
  kit.Delay(0.05f);
  EXPECT_EQ(Sent(kClick).size(), ticks);
}

TEST_F(ToolkitTest, DelayKeepsEventsFlowingAndLastsItsTime) {
  kit.StartTimer("main", 7, 0.01f);
  QElapsedTimer clock;
  clock.start();
  kit.Delay(0.1f);
  EXPECT_GE(clock.elapsed(), 95);
  EXPECT_GE(Sent(kClick).size(), 3u);
  // Unloading the form stops its timers.
  kit.UnloadForm("main");
  const std::size_t ticks = Sent(kClick).size();
  kit.Delay(0.05f);
  EXPECT_EQ(Sent(kClick).size(), ticks);
}

TEST_F(ToolkitTest, MessageBoxesShowTheTextAndReturnTheAnswer) {
  QString shown;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  WhenUp<QMessageBox>([&](QMessageBox& box) {
    shown = box.text();
    icon = box.icon();
    box.button(QMessageBox::No)->click();
  });
  EXPECT_EQ(kit.MessageBox("main", "Replace|Test?{?}", "QuorbelU", Buttons::YesNo), kAnswerNo);
  EXPECT_EQ(shown, "Replace\nTest?");
  EXPECT_EQ(icon, QMessageBox::Question);

  WhenUp<QMessageBox>([](QMessageBox& box) { box.button(QMessageBox::Yes)->click(); });
  EXPECT_EQ(kit.MessageBox("main", "Sure?", "QuorbelU", Buttons::YesNo), kAnswerYes);

  int width = 0;
  int titleWidth = 0;
  WhenUp<QMessageBox>([&](QMessageBox& box) {
    icon = box.icon();
    width = box.width();
    titleWidth = box.fontMetrics().horizontalAdvance(box.windowTitle());
    box.button(QMessageBox::Ok)->click();
  });
  EXPECT_EQ(kit.MessageBox("", "Cannot find Quorbel.{!}", "Brenlow Electronics", Buttons::Ok),
            kAnswerYes);
  EXPECT_EQ(icon, QMessageBox::Warning);
  // A short text still leaves the title bar room for the whole title.
  EXPECT_GE(width, titleWidth + 100);
}

TEST_F(ToolkitTest, FileDialogsReturnFullPathsAndKeepTheCurrentFolder) {
  QTemporaryDir home;
  QTemporaryDir elsewhere;
  QFile keyset(elsewhere.filePath("Mixer.qrb"));
  ASSERT_TRUE(keyset.open(QIODevice::WriteOnly));
  keyset.close();
  const QString before = QDir::currentPath();
  ASSERT_TRUE(QDir::setCurrent(home.path()));

  WhenUp<QFileDialog>([&](QFileDialog& dialog) {
    // Typed as a user would: selectFile() leaves a focused name box alone.
    auto* name = dialog.findChild<QLineEdit*>("fileNameEdit");
    ASSERT_NE(name, nullptr);
    name->setText(elsewhere.filePath("Mixer.qrb"));
    static_cast<QDialog&>(dialog).accept();
  });
  const std::string chosen =
      kit.OpenFileDialog("main", "Select Keyset", FromQt(home.path()), "Keysets|*.qrb", "N");
  EXPECT_EQ(chosen, FromQt(QFileInfo(keyset).absoluteFilePath()));
  EXPECT_EQ(QDir::currentPath(), QDir(home.path()).canonicalPath());

  WhenUp<QFileDialog>([](QFileDialog& dialog) { dialog.reject(); });
  EXPECT_EQ(kit.SaveFileDialog("main", "Export Keyset", FromQt(home.path()), "Mixer.qrb",
                               "QRB|*.qrb", "QRB", "P"),
            "");
  EXPECT_EQ(QDir::currentPath(), QDir(home.path()).canonicalPath());

  // Choosing a file that exists asks nothing: the program asks once itself.
  bool asked = false;
  WhenUp<QFileDialog>([&](QFileDialog& dialog) {
    dialog.findChild<QLineEdit*>("fileNameEdit")->setText(elsewhere.filePath("Mixer.qrb"));
    static_cast<QDialog&>(dialog).accept();
  });
  const QPointer<QTimer> question = WhenUp<QMessageBox>([&](QMessageBox& box) {
    asked = true;
    box.button(QMessageBox::Yes)->click();
  });
  EXPECT_EQ(kit.SaveFileDialog("main", "Export Keyset", FromQt(home.path()), "Mixer.qrb",
                               "QRB|*.qrb", "QRB", "P"),
            FromQt(QFileInfo(keyset).absoluteFilePath()));
  EXPECT_FALSE(asked);
  delete question.data();
  QDir::setCurrent(before);
}

}  // namespace
}  // namespace quorbel::ui
